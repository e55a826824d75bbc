#!/usr/bin/env bash
# Builds the module, the simulated host and the tests, and runs the whole suite twice:
# once as built for release, once under AddressSanitizer and UndefinedBehaviorSanitizer;
# then, when the mingw-w64 toolchain and Wine are there, the Windows x64 build under Wine
# against the release build (scripts/test-windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF >/dev/null
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

if command -v x86_64-w64-mingw32-g++-posix >/dev/null && command -v wine >/dev/null; then
  scripts/test-windows.sh build
else
  echo "Windows x64 build skipped: no mingw-w64 toolchain or no Wine"
fi
