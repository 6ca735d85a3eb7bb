#!/usr/bin/env bash
# The renderer's pace where nothing holds it: a small virtual screen without
# vsync (Xvfb has none), on which software OpenGL draws far more than 60
# frames a second. The GL counts the frames itself (Wine's fps channel under
# Wine, Mesa's HUD natively) while the real renderer runs for a few seconds;
# Escape through the X server ends it. Every count after the first must be at
# most 60 frames a second, give or take a counter's rounding.
# Runs inside its own test environment (GLINTRA_TEST_ENV_STATE, DISPLAY).
#
#   renderer_pace_e2e_test.sh windows TEST_ENV RENDERER MAKE_GLOW
#   renderer_pace_e2e_test.sh native RENDERER MAKE_GLOW
set -euo pipefail
kind=$1
: "${GLINTRA_TEST_ENV_STATE:?run by ctest, through scripts/test-env.sh isolate}"
seconds=6
limit=62
work=$(mktemp -d)
renderer_pid=""
trap 'kill "$renderer_pid" 2>/dev/null || true; rm -rf "$work"' EXIT

if [ "$kind" = windows ]; then
  test_env=$2 renderer=$3 make_glow=$4
  run() { "$test_env" run "$GLINTRA_TEST_ENV_STATE" -- "$@"; }
  mkdir -p "$WINEPREFIX/drive_c/q_vane"
  run "$make_glow" 'C:\q_vane\Glintra.bmp' >/dev/null
  # In the background, its output in a file: nothing may hold ctest's pipe.
  WINEDEBUG=fps run "$renderer" </dev/null >"$work/trace" 2>&1 &
else
  renderer=$2 make_glow=$3
  "$make_glow"  # to the native renderer's fixed path (the test holds its lock)
  # The GL driver's and its HUD's own allocations are still held at exit.
  ASAN_OPTIONS=detect_leaks=0 GALLIUM_HUD=fps GALLIUM_HUD_PERIOD=1 GALLIUM_HUD_DUMP_DIR="$work" \
    "$renderer" </dev/null >"$work/trace" 2>&1 &
fi
renderer_pid=$!
sleep "$seconds"
# The pointer over the window: without a window manager X gives the keys to
# the window under it.
xdotool mousemove 100 100 key Escape
status=0
timeout 20 tail --pid="$renderer_pid" -f /dev/null || status=$?
wait "$renderer_pid" || status=$?

if [ "$kind" = windows ]; then
  rates=$(sed -n 's/.*@ approx \([0-9.]*\)fps.*/\1/p' "$work/trace" | tail -n +2)
else
  rates=$(tail -n +2 "$work/fps" 2>/dev/null || true)
fi
echo "renderer_pace_e2e_test ($kind): frames a second, one count a line after the first:" $rates
[ "$status" = 0 ] || { cat "$work/trace" >&2; echo "the renderer did not end with status 0 on Escape ($status)" >&2; exit 1; }
[ "$(echo "$rates" | wc -w)" -ge 2 ] || { echo "fewer than two counts of the frame rate" >&2; exit 1; }
for rate in $rates; do
  if awk -v r="$rate" -v l="$limit" 'BEGIN { exit !(r > l) }'; then
    echo "the renderer draws $rate frames a second, more than 60" >&2
    exit 1
  fi
done
