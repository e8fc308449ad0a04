#!/usr/bin/env bash
# Runs every benchmark of a Release build; each compares against its own baseline in the same
# run (see bench/README.md).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
export QUILLON_SOURCE_DIR="$PWD"
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" --benchmark_counters_tabular=true
done
echo "== render_vs_mpl"
/usr/bin/python3 bench/render_vs_mpl.py "$BUILD/cli/quillon-cli"
echo "== phase_mpl (baseline of bench_colour_map)"
/usr/bin/python3 bench/phase_mpl.py
