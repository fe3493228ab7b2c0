#!/usr/bin/env bash
# Configures and builds into ./build (or $TALVORIN_BUILD_DIR). TALVORIN_CMAKE_OPTIONS adds
# configure options, TALVORIN_BUILD_TARGET builds one target instead of everything.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${TALVORIN_BUILD_DIR:-$top/build}"
read -r -a extra <<< "${TALVORIN_CMAKE_OPTIONS:-}"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE="${CMAKE_BUILD_TYPE:-RelWithDebInfo}" "${extra[@]}" >/dev/null
if [[ -n "${TALVORIN_BUILD_TARGET:-}" ]]; then
  cmake --build "$build" -j "$(nproc)" --target "$TALVORIN_BUILD_TARGET"
else
  cmake --build "$build" -j "$(nproc)"
fi
