#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those that are missing, and
# fetches the Debian sources that the MinGW builds compile themselves (pugixml, simdjson, and
# minizip from zlib's contrib folder) into build/deps/src/. Quiet when everything is present. Safe to run again.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(
  cmake make g++ googletest libgtest-dev libbenchmark-dev libexpat1-dev libxml2-dev valgrind time
  libpugixml-dev zlib1g-dev libminizip-dev libsimdjson-dev libcurl4-openssl-dev libz-mingw-w64-dev dpkg-dev libicu-dev
  clang libclang-rt-14-dev
  mingw-w64 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
  wine wine64
  proj-bin gpsbabel
  python3 python3-pil
  nsis unzip
  xvfb xauth x11-utils xdotool imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
)

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=no
apt_update() {
  if [ "$updated" = no ]; then $sudo apt-get update -qq; updated=yes; fi
}

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  apt_update
  $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Source packages, each at the version of the installed binary package built from it, so the
# Windows programs link the same pugixml as the native ones. apt-get source needs deb-src
# entries: made once from the system's own deb entries (same mirrors, suites and keys).
deps=$root/build/deps/src
src_list=/etc/apt/sources.list.d/vondrel-deb-src.sources
add_deb_src_entries() {  # deb822 stanzas and one-line entries, with deb-src for deb
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$f" ] && [ "$f" != "$src_list" ]; then sed 's/^Types:.*/Types: deb-src/' "$f"; echo; fi
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    { grep -E '^deb ' "$f" || true; } | while read -r _ rest; do
      # deb [options] URI SUITE COMPONENTS...
      set -- $rest
      if [[ $1 == \[* ]]; then shift; fi
      printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: %s\n\n' "$1" "$2" "${*:3}"
    done
  done
  return 0
}
fetch_source() {  # fetch_source SOURCE-PACKAGE BINARY-PACKAGE
  local version
  version=$(dpkg-query -W -f='${Version}' "$2")
  local stamp="$deps/.$1_$version"
  [ -f "$stamp" ] && return 0
  if [ ! -f "$src_list" ]; then
    echo "Adding deb-src entries: $src_list"
    add_deb_src_entries | $sudo tee "$src_list" >/dev/null
    updated=no
  fi
  apt_update
  echo "Fetching the source of $1 $version into $deps"
  mkdir -p "$deps"
  rm -rf "$deps/$1-tmp" && mkdir -p "$deps/$1-tmp"
  (cd "$deps/$1-tmp" && apt-get source -qq -o APT::Sandbox::User=root "$1=$version" >/dev/null)
  local dir
  dir=$(find "$deps/$1-tmp" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  rm -rf "${deps:?}/$1" && mv "$dir" "$deps/$1" && rm -rf "$deps/$1-tmp"
  rm -f "$deps/.$1_"* && touch "$stamp"
}
fetch_source pugixml libpugixml-dev
fetch_source zlib zlib1g-dev
fetch_source simdjson libsimdjson-dev
