#!/usr/bin/env bash
# make bench: CPU figures with Google Benchmark, whole frames and start-up
# with our frame tool, idle CPU of the real game; everything ends up in
# <build>/bench/summary.txt as "name value unit" lines.
set -euo pipefail
build=${1:-build}
out="$build/bench"
mkdir -p "$out"
export ALSOFT_DRIVERS=null

"$build/bramblehop_bench" --benchmark_out="$out/logic.json" --benchmark_out_format=json \
  --benchmark_report_aggregates_only=true >/dev/null

xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  launch=$(date +%s%N)
  exec "$1" "$2" "$launch"' _ "$(readlink -f "$build/bramblehop_frame_bench")" \
  "$(readlink -f "$build/game")" >"$out/frames.txt"

# Idle CPU: the real game on its title page for 10 s.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  cd "$1"
  ./Bramblehop >/dev/null 2>&1 &
  pid=$!
  sleep 4
  t0=$(awk "{print \$14+\$15}" /proc/$pid/stat)
  sleep 10
  t1=$(awk "{print \$14+\$15}" /proc/$pid/stat)
  kill $pid; wait $pid 2>/dev/null || true
  echo "idle_cpu_pct $(awk -v a=$t0 -v b=$t1 -v hz=$(getconf CLK_TCK) "BEGIN{printf \"%.1f\", (b-a)/hz/10*100}") %"
' _ "$(readlink -f "$build/game")" >"$out/idle.txt"

python3 - "$out" <<'PY'
import json, sys
out = sys.argv[1]
rows = []
bench = json.load(open(f"{out}/logic.json"))["benchmarks"]
med = {b["run_name"]: b["real_time"] for b in bench if b.get("aggregate_name") == "median"}
upd = med["BM_UpdateStep"]
rows.append(("update_step_us", f"{upd:.1f}", "us"))
rows.append(("update_budget_pct", f"{upd / 16670 * 100:.2f}", "%"))
rows.append(("level_gen_us", f"{med['BM_LevelGen']:.1f}", "us"))
for f in ("frames.txt", "idle.txt"):
    for line in open(f"{out}/{f}"):
        parts = line.split()
        if len(parts) == 3:
            rows.append(tuple(parts))
with open(f"{out}/summary.txt", "w") as s:
    for r in rows:
        s.write(" ".join(r) + "\n")
width = max(len(r[0]) for r in rows)
for name, value, unit in rows:
    print(f"{name:<{width}}  {value:>10} {unit}")
print(f"(written to {out}/summary.txt)")
PY
