#!/usr/bin/env bash
# Runs the installation scenarios (tests/scenarios/*/scenario.sh) on the
# native setup and/or SETUP.EXE under Wine, each on a clean machine, and
# compares each build's normalised report with the scenario's expected.txt
# (and the two builds with each other). The last line is "N passed, M failed".
#
# usage: run.sh [--native SETUP] [--wine SETUP.EXE] [--work DIR] [--update]
#               [NAME...]
#   --native    the native setup binary (runs on a simulated machine)
#   --wine      the Windows build (runs in a clone of a pristine Wine prefix)
#   --pe DIR    the test PE files (default: test-pe beside either program)
#   --work DIR  scratch folder (default: a new folder under /tmp)
#   --update    write expected.txt from this run (Wine's report when Wine ran)
#   NAME...     only these scenarios
#
# The two machines are made equal where the scenarios look: the native
# machine takes the Wine prefix's user name and its Windows directory C:\windows.
set -uo pipefail
SCEN_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$SCEN_DIR/scenario_lib.sh"

SCEN_NATIVE_SETUP=""
SCEN_WINE_SETUP=""
SCEN_PE_DIR=""
work=""
update=0
names=()
while [ $# -gt 0 ]; do
  case "$1" in
    --native) SCEN_NATIVE_SETUP=$(realpath "$2"); shift 2 ;;
    --wine) SCEN_WINE_SETUP=$(realpath "$2"); shift 2 ;;
    --pe) SCEN_PE_DIR=$(realpath "$2"); shift 2 ;;
    --work) work=$2; shift 2 ;;
    --update) update=1; shift ;;
    *) names+=("$1"); shift ;;
  esac
done
if [ -z "$SCEN_PE_DIR" ]; then
  for program in "$SCEN_NATIVE_SETUP" "$SCEN_WINE_SETUP"; do
    [ -n "$program" ] && [ -d "$(dirname "$program")/test-pe" ] && SCEN_PE_DIR="$(dirname "$program")/test-pe" && break
  done
fi
[ -n "$work" ] || work=$(mktemp -d /tmp/setup-scenarios-XXXXXX)
mkdir -p "$work"
work=$(realpath "$work")

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
export WINEARCH=win32
# Nothing of the caller's own installation settings may reach the runs, and
# Wine takes its locale (the date texts of the logs) from the host's: the
# one the native default machine has.
unset MyProgramPath MyStartMenu SETUP_MACHINE LC_ALL LC_TIME LANGUAGE
export LANG=C.UTF-8

passed=0
failed=0
pass() { passed=$((passed + 1)); echo "  ok   $*"; }
fail() { failed=$((failed + 1)); echo "  FAIL $*"; }

# ---- pristine machines ------------------------------------------------------

SCEN_USER=$(id -un)
pristine_wine="$work/pristine-wine"
pristine_native="$work/pristine-native"

# A Wine prefix made once per run and never run in: every scenario runs in
# a clone whose drive_c is hard-linked to it (files a run writes are new
# files, so the links stay untouched) and whose registry files are copies.
make_pristine_wine() {
  [ -f "$pristine_wine/.scenario-stamp" ] && return 0
  rm -rf "$pristine_wine"
  mkdir -p "$pristine_wine"
  WINEPREFIX="$pristine_wine" timeout 300 wineboot -i >/dev/null 2>&1 || return 1
  WINEPREFIX="$pristine_wine" timeout 120 wineserver -w
  touch -d '-2 seconds' "$pristine_wine/.scenario-stamp"
}

