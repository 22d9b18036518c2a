#!/usr/bin/env bash
# Start-up benchmark under Wine: the time from process start until Vondrel.exe shows the rows of a
# 700-point file, against an empty dialog program, alternately in one run:
#   scripts/bench-startup.sh [RUNS [OTHER.exe]]   (OTHER.exe: another build, a Windows path, timed too)
# Runs under Xvfb when there is no display. A benchmark: it reports, it never fails on speed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target vondrel_startup_bench >/dev/null
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
vondrel_wine_prefix
cd build/windows-x64
wine vondrel_startup_bench.exe "${1:-9}" ${2:+"$2"}
