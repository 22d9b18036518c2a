#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan and UBSan) and runs each fuzz target for its
# share of SECONDS (default 60) on a scratch copy of its seed corpus under build/fuzz/: the
# glorie load fuzzer (inputs up to 1 MiB, so texts past the cap and files past 700 points are
# reached), the GPX, KML, KMZ, CSV and GeoJSON readers (KML and CSV also up to 1 MiB, so nesting,
# rows and quotes long enough to cost more than linear time or memory are reached), the code page
# 932 helpers and conversions, typed and stored coordinates, positions in links and copied texts,
# the bridge's reply assembly and the icon reader. A single allocation over 512 MB counts as a finding. Exits non-zero when a fuzzer
# finds an input that crashes, hangs, runs out of memory or trips a sanitizer; that input is left
# in build/fuzz/artifacts/ (reproduce with: build/fuzz/vondrel_<target>_fuzzer FILE).
#   scripts/fuzz.sh [SECONDS | --build-only]
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."

# target, seed folder, dictionary, longest input
targets=(
  "load tests/fuzz/corpus tests/fuzz/glorie.dict 1048576"
  "gpx tests/fuzz/corpus_gpx tests/fuzz/formats.dict 8192"
  "kml tests/fuzz/corpus_kml tests/fuzz/formats.dict 1048576"
  "kmz tests/fuzz/corpus_kmz tests/fuzz/formats.dict 8192"
  "csv tests/fuzz/corpus_csv tests/fuzz/formats.dict 1048576"
  "geojson tests/fuzz/corpus_geojson tests/fuzz/geojson.dict 65536"
  "link tests/fuzz/corpus_link - 4096"
  "text tests/fuzz/corpus_text - 4096"
  "coordinate tests/fuzz/corpus_coordinate - 256"
  "bridge_reply tests/fuzz/corpus_bridge_reply - 8192"
  "icon tests/fuzz/corpus_icon - 16384"
)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target $(for t in "${targets[@]}"; do set -- $t; printf 'vondrel_%s_fuzzer ' "$1"; done) >/dev/null
[ "$seconds" != --build-only ] || exit 0

share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1
artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
for t in "${targets[@]}"; do
  set -- $t
  name=$1 seeds=$2 dict=$3 max_len=$4
  # The scratch corpus grows from run to run; the committed seeds are copied in each time.
  corpus=build/fuzz/corpus-$name
  mkdir -p "$corpus"
  cp "$seeds"/* "$corpus/"
  echo "fuzz: $name for $share s"
  status=0
  dict_option=()
  [ "$dict" = - ] || dict_option=(-dict="$dict")
  build/fuzz/vondrel_${name}_fuzzer "$corpus" \
    "${dict_option[@]}" \
    -max_total_time="$share" \
    -max_len="$max_len" \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -malloc_limit_mb=512 \
    -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "fuzz: the $name fuzzer stopped with status $status; see $artifacts/" >&2
    exit "$status"
  fi
done
echo "fuzz: no crash in $seconds s"
