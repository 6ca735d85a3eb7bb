#!/usr/bin/env bash
# The saver's own cost under Wine on Xvfb: Glintra.scr /s beside Glintra.dll
# for BENCH_SAVER_SECONDS (default 30), then the CPU time (user + system) and
# peak resident memory (VmHWM) of the host and of the renderer, read from
# /proc just before Escape ends the run; and the time from the host's start
# to the renderer's window and to its first frame on the screen (the screen
# polled, so that figure is as coarse as one screen grab).
#
# WINDOWS_BUILD names the Windows build folder (default build/windows),
# BENCH_SAVER_SCREEN the screen (default 1024x768).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
build=$(cd "$build" && pwd)
windows_build=${WINDOWS_BUILD:-$build/windows}
seconds=${BENCH_SAVER_SECONDS:-30}
screen=${BENCH_SAVER_SCREEN:-1024x768}
host=$windows_build/bin/Glintra.scr
[ -f "$host" ] && [ -f "$windows_build/bin/Glintra.dll" ] ||
  { echo "bench-saver: build first (make build)" >&2; exit 1; }

state=$build/bench-saver-env
"$root/scripts/test-env.sh" start "$state" --wine "$windows_build/wine-template" \
  --screen "$screen" 2>/dev/null
trap '"$root/scripts/test-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"

# A name the two programs agree on, from the header where it is written.
contract() {
  sed -n "s/^constexpr char $1\[\] = \"\(\\\\\\\\\)\?\(.*\)\";.*/\2/p" "$root/shared/program_contract.h"
}
title=$(contract kRendererWindowTitle)
host_name=$(contract kHostFile) renderer_name=$(contract kRendererFile)

now() { date +%s.%N; }
# A Wine program's Linux process, by the name Wine gives it, in this prefix.
pid_of() {
  local pid
  for pid in $(pgrep -x "$1"); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qx "WINEPREFIX=$WINEPREFIX"; then
      echo "$pid"; return
    fi
  done
}
cpu_seconds() {
  local ticks
  ticks=$(awk '{print $14 + $15}' "/proc/$1/stat")
  printf '%.2f' "$(echo "scale=3; $ticks / $(getconf CLK_TCK)" | bc)"
}
peak_mib() { awk '/VmHWM/ {printf "%.1f", $2 / 1024}' "/proc/$1/status"; }
elapsed() { printf '%.2f' "$(echo "$2 - $1" | bc)"; }

start=$(now)
"$root/scripts/test-env.sh" run "$state" -- "$host" /s &
runner=$!
window="" frame=""
for _ in $(seq 600); do
  if [ -z "$window" ] && xdotool search --name "^$title\$" >/dev/null 2>&1; then window=$(now); fi
  if [ -n "$window" ] &&
     [ "$(import -window root -resize 64x48 -format '%[fx:maxima>0]' info: 2>/dev/null)" = 1 ]; then
    frame=$(now); break
  fi
  sleep 0.02
done
[ -n "$frame" ] || { echo "bench-saver: the renderer showed no frame" >&2; exit 1; }
sleep "$seconds"

host_pid=$(pid_of "$host_name") renderer_pid=$(pid_of "$renderer_name")
printf 'saver run of %s s, %s, Wine on Xvfb\n' "$seconds" "$screen"
printf '  %-10s CPU %7s s  peak memory %6s MiB\n' \
  host "$(cpu_seconds "$host_pid")" "$(peak_mib "$host_pid")" \
  renderer "$(cpu_seconds "$renderer_pid")" "$(peak_mib "$renderer_pid")"
printf '  host start to renderer window %s s, to its first frame %s s\n' \
  "$(elapsed "$start" "$window")" "$(elapsed "$start" "$frame")"

xdotool key Escape
for _ in $(seq 100); do kill -0 "$runner" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$runner" 2>/dev/null; then
  echo "bench-saver: the host did not end after Escape" >&2
  exit 1
fi
