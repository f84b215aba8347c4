#!/usr/bin/env bash
# The main job: builds the native installer and installs the bundled example
# package into a fresh simulated Windows machine, then shows what it did.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if ! command -v cmake >/dev/null || ! command -v g++ >/dev/null || [ ! -d /usr/src/googletest ]; then
  scripts/install-deps.sh
fi
cmake --preset native >/dev/null
cmake --build --preset native --target setup example_package >/dev/null

machine="$root/build/example-machine"
rm -rf "$machine" "$machine.before"
# A first run without a control file only lays out the fresh machine.
build/native/setup --machine "$machine" /S "$root/build/no-such-package.inf" >/dev/null 2>&1 || true
cp -a "$machine" "$machine.before"

echo "== installing the example package (examples/) silently into the simulated machine $machine"
status=0
SETUP_NO_SLEEP=1 build/native/setup --machine "$machine" /S "$root/build/native/example/APP.INF" || status=$?
echo
echo "== exit code: $status (0 success, 2 warnings, 3 failure)"
echo "== what changed on the machine:"
diff -rq "$machine.before" "$machine" | sed "s|$machine.before/||; s|$machine/||" || true
if ! cmp -s "$machine.before/registry.reg" "$machine/registry.reg"; then
  echo "== registry changes:"
  diff <(tr -d '\r' < "$machine.before/registry.reg") <(tr -d '\r' < "$machine/registry.reg") || true
fi
log=$(find "$machine" -iname LOGFILKW.LOG -newer "$machine.before" | head -n 1)
if [ -n "$log" ]; then
  echo "== log ${log#$machine/}:"
  tr -d '\r' < "$log"
fi
