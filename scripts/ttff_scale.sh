#!/usr/bin/env bash
# Scale of orbex-ttff: one process driving RECEIVERS simulated receivers (default 32) at once,
# each on its own pseudo-terminal (or, with --ser2net, each behind ser2net on 127.0.0.1 and
# reached through tcp://), while they wait for fixes. Prints orbex-ttff's CPU over the window
# as a share of one core, and its resident memory (peak and at the end).
# Usage: scripts/ttff_scale.sh [BUILD_DIR] [RECEIVERS] [SECONDS] [--ser2net]
set -euo pipefail
build=${1:-build}
receivers=${2:-32}
seconds=${3:-30}
via=${4:-}
sim=$build/sim/vm8140-sim
ttff=$build/cli/orbex_ttff/orbex-ttff
work_name=orbex-ttff-scale
. "$(dirname "$0")/background_jobs.sh"

ports=()
config=""
for i in $(seq "$receivers"); do
    # A fix far beyond the window: every receiver waits for one the whole time.
    "$sim" --rate 1 --ttff-cold 3600 --link "$work/pty$i" >/dev/null &
    pids+=($!)
done
for i in $(seq "$receivers"); do
    for _ in $(seq 100); do [ -e "$work/pty$i" ] && break; sleep 0.05; done
    if [ "$via" = --ser2net ]; then
        port=$((30000 + i))
        config+="connection: &r$i
  accepter: tcp,127.0.0.1,$port
  connector: serialdev,$(readlink -f "$work/pty$i"),9600n81,local
"
        ports+=(--port "tcp://127.0.0.1:$port")
    else
        ports+=(--port "$work/pty$i")
    fi
done
if [ "$via" = --ser2net ]; then
    printf '%s' "$config" >"$work/ser2net.yaml"
    ser2net -n -u -c "$work/ser2net.yaml" -P "$work/ser2net.pid" &
    pids+=($!)
    sleep 1
fi

"$ttff" "${ports[@]}" --mode cold --count 1 >/dev/null 2>"$work/err" &
runner=$!
pids+=($runner)
sleep 3  # connected, reset sent: from here on every receiver waits for its fix
ticks=$(getconf CLK_TCK)
cpu() { awk '{print $14 + $15}' "/proc/$runner/stat"; }
start=$(cpu)
sleep "$seconds"
end=$(cpu)
peak=$(awk '/VmHWM/ {print $2}' "/proc/$runner/status")
now=$(awk '/VmRSS/ {print $2}' "/proc/$runner/status")
kill -INT "$runner"
wait "$runner" 2>/dev/null || true
awk -v r="$receivers" -v s="$seconds" -v c=$((end - start)) -v t="$ticks" -v p="$peak" -v n="$now" \
    -v via="${via:-direct}" 'BEGIN {
        printf "orbex-ttff, %d receivers (%s), %d s waiting for fixes: CPU %.2f %% of one core, RSS %.1f MB (peak %.1f MB)\n",
               r, via, s, 100 * c / t / s, n / 1024, p / 1024 }'
