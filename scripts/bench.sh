#!/usr/bin/env bash
# Runs every benchmark executable of a Release build; each compares against its own
# baseline in the same run (see bench/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
