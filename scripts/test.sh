#!/usr/bin/env bash
# Builds and runs the whole test suite headless: the main build (every layer, GUI tests
# under xvfb-run), then the model layers again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc)
LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  # Paths relative to the checkout, so a fresh clone elsewhere reuses earlier compiles.
  export CCACHE_BASEDIR="$PWD"
fi

echo "== main build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $LAUNCHER >/dev/null
cmake --build build -j "$JOBS"
(cd build && ctest --output-on-failure -j "$JOBS")

echo "== sanitizer build (AddressSanitizer + UndefinedBehaviorSanitizer, model layers)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUILLON_SANITIZE=ON -DQUILLON_MODEL_ONLY=ON \
  -DQUILLON_BENCH=OFF $LAUNCHER >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --output-on-failure -j "$JOBS")
