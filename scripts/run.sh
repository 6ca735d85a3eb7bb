#!/usr/bin/env bash
# Runs the renderer the way a user sees it.
#
#   run.sh windows   Glintra.dll through Wine (make run)
#   run.sh native    the native freeglut renderer (make run-native)
#
# With a display ($DISPLAY set) it runs there until Escape. Without one it
# runs on a virtual display for RUN_SECONDS (default 5), saves a screenshot
# to build/screenshots/ and ends the renderer with Escape.
set -euo pipefail

mode=${1:-windows}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
build=$(cd "$build" && pwd)
make_glow=$build/native/host/resources/glintra_make_glow
seconds=${RUN_SECONDS:-5}

case $mode in
  windows) renderer=$build/windows/bin/Glintra.dll ;;
  native) renderer=$build/native/bin/glintra-renderer ;;
  *) echo "usage: $0 windows|native" >&2; exit 2 ;;
esac
[ -x "$make_glow" ] && [ -f "$renderer" ] || { echo "run: build first (make build)" >&2; exit 1; }

wine64_bin() { command -v wine64 || echo /usr/lib/wine/wine64; }

# The glow texture goes where the renderer reads it: C:\q_vane in the Wine
# prefix, /tmp/q_vane natively.
write_glow() {
  local prefix=${1:-}
  if [ "$mode" = windows ]; then
    mkdir -p "$prefix/drive_c/q_vane"
    "$make_glow" "$prefix/drive_c/q_vane/Glintra.bmp"
  else
    mkdir -p /tmp/q_vane
    "$make_glow" /tmp/q_vane/Glintra.bmp
  fi
}

if [ -n "${DISPLAY:-}" ]; then
  if [ "$mode" = windows ]; then
    prefix=${WINEPREFIX:-$HOME/.wine}
    [ -f "$prefix/system.reg" ] || WINEPREFIX=$prefix "$(wine64_bin)" wineboot -i
    write_glow "$prefix"
    echo "run: Glintra.dll on $DISPLAY (Wine prefix $prefix); Escape ends it" >&2
    exec env WINEPREFIX="$prefix" "$(wine64_bin)" "$renderer"
  fi
  write_glow
  echo "run: $renderer on $DISPLAY; Escape ends it" >&2
  exec "$renderer"
fi

# No display: a virtual one, a few seconds of animation, a screenshot.
state=$build/run-env
env_args=()
[ "$mode" = windows ] && env_args=(--wine "$build/windows/wine-template")
"$root/scripts/test-env.sh" start "$state" "${env_args[@]}" --screen "${RUN_SCREEN:-1024x768}"
trap '"$root/scripts/test-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"
write_glow "${WINEPREFIX:-}"

"$root/scripts/test-env.sh" run "$state" -- "$renderer" &
pid=$!
sleep "$seconds"
mkdir -p "$build/screenshots"
shot=$build/screenshots/glintra-$mode.png
import -window root "$shot"
xdotool key Escape || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "run: the renderer did not end on Escape" >&2
  kill "$pid" 2>/dev/null || true
  status=1
else
  status=0
  wait "$pid" || status=$?
fi
echo "run: screenshot saved to $shot (renderer exit status $status)"
exit "$status"
