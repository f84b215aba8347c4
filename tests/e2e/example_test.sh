#!/bin/bash
# The example package installed silently into a fresh simulated machine by
# the native setup, and then once more over itself: the files, the registry
# values, the Start-menu links and their targets, the INI file, the installed
# copy of the control file with the run's [Strings], and the log of both
# runs ("created" first, "refreshed" and "replaced" the second time, the
# second section after the 50 "=" rule).
# Usage: example_test.sh <path of the native setup binary>
# Environment: SETUP_BINARY_DIR, the build folder that holds example/.
set -u
setup="$1"
example_src="${SETUP_BINARY_DIR:-$(dirname "$setup")}/example"
if [ ! -f "$example_src/TALVDEMO.EXE" ] && command -v i686-w64-mingw32-gcc >/dev/null; then
  # The main job ends with warnings without the demo program.
  echo "FAIL: the cross compiler is installed, but $example_src has no TALVDEMO.EXE" >&2
  exit 1
fi
if [ ! -f "$example_src/APP.INF" ] || [ ! -f "$example_src/TALVDEMO.EXE" ]; then
  echo "SKIPPED: no example package with TALVDEMO.EXE in $example_src" \
    "(it is assembled only when the mingw-w64 cross compiler is installed)"
  exit 0
fi
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-example-XXXXXX")"
machine="$work/m"
failures=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
expect() { [ "$2" = "$3" ] || fail "$1: expected [$2], got [$3]"; }
# expect_line NAME TEXT REGEX: TEXT has a line matching the extended regex.
expect_line() { grep -qE -- "$3" <<<"$2" || fail "$1: no line /$3/"; }
regex_escape() { sed 's/[][\\.*^$+?(){}|]/\\&/g' <<<"$1"; }

