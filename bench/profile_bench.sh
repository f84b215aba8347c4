#!/usr/bin/env bash
# Time of 2,000 profile reads of a control file with 2,000 keys in [Strings]
# on the POSIX emulation (the file is parsed once and kept while unchanged).
#
# usage: bench/profile_bench.sh [NATIVE_BUILD]   (default build/native; built when missing)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
tool="$build/profile_bench_tool"
if [ ! -x "$tool" ]; then
  cmake --preset native -B "$build" >/dev/null && cmake --build "$build" -j2 --target profile_bench_tool >/dev/null ||
    { echo "build of $tool failed" >&2; exit 1; }
fi
machine=$(mktemp -d)
trap 'rm -rf "$machine"' EXIT
mkdir -p "$machine/drive_c"
awk 'BEGIN {
  printf "[Version]\r\nSignature=\"$Chicago$\"\r\n\r\n[Strings]\r\n"
  for (i = 0; i < 2000; i++) printf "Key%04d = \"value number %d of the strings section, %%windir%%\\\\sub\"\r\n", i, i
  printf "\r\n[Files]\r\n"
  for (i = 0; i < 500; i++) printf "file%03d.dll=%%MyProgramPath%%,,1\r\n", i
}' > "$machine/drive_c/bench.inf"
echo "control file: $(stat -c %s "$machine/drive_c/bench.inf") bytes"
"$tool" --machine "$machine" 'C:\bench.inf' Strings
