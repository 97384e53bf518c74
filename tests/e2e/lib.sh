# Shared by the scripts that drive the real game: a scratch folder, an X
# server of the script's own, OpenAL's wave backend, key presses the game is
# seen to take, and waiting for the game's own log lines rather than for
# time. Sourced, not run.
#
# The game logs a "Screen ..." line whenever its screen, a cursor, a setting
# or the set of held controls changes; the waits below read those lines.

E2E_WINDOW_MS=${E2E_WINDOW_MS:-1000}
# The ceiling of any one wait, in seconds: far longer than anything takes,
# so a loaded machine is slow but never a failure.
E2E_CEILING=${E2E_CEILING:-180}
pid=""
wid=""
xvfb_pid=""

# e2e_display: starts an X server for this script alone and points DISPLAY
# at it, so parallel scripts never send keys to each other's windows.
# Without Xvfb it keeps the display it was given, if any.
e2e_display() {
  [[ -n "$xvfb_pid" ]] && return 0
  command -v Xvfb >/dev/null || return 0
  local fifo number
  fifo=$(mktemp -u -t bramblehop-xvfb-XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t "$E2E_CEILING" number <"$fifo"
  rm -f "$fifo"
  [[ -n "$number" ]] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=":$number"
}

# e2e_folder: a fresh folder with the game beside a wave-backend config;
# sets $work and starts the script's display. The caller decides what goes
# beside the game (Data or not).
e2e_folder() {
  work=$(mktemp -d -t bramblehop-e2e-XXXXXX)
  trap 'e2e_cleanup' EXIT
  # A stopped run (ctest's timeout, Ctrl-C) still unmounts and tidies up.
  trap 'exit 1' TERM INT HUP
  e2e_display
  cat >"$work/alsoft.conf" <<CONF
[general]
drivers=wave
sample-type=int16
channels=mono
frequency=44100
[wave]
file=$work/sound.wav
CONF
}

e2e_cleanup() {
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  for m in "${e2e_mounts[@]:-}"; do [[ -n "$m" ]] && umount "$m" 2>/dev/null; done
  if [[ -n "${E2E_KEEP:-}" ]]; then echo "kept $work"; else rm -rf "$work"; fi
}
e2e_mounts=()

fail() { echo "FAIL: $*"; tail -20 "${log:-/dev/null}" 2>/dev/null; exit 1; }

# The game's latest "Screen ..." line.
screen_now() { grep '^ *[0-9]*> Screen ' "$log" 2>/dev/null | tail -1; }

# wait_for WHAT COMMAND...: runs COMMAND until it succeeds; fails with WHAT
# after the ceiling, or at once when the game has ended.
wait_for() {
  local what=$1 end=$((SECONDS + E2E_CEILING))
  shift
  until "$@"; do
    if [[ -n "$pid" ]] && ! kill -0 "$pid" 2>/dev/null; then
      "$@" && return 0
      fail "the game ended while waiting for $what"
    fi
    ((SECONDS < end)) || fail "waited ${E2E_CEILING} s for $what"
    sleep 0.05
  done
}

log_has() { grep -qE -- "$1" "$log" 2>/dev/null; }
screen_is() { screen_now | grep -qE -- "$1"; }

# wait_log PATTERN: waits for a log line matching the extended regex.
wait_log() { wait_for "\"$1\" in the log" log_has "$1"; }

# wait_screen PATTERN: waits until the game's latest "Screen" line matches,
# e.g. wait_screen 'mode 0 page 1 overlay 0'.
wait_screen() { wait_for "a screen matching \"$1\"" screen_is "$1"; }

# wait_title: the loader is done and the title page takes keys.
wait_title() { wait_screen 'mode 0 page 0 overlay 0 '; }

# wait_play: a game chosen from the list is being played. Fresh settings
# show how to play first; a press puts that away.
wait_play() {
  wait_screen 'mode 10 |overlay 5 '
  if screen_is 'overlay 5 '; then
    press z
  fi
  wait_screen 'mode 10 '
}

window_count() {
  local n
  n=$(grep -c 'Opened Window' "$log" 2>/dev/null)
  ((n >= 2))
}

# start_game DIR [window]: starts DIR/Bramblehop with DIR as its base
# folder, its output in $log, and waits for its window; sets $pid, $wid and
# $appeared (milliseconds until the first window). Returns once the title
# page is up, or with "window" once the game's final window is there (to
# see the loading screen).
start_game() {
  local dir=$1 until=${2:-title} start
  log=${log:-$work/out.txt}
  e2e_display
  # A key whose release went to a window that had already closed (quitting
  # on Escape) still counts as held; let go of everything first.
  xdotool keyup Escape z x Left Right Up Down Return F10 2>/dev/null
  start=$(date +%s%N)
  ALSOFT_CONF="$work/alsoft.conf" ALSOFT_DRIVERS=${e2e_audio_drivers:-} "$dir/Bramblehop" >"$log" 2>&1 &
  pid=$!
  wait_for "a window" log_has 'Opened Window'
  appeared=$((($(date +%s%N) - start) / 1000000))
  # The first window makes way for the full-size one once audio is up.
  wait_for "the full-size window" window_count
  wait_for "the window to be found" find_window
  if [[ $until == title ]]; then wait_title; fi
  return 0
}

find_window() {
  wid=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
  [[ -n "$wid" ]]
}

# Control bits of the keys the game binds by default; the "controls" field
# of a "Screen" line shows which of them the game sees held.
key_bit() {
  case $1 in
  Up | w | W) echo 1 ;; Right | d | D) echo 2 ;; Down | s | S) echo 4 ;; Left | a | A) echo 8 ;;
  Escape) echo 256 ;; BackSpace) echo 512 ;;
  z | Z | space | Return | KP_Enter | k | K) echo 1024 ;;
  x | X | Control_L | Control_R | l | L) echo 2048 ;;
  *) echo 0 ;;
  esac
}

