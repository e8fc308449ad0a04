#!/usr/bin/env bash
# Runs every libFuzzer target for SECONDS seconds (default 60) on its corpus in
# fuzz/corpus/NAME; the document reader also starts from the bundled examples.
#   scripts/fuzz.sh [BUILD] [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-60}
export QT_QPA_PLATFORM=offscreen
found=0
for f in "$BUILD"/fuzz/fuzz_*; do
  # Only the executables: Qt's automoc folders (fuzz_*_autogen) match the pattern too.
  [ -f "$f" ] && [ -x "$f" ] || continue
  found=$((found + 1))
  name=$(basename "$f")
  corpus="fuzz/corpus/$name"
  mkdir -p "$corpus"
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  seeds=()
  if [ "$name" = fuzz_document ]; then seeds=(examples); fi
  echo "== $name ($SECONDS_EACH s)"
  log=$(mktemp)
  if ! "$f" -max_total_time="$SECONDS_EACH" -rss_limit_mb=4096 "${dict[@]}" "$corpus" "${seeds[@]}" >"$log" 2>&1; then
    cat "$log"
    rm -f "$log"
    echo "fuzz: $name failed" >&2
    exit 1
  fi
  tail -n 1 "$log"
  rm -f "$log"
done
if [ "$found" -eq 0 ]; then
  echo "fuzz: no fuzz targets in $BUILD/fuzz" >&2
  exit 1
fi
