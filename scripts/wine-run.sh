#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix: scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -e
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
# Several test runs may start together: create the prefix under a lock, once.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
vondrel_wine_prefix
# VONDREL_LOGPIXELS: the screen's DPI in this prefix (a prefix of its own: every program in it sees it).
if [ -n "${VONDREL_LOGPIXELS:-}" ] && [ ! -f "$WINEPREFIX/.logpixels-$VONDREL_LOGPIXELS" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$VONDREL_LOGPIXELS" /f >/dev/null 2>&1
  wineserver -w
  rm -f "$WINEPREFIX"/.logpixels-* && touch "$WINEPREFIX/.logpixels-$VONDREL_LOGPIXELS"
fi
flock -u 9
exec wine "$@"
