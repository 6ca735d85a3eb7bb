#!/usr/bin/env bash
# The settings dialog under Wine on Xvfb (bench/settings_dialog_*_bench.cpp):
# the time from starting Glintra.scr /c to the dialog painted on the screen,
# beside a bare Win32 window's start (a window with a line of text in the
# dialog's font; medians and their ratio); the peak memory (VmHWM of the
# program's Linux process, read from /proc) of each with its window open
# (medians and their ratio); and the cost of one Form_Resize painting of the
# window's and the panel's gradients (put on the screen with the controls over
# them), at 96 and at 144 dpi. Reported, never asserted.
#
# BENCH_RUNS starts of each program for the time (default 10),
# BENCH_MEMORY_RUNS for the memory (default 3). WINDOWS_BUILD names the
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

# Peak memory with the window open: the program started alone, its window
# looked for on the X display by its title, its VmHWM read a second after it
# showed (the painting done), then its window closed.
# shellcheck disable=SC1091
. "$state/env"
# A Wine program's Linux process in this prefix, by the name Wine gives it
# (the first 15 characters of the file's name).
pid_of() {
  local pid name=${1:0:15}
  for pid in $(pgrep -x "$name"); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"; return
    fi
  done
}
# Prints the peak in KiB, or nothing when the window never showed.
peak_kib_open() {
  local program=$1 title=$2 runner pid="" peak=""
  shift 2
  "$root/scripts/test-env.sh" run "$state" -- "$program" "$@" >/dev/null 2>&1 &
  runner=$!
  for _ in $(seq 300); do
    if xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; then
      sleep 1
      pid=$(pid_of "$(basename "$program")")
      [ -n "$pid" ] && peak=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null)
      break
    fi
    sleep 0.02
  done
  "$root/scripts/test-env.sh" run "$state" -- "$bench/glintra_dialog_start_bench.exe" --close \
    >/dev/null 2>&1
  for _ in $(seq 100); do kill -0 "$runner" 2>/dev/null || break; sleep 0.1; done
  kill "$runner" 2>/dev/null || true
  wait "$runner" 2>/dev/null || true
  echo "$peak"
}
median() { sort -n | awk '{v[NR] = $1} END {if (NR) print v[int(NR / 2) + 1]}'; }
dialog_title=$(sed -n 's/^constexpr char kSettingsDialogCaption\[\] = "\(.*\)";.*/\1/p' \
  "$root/shared/program_contract.h")
bare_peaks="" dialog_peaks=""
for _ in $(seq "${BENCH_MEMORY_RUNS:-3}"); do
  bare_peaks+="$(peak_kib_open "$bench/glintra_bare_window.exe" "Glintra bare window")"$'\n'
  dialog_peaks+="$(peak_kib_open "$windows_build/bin/Glintra.scr" "$dialog_title" /c)"$'\n'
done
bare_peak=$(grep . <<<"$bare_peaks" | median || true)
dialog_peak=$(grep . <<<"$dialog_peaks" | median || true)
report_peak() {
  if [ -n "$2" ]; then
    printf '%-40s median %8.1f MiB   (%d)\n' "$1" "$(echo "scale=2; $2 / 1024" | bc)" \
      "$(grep -c . <<<"$3")"
  else
    printf '%-40s no samples\n' "$1"
  fi
}
report_peak "bare Win32 window: peak memory open" "$bare_peak" "$bare_peaks"
report_peak "Glintra.scr /c: peak memory open" "$dialog_peak" "$dialog_peaks"
if [ -n "$bare_peak" ] && [ -n "$dialog_peak" ]; then
  printf '%-40s %.2f\n' "ratio of the medians (dialog / bare)" \
    "$(echo "scale=4; $dialog_peak / $bare_peak" | bc)"
fi
echo "-- at 96 dpi"
"$root/scripts/test-env.sh" run "$state" -- "$bench/glintra_dialog_paint_bench.exe" | tr -d '\r'
# At 144 dpi the surfaces have half as many rows again (Wine reads LogPixels
# when a program starts).
"$root/scripts/test-env.sh" run "$state" -- reg.exe add 'HKCU\Control Panel\Desktop' \
  /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1
echo "-- at 144 dpi"
"$root/scripts/test-env.sh" run "$state" -- "$bench/glintra_dialog_paint_bench.exe" | tr -d '\r'
