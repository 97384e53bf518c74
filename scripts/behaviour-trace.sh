#!/usr/bin/env bash
# Records what a build does, to compare two builds that should behave alike
# (a restructuring): the seeded monkey's trace for three seeds (every
# update's drawing, sounds and music, then the save files) and screenshots
# of busy play, the options, the title and the credits.
#   scripts/behaviour-trace.sh <build> <out folder>
#   diff -r <before> <after>   # no output: the same behaviour
set -euo pipefail
build=$(readlink -f "${1:-build}")
out=${2:?an output folder}
mkdir -p "$out"
out=$(readlink -f "$out")
for seed in 552 7 1234; do
  "$build/bramblehop_soak" 30000 "$seed" "$out/trace-$seed.txt" >/dev/null 2>&1
done
ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$build/bramblehop_frame_bench" "$build/game" "$(date +%s%N)" "$out" >/dev/null 2>&1
ls "$out"
