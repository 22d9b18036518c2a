#!/usr/bin/env bash
# Checks the release files that scripts/package.sh made under dist/ (scripts/test.sh runs it next):
#  - each zip holds its one folder with exactly the expected files; the programs carry the version;
#  - the programs' PE headers hold no time stamp, and packing the same files again gives the same
#    zip bytes;
#  - the 32-bit programs, installer and setup helper import only what 32-bit Windows 7 has
#    (win7_imports.sh);
#  - under Wine, in one fresh prefix with a home folder of its own (Wine links Documents to it):
#    the 64-bit zip unpacked into a read-only folder whose path has a space and Japanese
#    characters: the program opens a sample, deletes a point, saves into Documents, shows the map
#    and closes (vondrel_package_driver), and nothing appears beside it;
#    the 64-bit installer run silently (/S): the files, the Start-menu shortcut, the Apps & features
#    entry, "Open with" for .xml (.xml's default and another program's entry untouched); the
#    program started as its shortcut starts it, and through "Open with"; the installer and the
#    uninstaller refuse (exit 2) while the program runs, with its window or as a windowless
#    process; a silent uninstall keeps a sample the user changed and removes everything else from
#    Program Files, removes the entries and keeps the settings and the tile cache; installing again
#    is refused while that changed file is there, and goes to Program Files when the recorded
#    install folder is a user's folder; uninstalling with /REMOVESETTINGS removes the settings and
#    the map's tiles, but not through links in the cache nor anything else there.
# The map bridge fetches tiles from a refused loopback port into a cache in the prefix. Screenshots
# of the portable and the installed program: build/package-check/*.png.
#   tests/packaging/check_package.sh [DRIVER.exe]
set -uo pipefail
cd "$(dirname "$0")/../.."
root=$(pwd)
driver=${1:-$root/build/windows-x64/vondrel_package_driver.exe}

if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$root/tests/packaging/check_package.sh" "$@"
fi

version=$(sed -nE 's/^project\(Vondrel VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' CMakeLists.txt)
out=$root/build/package-check
rm -rf "$out" && mkdir -p "$out"
problems=0
fail() { echo "FAIL: $*"; problems=$((problems + 1)); }
step() { echo "-- $*"; }

# --- The files -------------------------------------------------------------------------------
step "contents and versions"
expected=$( { printf '%s\n' LICENSES.txt README.txt Tarvix2.exe Vondrel.exe; printf 'mark%02d.ico\n' $(seq 1 55);
              (cd samples && ls *.xml); } | LC_ALL=C sort)
for arch in win64 win32; do
  zip=dist/Vondrel-$version-$arch.zip
  setup=dist/Vondrel-$version-$arch-setup.exe
  [ -f "$zip" ] && [ -f "$setup" ] || { fail "$zip or $setup is missing"; continue; }
  folder=Vondrel-$version-$arch
  listed=$(unzip -Z1 "$zip")
  [ "$(echo "$listed" | head -n 1)" = "$folder/" ] || fail "$zip does not start with its folder $folder/"
  actual=$(echo "$listed" | sed -n "s|^$folder/||p" | grep . | LC_ALL=C sort)
  [ "$actual" = "$expected" ] || fail "$zip holds other files than expected: $(diff <(echo "$expected") <(echo "$actual") | grep '^[<>]' | tr '\n' ' ')"
  [ "$(echo "$listed" | grep -vc "^$folder/")" -eq 0 ] || fail "$zip holds entries outside $folder/"
  unzip -q -o "$zip" -d "$out/$arch"
  programs=$out/$arch/$folder
  strings -el "$programs/Vondrel.exe" | grep -qx "Vondrel Version $version" || fail "$arch Vondrel.exe: the about box does not say $version"
  for exe in Vondrel.exe Tarvix2.exe; do
    strings -el "$programs/$exe" | grep -qx "$version.0" || fail "$arch $exe: no file version $version.0"
    # The PE header's TimeDateStamp (4 bytes at the header's offset + 8) is zero.
    stamp=$(/usr/bin/python3 -c 'import sys,struct; d=open(sys.argv[1],"rb").read(); pe=struct.unpack_from("<I",d,0x3c)[0]; print(struct.unpack_from("<I",d,pe+8)[0])' "$programs/$exe")
    [ "$stamp" = 0 ] || fail "$arch $exe: the PE header holds a time stamp ($stamp)"
  done
  # Packing the staged folder again gives the same bytes.
  /usr/bin/python3 packaging/make_zip.py "$out/again.zip" "build/package/$arch" "$folder" "$(cat build/package/epoch)" &&
    cmp -s "$out/again.zip" "$zip" || fail "$zip: packing the same files again gave other bytes"
