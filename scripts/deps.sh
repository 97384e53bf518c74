#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only when one
# of them is missing. Extra package names can be given as arguments.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libbenchmark-dev
  libglfw3-dev libgl-dev libx11-dev libgl1-mesa-dri mesa-utils
  libopenal-dev libstb-dev liblodepng-dev libvorbis-dev
  xvfb xauth xdotool
  pulseaudio pulseaudio-utils
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
