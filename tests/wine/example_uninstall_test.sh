#!/usr/bin/env bash
# The example package's whole life under Wine, silently:
#
# 1. installed with SETUP.EXE /S: exit code, the files, the registry values,
#    the links in the user's Start-menu folder "Talven Demo", the INI file,
#    the installed copy of the control file with the run's [Strings];
# 2. installed a second time over the first: the log gets a second section
#    after the 50 "=" rule, with the earlier installation found, the values
#    and files "refreshed" and the links "replaced";
# 3. uninstalled by Wine's own setup engine with the command that the
#    installation registered as UninstallString, taken from the registry as
#    it stands: everything that [DefaultUninstall] names is gone.
#
# usage: example_uninstall_test.sh [WINDOWS_BUILD] [NATIVE_BUILD]
set -uo pipefail
source "$(dirname "$0")/lib.sh"
require_setup_exe
example_src="$SETUP_WIN_BUILD/example"
[ -f "$example_src/APP.INF" ] || skip_all "no $example_src/APP.INF (build the windows preset first)"
[ -f "$example_src/TALVDEMO.EXE" ] || skip_all "no $example_src/TALVDEMO.EXE"

test_started=$SECONDS
work=$(make_work_dir example-uninstall)
if ! wine_prefix_init; then skip_all "no Wine prefix"; fi
drive_c="$WINEPREFIX/drive_c"

demo_key='HKCU\Software\Talven\Demo'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\TalvenDemo'
program_dir='C:\Program Files\Talven Demo'
installed_inf='C:\windows\inf\APP.INF'
package_files=(TALVDEMO.EXE README.TXT 'help\FAQ.TXT' 'help\USAGE.TXT'
  'samples\basic\HELLO.TXT' 'samples\advanced\TRICKS.TXT')
links=('Talven Demo' 'Read me' 'Uninstall Talven Demo')

# ---- helpers ---------------------------------------------------------------

