#!/usr/bin/env bash
# Every test: installs what is missing, builds all presets and runs the unit
# and scenario tests natively, under ASan/UBSan, the fuzzers for a bounded
# time, and the Windows build under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

scripts/install-deps.sh || exit 1

passed=0
failed=0
failures=()
step() {  # step NAME COMMAND...: runs one step and counts it
  local name=$1; shift
  echo "=== $name"
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); failures+=("$name"); fi
}

build() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1"
}

step "build native" build native
step "build windows" build windows
step "build asan" build asan
step "build fuzz" build fuzz

step "unit and scenario tests (native)" ctest --test-dir build/native --output-on-failure -j2
step "unit and scenario tests (ASan, UBSan)" \
  env ASAN_OPTIONS=detect_leaks=0 ctest --test-dir build/asan --output-on-failure -j2
step "fuzzers (bounded)" scripts/run-fuzzers.sh build/fuzz "${FUZZ_SECONDS:-10}"
step "Windows build under Wine" tests/wine/run_all.sh "$root/build/windows" "$root/build/native"

echo
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
