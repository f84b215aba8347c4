#!/usr/bin/env bash
# Runs the checks of the Windows build: every tests/wine/*_test.sh, the
# import check, the version and the shell-link comparisons, each as one test, in one fresh
# Wine prefix made here and shared by all of them. The last line is
# "N passed, M failed"; the exit code is non-zero when any test failed.
#
# usage: run_all.sh [WINDOWS_BUILD] [NATIVE_BUILD]   (default build/windows, build/native)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

scripts=("$WINE_TESTS_DIR/imports_check.sh")
for script in "$WINE_TESTS_DIR"/*_test.sh; do scripts+=("$script"); done
[ -f "$WINE_TESTS_DIR/version_compare.sh" ] && scripts+=("$WINE_TESTS_DIR/version_compare.sh")
[ -f "$WINE_TESTS_DIR/shell_link_compare.sh" ] && scripts+=("$WINE_TESTS_DIR/shell_link_compare.sh")

passed=0
failed=0
skipped=0
failures=()

if [ -f "$SETUP_EXE" ]; then
  unset SETUP_WINE_PREFIX_READY
  echo "making a fresh Wine prefix in $SETUP_WIN_BUILD/wine-prefix"
  if ! wine_prefix_init "$SETUP_WIN_BUILD"; then
    echo "FAILED: no Wine prefix"
    echo "0 passed, 1 failed"
    exit 1
  fi
  export SETUP_WINE_PREFIX_READY WINEPREFIX
fi

for script in "${scripts[@]}"; do
  name=$(basename "$script" .sh)
  echo "=== $name"
  output=$(bash "$script" "$SETUP_WIN_BUILD" "$SETUP_NATIVE_BUILD" 2>&1)
  status=$?
  echo "$output"
  if [ "$status" -ne 0 ]; then
    failed=$((failed + 1))
    failures+=("$name")
  elif grep -q '^SKIPPED' <<<"$output"; then
    skipped=$((skipped + 1))
  else
    passed=$((passed + 1))
  fi
done

wine_prefix_stop
echo
for name in "${failures[@]}"; do echo "FAILED: $name"; done
[ "$skipped" -gt 0 ] && echo "$skipped skipped"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
