#!/usr/bin/env bash
# Speed of installing against the tools people use instead, on two payloads
# built from a fixed seed (every run installs the same bytes):
#   - small: 10,000 files of 1-4 KB in 100 folders;
#   - large: 4 files of 64 MB.
# Under Wine, each in a fresh prefix of its own whose wineserver stays up
# (so the server's start-up is never timed): SETUP.EXE installing a package
# of the payload, an NSIS installer of the same files (no compression,
# silent /S /D=) and Wine's `xcopy /E /I /Q`. Natively: the native build
# against `cp -r`. Every round runs every contender once, in an order that
# changes from round to round; every installed tree is compared byte for
# byte with the payload. Prints each contender's median and fastest round,
# the ratios of each round's pairs, and per installed file the files each
# contender opens and its round trips to Wine's server (every server
# request) or, natively, its system calls (strace), with an empty payload's
# start-up subtracted.
#
# A floor runs beside them, under Wine and natively (bench/floor/): the
# least a file-by-file copy that keeps an installed file whole can do for
# each file (open, a temporary, the time, the rename, a log line), with no
# checks. Its ratios tell how much of a gap is the installer's own and how
# much is the way of copying.
#
# NSIS is a peer measured here and nowhere else; Debian's package is
# installed with apt when makensis is missing.
#
# usage: bench/peer_bench.sh [NATIVE_BUILD [WINDOWS_BUILD]]
#          (defaults build/native and build/windows; built when missing)
#   BENCH_SMALL_FILES=10000 BENCH_SMALL_FOLDERS=100   the small payload
#   BENCH_LARGE_FILES=4 BENCH_LARGE_MB=64              the large payload
#   BENCH_OPEN_FILES=200       files of the payload whose opens are counted
#   BENCH_ROUNDS=4             rounds (made even)
#   BENCH_NSIS_CRC=on|off      NSIS's self-check; by default on for the small
#                              payload (as NSIS ships) and off for the large
#   BENCH_PAYLOADS="small large"  which payloads run
#   BENCH_DIR=DIR              where the trees go (default: the native build)
# A quick run: BENCH_SMALL_FILES=1000 BENCH_LARGE_MB=16 BENCH_ROUNDS=2
set -euo pipefail
cd "$(dirname "$0")/.."
native_build=${1:-build/native}
windows_build=${2:-build/windows}
setup_native="$PWD/$native_build/setup"
setup_exe="$PWD/$windows_build/SETUP.EXE"

small_files=${BENCH_SMALL_FILES:-10000}
small_folders=${BENCH_SMALL_FOLDERS:-100}
large_files=${BENCH_LARGE_FILES:-4}
large_mb=${BENCH_LARGE_MB:-64}
open_files=${BENCH_OPEN_FILES:-200}
rounds=${BENCH_ROUNDS:-4}
rounds=$(( (rounds + 1) / 2 * 2 ))
payloads=${BENCH_PAYLOADS:-small large}

build_if_missing() {  # build_if_missing PRESET BUILD_DIR PROGRAM
  [ -x "$3" ] && return 0
  cmake --preset "$1" -B "$2" >/dev/null && cmake --build "$2" -j2 >/dev/null ||
    { echo "build of $3 failed" >&2; exit 1; }
}
build_if_missing native "$native_build" "$setup_native"
build_if_missing windows "$windows_build" "$setup_exe"
if ! command -v makensis >/dev/null; then
  apt-get install -y nsis >/dev/null 2>&1 || { echo "cannot install nsis" >&2; exit 1; }
fi

