#!/usr/bin/env bash
# End to end through a real serial device server: ser2net serves vm8140-sim's pseudo-terminal on
# 127.0.0.1 with a raw TCP and an RFC 2217 accepter. orbex-dump prints lines through both,
# orbex-ttff runs a series and orbex-data an almanac round trip through tcp://, and a ser2net
# stopped and started again has lines flowing again by themselves.
# Usage: ser2net_test.sh SIM DUMP TTFF DATA. Exits 77 (skipped) when ser2net is not installed.
set -euo pipefail
sim=$1 dump=$2 ttff=$3 data=$4
command -v ser2net >/dev/null || { echo "ser2net is not installed; skipped"; exit 77; }
dir=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

read -r raw rfc < <(python3 -c '
import socket
s = [socket.socket() for _ in range(2)]
for x in s: x.bind(("127.0.0.1", 0))
print(*[x.getsockname()[1] for x in s])')

"$sim" --rate 5 --ttff-cold 2 --link "$dir/pty" >/dev/null &
pids+=($!)
for _ in $(seq 50); do [ -e "$dir/pty" ] && break; sleep 0.1; done
[ -e "$dir/pty" ] || fail "the simulator made no pseudo-terminal"
pty=$(readlink -f "$dir/pty")
cat >"$dir/ser2net.yaml" <<YAML
connection: &raw
  accepter: tcp,127.0.0.1,$raw
  connector: serialdev,$pty,9600n81,local
connection: &rfc
  accepter: telnet(rfc2217),tcp,127.0.0.1,$rfc
  connector: serialdev,$pty,9600n81,local
YAML
start_ser2net() {
    ser2net -n -u -c "$dir/ser2net.yaml" -P "$dir/ser2net.pid" &
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
    out=$(timeout 30 "$dump" --port "$address" --count 5 --seconds 15 2>"$dir/err") ||
        fail "orbex-dump through $address: $(cat "$dir/err")"
    [ "$(grep -c '^\$' <<<"$out")" -eq 5 ] || fail "orbex-dump through $address printed: $out"
    sleep 0.5  # ser2net lets the port go before the next client
done
grep -q "refused\|did not answer" "$dir/err" && fail "ser2net refused RFC 2217: $(cat "$dir/err")"

timeout 60 "$ttff" --port "tcp://127.0.0.1:$raw" --mode cold --count 1 --json >"$dir/ttff" \
    2>"$dir/err" || fail "orbex-ttff through tcp://: $(cat "$dir/err")"
grep -q '"ttff"' "$dir/ttff" || fail "orbex-ttff measured nothing: $(cat "$dir/ttff")"
sleep 0.5

timeout 60 "$data" get almanac --port "tcp://127.0.0.1:$raw" --file "$dir/AL.DAT" --timeout 20 \
    2>"$dir/err" || fail "orbex-data get through tcp://: $(cat "$dir/err")"
[ -s "$dir/AL.DAT" ] || fail "orbex-data stored no almanac"
sleep 0.5
timeout 60 "$data" put almanac --port "tcp://127.0.0.1:$raw" --file "$dir/AL.DAT" --timeout 20 \
    2>"$dir/err" || fail "orbex-data put through tcp://: $(cat "$dir/err")"
sleep 0.5

# ser2net goes away for a second and comes back: the same orbex-dump goes on printing.
timeout 30 "$dump" --port "tcp://127.0.0.1:$raw" --seconds 8 >"$dir/lines" 2>"$dir/err" &
reader=$!
sleep 2
kill "$server"
wait "$server" 2>/dev/null || true
sleep 1
start_ser2net
wait "$reader" || fail "orbex-dump across the restart: $(cat "$dir/err")"
grep -q "is gone" "$dir/err" || fail "the loss was not reported: $(cat "$dir/err")"
grep -q "is open again" "$dir/err" || fail "the link did not come back: $(cat "$dir/err")"
after=$(sed -n '/./p' "$dir/lines" | wc -l)
[ "$after" -gt 10 ] || fail "too few lines across the restart ($after)"
echo "ok"
