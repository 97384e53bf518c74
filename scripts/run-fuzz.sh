#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each until it has made
# FUZZ_RUNS executions or FUZZ_SECONDS have passed, whichever comes first,
# starting from the seed corpus kept in fuzz/corpus/<target>. New inputs go
# to a working corpus under the build folder; crashes to build-fuzz/crashes.
# Prints, per target, the executions, the edges reached (libFuzzer's cov),
# executions per second and the processor time the fuzzer had: on a shared
# machine exec/s falls with the load, executions per processor second less.
#   FUZZ_RUNS     executions per target (default 1000000)
#   FUZZ_SECONDS  the most time per target (default 900: the slowest
#                 target, the Ogg decoder, needs about 750 s of processor
#                 time for a million)
#   FUZZ_TARGETS  which targets (default "png wav ogg load replay")
#   FUZZ_BUILD    build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD:-build-fuzz}
seconds=${FUZZ_SECONDS:-900}
runs_goal=${FUZZ_RUNS:-1000000}
targets=${FUZZ_TARGETS:-png wav ogg load replay}
# clang warns about other things than g++; the g++ builds are the ones CI
# holds to -Werror.
cmake --preset fuzz -B "$build" -DBRAMBLEHOP_WERROR=OFF >/dev/null
cmake --build "$build" -j 2 --target $(printf 'fuzz_%s ' $targets) >/dev/null
mkdir -p "$build/crashes"
status=0
summary=""
for t in $targets; do
  work="$build/corpus/$t"
  mkdir -p "$work"
  cp -n fuzz/corpus/$t/* "$work/" 2>/dev/null || true
  log="$build/fuzz_$t.log"
  echo "== fuzz_$t for $runs_goal executions or ${seconds}s"
  TIMEFORMAT='%U %S'
  rc=0
  cpu=$( { time ALSOFT_DRIVERS=null "$build/fuzz/fuzz_$t" -runs="$runs_goal" -max_total_time="$seconds" \
      -rss_limit_mb=2048 -malloc_limit_mb=1024 -max_len=200000 -print_final_stats=1 \
      -artifact_prefix="$build/crashes/${t}_" "$work" >"$log" 2>&1 || echo "rc=$?" >"$log.rc"; } 2>&1 )
  if [[ -s "$log.rc" ]]; then
    rc=1
    rm -f "$log.rc"
  fi
  runs=$(grep -oE "stat::number_of_executed_units: [0-9]+" "$log" | grep -oE "[0-9]+$" || true)
  if (( rc != 0 )) || [[ -z "$runs" ]] || (( runs == 0 )); then
    status=1
    echo "fuzz_$t FOUND A PROBLEM:"
    grep -E "ERROR|SUMMARY|Test unit written|deadly signal" "$log" | head -5 || tail -5 "$log"
  fi
  cov=$(grep -oE "cov: [0-9]+" "$log" | tail -1 | grep -oE "[0-9]+" || echo "?")
  rate=$(grep -oE "stat::average_exec_per_sec: +[0-9]+" "$log" | grep -oE "[0-9]+$" || echo "?")
  cpus=$(awk '{printf "%.1f", $1 + $2}' <<<"$cpu")
  per=$(awk -v r="${runs:-0}" -v c="$cpus" 'BEGIN { printf "%d", (c > 0) ? r / c : 0 }')
  reached=$(( ${runs:-0} >= runs_goal ? 1 : 0 ))
  summary+="fuzz_$t executions=${runs:-0} cov=$cov exec/s=$rate cpu_s=$cpus exec/cpu_s=$per goal_reached=$reached"$'\n'
done
printf '%s' "$summary"
exit $status
