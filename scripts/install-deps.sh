#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing.
# Quiet when everything is present. Safe to run again.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev libpugixml-dev
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64
  proj-bin gpsbabel
  python3 python3-pil
  xvfb xauth x11-utils xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}" >/dev/null
