#!/usr/bin/env bash
# Checks that 32-bit Windows programs can start on 32-bit Windows 7, from their import tables
# (objdump -p), since none of them can run on this machine:
#  - every imported DLL is one of Windows 7's own system DLLs (the allow-list below);
#  - every function imported from a system API DLL is declared by the MinGW-w64 headers when they
#    are set for Windows 7 (_WIN32_WINNT=0x0601 leaves out most later functions) and is not on
#    newer_than_windows7.txt (later functions those headers declare anyway);
#  - every function imported from msvcrt.dll is declared by the C runtime headers for the system
#    msvcrt (__MSVCRT_VERSION__=0x0700), or is one of its start-up entry points.
# No list of Windows 7's exports exists on this machine: the headers and the deny-list stand in.
#   win7_imports.sh FILE.exe...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
allowed_dlls=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll imm32.dll kernel32.dll msvcrt.dll ole32.dll"
allowed_dlls+=" oleaut32.dll shell32.dll shlwapi.dll user32.dll uxtheme.dll version.dll windowscodecs.dll"
allowed_dlls+=" winhttp.dll winmm.dll ws2_32.dll "
crt_startup=" __getmainargs __wgetmainargs __set_app_type __p__commode __p__fmode __p__wcmdln __p__acmdln"
crt_startup+=" __winitenv __initenv __mb_cur_max _amsg_exit _initterm _iob __setusermatherr _setjmp3 "

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat > "$work/sdk.c" <<'C'
#include <winsock2.h>
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>
#include <uxtheme.h>
#include <winhttp.h>
#include <wincodec.h>
#include <mmsystem.h>
#include <tlhelp32.h>
C
cat > "$work/crt.c" <<'C'
#include <assert.h>
#include <ctype.h>
#include <errno.h>
#include <fcntl.h>
#include <io.h>
#include <locale.h>
#include <math.h>
#include <process.h>
#include <setjmp.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>
#include <wchar.h>
#include <wctype.h>
C
identifiers() { grep -oE '\b[A-Za-z_][A-Za-z0-9_]*\b' | sort -u; }
i686-w64-mingw32-gcc -E -P -DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601 -DWINVER=0x0601 -DNTDDI_VERSION=0x06010000 \
  "$work/sdk.c" | identifiers > "$work/sdk-names"
i686-w64-mingw32-gcc -E -P -D__MSVCRT_VERSION__=0x0700 "$work/crt.c" | identifiers > "$work/crt-names"
grep -oE '^[A-Za-z_][A-Za-z0-9_]*' "$here/newer_than_windows7.txt" | sort -u > "$work/denied"

problems=0
for exe in "$@"; do
  count=0
  while read -r dll function; do
    count=$((count + 1))
    lower=${dll,,}
    if [[ $allowed_dlls != *" $lower "* ]]; then
      echo "$exe: imports $dll, which is not a system DLL of Windows 7"; problems=$((problems + 1)); continue
    fi
    [ "$function" = "-" ] && continue  # by ordinal
    if [ "$lower" = msvcrt.dll ]; then
      grep -qx "$function" "$work/crt-names" || [[ $crt_startup == *" $function "* ]] ||
        { echo "$exe: $function of msvcrt.dll may be missing on Windows 7"; problems=$((problems + 1)); }
    elif grep -qx "$function" "$work/denied" || ! grep -qx "$function" "$work/sdk-names"; then
      echo "$exe: $function of $dll is not in Windows 7"; problems=$((problems + 1))
    fi
  done < <(i686-w64-mingw32-objdump -p "$exe" | awk '
      /^\tDLL Name: / { dll = $3; next }
      /^\tvma:/ { next }
      dll != "" && /^\t[0-9a-f]+\t/ { print dll, ($3 == "" ? "-" : $3); next }
      /^$/ { }')
  [ "$count" -gt 0 ] || { echo "$exe: no imports read"; problems=$((problems + 1)); }
  echo "$exe: $count imports checked"
done
if [ "$problems" -gt 0 ]; then
  echo "win7_imports: $problems problem(s)"
  exit 1
fi
