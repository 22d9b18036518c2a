#!/usr/bin/env bash
# Checks that the release files are reproducible: builds the committed sources a second time, in a
# fresh clone at another path with build folders of its own, packs them with the same
# SOURCE_DATE_EPOCH, and compares the four files byte for byte with this tree's dist/ (made
# first by scripts/package.sh from this tree's own builds). Needs a clean working tree. Takes
# two full builds of Vondrel.exe and Tarvix2.exe per target (minutes): run it by hand, not in
# scripts/test.sh.
#   scripts/check-reproducible.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
if [ -n "$(git status --porcelain --untracked-files=no)" ]; then
  echo "check-reproducible: commit or stash the changes first (the clone builds HEAD)" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
scripts/package.sh

clone=$(mktemp -d /tmp/vondrel-reproducible.XXXXXX)
trap 'rm -rf "$clone"' EXIT
git clone -q --no-hardlinks "$root" "$clone/other-path"
mkdir -p "$clone/other-path/build/deps"
cp -r build/deps/src "$clone/other-path/build/deps/"
(
  cd "$clone/other-path"
  for preset in windows-x64 windows-x86; do
    cmake --preset "$preset" -DVONDREL_TESTS=OFF >/dev/null
    cmake --build --preset "$preset" --target Vondrel Tarvix2 >/dev/null
  done
  scripts/package.sh --no-build >/dev/null
)

different=0
for file in dist/Vondrel-*; do
  name=$(basename "$file")
  if cmp -s "$file" "$clone/other-path/dist/$name"; then
    echo "same bytes: $name ($(sha256sum < "$file" | cut -c1-16))"
  else
    echo "DIFFERENT:  $name"
    different=1
  fi
done
exit $different
