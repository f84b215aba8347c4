#!/bin/bash
# Registry phases across whole runs of the native setup: the ends of the run
# that cannot be tested in-process (a root key name outside the table, a
# [RegRead] value that is not a string) and a run whose registry lines only
# warn.
# Usage: registry_root_test.sh <path of the native setup binary>
set -u
setup="$1"
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-registry-XXXXXX")"
machine="$work/m"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect_exit() { [ "$1" = "$2" ] || fail "$3: exit code $1, expected $2"; }
expect_in() { grep -qF -- "$1" "$2" || fail "$3: '$1' not in $2"; }
expect_not_in() { grep -qF -- "$1" "$2" && fail "$3: '$1' in $2"; }
run() { "$setup" --machine "$machine" /S "$@" 2>"$work/stderr"; }
control_file() { printf '[Version]\r\nFormKw=TALVEN\r\n%s' "$2" >"$work/pkg/$1"; }

mkdir -p "$work/pkg"
temp_log="$machine/drive_c/users/user/Temp/LOGFILKW.LOG"
syntax_line=$'Error: Syntax-Error in [RegWrite]- or [RegRead]-Section ofINF-File, HKXX\r'
logfile_line=$'Logfile: C:\\users\\user\\Temp\\LOGFILKW.LOG\r'

# A root name outside the table in [RegWrite]: the line and the box, the run
# ends before the log is open and the lines reach the temporary log.
control_file ROOT.INF $'[RegWrite]\r\nk=HKXX,Software\\X,N,,v\r\nl=HKCU,Software\\Later,N,,v\r\n'
run "$work/pkg/ROOT.INF"
expect_exit $? 3 "unknown root in [RegWrite]"
expect_in "$syntax_line" "$temp_log" "syntax line"
expect_in "$logfile_line" "$temp_log" "Logfile line"
expect_in "Error: Syntax-Error in [RegWrite]- or [RegRead]-Section ofINF-File, HKXX" "$work/stderr" "box text"
expect_in "Installation done without success!" "$work/stderr" "result"
expect_not_in 'Software\Later' "$machine/registry.reg" "line after the unknown root"

# The same name in [RegRead] ends the run there: [RegWrite] never runs.
control_file READ.INF $'[RegRead]\r\nV=HKXX,Software\\X,N\r\n[RegWrite]\r\nk=HKCU,Software\\NotWritten,N,,v\r\n'
run "$work/pkg/READ.INF"
expect_exit $? 3 "unknown root in [RegRead]"
expect_in "$syntax_line" "$temp_log" "syntax line of [RegRead]"
expect_in "$logfile_line" "$temp_log" "Logfile line of [RegRead]"
expect_not_in 'Software\NotWritten' "$machine/registry.reg" "[RegWrite] after the end"

# A REG_DWORD in [RegRead] ends the run with +101.
printf '\r\n[HKEY_CURRENT_USER\\Software\\Counter]\r\n"Count"=dword:00000010\r\n' >>"$machine/registry.reg"
control_file DWORD.INF $'[RegRead]\r\nC=HKCU,Software\\Counter,Count\r\n[RegWrite]\r\nk=HKCU,Software\\NotWritten,N,,v\r\n'
run "$work/pkg/DWORD.INF"
expect_exit $? 3 "REG_DWORD in [RegRead]"
expect_in $'Error in RegRead_Expand_Strings: only REG_SZ supported HKCU\r' "$temp_log" "REG_SZ line"
expect_not_in 'Software\NotWritten' "$machine/registry.reg" "[RegWrite] after the REG_DWORD"

# Warnings only: a missing [RegRead] key and a value that is written; the run
# goes on to its end and its log.
control_file WARN.INF $'[RegRead]\r\nV=HKCU,Software\\Missing,N\r\n[RegWrite]\r\nk=HKCU,Software\\Written,N,Reg_DWORD,ff\r\n'
run "$work/pkg/WARN.INF"
expect_exit $? 2 "warnings only"
expect_in $'Couldn\'t open V\\Software\\Missing\r' "$temp_log" "warning line"
expect_in $'HKCU\\Software\\Written\tN created\r' "$temp_log" "written line"
expect_in "Installation done with warnings!" "$work/stderr" "warning result"
grep -qi '"N"=dword:000000ff' "$machine/registry.reg" || fail "DWORD not in registry.reg"

[ "$failures" = 0 ] && rm -rf "$work"
exit $((failures > 0))
