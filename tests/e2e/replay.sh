#!/usr/bin/env bash
# The real game records a whole game, keeps it as the best run, and plays
# it back from the difficulty list's board to the same score.
#
# Usage: replay.sh path/to/Bramblehop
set -uo pipefail
bin=$(readlink -f "$1")
data=$(dirname "$bin")/Data
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

[[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs a display"; exit 0; }

e2e_folder
game=$work/game
mkdir -p "$game"
ln -s "$bin" "$game/Bramblehop"
ln -s "$data" "$game/Data"

start_game "$game"
press z                       # the difficulty list
wait_screen 'mode 0 page 1 overlay 0 '
press z                       # a Normal game
wait_play
# Off the ledge and into the floor, again and again, to the last life.
until screen_is 'overlay 6 '; do
  xdotool keydown --window "$wid" Right
  sleep 1
  xdotool keyup --window "$wid" Right
  wait_for "Right to be seen released" key_gone "$(key_bit Right)"
  sleep 0.5
  game_gone && fail "the game ended while it was played"
done
wait_for "the best run kept" test -s "$game/Best_Normal.replay"
press z                       # the summary gives way to the list
wait_screen 'mode 0 page 1 overlay 0 paused 0 banner 0 '
press c                       # "Watch best run [C]"
wait_log 'The replay played back exactly, score [0-9]+|This replay does not match'
log_has 'This replay does not match' && fail "the replay did not play back as recorded"
recorded=$(grep -ao 'score [0-9]*' "$log" | tail -1)
echo "played back exactly: $recorded"
press z                       # any press after the end leaves
wait_screen 'mode 0 page 1 overlay 0 '
press x                       # the title page
quit_from_title
wait_exit 15
echo "PASS"
