#!/usr/bin/env bash
# Compares the links that the two builds write through CreateShellLink:
# mklink_tool of the native build (the emulation's shell-link object) and
# of the Windows build under Wine (Wine's own shell32). Each case writes one
# link per build from the same fields, then both links are read with
# lnkinfo and their target, arguments, working folder, icon location and
# icon index must agree, as must the status each tool printed. A field that
# a link leaves out counts as empty.
#
# usage: shell_link_compare.sh [WINDOWS_BUILD] [NATIVE_BUILD]
#        (default build/windows, build/native; each needs mklink_tool)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

NATIVE_TOOL="$SETUP_NATIVE_BUILD/mklink_tool"
WINDOWS_TOOL="$SETUP_WIN_BUILD/mklink_tool.exe"
[ -x "$NATIVE_TOOL" ] || skip_all "no $NATIVE_TOOL (build the native preset first)"
[ -f "$WINDOWS_TOOL" ] || skip_all "no $WINDOWS_TOOL (build the windows preset first)"
command -v lnkinfo >/dev/null || skip_all "lnkinfo not installed (apt-get install liblnk-utils)"

FIELDS=("Local path" "Command line arguments" "Working directory" "Icon location" "Icon index")

# field FILE NAME: the value lnkinfo shows for NAME in the link's own block.
field() {
  lnkinfo "$1" 2>/dev/null | awk -F'\t: ' -v name="$2" '
    { key = $1; sub(/^\t/, "", key); sub(/\t.*$/, "", key) }
    key == name && !done { print $2; done = 1 }'
}

# compare_case NAME TARGET ARGUMENTS WORKING_DIR ICON_FILE ICON_INDEX
# Both links go into the case's own folder; run from that folder, so that a
# relative target is taken against the same current directory.
compare_case() {
  local name=$1
  shift
  local dir="$WORK/$name"
  mkdir -p "$dir/native" "$dir/wine"
  local native_status wine_status
  native_status=$(cd "$dir" && "$NATIVE_TOOL" --machine "$WORK/machine" "$dir/native/link.lnk" "$@" 2>&1)
  wine_status=$(cd "$dir" && timeout --kill-after=10 "$WINE_RUN_TIMEOUT" \
    wine "$WINDOWS_TOOL" "$(z_path "$dir/wine/link.lnk")" "$@" </dev/null 2>/dev/null | tr -d '\r')
  check "$name: status" "$wine_status" "$native_status"
  [ "$native_status" == "0" ] || return 0
  if ! lnkinfo "$dir/native/link.lnk" >/dev/null 2>&1; then
    fail "$name: lnkinfo cannot read the native link"
    return 0
  fi
  local f
  for f in "${FIELDS[@]}"; do
    check "$name: $f" "$(field "$dir/wine/link.lnk" "$f")" "$(field "$dir/native/link.lnk" "$f")"
  done
}

WORK=$(make_work_dir shell_link_compare)
wine_prefix_init "$SETUP_WIN_BUILD" || { fail "no Wine prefix"; finish; }
APP="$WORK/Program Files/App"
mkdir -p "$APP"
printf 'MZ' >"$APP/app.exe"
printf '[Version]\r\n' >"$APP/my setup.inf"
A=$(z_path "$APP")

compare_case full "$A\\app.exe" '-a "b c" /d' "$A" "$A\\app.exe" 3
compare_case two_fields "$A\\app.exe" '' '' '' 0
compare_case missing_target "$A\\gone.exe" '' '' '' 0
compare_case rundll_form rundll32 'x.inf' "$A\\" '' 0
compare_case short_arguments rundll32 "$(z_path "$APP")\\MYSETU~1.INF" "$A\\" '' 0
compare_case icon_only "$A\\app.exe" '' '' "$A\\app.exe" -5
compare_case c_drive 'C:\Program Files\App\none.exe' '/s' 'C:\Program Files\App' 'C:\WINDOWS\system32\shell32.dll' 12
compare_case quoted_target "\"$A\\app.exe\"" '' '' '' 0

# A link into a folder that does not exist: both refuse with the same code.
dir="$WORK/missing_folder_link"
mkdir -p "$dir"
native_status=$("$NATIVE_TOOL" --machine "$WORK/machine" "$dir/no/such/link.lnk" "$A\\app.exe" '' '' '' 0 2>&1)
wine_status=$(timeout --kill-after=10 "$WINE_RUN_TIMEOUT" \
  wine "$WINDOWS_TOOL" "$(z_path "$dir/no/such/link.lnk")" "$A\\app.exe" '' '' '' 0 </dev/null 2>/dev/null | tr -d '\r')
check "link into a missing folder: status" "$wine_status" "$native_status"

wine_prefix_stop
finish