clone_wine() {  # clone_wine DEST
  mkdir -p "$1"
  cp -al "$pristine_wine/drive_c" "$1/" &&
    cp -a "$pristine_wine"/*.reg "$pristine_wine/.update-timestamp" "$pristine_wine/dosdevices" "$1/"
}

# A run that wrote into a file of the pristine prefix through a hard link
# would spoil every later scenario: such a prefix is thrown away.
pristine_wine_intact() {
  [ -z "$(find "$pristine_wine/drive_c" -newer "$pristine_wine/.scenario-stamp" -print -quit)" ]
}

# The native default machine, changed to the Wine prefix's user and Windows
# directory, so that both builds see the same paths.
make_pristine_native() {
  rm -rf "$pristine_native"
  "$SCEN_NATIVE_SETUP" --machine "$pristine_native" /S 'Z:\nonexistent\scenario.inf' >/dev/null 2>&1
  rm -f "$pristine_native"/drive_c/users/user/Temp/LOGFILKW.LOG
  local u=$SCEN_USER
  sed -i -e 's/C:\\WINDOWS/C:\\windows/g' -e "s/\\\\users\\\\user\\b/\\\\users\\\\$u/g" \
    -e "s/^USERNAME=user\$/USERNAME=$u/" "$pristine_native/environment"
  sed -i -e 's/C:\\\\WINDOWS/C:\\\\windows/g' -e "s/\\\\\\\\users\\\\\\\\user\\b/\\\\\\\\users\\\\\\\\$u/g" \
    "$pristine_native/registry.reg"
  [ "$u" = user ] || mv "$pristine_native/drive_c/users/user" "$pristine_native/drive_c/users/$u"
  [ -f "$pristine_native/environment" ]
}

if [ -n "$SCEN_WINE_SETUP" ]; then
  if ! make_pristine_wine; then
    echo "FAILED: no Wine prefix"
    echo "0 passed, 1 failed"
    exit 1
  fi
  for entry in "$pristine_wine"/drive_c/users/*; do
    [ "$(basename "$entry")" = Public ] || SCEN_USER=$(basename "$entry")
  done
fi
if [ -n "$SCEN_NATIVE_SETUP" ] && ! make_pristine_native; then
  echo "FAILED: no native machine"
  echo "0 passed, 1 failed"
  exit 1
fi

# ---- running ----------------------------------------------------------------

# run_build SCENARIO BUILD: the report of one build, in $work/NAME/BUILD/
run_build() {
  local dir=$1 build=$2 name out root
  name=$(basename "$dir")
  out="$work/$name/$build"
  rm -rf "$out"
  mkdir -p "$out/work"
  root="$out/machine"
  if [ "$build" = wine ]; then clone_wine "$root"; else cp -a "$pristine_native" "$root"; fi
  (scen_run_one "$dir" "$build" "$root" "$out/work" "$out/report.txt") >"$out/runner.log" 2>&1
  if [ "$build" = wine ]; then
    WINEPREFIX="$root" wineserver -k >/dev/null 2>&1
    WINEPREFIX="$root" wineserver -w >/dev/null 2>&1
  fi
}

only_of() { (ONLY=""; source "$1/scenario.sh" >/dev/null 2>&1; printf '%s' "$ONLY"); }

builds=()
[ -n "$SCEN_NATIVE_SETUP" ] && builds+=(native)
[ -n "$SCEN_WINE_SETUP" ] && builds+=(wine)
if [ ${#names[@]} -eq 0 ]; then
  for dir in "$SCEN_DIR"/*/; do [ -f "$dir/scenario.sh" ] && names+=("$(basename "$dir")"); done
fi

started=$(date +%s)
for name in "${names[@]}"; do
  dir="$SCEN_DIR/$name"
  [ -f "$dir/scenario.sh" ] || { fail "$name: no such scenario"; continue; }
  only=$(only_of "$dir")
  ran=()
  for build in "${builds[@]}"; do
    if [ -n "$only" ] && [ "$only" != "$build" ]; then continue; fi
    run_build "$dir" "$build"
    ran+=("$build")
    report="$work/$name/$build/report.txt"
    if [ "$update" = 1 ]; then continue; fi
    if [ ! -f "$dir/expected.txt" ]; then
      fail "$name ($build): no expected.txt (see $report)"
    elif diff -u "$dir/expected.txt" "$report" >"$work/$name/$build/diff.txt"; then
      pass "$name ($build)"
    else
      fail "$name ($build): report differs from expected.txt"
      sed 's/^/      /' "$work/$name/$build/diff.txt" | head -60
    fi
  done
  if [ "$update" = 1 ] && [ ${#ran[@]} -gt 0 ]; then
    last="${ran[${#ran[@]} - 1]}"
    cp "$work/$name/$last/report.txt" "$dir/expected.txt"
    echo "  wrote $name/expected.txt from the $last run"
    if [ ${#ran[@]} -eq 2 ] && ! diff -q "$work/$name/native/report.txt" "$work/$name/wine/report.txt" >/dev/null; then
      fail "$name: native and Wine reports differ"
      diff -u "$work/$name/wine/report.txt" "$work/$name/native/report.txt" | sed 's/^/      /' | head -60
    fi
  fi
  if [ -n "$SCEN_WINE_SETUP" ] && ! pristine_wine_intact; then
    fail "$name: a run wrote into a file of the pristine Wine prefix; it is made again"
    rm -rf "$pristine_wine"
    make_pristine_wine || { echo "FAILED: no Wine prefix"; break; }
  fi
done
echo "scenarios took $(( $(date +%s) - started )) s on: ${builds[*]}"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
