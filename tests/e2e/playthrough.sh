#!/usr/bin/env bash
# Plays the real game as a person would, on an X server of its own: loading, title, difficulty list, a game (walk, flap, pause,
# resume, options, quit through the pause menu), the scoreboard, the
# credits, and quitting. Checks what a player would notice.
#
# Usage: playthrough.sh path/to/Bramblehop
set -uo pipefail
bin=$(readlink -f "$1")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

e2e_folder
[[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs Xvfb or a display"; exit 0; }
cp "$bin" "$work/Bramblehop"
ln -s "$(dirname "$bin")/Data" "$work/Data"
cd "$work"
start_game "$work" window
# Reported, not judged: a test run on a busy machine says nothing of how
# fast a player's window appears.
echo "window appeared after ${appeared} ms"

shots=()
shot_taken() { (($(grep -c '> Saving Image' "$log") > $1)); }
shot_ready() {  # the game's screenshot is written out whole
  f=$(ls Screenshot_552_*.png 2>/dev/null | head -1)
  [[ -n "$f" ]] && python3 "$here/pngstats.py" "$f" >/dev/null 2>&1
}
shoot() {  # shoot NAME: an F10 screenshot of the game, kept as NAME.png
  local before
  rm -f Screenshot_552_*.png
  before=$(grep -c '> Saving Image' "$log")
  # F10 is a hot key, not a control: hold it until the game says it saves.
  xdotool keydown --window "$wid" F10
  sleep 0.06
  wait_for "a screenshot for $1" shot_taken "$before"
  xdotool keyup --window "$wid" F10
  wait_for "the screenshot $1 to be written" shot_ready
  mv "$f" "$1.png"
  stats=$(python3 "$here/pngstats.py" "$1.png") || fail "screenshot $1 does not decode"
  echo "$1: $stats"
  shots+=("$1:$stats")
}

# Where the sound capture stands when something happens, in bytes.
sound_at() { stat -c %s sound.wav 2>/dev/null || echo 44; }
sound_past() { (($(sound_at) >= $1)); }

shoot loading
wait_title
sound_title=$(sound_at)
shoot title
# Three seconds of the title page, long after the loader's first sound.
wait_for "three seconds of sound on the title page" sound_past $((sound_title + 3 * 88200))
press z                      # Start: the difficulty list
wait_screen 'mode 0 page 1 overlay 0 '
shoot difficulty
press z                      # Normal: a game
wait_screen 'overlay 5 '      # fresh settings: how to play first
shoot howtoplay
press z
wait_screen 'mode 10 '        # the introductory room
sound_game=$(sound_at)
level=$(screen_now | sed 's/.* level \([0-9]*\) .*/\1/')
shoot game
# Walk to the open exit of the first room until the next cave is there.
xdotool keydown --window "$wid" Right
wait_for "Right to be seen held" key_seen "$(key_bit Right)"
# A slow machine takes long steps, and a long step can leave the bird
# against a ledge it would have walked over: flap now and then to get on.
end=$((SECONDS + E2E_CEILING))
flap_at=$((SECONDS + 15))
until screen_is "mode 10 .* level $((level + 1)) "; do
  game_gone && fail "the game ended while walking to the next cave"
  ((SECONDS < end)) || fail "waited ${E2E_CEILING} s for the next cave"
  if ((SECONDS >= flap_at)); then press z; flap_at=$((SECONDS + 15)); fi
  sleep 0.05
done
xdotool keyup --window "$wid" Right
wait_for "Right to be seen released" key_gone "$(key_bit Right)"
press z; press z             # two flaps
shoot level
sound_pause_key=$(sound_at)
press Escape                 # pause
wait_screen 'paused 1 '
sound_pause=$(sound_at)
shoot paused
press z                      # resume
wait_screen 'paused 0 '
press Escape                 # pause again, then the options
wait_screen 'paused 1 '
press Right
press z
wait_screen 'overlay 1 '
shoot options
press Escape                 # back to the pause menu
wait_screen 'overlay 0 paused 1 '
press Left; press Left       # to "quit", which asks once
press z; press z
# The "Quit" "Game" banner, then the scoreboard beside the difficulty list;
# keys count again once the banner has shrunk away.
wait_screen 'mode 0 page 1 overlay 0 paused 0 banner 0 '
shoot scoreboard
press x                      # back to the title page
wait_screen 'mode 0 page 0 overlay 0 '
press Left; press Left       # to "Credits"
press z
wait_screen 'overlay 2 '
shoot credits
press z                      # close the credits
wait_screen 'mode 0 page 0 overlay 0 '
quit_from_title
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
# the menu song on the title page, effects and music during play, and the
# pause sound when the game stops (told by its first note, a B that the
# play song never sounds).
python3 - sound.wav "$sound_title" "$sound_game" "$sound_pause" "$sound_pause_key" <<'PY' || fail "sound check"
import array, struct, sys
# The capture may use the extensible format tag, which the wave module
# refuses; walk the chunks ourselves (mono, 16-bit, 44.1 kHz by the config).
data = open(sys.argv[1], "rb").read()
pos, pcm, start = 12, b"", 0
while pos + 8 <= len(data):
    tag, size = data[pos:pos + 4], struct.unpack("<I", data[pos + 4:pos + 8])[0]
    if tag == b"data":
        start = pos + 8
        pcm = data[start:start + size]
        break
    pos += 8 + size
rate = 44100
s = array.array("h", pcm[:len(pcm) // 2 * 2])
# Sample positions of the title page, the game's start and its pause, from
# the capture's size when each was seen (2 bytes a sample).
title, game, pause, key = (max(0, int(v) - start) // 2 for v in sys.argv[2:6])
def rms(a, b):
    part = s[a:b:7]
    return (sum(x * x for x in part) / max(1, len(part))) ** 0.5
loading, playing = rms(0, title), rms(game, pause)
menu = rms(title + int(1.5 * rate), title + 3 * rate)
import math
def b_share(a):  # how much of a 46 ms window is the pause sound's B (988 Hz)
    n, w = 2048, 2 * math.cos(2 * math.pi * 987.77 / rate)
    q1 = q2 = 0.0
    for x in s[a:a + n]:
        q1, q2 = x + w * q1 - q2, q1
    power = q1 * q1 + q2 * q2 - w * q1 * q2
    total = sum(x * x for x in s[a:a + n]) * n / 2
    return power / total if total > 0 else 0.0
# The pause sound falls between pressing the key and a little after the
# game was seen paused (a busy machine may see it late).
before = max((b_share(a) for a in range(game, key, 2048)), default=0.0)
after = max((b_share(a) for a in range(key, pause + 2 * rate, 512)), default=0.0)
print(f"sound: {len(s) / rate:.1f} s, loading {title / rate:.1f} s rms {loading:.0f}, "
      f"title page rms {menu:.0f}, game {(pause - game) / rate:.1f} s rms {playing:.0f}, "
      f"pause sound's B {after:.2f} of a window (play at most {before:.2f})")
if loading < 30 or playing < 30 or menu < 300 or after < 0.3 or after < 3 * before:
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
