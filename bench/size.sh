#!/usr/bin/env bash
# Size of SETUP.EXE against its budget (128 KB) and its goal (64 KB), with
# the largest sections, object files and functions from the link map.
#
# usage: bench/size.sh [WINDOWS_BUILD]   (default build/windows; built when missing)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/windows}
budget=$((128 * 1024))
goal=$((64 * 1024))

if [ ! -f "$build/SETUP.EXE" ]; then
  cmake --preset windows -B "$build" >/dev/null && cmake --build "$build" -j2 >/dev/null ||
    { echo "build of $build failed" >&2; exit 1; }
fi
exe="$build/SETUP.EXE"
bytes=$(stat -c %s "$exe")
kb() { awk -v b="$1" 'BEGIN { printf "%.1f KB", b / 1024 }'; }
verdict() { if [ "$bytes" -le "$1" ]; then echo "within, $(kb $(($1 - bytes))) left"; else echo "OVER by $(kb $((bytes - $1)))"; fi; }

echo "SETUP.EXE: $bytes bytes ($(kb "$bytes"))"
echo "  budget 128 KB: $(verdict $budget)"
echo "  goal    64 KB: $(verdict $goal)"

echo
echo "sections (size in bytes):"
i686-w64-mingw32-objdump -h "$exe" |
  while read -r index name size _; do
    [[ "$index" =~ ^[0-9]+$ ]] && printf '  %-8s %8d\n' "$name" "$((16#$size))"
  done

map="$build/SETUP.map"
[ -f "$map" ] || exit 0
python3 - "$map" <<'PY' | { if command -v i686-w64-mingw32-c++filt >/dev/null; then i686-w64-mingw32-c++filt; else cat; fi; }
import re, sys, collections

# Input sections of the memory map: " .text$name  0xADDR  0xSIZE  file", the
# name sometimes alone on the line before. Only placed sections (address
# not 0) count; the list of discarded sections comes before the map.
text = open(sys.argv[1], errors="replace").read()
text = text[text.find("Linker script and memory map"):]
by_object = collections.Counter()
by_function = collections.Counter()
pending = None
row = re.compile(r"^ (\S+)?\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
for line in text.splitlines():
    if re.match(r"^ \.\S+$", line):
        pending = line.strip()
        continue
    m = row.match(line)
    if not m:
        pending = None
        continue
    name = m.group(1) or pending
    pending = None
    address, size, origin = int(m.group(2), 16), int(m.group(3), 16), m.group(4)
    if not name or address == 0 or size == 0 or not name.startswith("."):
        continue
    if name.startswith(".debug") or name.startswith(".rsrc"):
        continue
    member = re.search(r"\(([^)]+)\)$", origin)
    by_object[member.group(1) if member else origin.rsplit("/", 1)[-1]] += size
    if "$" in name and name.split("$", 1)[0] in (".text", ".rdata", ".data", ".bss"):
        symbol = name.split("$", 1)[1]
        # The section carries the symbol without the leading underscore of
        # the i386 ABI; give it back so that c++filt recognises it.
        by_function[("_" + symbol) if symbol.startswith("_Z") else symbol] += size

def show(title, counter):
    print()
    print(title)
    for name, size in counter.most_common(12):
        print("  %8d  %s" % (size, name))

show("largest object files (code and data):", by_object)
show("largest functions and data (one section each):", by_function)
PY
