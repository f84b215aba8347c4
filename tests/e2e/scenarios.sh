#!/bin/bash
# The installation scenarios of tests/scenarios/ on the native setup: each
# runs on a fresh simulated machine and must give its expected report.
# Usage: scenarios.sh <path of the native setup binary> [NAME...]
set -u
setup="$1"
shift
work="${SETUP_BINARY_DIR:-/tmp}/scenarios-native"
rm -rf "$work"
exec bash "${SETUP_SOURCE_DIR:-$(dirname "$0")/../..}/tests/scenarios/run.sh" \
  --native "$setup" --work "$work" "$@"
