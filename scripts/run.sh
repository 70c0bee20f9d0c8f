#!/usr/bin/env bash
# Sets up and builds Orbex, starts the stand-in receiver vm8140-sim on a pseudo-terminal (moving
# at 36 km/h on a heading of 60 degrees, so that the Velocity window has vectors to show) and
# runs Orbex with that port first in its port list, a fresh settings file that connects at
# start, and a fresh program directory. It opens the five monitor windows and places them
# beside the main window without overlap.
#
# With a display, Orbex runs until you close it. Without one, it runs under Xvfb, writes a
# screenshot of its windows to out/orbex-screen.png after a few seconds, says where, and quits
# Orbex the way a user would (the End key), so that the settings file then holds CONNECT = 1.
#
# Usage: scripts/run.sh [BUILD_DIR]      (ORBEX_RUN_SECONDS: how long the headless run waits)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${1:-build}

ORBEX_TARGETS="orbex vm8140-sim" scripts/setup.sh "$build_dir" >"${TMPDIR:-/tmp}/orbex-run-build.log" ||
    { tail -30 "${TMPDIR:-/tmp}/orbex-run-build.log" >&2; exit 1; }

work_name=orbex-run
. "$root/scripts/background_jobs.sh"
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"

# The stand-in receiver, NMEA and native records, on a pseudo-terminal reached through a link.
port="$work/vm8140"
"$root/$build_dir/sim/vm8140-sim" --link "$port" --format mixed --speed-kmh 36 --heading 60 \
    >"$work/sim.out" 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [ -e "$port" ] && break
    sleep 0.1
done
if [ ! -e "$port" ]; then
    echo "run: vm8140-sim did not open its pseudo-terminal:" >&2
    cat "$work/sim.out" >&2
    exit 1
fi
echo "run: vm8140-sim on $(readlink -f "$port") (linked as $port)"

export ORBEX_SERIAL_PORTS="$port"
export ORBEX_REGISTRY="$work/ORBEX.reg"
export ORBEX_HOME="$work/home"
export XDG_RUNTIME_DIR="$work/runtime"
echo "run: settings file $ORBEX_REGISTRY, program directory $ORBEX_HOME"
# The stored CONNECT flag makes Orbex connect while its main window is created.
cat >"$ORBEX_REGISTRY" <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\VELMAR\ORBEX\CONFIG]
"CONNECT"=dword:00000001
EOF

# xdotool talks to the X server; its complaints (a window gone before a key's release, a
# server without a window manager) are not Orbex's and are not shown.
xdo() { xdotool "$@" 2>/dev/null; }
find_window() { xdo search --name "^$1\$" | head -1; }

titles=("Orbex 2003" "General Information" "Satellite Constellation" "Position Plot"
    "Console" "Velocity")
# Opens the five monitor windows with their keys in the main window ('1'-'4', 'A' for
# Velocity), then places the six windows in rows no wider than $1 pixels, $2 pixels apart
# across and $3 pixels apart down (room for title bars when a window manager draws them).
# Sets extent_right and extent_bottom to the corner of what they cover. A screen narrower than
# about 1950 pixels takes a third row, which may reach below its bottom edge.
open_and_place_windows() {
    local width=$1 gap_x=$2 gap_y=$3
    local x=$gap_x y=$gap_y row_height=0 id w h title
    xdo key --window "$main_window" 1 2 3 4 a
    for _ in $(seq 50); do
        [ -n "$(find_window Velocity)" ] && break
        sleep 0.1
    done
    sleep 0.5
    extent_right=0
    extent_bottom=0
    for title in "${titles[@]}"; do
        id=$(find_window "$title")
        [ -n "$id" ] || continue
        read -r w h < <(xdo getwindowgeometry "$id" | awk '/Geometry/ { sub("x", " ", $2); print $2 }')
        if ((x > gap_x && x + w > width)); then
            x=$gap_x
            y=$((y + row_height + gap_y))
            row_height=0
        fi
        xdo windowmove "$id" "$x" "$y"
        ((x + w > extent_right)) && extent_right=$((x + w))
        ((y + h > extent_bottom)) && extent_bottom=$((y + h))
        x=$((x + w + gap_x))
        ((h > row_height)) && row_height=$h
    done
    return 0
}

wait_for_main_window() {
    main_window=""
    for _ in $(seq 50); do
        main_window=$(find_window "Orbex 2003")
        [ -n "$main_window" ] && return 0
        kill -0 "$orbex_pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

if [ -n "${DISPLAY:-}" ]; then
    echo "run: starting Orbex; it connects at once and opens its monitor windows"
    "$root/$build_dir/app/orbex" &
    orbex_pid=$!
    pids+=("$orbex_pid")
    if wait_for_main_window; then
        screen_width=$(xdo getdisplaygeometry | cut -d' ' -f1)
        open_and_place_windows "${screen_width:-1920}" 8 40
    fi
    wait "$orbex_pid" || true
    exit 0
fi

# Headless: a virtual screen wide enough for the six windows in two rows, white behind them so
# that the windows (without a window manager, without frames) stand apart.
start_xvfb 99 2000x1100x24 -wr
"$root/$build_dir/app/orbex" >"$work/orbex.log" 2>&1 &
orbex_pid=$!
pids+=("$orbex_pid")
if ! wait_for_main_window; then
    echo "run: Orbex showed no main window; its output:" >&2
    cat "$work/orbex.log" >&2
    exit 1
fi
open_and_place_windows 2000 12 12
sleep "${ORBEX_RUN_SECONDS:-6}"

shot="$root/out/orbex-screen.png"
mkdir -p "$root/out"
geometry="$((extent_right + 12))x$((extent_bottom + 12))+0+0"
xwd -display "$DISPLAY" -root -silent | convert xwd:- -crop "$geometry" +repage "$shot"
echo "run: screenshot of the windows written to $shot"
if ! kill -0 "$orbex_pid" 2>/dev/null; then
    echo "run: Orbex ended early; its output:" >&2
    cat "$work/orbex.log" >&2
    exit 1
fi
# Quit as a user would (the End key), so that Orbex stores CONNECT = 1 for the next start.
# Orbex is this script's own child: wait reaps it the moment it ends.
started=$(date +%s%N)
xdo key --window "$main_window" End || true
(sleep 5 && kill "$orbex_pid" 2>/dev/null) &
watchdog=$!
wait "$orbex_pid" || true
kill "$watchdog" 2>/dev/null || true
echo "run: Orbex stopped $(( ($(date +%s%N) - started) / 1000000 )) ms after the End key"
echo "run: the settings file after the run:"
cat "$ORBEX_REGISTRY"
