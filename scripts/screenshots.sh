#!/usr/bin/env bash
# Makes the README's screenshots from the current code: vm8140-sim recordings (NMEA and native)
# rendered by orbex-render, and the screen of a headless scripts/run.sh.
# Usage: scripts/screenshots.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
ORBEX_TARGETS="vm8140-sim orbex-render orbex" scripts/setup.sh "$build_dir" >/dev/null

recordings=$(mktemp -d "${TMPDIR:-/tmp}/orbex-shots.XXXXXX")
trap 'rm -rf "$recordings"' EXIT
scripts/make_recordings.sh "$recordings" "$build_dir/sim/vm8140-sim" >/dev/null

out=docs/screenshots
mkdir -p "$out"
render="$build_dir/cli/orbex_render/orbex-render"
names=([0]=general-info [1]=satellites [2]=position-plot [3]=console [13]=velocity)
for kind in 0 1 2 3 13; do
    "$render" "$kind" "$recordings/nmea.rec" --png "$out/${names[$kind]}-nmea.png" 2>/dev/null
done
for kind in 0 1 2; do
    "$render" "$kind" "$recordings/native.rec" --png "$out/${names[$kind]}-native.png" 2>/dev/null
done
# The Position Plot with its accuracy figures (key "C"), zoomed in once, over five minutes.
"$build_dir/sim/vm8140-sim" --stdout --fast --seed 7 --duration 300 --format nmea </dev/null \
    >"$recordings/five-minutes.rec"
"$render" 2 "$recordings/five-minutes.rec" --keys "+C" --png "$out/position-plot-accuracy.png" \
    2>/dev/null
# The Signal History over fifteen minutes of NMEA and of native records (the last ten shown).
for format in nmea native; do
    "$build_dir/sim/vm8140-sim" --stdout --fast --seed 7 --duration 900 --format "$format" \
        </dev/null >"$recordings/fifteen-minutes-$format.rec"
    "$render" signal-history "$recordings/fifteen-minutes-$format.rec" \
        --png "$out/signal-history-$format.png" 2>/dev/null
done
if env -u DISPLAY scripts/run.sh "$build_dir" >/dev/null; then
    cp out/orbex-screen.png "$out/orbex-screen.png"
fi
ls -1 "$out"
