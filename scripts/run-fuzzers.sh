#!/usr/bin/env bash
# Runs each libFuzzer target of a fuzz build for a bounded time.
set -uo pipefail
dir=$1
seconds=${2:-20}
status=0
shopt -s nullglob
targets=("$dir"/*_fuzz)
[ ${#targets[@]} -gt 0 ] || { echo "no fuzz targets in $dir"; exit 1; }
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="$dir/corpus/$name"
  mkdir -p "$corpus"
  echo "--- $name (${seconds}s)"
  if ! "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -print_final_stats=0 \
       "$corpus" >"$dir/$name.log" 2>&1; then
    tail -n 40 "$dir/$name.log"
    status=1
  fi
done
exit $status
