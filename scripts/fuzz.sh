#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan and UBSan) and runs each fuzz target for its
# share of SECONDS (default 60) on a scratch copy of its seed corpus under build/fuzz/: the
# glorie load fuzzer, then the GPX, KML, KMZ and CSV readers. Exits non-zero when a fuzzer finds
# an input that crashes, hangs, runs out of memory or trips a sanitizer; that input is left in
# build/fuzz/artifacts/ (reproduce with: build/fuzz/vondrel_<target>_fuzzer FILE).
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."

# target, seed folder, dictionary
targets=(
  "load tests/fuzz/corpus tests/fuzz/glorie.dict"
  "gpx tests/fuzz/corpus_gpx tests/fuzz/formats.dict"
  "kml tests/fuzz/corpus_kml tests/fuzz/formats.dict"
  "kmz tests/fuzz/corpus_kmz tests/fuzz/formats.dict"
  "csv tests/fuzz/corpus_csv tests/fuzz/formats.dict"
)
share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target $(for t in "${targets[@]}"; do set -- $t; printf 'vondrel_%s_fuzzer ' "$1"; done) >/dev/null

artifacts=build/fuzz/artifacts
mkdir -p "$artifacts"
for t in "${targets[@]}"; do
  set -- $t
  name=$1 seeds=$2 dict=$3
  # The scratch corpus grows from run to run; the committed seeds are copied in each time.
  corpus=build/fuzz/corpus-$name
  mkdir -p "$corpus"
  cp "$seeds"/* "$corpus/"
  echo "fuzz: $name for $share s"
  status=0
  build/fuzz/vondrel_${name}_fuzzer "$corpus" \
    -dict="$dict" \
    -max_total_time="$share" \
    -max_len=8192 \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -print_final_stats=1 \
    -artifact_prefix="$artifacts/$name-" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "fuzz: the $name fuzzer stopped with status $status; see $artifacts/" >&2
    exit "$status"
  fi
done
echo "fuzz: no crash in $seconds s"
