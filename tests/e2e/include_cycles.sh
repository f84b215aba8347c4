#!/usr/bin/env bash
# No two core folders include each other's headers, directly or over others:
# a new circle fails here with the includes that close it.
# usage: include_cycles.sh [PATH-TO-SETUP]   (the argument is not used)
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
exec python3 "$here/../../scripts/include_cycles.py" "${SETUP_SOURCE_DIR:-$here/../..}"
