#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test through ctest.
#   ./test.sh [ctest options]       the ordinary build and suite (fuzz corpora replayed too)
#   ./test.sh --sanitize [options]  the whole suite built with AddressSanitizer and
#                                   UndefinedBehaviorSanitizer (gcc), in build-sanitize/; the
#                                   reports of every process, children included, are collected
#                                   and any report fails the run
#   ./test.sh --fuzz SECONDS        every fuzz target under libFuzzer (clang) for SECONDS each,
#                                   in build-fuzz/, starting from the corpora in fuzz/corpus/
set -euo pipefail
top="$(cd "$(dirname "$0")" && pwd)"
mode=plain
if [[ "${1:-}" == "--sanitize" ]]; then
  mode=sanitize
  shift
elif [[ "${1:-}" == "--fuzz" ]]; then
  mode=fuzz
  seconds="${2:?--fuzz needs the number of seconds per target}"
  shift 2
fi
"$top/scripts/install-deps.sh"

run_suite() {
  # Tests that need a display get one X server for the whole run; the rest run offscreen.
  xvfb-run -a -s "-screen 0 1920x1080x24 -nolisten tcp -noreset" \
    ctest --output-on-failure --timeout "${TALVORIN_TEST_TIMEOUT:-300}" -j 2 "$@"
}

case "$mode" in
plain)
  "$top/scripts/build.sh"
  cd "${TALVORIN_BUILD_DIR:-$top/build}"
  run_suite "$@"
  ;;
sanitize)
  build="${TALVORIN_BUILD_DIR:-$top/build-sanitize}"
  TALVORIN_BUILD_DIR="$build" TALVORIN_CMAKE_OPTIONS="-DTALVORIN_SANITIZE=ON" "$top/scripts/build.sh"
  reports="$build/sanitizer-reports"
  rm -rf "$reports" && mkdir -p "$reports"
  # log_path sends each process's report to a file of its own (name.pid), so the reports of
  # child processes (the program started by a test, a flashing tool) are kept too.
  export ASAN_OPTIONS="log_path=$reports/asan:fast_unwind_on_malloc=0:detect_leaks=${TALVORIN_DETECT_LEAKS:-1}:detect_stack_use_after_return=1"
  export LSAN_OPTIONS="suppressions=$top/scripts/sanitizer/lsan-system.supp:print_suppressions=0"
  export UBSAN_OPTIONS="log_path=$reports/ubsan:print_stacktrace=1:halt_on_error=0"
  # Full-stack unwinding at every allocation deadlocks once Mesa's llvmpipe has registered its
  # JIT code with libgcc's unwinder (the unwinder allocates while holding its own lock, and the
  # allocation unwinds again). The tests on the X server therefore draw with Qt Quick's
  # software renderer, as the program itself does where there is no graphics hardware.
  export QT_QUICK_BACKEND=software
  cd "$build"
  status=0
  TALVORIN_TEST_TIMEOUT=900 run_suite "$@" || status=$?
  if compgen -G "$reports/*" >/dev/null; then
    echo "Sanitizer reports:"
    for report in "$reports"/*; do
      echo "==== $report"
      cat "$report"
    done
    exit 1
  fi
  echo "No sanitizer reports."
  exit "$status"
  ;;
fuzz)
  "$top/scripts/install-deps.sh" "$top/scripts/packages-fuzz.txt"
  build="${TALVORIN_BUILD_DIR:-$top/build-fuzz}"
  CC=clang CXX=clang++ TALVORIN_BUILD_DIR="$build" TALVORIN_CMAKE_OPTIONS="-DTALVORIN_FUZZ=ON" \
    TALVORIN_BUILD_TARGET=fuzz_all "$top/scripts/build.sh"
  status=0
  for corpus in "$top"/fuzz/corpus/*/; do
    name="$(basename "$corpus")"
    # New inputs go to a folder of the build, the repository's seeds are only read.
    found="$build/fuzz-found/$name"
    mkdir -p "$found" "$build/fuzz-crashes"
    echo "== fuzz_$name for $seconds s"
    ASAN_OPTIONS="detect_leaks=0" "$build/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/fuzz-crashes/$name-" -print_final_stats=1 "$found" "$corpus" 2>&1 \
      | tee "$build/fuzz-$name.log" | grep -E "^(#[0-9]+ *DONE|stat::number_of_executed_units|==[0-9]+==ERROR|SUMMARY)" || true
    if grep -qE "==[0-9]+==ERROR|^SUMMARY|property broken|deadly signal" "$build/fuzz-$name.log"; then
      echo "fuzz_$name found a fault; see $build/fuzz-$name.log and $build/fuzz-crashes/"
      status=1
    fi
  done
  exit "$status"
  ;;
esac
