#!/usr/bin/env bash
# What reaches the X display, which no Windows-side capture shows: under Wine
# a GDI read of the screen gives the window's own copy of its pixels, even
# when its GL frames never reach X. Starts glut_win32_test in its full-screen
# child mode (red frames) and takes screenshots until the whole screen is red.
#
#   glut_win32_screen_test.sh TEST_ENV STATE TEST_PROGRAM
set -euo pipefail
test_env=$1 state=$2 program=$3

# In the background, its output unwanted: nothing may hold ctest's pipe open.
"$test_env" run "$state" -- "$program" --child fullscreen </dev/null >/dev/null 2>&1 &
child=$!
trap 'kill "$child" 2>/dev/null || true' EXIT
# shellcheck disable=SC1091
. "$state/env"

shot=$(mktemp --suffix=.png)
trap 'kill "$child" 2>/dev/null || true; rm -f "$shot"' EXIT
seen=""
for _ in $(seq 100); do
  sleep 0.1
  import -window root "$shot" 2>/dev/null || continue
  # Smallest red, largest green and blue over the whole screen: "1 0 0" when
  # every pixel is pure red.
  seen=$(convert "$shot" -format '%[fx:minima.r] %[fx:maxima.g] %[fx:maxima.b]' info:)
  if [ "$seen" = "1 0 0" ]; then
    echo "glut_win32_screen_test: the full-screen GL window covers the X screen"
    exit 0
  fi
done
echo "glut_win32_screen_test: screen never all red (min red, max green, max blue: $seen)" >&2
exit 1