held_bits() { # the controls field of the latest "Screen" line, as a number
  local c
  c=$(screen_now | sed -n 's/.* controls \([0-9a-f]*\)$/\1/p')
  echo $((16#${c:-0}))
}
key_seen() { (($(held_bits) & $1)); }
key_gone() { ! (($(held_bits) & $1)); }
game_gone() { ! kill -0 "$pid" 2>/dev/null; }
seen_or_gone() { key_seen "$1" || game_gone; }
gone_or_ended() { key_gone "$1" || game_gone; }

# press KEY [held seconds]: holds KEY at least that long (0.1 s unless
# told) and, for a key bound to a control, until the game has seen it
# held; then lets go and, likewise, waits until the game has seen it let
# go, so the next press is a press of its own.
press() {
  local key=$1 bit
  bit=$(key_bit "$key")
  xdotool keydown --window "$wid" "$key" 2>/dev/null
  sleep "${2:-0.1}"
  if ((bit)); then wait_for "$key to be seen held" seen_or_gone "$bit"; fi
  # A key that quit the game has no window left to be released in; release
  # it anyway, or the display keeps it held for the next game.
  xdotool keyup --window "$wid" "$key" 2>/dev/null || xdotool keyup "$key" 2>/dev/null
  if ((bit)); then
    wait_for "$key to be seen released" gone_or_ended "$bit"
  else
    sleep 0.15
  fi
  return 0
}

# wait_exit [seconds]: waits for the game to end by itself; fails on a hang
# or a non-zero exit code. The ceiling is never shorter than E2E_CEILING.
wait_exit() {
  local rc limit=${1:-10}
  ((limit > E2E_CEILING)) || limit=$E2E_CEILING
  local end=$((SECONDS + limit))
  while kill -0 "$pid" 2>/dev/null && ((SECONDS < end)); do sleep 0.05; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit within $limit s"
  wait "$pid"
  rc=$?
  pid=""
  if ((rc != 0)) && only_unloaded_leaks; then
    echo "note: LeakSanitizer named only blocks of a driver unloaded at exit"
    rc=0
  fi
  ((rc == 0)) || fail "exit code $rc"
  grep -q "Farewell happy gamer" "$log" || fail "no farewell"
  only_unloaded_leaks || ! grep -q "Sanitizer" "$log" || fail "a sanitizer report"
  return 0
}

# only_unloaded_leaks: true when the log's one sanitizer report is a leak
# report whose every stack, past the allocator, runs through code no longer
# mapped ("<unknown module>") or a sanitizer runtime, which an address in
# the freed mapping is sometimes put down to. That is Mesa's software
# driver, unloaded by glfwTerminate before the exit-time scan; how far the
# unwinder gets through it varies from run to run, so no suppression can
# name it. The game never unloads code of its own: a leak of ours always
# has a frame in the game and still fails.
only_unloaded_leaks() {
  grep -q "ERROR: LeakSanitizer" "$log" || return 1
  grep -Eq "ERROR: AddressSanitizer|runtime error:" "$log" && return 1
  ! sed -n '/ERROR: LeakSanitizer/,$p' "$log" |
    grep -E '^ *#[1-9][0-9]* ' | grep -Eqv '\(<unknown module>\)|lib(ubsan|asan)\.so'
}

# quit_from_title: from the title page, Escape goes to Quit, which asks
# once before it quits.
quit_from_title() {
  wait_screen 'mode 0 page 0 overlay 0 '
  press Escape
  wait_screen 'cursors -1 '
  press z
  press z
}

# short_game [SHOTS]: from the title page, a Normal game with some walking
# and flapping (and, given a folder, an F10 screenshot that must land in
# it), the pause menu's quit, the scoreboard, back to the title page, quit;
# waits for a clean exit.
short_game() {
  press z                     # the difficulty list
  wait_screen 'mode 0 page 1 overlay 0 '
  press z                     # a Normal game
  wait_play
  xdotool keydown --window "$wid" Right
  for _ in 1 2 3; do press z; done
  xdotool keyup --window "$wid" Right
  wait_for "Right to be seen released" key_gone "$(key_bit Right)"
  if [[ -n "${1:-}" ]]; then
    press F10
    wait_for "a screenshot in $1" compgen -G "$1/Screenshot_552_*.png"
  fi
  press Escape                # pause, then "quit", which asks once
  wait_screen 'paused 1 '
  press Left
  press z
  press z
  # The "Quit" banner, then the scoreboard beside the difficulty list; keys
  # count again once the banner has shrunk away.
  wait_screen 'mode 0 page 1 overlay 0 paused 0 banner 0 '
  press x                     # the title page
  quit_from_title
  wait_exit 15
}

# game_saved DIR: whole save files in DIR, and a game counted in them.
game_saved() {
  python3 - "$1" <<'PY' || fail "save files in $1"
import os, struct, sys
os.chdir(sys.argv[1])
assert os.path.getsize("Settings.sav") == 4496, "Settings.sav size"
data = open("Save_552_Bramblehop.sav", "rb").read()
assert len(data) == 88404, "score file size"
played = struct.unpack("<i", data[:4])[0]
assert played >= 1, f"games played {played}"
PY
}
