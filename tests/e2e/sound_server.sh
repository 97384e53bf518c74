#!/usr/bin/env bash
# The real game on a real sound server: a PulseAudio daemon of the test's
# own with a null sink, whose monitor is recorded while the game plays.
#   lost  the server is stopped during a game and started again: the game
#         says so, plays on silent and answers keys, and its sound is back
#         within 5 s of the server's return.
#   late  no server when the game starts; one starts during a game, and
#         the sound is there within 5 s.
# The levels of the recordings are printed: before the server went, the
# gap after it came back until the game's sound returned, and after that.
#
# Usage: sound_server.sh CASE path/to/Bramblehop
set -uo pipefail
case_name=$1
bin=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

if ! command -v pulseaudio >/dev/null || ! command -v parec >/dev/null; then
  # CI installs them; a developer's machine may simply not have them.
  [[ -n "${CI:-}" ]] && { echo "FAIL: pulseaudio and pulseaudio-utils are not installed"; exit 1; }
  echo "SKIP: needs pulseaudio and pulseaudio-utils"
  exit 0
fi

e2e_folder
cp "$bin" "$work/Bramblehop"
ln -s "$(dirname "$bin")/Data" "$work/Data"
cd "$work"
log=$work/out.txt

# OpenAL's own PulseAudio output when the server is there at start-up. When
# it is not, this OpenAL leaves its PulseAudio output out for the rest of
# the process, and ALSA's PulseAudio device is the way to a later server.
cat >"$work/alsoft.conf" <<CONF
[general]
drivers=pulse,alsa
[alsa]
device=pulse
CONF
pa=$work/pa
mkdir -p "$pa/rt" "$pa/st"
echo "autospawn = no" >"$pa/client.conf"
export PULSE_RUNTIME_PATH=$pa/rt PULSE_STATE_PATH=$pa/st PULSE_SERVER=unix:$pa/sock
export PULSE_CLIENTCONFIG=$pa/client.conf
rec_pid=""
sound_cleanup() {
  [[ -n "$rec_pid" ]] && kill "$rec_pid" 2>/dev/null
  [[ -s "$pa/rt/pid" ]] && kill "$(cat "$pa/rt/pid")" 2>/dev/null
  e2e_cleanup
}
trap 'sound_cleanup' EXIT

server_up() { PULSE_SERVER=unix:$pa/rec.sock pactl info >/dev/null 2>&1; }
server_gone() { ! kill -0 "$server" 2>/dev/null && ! server_up; }

# start_server: a daemon with one null sink and the recorder's socket,
# recorded into FILE from the start; the game's socket opens after the
# recording has begun, so the recording shows the gap before the game's
# sound comes back. Sets $opened: the recording's size in bytes when the
# game's socket opened.
start_server() {
  pulseaudio -n --daemonize=yes --exit-idle-time=-1 --use-pid-file=yes \
    --load="module-null-sink sink_name=test" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$pa/rec.sock" 2>>"$work/pa.log" ||
    fail "pulseaudio did not start: $(tail -3 "$work/pa.log")"
  wait_for "the sound server" server_up
  server=$(cat "$pa/rt/pid")
  PULSE_SERVER=unix:$pa/rec.sock parec --device=test.monitor --latency-msec=20 \
    --format=s16le --rate=44100 --channels=1 >"$1" 2>>"$work/pa.log" &
  rec_pid=$!
  wait_for "the recording to begin" test -s "$1"
  PULSE_SERVER=unix:$pa/rec.sock pactl load-module module-native-protocol-unix auth-anonymous=1 \
    socket="$pa/sock" >/dev/null || fail "the game's socket did not open"
  opened=$(size "$1")
}

stop_server() {
  kill "$server"
  wait_for "the sound server to go" server_gone
  rec_pid=""
}

size() { stat -c %s "$1" 2>/dev/null || echo 0; }
# has_bytes FILE N: the recording holds N bytes (88,200 a second).
has_bytes() { (($(size "$1") >= $2)); }

engaged() { (($(grep -c 'OpenAL Audio Engaged!' "$log") >= $1)); }

levels() { python3 "$here/soundlevels.py" "$@"; }

# A Normal game from the title page; its music plays from the start.
start_playing() {
  press z
  wait_screen 'mode 0 page 1 overlay 0 '
  press z
  wait_play
}

# The game is still at play and answers a key: the held control shows up
# in its log and goes again.
answers() {
  press Right 0.2
  kill -0 "$pid" 2>/dev/null || fail "the game ended"
  screen_is 'mode 10 ' || fail "the game left play: $(screen_now)"
}

# back_within N FILE: once the game's socket is open, its sound must be on
# the recording within 5 s (the Nth start of its audio); prints the levels
# of the gap and of what follows.
back_within() {
  wait_for "the game's sound to come back" engaged "$1"
  wait_for "7 s of recording" has_bytes "$2" $((opened + 7 * 88200))
  read -r first gap after < <(levels split "$2" "$opened") || fail "the recording could not be read"
  echo "sound back ${first} s after the server; gap ${gap} dBFS, after ${after} dBFS"
  python3 -c "import sys; sys.exit(0 if 0 <= float('$first') < 5 else 1)" ||
    fail "no sound within 5 s of the server's return"
}

quit() {
  press F4 0.08
  wait_exit 60
}

case "$case_name" in
lost)
  start_server "$work/before.raw"
  start_game "$work"
  grep -q 'Audio Device Error' "$log" && fail "no audio at start-up with a server there"
  start_playing
  played=$(size "$work/before.raw")
  wait_for "3 s of play on the recording" has_bytes "$work/before.raw" $((played + 3 * 88200))
  before=$(levels from "$work/before.raw" "$played")
  echo "before the server went: ${before} dBFS"
  python3 -c "import sys; sys.exit(0 if float('$before') > -60 else 1)" || fail "no sound before"
  stop_server
  wait_log 'Audio Device Lost'
  answers
  (($(grep -c 'Audio Device Lost' "$log") == 1)) || fail "the loss was logged more than once"
  start_server "$work/after.raw"
  back_within 2 "$work/after.raw"
  answers
  quit
  ;;

late)
  start_game "$work"
  wait_log 'Audio Device Error'
  start_playing
  answers
  start_server "$work/after.raw"
  back_within 1 "$work/after.raw"
  quit
  ;;

*)
  echo "unknown case $case_name"
  exit 2
  ;;
esac
echo "PASS: $case_name"
