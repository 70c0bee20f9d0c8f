#!/usr/bin/env bash
# Sets up, builds and runs every test; then builds the tests a second time under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them again. Fails on any failure or
# sanitizer report.
set -euo pipefail
cd "$(dirname "$0")/.."

export QT_QPA_PLATFORM=offscreen
scripts/setup.sh build
ctest --test-dir build --output-on-failure -j "$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp
scripts/setup.sh build-sanitize -DORBEX_SANITIZE=ON -DORBEX_WITH_BENCHMARKS=OFF
ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
