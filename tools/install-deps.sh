#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, run and test, when they are missing.
set -euo pipefail
packages=(cmake make g++ pkg-config liballegro4-dev libgtest-dev libbenchmark-dev
          libpng-dev libx11-dev xvfb xdotool imagemagick x11-utils dpkg-dev file
          clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}"
    echo "Install them as root with:"
    echo "    apt-get update && apt-get install -y ${missing[*]}"
    exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq "${missing[@]}"
