#!/bin/bash
# Whole runs of the native setup that cannot do everything they were asked
# to: each must end as a failure ("Installation done without success!"),
# say why in the log or a box, and leave what it did install intact.
# Usage: unfinished_runs.sh <path of the native setup binary>
set -u
setup="$1"
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-unfinished-XXXXXX")"
failures=0
mounted=""
cleanup() {
  [ -z "$mounted" ] || umount "$mounted"
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_exit() { [ "$1" = "$2" ] || fail "$3: exit code $1, expected $2"; }
expect_in() { grep -qF -- "$1" "$2" || fail "$3: '$1' not in $2"; }
# run MACHINE INF [VAR=VALUE...]: a silent run; its standard error in $work/stderr.
run() {
  local machine=$1 inf=$2
  shift 2
  env SETUP_NO_SLEEP=1 "$@" "$setup" --machine "$machine" /S "$inf" 2>"$work/stderr"
}
# package DIR COUNT [DEST]: a control file copying COUNT numbered files.
package() {
  local dir=$1 count=$2 dest=${3:-} i
  mkdir -p "$dir"
  {
    printf '[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\nMyProgramPath=C:\\Scen\\App\r\n[Files]\r\n'
    printf '*.dat=%s\r\n' "$dest"
    printf '[SetMnuLNK]\r\n1=Link,C:\\Scen\\App\\f0001.dat\r\n'
    printf '[IniWrite]\r\n1=Sec,Key,v,C:\\Scen\\done.ini\r\n'
  } >"$dir/APP.INF"
  for i in $(seq -f '%04g' 1 "$count"); do printf 'content of %s\n' "$i" >"$dir/f$i.dat"; done
}
# installed_intact HOSTDIR SOURCEDIR: the number of installed files, each
# checked byte for byte against its source.
installed_intact() {
  local dest=$1 source=$2 file count=0
  for file in "$dest"/f*.dat; do
    [ -e "$file" ] || continue
    cmp -s "$file" "$source/$(basename "$file")" || fail "installed $(basename "$file") differs"
    count=$((count + 1))
  done
  echo "$count"
}

# The medium taken out during the copy: the search of the package's folder
# fails; the files copied before it are whole, the copy stops, the log names
# the folder and the system's reason, and the run fails.
machine="$work/medium"
package "$work/medium_pkg" 40
run "$machine" "$work/medium_pkg/APP.INF" SETUP_TEST_MEDIUM_GONE_AFTER=12
expect_exit $? 3 "medium gone"
expect_in "Installation done without success!" "$work/stderr" "medium gone: result"
log="$machine/drive_c/Scen/App/LOGFILKW.LOG"
pkg_win="Z:$(echo "$work/medium_pkg" | tr / '\\')"
expect_in "Error: can't read the folder $pkg_win: The device is not ready." "$log" "medium gone: log line"
expect_in "Error: can't read the folder $pkg_win: The device is not ready." "$work/stderr" \
  "medium gone: box"
installed=$(installed_intact "$machine/drive_c/Scen/App" "$work/medium_pkg.gone")
[ "$installed" -gt 0 ] && [ "$installed" -lt 40 ] || fail "medium gone: $installed of 40 installed"

# The log meeting a full disk: the installation directory (with the log) is
# a small tmpfs with one page left, the files go elsewhere. The write that
# fails ends the run with exit code 1 as a failure; the files stay whole.
if [ "$(id -u)" != 0 ]; then
  echo "SKIP: the full-disk case needs root to mount a tmpfs"
else
  machine="$work/full"
  package "$work/full_pkg" 400 'C:\Scen\Files'
  # A run that installs nothing makes the machine before the disk is mounted.
  mkdir -p "$work/empty_pkg"
  printf '[Version]\r\nFormKw=TALVEN\r\n' >"$work/empty_pkg/APP.INF"
  run "$machine" "$work/empty_pkg/APP.INF"
  mkdir -p "$machine/drive_c/Scen/App"
  if mount -t tmpfs -o size=64k tmpfs "$machine/drive_c/Scen/App"; then
    mounted="$machine/drive_c/Scen/App"
    dd if=/dev/zero of="$mounted/filler" bs=4k 2>/dev/null
    truncate -s -4096 "$mounted/filler"
    run "$machine" "$work/full_pkg/APP.INF"
    expect_exit $? 1 "full disk"
    expect_in "EInOutError: I/O error 112" "$work/stderr" "full disk: box"
    expect_in "Installation done without success!" "$work/stderr" "full disk: result"
    installed=$(installed_intact "$machine/drive_c/Scen/Files" "$work/full_pkg")
    [ "$installed" -gt 0 ] || fail "full disk: nothing installed"
  else
    echo "SKIP: tmpfs could not be mounted"
  fi
fi

[ "$failures" = 0 ] && echo "unfinished runs: all passed"
exit $((failures > 0))
