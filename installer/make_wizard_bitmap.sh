#!/usr/bin/env bash
# Remakes wizard.bmp, the picture on the left of the installer's finish page
# (164 x 314 pixels, as the wizard wants it): the middle of the README's
# screenshot of the running saver, where the sparks circle.
#
#   installer/make_wizard_bitmap.sh [OUTPUT]     (default: beside this script)
#
# Needs ImageMagick (scripts/setup.sh installs it). The output is committed.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
out=${1:-$here/wizard.bmp}
# A 314-pixel-high strip of the 800 x 600 screenshot's middle, keeping the
# ring of sparks whole in height, then cut to the wizard's width.
convert "$root/docs/screenshot.png" -gravity center -crop 300x574+0+0 +repage \
  -resize 164x314^ -gravity center -extent 164x314 -type TrueColor BMP3:"$out"
echo "make_wizard_bitmap: wrote $out" >&2
