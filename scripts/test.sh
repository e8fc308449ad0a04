#!/usr/bin/env bash
# Builds and runs the whole test suite headless: the format check, the main build (every layer,
# window tests under xvfb-run), then every layer again built by clang under AddressSanitizer and
# UBSan, with a short run of each fuzz target from that build (FUZZ_SMOKE_SECONDS, default 5).
set -euo pipefail
cd "$(dirname "$0")/.."
JOBS=$(nproc)
LAUNCHER=""
if command -v ccache >/dev/null 2>&1; then
  LAUNCHER="-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"
  # Paths relative to the checkout, so a fresh clone elsewhere reuses earlier compiles.
  export CCACHE_BASEDIR="$PWD"
fi

echo "== format"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
else
  find . -path './build*' -prune -o \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 clang-format --dry-run --Werror
fi

echo "== main build"
# A test executable that fails is run once more: a timing fault of a loaded machine passes the
# second time, a real fault fails twice. Either way its failures are printed, the window tests'
# again at the end of their output.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $LAUNCHER >/dev/null
cmake --build build -j "$JOBS"
(cd build && ctest --output-on-failure --repeat until-pass:2 -j "$JOBS")

echo "== sanitizer build (clang, AddressSanitizer + UndefinedBehaviorSanitizer, every layer, fuzz targets)"
# -O1 -g1: fast enough tests and line numbers in reports, at a fraction of full debug info's cost.
CC=clang-14 CXX=clang++-14 cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
  -DQUILLON_SANITIZE=ON -DQUILLON_FUZZ=ON -DQUILLON_BENCH=OFF $LAUNCHER >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ctest --output-on-failure --repeat until-pass:2 -j "$JOBS")

echo "== fuzz smoke run"
bash scripts/fuzz.sh build-asan "${FUZZ_SMOKE_SECONDS:-5}"
