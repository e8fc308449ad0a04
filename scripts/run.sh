#!/usr/bin/env bash
# Starts the program on the bundled welcome document: the window when it is built and a
# display is available, otherwise the command line's summary of the document.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
DOC=examples/welcome.zvt
if [ -x "$BUILD/app/quillon" ]; then
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display; starting under xvfb-run" >&2
    exec xvfb-run -a "$BUILD/app/quillon" "$DOC"
  fi
  exec "$BUILD/app/quillon" "$DOC"
fi
exec "$BUILD/cli/quillon-cli" info "$DOC"
