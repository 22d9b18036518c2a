#!/usr/bin/env bash
# Builds the 64-bit program and starts it under Wine: scripts/run.sh [FILE.xml]
# It runs from build/windows-x64, where the mark icons (and the map bridge) stand beside it.
# With an X display it opens there and runs until closed. Without one it runs under Xvfb in a
# Wine desktop window; once the main window is up a screenshot of the screen is saved to
# build/screenshot.png and the program is closed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
scripts/install-deps.sh
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target Vondrel Tarvix2 >/dev/null
source scripts/wine-env.sh

args=()
if [ $# -gt 0 ]; then
  file=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  args=("$(winepath -w "$file" 2>/dev/null)")
fi

cd build/windows-x64
if [ -n "${DISPLAY:-}" ]; then
  vondrel_wine_prefix
  exec wine Vondrel.exe "${args[@]}"
fi

# No display: a virtual X server for the run.
display=:$(( 90 + RANDOM % 100 ))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
vondrel_wine_prefix
wine explorer /desktop=Vondrel,1024x768 Vondrel.exe "${args[@]}" >/dev/null 2>&1 &
# Wait for Wine's desktop window, then give the program time to draw its main window.
timeout 60 xdotool search --sync --name "Wine desktop" >/dev/null 2>&1 || true
sleep 4
import -window root "$root/build/screenshot.png"
echo "Screenshot: build/screenshot.png"
wineserver -k || true
