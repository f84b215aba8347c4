#!/usr/bin/env bash
# SETUP.EXE under Wine on a disk that fills up during a copy: an installed
# 1 MB file that a 3 MB one is to replace, on a disk with 1.5 MB free,
# stays whole; a new file that does not fit leaves nothing; no temporary is
# left; the run fails and its log says why. A small tmpfs stands for the
# disk, so this needs root.
#
# usage: full_disk_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
[ "$(id -u)" = 0 ] || skip_all "mounting a small disk needs root"
wine_prefix_init || skip_all "no Wine prefix"

work=$(make_work_dir full_disk)
small="$work/small"
mkdir -p "$small" "$work/old" "$work/new"
mount -t tmpfs -o size=1536k tmpfs "$small" || skip_all "no tmpfs"
trap 'umount "$small"' EXIT

make_package() {  # make_package DIR MEGABYTES TIME
  printf '[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\nMyProgramPath=%s\r\n[Files]\r\nbig.bin=%s\r\n' \
    "$(z_path "$work/app")" "$(z_path "$small")" >"$1/APP.INF"
  head -c $(($2 * 1024 * 1024)) /dev/urandom >"$1/big.bin"
  touch -d "$3" "$1/big.bin"
}
make_package "$work/old" 1 "2003-01-01 10:00:00"
make_package "$work/new" 3 "2004-01-01 10:00:00"
cp -p "$work/old/big.bin" "$small/"
# Wine's own text for ERROR_DISK_FULL; Windows says "There is not enough
# space on the disk."
failure_line="Error: can't copy $(z_path "$work/new")\\big.bin to $(z_path "$small")\\big.bin: Disk full."

check_failed_run() {  # check_failed_run LABEL LINES
  check "$1: exit code" 3 "$RUN_EXIT"
  stderr_has_line "Installation done without success!" && pass "$1: result" || fail "$1: result: $RUN_STDERR"
  check "$1: failure lines in the log" "$2" "$(tr -d '\r' <"$work/app/LOGFILKW.LOG" | grep -cF -- "$failure_line")"
  check "$1: temporaries left" "" "$(ls "$small" | grep -i '^~STP')"
}

wine_run "$SETUP_EXE" /S "$(z_path "$work/new")\\APP.INF"
check_failed_run "replacement" 1
cmp -s "$small/big.bin" "$work/old/big.bin" && pass "replacement: installed file whole" ||
  fail "replacement: installed file damaged ($(stat -c %s "$small/big.bin") bytes)"

rm "$small/big.bin"
wine_run "$SETUP_EXE" /S "$(z_path "$work/new")\\APP.INF"
check_failed_run "new file" 2
check "new file: nothing left" "" "$(ls -A "$small")"

finish
