#!/usr/bin/env bash
# The settings dialog under Wine on Xvfb (bench/settings_dialog_*_bench.cpp):
# the time from starting Glintra.scr /c to the dialog painted on the screen,
# beside a bare Win32 window's start (medians and their ratio), and the cost
# of one Form_Resize painting of the window's and the panel's gradients (put on
# the screen with the controls over them), at 96 and at 144 dpi.
# Reported, never asserted.
#
# BENCH_RUNS starts of each program (default 10). WINDOWS_BUILD names the
# Windows build folder (default build/windows).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
build=$(cd "$build" && pwd)
windows_build=${WINDOWS_BUILD:-$build/windows}
bench=$windows_build/bench
for program in "$bench/glintra_dialog_start_bench.exe" "$bench/glintra_dialog_paint_bench.exe" \
               "$bench/glintra_bare_window.exe" "$windows_build/bin/Glintra.scr"; do
  [ -f "$program" ] || { echo "bench-settings: build first (make build)" >&2; exit 1; }
done
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

state=$build/bench-settings-env
"$root/scripts/test-env.sh" start "$state" --wine "$windows_build/wine-template" 2>/dev/null
trap '"$root/scripts/test-env.sh" stop "$state"' EXIT
"$root/scripts/test-env.sh" run "$state" -- "$bench/glintra_dialog_start_bench.exe" \
  "$(windows_path "$windows_build/bin/Glintra.scr")" \
  "$(windows_path "$bench/glintra_bare_window.exe")" "${BENCH_RUNS:-10}" | tr -d '\r'
echo "-- at 96 dpi"
"$root/scripts/test-env.sh" run "$state" -- "$bench/glintra_dialog_paint_bench.exe" | tr -d '\r'
# At 144 dpi the surfaces have half as many rows again (Wine reads LogPixels
# when a program starts).
"$root/scripts/test-env.sh" run "$state" -- reg.exe add 'HKCU\Control Panel\Desktop' \
  /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
echo "-- at 144 dpi"
"$root/scripts/test-env.sh" run "$state" -- "$bench/glintra_dialog_paint_bench.exe" | tr -d '\r'