# host_path WINDOWS_PATH: where a C: path of the prefix lies on the host.
host_path() {
  local rest=${1#[Cc]:}
  printf '%s%s' "$drive_c" "${rest//\\//}"
}

# reg_value KEY NAME: "TYPE DATA" of a value as `reg query` shows it, or
# nothing when the key or value is missing.
reg_value() {
  wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' |
    awk -v name="$2" '
      { line = $0; sub(/^ +/, "", line) }
      index(line, name "    ") == 1 {
        rest = substr(line, length(name) + 5)
        type = rest; sub(/ .*/, "", type)
        data = substr(rest, length(type) + 5)
        print type " " data
      }'
}

reg_key_exists() {
  wine reg query "$1" >/dev/null 2>&1
}

gone() {  # gone NAME HOST_PATH
  if [ -e "$2" ]; then fail "$1 still there"; else pass "$1 gone"; fi
}

# ini_value FILE SECTION KEY: an INI entry (section and key without regard
# to case), blanks around the value removed.
ini_value() {
  tr -d '\r' <"$1" 2>/dev/null | awk -v sec="$2" -v key="$3" '
    /^[ \t]*\[/ { line = $0; gsub(/^[ \t]*\[|\][ \t]*$/, "", line); in_sec = (tolower(line) == tolower(sec)); next }
    in_sec && index($0, "=") {
      k = substr($0, 1, index($0, "=") - 1); gsub(/^[ \t]+|[ \t]+$/, "", k)
      if (tolower(k) == tolower(key)) {
        v = substr($0, index($0, "=") + 1); gsub(/^[ \t]+|[ \t]+$/, "", v); print v; exit
      }
    }'
}

# log_has NAME LOG_TEXT REGEX: the log text has a line matching the extended
# regular expression.
log_has() {
  if grep -qE -- "$3" <<<"$2"; then pass "$1"; else fail "$1: no line /$3/"; fi
}

# regex_escape TEXT: TEXT as an extended regular expression matching itself.
regex_escape() {
  sed 's/[][\\.*^$+?(){}|]/\\&/g' <<<"$1"
}

# A link's target and arguments as lnkinfo reads them from the .LNK file.
lnk_field() {  # lnk_field FILE LABEL
  lnkinfo "$1" 2>/dev/null | sed -n "s/^[[:space:]]*$2[[:space:]]*: //p" | head -n 1
}

# Nothing of an earlier example installation may lie in the shared prefix.
remove_earlier_installation() {
  wine reg delete "$demo_key" /f >/dev/null 2>&1
  wine reg delete "$uninstall_key" /f >/dev/null 2>&1
  rm -rf "$(host_path "$program_dir")" "$(host_path "$installed_inf")"
  local programs
  programs=$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
  [ -n "$programs" ] && rm -rf "$(host_path "${programs#* }")/Talven Demo"
}

# ---- 1. the first installation ---------------------------------------------

remove_earlier_installation
example="$work/example"
cp -r "$example_src" "$example"
example_inf="$(z_path "$example")\\APP.INF"

echo "--- installing the example package"
wine_run "$SETUP_EXE" /S "$example_inf"
check "install: exit code" 0 "$RUN_EXIT"
check "install: result on stderr" "Installation successfully!" \
  "$(grep -x 'Installation successfully!' <<<"$RUN_STDERR")"

for file in "${package_files[@]}"; do
  host_file="$(host_path "$program_dir\\$file")"
  if cmp -s "$example/${file//\\//}" "$host_file"; then
    pass "install: $file in place"
  else
    fail "install: $file missing or different at $host_file"
  fi
done

check "registry: InstallDir" "REG_SZ $program_dir" "$(reg_value "$demo_key" InstallDir)"
check "registry: Version" "REG_SZ 1.02" "$(reg_value "$demo_key" Version)"
check "registry: Starts" "REG_DWORD 0x0" "$(reg_value "$demo_key" Starts)"
check "registry: DisplayName" "REG_SZ Talven Demo 1.02" "$(reg_value "$uninstall_key" DisplayName)"
uninstall_command=$(reg_value "$uninstall_key" UninstallString)
uninstall_command=${uninstall_command#REG_SZ }
check "registry: UninstallString" \
  "rundll32 setupAPI.dll,InstallHinfSection DefaultUninstall 132 $installed_inf" "$uninstall_command"

ini="$(host_path "$program_dir\\TALVDEMO.INI")"
check "TALVDEMO.INI: InstallDir" "$program_dir" "$(ini_value "$ini" Settings InstallDir)"
check "TALVDEMO.INI: Version" "1.02" "$(ini_value "$ini" Settings Version)"

programs=$(reg_value 'HKCU\Software\Microsoft\Windows\CurrentVersion\Explorer\Shell Folders' Programs)
programs=${programs#REG_SZ }
start_menu="$programs\\Talven Demo"
inf_copy="$(host_path "$installed_inf")"
check "installed copy: signature" TALVEN "$(ini_value "$inf_copy" Version FormKw)"
check "installed copy: InfPath" 'C:\windows\inf\' "$(ini_value "$inf_copy" Strings InfPath)"
check "installed copy: MyProgramPath" "$program_dir" "$(ini_value "$inf_copy" Strings MyProgramPath)"
check "installed copy: ProjectVersion" 1.02 "$(ini_value "$inf_copy" Strings ProjectVersion)"
check "installed copy: rundll" rundll32 "$(ini_value "$inf_copy" Strings rundll)"
check "installed copy: setupx" setupAPI "$(ini_value "$inf_copy" Strings setupx)"
check "installed copy: MyStartMenu" "$start_menu" "$(ini_value "$inf_copy" Strings MyStartMenu)"
check "installed copy: Programs" "$programs" "$(ini_value "$inf_copy" Strings Programs)"

link_dir="$(host_path "$start_menu")"
for link in "${links[@]}"; do
  if [ -f "$link_dir/$link.LNK" ]; then pass "link: $link.LNK"; else fail "link: no $link_dir/$link.LNK"; fi
done
check "link: Talven Demo starts the program" "$program_dir\\TALVDEMO.EXE" \
  "$(lnk_field "$link_dir/Talven Demo.LNK" 'Local path')"
check "link: Read me opens README.TXT" "$program_dir\\README.TXT" \
  "$(lnk_field "$link_dir/Read me.LNK" 'Local path')"
check "link: Uninstall Talven Demo starts the system's rundll32" 'C:\windows\system32\rundll32.exe' \
  "$(lnk_field "$link_dir/Uninstall Talven Demo.LNK" 'Local path')"
check "link: Uninstall Talven Demo runs the uninstall section" \
  "setupAPI.dll,InstallHinfSection DefaultUninstall 132 $installed_inf" \
  "$(lnk_field "$link_dir/Uninstall Talven Demo.LNK" 'Command line arguments')"

log_file="$(host_path "$program_dir\\LOGFILKW.LOG")"
cp "$log_file" "$work/first.log" 2>/dev/null || : >"$work/first.log"
first_log=$(tr -d '\r' <"$work/first.log")
log_has "log: the key created" "$first_log" $'^HKCU\\\\Software\\\\Talven\\\\Demo\tcreated$'
log_has "log: the uninstall string created" "$first_log" \
  $'^HKLM\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\TalvenDemo\tUninstallString created$'
log_has "log: TALVDEMO.EXE created" "$first_log" \
  $'^C:\\\\Program Files\\\\Talven Demo\\\\TALVDEMO\\.EXE\t1\\.02\\.0000\\.0007 04E40409 created$'
log_has "log: a link created" "$first_log" $'\\\\Talven Demo\\\\Read me\\.LNK\tcreated$'
check "log: one section" 0 "$(grep -c '^=' <<<"$first_log")"

# ---- 2. the same package over the first installation -----------------------

echo "--- installing the example package again"
wine_run "$SETUP_EXE" /S "$example_inf"
check "second install: exit code" 0 "$RUN_EXIT"
# The first run's log, byte for byte, then an empty line and the rule.
rule=$(printf '=%.0s' {1..50})
first_size=$(stat -c %s "$work/first.log")
check "second install: the first section kept" "" \
  "$(head -c "$first_size" "$log_file" | cmp - "$work/first.log" 2>&1)"
check "second install: an empty line, then the 50 \"=\" rule" "$(printf '\r\n%s\r\n' "$rule" | od -An -v -c | tr -s " \n" " ")" \
  "$(tail -c +"$((first_size + 1))" "$log_file" | head -c 54 | od -An -v -c | tr -s " \n" " ")"
log=$(tr -d '\r' <"$log_file" 2>/dev/null)
check "second install: one rule" 1 "$(grep -cx -- "$rule" <<<"$log")"
second=$(awk -v rule="$rule" 'seen { print } $0 == rule { seen = 1 }' <<<"$log")
log_has "second install: a new header" "$second" $'^Date/Time:\t'
log_has "second install: the earlier installation found" "$second" \
  '^In Registry-Uninstall reference to previous INF found: C:\\windows\\inf\\APP\.INF$'
for value in InstallDir Version Starts; do
  log_has "second install: $value refreshed" "$second" "^HKCU\\\\Software\\\\Talven\\\\Demo"$'\t'"$value refreshed\$"
done
for value in DisplayName UninstallString; do
  log_has "second install: $value refreshed" "$second" \
    "^HKLM\\\\Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\TalvenDemo"$'\t'"$value refreshed\$"
done
check "second install: no key created" "" "$(grep -E $'\tcreated$' <<<"$second")"
for file in "${package_files[@]}"; do
  log_has "second install: $file refreshed" "$second" "^$(regex_escape "$program_dir\\$file")"$'\t'".* refreshed\$"
done
for link in "${links[@]}"; do
  log_has "second install: $link.LNK replaced" "$second" "\\\\Talven Demo\\\\$link\\.LNK"$'\t'"[0-9].* replaced\$"
done

# ---- 3. the uninstall entry, run by Wine's setup engine ---------------------

uninstall_command=$(reg_value "$uninstall_key" UninstallString)
uninstall_command=${uninstall_command#REG_SZ }
echo "--- uninstalling: $uninstall_command"
# The registered command line, split at its blanks as the system splits it
# (none of its parts is quoted); the setup engine may show message boxes, so
# it runs on a display of its own when the session has none.
read -r -a uninstall_argv <<<"$uninstall_command"
wine_run_gui "${uninstall_argv[@]}"
check "uninstall: exit code" 0 "$RUN_EXIT"

for file in "${package_files[@]}" TALVDEMO.INI LOGFILKW.LOG; do
  gone "uninstall: $file" "$(host_path "$program_dir\\$file")"
done
for link in "${links[@]}"; do
  gone "uninstall: $link.LNK" "$link_dir/$link.LNK"
done
gone "uninstall: the installed copy" "$inf_copy"
check "uninstall: no file left in the program folder" "" "$(find "$(host_path "$program_dir")" -type f 2>/dev/null)"
check "uninstall: no file left in the menu folder" "" "$(find "$link_dir" -type f 2>/dev/null)"
for key in "$demo_key" "$uninstall_key"; do
  if reg_key_exists "$key"; then fail "uninstall: $key still there"; else pass "uninstall: $key gone"; fi
done

# The setup engine deletes files only: the emptied folders stay.
remove_earlier_installation
wine_prefix_stop
echo "example install/uninstall test took $((SECONDS - test_started)) s"
finish
