#!/usr/bin/env bash
# Remakes preview.bmp, the still that the preview form shows: one frame of
# our own renderer, caught a couple of seconds into the animation on a
# virtual display and scaled to the preview's 152 x 112 pixels (24-bit BMP).
#
#   host/resources/make_preview.sh [OUTPUT]     (default: beside this script)
#
# Needs the native build (make build): the renderer and the glow generator.
# The output is committed; the host embeds it, nothing is read at run time.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=${BUILD:-$root/build}
out=${1:-$here/preview.bmp}
renderer=$build/native/bin/glintra-renderer
make_glow=$build/native/host/resources/glintra_make_glow
[ -x "$renderer" ] && [ -x "$make_glow" ] || { echo "make_preview: build first (make build)" >&2; exit 1; }
# The renderer's fixed bitmap path is shared with the tests of every checkout.
if [ -z "${GLINTRA_FIXED_PATH_LOCKED:-}" ]; then
  GLINTRA_FIXED_PATH_LOCKED=1 exec "$root/scripts/test-env.sh" locked -- "$0" "$@"
fi

state=$(mktemp -d "${TMPDIR:-/tmp}/glintra-preview.XXXXXX")
shot=$state/frame.png
# 4:3, as the preview's monitor picture nearly is.
"$root/scripts/test-env.sh" start "$state" --screen 1024x768
trap '"$root/scripts/test-env.sh" stop "$state"; rm -rf "$state"' EXIT
# shellcheck disable=SC1091
. "$state/env"

# Where the native renderer reads it.
"$make_glow"

"$renderer" &
pid=$!
sleep "${PREVIEW_SECONDS:-3}"
import -window root "$shot"
xdotool key Escape || true
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true

# BMP3: the classic BITMAPINFOHEADER layout that LoadImage and our decoder
# read; -type TrueColor keeps it at 24 bits even where the frame has few colours.
convert "$shot" -resize '152x112!' -type TrueColor BMP3:"$out"
echo "make_preview: wrote $out" >&2
