#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
set -euo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
"$top/scripts/install-deps.sh"
"$top/scripts/build.sh"
build="${TALVORIN_BUILD_DIR:-$top/build}"
cd "$build"
# Tests that need a display get one X server for the whole run; the rest run offscreen.
exec xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" \
  ctest --output-on-failure --timeout 300 -j 2 "$@"
