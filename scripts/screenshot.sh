#!/usr/bin/env bash
# Remakes dist/screenshot.png, the picture at the top of the README, from
# the real game: a Normal game on a virtual display, the bird flapping
# along, then the game's own F10 screenshot. Rerun it whenever the look of
# play changes. Needs the packages `make test` installs.
#
# Usage: scripts/screenshot.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${1:-build}
make --no-print-directory build BUILD="$build" >/dev/null
bin=$(readlink -f "$build/game/Bramblehop")
out=$root/dist/screenshot.png

. tests/e2e/lib.sh
set +e
e2e_folder
game=$work/game
mkdir -p "$game"
cp "$bin" "$game/Bramblehop"
ln -s "$(dirname "$bin")/Data" "$game/Data"

start_game "$game"
press z                       # the difficulty list
wait_screen 'mode 0 page 1 overlay 0 '
press z                       # a Normal game
wait_play
# Into the cave a little way, in flight, so the picture shows play.
xdotool keydown --window "$wid" Right
for _ in 1 2 3 4; do press z 0.15; done
xdotool keyup --window "$wid" Right
press z 0.2
press F10
wait_for "the screenshot" compgen -G "$game/Screenshot_552_*.png"
shot=$(compgen -G "$game/Screenshot_552_*.png" | head -1)
# The game writes the file in one go, but give it the moment to finish.
wait_for "a whole PNG" python3 -c "import sys; d=open(sys.argv[1],'rb').read(); sys.exit(not d.endswith(b'IEND\xaeB\x60\x82'))" "$shot"
cp "$shot" "$out"
echo "wrote $out ($(stat -c %s "$out") bytes)"
