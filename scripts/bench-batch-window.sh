#!/usr/bin/env bash
# Batch change benchmark under Wine: the batch change of 700 selected points and its undo in the
# real main window, list redrawn, each run printed and the medians:
#   scripts/bench-batch-window.sh [RUNS]
# Runs under Xvfb when there is no display. A benchmark: it reports, it never fails on speed.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset windows-x64 >/dev/null
cmake --build --preset windows-x64 --target vondrel_batch_window_bench >/dev/null
source scripts/wine-env.sh
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi
vondrel_wine_prefix
cd build/windows-x64
wine vondrel_batch_window_bench.exe "${1:-9}"
