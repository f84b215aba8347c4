#!/bin/bash
# A disk that fills up during a copy leaves what was installed as it was:
# an installed 1 MB file that a 3 MB one is to replace on a disk with
# 1.5 MB free stays whole, a new file that does not fit leaves nothing
# behind, and neither leaves a temporary. The run says why in its log and
# ends "Installation done without success!". A small tmpfs stands for the
# full disk, so this needs root; elsewhere it is skipped.
# Usage: full_disk.sh <path of the native setup binary>
set -u
setup="$1"
if [ "$(id -u)" != 0 ]; then echo "skipped: mounting a small disk needs root"; exit 0; fi
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-disk-XXXXXX")"
small="$work/m/drive_c/Small"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
cleanup() { mountpoint -q "$small" && umount "$small"; }
trap cleanup EXIT

make_package() {  # make_package DIR MEGABYTES TIME
  mkdir -p "$1"
  printf '[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\nMyProgramPath=C:\\App\r\n[Files]\r\nbig.bin=C:\\Small\r\n' >"$1/APP.INF"
  head -c $(($2 * 1024 * 1024)) /dev/urandom >"$1/big.bin"
  touch -d "$3" "$1/big.bin"
}
make_package "$work/old" 1 "2003-01-01 10:00:00"
make_package "$work/new" 3 "2004-01-01 10:00:00"
run() { "$setup" --machine "$work/m" /S "$1/APP.INF" >/dev/null 2>"$work/stderr"; }
log="$work/m/drive_c/App/LOGFILKW.LOG"
failure_line=$'Error: can\'t copy Z:'"$(echo "$work/new" | tr / '\\\\')"$'\\big.bin to C:\\Small\\big.bin: There is not enough space on the disk.\r'

expect_failed_run() {  # expect_failed_run LABEL EXIT
  [ "$2" = 3 ] || fail "$1: exit $2, expected 3"
  grep -qF "Installation done without success!" "$work/stderr" || fail "$1: result is not the failure"
  [ "$(grep -cF -- "$failure_line" "$log")" = "$3" ] || fail "$1: log line of the failure missing: $failure_line"
  [ -z "$(ls "$small" | grep -i '^~STP')" ] || fail "$1: temporary left: $(ls "$small")"
}

run "$work/old" || fail "installation of the old file: exit $?"
mv "$small" "$small.disk"
mkdir "$small"
if ! mount -t tmpfs -o size=1536k tmpfs "$small"; then echo "skipped: no tmpfs"; rm -rf "$work"; exit 0; fi
cp -a "$small.disk/big.bin" "$small/"

# The replacement does not fit: the installed file stays, whole.
run "$work/new"
expect_failed_run "replacement" $? 1
cmp -s "$small/big.bin" "$work/old/big.bin" || fail "replacement: the installed file was damaged"

# A new file that does not fit leaves nothing.
rm "$small/big.bin"
run "$work/new"
expect_failed_run "new file" $? 2
[ -z "$(ls -A "$small")" ] || fail "new file: left $(ls -A "$small")"

cleanup
if [ "$failures" -eq 0 ]; then rm -rf "$work"; echo "all full-disk checks passed"; fi
exit $((failures > 0))
