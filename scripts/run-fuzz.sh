#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for FUZZ_SECONDS,
# starting from the seed corpus kept in fuzz/corpus/<target>. New inputs go
# to a working corpus under the build folder; crashes to build-fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-fuzz
seconds=${FUZZ_SECONDS:-60}
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBRAMBLEHOP_FUZZ=ON >/dev/null
cmake --build "$build" -j 2 --target fuzz_png fuzz_wav fuzz_ogg fuzz_load >/dev/null
mkdir -p "$build/crashes"
status=0
summary=""
for t in ${FUZZ_TARGETS:-png wav ogg load}; do
  work="$build/corpus/$t"
  mkdir -p "$work"
  cp -n fuzz/corpus/$t/* "$work/" 2>/dev/null || true
  log="$build/fuzz_$t.log"
  echo "== fuzz_$t for ${seconds}s"
  if ! ALSOFT_DRIVERS=null "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -malloc_limit_mb=1024 -max_len=200000 -print_final_stats=1 \
      -artifact_prefix="$build/crashes/${t}_" "$work" >"$log" 2>&1; then
    status=1
    echo "fuzz_$t FOUND A PROBLEM:"; grep -E "ERROR|SUMMARY|Test unit written" "$log" | head -5
  fi
  runs=$(grep -oE "stat::number_of_executed_units: [0-9]+" "$log" | grep -oE "[0-9]+$" || echo "?")
  summary+="fuzz_$t executions=$runs"$'\n'
done
printf '%s' "$summary"
exit $status
