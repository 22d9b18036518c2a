#!/usr/bin/env bash
# Checks the source tree's layering, which the build enforces for what it compiles, over every
# file: each folder of src/, of the map program (tools/bridge/map, tools/bridge/tarvix) and
# tools/setup includes only its own headers and those of the layers below it (the list mirrors
# the targets' links, so no include points up and none forms a loop); no include climbs with
# "../"; the portable layers never include the Win32 headers (their Win32 parts, the files named
# *win32*, excepted); and no source file or script (.cpp, .h, .py, .sh) is longer than
# 400 lines.
# Prints every violation; exits 1 when there is one.
set -uo pipefail
cd "$(dirname "$0")/.."

# (formats: the readers of other file formats, beside files and independent of it.)
declare -A allowed=(
  [core]="core"
  [os]="os core"
  [files]="files os core"
  [formats]="formats os core"
  [protocol]="protocol core"
  [net]="net os core"
  [editing]="editing formats files os core"
  [cli]="cli editing formats files net os core"
  [win]="win os core"
  [dialogs]="dialogs win editing formats files net os core"
  [mapbridge]="mapbridge win protocol os core"
  [ui]="ui mapbridge dialogs win editing protocol formats files os core"
  [map]="map protocol core"
  [tarvix]="tarvix map dialogs net win protocol os core"
  [setup]="setup map os core"
)
portable=" core os net files formats protocol editing cli map "
uses_resources=" dialogs ui "
max_lines=400
problems=0

report() {
  echo "$1"
  problems=$((problems + 1))
}

for folder in src/* tools/bridge/* tools/setup; do
  [ -d "$folder" ] || continue
  layer=$(basename "$folder")
  if [ -z "${allowed[$layer]+set}" ]; then
    report "$folder: a folder that is no known layer (add it to scripts/check-layers.sh)"
    continue
  fi
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [ -f "$file" ] || continue
    while IFS=: read -r line include; do
      include=${include#*\"}
      include=${include%%\"*}
      case $include in
        ../*|*/../*) report "$file:$line: includes \"$include\" by a relative path" ;;
        resource.h)
          [[ $uses_resources == *" $layer "* ]] || report "$file:$line: layer $layer uses no resource ids" ;;
        */*)
          target=${include%%/*}
          [[ " ${allowed[$layer]} " == *" $target "* ]] ||
            report "$file:$line: layer $layer may not include \"$include\" (it may use: ${allowed[$layer]})" ;;
        *) report "$file:$line: \"$include\" names no layer" ;;
      esac
    done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file")
    if [[ $portable == *" $layer "* && ! $file =~ win32[^/]*\.(cpp|h)$ ]]; then
      grep -nE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(windows|windowsx|commctrl|shellapi|commdlg)\.h>' "$file" |
        while IFS=: read -r line _; do echo "$file:$line: the portable layer $layer includes a Win32 header"; done |
        grep . && problems=$((problems + 1))
    fi
  done
done

while read -r count file; do
  [ "$file" = total ] && continue
  [ "$count" -gt "$max_lines" ] && report "$file: $count lines (at most $max_lines)"
done < <(git ls-files --cached --others --exclude-standard -- '*.cpp' '*.h' '*.py' '*.sh' | xargs wc -l)

if [ "$problems" -gt 0 ]; then
  echo "check-layers: $problems problem(s)"
  exit 1
fi
echo "check-layers: every include follows the layers; no source file or script over $max_lines lines"
