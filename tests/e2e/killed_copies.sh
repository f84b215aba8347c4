#!/bin/bash
# A run killed in the middle of its copies never leaves a file cut short
# under its installed name: every installed file is either the old one or
# the new one, whole. The next full run removes the temporaries that the
# killed one left and installs every file: "Installation successfully!".
# The kills come from the emulation's test hook SETUP_TEST_KILL_COPY=K:N
# (the K-th copy dies after N bytes), at seeded points and once inside a
# large file.
# Usage: killed_copies.sh <path of the native setup binary>
set -u
setup="$1"
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-kill-XXXXXX")"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

files=30
small=4096
big_bytes=$((8 * 1024 * 1024))
# The control file's copy into the INF directory comes first, then the
# files in the order of the search: f01..f30, then zz_big.bin.
first_file_copy=2
big_copy=$((first_file_copy + files))

make_package() {  # make_package DIR VERSION TIME
  mkdir -p "$1/files"
  printf '[Version]\r\nFormKw=TALVEN\r\n[Strings]\r\nMyProgramPath=C:\\App\r\n[Files]\r\nfiles\\*.*=\r\n' >"$1/APP.INF"
  for i in $(seq -w 1 $files); do
    yes "$2 file $i" | head -c $small >"$1/files/f$i.txt"
  done
  head -c $big_bytes /dev/zero | tr '\0' "$2" >"$1/files/zz_big.bin"
  touch -d "$3" "$1/files/"*
}
make_package "$work/v1" 1 "2003-01-01 10:00:00"
make_package "$work/v2" 2 "2004-01-01 10:00:00"

app="$work/m/drive_c/App"
run() { "$setup" --machine "$work/m" /S "$1/APP.INF" >"$work/stdout" 2>"$work/stderr"; }

# Every installed file is whole: the old or the new one, byte for byte.
check_whole() {  # check_whole LABEL
  local name
  for name in $(ls "$work/v2/files"); do
    cmp -s "$app/$name" "$work/v1/files/$name" || cmp -s "$app/$name" "$work/v2/files/$name" ||
      fail "$1: $name is neither the old nor the new file"
  done
}

check_repaired() {  # check_repaired LABEL EXIT
  [ "$2" = 0 ] || fail "$1: repair run exit $2"
  grep -qF "Installation successfully!" "$work/stderr" || fail "$1: repair run not successful"
  local name
  for name in $(ls "$work/v2/files"); do
    cmp -s "$app/$name" "$work/v2/files/$name" || fail "$1: $name not the new file after the repair"
  done
  [ -z "$(ls "$app" | grep -i '^~STP.*\.TMP$')" ] || fail "$1: temporaries left after the repair: $(ls "$app" | grep -i '^~STP')"
}

run "$work/v1"
status=$?
[ $status = 0 ] || fail "installation of the old version: exit $status"
cp -a "$work/m" "$work/installed-v1"

# Seeded points: a copy among the small files and a byte count within it,
# and one point in the middle of the large file.
RANDOM=9
points=()
for round in 1 2 3 4 5 6 7 8 9 10; do
  points+=("$((first_file_copy + RANDOM % files)):$((RANDOM % small))")
done
points+=("$big_copy:$((big_bytes / 2))")

survived=0
for point in "${points[@]}"; do
  rm -rf "$work/m"
  cp -a "$work/installed-v1" "$work/m"
  SETUP_TEST_KILL_COPY=$point run "$work/v2"
  status=$?
  [ $status = 137 ] || fail "kill at $point: exit $status, the hook did not kill the run"
  check_whole "kill at $point"
  if [ "$point" = "$big_copy:$((big_bytes / 2))" ]; then
    # The large file died halfway: its half lies under the temporary name.
    leftover=$(ls "$app" | grep -i '^~STP.*\.TMP$')
    [ -n "$leftover" ] && [ "$(stat -c %s "$app/$leftover")" = $((big_bytes / 2)) ] ||
      fail "kill inside the large file: no half-written temporary (${leftover:-none})"
  fi
  before=$failures
  run "$work/v2"
  check_repaired "kill at $point" $?
  grep -qF $'\tleft by an interrupted copy, removed\r' "$app/LOGFILKW.LOG" ||
    [ -z "${leftover:-}" ] || fail "kill at $point: the removed temporary is not logged"
  leftover=""
  [ $failures = "$before" ] && survived=$((survived + 1))
done
echo "kills survived: $survived of ${#points[@]}"

if [ "$failures" -eq 0 ]; then rm -rf "$work"; echo "all killed-copy checks passed"; fi
exit $((failures > 0))
