#!/usr/bin/env bash
# The installed game and the portable build folder, each started from some
# other working directory: the installed copy (in a read-only prefix, found
# on PATH by its bare name) reads its data relative to its binary and keeps
# saves and screenshots in the user's data folder; the portable folder keeps
# them beside its binary. With --system, only the installed part, on the
# copy a package put on PATH (/usr/games/bramblehop), which must leave its
# data folder as the package left it even when run as root.
#
# Usage: install.sh BUILD_DIR path/to/Bramblehop
#        install.sh --system
set -uo pipefail
system=""
if [[ ${1:-} == --system ]]; then
  system=1
else
  build=$(readlink -f "$1")
  bin=$(readlink -f "$2")
fi
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

[[ -n "${DISPLAY:-}" ]] || { echo "SKIP: needs a display"; exit 0; }
# A read-only prefix needs a mount: root, or a private user and mount
# namespace when the kernel allows one.
if [[ -z "$system" ]] && (( EUID != 0 )); then
  if [[ -z "${E2E_IN_NAMESPACE:-}" ]] && unshare -rm true 2>/dev/null; then
    E2E_IN_NAMESPACE=1 exec unshare -rm bash "$0" "$@"
  fi
  echo "SKIP: cannot mount a read-only prefix here"; exit 0
fi

e2e_folder
# A game still running from the prefix would keep it mounted.
trap 'kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; pid=""; e2e_cleanup' EXIT
prefix=$work/prefix
elsewhere=$work/elsewhere
export XDG_DATA_HOME=$work/xdg
saves=$XDG_DATA_HOME/bramblehop
mkdir -p "$elsewhere"

# install_read_only: the build installed into $prefix, then made read-only.
install_read_only() {
  mkdir -p "$prefix"
  mount -t tmpfs -o size=16m tmpfs "$prefix" || { echo "SKIP: cannot mount a tmpfs"; exit 0; }
  e2e_mounts+=("$prefix")
  # cmake --install rewrites the build's manifest; keep the one a real
  # `make install` left there for `make uninstall`.
  local manifest=$build/install_manifest.txt kept=""
  [[ -f "$manifest" ]] && kept=$work/manifest && cp "$manifest" "$kept"
  cmake --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 ||
    fail "cmake --install: $(tail -3 "$work/install.txt")"
  if [[ -n "$kept" ]]; then cp "$kept" "$manifest"; else rm -f "$manifest"; fi
  [[ -x "$prefix/bin/bramblehop" ]] || fail "no bin/bramblehop in the prefix"
  mount -o remount,ro "$prefix" || fail "cannot make the prefix read-only"
}

# session DIR NAME SAVES: a short Normal game with a screenshot, quit
# through the pause menu, then back out of the scoreboard and the title.
session() {
  log=$work/$2.txt
  start_game "$1"
  if command -v xprop >/dev/null; then
    icon=$(xprop -id "$wid" -len 8 _NET_WM_ICON 2>&1)
    [[ "$icon" == *"Icon (256 x 256)"* ]] || fail "the window has no icon: $icon"
  fi
  [[ -z "${4:-}" ]] || window_matches_launcher "$4"
  short_game "$3"
}

# window_matches_launcher DESKTOP_FILE: a dock groups the running window
# with its menu entry only when the window's WM_CLASS class is the entry's
# StartupWMClass.
window_matches_launcher() {
  command -v xprop >/dev/null || fail "xprop is needed (x11-utils)"
  local wanted class
  wanted=$(sed -n 's/^StartupWMClass=//p' "$1")
  [[ -n "$wanted" ]] || fail "$1 names no StartupWMClass"
  class=$(xprop -id "$wid" WM_CLASS 2>&1)
  [[ "$class" =~ ^WM_CLASS\(STRING\)\ =\ \"[^\"]+\",\ \"([^\"]+)\"$ ]] || fail "no WM_CLASS: $class"
  [[ "${BASH_REMATCH[1]}" == "$wanted" ]] ||
    fail "the window's class ${BASH_REMATCH[1]} is not the launcher's StartupWMClass $wanted"
}

# saves_in DIR: whole save files that counted the game, and a screenshot.
saves_in() {
  game_saved "$1"
  compgen -G "$1/Screenshot_552_*.png" >/dev/null || fail "no screenshot in $1"
}

# ---- installed: a read-only prefix, started by name from PATH ----
# The window's class is checked against the installed menu entry.
if [[ -n "$system" ]]; then
  prefix=$(dirname "$(dirname "$(readlink -f "$(command -v bramblehop)")")")
  [[ -d "$prefix/share/games/bramblehop/Data/552" ]] || fail "no installed game on PATH"
  before=$(find "$prefix/share/games/bramblehop" -printf '%p %s %T@\n' | sort)
else
  install_read_only
fi

# What the desktop starts: the command name alone, found on PATH.
mkdir -p "$work/launcher"
printf '#!/bin/sh\nexec bramblehop "$@"\n' >"$work/launcher/Bramblehop"
chmod +x "$work/launcher/Bramblehop"
cd "$elsewhere"
bindir=$prefix/bin
[[ -n "$system" ]] && bindir=$(dirname "$(readlink -f "$(command -v bramblehop)")")
PATH="$bindir:$PATH" session "$work/launcher" installed "$saves" \
  "$prefix/share/applications/io.github.bramblehop.bramblehop.desktop"
grep -qF "Saves and screenshots go to $saves" "$log" || fail "no log line naming $saves"
grep -q "OMGERRORZ\|Could not\|No window icon" "$log" && fail "the installed data was not all found"
saves_in "$saves"
[[ -z "$(ls -A "$elsewhere")" ]] || fail "files in the working directory: $(ls -A "$elsewhere")"
if [[ -n "$system" ]]; then
  after=$(find "$prefix/share/games/bramblehop" -printf '%p %s %T@\n' | sort)
  [[ "$before" == "$after" ]] || fail "the installed data folder changed: $(diff <(echo "$before") <(echo "$after"))"
  echo "installed game ok"
  exit 0
fi

# ---- portable: the build folder's layout, writable, started by path ----
portable=$work/portable
mkdir -p "$portable"
cp "$bin" "$portable/Bramblehop"
ln -s "$(dirname "$bin")/Data" "$portable/Data"
rm -rf "$XDG_DATA_HOME"
session "$portable" portable "$portable"
grep -q "Saves and screenshots go to" "$log" && fail "the portable copy moved its saves"
saves_in "$portable"
[[ ! -e "$XDG_DATA_HOME" ]] || fail "the portable copy wrote to $XDG_DATA_HOME"
[[ -z "$(ls -A "$elsewhere")" ]] || fail "files in the working directory: $(ls -A "$elsewhere")"
echo "install ok"
