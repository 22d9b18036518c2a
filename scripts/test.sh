#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test suite: native unit tests,
# the same tests with AddressSanitizer/UBSan, the Windows tests under Wine (with Xvfb when there
# is no display), the 32-bit Windows build, a short fuzzing run, then makes the release files
# (scripts/package.sh) and checks them (tests/packaging/check_package.sh: contents, 32-bit imports,
# the zip and the installer under Wine). Exits non-zero on any failure.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
mkdir -p build
log=build/test-logs
rm -rf "$log" && mkdir -p "$log"

scripts/install-deps.sh || { echo "package installation failed"; exit 1; }

failed=()
summaries=()

step() {  # step NAME COMMAND...: runs a command, logging it; records failure
  local name=$1; shift
  echo "== $name"
  if ! "$@" >"$log/$name.log" 2>&1; then
    failed+=("$name")
    tail -n 60 "$log/$name.log"
    return 1
  fi
  return 0
}

run_ctest() {  # run_ctest PRESET [WRAPPER...]
  local preset=$1; shift
  echo "== ctest $preset"
  "$@" ctest --preset "$preset" --output-on-failure >"$log/ctest-$preset.log" 2>&1
  local rc=$?
  [ $rc -eq 0 ] || { failed+=("ctest-$preset"); grep -E 'Failed|FAILED|\*\*\*' "$log/ctest-$preset.log" | head -40; }
  summaries+=("[$preset] $(grep -E 'tests passed|tests failed' "$log/ctest-$preset.log" | tail -n 1)")
}

# Windows GUI tests need an X display: use the caller's, or a virtual one.
display_wrapper=()
if [ -z "${DISPLAY:-}" ]; then display_wrapper=(xvfb-run -a -s "-screen 0 1280x1024x24"); fi

# The layering is checked over every source file before anything is built.
step check-layers scripts/check-layers.sh

for preset in native native-asan windows-x64 windows-x86; do
  step "configure-$preset" cmake --preset "$preset" && step "build-$preset" cmake --build --preset "$preset"
done

run_ctest native
run_ctest native-asan env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1
run_ctest windows-x64 "${display_wrapper[@]}"
# The window's exports (written by the GUI tests) equal vondrel-cli's and gpsbabel reads them.
step window-exports tests/gui/check_window_exports.sh build/windows-x64/window_exports build/native/vondrel-cli &&
  summaries+=("[window-exports] $(tail -n 1 "$log/window-exports.log")")

if [ -x scripts/fuzz.sh ]; then
  step fuzz scripts/fuzz.sh "${VONDREL_FUZZ_SECONDS:-60}" && summaries+=("[fuzz] $(grep -E 'Done|stat::number_of_executed_units' "$log/fuzz.log" | tail -n 1)")
fi

if step package scripts/package.sh --no-build; then
  summaries+=("[package] $(grep -c 'dist/' "$log/package.log") files: $(awk '{printf "%s %s bytes; ", $2, $1}' "$log/package.log")")
  step package-check tests/packaging/check_package.sh &&
    summaries+=("[package-check] $(tail -n 1 "$log/package-check.log")")
fi

echo
echo "== Summary"
for s in "${summaries[@]}"; do echo "$s"; done
[ -f build/windows-x86/vondrel-cli.exe ] && echo "[windows-x86] built (32-bit; not runnable on this machine)"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]} (logs in $root/$log)"
  exit 1
fi
echo "All test suites passed."
