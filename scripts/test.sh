#!/usr/bin/env bash
# Sets up, builds and runs every test; then builds the tests a second time under
# AddressSanitizer and UndefinedBehaviorSanitizer and runs them again; then a third time under
# ThreadSanitizer for the layers without Qt; then runs each fuzzer for a minute. Fails on any
# failure, sanitizer report or fuzzer finding.
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

# The threads of the link, the line hooks, the tools' workers and the command-line programs,
# without Qt (whose own libraries are not built for ThreadSanitizer).
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1"
scripts/setup.sh build-tsan -DORBEX_TSAN=ON -DORBEX_WITH_QT=OFF -DORBEX_WITH_BENCHMARKS=OFF
ctest --test-dir build-tsan --output-on-failure -j "$(nproc)"

# Every fuzzer for about a minute, from the seeds in fuzz/seeds (and ../shared/corpus when it
# is there); scripts/fuzz.sh SECONDS runs them longer.
scripts/fuzz.sh 60

# The Debian package from build/: lintian finds no error, and its programs run from a
# throwaway root.
deb=$(scripts/package.sh build | sed -n 's/^package: //p')
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg -x "$deb" "$root"
"$root/usr/bin/orbex-dump" --help >/dev/null
echo "test: $deb installs and its programs run"
