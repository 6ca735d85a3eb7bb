#!/usr/bin/env bash
# The Command button under Wine on Xvfb: one DrawFace of a design-size
# button, and the time from a pointer move to the new face on the screen
# (bench/command_button_bench.cpp). Reported, never asserted.
#
# WINDOWS_BUILD names the Windows build folder (default build/windows).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
build=$(cd "$build" && pwd)
windows_build=${WINDOWS_BUILD:-$build/windows}
program=$windows_build/bench/glintra_button_bench.exe
[ -f "$program" ] || { echo "bench-button: build first (make build)" >&2; exit 1; }

state=$build/bench-button-env
"$root/scripts/test-env.sh" start "$state" --wine "$windows_build/wine-template" 2>/dev/null
trap '"$root/scripts/test-env.sh" stop "$state"' EXIT
"$root/scripts/test-env.sh" run "$state" -- "$program" "$@" | tr -d '\r'
