#!/usr/bin/env bash
# Runs one Windows test program in a test environment of its own: a virtual
# display and a fresh Wine prefix made for it alone (scripts/test-env.sh),
# stopped and removed when the program ends.
#
#   run_in_own_env.sh TEST_ENV STATE TEMPLATE -- PROGRAM [ARGS...]
set -euo pipefail
[ $# -ge 5 ] && [ "$4" = "--" ] || { sed -n '2,7p' "$0" >&2; exit 2; }
test_env=$1 state=$2 template=$3
shift 4
"$test_env" start "$state" --wine "$template"
trap '"$test_env" stop "$state"' EXIT
"$test_env" run "$state" -- "$@"
