#!/usr/bin/env bash
# Plays the real game as a person would, under the display the test runner
# provides: loading, title, difficulty list, a game (walk, flap, pause,
# resume, options, quit through the pause menu), the scoreboard, the
# credits, and quitting. Checks what a player would notice.
#
# Usage: playthrough.sh path/to/Bramblehop
set -uo pipefail
bin=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

[[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs a display"; exit 0; }
e2e_folder
cp "$bin" "$work/Bramblehop"
ln -s "$(dirname "$bin")/Data" "$work/Data"
cd "$work"
start_game "$work"
echo "window appeared after ${appeared} ms"
(( appeared <= E2E_WINDOW_MS )) || fail "window took ${appeared} ms (limit ${E2E_WINDOW_MS})"

shots=()
shoot() {  # shoot NAME: an F10 screenshot of the game, kept as NAME.png
  rm -f Screenshot_552_*.png
  press F10
  for _ in $(seq 1 40); do
    f=$(ls Screenshot_552_*.png 2>/dev/null | head -1)
    [[ -n "$f" ]] && sleep 0.2 && break
    sleep 0.05
  done
  [[ -n "$f" ]] || fail "no screenshot for $1"
  mv "$f" "$1.png"
  stats=$(python3 "$here/pngstats.py" "$1.png") || fail "screenshot $1 does not decode"
  echo "$1: $stats"
  shots+=("$1:$stats")
  sleep 1.05  # screenshot names carry the second
}

shoot loading
sleep 2.5
shoot title
press z                      # Start: the difficulty list
sleep 0.5
shoot difficulty
press z                      # Normal: a game
sleep 1
shoot game
press Right 2.6              # walk to the open exit of the first room
press z 0.1; sleep 0.4; press z 0.1
sleep 1.5                    # the next cave scrolls in
shoot level
press Escape                 # pause
sleep 0.4
shoot paused
press z                      # resume
sleep 0.4
press Escape                 # pause again, then the options
sleep 0.3
press Right
press z
sleep 0.5
shoot options
press Escape                 # back to the pause menu
sleep 0.4
press Left; press Left       # to "quit"
press z
sleep 3                      # the "Quit" "Game" banner, then the scoreboard
shoot scoreboard
press x                      # back to the title page
sleep 0.6
press Left; press Left       # to "Credits"
press z
sleep 1
shoot credits
press z                      # close the credits
sleep 0.6
press Escape                 # quit from the title page
wait_exit 10

# Every state must look different from the one before it.
python3 - "${shots[@]}" <<'PY' || fail "two successive screens look the same"
import sys
prev = None
for item in sys.argv[1:]:
    name, stats = item.split(":", 1)
    v = [float(x) for x in stats.split()[2:]]
    if prev is not None:
        d = sum(abs(a - b) for a, b in zip(v, prev[1]))
        if d < 2.0:
            print(f"{prev[0]} -> {name}: difference {d:.1f}")
            sys.exit(1)
    prev = (name, v)
PY

# The captured sound is not silent: the first sign of life while loading,
# and effects and music during play.
python3 - sound.wav <<'PY' || fail "sound check"
import array, struct, sys
# The capture may use the extensible format tag, which the wave module
# refuses; walk the chunks ourselves (mono, 16-bit, 44.1 kHz by the config).
data = open(sys.argv[1], "rb").read()
pos, pcm = 12, b""
while pos + 8 <= len(data):
    tag, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
    if tag == b"data":
        pcm = data[pos + 8:pos + 8 + size]
        break
    pos += 8 + size
rate = 44100
s = array.array("h", pcm[:len(pcm) // 2 * 2])
def rms(a, b):
    part = s[int(a * rate):int(b * rate)]
    return (sum(x * x for x in part[::7]) / max(1, len(part[::7]))) ** 0.5
print(f"sound: {len(s) / rate:.1f} s, loading rms {rms(0, 2.5):.0f}, game rms {rms(6, 9):.0f}")
if rms(0, 2.5) < 30 or rms(6, 9) < 30:
    sys.exit(1)
PY

# The save files are whole and hold the game's score.
python3 - <<'PY' || fail "save files"
import os, struct
assert os.path.getsize("Settings.sav") == 4496, "Settings.sav size"
data = open("Save_552_Bramblehop.sav", "rb").read()
assert len(data) == 88404, "score file size"
v = struct.unpack("<22101i", data)
settings, scores = v[:100], v[100:22100]
assert settings[0] >= 1, "games played"
last = scores[20 * 2 + 5]
print(f"games played {settings[0]}, last Normal score {last}, top {scores[40]}")
assert last > 0, "the game's score is on the Last 5 board"
PY
echo "playthrough ok"
