#!/usr/bin/env bash
# Fuzzes the decimal reader (host/forms/decimal_number.cpp) with libFuzzer,
# holding every reading to the reference in tests/fuzz/decimal_number_check.cpp.
#
#   scripts/fuzz-decimal.sh [SECONDS]      (default 60)
#
# Builds the target with clang 14 (fuzzer, AddressSanitizer, UBSan) in
# build/fuzz, runs it for SECONDS over tests/fuzz/corpus/decimal seeded with
# the texts below, then merges what it found into the corpus, keeping only
# inputs that add coverage, so the corpus stays small enough to commit.
# A difference or a crash stops the script; the input is left in build/fuzz.
# The regular test run replays the corpus (decimal_corpus_test) without libFuzzer.
set -euo pipefail

seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build/fuzz
corpus=$root/tests/fuzz/corpus/decimal
cxx=${CXX_FUZZ:-clang++-14}

mkdir -p "$build" "$corpus"
"$cxx" -std=c++17 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root" "$root/host/forms/decimal_number.cpp" "$root/tests/fuzz/decimal_number_check.cpp" \
  "$root/tests/fuzz/decimal_number_fuzzer.cpp" \
  -o "$build/decimal_number_fuzzer"

# The seeds: texts the host's callers meet, one file each.
seeds=$build/decimal-seeds
rm -rf "$seeds" && mkdir -p "$seeds"
n=0
for text in "1" " -3 " "+2.5" ".5" "5." "1e3" "1E+2" "25e-1" "1D2" "12e+" "1 2" "- 1" \
  "/p 12 34" "32767.99999999999999999" "-32768.5" "2147483647.5" "1e-400" "1e400" \
  "0e99999999999999999999" "9007199254740993" "1.7976931348623157e308" \
  "2.4703282292062328e-324" "&H10" "1,5" "inf" "nan" "0x10"; do
  printf '%s' "$text" >"$seeds/seed-$n"
  n=$((n + 1))
done
printf '\t1\n2\t' >"$seeds/seed-blanks"
# Past the 768 digits after which the double's reading has to look further.
printf '9007199254740993.%0800d' 0 >"$seeds/seed-long-tie"
printf '9007199254740993.%0800d1' 0 >"$seeds/seed-long-above-tie"

found=$build/decimal-found
rm -rf "$found" && mkdir -p "$found"
jobs=$(nproc 2>/dev/null || echo 1)
"$build/decimal_number_fuzzer" -max_total_time="$seconds" -max_len=2048 -timeout=10 \
  -dict="$root/tests/fuzz/decimal.dict" -artifact_prefix="$build/decimal-" -print_final_stats=1 \
  -fork="$jobs" -ignore_crashes=0 "$found" "$corpus" "$seeds" 2>&1 | tee "$build/decimal-fuzz.log"
# The count of the last status line (#runs: ...) is the runs of all jobs.
runs=$(grep -o '^#[0-9]*' "$build/decimal-fuzz.log" | tail -n 1 | tr -d '#')

merged=$build/decimal-merged
rm -rf "$merged" && mkdir -p "$merged"
"$build/decimal_number_fuzzer" -merge=1 "$merged" "$corpus" "$found" "$seeds" \
  2>"$build/decimal-merge.log"
rm -f "$corpus"/*
cp "$merged"/* "$corpus"/
echo "fuzz-decimal: ${runs:-0} runs in $seconds s; $(ls "$corpus" | wc -l) inputs, $(du -sh "$corpus" | cut -f1) in $corpus"
