#!/usr/bin/env bash
# The contract rows of the Win32 subset under Wine: the Windows build's
# contract_tests.exe runs the rows that the native build runs against the
# emulation. A row marked as a known Wine deviation fails here as
# "todo_wine"; one that passes is an error, so that a better Wine is noticed.
#
# usage: contract_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"

exe="$SETUP_WIN_BUILD/contract_tests.exe"
[ -f "$exe" ] || skip_all "no $exe (build the windows preset first)"
wine_prefix_init "$SETUP_WIN_BUILD" || { fail "no Wine prefix"; finish; }

# Every run starts without the scratch folder of the last one.
chmod -R u+w "$WINEPREFIX/drive_c/contract" 2>/dev/null
rm -rf "$WINEPREFIX/drive_c/contract"

args=(--test-pe "$(z_path "$SETUP_WIN_BUILD/test-pe")")
# Wine run by root writes read-only files; the rows that say so know it.
[ "$(id -u)" -eq 0 ] && args+=(--as-root)
wine_run "$exe" "${args[@]}"
echo "$RUN_STDOUT" | grep -v '^todo_wine' | grep -v ' rows, ' || true
echo "$RUN_STDOUT" | grep -c '^todo_wine' | sed 's/$/ failed checks of known Wine deviations (todo_wine)/'
summary=$(grep ' rows, ' <<<"$RUN_STDOUT")
echo "$summary"
check "contract rows under Wine" "0" "$RUN_EXIT"
[ -n "$summary" ] || fail "no summary line: $RUN_STDERR"
finish
