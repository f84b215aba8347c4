#!/usr/bin/env bash
# The main job: builds the native installer and installs the bundled example
# package into a fresh simulated Windows machine, then shows what it did.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

# The demo program is a Windows program: without the cross compiler the
# package would lack it, and the run would end with warnings.
for tool in cmake g++ i686-w64-mingw32-gcc i686-w64-mingw32-windres; do
  if ! command -v "$tool" >/dev/null || [ ! -d /usr/src/googletest ]; then
    scripts/install-deps.sh --example
    break
  fi
done
cmake --preset native >/dev/null
cmake --build --preset native --target setup simrun example_package >/dev/null
if [ ! -f build/native/example/TALVDEMO.EXE ]; then
  echo "run-example: the demo program TALVDEMO.EXE was not built (is mingw-w64 installed?)" >&2
  exit 1
fi

machine="$root/build/example-machine"
rm -rf "$machine" "$machine.before"
# A first run without a control file only lays out the fresh machine.
build/native/setup --machine "$machine" /S "$root/build/no-such-package.inf" >/dev/null 2>&1 || true
cp -a "$machine" "$machine.before"

echo "== installing the example package (examples/) silently into the simulated machine $machine"
status=0
install_output="$machine.install-output"
SETUP_NO_SLEEP=1 build/native/setup --machine "$machine" /S "$root/build/native/example/APP.INF" 2>&1 | tee "$install_output" || status=${PIPESTATUS[0]}
echo "== exit code: $status (0 success, 2 warnings, 3 failure)"

# A machine path as the installer sees it: drive_c/x/y is C:\x\y.
win_path() {
  local rest=${1#drive_}
  local drive=${rest%%/*}
  rest=${rest#*/}
  printf '%s:\\%s' "${drive^^}" "${rest//\//\\}"
}

# The registry's values as sorted "[key]<TAB>value" lines: continued lines
# joined, so that only real changes show, however the file was laid out.
registry_lines() {
  tr -d '\r' <"$1" | awk '
    { text = $0; if (pending != "") sub(/^ +/, "", text) }
    text ~ /\\$/ { pending = pending substr(text, 1, length(text) - 1); next }
    { line = pending text; pending = "" }
    line ~ /^\[/ { key = line; next }
    line ~ /^ *"|^@/ { sub(/^ +/, "", line); print key "\t" line }' | LC_ALL=C sort
}

echo
echo "== files added (+), changed (~) or removed (-):"
files_of() { (cd "$1" && find . -type f ! -name registry.reg ! -name environment | sed 's|^\./||' | LC_ALL=C sort); }
changed_files=()
while IFS=$'\t' read -r mark file; do
  case $mark in
    1) echo "  - $(win_path "$file")" ;;
    2) echo "  + $(win_path "$file")  ($(stat -c %s "$machine/$file") bytes)"; changed_files+=("$file") ;;
    3) if ! cmp -s "$machine.before/$file" "$machine/$file"; then
         echo "  ~ $(win_path "$file")"; changed_files+=("$file")
       fi ;;
  esac
done < <(LC_ALL=C join -t $'\t' -a1 -a2 -e '' -o 0,1.2,2.2 \
           <(files_of "$machine.before" | sed 's/$/\tb/') <(files_of "$machine" | sed 's/$/\ta/') |
         awk -F'\t' '{ print ($2 && $3 ? 3 : ($3 ? 2 : 1)) "\t" $1 }')

echo
echo "== registry values added (+) or removed (-):"
LC_ALL=C comm -3 <(registry_lines "$machine.before/registry.reg") <(registry_lines "$machine/registry.reg") |
  awk -F'\t' '
    { mark = ($1 == "" ? "+" : "-"); if (mark == "+") { key = $2; value = $3 } else { key = $1; value = $2 } }
    key != last { print "  " key; last = key }
    value != "" { print "    " mark " " value }'
if ! cmp -s "$machine.before/environment" "$machine/environment"; then
  echo "== environment changes:"
  { diff "$machine.before/environment" "$machine/environment" || true; } | sed -n 's/^</  -/p; s/^>/  +/p'
fi

# show_ini FILE [SECTION]: an INI file (or one section of it), indented.
show_ini() {
  tr -d '\r' <"$machine/$1" | awk -v only="${2:-}" '
    /^\[/ { shown = only == "" || tolower($0) == "[" only "]" }
    shown && NF { print "  " $0 }'
}

for file in "${changed_files[@]}"; do
  case ${file,,} in
    *.lnk)
      if command -v lnkinfo >/dev/null; then
        echo
        echo "== link $(win_path "$file"):"
        lnkinfo "$machine/$file" | sed -n 's/^[[:space:]]*\(Local path\|Working directory\|Command line arguments\|Icon location\)[[:space:]]*: /  \1: /p'
      fi ;;
    *.inf)
      echo
      echo "== the installed copy $(win_path "$file"), its [Strings] as the run published them:"
      show_ini "$file" strings ;;
    *.ini)
      echo
      echo "== INI file $(win_path "$file"):"
      show_ini "$file" ;;
  esac
done
for file in "${changed_files[@]}"; do
  if [ "${file##*/}" = LOGFILKW.LOG ]; then
    echo
    echo "== log $(win_path "$file"):"
    tr -d '\r' <"$machine/$file"
  fi
done
# The uninstall, as the system's list of installed programs starts it: the
# registered UninstallString, run by the setup engine of the simulated
# machine. Printed after the installation's own report, which it leaves
# as it was.
echo
echo "== uninstalling: the UninstallString of TalvenDemo, run by simrun"
build/native/simrun --machine "$machine" --uninstall TalvenDemo || echo "== uninstall exit code: $?"
echo "== left behind by the uninstall (files and folders the installation added):"
(cd "$machine" && find drive_* -mindepth 1 | LC_ALL=C sort) >"$machine.after-list"
(cd "$machine.before" && find drive_* -mindepth 1 | LC_ALL=C sort) |
  LC_ALL=C comm -13 - "$machine.after-list" | while IFS= read -r entry; do
    if [ -d "$machine/$entry" ]; then echo "  $(win_path "$entry")\  (empty folder)"; else echo "  $(win_path "$entry")"; fi
  done
rm -f "$machine.after-list"
echo "== registry keys and values left behind:"
LC_ALL=C comm -13 <(registry_lines "$machine.before/registry.reg") <(registry_lines "$machine/registry.reg") | sed 's/^/  /'
# The installation's own result comes last, so that it is the line a user
# of this script reads first.
echo
echo "== the installation's result:"
tr -d '\r' <"$install_output" | grep -E '^Installation ' | tail -n 1 || true
rm -f "$install_output"
exit "$status"
