#!/usr/bin/env bash
# Speed of installing with the native build, against cp -r of the same trees:
#   - a package of 10,000 small files in nested folders (100 folders of 100);
#   - a package of four 256 MB files.
# Prints the two ratios (installer time / cp time) and the installer's peak
# memory. Targets: small files within 1.5 times cp -r, large within 1.1.
#
# usage: bench/install_bench.sh [NATIVE_BUILD]   (default build/native)
#        BENCH_ROUNDS=N (default 4, made even) sets the number of rounds; BENCH_DIR=DIR
#        puts the trees on another file system (/dev/shm: no disk at all)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/native}
setup="$build/setup"
if [ ! -x "$setup" ]; then
  cmake --preset native -B "$build" >/dev/null
  cmake --build "$build" -j2 --target setup >/dev/null
fi
work=$(mktemp -d "${BENCH_DIR:-$PWD/$build}/install-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

make_package() {  # make_package DIR SOURCE_FOLDER: a package installing SOURCE_FOLDER with "/s"
  printf '[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\nMyProgramPath=C:\\Bench\r\n[Files]\r\n%s\\*/s=%%MyProgramPath%%\\%s\r\n' \
    "$2" "$2" > "$1/APP.INF"
}

small="$work/small-pkg"
mkdir -p "$small/tree"
for d in $(seq -w 1 100); do
  mkdir -p "$small/tree/dir$d"
  for f in $(seq -w 1 100); do printf 'file %s of folder %s\n' "$f" "$d" > "$small/tree/dir$d/file$f.txt"; done
done
make_package "$small" tree

big="$work/big-pkg"
mkdir -p "$big/data/parts"
for i in 1 2 3 4; do head -c $((256 * 1024 * 1024)) /dev/urandom > "$big/data/parts/part$i.bin"; done
make_package "$big" data

seconds_of() {  # runs a command, prints wall seconds; peak RSS (KB) into $work/rss
  /usr/bin/time -f '%e %M' -o "$work/time" "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
  read -r wall rss < "$work/time"
  echo "$rss" > "$work/rss"
  echo "$wall"
}

drop_caches() { sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null || true; }

# One timed copy of each kind, into a place never used before: a file system
# that has just deleted thousands of files creates new ones more slowly
# (ext4 passes over recently freed inodes), and whichever side ran after a
# deletion would pay for it. Nothing is removed until both sides have run.
time_cp() {  # time_cp PACKAGE_DIR SOURCE_FOLDER DESTINATION
  drop_caches
  seconds_of cp -r "$1/$2" "$3"
}
time_setup() {  # time_setup PACKAGE_DIR MACHINE; peak memory into $work/setup_rss
  # The machine is laid out first, so that only the installation is timed.
  "$setup" --machine "$2" /S "$work/none.inf" >/dev/null 2>&1 || true
  drop_caches
  SETUP_NO_SLEEP=1 seconds_of "$setup" --machine "$2" /S "$1/APP.INF"
  cp "$work/rss" "$work/setup_rss"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }

# Each round times both sides, the order changing from round to round (the
# first command of a round tends to be the slower), so that each side goes
# first equally often; the medians are compared.
run() {  # run NAME PACKAGE_DIR SOURCE_FOLDER
  local name=$1 pkg=$2 folder=$3 round cp_times="" setup_times="" rss=0
  for round in $(seq 1 "$rounds"); do
    local dest="$work/round$round"
    if [ $((round % 2)) -eq 1 ]; then
      cp_times+="$(time_cp "$pkg" "$folder" "$dest-cp")"$'\n'
      setup_times+="$(time_setup "$pkg" "$dest-machine")"$'\n'
    else
      setup_times+="$(time_setup "$pkg" "$dest-machine")"$'\n'
      cp_times+="$(time_cp "$pkg" "$folder" "$dest-cp")"$'\n'
    fi
    local round_rss; round_rss=$(cat "$work/setup_rss")
    [ "$round_rss" -gt "$rss" ] && rss=$round_rss
  done
  local copied; copied=$(find "$work/round1-machine/drive_c/Bench" -type f ! -name LOGFILKW.LOG | wc -l)
  local cp_time setup_time
  cp_time=$(printf '%s' "$cp_times" | median)
  setup_time=$(printf '%s' "$setup_times" | median)
  local cp_best setup_best
  cp_best=$(printf '%s' "$cp_times" | sort -g | head -1)
  setup_best=$(printf '%s' "$setup_times" | sort -g | head -1)
  printf '%-22s cp -r %7.2f s   setup %7.2f s   ratio %5.2f   peak memory %6d KB   files %d   (medians of %d rounds)\n' \
    "$name" "$cp_time" "$setup_time" "$(echo "scale=4; $setup_time / $cp_time" | bc)" "$rss" "$copied" "$rounds"
  # On a machine whose disk is shared, the fastest round of each side is the
  # steadier measure of what the work itself costs.
  printf '%-22s cp -r %7.2f s   setup %7.2f s   ratio %5.2f   (fastest rounds)\n' \
    "" "$cp_best" "$setup_best" "$(echo "scale=4; $setup_best / $cp_best" | bc)"
  echo "    rounds: cp -r $(printf '%s' "$cp_times" | tr '\n' ' ')  setup $(printf '%s' "$setup_times" | tr '\n' ' ')"
  rm -rf "$work"/round*
}

rounds=${BENCH_ROUNDS:-4}
rounds=$(( (rounds + 1) / 2 * 2 ))
run "10,000 small files" "$small" tree
run "4 x 256 MB files" "$big" data
