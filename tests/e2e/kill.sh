#!/usr/bin/env bash
# Ending the real game abruptly must never cost the player their saves.
#   kills    SIGKILL at random moments while the game saves: at start-up,
#            when quitting, when the options close and after a game. After
#            each kill both save files must be the old or the new version
#            and pass their checks. E2E_KILLS sets how many (default 20).
#   sigterm  SIGTERM during a game ends it normally, settings and scores
#            saved (the game just started counts as played).
#   display  the X server going away during a game: the game saves first.
#
# Usage: kill.sh CASE path/to/Bramblehop
set -uo pipefail
case_name=$1
bin=$(readlink -f "$2")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

[[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs a display"; exit 0; }
e2e_folder
cp "$bin" "$work/Bramblehop"
ln -s "$(dirname "$bin")/Data" "$work/Data"
cd "$work"
log=$work/out.txt

saves_ok() {  # saves_ok WHAT: both files whole and valid, else fail
  python3 "$here/savecheck.py" . >check.txt || { cat check.txt; fail "$1"; }
}
digest() { awk -v f="$1" '$1 == f {print $3}' check.txt; }
games_played() { python3 -c 'import struct; print(struct.unpack_from("<i", open("Save_552_Bramblehop.sav", "rb").read(), 0)[0])'; }
temporaries() { compgen -G "$work/*.tmp-*" | wc -l; }

# The loader's last file; its animation then runs on for a moment, during
# which keys are ignored.
wait_loaded() {
  for _ in $(seq 1 1200); do
    if grep -q "Load SFX   : 6" "$log"; then
      # By now the start-up window has given way to the game's own.
      wid=$(xdotool search --name '^Bramblehop$' 2>/dev/null | tail -1)
      return 0
    fi
    sleep 0.05
  done
  fail "the loader did not finish"
}

# F4 quits from any screen once the loader is done; the first press may
# still meet its last moment.
quit_game() {
  wait_loaded
  for _ in $(seq 1 40); do
    kill -0 "$pid" 2>/dev/null || break
    press F4 0.08
    sleep 0.2
  done
}

# Starts a game from the title page: z opens the difficulty list and z
# starts the highlighted one. Keep pressing past the loader's last moment;
# once playing, z only flaps.
play_a_game() {
  wait_loaded
  for _ in $(seq 1 "${1:-20}"); do press z 0.08; sleep 0.2; done
}

# A first start creates both files.
start_game "$work"
quit_game
wait_exit 30
saves_ok "the first start left damaged saves"

case "$case_name" in
sigterm)
  before=$(games_played)
  start_game "$work"
  play_a_game
  kill -TERM "$pid"
  wait_exit 30
  saves_ok "damaged saves after SIGTERM"
  after=$(games_played)
  echo "games played before $before, after SIGTERM $after"
  (( after > before )) || fail "the game started before SIGTERM was not saved"
  ;;

display)
  # A display of our own, so that closing it ends nobody else's windows.
  exec 5>"$work/display.txt"
  Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xpid=$!
  trap 'kill $xpid 2>/dev/null; e2e_cleanup' EXIT
  for _ in $(seq 1 200); do [[ -s "$work/display.txt" ]] && break; sleep 0.05; done
  [[ -s "$work/display.txt" ]] || fail "no display of our own"
  export DISPLAY=":$(head -1 "$work/display.txt")"
  before=$(games_played)
  start_game "$work"
  play_a_game
  kill "$xpid"
  for _ in $(seq 1 300); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && fail "the game did not end without its display"
  wait "$pid"
  echo "exit code $? without the display"
  pid=""
  grep -q "Lost the display" "$log" || fail "no word of the lost display"
  grep -qE "Sanitizer|runtime error:" "$log" && fail "a sanitizer report"
  saves_ok "damaged saves after losing the display"
  after=$(games_played)
  echo "games played before $before, after losing the display $after"
  (( after > before )) || fail "the game started before the display went was not saved"
  ;;

kills)
  kills=${E2E_KILLS:-20}
  # Does the game clear away temporaries a kill left? A planted one tells.
  echo planted >"$work/Settings.sav.tmp-Plant1"
  start_game "$work"
  quit_game
  wait_exit 30
  strict=0
  [[ -e "$work/Settings.sav.tmp-Plant1" ]] || strict=1
  rm -f "$work/Settings.sav.tmp-Plant1"
  echo "the game $( ((strict)) && echo removes || echo keeps) stale temporaries at start"

  kinds=(start quit options game)
  replaced=0 scores_replaced=0 during=0 left=0 stale=0
  for n in $(seq 1 "$kills"); do
    kind=${kinds[$(( (n - 1) % 4 ))]}
    saves_ok "before kill $n"
    old_settings=$(digest Settings.sav)
    old_scores=$(digest Save_552_Bramblehop.sav)
    # Values the loader corrects, so that even the start-up save differs
    # from the file it read.
    python3 - $((11 + RANDOM % 50)) <<'PY'
