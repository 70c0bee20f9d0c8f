#!/usr/bin/env bash
# Makes the reproducible vm8140-sim recordings used by screenshots and tests:
#   native.rec / native.truth.jsonl   150-byte native records, 120 s at 1 Hz
#   nmea.rec   / nmea.truth.jsonl     NMEA epochs with the receiver's own sentences, 120 s
#   mixed.rec  / mixed.truth.jsonl    native + 4-channel + NMEA in each epoch, 30 s
#   handheld.rec                      the handheld viewer's GGA/GSA/GSV/RMC stream, 60 s
#   south-west.rec                    NMEA in the southern and western hemispheres, 30 s
#   cold-start.rec                    NMEA with a cold start at the first epoch (no fix, then fix)
# Usage: scripts/make_recordings.sh OUTPUT_DIR [PATH_TO_vm8140-sim]
set -euo pipefail

if [[ $# -lt 1 ]]; then
    echo "usage: $0 OUTPUT_DIR [PATH_TO_vm8140-sim]" >&2
    exit 2
fi
out=$1
here=$(cd "$(dirname "$0")/.." && pwd)
sim=${2:-}
if [[ -z $sim ]]; then
    for candidate in "$here"/build/sim/vm8140-sim "$here"/build-*/sim/vm8140-sim; do
        if [[ -x $candidate ]]; then
            sim=$candidate
            break
        fi
    done
fi
if [[ -z $sim || ! -x $sim ]]; then
    echo "$0: vm8140-sim not found; build it (cmake --build build --target vm8140-sim) or pass its path" >&2
    exit 2
fi
mkdir -p "$out"

common=(--stdout --fast --start 2026-06-01T12:00:00)
"$sim" "${common[@]}" --seed 7 --duration 120 --format native \
    --truth "$out/native.truth.jsonl" </dev/null >"$out/native.rec"
"$sim" "${common[@]}" --seed 7 --duration 120 --format nmea --extra \
    --truth "$out/nmea.truth.jsonl" </dev/null >"$out/nmea.rec"
"$sim" "${common[@]}" --seed 7 --duration 30 --format mixed \
    --truth "$out/mixed.truth.jsonl" </dev/null >"$out/mixed.rec"
"$sim" "${common[@]}" --seed 7 --duration 60 --handheld </dev/null >"$out/handheld.rec"
"$sim" "${common[@]}" --seed 11 --duration 30 --south --west --lat 33.8688 --lon 151.2093 \
    --speed-kmh 40 --heading 135 </dev/null >"$out/south-west.rec"
printf '@CD\r\n' | "$sim" "${common[@]}" --seed 7 --duration 60 --ttff-cold 20 >"$out/cold-start.rec"

echo "recordings written to $out:"
ls -l "$out"