work=$(mktemp -d "${BENCH_DIR:-$PWD/$native_build}/peer-bench-XXXXXX")
work=$(realpath "$work")
floor_exe="$work/copy_floor.exe"
floor_native="$work/copy_floor"
cleanup() {
  local prefix
  for prefix in "$work"/prefix-*; do
    [ -d "$prefix" ] && WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
i686-w64-mingw32-g++ -O2 -static -o "$floor_exe" bench/floor/copy_floor_win32.cpp
g++ -O2 -o "$floor_native" bench/floor/copy_floor_posix.cpp

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
export LANG=C.UTF-8
export SETUP_NO_SLEEP=1
unset MyProgramPath MyStartMenu SETUP_MACHINE LC_ALL LC_TIME LANGUAGE

# ---- payloads -----------------------------------------------------------------

# A byte stream fixed by its seed: AES in counter mode over zeros. It ends
# when its reader has had enough (a broken pipe is its normal end).
seeded_stream() {  # seeded_stream SEED
  openssl enc -aes-128-ctr -nosalt -K "$(printf '%032x' "$1")" -iv 0 -in /dev/zero 2>/dev/null || true
}

make_small_tree() {  # make_small_tree DIR FILES FOLDERS SEED
  mkdir -p "$1"
  seeded_stream "$4" | perl -e '
    my ($dir, $files, $folders, $seed) = @ARGV;
    srand($seed);
    for my $d (1 .. $folders) { mkdir sprintf("%s/dir%03d", $dir, $d) or die "$!" }
    for my $i (0 .. $files - 1) {
      my $size = 1024 + int(rand(3073));
      read(STDIN, my $bytes, $size) == $size or die "short stream";
      my $name = sprintf("%s/dir%03d/file%05d.dat", $dir, $i % $folders + 1, $i);
      open(my $out, ">", $name) or die "$name: $!";
      binmode $out;
      print $out $bytes;
      close $out;
    }' "$1" "$2" "$3" "$4"
}

make_large_tree() {  # make_large_tree DIR FILES MB SEED
  local i
  mkdir -p "$1/parts"
  for i in $(seq 1 "$2"); do
    seeded_stream $(( $4 + i )) | head -c $(( $3 * 1024 * 1024 )) > "$1/parts/part$i.bin"
  done
}

# The SETUP.EXE package: a control file beside the tree that installs the
# whole tree into C:\DEST\tree. Each round gets a control file of its own,
# so that no run meets an earlier run's installed copy.
write_control_file() {  # write_control_file PACKAGE NAME DEST
  printf '[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\nMyProgramPath=%s\r\n[Files]\r\ntree\\*/s=%%MyProgramPath%%\\tree\r\n' \
    "$3" > "$1/$2.INF"
}

make_nsis() {  # make_nsis PACKAGE CRC(on|off): PACKAGE/nsis.exe of PACKAGE/tree
  cat > "$1/bench.nsi" <<EOF
Name "peer bench"
OutFile "$1/nsis.exe"
SetCompress off
CRCCheck $2
RequestExecutionLevel user
SilentInstall silent
InstallDir "C:\\nsis-default"
Section
  SetOutPath "\$INSTDIR\\tree"
  File /r "$1/tree/*"
SectionEnd
EOF
  makensis -V1 "$1/bench.nsi" >/dev/null
}

make_package() {  # make_package PACKAGE CRC
  make_nsis "$1" "$2"
  sync
}

# ---- machines -------------------------------------------------------------------

pristine="$work/pristine-prefix"
make_pristine_prefix() {
  mkdir -p "$pristine"
  WINEPREFIX="$pristine" timeout 300 wineboot -i >/dev/null 2>&1
  WINEPREFIX="$pristine" timeout 120 wineserver -w
}

# A copy of the pristine prefix whose server is started once and kept, and
# has run one program already, so that timed runs find it warm. While opens
# are counted, the server writes every request into PREFIX.requests; it
# runs without that for the timed rounds.
start_prefix() {  # start_prefix NAME [count]
  local prefix="$work/prefix-$1"
  if [ -d "$prefix" ]; then
    WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX="$prefix" wineserver -w
  else
    cp -a "$pristine" "$prefix"
  fi
  if [ "${2:-}" = count ]; then
    (WINEPREFIX="$prefix" setsid wineserver -f -p -d1 2>"$prefix.requests" >/dev/null &)
    # A client that came before the server's socket would start a server
    # of its own, one that counts nothing.
    sleep 1
  else
    WINEPREFIX="$prefix" wineserver -p
  fi
  WINEPREFIX="$prefix" wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# The native machine is laid out before anything is timed.
native_machine() {  # native_machine DIR
  "$setup_native" --machine "$1" /S "$work/none.inf" >/dev/null 2>&1 || true
}

# Wine's own xcopy.exe, wherever the distribution put it (read to warm it).
xcopy_exe=$(ls /usr/lib/wine/i386-windows/xcopy.exe /usr/lib/*/wine/i386-windows/xcopy.exe 2>/dev/null | head -1 || true)

z_path() { printf 'Z:%s' "${1//\//\\}"; }

# ---- contenders -----------------------------------------------------------------
# Each one: CONTENDER PACKAGE ROUND; runs one installation, leaves the
# installed tree in $installed (a host path).

wine_setup() {
  write_control_file "$1" "R$2" "C:\\dest-setup-$2"
  installed="$work/prefix-setup/drive_c/dest-setup-$2/tree"
  warm setup "$1/tree" "$1/R$2.INF" "$setup_exe"
  WINEPREFIX="$work/prefix-setup" timed wine "$setup_exe" /S "$(z_path "$1/R$2.INF")"
}
wine_nsis() {
  installed="$work/prefix-nsis/drive_c/dest-nsis-$2/tree"
  warm nsis "$1/nsis.exe"
  WINEPREFIX="$work/prefix-nsis" timed wine "$1/nsis.exe" /S "/D=C:\\dest-nsis-$2"
}
wine_xcopy() {
  installed="$work/prefix-xcopy/drive_c/dest-xcopy-$2/tree"
  warm xcopy "$1/tree" $xcopy_exe
  WINEPREFIX="$work/prefix-xcopy" timed wine xcopy /E /I /Q "$(z_path "$1/tree")" "C:\\dest-xcopy-$2\\tree"
}
wine_floor() {
  installed="$work/prefix-floor/drive_c/dest-floor-$2"
  warm floor "$1/tree" "$floor_exe"
  WINEPREFIX="$work/prefix-floor" timed wine "$floor_exe" "$(z_path "$1/tree")" "C:\\dest-floor-$2" "C:\\floor-$2.log"
}
native_setup() {
  local machine="$work/native-$2"
  write_control_file "$1" "N$2" 'C:\Bench'
  native_machine "$machine"
  installed="$machine/drive_c/Bench/tree"
  drop_caches
  timed traced "$setup_native" --machine "$machine" /S "$1/N$2.INF"
}
native_cp() {
  installed="$work/cp-$2/tree"
  mkdir -p "$work/cp-$2"
  drop_caches
  timed traced cp -r "$1/tree" "$installed"
}

native_floor() {
  installed="$work/floor-$2"
  drop_caches
  timed traced "$floor_native" "$1/tree" "$installed" "$work/floor-$2.log"
}

drop_caches() { sync; echo 3 > /proc/sys/vm/drop_caches 2>/dev/null || true; }

# A Wine run starts with its inputs and Wine's own files in the cache,
# whichever contender ran before it (the native ones drop the caches): a
# cold start would time the disk and Wine's DLLs, and the first of the
# contenders reading the same tree would pay for the others.
warm() {  # warm PREFIX_NAME PATH...
  local prefix=$1; shift
  find "$@" -type f -exec cat {} + >/dev/null
  WINEPREFIX="$work/prefix-$prefix" wine cmd /c exit >/dev/null 2>&1 </dev/null
}

# Runs a command, its wall seconds into $seconds, from a synced disk.
timed() {
  sync
  local start=$EPOCHREALTIME
  "$@" >"$work/last.out" 2>&1 </dev/null || { echo "failed: $*" >&2; cat "$work/last.out" >&2; exit 1; }
  seconds=$(echo "$EPOCHREALTIME - $start" | bc)
}

# The same files with the same bytes and nothing else (the log is SETUP's own).
check_installed() {  # check_installed PACKAGE CONTENDER
  diff -r -q --exclude=LOGFILKW.LOG "$1/tree" "$installed" >"$work/diff" 2>&1 ||
    { echo "$2 installed other bytes:" >&2; head "$work/diff" >&2; exit 1; }
}

# ---- statistics -------------------------------------------------------------------

median() { sort -g | awk '{ v[NR] = $1 } END { print (v[int((NR + 1) / 2)] + v[int(NR / 2) + 1]) / 2 }'; }
fastest() { sort -g | head -1; }
values_of() { tr ' ' '\n' <<<"$1" | sed '/^$/d'; }
ratio() { echo "scale=4; $1 / $2" | bc; }
fmt_list() { local v; for v in $1; do printf '%.3f ' "$v"; done; }

declare -A times
record() { times[$1]+="$2 "; }

# Each round's pair, divided: the ratios' median, lowest and highest.
print_pair() {  # print_pair A B
  local a=(${times[$1]}) b=(${times[$2]}) i list=""
  for i in "${!a[@]}"; do list+="$(ratio "${a[$i]}" "${b[$i]}") "; done
  printf '  %-13s / %-6s median %5.2f   range %5.2f-%5.2f   rounds %s\n' "$1" "$2" \
    "$(values_of "$list" | median)" "$(values_of "$list" | sort -g | head -1)" \
    "$(values_of "$list" | sort -g | tail -1)" "$(fmt_list "$list")"
}

print_contender() {  # print_contender NAME FILES
  local middle; middle=$(values_of "${times[$1]}" | median)
  printf '  %-13s median %8.3f s (%6.3f ms a file)   fastest %8.3f s   rounds %s\n' "$1" "$middle" \
    "$(echo "scale=6; $middle * 1000 / $2" | bc)" "$(values_of "${times[$1]}" | fastest)" "$(fmt_list "${times[$1]}")"
}

# ---- rounds -----------------------------------------------------------------------

# The order of round R: the list turned by (R-1)/2 places, reversed in the
# even rounds, so that no contender is always first or always after another.
order_of() {  # order_of ROUND NAME...
  local round=$1; shift
  local names=("$@") n=$# turn i out=()
  turn=$(( (round - 1) / 2 % n ))
  for i in $(seq 0 $((n - 1))); do out+=("${names[$(( (i + turn) % n ))]}"); done
  if [ $((round % 2)) -eq 0 ]; then
    for i in $(seq $((n - 1)) -1 0); do printf '%s ' "${out[$i]}"; done
  else
    printf '%s ' "${out[@]}"
  fi
}

run_rounds() {  # run_rounds PACKAGE
  local round contender
  for round in $(seq 1 "$rounds"); do
    for contender in $(order_of "$round" wine_setup wine_nsis wine_xcopy wine_floor) \
                     $(order_of "$round" native_setup native_cp native_floor); do
      "$contender" "$1" "$round"
      check_installed "$1" "$contender"
      record "${contender//_/ }" "$seconds"
    done
    # The trees go once every contender of the round has run: a deletion
    # slows the next creations, and the order spreads that cost.
    rm -rf "$work"/prefix-*/drive_c/dest-* "$work"/native-* "$work"/cp-* "$work"/floor-*
  done
}

# ---- opens per installed file -------------------------------------------------------

# Opens of a Wine contender: its server's create_file and open_file_object
# requests, and create_mapping, of the whole process tree, and all its
# server requests (each a round trip to the server); into $opens
# ("OPENS MAPPINGS REQUESTS").
wine_opens() {  # wine_opens CONTENDER PACKAGE ROUND
  local requests="$work/prefix-${1#wine_}.requests" before
  before=$(stat -c %s "$requests")
  "$1" "$2" "$3"
  opens=$(tail -c +$((before + 1)) "$requests" |
    awk '/: create_file\( |: open_file_object\( / { o++ } /: create_mapping\( / { m++ }
         /^[0-9a-f]+: [a-z_]+\( / { r++ } END { printf "%d %d %d\n", o, m, r }')
}

native_opens() {  # native_opens CONTENDER PACKAGE ROUND
  local strace_log="$work/strace.log"
  STRACE_LOG=$strace_log "$1" "$2" "$3"
  opens=$(awk '/ (open|openat|creat)\(/ { o++ } / mmap2?\(.*MAP_SHARED/ { m++ } /^[0-9]+ +[a-z_0-9]+\(/ { r++ }
               END { printf "%d %d %d\n", o, m, r }' "$strace_log")
}

# strace in front of the native contenders' command when asked for.
traced() {
  if [ -n "${STRACE_LOG:-}" ]; then strace -f -qq -o "$STRACE_LOG" "$@"
  else "$@"; fi
}

# A run of one file is subtracted from a run of FILES: what remains is the
# cost of FILES - 1 installed files without the start-up.
count_opens() {  # count_opens FULL_PACKAGE ONE_FILE_PACKAGE FILES
  local contender kind empty_o empty_m empty_r full_o full_m full_r
  echo "per installed file ($3 files against 1): files opened, file mappings, and server requests (Wine) or system calls (native)"
  for contender in wine_setup wine_nsis wine_xcopy native_setup native_cp; do
    kind=wine_opens
    [ "${contender#native}" != "$contender" ] && kind=native_opens
    # The first run of a program in its prefix does more than the next.
    $kind "$contender" "$2" 89
    $kind "$contender" "$2" 90
    check_installed "$2" "$contender"
    read -r empty_o empty_m empty_r <<<"$opens"
    $kind "$contender" "$1" 91
    check_installed "$1" "$contender"
    read -r full_o full_m full_r <<<"$opens"
    printf '  %-13s %6.2f opens   %6.2f mappings   %6.2f %s   (runs: %d/%d opens, %d/%d mappings)\n' "${contender//_/ }" \
      "$(ratio $((full_o - empty_o)) $(($3 - 1)))" "$(ratio $((full_m - empty_m)) $(($3 - 1)))" \
      "$(ratio $((full_r - empty_r)) $(($3 - 1)))" "$([ "$kind" = wine_opens ] && echo requests || echo syscalls)" \
      "$full_o" "$empty_o" "$full_m" "$empty_m"
  done
  rm -rf "$work"/prefix-*/drive_c/dest-* "$work"/native-* "$work"/cp-*
  count_compared_opens "$1" "$2" "$3"
}

# The same for SETUP.EXE installing over its own earlier installation: every
# target exists and is compared before it is replaced.
count_compared_opens() {  # count_compared_opens FULL_PACKAGE ONE_FILE_PACKAGE FILES
  local empty_o empty_m empty_r full_o full_m full_r
  wine_opens wine_setup "$2" 92
  wine_opens wine_setup "$2" 92
  read -r empty_o empty_m empty_r <<<"$opens"
  wine_opens wine_setup "$1" 93
  wine_opens wine_setup "$1" 93
  check_installed "$1" wine_setup
  read -r full_o full_m full_r <<<"$opens"
  printf '  %-13s %6.2f opens   %6.2f mappings   %6.2f requests   (runs: %d/%d opens, %d/%d mappings; over an installed copy)\n' \
    "wine setup" "$(ratio $((full_o - empty_o)) $(($3 - 1)))" "$(ratio $((full_m - empty_m)) $(($3 - 1)))" \
    "$(ratio $((full_r - empty_r)) $(($3 - 1)))" "$full_o" "$empty_o" "$full_m" "$empty_m"
  rm -rf "$work"/prefix-setup/drive_c/dest-*
}

# ---- the run ------------------------------------------------------------------------

nsis_crc() {  # nsis_crc PAYLOAD
  if [ -n "${BENCH_NSIS_CRC:-}" ]; then echo "$BENCH_NSIS_CRC"
  elif [ "$1" = small ]; then echo on
  else echo off; fi
}

bench_payload() {  # bench_payload NAME FILES DESCRIPTION
  local pkg="$work/$1" name
  times=()
  echo "== $3 (NSIS self-check $(nsis_crc "$1"); $rounds rounds)"
  make_package "$pkg" "$(nsis_crc "$1")"
  run_rounds "$pkg"
  for name in "wine setup" "wine nsis" "wine xcopy" "wine floor" "native setup" "native cp" "native floor"; do
    print_contender "$name" "$2"
  done
  print_pair "wine setup" "wine nsis"
  print_pair "wine setup" "wine xcopy"
  print_pair "native setup" "native cp"
  print_pair "wine floor" "wine nsis"
  print_pair "wine setup" "wine floor"
  print_pair "native floor" "native cp"
  print_pair "native setup" "native floor"
  rm -rf "$pkg"
}

echo "peer benchmark: $(wine --version), $(makensis -VERSION), SETUP.EXE $(stat -c %s "$setup_exe") bytes, $(nproc) cores"
make_pristine_prefix
for name in setup nsis xcopy; do start_prefix "$name" count; done
make_small_tree "$work/opens/tree" "$open_files" 2 7
make_small_tree "$work/opens-one/tree" 1 1 7
make_package "$work/opens" on
make_package "$work/opens-one" on
count_opens "$work/opens" "$work/opens-one" "$open_files"
for name in setup nsis xcopy floor; do start_prefix "$name"; done

for payload in $payloads; do
  case $payload in
    small) make_small_tree "$work/small/tree" "$small_files" "$small_folders" 12
           bench_payload small "$small_files" "$small_files files of 1-4 KB in $small_folders folders" ;;
    large) make_large_tree "$work/large/tree" "$large_files" "$large_mb" 34
           bench_payload large "$large_files" "$large_files files of $large_mb MB" ;;
  esac
done