import struct, sys
d = bytearray(open("Settings.sav", "rb").read())
struct.pack_into("<i", d, 0, int(sys.argv[1]))
open("Settings.sav", "wb").write(d)
PY
    saves_ok "the test's own change to Settings.sav"
    old_settings=$(digest Settings.sav)

    if [[ $kind == start ]]; then
      ALSOFT_DRIVERS=null ./Bramblehop >"$log" 2>&1 &
      pid=$!
    else
      start_game "$work"
      # Temporaries a kill left must be gone once the game has started.
      if (( strict )) && (( $(temporaries) > 0 )); then
        ls "$work"/*.tmp-* ; fail "kill $((n - 1)) left a temporary that the next start kept"
      fi
      (( $(temporaries) > 0 )) && stale=$((stale + $(temporaries)))
      rm -f "$work"/*.tmp-*
      case $kind in
      quit) quit_game & presser=$! ;;
      options) (wait_loaded; for _ in 1 2 3 4 5 6; do press Right; press Right; press z; press Down; press Right; press Escape; done) & presser=$! ;;
      game) (play_a_game 10; press Escape; press Left; press z; press z) & presser=$! ;;
      esac
    fi
    # Half the kills land the moment a save is seen under way (at once: a
    # save takes milliseconds), the other half at a random moment of the
    # next seconds.
    case $kind in start) span=2 ;; quit) span=3 ;; options) span=8 ;; game) span=12 ;; esac
    limit=$(( ${EPOCHREALTIME/./} + (span + 3) * 1000000 ))
    if [[ $kind == game ]]; then
      # Quitting the game rewrites the score file with the game counted:
      # these kills land while it is written or just after. A slow machine
      # only delays the quit, so the wait is for the keys, not a time.
      # The save comes once the end banner has gone, on the way back to
      # the difficulty list.
      wait "$presser" 2>/dev/null
      presser=""
      if (( RANDOM % 2 )); then
        limit=$(( ${EPOCHREALTIME/./} + E2E_CEILING * 1000000 ))
        until compgen -G "$work/Save_552_Bramblehop.sav.tmp-*" >/dev/null || screen_is 'mode 0 page 1 ' ||
          (( ${EPOCHREALTIME/./} > limit )); do :; done
      else
        wait_screen 'mode 0 page 1 '
        sleep "0.$((RANDOM % 10))"
      fi
    elif (( RANDOM % 2 )); then
      until compgen -G "$work/*.tmp-*" >/dev/null || (( ${EPOCHREALTIME/./} > limit )); do :; done
    else
      sleep "$((RANDOM % span)).$((RANDOM % 10))"
    fi
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    pid=""
    if [[ -n "${presser:-}" ]]; then
      kill "$presser" 2>/dev/null
      wait "$presser" 2>/dev/null
      presser=""
    fi
    xdotool keyup Escape z x Left Right Up Down F4 2>/dev/null
    now_left=$(temporaries)
    (( now_left > 0 )) && during=$((during + 1))
    left=$((left + now_left))
    saves_ok "after kill $n ($kind)"
    versions=""
    for f in Settings.sav Save_552_Bramblehop.sav; do
      [[ $f == Settings.sav ]] && old=$old_settings || old=$old_scores
      if [[ "$(digest $f)" == "$old" ]]; then versions+=" old"; else
        versions+=" new"
        replaced=$((replaced + 1))
        [[ $f == Settings.sav ]] || scores_replaced=$((scores_replaced + 1))
      fi
    done
    echo "kill $n ($kind):$versions, $now_left temporaries"
    grep -qE "Sanitizer|runtime error:" "$log" && fail "a sanitizer report before kill $n"
  done
  echo "$kills kills survived: $during during a save, $replaced files replaced by a newer whole version ($scores_replaced of them the score file)"
  echo "temporaries left by the kills: $left; still there after the next start: $stale"
  ;;
*)
  fail "unknown case $case_name"
  ;;
esac
echo "kill $case_name ok"
