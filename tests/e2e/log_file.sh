#!/bin/bash
# The log file across whole runs of the native setup: where it goes, how an
# earlier log is extended, and the header-less log in the temporary
# directory when a run ends before its log is open.
# Usage: log_file.sh <path of the native setup binary>
set -u
setup="$1"
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-log-XXXXXX")"
machine="$work/m"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_exit() { [ "$1" = "$2" ] || fail "$3: exit code $1, expected $2"; }
expect_in() { grep -qF -- "$1" "$2" || fail "$3: '$1' not in $2"; }
count_of() { grep -cF -- "$1" "$2"; }
run() { "$setup" --machine "$machine" /S "$@" 2>"$work/stderr"; }

mkdir -p "$work/pkg"
printf '[Version]\r\nFormKw=TALVEN\r\n' >"$work/pkg/APP.INF"
printf '[Version]\r\nFormKw=nothing\r\n' >"$work/pkg/BAD.INF"
temp_log="$machine/drive_c/users/user/Temp/LOGFILKW.LOG"

# No installation directory: the log goes to the temporary directory.
run "$work/pkg/APP.INF"
expect_exit $? 0 "run without directory"
expect_in "Installation successfully!" "$work/stderr" "result on standard error"
expect_in $'No ProgramPath given, using C:\\users\\user\\Temp for the LogFile!\r' "$temp_log" "tmp log"
head -1 "$temp_log" | grep -q $'^Date/Time:\t.' || fail "tmp log: no Date/Time header"
sed -n 2p "$temp_log" | grep -qF $'SourceInfFile\tZ:' || fail "tmp log: no SourceInfFile line"

# The installation directory from the environment: its levels are created
# and the log begins there; a second run extends it.
echo 'MyProgramPath=%SystemDrive%\Prog\App' >>"$machine/environment"
run "$work/pkg/APP.INF"
expect_exit $? 0 "first run with directory"
app_log="$machine/drive_c/Prog/App/LOGFILKW.LOG"
[ -f "$app_log" ] || fail "no log in the installation directory"
run "$work/pkg/APP.INF"
expect_exit $? 0 "second run with directory"
[ "$(count_of 'Date/Time:' "$app_log")" = 2 ] || fail "second run did not extend the log"
[ "$(grep -c $'^==================================================\r$' "$app_log")" = 1 ] ||
  fail "no single rule between the runs"
grep -qF "No ProgramPath given" "$app_log" && fail "directory log names the temporary fallback"

# A control file that fails its check ends the run with its box alone: the
# box's text on standard error, no result, and the earlier temporary log
# left as it was.
cp "$temp_log" "$work/earlier.log"
run "$work/pkg/BAD.INF"
expect_exit $? 3 "unsigned control file"
expect_in "has not the required Version/Signature" "$work/stderr" "box text on standard error"
grep -qF "Installation done" "$work/stderr" && fail "unsigned control file: a result was reported"
cmp -s "$work/earlier.log" "$temp_log" || fail "unsigned control file: the temporary log changed"

# A directory that cannot be created ends the run; its lines reach the
# temporary log.
sed -i 's/^MyProgramPath=.*/MyProgramPath=Q:\\App/' "$machine/environment"
run "$work/pkg/APP.INF"
expect_exit $? 3 "directory on a missing drive"
expect_in $'Error: can\'t create directory Q:\\App\\\r' "$temp_log" "directory failure line"
# The earlier temporary log is replaced by a header-less one naming itself.
grep -qF "Date/Time:" "$temp_log" && fail "header-less log has a header (or was not replaced)"
tail -c 44 "$temp_log" | cmp -s - <(printf 'Logfile: C:\\users\\user\\Temp\\LOGFILKW.LOG\r\n\r\n') ||
  fail "header-less log does not end with its own name"

# Neither the installation directory nor the temporary directory can take
# the log (a folder stands where the file should be): an I/O error that
# nothing handles ends the run with exit code 1, and no result is shown.
sed -i 's/^MyProgramPath=.*/MyProgramPath=C:\\Blocked/' "$machine/environment"
mkdir -p "$machine/drive_c/Blocked/LOGFILKW.LOG"
rm -f "$temp_log" && mkdir -p "$temp_log"
run "$work/pkg/APP.INF"
expect_exit $? 1 "no log anywhere"
expect_in "EInOutError: I/O error" "$work/stderr" "uncaught error on standard error"
expect_in "Trying to use C:\\users\\user\\Temp\\LOGFILKW.LOG as Logfile" "$work/stderr" "lines kept"
grep -qF "Installation done" "$work/stderr" && fail "a result was shown without a log"

if [ "$failures" = 0 ]; then rm -rf "$work"; echo "log_file: all passed"; fi
exit $((failures > 0))
