#!/usr/bin/env bash
# Builds the fuzz preset (clang, libFuzzer, ASan and UBSan) and runs the glorie load fuzzer for
# SECONDS (default 60) on a scratch copy of the seed corpus under build/fuzz/. Exits non-zero
# when the fuzzer finds an input that crashes, hangs or trips a sanitizer; that input is left
# in build/fuzz/artifacts/ (reproduce with: build/fuzz/vondrel_load_fuzzer FILE).
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target vondrel_load_fuzzer >/dev/null

# The scratch corpus grows from run to run; the committed seeds are copied in each time.
corpus=build/fuzz/corpus
artifacts=build/fuzz/artifacts
mkdir -p "$corpus" "$artifacts"
cp tests/fuzz/corpus/* "$corpus/"

status=0
build/fuzz/vondrel_load_fuzzer "$corpus" \
  -dict=tests/fuzz/glorie.dict \
  -max_total_time="$seconds" \
  -max_len=8192 \
  -timeout=10 \
  -rss_limit_mb=2048 \
  -print_final_stats=1 \
  -artifact_prefix="$artifacts/" || status=$?

if [ "$status" -ne 0 ]; then
  echo "fuzz: the fuzzer stopped with status $status; see $artifacts/" >&2
  exit "$status"
fi
echo "fuzz: no crash in $seconds s"
