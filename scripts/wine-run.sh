#!/usr/bin/env bash
# Runs a Windows program under Wine in the project's prefix: scripts/wine-run.sh PROGRAM.exe [ARGS...]
set -e
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
# Several test runs may start together: create the prefix under a lock, once.
mkdir -p "$(dirname "$WINEPREFIX")"
exec 9>"$WINEPREFIX.lock"
flock 9
vondrel_wine_prefix
flock -u 9
exec wine "$@"
