#!/usr/bin/env python3
"""RFC 2217 against the scripted server: orbex-dump sets the line from its port options and
passes records with 0xFF and CR unchanged both ways; a server that refuses the option is
reported in words and still read; and, when Debian's python3-serial is there, its RFC 2217
client checks the scripted server itself. Usage: rfc2217_test.py ORBEX_DUMP"""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
DUMP = sys.argv.pop(1) if len(sys.argv) > 1 else "orbex-dump"


class ScriptedServer:
    def __init__(self, directory, *extra):
        self.record = os.path.join(directory, "record.txt")
        self.process = subprocess.Popen(
            [sys.executable, os.path.join(HERE, "rfc2217_server.py"), "--record", self.record,
             "--seconds", "20"] + list(extra), stdout=subprocess.PIPE, text=True)
        self.port = int(self.process.stdout.readline())

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=10)
        with open(self.record) as record:
            return record.read().splitlines()


class Rfc2217Test(unittest.TestCase):
    def test_orbex_dump_sets_the_line_and_passes_binary_bytes(self):
        with tempfile.TemporaryDirectory() as directory:
            server = ScriptedServer(directory, "--line", r"$GPGGA,\xff\r,1\r\n",
                                    "--line", r"second\r\n")
            run = subprocess.run(
                [DUMP, "--port", "rfc2217://127.0.0.1:%d" % server.port, "--speed", "115200",
                 "--parity", "even", "--data-bits", "7", "--stop-bits", "2", "--rtscts",
                 b"--send", b"@A\xff", "--count", "1", "--seconds", "10"],
                capture_output=True, timeout=30)
            record = server.stop()
            self.assertEqual(run.returncode, 0, run.stderr)
            # The 0xFF and the lone CR are data, framed as a serial port's line would be:
            # unprintable, so the first line is dropped and the second is printed.
            self.assertEqual(run.stdout, b"second\r\n")
            for expected in ("set baudrate 115200", "set datasize 7", "set parity 3",
                             "set stopsize 2", "set control 3"):
                self.assertIn(expected, record)
            self.assertIn("data " + b"@A\xff\r\n".hex(), record)

    def test_a_refusing_server_is_reported_and_still_read(self):
        with tempfile.TemporaryDirectory() as directory:
            server = ScriptedServer(directory, "--refuse", "--line", r"$GPGGA,1\r\n")
            run = subprocess.run(
                [DUMP, "--port", "rfc2217://127.0.0.1:%d" % server.port, "--count", "1",
                 "--seconds", "10"], capture_output=True, timeout=30)
            record = server.stop()
            self.assertEqual(run.returncode, 0, run.stderr)
            self.assertEqual(run.stdout, b"$GPGGA,1\r\n")
            self.assertIn(b"refused the COM port option", run.stderr)
            self.assertFalse([line for line in record if line.startswith("set ")])

    def test_the_scripted_server_against_an_independent_client(self):
        try:
            import serial  # Debian python3-serial
        except ImportError:
            self.skipTest("python3-serial is not installed")
        with tempfile.TemporaryDirectory() as directory:
            server = ScriptedServer(directory, "--modem-acks", "--line", r"hello\r\n")
            port = serial.serial_for_url("rfc2217://127.0.0.1:%d" % server.port,
                                         baudrate=4800, bytesize=7, parity="O", timeout=5)
            port.write(b"x\xffy")
            self.assertEqual(port.readline(), b"hello\r\n")
            port.close()
            record = server.stop()
            self.assertIn("set baudrate 4800", record)
            self.assertIn("set datasize 7", record)
            self.assertIn("set parity 2", record)
            self.assertIn("data " + b"x\xffy".hex(), record)


if __name__ == "__main__":
    unittest.main()
