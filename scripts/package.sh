#!/usr/bin/env bash
# Makes what a user downloads, under dist/, from the Windows programs of the two release presets:
#   Vondrel-VERSION-win64.zip, Vondrel-VERSION-win32.zip    one folder Vondrel-VERSION-ARCH holding
#       Vondrel.exe, Tarvix2.exe, mark01.ico ... mark55.ico, the sample files, README.txt and
#       LICENSES.txt (the notices of the libraries linked in), and nothing else
#   Vondrel-VERSION-win64-setup.exe, Vondrel-VERSION-win32-setup.exe    NSIS installers of the same
#       files (packaging/installer.nsi), with the setup helper vondrel-setup.exe (tools/setup)
# VERSION is the project's version (CMakeLists.txt). The programs are built first when out of date.
# Reproducible: every packed file carries the time SOURCE_DATE_EPOCH (default: the last commit's),
# entries are in name order, and the programs are linked without time stamps, so the same sources
# give the same zips. Prints the files with their sizes.
#   scripts/package.sh [--no-build]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

build=yes
[ "${1:-}" = "--no-build" ] && build=no

version=$(sed -nE 's/^project\(Vondrel VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "package: no project version in CMakeLists.txt" >&2; exit 1; }
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
  SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || true)
  [ -n "$SOURCE_DATE_EPOCH" ] || { echo "package: set SOURCE_DATE_EPOCH (no git history)" >&2; exit 1; }
fi
export SOURCE_DATE_EPOCH

# Debian's Python (install-deps.sh), whose zlib makes the deflated bytes, whatever else is on PATH.
python=/usr/bin/python3
stage_root=$root/build/package
dist=$root/dist
rm -rf "$stage_root" && mkdir -p "$stage_root" "$dist"
echo "$SOURCE_DATE_EPOCH" > "$stage_root/epoch"
rm -f "$dist"/Vondrel-*

"$python" packaging/make_licenses.py "$stage_root/LICENSES.txt"
# The README for Windows: the version filled in, CRLF line ends and a byte-order mark (Notepad).
{ printf '\xef\xbb\xbf'; sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' packaging/README.txt; } > "$stage_root/README.txt"
cp res/icons/app.ico "$stage_root/app.ico"

for target in win64:windows-x64 win32:windows-x86; do
  arch=${target%%:*}
  preset=${target#*:}
  if [ "$build" = yes ]; then
    [ -f "build/$preset/CMakeCache.txt" ] || cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target Vondrel Tarvix2 vondrel-setup >/dev/null
  fi
  folder=Vondrel-$version-$arch
  stage=$stage_root/$arch/$folder
  mkdir -p "$stage"
  cp "build/$preset/Vondrel.exe" "build/$preset/Tarvix2.exe" res/marks/mark[0-5][0-9].ico samples/*.xml \
     "$stage_root/README.txt" "$stage_root/LICENSES.txt" "$stage/"
  # The marks are exactly mark01 ... mark55.
  marks=$(find "$stage" -name 'mark*.ico' | wc -l)
  [ "$marks" -eq 55 ] || { echo "package: $marks mark icons, expected 55" >&2; exit 1; }
  find "$stage" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

  "$python" packaging/make_zip.py "$dist/$folder.zip" "$stage_root/$arch" "$folder" "$SOURCE_DATE_EPOCH"

  # The installer's file list: one File per staged file, in name order, and their names.
  files=$stage_root/$arch/files.nsh
  {
    echo '!macro InstallFiles'
    for f in $(cd "$stage" && LC_ALL=C ls); do echo "  File \"$stage/$f\""; done
    echo '!macroend'
    echo "!define INSTALLED_NAMES \"$(cd "$stage" && LC_ALL=C ls | tr '\n' ' ' | sed 's/ $//')\""
  } > "$files"
  cp "build/$preset/vondrel-setup.exe" "$stage_root/$arch/"
  touch -d "@$SOURCE_DATE_EPOCH" "$stage_root/$arch/vondrel-setup.exe"
  makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DARCH="$arch" -DFILES="$files" \
    -DHELPER="$stage_root/$arch/vondrel-setup.exe" \
    -DICON="$stage_root/app.ico" -DOUTFILE="$dist/$folder-setup.exe" packaging/installer.nsi >/dev/null
done

(cd "$dist" && for f in Vondrel-"$version"-*; do printf '%10d  %s\n' "$(stat -c %s "$f")" "dist/$f"; done)
