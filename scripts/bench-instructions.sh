#!/usr/bin/env bash
# Exact figures where wall-clock time is noisy: instructions counted by callgrind and peak
# resident memory from /usr/bin/time, on files written by the benchmark's sample generator.
#  - one Load and one scan of the 700-point file against pugixml's load_buffer_inplace, expat and
#    libxml2 SAX on the same bytes (each counted from its measured function's entry to its return,
#    the file already in memory for the parsers, read by Load itself);
#  - whole processes: vondrel-cli copy against the least pugixml program that loads and saves;
#  - peak resident memory of one-shot vondrel-cli copy at 16 MB and 100 MB, against the file size.
# A benchmark: it reports, it never fails on speed. Needs valgrind (scripts/install-deps.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset native >/dev/null
cmake --build --preset native --target vondrel-cli vondrel_measure_once vondrel_pugixml_copy >/dev/null
bin=build/native
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$bin/vondrel_measure_once" write "$work/p700.xml"
size700=$(stat -c %s "$work/p700.xml")

# callgrind's instruction count of a command (the collected events, all Ir).
count() { valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null | sed -n 's/.*Collected : //p'; }

echo "Instructions for the 700-point file ($size700 bytes):"
for reader in load scan pugixml expat libxml2; do
  n=$(count --toggle-collect='*Measured*' "$bin/vondrel_measure_once" "$reader" "$work/p700.xml")
  awk -v r="$reader" -v n="$n" -v s="$size700" 'BEGIN { printf "  %-8s %10d  %6.2f per byte\n", r, n, n / s }'
done
cli=$(count "$bin/vondrel-cli" copy "$work/p700.xml" "$work/out-cli.xml")
pugi=$(count "$bin/vondrel_pugixml_copy" "$work/p700.xml" "$work/out-pugi.xml")
awk -v c="$cli" -v p="$pugi" 'BEGIN { printf "Whole process, copy of the file: vondrel-cli %d, pugixml program %d (%.2fx)\n", c, p, c / p }'

echo "Peak resident memory of vondrel-cli copy (median of 3):"
for mb in 16 100; do
  "$bin/vondrel_measure_once" write "$work/big.xml" $((mb << 20))
  size=$(stat -c %s "$work/big.xml")
  peak=$(for _ in 1 2 3; do /usr/bin/time -f %M "$bin/vondrel-cli" copy "$work/big.xml" "$work/out-big.xml" 2>&1 >/dev/null | tail -n 1; done | sort -n | sed -n 2p)
  awk -v mb="$mb" -v k="$peak" -v s="$size" 'BEGIN { printf "  %3d MB file: %.1f MB peak, %.3fx the file size\n", mb, k * 1024 / 1e6, k * 1024 / s }'
  rm -f "$work/big.xml"
done
