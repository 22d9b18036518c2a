#!/usr/bin/env bash
# The window's exports against the command line's and a reader nobody here wrote: the GUI test
# ExportTest.TheSampleInEachTypeAndTheListUnchanged (under Wine) writes samples/tokyo_points.xml
# as GPX, KML and CSV into FOLDER; each file must equal, byte for byte, what the native
# vondrel-cli exports from the same sample, and gpsbabel must read its 30 points back at the
# positions written.
#   tests/gui/check_window_exports.sh FOLDER VONDREL_CLI
set -uo pipefail
folder=${1:?the folder of the window\'s exports}
cli=${2:?vondrel-cli}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

"$cli" export "$root/samples/tokyo_points.xml" "$work/cli.gpx" || fail "vondrel-cli export"
# The positions written, as gpsbabel prints them (six decimals).
written=$(awk -F'"' '/<wpt /{printf "%.6f,%.6f\n", $2, $4}' "$work/cli.gpx")
[ "$(printf '%s\n' "$written" | wc -l)" = 30 ] || fail "the sample's export holds no 30 points"
for ext in gpx kml csv; do
  window=$folder/tokyo_points.$ext
  [ -f "$window" ] || { fail "$ext: the window wrote no $window"; continue; }
  "$cli" export "$root/samples/tokyo_points.xml" "$work/cli.$ext" || { fail "$ext: vondrel-cli export"; continue; }
  cmp -s "$window" "$work/cli.$ext" || fail "$ext: the window's export differs from vondrel-cli's"
  format=$ext; [ "$ext" = csv ] && format=unicsv
  read_back=$(gpsbabel -i "$format" -f "$window" -o unicsv -F - | tail -n +2 | cut -d, -f2,3)
  [ "$read_back" = "$written" ] || fail "$ext: gpsbabel reads other positions: $(printf '%s\n' "$read_back" | head -3)"
done
[ "$failures" -eq 0 ] && echo "window exports: equal to vondrel-cli's, and gpsbabel reads their 30 positions back"
exit "$failures"
