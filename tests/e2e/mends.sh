#!/usr/bin/env bash
# The real game, driven as a player would, in the places where keys used to
# act twice or in the wrong place: Escape between screens, F10, F11 and
# Q + digit held down, and screenshots from a deep base folder.
#
# Usage: mends.sh CASE path/to/Bramblehop
#   CASE: name_escape pause_options_escape f10_held window_keys_held deep_folder
set -uo pipefail
case_name=$1
bin=$(readlink -f "$2")
data=$(dirname "$bin")/Data
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

[[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs a display"; exit 0; }

e2e_folder
base=$work/base

# place DIR: the game and its data in DIR, which becomes its base folder.
place() {
  mkdir -p "$1"
  ln -s "$bin" "$1/Bramblehop"
  ln -s "$data" "$1/Data"
}

log_count() { grep -c -- "$1" "$log"; }
log_has_at_least() { (( $(log_count "$1") >= $2 )); }

# A 32-bit value of Settings.sav.
setting() {
  od -An -t d4 -j $(( 4 * $1 )) -N 4 "$base/Settings.sav" 2>/dev/null | tr -d ' '
}
setting_is() { [[ "$(setting "$1")" == "$2" ]]; }

# Keys held on the display itself, as a keyboard holds them: its auto-repeat
# reaches whichever window is current (the pointer rests mid-screen, where
# every window of the game lies).
hold_on_display() {  # hold_on_display SECONDS KEY...
  local t=$1
  shift
  xdotool mousemove 640 512
  xdotool keydown "$@"
  sleep "$t"
  xdotool keyup "$@"
}

# The game's window now: F11 and Q + digit make a new one.
refresh_wid() { wid=$(xdotool search --name '^Bramblehop$' | tail -1); }

shots() { ls "$1"/Screenshot_552_*.png 2>/dev/null | wc -l; }
shots_at_least() { (( $(shots "$1") >= $2 )); }

case $case_name in
name_escape)
  # Title -> options -> "Online Name" -> name entry, left with Escape: the
  # options screen must still be there to take a change of the effects
  # volume before its own Escape closes it.
  place "$base"
  start_game "$base"
  wait_title
  press Right; press Right; press z       # "Options"
  press Down; press Down; press Down      # "Online Name"
  press Return                            # a letter held on would type there
  wait_for "the save on opening name entry" test -s "$base/Settings.sav"
  press Escape 0.4                        # back to the options, on "Back"
  press Down; press Left                  # "SFX Volume" 7 -> 6
  press Escape 0.4                        # closes the options, saving
  wait_for "the effects volume saved at 6" setting_is 0 6
  quit_from_title
  wait_exit 15
  setting_is 0 6 || fail "effects volume $(setting 0), wanted 6"
  ;;
pause_options_escape)
  # In a game: Escape pauses; the options button opens the options,
  # which must stay open to take a volume change.
  place "$base"
  start_game "$base"
  wait_title
  press z 0.3; press z 0.3                # the difficulty list, Normal
  wait_play
  press Escape 0.3                        # pause
  press Right                             # the options button
  press z 0.4
  press Up; press Up; press Up; press Down  # "SFX Volume", wherever it was
  press Left
  press Escape 0.4                        # closes the options, saving
  wait_for "the effects volume saved at 6" setting_is 0 6
  press F4
  wait_exit 15
  ;;
f10_held)
  # Held for a second and a half: one picture. Pressed again at once: a
  # second one beside it, not over it.
  place "$base"
  start_game "$base"
  xdotool keydown --window "$wid" F10
  wait_for "a screenshot" shots_at_least "$base" 1
  sleep 1.5
  xdotool keyup --window "$wid" F10
  press F10
  wait_for "a second screenshot" shots_at_least "$base" 2
  press F4
  wait_exit 15
  n=$(log_count "Saving Image")
  (( n == 2 )) || fail "$n screenshots saved for two presses"
  (( $(shots "$base") == 2 )) || fail "$(shots "$base") screenshot files"
  for f in "$base"/Screenshot_552_*.png; do
    python3 "$here/pngstats.py" "$f" >/dev/null || fail "$f does not decode"
  done
  ;;
window_keys_held)
  # F11 held through the display's auto-repeat goes full screen once; Q + 2
  # held reshapes the window once.
  place "$base"
  start_game "$base"
  windows=$(log_count "Opened Window")
  hold_on_display 1.5 F11
  wait_for "full screen" log_has_at_least "Opened Fullscreen" 1
  hold_on_display 1.5 q 2
  wait_for "the reshaped window" log_has_at_least "Opened Window" $(( windows + 1 ))
  refresh_wid
  press F4
  wait_exit 15
  n=$(log_count "Opened Fullscreen")
  (( n == 1 )) || fail "F11 held went full screen $n times"
  n=$(( $(log_count "Opened Window") - windows ))
  (( n == 1 )) || fail "Q + 2 held opened $n windows"
  ;;
deep_folder)
  # A base folder whose path is some 300 characters long.
  deep=$work/deep
  for i in 0 1 2 3 4 5 6 7 8 9; do deep=$deep/a_rather_long_folder_name_$i; done
  place "$deep"
  cd "$work"
  start_game "$deep"
  # A press can fall within one long loading step; press until a picture
  # appears somewhere.
  for _ in 1 2 3 4 5; do
    press F10 0.4
    for _ in $(seq 1 40); do
      (( $(shots "$deep") + $(shots "$work") > 0 )) && break 2
      sleep 0.05
    done
  done
  wait_for "a screenshot in the base folder" shots_at_least "$deep" 1
  press F4
  wait_exit 15
  (( $(shots "$work") == 0 )) || fail "a screenshot landed in the current folder"
  ;;
*)
  echo "unknown case $case_name"; exit 2 ;;
esac
echo "$case_name ok"
