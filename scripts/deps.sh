#!/usr/bin/env bash
# Installs the Debian packages a target needs, only when one of them is
# missing: the game alone by default; with --tests also what the tests,
# benchmarks and soak need. Extra package names can follow.
#
# As root it installs; as a user it asks sudo when there is one. Without
# sudo (a machine set up with a root password) it prints the command to run
# as root and fails, rather than half-failing on "sudo: command not found".
#
# Usage: scripts/deps.sh [--tests] [PACKAGE...]
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libglfw3-dev libgl-dev libx11-dev libxext-dev libgl1-mesa-dri
  libopenal-dev libstb-dev liblodepng-dev libvorbis-dev
)
if [[ ${1:-} == --tests ]]; then
  shift
  packages+=(libgtest-dev libbenchmark-dev mesa-utils xvfb xauth xdotool x11-utils python3 pulseaudio pulseaudio-utils)
fi
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

install=(apt-get install -y --no-install-recommends "${missing[@]}")
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null 2>&1; then
    {
      echo "Missing packages: ${missing[*]}"
      echo "There is no sudo here; install them as root (su -), then run make again:"
      echo "  ${install[*]}"
    } >&2
    exit 1
  fi
  sudo=(sudo)
else
  sudo=()
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" env DEBIAN_FRONTEND=noninteractive "${install[@]}" -qq
