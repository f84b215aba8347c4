# Shared helpers of the Wine tests; sourced, not run.
#
# The Windows build is run under Wine in a private prefix inside the Windows
# build folder, made fresh once per test run: run_all.sh makes it and exports
# SETUP_WINE_PREFIX_READY, so that every test of the run reuses it; a test
# started on its own makes its own.
#
# Folders, from the command line of the test (or the environment):
#   $1 / SETUP_WIN_BUILD     the Windows build (SETUP.EXE), default build/windows
#   $2 / SETUP_NATIVE_BUILD  the native build (setup), default build/native
# shellcheck shell=bash

WINE_TESTS_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
SETUP_ROOT=$(cd "$WINE_TESTS_DIR/../.." && pwd)
SETUP_WIN_BUILD=$(realpath -m "${1:-${SETUP_WIN_BUILD:-$SETUP_ROOT/build/windows}}")
SETUP_NATIVE_BUILD=$(realpath -m "${2:-${SETUP_NATIVE_BUILD:-$SETUP_ROOT/build/native}}")
SETUP_EXE="$SETUP_WIN_BUILD/SETUP.EXE"
NATIVE_SETUP="$SETUP_NATIVE_BUILD/setup"
export SETUP_WIN_BUILD SETUP_NATIVE_BUILD

# Seconds a single program run may take before it counts as hung.
WINE_RUN_TIMEOUT=${WINE_RUN_TIMEOUT:-60}

# Wine stays quiet and never offers to download Mono or Gecko.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"

TESTS_PASSED=0
TESTS_FAILED=0

# ---- reporting -------------------------------------------------------------

pass() { TESTS_PASSED=$((TESTS_PASSED + 1)); echo "  ok   $*"; }
fail() { TESTS_FAILED=$((TESTS_FAILED + 1)); echo "  FAIL $*"; }

# check NAME EXPECTED ACTUAL
check() {
  if [ "$2" == "$3" ]; then pass "$1"; else fail "$1: expected [$2], got [$3]"; fi
}

# Ends a test script: its last line is the count that run_all.sh adds up.
finish() {
  echo "$TESTS_PASSED passed, $TESTS_FAILED failed"
  [ "$TESTS_FAILED" -eq 0 ]
  exit
}

# Skips the whole script (counted by run_all.sh neither as pass nor fail).
skip_all() {
  echo "SKIPPED: $*"
  echo "0 passed, 0 failed"
  exit 0
}

require_setup_exe() {
  [ -f "$SETUP_EXE" ] || skip_all "no $SETUP_EXE (build the windows preset first)"
}

require_native_setup() {
  [ -x "$NATIVE_SETUP" ] || skip_all "no $NATIVE_SETUP (build the native preset first)"
}

# ---- paths -----------------------------------------------------------------

# Host path -> the path a Windows program sees for it: Wine's drive Z: is the
# host root, and the emulation of the native build maps it the same way.
z_path() {
  local host
  host=$(realpath -m "$1")
  host=${host//\//\\}
  printf 'Z:%s' "$host"
}

# A fresh scratch folder for one test script, inside the Windows build.
make_work_dir() {
  local dir="$SETUP_WIN_BUILD/wine-tests/$1"
  rm -rf "$dir"
  mkdir -p "$dir"
  printf '%s' "$dir"
}

# ---- the Wine prefix -------------------------------------------------------

# wine_prefix_init [BUILD_FOLDER]: makes (once per run) and selects the prefix.
wine_prefix_init() {
  local prefix="${1:-$SETUP_WIN_BUILD}/wine-prefix"
  export WINEPREFIX="$prefix"
  export WINEARCH=win32
  if [ "${SETUP_WINE_PREFIX_READY:-}" == "$prefix" ] && [ -f "$prefix/system.reg" ]; then
    return 0
  fi
  rm -rf "$prefix"
  mkdir -p "$prefix"
  if ! timeout 300 wineboot -i >/dev/null 2>&1; then
    echo "wineboot -i failed for $prefix" >&2
    return 1
  fi
  # wineboot returns before the prefix is written out; the server finishes it.
  timeout 120 wineserver -w
  export SETUP_WINE_PREFIX_READY="$prefix"
}

# Ends every process of our prefix (after a timeout) and its server.
wine_prefix_stop() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1
  return 0
}

# ---- running programs ------------------------------------------------------

# Results of the last run: exit code and the captured output, CR removed.
RUN_EXIT=
RUN_STDOUT=
RUN_STDERR=

_capture() {  # _capture COMMAND...: runs with the timeout and fills RUN_*
  local out err
  out=$(mktemp) err=$(mktemp)
  timeout --kill-after=10 "$WINE_RUN_TIMEOUT" "$@" >"$out" 2>"$err" </dev/null
  RUN_EXIT=$?
  RUN_STDOUT=$(tr -d '\r' <"$out")
  RUN_STDERR=$(tr -d '\r' <"$err")
  rm -f "$out" "$err"
}

# wine_run EXE ARGS...: runs a Windows program that shows no window.
wine_run() {
  _capture wine "$@"
  if [ "$RUN_EXIT" -eq 124 ] || [ "$RUN_EXIT" -eq 137 ]; then wine_prefix_stop; fi
}

# wine_run_gui EXE ARGS...: as wine_run, on a virtual X display when the
# session has none.
wine_run_gui() {
  if [ -n "${DISPLAY:-}" ]; then
    wine_run "$@"
  else
    _capture xvfb-run -a wine "$@"
    if [ "$RUN_EXIT" -eq 124 ] || [ "$RUN_EXIT" -eq 137 ]; then wine_prefix_stop; fi
  fi
}

# native_run PROGRAM MACHINE_DIR ARGS...: the native build (or a copy of it,
# so that it lies where a test wants SETUP.EXE to lie) on a simulated machine.
native_run() {
  local program=$1 machine=$2
  shift 2
  _capture "$program" --machine "$machine" "$@"
}

# stderr_has_line TEXT: the last run wrote exactly this line to stderr.
stderr_has_line() {
  grep -qxF -- "$1" <<<"$RUN_STDERR"
}