# host_path WINDOWS_PATH: the file of the machine that a C: path names, each
# component matched without regard to case as the emulation matches it.
host_path() {
  local rest=${1#[Cc]:\\} dir="$machine/drive_c" part match
  # Windows paths split at their backslashes.
  # shellcheck disable=SC2141
  local IFS='\'
  for part in $rest; do
    match=$(find "$dir" -mindepth 1 -maxdepth 1 -iname "$part" -print -quit 2>/dev/null)
    dir=${match:-$dir/$part}
  done
  printf '%s' "$dir"
}

# reg_line KEY NAME: the line of value NAME below [KEY] in registry.reg as
# REGEDIT4 writes it (key names without regard to case).
reg_line() {
  tr -d '\r' <"$machine/registry.reg" | awk -v key="[$1]" -v name="\"$2\"=" '
    /^\[/ { in_key = (tolower($0) == tolower(key)); next }
    in_key && index($0, name) == 1 { print; exit }'
}

# ini_value FILE SECTION KEY
ini_value() {
  tr -d '\r' <"$1" 2>/dev/null | awk -v sec="$2" -v key="$3" '
    /^[ \t]*\[/ { line = $0; gsub(/^[ \t]*\[|\][ \t]*$/, "", line); in_sec = (tolower(line) == tolower(sec)); next }
    in_sec && index($0, "=") {
      k = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) == tolower(key)) { v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit }
    }'
}

lnk_field() {  # lnk_field FILE LABEL: a field as lnkinfo shows it
  lnkinfo "$1" 2>/dev/null | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -n 1
}

run() { SETUP_NO_SLEEP=1 "$setup" --machine "$machine" /S "$@" 2>"$work/stderr"; }

cp -r "$example_src" "$work/example"
program_dir='C:\Program Files\Talven Demo'
package_files=(TALVDEMO.EXE README.TXT 'help\FAQ.TXT' 'help\USAGE.TXT'
  'samples\basic\HELLO.TXT' 'samples\advanced\TRICKS.TXT')
links=('Talven Demo' 'Read me' 'Uninstall Talven Demo')
demo_key='HKEY_CURRENT_USER\SOFTWARE\Talven\Demo'
uninstall_key='HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\TalvenDemo'

# ---- the first installation ------------------------------------------------

run "$work/example/APP.INF"
expect "install: exit code" 0 $?
grep -qx 'Installation successfully!' "$work/stderr" || fail "install: no success line on stderr"

for file in "${package_files[@]}"; do
  cmp -s "$work/example/${file//\\//}" "$(host_path "$program_dir\\$file")" ||
    fail "install: $file missing or different"
done

expect "registry: InstallDir" '"InstallDir"="C:\\Program Files\\Talven Demo"' "$(reg_line "$demo_key" InstallDir)"
expect "registry: Version" '"Version"="1.02"' "$(reg_line "$demo_key" Version)"
expect "registry: Starts" '"Starts"=dword:00000000' "$(reg_line "$demo_key" Starts)"
expect "registry: DisplayName" '"DisplayName"="Talven Demo 1.02"' "$(reg_line "$uninstall_key" DisplayName)"
expect "registry: UninstallString" \
  '"UninstallString"="rundll32 setupAPI.dll,InstallHinfSection DefaultUninstall 132 C:\\WINDOWS\\inf\\APP.INF"' \
  "$(reg_line "$uninstall_key" UninstallString)"

ini="$(host_path "$program_dir\\TALVDEMO.INI")"
expect "TALVDEMO.INI: InstallDir" "$program_dir" "$(ini_value "$ini" Settings InstallDir)"
expect "TALVDEMO.INI: Version" 1.02 "$(ini_value "$ini" Settings Version)"

inf_copy="$(host_path 'C:\WINDOWS\inf\APP.INF')"
programs=$(reg_line 'HKEY_CURRENT_USER\SOFTWARE\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
programs=${programs#\"Programs\"=\"}
programs=${programs%\"}
programs=${programs//\\\\/\\}
start_menu="$programs\\Talven Demo"
expect "installed copy: signature" TALVEN "$(ini_value "$inf_copy" Version FormKw)"
expect "installed copy: InfPath" 'C:\WINDOWS\inf\' "$(ini_value "$inf_copy" Strings InfPath)"
expect "installed copy: MyProgramPath" "$program_dir" "$(ini_value "$inf_copy" Strings MyProgramPath)"
expect "installed copy: ProjectVersion" 1.02 "$(ini_value "$inf_copy" Strings ProjectVersion)"
expect "installed copy: rundll" rundll32 "$(ini_value "$inf_copy" Strings rundll)"
expect "installed copy: setupx" setupAPI "$(ini_value "$inf_copy" Strings setupx)"
expect "installed copy: MyStartMenu" "$start_menu" "$(ini_value "$inf_copy" Strings MyStartMenu)"

link_dir="$(host_path "$start_menu")"
for link in "${links[@]}"; do
  [ -f "$link_dir/$link.LNK" ] || fail "link: no $link.LNK in $link_dir"
done
if command -v lnkinfo >/dev/null; then
  expect "link: Talven Demo target" "$program_dir\\TALVDEMO.EXE" "$(lnk_field "$link_dir/Talven Demo.LNK" 'Local path')"
  expect "link: Talven Demo icon" "$program_dir\\TALVDEMO.EXE" "$(lnk_field "$link_dir/Talven Demo.LNK" 'Icon location')"
  expect "link: Read me target" "$program_dir\\README.TXT" "$(lnk_field "$link_dir/Read me.LNK" 'Local path')"
  expect "link: Uninstall target" 'C:\WINDOWS\system32\rundll32.exe' \
    "$(lnk_field "$link_dir/Uninstall Talven Demo.LNK" 'Local path')"
  expect "link: Uninstall arguments" 'setupAPI.dll,InstallHinfSection DefaultUninstall 132 C:\WINDOWS\inf\APP.INF' \
    "$(lnk_field "$link_dir/Uninstall Talven Demo.LNK" 'Command line arguments')"
else
  echo "note: no lnkinfo (package liblnk-utils): the links' contents are not checked"
fi

log_file="$(host_path "$program_dir\\LOGFILKW.LOG")"
cp "$log_file" "$work/first.log" 2>/dev/null || : >"$work/first.log"
first=$(tr -d '\r' <"$work/first.log")
expect_line "log: key created" "$first" $'^HKCU\\\\Software\\\\Talven\\\\Demo\tcreated$'
expect_line "log: INF copied" "$first" '^INF-File copied to C:\\WINDOWS\\inf\\APP\.INF$'
expect_line "log: TALVDEMO.EXE created" "$first" \
  "^$(regex_escape "$program_dir\\TALVDEMO.EXE")"$'\t1\\.02\\.0000\\.0007 04E40409 created$'
for link in "${links[@]}"; do
  expect_line "log: $link.LNK created" "$first" "^$(regex_escape "$start_menu\\$link.LNK")"$'\tcreated$'
done

# ---- the same package over the first installation --------------------------

run "$work/example/APP.INF"
expect "second install: exit code" 0 $?
rule=$(printf '=%.0s' {1..50})
first_size=$(stat -c %s "$work/first.log")
head -c "$first_size" "$log_file" | cmp -s - "$work/first.log" || fail "second install: the first section changed"
expect "second install: an empty line and the rule after the first section" \
  "$(printf '\r\n%s\r\n' "$rule" | od -An -v -c | tr -s ' \n' ' ')" \
  "$(tail -c +"$((first_size + 1))" "$log_file" | head -c 54 | od -An -v -c | tr -s ' \n' ' ')"
second=$(tail -c +"$((first_size + 1))" "$log_file" | tr -d '\r')
expect_line "second install: header" "$second" $'^Date/Time:\t'
expect_line "second install: earlier installation found" "$second" \
  '^In Registry-Uninstall reference to previous INF found: C:\\WINDOWS\\inf\\APP\.INF$'
for value in InstallDir Version Starts; do
  expect_line "second install: $value refreshed" "$second" $'^HKCU\\\\Software\\\\Talven\\\\Demo\t'"$value refreshed\$"
done
for value in DisplayName UninstallString; do
  expect_line "second install: $value refreshed" "$second" \
    $'^HKLM\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\TalvenDemo\t'"$value refreshed\$"
done
grep -qE $'\tcreated$' <<<"$second" && fail "second install: something logged as created: $(grep -E $'\tcreated$' <<<"$second")"
for file in "${package_files[@]}"; do
  expect_line "second install: $file refreshed" "$second" "^$(regex_escape "$program_dir\\$file")"$'\t.* refreshed$'
done
for link in "${links[@]}"; do
  expect_line "second install: $link.LNK replaced" "$second" \
    "^$(regex_escape "$start_menu\\$link.LNK")"$'\t[0-9].* replaced$'
done

[ "$failures" = 0 ] && rm -rf "$work"
exit $((failures > 0))
