#!/usr/bin/env bash
# Compares what the two builds read from version resources we did not
# write: every PE file in Wine's own i386 DLL folder (at least 100), plus
# our PE test files, through verdump_tool of the native build (host paths,
# on its emulation) and of the Windows build under Wine (the same files as
# Z:\ paths, Wine's own version.dll). Prints the number of files compared
# and every line that differs; fails on a difference or on fewer than 100
# files from Wine's folder. Our damaged test files are run too, and what
# each build makes of them shown.
#
# usage: version_compare.sh [WINDOWS_BUILD] [NATIVE_BUILD]
#        (default build/windows, build/native; each needs verdump_tool)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

MIN_FILES=100
# Windows command lines end at 32767 characters: files go in batches.
BATCH=100

NATIVE_TOOL="$SETUP_NATIVE_BUILD/verdump_tool"
WINDOWS_TOOL="$SETUP_WIN_BUILD/verdump_tool.exe"
[ -x "$NATIVE_TOOL" ] || skip_all "no $NATIVE_TOOL (build the native preset first)"
[ -f "$WINDOWS_TOOL" ] || skip_all "no $WINDOWS_TOOL (build the windows preset first)"

wine_dll_folder() {
  local dir
  for dir in /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/i386-windows \
             /usr/lib32/wine/i386-windows /usr/local/lib/wine/i386-windows \
             /opt/wine*/lib/wine/i386-windows; do
    [ -d "$dir" ] && { printf '%s' "$dir"; return 0; }
  done
  return 1
}

# Regular files that start with "MZ": executables of any extension.
executables_in() {
  local f
  for f in "$1"/*; do
    [ -f "$f" ] && [ "$(head -c 2 "$f")" == "MZ" ] && printf '%s\n' "$f"
  done
}

# dump_native FILE...: the native tool's lines, on a machine of its own.
dump_native() {
  "$NATIVE_TOOL" --machine "$WORK/machine" "$@"
}

# dump_windows FILE...: the Windows tool's lines with Z:\ paths turned back
# into host paths, so that they line up with the native ones.
dump_windows() {
  local args=() f
  for f in "$@"; do args+=("$(z_path "$f")"); done
  timeout --kill-after=10 600 wine "$WINDOWS_TOOL" "${args[@]}" </dev/null 2>/dev/null |
    tr -d '\r' | awk -F'\t' 'BEGIN { OFS = "\t" } { sub(/^Z:/, "", $1); gsub(/\\/, "/", $1); print }'
}

# compare_set NAME FILE...: runs both tools in batches; adds to the counts.
compare_set() {
  local name=$1
  shift
  local native="$WORK/$name.native" windows="$WORK/$name.windows" i
  : >"$native"
  : >"$windows"
  local batch="$WORK/$name.batch" size
  for ((i = 1; i <= $#; i += BATCH)); do
    dump_native "${@:i:BATCH}" >>"$native"
    size=$(( $# - i + 1 < BATCH ? $# - i + 1 : BATCH ))
    # A Wine process that died under load (seen on a busy machine) is given
    # one more chance before its batch counts as missing.
    dump_windows "${@:i:BATCH}" >"$batch"
    if [ "$(wc -l <"$batch")" -ne "$size" ]; then
      echo "  retry: Wine gave $(wc -l <"$batch") of $size lines for a batch"
      dump_windows "${@:i:BATCH}" >"$batch"
    fi
    cat "$batch" >>"$windows"
  done
  local lines
  lines=$(wc -l <"$native")
  COMPARED=$((COMPARED + lines))
  if [ "$lines" -ne $# ] || [ "$(wc -l <"$windows")" -ne $# ]; then
    fail "$name: $# files, $lines native lines, $(wc -l <"$windows") Windows lines"
  fi
  if diff <(sort "$native") <(sort "$windows") >"$WORK/$name.diff"; then
    pass "$name: $# files read alike ($(grep -vc $'\t-1\t' "$native") with a version)"
  else
    fail "$name: the builds differ (< native, > Windows under Wine):"
    sed -n '/^[<>]/p' "$WORK/$name.diff"
  fi
}

WINE_DLLS=$(wine_dll_folder) || skip_all "Wine's i386 DLL folder not found"
WORK=$(make_work_dir version_compare)
wine_prefix_init "$SETUP_WIN_BUILD" || { fail "no Wine prefix"; finish; }

mapfile -t wine_files < <(executables_in "$WINE_DLLS")
COMPARED=0
echo "  Wine's files: ${#wine_files[@]} executables in $WINE_DLLS"
if [ "${#wine_files[@]}" -lt "$MIN_FILES" ]; then
  fail "only ${#wine_files[@]} files in $WINE_DLLS (at least $MIN_FILES wanted)"
else
  compare_set wine_dlls "${wine_files[@]}"
fi

# Our own test files: the sound ones must read alike.
mapfile -t own_files < <(executables_in "$SETUP_NATIVE_BUILD/test-pe" | grep -v -e /hostile_ -e /damaged_)
if [ "${#own_files[@]}" -gt 0 ]; then
  compare_set test_pe "${own_files[@]}"
fi

# The damaged ones are no comparison: the native build turns every one of
# them down on purpose, where Wine may read past the resource or crash.
# One process each, so that a crash under Wine hits only its own file; the
# outcomes are shown, and only a native answer other than -1 fails.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winedbg.exe=d"
for f in "$SETUP_NATIVE_BUILD"/test-pe/hostile_* "$SETUP_NATIVE_BUILD"/test-pe/damaged_*; do
  [ -f "$f" ] || continue
  native=$(dump_native "$f" | cut -f2-)
  windows=$(dump_windows "$f" | grep -F "$f" | cut -f2-)
  [ -n "$windows" ] || windows="(no answer: Wine crashed)"
  case "$(basename "$f")" in
    hostile_*) check "$(basename "$f") refused by the native build" "-1" "$(cut -f1 <<<"$native")" ;;
  esac
  printf '  info %s: native [%s], Wine [%s]\n' "$(basename "$f")" "$native" "$windows"
done

echo "  compared: $COMPARED files"
wine_prefix_stop
finish
