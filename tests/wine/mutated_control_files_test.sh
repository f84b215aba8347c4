#!/usr/bin/env bash
# Damaged control files, installed whole by SETUP.EXE under Wine: every run
# must end by itself with a documented exit code, without an unhandled
# exception. The same generator and seed as the native test; the real
# profile and registry functions of Windows read the mutants here. The runs
# change the registry and the files of their prefix, so they get a prefix
# of their own, apart from the one the other tests share.
#
# usage: mutated_control_files_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe

work=$(make_work_dir mutated_control_files)
unset SETUP_WINE_PREFIX_READY
if ! wine_prefix_init "$work"; then
  fail "no Wine prefix of its own"
  finish
fi

report="$work/report.txt"
python3 "$WINE_TESTS_DIR/../e2e/mutated_control_files.py" "$SETUP_EXE" "$SETUP_ROOT" "$work/cases" \
  --cases "${MUTATION_CASES:-24}" --seed "${MUTATION_SEED:-1}" --wine-prefix "$WINEPREFIX" >"$report" 2>&1
status=$?
cat "$report"
check "every mutated control file ends its run cleanly" 0 "$status"
wine_prefix_stop
finish
