#!/usr/bin/env bash
# The log file, silently (/S): SETUP.EXE under Wine and the native setup on a
# simulated machine must write the same log (the times of the run and of
# the control file aside): a log begun in a directory whose levels are
# created first, the same log extended by a second run, the header-less
# log in the temporary directory after a run that ends before its log is
# open, and no log at all after a run that finds no usable control file.
#
# usage: log_file_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
require_native_setup

work=$(make_work_dir log_file)
pkg="$work/pkg"
mkdir -p "$pkg"
printf '[Version]\r\nFormKw=TALVEN\r\n' >"$pkg/APP.INF"
printf '[Version]\r\nFormKw=nobody\r\n' >"$pkg/BAD.INF"
printf '[Version]\r\nFormKw=TALVEN\r\n[RegWrite]\r\n1=HKXX,Software\\X,V,Reg_SZ,x\r\n' >"$pkg/BADROOT.INF"

# The log with the times replaced and the per-program folder named <out>.
normalised() {  # normalised FILE OUT_WIN_PATH
  local out=${2//\\/\\\\}
  sed -e $'s/^Date\\/Time:\t.*\r$/Date\\/Time:\t<now>\r/' \
      -e 's/ Created:[^,]*, Changed:.*\r$/ Created:<t>, Changed:<t>\r/' \
      -e 's/C:\\windows\\/C:\\WINDOWS\\/' \
      -e $'s/^Logfile: .*\r$/Logfile: <tmp>\r/' \
      -e "s/${out//\//\\/}/<out>/g" "$1"
}

# run_both NAME ARGS...: each program gets its own output folder, named by
# MyProgramPath; both see the same control file path. The temporary
# directory is each one's own (Wine takes it from its registry).
run_both() {
  local name=$1
  shift
  for who in wine native; do
    local out="$work/$who"
    mkdir -p "$out"
    local win_out
    win_out=$(z_path "$out")
    if [ "$who" = wine ]; then
      MyProgramPath="$win_out\\Deep\\App" wine_run "$SETUP_EXE" "$@"
    else
      local machine="$work/machine"
      [ -f "$machine/environment" ] || native_run "$NATIVE_SETUP" "$machine" /S "$(z_path "$pkg")\\NONE.INF"
      sed -i -e '/^MyProgramPath=/d' "$machine/environment"
      printf 'MyProgramPath=%s\\Deep\\App\n' "$win_out" >>"$machine/environment"
      native_run "$NATIVE_SETUP" "$machine" "$@"
    fi
    eval "exit_$who=\$RUN_EXIT"
  done
  check "$name: exit codes" "$exit_wine" "$exit_native"
}

compare_logs() {  # compare_logs NAME WINE_LOG NATIVE_LOG
  local w n
  w=$(normalised "$2" "$(z_path "$work/wine")")
  n=$(normalised "$3" "$(z_path "$work/native")")
  if [ -z "$w" ]; then
    fail "$1: no log from SETUP.EXE at $2"
  else
    check "$1: same log" "$w" "$n"
  fi
}

if ! wine_prefix_init; then skip_all "no Wine prefix"; fi

p=$(z_path "$pkg")
app_log=Deep/App/LOGFILKW.LOG
run_both "first run" /S "$p\\APP.INF"
compare_logs "first run" "$work/wine/$app_log" "$work/native/$app_log"
run_both "second run" /S "$p\\APP.INF"
compare_logs "second run" "$work/wine/$app_log" "$work/native/$app_log"
wine_temp_log() { find "$WINEPREFIX/drive_c/users" -path '*/Temp/LOGFILKW.LOG' 2>/dev/null | head -1; }
native_temp_log="$work/machine/drive_c/users/user/Temp/LOGFILKW.LOG"
remove_temp_logs() {
  local w
  w=$(wine_temp_log)
  [ -z "$w" ] || rm -f "$w"
  rm -f "$native_temp_log"
}
remove_temp_logs
run_both "registry root not known" /S "$p\\BADROOT.INF"
check "registry root not known: exit code" 3 "$exit_native"
compare_logs "registry root not known" "$(wine_temp_log)" "$native_temp_log"
remove_temp_logs
run_both "unsigned control file" /S "$p\\BAD.INF"
check "unsigned control file: exit code" 3 "$exit_native"
check "unsigned control file: no log from SETUP.EXE" "" "$(wine_temp_log)"
check "unsigned control file: no native log" "" "$(ls "$native_temp_log" 2>/dev/null)"

wine_prefix_stop
finish
