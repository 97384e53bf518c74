# Shared by the scripts that drive the real game under the test display:
# a scratch folder, OpenAL's wave backend, held key presses, waiting for the
# window and for the end. Sourced, not run.

E2E_WINDOW_MS=${E2E_WINDOW_MS:-1000}
pid=""
wid=""

# e2e_folder: a fresh folder with the game beside a wave-backend config;
# sets $work. The caller decides what goes beside the game (Data or not).
e2e_folder() {
  work=$(mktemp -d /tmp/bramblehop-e2e-XXXXXX)
  trap 'e2e_cleanup' EXIT
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
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
  for m in "${e2e_mounts[@]:-}"; do [[ -n "$m" ]] && umount "$m" 2>/dev/null; done
  if [[ -n "${E2E_KEEP:-}" ]]; then echo "kept $work"; else rm -rf "$work"; fi
}
e2e_mounts=()

fail() { echo "FAIL: $*"; tail -20 "${log:-/dev/null}" 2>/dev/null; exit 1; }

# start_game DIR: starts DIR/Bramblehop with DIR as its base folder, its
# output in $log, and waits for its window; sets $pid, $wid and $appeared.
start_game() {
  local dir=$1 start
  log=${log:-$work/out.txt}
  # A key whose release went to a window that had already closed (quitting
  # on Escape) still counts as held; let go of everything first.
  xdotool keyup Escape z x Left Right Up Down F10 2>/dev/null
  start=$(date +%s%N)
  ALSOFT_CONF="$work/alsoft.conf" ALSOFT_DRIVERS=${e2e_audio_drivers:-} "$dir/Bramblehop" >"$log" 2>&1 &
  pid=$!
  for _ in $(seq 1 100); do
    wid=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
    [[ -n "$wid" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  [[ -n "$wid" ]] || fail "no window appeared"
  appeared=$(( ($(date +%s%N) - start) / 1000000 ))
  sleep 0.3
  wid=$(xdotool search --name '^Bramblehop$' | tail -1)  # the 800 x 600 window
}

press() {  # press KEY [held seconds]
  xdotool keydown --window "$wid" "$1"; sleep "${2:-0.12}"
  # A key that quit the game has no window left to be released in; release
  # it anyway, or the display keeps it held for the next game.
  xdotool keyup --window "$wid" "$1" 2>/dev/null || xdotool keyup "$1"
  sleep 0.15
}

# wait_exit [seconds]: waits for the game to end by itself; fails on a hang
# or a non-zero exit code.
wait_exit() {
  local rc
  for _ in $(seq 1 $(( ${1:-10} * 10 ))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit"
  wait "$pid"
  rc=$?
  pid=""
  (( rc == 0 )) || fail "exit code $rc"
  grep -q "Farewell happy gamer" "$log" || fail "no farewell"
  grep -q "Sanitizer" "$log" && fail "a sanitizer report"
  return 0
}
