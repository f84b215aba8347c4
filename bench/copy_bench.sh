#!/usr/bin/env bash
# CopyFileA of the POSIX emulation against cp: 10,000 small files and one
# 256 MB file, each copied into a new folder of the same disk.
#
# usage: bench/copy_bench.sh [NATIVE_BUILD]   (default build/native; built when missing)
set -uo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
tool="$build/copy_bench_tool"
if [ ! -x "$tool" ]; then
  cmake --preset native -B "$build" >/dev/null && cmake --build "$build" -j2 --target copy_bench_tool >/dev/null ||
    { echo "build of $tool failed" >&2; exit 1; }
fi
machine=$(mktemp -d "$PWD/$build/copy-bench-XXXXXX")
trap 'rm -rf "$machine"' EXIT
mkdir -p "$machine/drive_c/small" "$machine/drive_c/big"
for i in $(seq -w 1 10000); do printf 'file %s of the benchmark\n' "$i" > "$machine/drive_c/small/file$i.dll"; done
head -c $((256 * 1024 * 1024)) /dev/urandom > "$machine/drive_c/big/huge.cab"
sync

seconds() { local start=$(date +%s.%N); "$@" >/dev/null; echo "$(date +%s.%N) - $start" | bc; }

for set in small big; do
  sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null
  cp_time=$(seconds cp -r "$machine/drive_c/$set" "$machine/drive_c/$set-cp")
  sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null
  tool_time=$(seconds "$tool" --machine "$machine" "C:\\$set" "C:\\$set-copy")
  ratio=$(echo "scale=2; $tool_time / $cp_time" | bc)
  printf '%-6s cp -r %6.3f s   CopyFileA %6.3f s   ratio %s\n' "$set" "$cp_time" "$tool_time" "$ratio"
  cmp -s "$machine/drive_c/big/huge.cab" "$machine/drive_c/big-copy/huge.cab" 2>/dev/null || [ "$set" = small ] ||
    echo "copy differs from the source" >&2
done
