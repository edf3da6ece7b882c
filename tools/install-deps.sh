#!/usr/bin/env bash
# Installs the Debian packages the engine, its tests and benchmarks need, only
# those that are missing. Uses sudo when not run as root.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  libluajit-5.1-dev libglfw3-dev libimgui-dev libjsoncpp-dev libepoxy-dev liblodepng-dev
  libopenal-dev libsndfile1-dev libglm-dev
  libgtest-dev libbenchmark-dev libbox2d-dev
  clang-14 libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-apps imagemagick python3 libgl1-mesa-dri zenity
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
