#!/usr/bin/env python3
"""A scripted RFC 2217 (Telnet COM Port Control) server on 127.0.0.1 for tests.

It accepts one client at a time, answers the option negotiation (DO COM-PORT-OPTION, or
DONT with --refuse), agrees to BINARY and SUPPRESS-GO-AHEAD, acknowledges every SET command
except DTR and RTS (as a serial server on a pseudo-terminal does; --modem-acks acknowledges those
too), sends the receiver lines
given with --line (0xFF doubled), and writes one line per event to --record:
"set baudrate 115200", "set datasize 7", ..., "data <hex>" for the client's data bytes.
The port it listens on is printed first. Every wait is bounded by --seconds.
"""
import argparse
import select
import socket
import sys
import time

IAC, DONT, DO, WONT, WILL, SB, SE = 255, 254, 253, 252, 251, 250, 240
BINARY, SGA, COMPORT = 0, 3, 44
NAMES = {1: "baudrate", 2: "datasize", 3: "parity", 4: "stopsize", 5: "control",
         8: "flowsuspend", 9: "flowresume", 10: "linestatemask", 11: "modemstatemask", 12: "purge"}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--record", required=True)
    parser.add_argument("--line", action="append", default=[])
    parser.add_argument("--refuse", action="store_true")
    parser.add_argument("--modem-acks", action="store_true")
    parser.add_argument("--seconds", type=float, default=20.0)
    args = parser.parse_args()

    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", 0))
    listener.listen(1)
    print(listener.getsockname()[1], flush=True)
    record = open(args.record, "w", buffering=1)
    end = time.monotonic() + args.seconds
    while time.monotonic() < end:
        ready, _, _ = select.select([listener], [], [], max(0.0, end - time.monotonic()))
        if not ready:
            break
        client, _ = listener.accept()
        serve(client, args, record, end)
        client.close()


def serve(client, args, record, end):
    data = bytearray()
    sub = None  # the subnegotiation being read; None outside one
    verb = None  # WILL, WONT, DO or DONT waiting for its option byte
    after_iac = False
    sent_lines = False

    def answer(payload):
        client.sendall(bytes(payload))

    def negotiate(verb, option):
        if verb == WILL and option == COMPORT:
            answer([IAC, DONT if args.refuse else DO, COMPORT])
        elif verb == WILL and option in (BINARY, SGA):
            answer([IAC, DO, option])
        elif verb == DO and option in (BINARY, SGA):
            answer([IAC, WILL, option])
        elif verb == WILL:
            answer([IAC, DONT, option])
        elif verb == DO:
            answer([IAC, WONT, option])

    def com_port_command(sub):
        if len(sub) < 3 or sub[0] != COMPORT:
            return
        command, value = sub[1], bytes(sub[2:])
        number = int.from_bytes(value, "big")
        name = NAMES.get(command, "command%d" % command)
        record.write("set %s %d\n" % (name, number))
        modem_line = command == 5 and number in (8, 9, 11, 12) and not args.modem_acks
        if command in NAMES and not modem_line:
            escaped = value.replace(b"\xff", b"\xff\xff")
            answer(bytes([IAC, SB, COMPORT, command + 100]) + escaped + bytes([IAC, SE]))

    while time.monotonic() < end:
        ready, _, _ = select.select([client], [], [], min(0.2, max(0.0, end - time.monotonic())))
        if not ready:
            if not sent_lines:
                # The negotiation is over: the receiver speaks.
                for line in args.line:
                    raw = line.encode("latin-1").decode("unicode_escape").encode("latin-1")
                    answer(raw.replace(b"\xff", b"\xff\xff"))
                sent_lines = True
            if data:
                record.write("data " + data.hex() + "\n")
                data.clear()
            continue
        chunk = client.recv(4096)
        if not chunk:
            break
        for byte in chunk:
            if verb is not None:
                negotiate(verb, byte)
                verb = None
            elif not after_iac:
                if byte == IAC:
                    after_iac = True
                else:
                    (data if sub is None else sub).append(byte)
            else:
                after_iac = False
                if byte == IAC:
                    # IAC IAC is one 0xFF, in the data and in a subnegotiation alike.
                    (data if sub is None else sub).append(byte)
                elif sub is not None:
                    # IAC SE (or any other command) ends the subnegotiation.
                    com_port_command(sub)
                    sub = None
                elif byte in (WILL, WONT, DO, DONT):
                    verb = byte
                elif byte == SB:
                    sub = bytearray()
    if data:
        record.write("data " + data.hex() + "\n")


if __name__ == "__main__":
    sys.exit(main())
