#!/usr/bin/env bash
# Redraws the program's pictures (resources/main_picture.png, hand_cursor.png, orbex_icon.png)
# with orbex-draw-resources, our own drawing code. Usage: scripts/draw_resources.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
[ -f "$build_dir/CMakeCache.txt" ] || cmake -S . -B "$build_dir" -G Ninja >/dev/null
cmake --build "$build_dir" --target orbex-draw-resources
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$build_dir/app/orbex-draw-resources" resources
