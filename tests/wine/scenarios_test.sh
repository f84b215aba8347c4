#!/usr/bin/env bash
# The installation scenarios of tests/scenarios/ with SETUP.EXE under Wine,
# each in a clean clone of a pristine prefix, and with the native setup when
# it is built: both must give each scenario's expected report.
#
# usage: scenarios_test.sh [WINDOWS_BUILD] [NATIVE_BUILD] [NAME...]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
shift $(( $# < 2 ? $# : 2 ))
require_setup_exe
args=(--wine "$SETUP_EXE" --work "$SETUP_WIN_BUILD/wine-scenarios")
[ -x "$NATIVE_SETUP" ] && args+=(--native "$NATIVE_SETUP")
# The scratch folder keeps the pristine prefix from run to run; only the
# scenarios' own folders are made afresh.
find "$SETUP_WIN_BUILD/wine-scenarios" -mindepth 1 -maxdepth 1 ! -name 'pristine-*' \
  -exec rm -rf {} + 2>/dev/null
bash "$SETUP_ROOT/tests/scenarios/run.sh" "${args[@]}" "$@"
