#!/usr/bin/env bash
# Fuzzes the portable BMP decoder (renderer/dib_decode.cpp, dib_pixels.cpp) with libFuzzer.
#
#   scripts/fuzz-dib.sh [SECONDS]      (default 60)
#
# Builds the target with clang 14 (fuzzer, AddressSanitizer, UBSan) in
# build/fuzz, runs it for SECONDS over tests/fuzz/corpus/dib seeded with the
# loader's test bitmaps, then merges what it found into the corpus, keeping
# only inputs that add coverage, so the corpus stays small enough to commit.
# A crash stops the script; the input that caused it is left in build/fuzz.
# The regular test run replays the corpus (dib_corpus_test) without libFuzzer.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
corpus=$root/tests/fuzz/corpus/dib
cxx=${CXX_FUZZ:-clang++-14}

mkdir -p "$build" "$corpus"
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" "$root/renderer/dib_decode.cpp" "$root/renderer/dib_pixels.cpp" \
  "$root/tests/fuzz/dib_decode_fuzzer.cpp" \
  -o "$build/dib_decode_fuzzer"

# The seeds: every test bitmap (not the expected outputs beside them).
seeds=$build/seeds
rm -rf "$seeds" && mkdir -p "$seeds"
cp "$root"/tests/renderer/bitmaps/*.bmp "$root"/tests/renderer/bitmaps/*.dib "$seeds"/

found=$build/found
rm -rf "$found" && mkdir -p "$found"
jobs=$(nproc 2>/dev/null || echo 1)
"$build/dib_decode_fuzzer" -max_total_time="$seconds" -max_len=8192 -timeout=10 \
  -dict="$root/tests/fuzz/dib.dict" -artifact_prefix="$build/" -print_final_stats=1 \
  -fork="$jobs" -ignore_crashes=0 "$found" "$corpus" "$seeds"

merged=$build/merged
rm -rf "$merged" && mkdir -p "$merged"
"$build/dib_decode_fuzzer" -merge=1 "$merged" "$corpus" "$found" "$seeds" 2>"$build/merge.log"
rm -f "$corpus"/*
cp "$merged"/* "$corpus"/
echo "fuzz-dib: $(ls "$corpus" | wc -l) inputs, $(du -sh "$corpus" | cut -f1) in $corpus"
