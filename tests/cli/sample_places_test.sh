#!/usr/bin/env bash
# The samples' points stand where their places are: each sample exported by vondrel-cli (WGS 84
# CSV) is within 1 m of the places' WGS 84 positions in tools/samples/NAME.csv, row by row.
set -u
cli=${VONDREL_CLI:?}
root=$(cd "$(dirname "$0")/../.." && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
for name in tokyo_points points_250; do
  "$cli" export "$root/samples/$name.xml" "$dir/$name.csv" || { echo "FAIL $name: export"; failures=$((failures + 1)); continue; }
  # name,reading,lat,lon,... of the place, then of the exported point; metres per degree at most 111,320.
  read -r rows bad largest < <(paste -d, <(tail -n +2 "$root/tools/samples/$name.csv") <(tail -n +2 "$dir/$name.csv" | tr -d '\r') |
    awk -F, '{ dy = ($11 - $3) * 111320; dx = ($12 - $4) * 111320 * cos($3 * 3.14159265 / 180); d = sqrt(dx * dx + dy * dy)
               if (d >= 1 || $1 != $9) bad++; if (d > max) max = d; n++ }
             END { printf "%d %d %.3f\n", n, bad, max }')
  echo "$name: $rows points, the farthest $largest m from its place"
  [ "$rows" -eq "$(($(wc -l < "$root/tools/samples/$name.csv") - 1))" ] && [ "$bad" -eq 0 ] || { echo "FAIL $name: $bad points not at their places"; failures=$((failures + 1)); }
done
exit $((failures > 0))
