#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for a bounded time, starting
# from its seeds (tests/fuzz/<name>_seeds, read only) and the corpus earlier
# runs grew. Standard input is empty, so a message box a fuzzed section shows
# answers itself instead of waiting.
#
# A target's RSS climbs to about 400 MB within a few hundred thousand runs
# and stays there: that is AddressSanitizer keeping freed memory in its
# quarantine (256 MB by default) to catch uses after free, not a leak. With
# ASAN_OPTIONS=quarantine_size_mb=0, pe_version_fuzz runs 300,000 inputs at
# a flat 46 MB, and libFuzzer's own leak check (on by default) finds none.
set -uo pipefail
dir=$1
seconds=${2:-10}
seeds_root=$(cd "$(dirname "$0")/../tests/fuzz" && pwd)
status=0
shopt -s nullglob
targets=("$dir"/*_fuzz)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $dir"; exit 1; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  seeds=()
  [ -d "$seeds_root/${name%_fuzz}_seeds" ] && seeds=("$seeds_root/${name%_fuzz}_seeds")
  echo "--- $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
       "$corpus" "${seeds[@]}" </dev/null >"$dir/$name.log" 2>&1; then
    tail -n 40 "$dir/$name.log"
    status=1
  fi
  grep -E '^#[0-9]+.*DONE' "$dir/$name.log" | tail -n 1
done
exit $status
