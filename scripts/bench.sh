#!/usr/bin/env bash
# make bench: the particle field's per-frame cost (Google Benchmark, one
# core), then frames per second of the real GL path beside a clear-and-swap
# program, natively and under Wine, at 320x240, 1024x768 and 1920x1080 on
# Xvfb (no vsync: the real path keeps its own pace of 60, where the GPU is
# fast enough, as at the small size; clear-and-swap has no pace); the
# saver run beside the renderer; the Command button's painting and its
# pointer-to-face time under Wine; the settings dialog's start and its
# Form_Resize painting under Wine.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD:-$root/build}
build=$(cd "$build" && pwd)
seconds=${BENCH_SECONDS:-10}
make_glow=$build/native/host/resources/glintra_make_glow

# The native renderer's fixed bitmap path is shared with the tests of every
# checkout.
if [ -z "${GLINTRA_FIXED_PATH_LOCKED:-}" ]; then
  GLINTRA_FIXED_PATH_LOCKED=1 exec "$root/scripts/test-env.sh" locked -- "$0" "$@"
fi

echo "== particle field, one core"
taskset -c 0 "$build/native/bench/particle_field_bench" --benchmark_min_time=1

frame_rates() {
  local kind=$1 program=$2 size=$3
  local state=$build/bench-env
  local env_args=(--screen "$size")
  [ "$kind" = windows ] && env_args+=(--wine "$build/windows/wine-template")
  "$root/scripts/test-env.sh" start "$state" "${env_args[@]}" 2>/dev/null
  # shellcheck disable=SC1091
  ( . "$state/env"
    if [ "$kind" = windows ]; then
      mkdir -p "$WINEPREFIX/drive_c/q_vane"
      "$make_glow" "$WINEPREFIX/drive_c/q_vane/Glintra.bmp"
    else
      "$make_glow"  # to the native renderer's fixed path
    fi
    for mode in clear full; do
      printf '%-8s ' "$kind"
      "$root/scripts/test-env.sh" run "$state" -- "$program" "$mode" "$seconds" | tr -d '\r'
    done ) || true
  "$root/scripts/test-env.sh" stop "$state"
}

echo "== frame rate on Xvfb (Mesa software rendering), $seconds s each"
for size in 320x240 1024x768 1920x1080; do
  frame_rates native "$build/native/bench/glintra_frame_rate" "$size"
  frame_rates windows "$build/windows/bench/glintra_frame_rate.exe" "$size"
done

echo "== the saver run: host beside renderer"
"$root/scripts/bench-saver.sh"

echo "== the Command button under Wine"
"$root/scripts/bench-button.sh"

echo "== the settings dialog under Wine"
"$root/scripts/bench-settings.sh"
