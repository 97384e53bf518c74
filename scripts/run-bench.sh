#!/usr/bin/env bash
# Runs the benchmarks of one build folder; figures land in <build>/bench.
set -euo pipefail
build=${1:-build}
mkdir -p "$build/bench"
if [[ -x "$build/bramblehop_bench" ]]; then
  ALSOFT_DRIVERS=null xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/bramblehop_bench" --benchmark_out="$build/bench/results.json" --benchmark_out_format=json
else
  echo "No benchmarks built yet."
fi
