#!/usr/bin/env bash
# The package checker's table of broken packages (tests/infcheck/table.sh)
# on the native build, and the example package checked clean.
# usage: infcheck.sh PATH-TO-SETUP   (infcheck is taken from beside it)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
checker="$(cd "$(dirname "$1")" && pwd)/infcheck"
machine=$(mktemp -d)
trap 'rm -rf "$machine"' EXIT
source "$here/../infcheck/table.sh"
run_infcheck_table "$checker" --machine "$machine"
failed=$?
example="$(dirname "$checker")/example/APP.INF"
if output=$("$checker" --machine "$machine" "$example") && [ "$output" = "$example: 0 errors, 0 warnings" ]; then
  echo "  ok   example package clean"
else
  echo "  FAIL example package: $output"; failed=$((failed + 1))
fi
[ "$failed" -eq 0 ]
