#!/usr/bin/env bash
# Finding and checking the control file, silently (/S): SETUP.EXE under Wine
# and the native setup on a simulated machine must report the same messages
# on stderr and end with the same exit codes. The expected results stand once
# below and are checked against both programs.
#
# usage: control_file_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"

work=$(make_work_dir control_file)
pkg="$work/pkg"
mkdir -p "$pkg"
printf '[Version]\r\nFormKw=SOMEONE ELSE\r\n' >"$pkg/UNSIGNED.INF"
printf '[Version]\r\nFormKw=x-TalVen-2\r\n[Strings]\r\nMyProgramPath=%%ProgramFiles%%\\ControlFileTest\r\n' \
  >"$pkg/SIGNED.INF"

# Every case: a name, the arguments, the program's folder as the program sees
# it (%PROGDIR% in the arguments and the line), the expected exit code and the
# line expected on stderr ("" = no line starting with "Error" at all).
# Fields are separated by "|".
expectations() {
  local p
  p=$(z_path "$pkg")
  cat <<EOF
missing file named on the command line|/S $p\\MISSING.INF|3|Error: $p\\MISSING.INF-not found!
unsigned file named on the command line|/S $p\\UNSIGNED.INF|3|Error: $p\\UNSIGNED.INF has not the required Version/Signature
signed file named on the command line|/S $p\\SIGNED.INF|0|
no argument and no *.INF beside the program|/S|3|Error: no *.INF-File found in the Dircetory %PROGDIR% of SETUP.EXE
no argument and only an unsigned *.INF beside the program|/S|3|Error: %PROGDIR%\\ONLY.INF has not the required Version/Signature and no other suitable *.INF found in this Directory
EOF
}

# Puts the program into a folder of its own, with ONLY.INF beside it for the
# case that wants one.
prepare_program_dir() {  # prepare_program_dir DIR PROGRAM CASE
  rm -rf "$1"
  mkdir -p "$1"
  cp "$2" "$1/"
  case "$3" in
    *"only an unsigned"*) cp "$pkg/UNSIGNED.INF" "$1/ONLY.INF" ;;
  esac
}

# check_case WHO NAME EXPECTED_EXIT EXPECTED_LINE PROGRAM_DIR
check_case() {
  local who=$1 name=$2 exit=$3 line=$4 progdir
  progdir=$(z_path "$5")
  line=${line//%PROGDIR%/$progdir}
  if [ "$RUN_EXIT" != "$exit" ]; then
    fail "$who, $name: exit code $RUN_EXIT, expected $exit (stderr: $RUN_STDERR)"
  elif [ -z "$line" ] && grep -q '^Error' <<<"$RUN_STDERR"; then
    fail "$who, $name: unexpected error on stderr: $RUN_STDERR"
  elif [ -n "$line" ] && ! stderr_has_line "$line"; then
    fail "$who, $name: stderr lacks [$line], has [$RUN_STDERR]"
  else
    pass "$who, $name"
  fi
}

run_cases() {  # run_cases WHO: every case with one of the two programs
  local who=$1 name args exit line dir
  while IFS='|' read -r name args exit line; do
    dir="$work/$who-bin"
    args=${args//%PROGDIR%/$(z_path "$dir")}
    # shellcheck disable=SC2086  # the arguments hold no blanks
    if [ "$who" == wine ]; then
      prepare_program_dir "$dir" "$SETUP_EXE" "$name"
      wine_run "$dir/SETUP.EXE" $args
    else
      prepare_program_dir "$dir" "$NATIVE_SETUP" "$name"
      rm -rf "$work/machine"
      native_run "$dir/setup" "$work/machine" $args
    fi
    check_case "$who" "$name" "$exit" "$line" "$dir"
  done < <(expectations)
}

echo "control file location and signature (silent)"
if [ -f "$SETUP_EXE" ]; then
  wine_prefix_init || { fail "wine prefix"; finish; }
  run_cases wine
else
  echo "  skipped under Wine: no $SETUP_EXE"
fi
if [ -x "$NATIVE_SETUP" ]; then
  run_cases native
else
  echo "  skipped natively: no $NATIVE_SETUP"
fi
finish
