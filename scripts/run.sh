#!/usr/bin/env bash
# Sets up and builds Orbex, starts the stand-in receiver vm8140-sim on a pseudo-terminal and
# runs Orbex with that port first in its port list, a fresh settings file and a fresh program
# directory. Where no display exists, Orbex runs under Xvfb: the script connects it, opens the
# Console window, writes a screenshot of the screen to a PNG after a few seconds, says where,
# and ends. With a display, Orbex runs until you close it (choose Communications > Connect).
#
# Usage: scripts/run.sh [BUILD_DIR]      (ORBEX_RUN_SECONDS: how long the headless run waits)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build_dir=${1:-build}

ORBEX_TARGETS="orbex vm8140-sim" scripts/setup.sh "$build_dir" >"${TMPDIR:-/tmp}/orbex-run-build.log" ||
    { tail -30 "${TMPDIR:-/tmp}/orbex-run-build.log" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/orbex-run.XXXXXX")
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
}
trap cleanup EXIT

# The stand-in receiver, NMEA and native records, on a pseudo-terminal reached through a link.
port="$work/vm8140"
"$root/$build_dir/sim/vm8140-sim" --link "$port" --format mixed >"$work/sim.out" 2>&1 &
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

if [ -n "${DISPLAY:-}" ]; then
    echo "run: starting Orbex; choose Communications > Connect(&C) to see the receiver's lines"
    "$root/$build_dir/app/orbex"
    exit 0
fi

# Headless: a virtual screen. The fresh settings file asks for a connection at start (the
# stored CONNECT flag), so the first screenshot already shows the receiver's lines.
cat >"$ORBEX_REGISTRY" <<'EOF'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\VELMAR\ORBEX\CONFIG]
"CONNECT"=dword:00000001
EOF
display=:99
while [ -e "/tmp/.X11-unix/X${display#:}" ] || [ -e "/tmp/.X${display#:}-lock" ]; do
    display=":$(( ${display#:} + 1 ))"
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done
unset QT_QPA_PLATFORM
"$root/$build_dir/app/orbex" >"$work/orbex.log" 2>&1 &
orbex_pid=$!
pids+=("$orbex_pid")
sleep 2
# Open the Console window with its key ('4') in the main window, where xdotool exists.
if command -v xdotool >/dev/null; then
    window=$(xdotool search --name '^Orbex 2003$' 2>/dev/null | head -1 || true)
    if [ -n "$window" ]; then
        xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus "$window" || true
        xdotool key --window "$window" 4 || true
        # Without a window manager every window opens at the top left: put the Console
        # beside the main window so that the screenshot shows both.
        for _ in $(seq 20); do
            console=$(xdotool search --name '^Console$' 2>/dev/null | head -1 || true)
            [ -n "$console" ] && break
            sleep 0.1
        done
        [ -n "${console:-}" ] && xdotool windowmove "$console" 400 0 || true
    fi
fi
sleep "${ORBEX_RUN_SECONDS:-4}"

shot="$root/out/orbex-screen.png"
mkdir -p "$root/out"
if command -v import >/dev/null; then
    import -display "$display" -window root "$shot"
else
    xwd -display "$display" -root -silent | convert xwd:- "$shot"
fi
echo "run: screenshot of the screen written to $shot"
if ! kill -0 "$orbex_pid" 2>/dev/null; then
    echo "run: Orbex ended early; its output:" >&2
    cat "$work/orbex.log" >&2
    exit 1
fi
# Quit as a user would (the End key), so that Orbex stores CONNECT = 1 for the next start.
if command -v xdotool >/dev/null && [ -n "${window:-}" ]; then
    xdotool key --window "$window" End || true
fi
for _ in $(seq 30); do
    kill -0 "$orbex_pid" 2>/dev/null || break
    sleep 0.1
done
kill "$orbex_pid" 2>/dev/null || true
wait "$orbex_pid" 2>/dev/null || true
echo "run: Orbex stopped"
echo "run: the settings file after the run:"
cat "$ORBEX_REGISTRY"
