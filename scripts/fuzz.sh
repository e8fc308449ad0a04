#!/usr/bin/env bash
# Runs every libFuzzer target for FUZZ_SECONDS seconds (default 60) on its corpus in
# fuzz/corpus/NAME (seeded from the repository's examples when present).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-60}
export QT_QPA_PLATFORM=offscreen
for f in "$BUILD"/fuzz/fuzz_*; do
  [ -x "$f" ] || continue
  name=$(basename "$f")
  corpus="fuzz/corpus/$name"
  mkdir -p "$corpus"
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  echo "== $name ($SECONDS_EACH s)"
  "$f" -max_total_time="$SECONDS_EACH" -rss_limit_mb=4096 "${dict[@]}" "$corpus" 2>&1 | tail -n 3
done
