#!/usr/bin/env bash
# An hour of play: the sanitizer build of the real game under random
# keyboard input at a human pace, on its own virtual display. Fails on a
# sanitizer report, a crash, a hang (no screenshot on F10) or damaged
# saves at the end; a quit along the way (Escape on the title page, F4) is
# checked like the end and the game is started again.
#   SOAK_REAL_MINUTES  how long (default 60)
#   SOAK_REAL_SEED     the input's random seed (default: the clock)
#   SOAK_REAL_DIR      where the game, its saves, log and figures go
#                      (default: a new folder under /tmp, kept afterwards)
# Writes rss.csv (seconds, resident KiB, starts) and prints the curve.
#
# Usage: soak-real.sh BUILD_DIR   (the game at BUILD_DIR/game/Bramblehop)
set -uo pipefail
build=$(readlink -f "${1:-build-asan}")
here=$(cd "$(dirname "$0")/.." && pwd)
minutes=${SOAK_REAL_MINUTES:-60}
seed=${SOAK_REAL_SEED:-$(date +%s)}

if [[ -z "${DISPLAY:-}" || -z "${SOAK_REAL_INNER:-}" ]]; then
  SOAK_REAL_INNER=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

work=${SOAK_REAL_DIR:-$(mktemp -d /tmp/bramblehop-soak-XXXXXX)}
mkdir -p "$work"
cp "$build/game/Bramblehop" "$work/Bramblehop"
# A copy, so that a rebuild meanwhile cannot change what a restart reads.
rm -rf "$work/Data"
cp -r "$build/game/Data" "$work/Data"
cd "$work"
# LeakSanitizer's exit-time scan is unreliable among Mesa's threads; the
# in-process suite checks leaks. Everything else stops the game.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export ALSOFT_DRIVERS=null
RANDOM=$seed
echo "soak-real: ${minutes} min, seed $seed, folder $work"

pid="" wid="" starts=0 quits=0 keys=0
fail() {
  echo "SOAK FAIL: $*"
  [[ -n "$pid" ]] && kill "$pid" 2>/dev/null
  tail -30 game.log 2>/dev/null
  exit 1
}

sanitizer_report() { grep -qE "Sanitizer|runtime error:" game.log 2>/dev/null; }

start() {
  xdotool keyup Escape z x Return space Left Right Up Down F4 2>/dev/null
  echo "----- start $((starts + 1)) at $(( $(date +%s) - t0 )) s" >>game.log
  ./Bramblehop >>game.log 2>&1 &
  pid=$!
  starts=$((starts + 1))
  wid=""
  for _ in $(seq 1 600); do
    wid=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
    [[ -n "$wid" ]] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  [[ -n "$wid" ]] || fail "no window after start $starts"
}

# The game ended by itself (a quit key) or died: tell which, and check the
# saves it left.
ended() {
  wait "$pid"
  local rc=$?
  pid=""
  sanitizer_report && fail "sanitizer report"
  (( rc == 0 )) || fail "the game died with exit code $rc"
  python3 "$here/tests/e2e/savecheck.py" . >saves.txt || { cat saves.txt; fail "damaged saves after a quit"; }
  quits=$((quits + 1))
}

# Keys a player uses on every screen, weighted towards moving and
# confirming; letters for the name entry; the function keys now and then
# (F11 and Q with a digit re-create the window). Escape is rare because on
# the title page it quits; F4, which always quits, ends the run.
pick_key() {
  local r=$((RANDOM % 1000))
  if   (( r < 420 )); then local a=(Left Right Up Down); echo "${a[RANDOM % 4]}"
  elif (( r < 620 )); then echo z
  elif (( r < 720 )); then echo x
  elif (( r < 770 )); then echo Return
  elif (( r < 800 )); then echo Escape
  elif (( r < 840 )); then echo space
  elif (( r < 860 )); then echo BackSpace
  elif (( r < 950 )); then local l=(a b c d e f g h i j k l m n o p q r s t u v w y); echo "${l[RANDOM % 24]}"
  elif (( r < 968 )); then echo F1
  elif (( r < 980 )); then echo F2
  elif (( r < 986 )); then echo F11
  elif (( r < 991 )); then echo F10
  elif (( r < 998 )); then echo "q+$((RANDOM % 7 + 1))"
  else echo Tab
  fi
}

rss_kb() { awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0; }

