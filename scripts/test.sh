#!/usr/bin/env bash
# Builds and runs every test: a plain build, a build under AddressSanitizer and
# UndefinedBehaviorSanitizer, and a short libFuzzer run of every fuzz target.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# A shared machine limits the build with CMAKE_BUILD_PARALLEL_LEVEL; otherwise every core.
jobs=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-30}

echo "== plain build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_WERROR=ON -DQUELVAR_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== AddressSanitizer + UndefinedBehaviorSanitizer"
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DQUELVAR_WERROR=ON -DQUELVAR_SANITIZE=ON >/dev/null
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

echo "== fuzzing, ${fuzz_seconds} s per target"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUELVAR_FUZZ=ON >/dev/null
cmake --build build-fuzz -j "$jobs"
for target in build-fuzz/*_fuzz; do
  [ -f "$target" ] && [ -x "$target" ] || continue  # the corpus folders end in _fuzz too
  corpus="build-fuzz/corpus-$(basename "$target")"
  mkdir -p "$corpus"
  echo "-- $(basename "$target")"
  "$target" -max_total_time="$fuzz_seconds" -max_len=4096 -print_final_stats=0 "$corpus" 2>&1 | tail -n 3
done
echo "all tests passed"
