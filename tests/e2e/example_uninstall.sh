#!/bin/bash
# The example package installed into a fresh simulated machine and then
# uninstalled by simrun with the registered UninstallString: what is left
# must be what Wine's setup engine leaves (tests/wine/example_uninstall_test.sh):
# the emptied folders, and no file, link, INF copy or registry value.
# Usage: example_uninstall.sh <path of the native setup binary>
set -u
setup="$1"
simrun="$(dirname "$setup")/simrun"
example="${SETUP_BINARY_DIR:-$(dirname "$setup")}/example"
if [ ! -f "$example/TALVDEMO.EXE" ] || [ ! -x "$simrun" ]; then
  echo "SKIPPED: no example package with TALVDEMO.EXE, or no simrun"; exit 0
fi
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-uninstall-XXXXXX")"
machine="$work/m"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
SETUP_NO_SLEEP=1 "$setup" --machine "$machine" /S "$example/APP.INF" >/dev/null 2>&1 || fail "install failed"
"$simrun" --machine "$machine" --uninstall TalvenDemo 2>"$work/err" || fail "simrun exit code $?"
[ -s "$work/err" ] && fail "simrun wrote: $(cat "$work/err")"
left=$(cd "$machine/drive_c" && find . -ipath '*talven*' -o -iname APP.INF | LC_ALL=C sort)
expected="./Program Files/Talven Demo
./Program Files/Talven Demo/help
./Program Files/Talven Demo/samples
./Program Files/Talven Demo/samples/advanced
./Program Files/Talven Demo/samples/basic
./users/user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Talven Demo"
[ "$left" = "$expected" ] || fail "left behind: [$left], expected [$expected]"
files=$(cd "$machine/drive_c" && find . -ipath '*talven*' -type f)
[ -z "$files" ] || fail "files left: $files"
keys=$(tr -d '\r' <"$machine/registry.reg" | grep -i 'talven')
[ "$keys" = '[HKEY_CURRENT_USER\SOFTWARE\Talven]' ] || fail "registry left: [$keys]"
rm -rf "$work"
[ "$failures" -eq 0 ] && echo "PASS: example uninstall" && exit 0
exit 1
