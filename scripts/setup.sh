#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, test and run Orbex, then configures and
# builds it. Usage: scripts/setup.sh [BUILD_DIR] [extra cmake arguments...]
#        scripts/setup.sh --packages-only
# ORBEX_FUZZ_SETUP=1 (set by scripts/fuzz.sh) adds clang and its fuzzer runtime.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake ninja-build pkg-config ccache
    libgtest-dev libgmock-dev libbenchmark-dev rapidjson-dev
    qt6-base-dev libgl-dev
    fonts-liberation fonts-ipafont-gothic fontconfig locales
    xvfb xauth x11-apps xdotool imagemagick
    file lintian python3
    ser2net python3-serial gpsd-clients
)
if [ "${ORBEX_FUZZ_SETUP:-0}" = 1 ]; then
    packages+=(clang libclang-rt-dev)
fi
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "setup: installing ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" >/dev/null
fi

if [ "${1:-}" = --packages-only ]; then
    exit 0
fi
build_dir=${1:-build}
shift || true
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
# ORBEX_TARGETS (space-separated) builds only those targets, e.g. for the run script.
targets=()
for t in ${ORBEX_TARGETS:-}; do
    targets+=(--target "$t")
done
cmake --build "$build_dir" -j "$(nproc)" "${targets[@]}"
