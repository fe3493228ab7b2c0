#!/usr/bin/env bash
# The store kill test at length: ROUNDS (default 2000) SIGKILLs of a process writing the
# store files, each followed by a check that every file is whole. Builds what it needs.
#   scripts/kill-test.sh [ROUNDS]
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
build="${TALVORIN_BUILD_DIR:-$top/build}"
TALVORIN_BUILD_TARGET=test_store_kill "$top/scripts/build.sh"
cmake --build "$build" --target store_writer
cd "$build"
TALVORIN_KILL_ROUNDS="${1:-2000}" QT_QPA_PLATFORM=offscreen ./tests/store/test_store_kill
