#!/usr/bin/env bash
# What Orbex costs while it watches a receiver, measured from outside under Xvfb: the time from
# start to the main window, the CPU of the Orbex process over SECONDS (default 60) with its five
# monitor windows open on a 1 Hz vm8140-sim stream (NMEA and native records, as the demo runs
# it), and its resident memory at the end. Then the latency from a line's last byte at the port
# to the paint that shows it, for each of the five monitor windows, by orbex-soak --latency on
# the same X server.
# With --peer it also measures, over the same seconds and on the same X server, the CPU of
# gpsd's xgps showing the same simulator's NMEA epochs at 1 Hz, fed by gpsfake from a test log
# written here (Debian packages gpsd and gpsd-clients; skipped with a note when missing); the
# peer is stopped before the latency is measured.
# Usage: scripts/cost.sh BUILD_DIR [SECONDS] [--peer]
#        (BUILD_DIR built with orbex, vm8140-sim, orbex-soak)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:?usage: scripts/cost.sh BUILD_DIR [SECONDS] [--peer]}
seconds=${2:-60}
peer=${3:-}

work_name=orbex-cost
. scripts/background_jobs.sh
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
xdo() { xdotool "$@" 2>/dev/null; }

export XDG_RUNTIME_DIR="$work/runtime"
start_xvfb 77 2000x1100x24

port="$work/vm8140"
"$build/sim/vm8140-sim" --link "$port" --format mixed --speed-kmh 36 --heading 60 >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 50); do
    [ -e "$port" ] && break
    sleep 0.1
done
export ORBEX_SERIAL_PORTS="$port" ORBEX_REGISTRY="$work/ORBEX.reg" ORBEX_HOME="$work/home"
printf 'Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\VELMAR\\ORBEX\\CONFIG]\n"CONNECT"=dword:00000001\n' >"$ORBEX_REGISTRY"

ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

started=$(date +%s%N)
"$build/app/orbex" >"$work/orbex.log" 2>&1 &
orbex=$!
pids+=("$orbex")
main=""
for _ in $(seq 1000); do
    main=$(xdo search --onlyvisible --name '^Orbex 2003$' | head -1 || true)
    [ -n "$main" ] && break
    sleep 0.01
done
shown=$(date +%s%N)
[ -n "$main" ] || { echo "cost: no main window" >&2; cat "$work/orbex.log" >&2; exit 1; }
echo "start to main window: $(((shown - started) / 1000000)) ms"

xgps=""
if [ "$peer" = --peer ]; then
    if command -v gpsfake >/dev/null && command -v xgps >/dev/null; then
        # The test log: the simulator's own NMEA epochs, one hour of them; gpsfake sends one
        # sentence every 1/n s, n sentences an epoch, so xgps sees an epoch a second.
        "$build/sim/vm8140-sim" --stdout --fast --duration 3600 --format nmea --extra \
            --speed-kmh 36 --heading 60 </dev/null >"$work/peer.log"
        per_epoch=$(awk -F, '/^\$GPGGA/ { n++ } END { print n }' "$work/peer.log")
        cycle=$(awk -v l="$(wc -l <"$work/peer.log")" -v e="$per_epoch" 'BEGIN { printf "%.4f", e / l }')
        gpsport=$((20000 + $$ % 10000))
        gpsfake -q -c "$cycle" -P "$gpsport" -W 7200 "$work/peer.log" >"$work/gpsfake.log" 2>&1 &
        gpsfake=$!
        pids+=("$gpsfake")
        sleep 2
        xgps "localhost:$gpsport" >"$work/xgps.log" 2>&1 &
        xgps=$!
        pids+=("$xgps")
    else
        echo "peer: gpsfake or xgps missing (Debian gpsd, gpsd-clients); not measured"
    fi
fi

xdo key --window "$main" 1 2 3 4 a
sleep 10 # windows open, first epochs drawn
before=$(cpu_ticks "$orbex")
[ -z "$xgps" ] || peer_before=$(cpu_ticks "$xgps")
sleep "$seconds"
after=$(cpu_ticks "$orbex")
awk -v t=$((after - before)) -v hz="$ticks" -v s="$seconds" \
    'BEGIN { printf "CPU over %d s with five windows open: %.2f s, %.2f %% of a core\n", s, t / hz, 100 * t / hz / s }'
if [ -n "$xgps" ]; then
    peer_after=$(cpu_ticks "$xgps")
    awk -v t=$((peer_after - peer_before)) -v o=$((after - before)) -v hz="$ticks" -v s="$seconds" \
        'BEGIN { printf "xgps CPU over the same %d s: %.2f s, %.2f %% of a core; Orbex uses %.2f of it\n", s, t / hz, 100 * t / hz / s, t ? o / t : 0 }'
fi
echo "resident memory: $(awk '/VmRSS/ { print $2, $3 }' "/proc/$orbex/status")"
echo "monitor windows open: $( (xdo search --onlyvisible --name '^(General Information|Satellite Constellation|Position Plot|Console|Velocity)$' || true) | wc -l)"
kill "$orbex"
# The peer has been measured: it stops, so that the latency below is Orbex's alone and not
# Orbex's sharing the X server with xgps.
if [ -n "$xgps" ]; then
    kill "$xgps" "$gpsfake" 2>/dev/null || true
    wait "$xgps" "$gpsfake" 2>/dev/null || true
fi

"$build/sim/vm8140-sim" --stdout --fast --duration 600 --format mixed --seed 3 </dev/null >"$work/latency.rec"
QT_QPA_PLATFORM=xcb "$build/bench/orbex-soak" --latency "$work/latency.rec" 400 2>/dev/null
