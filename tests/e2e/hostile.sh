#!/usr/bin/env bash
# The real game on a hostile machine: missing or damaged assets, a base
# folder it cannot write, a full disk, damaged save files. In every case it
# must start, play a short game, quit through the menus with exit code 0,
# and say what went wrong in one clear log line.
#
# Usage: hostile.sh CASE path/to/Bramblehop
#   CASE: no_audio no_data corrupt_png corrupt_wav corrupt_ogg read_only full_disk
#         garbage_saves empty_saves huge_saves
set -uo pipefail
case_name=$1
bin=$(readlink -f "$2")
data=$(dirname "$bin")/Data
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

command -v Xvfb >/dev/null || [[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs Xvfb or a display"; exit 0; }

# Mounting a tiny or read-only tmpfs needs root; anyone else gets a private
# user and mount namespace when the kernel allows it.
needs_mount() {
  (( EUID == 0 )) && return 0
  if [[ -z "${E2E_IN_NAMESPACE:-}" ]] && unshare -rm true 2>/dev/null; then
    E2E_IN_NAMESPACE=1 exec unshare -rm bash "$0" "$@"
  fi
  echo "SKIP: cannot mount a tmpfs here"; exit 0
}
[[ $case_name == read_only || $case_name == full_disk ]] && needs_mount "$@"

e2e_folder
base=$work/base
mkdir -p "$base"

with_game() { ln -s "$bin" "$base/Bramblehop"; }
with_data() { ln -s "$data" "$base/Data"; }
copy_data() { cp -r "$data" "$base/Data"; }

# damage FILE MODE: "truncate" keeps the first third, "garbage" overwrites
# the middle with fixed noise, "noise" replaces the whole file.
damage() {
  python3 - "$1" "$2" <<'PY'
import random, sys
path, mode = sys.argv[1], sys.argv[2]
data = bytearray(open(path, "rb").read())
rng = random.Random(552)
if mode == "truncate":
    data = data[:len(data) // 3]
elif mode == "garbage":
    for i in range(len(data) // 3, len(data) // 3 + 4096):
        data[i] = rng.randrange(256)
else:
    data = bytearray(rng.randrange(256) for _ in range(len(data)))
open(path, "wb").write(data)
PY
}

# A short, complete session: past the loading screen to the title page, a
# short game, quit.
play_round() {
  start_game "$base"          # returns with the title page up
  short_game
}

expect_log() {
  grep -qF "$1" "$log" || fail "the log lacks \"$1\""
}

# The log must stay readable: a missing picture drawn every frame may not
# flood it.
log_is_short() {
  local n
  n=$(wc -l <"$log")
  (( n < 400 )) || fail "the log has $n lines"
}

# The save files are whole: the right sizes, and a game was counted.
saves_hold_a_game() { game_saved "$base"; }

case $case_name in
no_audio)
  with_game; with_data
  e2e_audio_drivers=no-such-device
  play_round
  expect_log "Audio Device Error"
  saves_hold_a_game
  ;;
no_data)
  with_game
  play_round
  expect_log "OMGERRORZ"
  expect_log "Error Opening Wave"
  expect_log "Error Opening Ogg"
  log_is_short
  saves_hold_a_game
  ;;
corrupt_png)
  with_game; copy_data
  damage "$base/Data/552/menu.png" truncate
  damage "$base/Data/552/tiles-32.png" garbage
  damage "$base/Data/552/plr-32.png" noise
  play_round
  expect_log "OMGERRORZ"
  log_is_short
  saves_hold_a_game
  ;;
corrupt_wav)
  with_game; copy_data
  damage "$base/Data/552/audio/95.wav" truncate
  damage "$base/Data/552/audio/01.wav" noise
  damage "$base/Data/552/audio/03.wav" garbage
  play_round
  expect_log "Not a PCM Wave file"
  expect_log "Wave data chunk of"
  saves_hold_a_game
  ;;
corrupt_ogg)
  with_game; copy_data
  damage "$base/Data/552/audio/pages.ogg" garbage
  play_round
  expect_log "Ogg stream damaged at byte"
  saves_hold_a_game
  # And a stream that ends early.
  damage "$base/Data/552/audio/pages.ogg" truncate
  play_round
  expect_log "Ogg stream damaged at byte"
  saves_hold_a_game
  ;;
read_only)
  mount -t tmpfs -o size=1m tmpfs "$base" || { echo "SKIP: cannot mount a tmpfs"; exit 0; }
  e2e_mounts+=("$base")
  with_game; with_data
  mount -o remount,ro "$base" || fail "cannot make the base folder read-only"
  # A folder the game cannot write sends the saves to the user's data folder.
  export XDG_DATA_HOME=$work/xdg
  play_round
  expect_log "Saves and screenshots go to $work/xdg/bramblehop"
  base=$work/xdg/bramblehop saves_hold_a_game
  [[ ! -e "$base/Settings.sav" ]] || fail "a save appeared in a read-only folder"
  ;;
full_disk)
  # Save files from an earlier session first, on ordinary disk.
  with_game; with_data
  start_game "$base"; quit_from_title; wait_exit 10
  mkdir -p "$work/before"; cp "$base"/*.sav "$work/before/"
  rm -rf "$base"/*
  mount -t tmpfs -o size=256k tmpfs "$base" || { echo "SKIP: cannot mount a tmpfs"; exit 0; }
  e2e_mounts+=("$base")
  with_game; with_data
  cp "$work/before"/*.sav "$base/"
  dd if=/dev/zero of="$base/filler" bs=4k 2>/dev/null  # until the disk is full
  play_round
  expect_log "Save failed, kept the previous"
  cmp -s "$work/before/Settings.sav" "$base/Settings.sav" || fail "Settings.sav changed"
  cmp -s "$work/before/Save_552_Bramblehop.sav" "$base/Save_552_Bramblehop.sav" ||
    fail "the score file changed"
  ls "$base" | grep -v -E '^(Bramblehop|Data|filler|Settings.sav|Save_552_Bramblehop.sav)$' &&
    fail "a half-written file was left behind"
  ;;
garbage_saves|empty_saves|huge_saves)
  with_game; with_data
  case $case_name in
  garbage_saves)
    head -c 4496 /dev/urandom >"$base/Settings.sav"
    head -c 88404 /dev/urandom >"$base/Save_552_Bramblehop.sav" ;;
  empty_saves)
    : >"$base/Settings.sav"; : >"$base/Save_552_Bramblehop.sav" ;;
  huge_saves)
    truncate -s 2G "$base/Settings.sav"
    head -c 1000000 /dev/urandom >"$base/Save_552_Bramblehop.sav"
    truncate -s 3G "$base/Save_552_Bramblehop.sav" ;;
  esac
  play_round
  expect_log "Clearing Scoreboard"
  saves_hold_a_game
  ;;
*)
  echo "unknown case $case_name"; exit 2 ;;
esac
echo "$case_name ok"
