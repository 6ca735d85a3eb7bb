#!/usr/bin/env bash
# Runs the screen saver the way a user sees it.
#
#   run.sh windows   the real saver through Wine: Glintra.scr /s, which writes
#                    the glow bitmap and starts Glintra.dll beside it (make run)
#   run.sh native    the native freeglut renderer alone (make run-native)
#   run.sh settings  the settings dialog through Wine: Glintra.scr /c
#                    (make settings)
#
# With a display ($DISPLAY set) it runs there until Escape (the dialog: until
# it is closed). Without one it runs on a virtual display for RUN_SECONDS
# (default 5), saves a screenshot to build/screenshots/, presses Escape and
# checks that the program ended (for the saver: the host, which ends only
# once the renderer has gone). The dialog is shot as soon as it is up, then
# closed with Alt+F4, its close command, which writes nothing.
# WINDOWS_BUILD names another Windows build folder (default build/windows).
set -euo pipefail

mode=${1:-windows}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
build=$(cd "$build" && pwd)
make_glow=$build/native/host/resources/glintra_make_glow
seconds=${RUN_SECONDS:-5}

windows_build=${WINDOWS_BUILD:-$build/windows}
case $mode in
  windows|settings)
    program=$windows_build/bin/Glintra.scr
    [ -f "$program" ] && [ -f "$windows_build/bin/Glintra.dll" ] ||
      { echo "run: build first (make build)" >&2; exit 1; } ;;
  native)
    program=$build/native/bin/glintra-renderer
    [ -x "$make_glow" ] && [ -f "$program" ] ||
      { echo "run: build first (make build)" >&2; exit 1; } ;;
  *) echo "usage: $0 windows|native|settings" >&2; exit 2 ;;
esac

wine64_bin() { command -v wine64 || echo /usr/lib/wine/wine64; }

# The native renderer reads the glow texture from its fixed path, which the
# generator writes by default; tests of every checkout use it too, so the
# native run holds the fixed-path lock. Under Wine the host writes the
# texture itself.
if [ "$mode" = native ] && [ -z "${GLINTRA_FIXED_PATH_LOCKED:-}" ]; then
  GLINTRA_FIXED_PATH_LOCKED=1 exec "$root/scripts/test-env.sh" locked -- "$0" "$@"
fi
write_glow() { "$make_glow"; }

if [ -n "${DISPLAY:-}" ]; then
  if [ "$mode" = windows ]; then
    prefix=${WINEPREFIX:-$HOME/.wine}
    [ -f "$prefix/system.reg" ] || WINEPREFIX=$prefix "$(wine64_bin)" wineboot -i
    echo "run: the saver on $DISPLAY (Wine prefix $prefix); Escape ends it" >&2
    exec env WINEPREFIX="$prefix" "$(wine64_bin)" "$program" /s
  fi
  if [ "$mode" = settings ]; then
    prefix=${WINEPREFIX:-$HOME/.wine}
    [ -f "$prefix/system.reg" ] || WINEPREFIX=$prefix "$(wine64_bin)" wineboot -i
    echo "run: the settings dialog on $DISPLAY (Wine prefix $prefix); settings go to" \
         "$(dirname "$program")/Glintra.ini" >&2
    exec env WINEPREFIX="$prefix" "$(wine64_bin)" "$program" /c
  fi
  write_glow
  echo "run: $program on $DISPLAY; Escape ends it" >&2
  exec "$program"
fi

# No display: a virtual one, a few seconds of animation, a screenshot.
state=$build/run-env
env_args=()
[ "$mode" != native ] && env_args=(--wine "$windows_build/wine-template")
"$root/scripts/test-env.sh" start "$state" "${env_args[@]}" --screen "${RUN_SCREEN:-1024x768}"
trap '"$root/scripts/test-env.sh" stop "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"
args=()
case $mode in
  windows) args=(/s) ;;
  settings) args=(/c) ;;
  native) write_glow ;;
esac

if [ "$mode" = settings ]; then
  "$root/scripts/test-env.sh" run "$state" -- "$program" "${args[@]}" &
  pid=$!
  # The dialog is up once its window, captioned "<Glintra>", is on the
  # display; its painting follows at once.
  window=""
  for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name '^<Glintra>$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$window" ]; then
    echo "run: the settings dialog did not open" >&2
    kill "$pid" 2>/dev/null || true
    exit 1
  fi
  sleep 1
  mkdir -p "$build/screenshots"
  shot=$build/screenshots/glintra-settings.png
  import -window "$window" "$shot"
  xdotool windowfocus "$window" key alt+F4 || true
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$pid" 2>/dev/null; then
    echo "run: the settings dialog did not close on Alt+F4" >&2
    kill "$pid" 2>/dev/null || true
    status=1
  else
    status=0
    wait "$pid" || status=$?
  fi
  echo "run: screenshot saved to $shot (Glintra.scr /c exit status $status)"
  exit "$status"
fi

"$root/scripts/test-env.sh" run "$state" -- "$program" "${args[@]}" &
pid=$!
sleep "$seconds"
mkdir -p "$build/screenshots"
shot=$build/screenshots/glintra-$mode.png
import -window root "$shot"
xdotool key Escape || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$pid" 2>/dev/null; then
  echo "run: $(basename "$program") did not end on Escape" >&2
  kill "$pid" 2>/dev/null || true
  status=1
else
  status=0
  wait "$pid" || status=$?
fi
echo "run: screenshot saved to $shot ($(basename "$program") exit status $status)"
exit "$status"