t0=$(date +%s)
end=$((t0 + minutes * 60))
: >game.log
echo "seconds,rss_kib,starts" >rss.csv
start
last_sample=0 last_shot=$t0 last_look=$t0 answers=0 slowest=0
while (( $(date +%s) < end )); do
  now=$(date +%s)
  if ! kill -0 "$pid" 2>/dev/null; then
    ended
    start
    continue
  fi
  sanitizer_report && fail "sanitizer report"
  if (( now - last_sample >= 30 )); then
    echo "$((now - t0)),$(rss_kb),$starts" >>rss.csv
    last_sample=$now
  fi
  # The window must keep answering: now and then ask for a screenshot
  # (F10), which only the running game loop can write.
  # Keys are ignored while the loader runs, so only a loaded game is asked.
  loaded=$(grep -c "Load SFX   : 6" game.log)
  if (( loaded >= starts && now - last_shot >= 45 )); then
    # Full screen and the test shapes make a new window.
    w=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
    [[ -n "$w" ]] && wid=$w
    before=$(ls Screenshot_*.png 2>/dev/null | wc -l)
    asked=$now
    until (( $(ls Screenshot_*.png 2>/dev/null | wc -l) > before )); do
      kill -0 "$pid" 2>/dev/null || break
      (( $(date +%s) - asked > 180 )) && fail "no screenshot within 180 s: the game does not answer"
      # The release goes to the same window as the press: the game takes a
      # new F10 only after it has seen the last one let go, and a window
      # made by F11 need not have the keyboard focus.
      xdotool keydown --window "$wid" F10 2>/dev/null; sleep 0.1; xdotool keyup --window "$wid" F10 2>/dev/null
      sleep 3
      w=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
      [[ -n "$w" ]] && wid=$w
    done
    answers=$((answers + 1))
    answer_s=$(( $(date +%s) - asked ))
    (( answer_s > slowest )) && slowest=$answer_s
    # Keep the newest picture only.
    ls -t Screenshot_*.png 2>/dev/null | tail -n +2 | xargs -r rm -f
    last_shot=$(date +%s)
  fi
  # F11 and the test shapes replace the window: follow it, or the keys
  # that follow would go nowhere.
  if (( now - last_look >= 5 )); then
    w=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
    [[ -n "$w" ]] && wid=$w
    last_look=$now
  fi
  key=$(pick_key)
  hold=$(printf '0.%02d' $((RANDOM % 20 + 6)))
  if [[ "$key" == q+* ]]; then
    xdotool keydown --window "$wid" q keydown --window "$wid" "${key#q+}" 2>/dev/null
    sleep "$hold"
    xdotool keyup --window "$wid" "${key#q+}" keyup --window "$wid" q 2>/dev/null || xdotool keyup "${key#q+}" q
  else
    xdotool keydown --window "$wid" "$key" 2>/dev/null
    sleep "$hold"
    xdotool keyup --window "$wid" "$key" 2>/dev/null || xdotool keyup "$key"
  fi
  keys=$((keys + 1))
  sleep "$(printf '0.%02d' $((RANDOM % 50 + 10)))"
done

# The end: quit as a player would (F4), and check what the game left.
if kill -0 "$pid" 2>/dev/null; then
  echo "$(( $(date +%s) - t0 )),$(rss_kb),$starts" >>rss.csv
  xdotool keydown --window "$wid" F4; sleep 0.1; xdotool keyup --window "$wid" F4 2>/dev/null
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not quit at the end"
  ended
fi
grep -q "Farewell happy gamer" game.log || fail "no farewell"
echo "soak-real: $keys keys, $starts starts, $quits quits along the way or at the end"
echo "the window answered $answers screenshot requests, the slowest after $slowest s"
echo "saves: $(tr '\n' ' ' <saves.txt)"
python3 - rss.csv <<'PY'
import csv, sys
rows = [(int(r["seconds"]), int(r["rss_kib"])) for r in csv.DictReader(open(sys.argv[1])) if int(r["rss_kib"]) > 0]
if rows:
    marks = [60, 300, 600, 1200, 1800, 2400, 3000, 3600]
    curve = []
    for m in marks:
        near = min(rows, key=lambda r: abs(r[0] - m))
        if abs(near[0] - m) <= 60 and (not curve or curve[-1][0] != near[0]):
            curve.append(near)
    curve.append(rows[-1])
    print("resident memory: " + ", ".join(f"{s // 60}:{s % 60:02d} {k // 1024} MiB" for s, k in curve))
    print(f"resident memory min {min(k for _, k in rows) // 1024} MiB, max {max(k for _, k in rows) // 1024} MiB")
PY
echo "soak-real ok"