done

step "32-bit imports against Windows 7"
tests/packaging/win7_imports.sh "$out/win32/Vondrel-$version-win32/"*.exe "dist/Vondrel-$version-win32-setup.exe" \
  build/package/win32/vondrel-setup.exe ||
  fail "the 32-bit programs import what Windows 7 lacks"

# --- Under Wine ------------------------------------------------------------------------------
export VONDREL_WINEPREFIX=$out/prefix HOME=$out/home
mkdir -p "$HOME"
source scripts/wine-env.sh
export TARVIX_TILE_URL="http://127.0.0.1:9/{layer}/{z}/{x}/{y}.{ext}" TARVIX_TILE_CACHE='C:\tile-cache'
readonly_mount=""
cleanup() {
  [ -n "$readonly_mount" ] && umount "$readonly_mount" 2>/dev/null
  [ -d "${unpacked:-}" ] && chmod -R u+w "$unpacked"
  wineserver -k 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
started=$(date +%s)
vondrel_wine_prefix
echo "   fresh Wine prefix: $(( $(date +%s) - started )) s"
drive=$WINEPREFIX/drive_c
user=$(cd "$drive/users" && ls | grep -vx Public | head -n 1)  # Wine's user folder
documents=$drive/users/$user/Documents
regq() { wine reg query "$@" 2>/dev/null | tr -d '\r'; }
# Every file below a folder with its size and modification time, to see that nothing was written.
listing() { find "$1" -printf '%P %s %T@\n' | LC_ALL=C sort; }
shot() { convert "$drive/$1.bmp" "$out/$1.png" 2>/dev/null && rm -f "$drive/$1.bmp"; }

step "portable: the 64-bit zip in a read-only folder with a space and Japanese characters"
unpacked="$drive/ダウンロード 済み"
mkdir -p "$unpacked" && unzip -q "dist/Vondrel-$version-win64.zip" -d "$unpacked"
chmod -R a-w "$unpacked"
# Root writes through permissions: then the folder is made read-only by a read-only bind mount.
if [ "$(id -u)" -eq 0 ] && mount --bind "$unpacked" "$unpacked" 2>/dev/null; then
  readonly_mount=$unpacked
  mount -o remount,ro,bind "$unpacked" 2>/dev/null || { umount "$unpacked"; readonly_mount=""; }
fi
before=$(listing "$unpacked")
wine "$driver" portable "C:\\ダウンロード 済み\\Vondrel-$version-win64" tokyo_points.xml 30 "保存 テスト.xml" 'C:\portable.bmp' ||
  fail "the portable program (driver above)"
shot portable
[ -f "$documents/保存 テスト.xml" ] || fail "the saved file is not in Documents"
[ "$(listing "$unpacked")" = "$before" ] || fail "something was written beside the portable program"

step "installer: silent install"
regq 'HKLM\Software\Classes\.xml' >/dev/null  # wakes the prefix
wine reg add 'HKLM\Software\Classes\.xml' /ve /d xmlfile /f >/dev/null 2>&1
wine reg add 'HKLM\Software\Classes\.xml\OpenWithProgids' /v Other.Editor /d "" /f >/dev/null 2>&1
cache="$drive/users/$user/AppData/Local/Vondrel/tiles"
mkdir -p "$cache/std/5/28" && touch "$cache/std/5/28/12.png"
wine "dist/Vondrel-$version-win64-setup.exe" /S || fail "the installer failed"
program="$drive/Program Files/Vondrel"
[ "$(cd "$program" 2>/dev/null && ls | grep -v '^uninstall\.\(exe\|dat\|lst\)$' | LC_ALL=C sort)" = "$expected" ] ||
  fail "Program Files\\Vondrel does not hold the zip's files"
[ -f "$program/uninstall.exe" ] && [ -f "$program/uninstall.dat" ] && [ -f "$program/uninstall.lst" ] || fail "no uninstaller"
link="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Vondrel.lnk"
[ -f "$link" ] || fail "no Start-menu shortcut"
uninstall=$(regq 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vondrel')
for value in "DisplayName REG_SZ Vondrel $version (64-bit)" "DisplayVersion REG_SZ $version" "Publisher REG_SZ Zarn" \
             "UninstallString REG_SZ \"C:\\Program Files\\Vondrel\\uninstall.exe\"" \
             "QuietUninstallString REG_SZ \"C:\\Program Files\\Vondrel\\uninstall.exe\" /S" \
             "InstallLocation REG_SZ C:\\Program Files\\Vondrel" "NoModify REG_DWORD 0x1" "NoRepair REG_DWORD 0x1"; do
  echo "$uninstall" | sed -E 's/^ +//; s/ {2,}/ /g' | grep -qxF "$value" || fail "Apps & features entry lacks: $value"
done
echo "$uninstall" | grep -qE 'EstimatedSize +REG_DWORD +0x[1-9a-f]' || fail "Apps & features entry has no size"
xml=$(regq 'HKLM\Software\Classes\.xml' /s)
echo "$xml" | grep -qE '^ +\(Default\) +REG_SZ +xmlfile$' || fail "the installer changed .xml's default program"
echo "$xml" | grep -qE '^ +Vondrel\.PointFile ' || fail "Vondrel is not in .xml's Open with list"
echo "$xml" | grep -qE '^ +Other\.Editor ' || fail "the installer removed another program's Open with entry"

step "installer: the installed program"
before=$(listing "$program")
wine "$driver" shortcut 'C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Vondrel.lnk' \
  'C:\Program Files\Vondrel\tokyo_points.xml' 30 'C:\installed.bmp' || fail "the program started by its shortcut (driver above)"
shot installed
wine "$driver" openwith Vondrel.PointFile "C:\\users\\$user\\Documents\\保存 テスト.xml" 29 ||
  fail "the program started through Open with (driver above)"
[ "$(listing "$program")" = "$before" ] || fail "something was written beside the installed program"

step "installer: refuses while the program runs"
wine "C:\\Program Files\\Vondrel\\Vondrel.exe" & running=$!
refused=""
for _ in $(seq 20); do  # installing again is harmless until the window is up
  wine "dist/Vondrel-$version-win64-setup.exe" /S; code=$?
  [ "$code" -eq 2 ] && { refused=yes; break; }
  [ "$code" -eq 0 ] || { fail "the installer failed with $code while the program ran"; break; }
  sleep 0.5
done
[ -n "$refused" ] || fail "the installer went on while the program ran"
wine taskkill /IM Vondrel.exe >/dev/null 2>&1  # a close message: the unchanged list closes
wait "$running" || true
# A Vondrel.exe without a window: the driver under that name.
mkdir -p "$drive/elsewhere" && cp "$driver" "$drive/elsewhere/Vondrel.exe"
wine 'C:\elsewhere\Vondrel.exe' sleep 120 & running=$!
refused=""
for _ in $(seq 20); do
  wine "dist/Vondrel-$version-win64-setup.exe" /S; [ $? -eq 2 ] && { refused=yes; break; }
  sleep 0.5
done
[ -n "$refused" ] || fail "the installer went on while a windowless Vondrel.exe ran"
wine "C:\\Program Files\\Vondrel\\uninstall.exe" /S; code=$?
[ "$code" -eq 2 ] || fail "the uninstaller exited with $code while Vondrel.exe ran"
[ -f "$program/Vondrel.exe" ] && [ -f "$program/uninstall.exe" ] || fail "the uninstaller removed files while Vondrel.exe ran"
wine taskkill /F /IM Vondrel.exe >/dev/null 2>&1
wait "$running" || true

step "installer: silent uninstall keeps the settings"
settings_key='HKLM\SOFTWARE\Zarn\Vondrel'
regq "$settings_key" >/dev/null || fail "the program and the map wrote no settings to check against"
echo "the user's change" >> "$program/tokyo_points.xml"
wine "C:\\Program Files\\Vondrel\\uninstall.exe" /S || fail "the uninstaller failed"
[ "$(ls "$program")" = tokyo_points.xml ] || fail "the uninstaller left other than the changed sample: $(ls "$program" | tr '\n' ' ')"
[ ! -e "$link" ] || fail "the uninstaller left the shortcut"
regq 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vondrel' >/dev/null && fail "the uninstaller left its Apps & features entry"
regq 'HKLM\Software\Classes\Vondrel.PointFile' >/dev/null && fail "the uninstaller left the ProgID"
xml=$(regq 'HKLM\Software\Classes\.xml' /s)
echo "$xml" | grep -q 'Vondrel\.PointFile' && fail "the uninstaller left the Open with entry"
echo "$xml" | grep -qE '^ +Other\.Editor ' || fail "the uninstaller removed another program's Open with entry"
echo "$xml" | grep -qE '^ +\(Default\) +REG_SZ +xmlfile$' || fail "the uninstaller changed .xml's default program"
regq "$settings_key" >/dev/null || fail "a silent uninstall removed the settings"
[ -f "$cache/std/5/28/12.png" ] || fail "a silent uninstall removed the tile cache"

step "installer: the folder and the files it installs into"
wine "dist/Vondrel-$version-win64-setup.exe" /S; code=$?
[ "$code" -eq 2 ] && [ "$(ls "$program")" = tokyo_points.xml ] || fail "the installer went on ($code) over a file it did not install"
rm -r "$program"
# A recorded install folder that is a user's own folder (stale, or changed): not installed into.
mine="$documents/mine" && mkdir -p "$mine" && echo "mine" | tee "$mine/README.txt" > "$mine/tokyo_points.xml"
wine reg add 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vondrel' /v InstallLocation /d "C:\\users\\$user\\Documents\\mine" /f >/dev/null 2>&1
wine "dist/Vondrel-$version-win64-setup.exe" /S || fail "the installer failed the second time"
[ -f "$program/Vondrel.exe" ] && [ "$(ls "$mine")" = "$(printf 'README.txt\ntokyo_points.xml')" ] && [ "$(cat "$mine/README.txt")" = mine ] ||
  fail "the installer used the recorded folder, which held no uninstaller of ours"

step "installer: silent uninstall with /REMOVESETTINGS"
# Links in the cache, with the map's names and in a loop, and a file of the user's there.
mkdir -p "$drive/victim" && touch "$drive/victim/1.png" "$cache/notes.txt"
ln -s "$drive/victim" "$cache/pale" && ln -s "$drive/victim" "$cache/std/5/29" && ln -s .. "$cache/std/6"
wine "C:\\Program Files\\Vondrel\\uninstall.exe" /S /REMOVESETTINGS || fail "the uninstaller failed"
[ ! -e "$program" ] || fail "the second uninstall left Program Files\\Vondrel"
[ "$(ls "$mine" | wc -l)" -eq 2 ] || fail "the second uninstall removed files of the user's folder"
regq "$settings_key" >/dev/null && fail "/REMOVESETTINGS kept the settings"
[ -z "$(find "$cache" -name '*.png')" ] || fail "/REMOVESETTINGS kept the map's tiles"
[ -f "$drive/victim/1.png" ] && [ -f "$cache/notes.txt" ] && [ -L "$cache/pale" ] ||
  fail "/REMOVESETTINGS removed through a link or what was not the map's"

echo "   checks under Wine: $(( $(date +%s) - started )) s"
if [ "$problems" -gt 0 ]; then
  echo "check_package: $problems problem(s)"
  exit 1
fi
echo "check_package: the release files, the portable and the installed program passed (screenshots in $out)"
