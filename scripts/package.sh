#!/usr/bin/env bash
# Builds the Debian package orbex_<version>_<arch>.deb into out/ and runs lintian on it when
# lintian is installed (any error fails). A new BUILD_DIR (default build-package/) is set up
# as a Release build; an existing one keeps its settings (CPack strips the programs).
# Usage: scripts/package.sh [BUILD_DIR]   (standard output: "package: PATH"; the rest goes to
# standard error)
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=${1:-build-package}
if [ -f "$build_dir/CMakeCache.txt" ]; then
    cmake -S . -B "$build_dir" >/dev/null
else
    cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORBEX_WITH_BENCHMARKS=OFF \
        >/dev/null
fi
cmake --build "$build_dir" -j "$(nproc)" >&2
out_dir=$PWD/out
mkdir -p "$out_dir"
(cd "$build_dir" && cpack -G DEB -B "$out_dir" >/dev/null)
rm -rf "$out_dir/_CPack_Packages"
deb=$(ls -t "$out_dir"/orbex_*.deb | head -1)
echo "package: $deb"
if command -v lintian >/dev/null; then
    # Errors fail the build; warnings are shown.
    lintian --fail-on error "$deb" >&2
fi
