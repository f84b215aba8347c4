#!/usr/bin/env bash
# SETUP.EXE is a 32-bit GUI program that imports only DLLs which Windows
# always takes from the system directory (known DLLs). Any other import would
# be resolved by the loader before our first instruction, from the folder of
# the program first: the DLL-planting hole that a setup program started from
# a download folder must not have. version.dll in particular is loaded at run
# time by its full system path.
#
# usage: imports_check.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
command -v i686-w64-mingw32-objdump >/dev/null || skip_all "no i686-w64-mingw32-objdump"

allowed="kernel32.dll user32.dll gdi32.dll advapi32.dll shell32.dll ole32.dll msvcrt.dll"

headers=$(i686-w64-mingw32-objdump -p "$SETUP_EXE")
echo "imports and headers of SETUP.EXE"
check "file format" "pei-i386" "$(i686-w64-mingw32-objdump -f "$SETUP_EXE" | sed -n 's/.*file format //p')"
check "optional header magic (PE32)" "010b" "$(awk '$1 == "Magic" { print $2 }' <<<"$headers")"
check "subsystem (Windows GUI)" "00000002" "$(awk '$1 == "Subsystem" { print $2 }' <<<"$headers")"
check "machine i386" "i386" "$(i686-w64-mingw32-objdump -f "$SETUP_EXE" | sed -n 's/^architecture: \([^,]*\),.*/\1/p')"
dll_characteristics=$(awk '$1 == "DllCharacteristics" { print $2 }' <<<"$headers")
check "ASLR and DEP (dynamic base, NX compatible)" "0x140" \
  "$(printf '0x%x' $((0x$dll_characteristics & 0x140)))"

imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers" | sort -u)
[ -n "$imports" ] || fail "no imports found"
for dll in $imports; do
  if [[ " $allowed " == *" $dll "* ]]; then pass "import $dll"; else fail "import $dll is not a known DLL"; fi
done
finish
