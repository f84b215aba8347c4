#!/usr/bin/env bash
# A version.dll planted beside SETUP.EXE must never be used: SETUP.EXE reads
# its own version resource at start, through version.dll loaded by full
# system path. A careless loader in the same folder shows first that Wine
# would hand out the planted DLL at all; without that the test proves nothing
# and is skipped. Wine prefers its own version.dll; preferring a native one, as
# Windows does, is what makes the planted file a candidate.
#
# usage: dll_planting_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
command -v i686-w64-mingw32-gcc >/dev/null || skip_all "no i686-w64-mingw32-gcc"

work=$(make_work_dir dll_planting)
src="$WINE_TESTS_DIR/planting"
i686-w64-mingw32-gcc -Os -shared -s -o "$work/version.dll" "$src/planted_dll.c" \
  -Wl,--kill-at || skip_all "cannot build the planted DLL"
i686-w64-mingw32-gcc -Os -s -o "$work/naive_loader.exe" "$src/naive_loader.c" ||
  skip_all "cannot build the careless loader"
cp "$SETUP_EXE" "$work/"
marker="$work/version.dll.called"

echo "DLL planting beside SETUP.EXE"
wine_prefix_init || { fail "wine prefix"; finish; }
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;version=n,b"
rm -f "$marker"
wine_run "$work/naive_loader.exe"
[ -f "$marker" ] || skip_all "Wine does not take a planted version.dll here"
pass "a careless loader uses the planted version.dll"

rm -f "$marker"
wine_run "$work/SETUP.EXE" /S "$(z_path "$work")\\MISSING.INF"
check "SETUP.EXE still ran (missing control file reported)" 3 "$RUN_EXIT"
if [ -f "$marker" ]; then fail "SETUP.EXE called the planted version.dll"; else pass "planted version.dll not used"; fi
finish
