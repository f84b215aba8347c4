#!/usr/bin/env bash
# The package checker's table of broken packages (tests/infcheck/table.sh)
# with INFCHECK.EXE under Wine: the same lines and exit codes as natively.
# usage: infcheck_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
CHECKER="$SETUP_WIN_BUILD/INFCHECK.EXE"
[ -f "$CHECKER" ] || skip_all "no $CHECKER (build the windows preset first)"
wine_prefix_init "$SETUP_WIN_BUILD" || { fail "no Wine prefix"; finish; }
source "$WINE_TESTS_DIR/../infcheck/table.sh"
if run_infcheck_table wine "$CHECKER"; then pass "infcheck table"; else fail "infcheck table"; fi
finish
