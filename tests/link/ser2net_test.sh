#!/usr/bin/env bash
# End to end through a real serial device server: ser2net serves vm8140-sim's pseudo-terminal on
# 127.0.0.1 with a raw TCP and an RFC 2217 accepter. orbex-dump prints lines through both,
# orbex-ttff runs a series and orbex-data an almanac round trip through tcp://, and a ser2net
# stopped and started again has lines flowing again by themselves.
# Usage: ser2net_test.sh SIM DUMP TTFF DATA. Exits 77 (skipped) when ser2net is not installed.
set -euo pipefail
sim=$1 dump=$2 ttff=$3 data=$4
command -v ser2net >/dev/null || { echo "ser2net is not installed; skipped"; exit 77; }
work_name=orbex-ser2net
. "$(dirname "$0")/../../scripts/background_jobs.sh"
fail() { echo "FAIL: $*" >&2; exit 1; }

read -r raw rfc < <(python3 -c '
import socket
s = [socket.socket() for _ in range(2)]
for x in s: x.bind(("127.0.0.1", 0))
print(*[x.getsockname()[1] for x in s])')

"$sim" --rate 5 --ttff-cold 2 --link "$work/pty" >/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$work/pty" ] && break; sleep 0.1; done
[ -e "$work/pty" ] || fail "the simulator made no pseudo-terminal"
pty=$(readlink -f "$work/pty")
cat >"$work/ser2net.yaml" <<YAML
connection: &raw
  accepter: tcp,127.0.0.1,$raw
  connector: serialdev,$pty,9600n81,local
connection: &rfc
  accepter: telnet(rfc2217),tcp,127.0.0.1,$rfc
  connector: serialdev,$pty,9600n81,local
YAML
start_ser2net() {
    ser2net -n -u -c "$work/ser2net.yaml" -P "$work/ser2net.pid" &
    server=$!
    pids+=($server)
    for _ in $(seq 50); do
        (exec 3<>"/dev/tcp/127.0.0.1/$raw") 2>/dev/null && return 0
        sleep 0.1
    done
    fail "ser2net did not listen"
}
start_ser2net
sleep 0.5  # the probe connection above has gone

for address in "tcp://127.0.0.1:$raw" "rfc2217://127.0.0.1:$rfc"; do
    out=$(timeout 30 "$dump" --port "$address" --count 5 --seconds 15 2>"$work/err") ||
        fail "orbex-dump through $address: $(cat "$work/err")"
    [ "$(grep -c '^\$' <<<"$out")" -eq 5 ] || fail "orbex-dump through $address printed: $out"
    sleep 0.5  # ser2net lets the port go before the next client
done
grep -q "refused\|did not answer" "$work/err" && fail "ser2net refused RFC 2217: $(cat "$work/err")"

timeout 60 "$ttff" --port "tcp://127.0.0.1:$raw" --mode cold --count 1 --json >"$work/ttff" \
    2>"$work/err" || fail "orbex-ttff through tcp://: $(cat "$work/err")"
grep -q '"ttff"' "$work/ttff" || fail "orbex-ttff measured nothing: $(cat "$work/ttff")"
sleep 0.5

timeout 60 "$data" get almanac --port "tcp://127.0.0.1:$raw" --file "$work/AL.DAT" --timeout 20 \
    2>"$work/err" || fail "orbex-data get through tcp://: $(cat "$work/err")"
[ -s "$work/AL.DAT" ] || fail "orbex-data stored no almanac"
sleep 0.5
timeout 60 "$data" put almanac --port "tcp://127.0.0.1:$raw" --file "$work/AL.DAT" --timeout 20 \
    2>"$work/err" || fail "orbex-data put through tcp://: $(cat "$work/err")"
sleep 0.5

# ser2net goes away for a second and comes back: the same orbex-dump goes on printing.
timeout 30 "$dump" --port "tcp://127.0.0.1:$raw" --seconds 8 >"$work/lines" 2>"$work/err" &
reader=$!
sleep 2
kill "$server"
wait "$server" 2>/dev/null || true
sleep 1
start_ser2net
wait "$reader" || fail "orbex-dump across the restart: $(cat "$work/err")"
grep -q "is gone" "$work/err" || fail "the loss was not reported: $(cat "$work/err")"
grep -q "is open again" "$work/err" || fail "the link did not come back: $(cat "$work/err")"
after=$(sed -n '/./p' "$work/lines" | wc -l)
[ "$after" -gt 10 ] || fail "too few lines across the restart ($after)"
echo "ok"
