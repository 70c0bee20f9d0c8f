#!/usr/bin/env bash
# Runs OrbexCE under Xvfb against vm8140-sim --handheld standing at COM3, presses "Scan" as a
# user would, and writes the dialog's screen once the receiver has been found and its fix
# painted. Usage: scripts/orbexce_screenshot.sh [BUILD_DIR] [OUT_PNG]
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build}
out=${2:-docs/screenshots/orbexce-screen.png}
for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "screenshot.sh: $tool is needed" >&2; exit 2; }
done

work_name=orbexce-shot
. scripts/background_jobs.sh

"$build_dir/sim/vm8140-sim" --handheld >"$work/sim.out" 2>"$work/sim.err" &
pids+=($!)
start_xvfb $((90 + RANDOM % 400)) 400x400x24
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
port=$(head -1 "$work/sim.out")

# COM1 and COM2 have no device, so start-up says "Open Com1 Error" and the scan fails them.
ORBEXCE_PORTS="/nonexistent/com1:/nonexistent/com2:$port" "$build_dir/handheld/orbexce" &
pids+=($!)
sleep 2
xdotool key Return  # the start-up message box
sleep 1
window=$(xdotool search --name '^OrbexCE$' | tail -1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + 19)) $((Y + 17)) click 1  # "Scan"
sleep 8
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
echo "$out"
