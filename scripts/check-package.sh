#!/usr/bin/env bash
# The Debian package as a player meets it: built from the build folder, its
# files and declared dependencies checked, lintian and hardening-check
# (any lintian error or warning fails), the desktop entry and metainfo
# validated, installed with apt-get, a short game from the `bramblehop`
# command, then removed and checked gone. Needs root or sudo; CI runs it.
#
# Usage: scripts/check-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
fail() { echo "package check FAILED: $*"; exit 1; }

bash scripts/deps.sh --tests desktop-file-utils appstream dpkg-dev fakeroot file lintian devscripts
make --no-print-directory package BUILD="$build"
debs=("$build"/package/bramblehop_*.deb)
(( ${#debs[@]} == 1 )) || fail "expected one package, found: ${debs[*]}"
deb=$(readlink -f "${debs[0]}")

desktop-file-validate dist/*.desktop || fail "desktop-file-validate"
appstreamcli validate --pedantic --no-net "$build"/dist/*.metainfo.xml || fail "appstreamcli validate"

# Debian's own checks. Lintian's informational notes are shown; an error
# or a warning fails.
lintian_out=$(lintian --pedantic --display-info "$deb" 2>&1 | grep -v 'running with root privileges' || true)
echo "lintian: ${lintian_out:-no tags}"
grep -qE '^[EW]: ' <<<"$lintian_out" && fail "lintian reports errors or warnings"
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
hardening-check "$unpacked/usr/games/bramblehop" || fail "hardening-check"

# Contents: the command, the data, the desktop files; nothing else.
files=$(dpkg-deb -c "$deb" | awk '{print $6}' | grep -v '/$' | sed 's|^\./|/|' | sort)
id=io.github.bramblehop.bramblehop
need=(/usr/games/bramblehop
      /usr/share/doc/bramblehop/copyright
      /usr/share/doc/bramblehop/changelog.gz
      /usr/share/man/man6/bramblehop.6.gz
      /usr/share/games/bramblehop/Data/552/entplain.png
      /usr/share/games/bramblehop/Data/552/icon.png
      /usr/share/games/bramblehop/Data/552/audio/01.wav
      /usr/share/games/bramblehop/Data/552/audio/pages.ogg
      /usr/share/games/bramblehop/Data/552/demo.replay
      /usr/share/applications/$id.desktop
      /usr/share/metainfo/$id.metainfo.xml)
for size in 32 64 128 256 512; do need+=(/usr/share/icons/hicolor/${size}x$size/apps/$id.png); done
for f in "${need[@]}"; do grep -qxF "$f" <<<"$files" || fail "the package lacks $f"; done
stray=$(grep -v -e '^/usr/games/bramblehop$' -e '^/usr/share/games/bramblehop/Data/552/' \
  -e '^/usr/share/doc/bramblehop/\(copyright\|changelog.gz\)$' -e '^/usr/share/man/man6/bramblehop.6.gz$' \
  -e "^/usr/share/applications/$id.desktop$" -e "^/usr/share/metainfo/$id.metainfo.xml$" \
  -e "^/usr/share/icons/hicolor/[0-9]*x[0-9]*/apps/$id.png$" <<<"$files" || true)
[[ -z "$stray" ]] || fail "unexpected files in the package: $stray"
echo "package holds $(wc -l <<<"$files") files"

# Dependencies: the runtime libraries the binary links, never a -dev
# package or a library only the tests use.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libc6 libglfw3 libopenal1 libgl1 liblodepng0; do
  grep -qE "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib"
done
grep -qE -- '-dev|vorbis|gtest|benchmark' <<<"$depends" && fail "Depends names a build or test package"

# Install, play, remove.
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$deb" >/dev/null || fail "apt-get install"
# /usr/games is on a user's PATH on Debian, not on root's.
export PATH=$PATH:/usr/games
[[ "$(command -v bramblehop)" == /usr/games/bramblehop ]] || fail "bramblehop is not on PATH"
[[ "$(bramblehop --version)" == "Bramblehop $(dpkg-deb -f "$deb" Version)" ]] ||
  fail "the binary and the package disagree on the version"
grep -qF "<release version=\"$(dpkg-deb -f "$deb" Version)\"" /usr/share/metainfo/$id.metainfo.xml ||
  fail "the metainfo has no release of this version"
# The window shows the very picture the menu shows.
cmp -s /usr/share/games/bramblehop/Data/552/icon.png /usr/share/icons/hicolor/256x256/apps/$id.png ||
  fail "the window icon differs from the menu icon"
man -l /usr/share/man/man6/bramblehop.6.gz >/dev/null 2>&1 || fail "man cannot read the manual page"
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash tests/e2e/install.sh --system ||
  { $sudo apt-get remove -y -qq bramblehop >/dev/null; fail "the installed game"; }
$sudo env DEBIAN_FRONTEND=noninteractive apt-get remove -y -qq bramblehop >/dev/null || fail "apt-get remove"
dpkg-query -W -f='${Status}' bramblehop 2>/dev/null | grep -q "install ok installed" && fail "still installed"
for f in "${need[@]}"; do [[ ! -e "$f" ]] || fail "$f is still there"; done
[[ ! -e /usr/share/games/bramblehop ]] || fail "/usr/share/games/bramblehop is still there"
echo "package ok: $(basename "$deb")"
