#!/usr/bin/env bash
# Installs what is missing, builds every preset and runs every test suite: native unit tests,
# the same tests with AddressSanitizer/UBSan, the Windows tests under Wine (with Xvfb when there
# is no display), the 32-bit Windows build, a short fuzzing run, then makes the release files
# (scripts/package.sh) and checks them (tests/packaging/check_package.sh: contents, 32-bit imports,
# the zip and the installer under Wine). Exits non-zero on any failure.
#
# Each preset builds what its tests need (vondrel_tests) and the release programs where they are
# packed; the 32-bit preset builds the release programs alone. The builds follow one another
# with both cores; a suite runs beside the next build as soon as what it needs is built, and the
# Wine prefix is made while the first build runs. Logs and times: build/test-logs/.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
mkdir -p build
log=build/test-logs
rm -rf "$log" && mkdir -p "$log"
start=$(date +%s)

# step NAME COMMAND...: runs a command with its output in $log/NAME.log, then writes its exit
# status, seconds, start (seconds into the run) and processor seconds (of its processes, not of
# Wine's, which run apart) to $log/NAME.status. Returns the command's status.
step() {
  local name=$1; shift
  local t0 rc
  t0=$(date +%s)
  echo "== $name"
  ( "$@" >"$log/$name.log" 2>&1; rc=$?; times >"$log/$name.cpu"; exit $rc )
  rc=$?
  # times: the subshell's own user and system time, then its children's, as 1m2.345s
  echo "$rc $(( $(date +%s) - t0 )) $(( t0 - start )) $(awk -F'[ms ]+' 'NR == 2 {printf "%.0f", $1 * 60 + $2 + $3 * 60 + $4}' "$log/$name.cpu")" >"$log/$name.status"
  if [ $rc -ne 0 ]; then
    echo "== $name failed:"
    tail -n 60 "$log/$name.log"
  fi
  return $rc
}

# after NAME...: waits until those steps have ended; fails when one of them failed or was skipped.
after() {
  local name
  for name in "$@"; do
    while [ ! -f "$log/$name.status" ]; do sleep 1; done
    [ "$(cut -d' ' -f1 "$log/$name.status")" = 0 ] || return 1
  done
}

# run NAME [after DEPENDENCIES... --] COMMAND...: a step, once the steps it depends on passed
# (else it is marked skipped). `later` runs one beside what follows.
run() {
  local name=$1; shift
  steps+=("$name")
  if [ "$1" = after ]; then
    shift
    local deps=()
    while [ "$1" != -- ]; do deps+=("$1"); shift; done
    shift
    if ! after "${deps[@]}"; then
      echo "skipped - $(( $(date +%s) - start ))" >"$log/$name.status"
      return 1
    fi
  fi
  step "$name" "$@"
}
later() {
  steps+=("$1")
  run "$@" &
}
steps=()

build() {  # build PRESET TARGET...
  local preset=$1; shift
  cmake --preset "$preset" && cmake --build --preset "$preset" --target "$@"
}

# Windows GUI tests need an X display: use the caller's, or a virtual one.
display_wrapper=()
if [ -z "${DISPLAY:-}" ]; then display_wrapper=(xvfb-run -a -s "-screen 0 1280x1024x24"); fi

wine_prefix() { source scripts/wine-env.sh && vondrel_wine_prefix; }
release=(Vondrel Tarvix2 vondrel-setup)
trap 'kill $(jobs -p) 2>/dev/null; exit 130' INT TERM

run install-deps scripts/install-deps.sh || { echo "package installation failed"; exit 1; }
# The layering is checked over every source file before anything is built.
run check-layers scripts/check-layers.sh

# The Windows tests take longest (they wait on Wine), so the 64-bit build comes first and they run
# beside the later builds.
later wine-prefix wine_prefix
run build-windows-x64 build windows-x64 vondrel_tests "${release[@]}"
later ctest-windows-x64 after build-windows-x64 wine-prefix -- \
  "${display_wrapper[@]}" ctest --preset windows-x64 --output-on-failure
run build-native build native vondrel_tests
later ctest-native after build-native -- ctest --preset native --output-on-failure
# The window's exports (written by the GUI tests) equal vondrel-cli's and gpsbabel reads them.
later window-exports after ctest-windows-x64 build-native -- \
  tests/gui/check_window_exports.sh build/windows-x64/window_exports build/native/vondrel-cli
run build-windows-x86 build windows-x86 "${release[@]}" vondrel_wire_sizes
later package after build-windows-x64 build-windows-x86 -- scripts/package.sh --no-build
# The release files are checked under Wine once the Windows tests are through.
later package-check after package window-exports -- tests/packaging/check_package.sh
# The fuzzing (one core) runs beside the sanitizer build.
if [ -x scripts/fuzz.sh ]; then
  run build-fuzz scripts/fuzz.sh --build-only
  later fuzz after build-fuzz -- scripts/fuzz.sh "${VONDREL_FUZZ_SECONDS:-60}"
fi
run build-native-asan build native-asan vondrel_tests
later ctest-native-asan after build-native-asan -- \
  env ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --preset native-asan --output-on-failure
wait

# What each step reported, with its time.
result() {  # result NAME: a step's one-line outcome
  local f=$log/$1.log
  case $1 in
    ctest-*) grep -E 'tests passed|tests failed' "$f" | tail -n 1 ;;
    fuzz) grep -E 'Done|stat::number_of_executed_units' "$f" | tail -n 1 ;;
    package) echo "$(grep -c 'dist/' "$f") files: $(awk '{printf "%s %s bytes; ", $2, $1}' "$f")" ;;
    window-exports | package-check) tail -n 1 "$f" ;;
  esac
}
echo
echo "== Summary: each step's start and time, and its processes' processor time (s)"
printf '%6s %6s %6s  %-18s %s\n' start time cpu step outcome
failed=()
for name in "${steps[@]}"; do
  rc=missing seconds="" at="" cpu=""
  [ -f "$log/$name.status" ] && read -r rc seconds at cpu < "$log/$name.status"
  case $rc in
    0) outcome=$(result "$name") ;;
    skipped) outcome=skipped seconds=""; failed+=("$name") ;;
    *) outcome="FAILED ($rc)"; failed+=("$name") ;;
  esac
  printf '%6s %6s %6s  %-18s %s\n' "+$at" "$seconds" "$cpu" "$name" "$outcome"
done
[ -f build/windows-x86/Vondrel.exe ] && echo "[windows-x86] built (32-bit; not runnable on this machine)"
echo "Wall time: $(( $(date +%s) - start )) s (logs in $root/$log)"
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}"
  exit 1
fi
echo "All test suites passed."
