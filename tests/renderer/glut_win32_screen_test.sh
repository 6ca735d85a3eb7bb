#!/usr/bin/env bash
# What reaches the X display, which no Windows-side capture shows: under Wine
# a GDI read of the screen gives the window's own copy of its pixels, even
# when its GL frames never reach X. Starts glut_win32_test in its full-screen
# child mode (red frames) and takes screenshots until the whole screen is red.
# Runs inside its own test environment (GLINTRA_TEST_ENV_STATE, DISPLAY).
#
#   glut_win32_screen_test.sh TEST_ENV TEST_PROGRAM
set -euo pipefail
test_env=$1 program=$2
: "${GLINTRA_TEST_ENV_STATE:?run by ctest, through scripts/test-env.sh isolate}"

# In the background, its output unwanted: nothing may hold ctest's pipe open.
"$test_env" run "$GLINTRA_TEST_ENV_STATE" -- "$program" --child fullscreen </dev/null >/dev/null 2>&1 &
child=$!
shot=$(mktemp --suffix=.png)
trap 'kill "$child" 2>/dev/null || true; rm -f "$shot"' EXIT
seen=""
deadline=$((SECONDS + 60))  # Wine and llvmpipe from cold, on a busy machine
while [ "$SECONDS" -lt "$deadline" ]; do
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
echo "glut_win32_screen_test: the screen never became all red, as the full-screen GL window draws it (min red, max green, max blue: $seen)" >&2
exit 1
