#!/usr/bin/env bash
# SETUP.EXE is a 32-bit GUI program that imports kernel32 alone. Any other
# import, and whatever that DLL imports in turn, would be resolved by the
# loader before our first instruction, from the folder of the program first:
# the DLL-planting hole that a setup program started from a download folder
# must not have. The other system DLLs are delay-loaded by their full system
# path after the DLL search has been restricted.
#
# usage: imports_check.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
command -v i686-w64-mingw32-objdump >/dev/null || skip_all "no i686-w64-mingw32-objdump"


headers=$(i686-w64-mingw32-objdump -p "$SETUP_EXE")
echo "imports and headers of SETUP.EXE"
check "file format" "pei-i386" "$(i686-w64-mingw32-objdump -f "$SETUP_EXE" | sed -n 's/.*file format //p')"
check "optional header magic (PE32)" "010b" "$(awk '$1 == "Magic" { print $2 }' <<<"$headers")"
check "subsystem (Windows GUI)" "00000002" "$(awk '$1 == "Subsystem" { print $2 }' <<<"$headers")"
check "machine i386" "i386" "$(i686-w64-mingw32-objdump -f "$SETUP_EXE" | sed -n 's/^architecture: \([^,]*\),.*/\1/p')"
dll_characteristics=$(awk '$1 == "DllCharacteristics" { print $2 }' <<<"$headers")
check "ASLR and DEP (dynamic base, NX compatible)" "0x140" \
  "$(printf '0x%x' $((0x$dll_characteristics & 0x140)))"

imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$headers" | sort -u | paste -sd' ')
check "imported DLLs (kernel32 alone)" "kernel32.dll" "$imports"
finish
