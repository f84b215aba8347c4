#!/bin/bash
# Damaged control files, installed whole: every run must end by itself with
# a documented exit code, without a signal or a sanitizer report. A fixed
# seed keeps the cases the same from run to run; MUTATION_CASES and
# MUTATION_SEED widen the search by hand.
# Usage: mutated_control_files.sh <path of the native setup binary>
set -u
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d "${SETUP_BINARY_DIR:-/tmp}/e2e-mutated-XXXXXX")"
python3 "$here/mutated_control_files.py" "$1" "${SETUP_SOURCE_DIR:-$here/../..}" "$work" \
  --cases "${MUTATION_CASES:-150}" --seed "${MUTATION_SEED:-1}"
status=$?
# Failing control files stay for the report; a clean run leaves nothing.
[ $status -eq 0 ] && rm -rf "$work"
exit $status
