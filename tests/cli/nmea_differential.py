#!/usr/bin/env python3
"""Differential test over recordings of other makers' receivers.

Each log is read here independently of the programs, by splitting its sentences on commas, and
compared with what orbex-dump's CSV export and orbex-stats take from it: the same fixes (count,
time of day, latitude and longitude to 2e-6 degrees, altitude to 1 cm) and the same accuracy
figures (CEP50, CEP95, 2DRMS to 1 %).

The reading here: a sentence counts when its checksum (two upper-case hexadecimal digits after
"*") is right. A GGA sentence of the GP, GN, GL, GA, GB or GQ talker is a fix when its quality is
present and not 0, both coordinates are present and are plain numbers with minutes below 60,
latitude at most 90 and longitude at most 180 degrees, the hemispheres are N/S and E/W (either
case), and the altitude, when present, is a number.

Usage: nmea_differential.py ORBEX_DUMP ORBEX_STATS CORPUS_DIR
Exits 77 (skipped) when the corpus is absent.
"""
import glob
import json
import math
import os
import re
import subprocess
import sys

TALKERS = {"GP", "GN", "GL", "GA", "GB", "GQ"}
NUMBER = re.compile(r"[+-]?(\d+(\.\d*)?|\.\d+)")
ANGLE = re.compile(r"\d+(\.\d*)?")
TIME = re.compile(r"(\d\d)(\d\d)(\d\d)(\.\d*)?")


def sentences(path):
    with open(path, "rb") as f:
        data = f.read()
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    for raw in re.split(rb"\r*\n|\r", data):
        raw = raw.strip(b"\0")
        star = raw.rfind(b"*")
        if not raw.startswith(b"$") or star < 0 or len(raw) < star + 3:
            continue
        body, check = raw[1:star], raw[star + 1:star + 3]
        if not re.fullmatch(rb"[0-9A-F]{2}", check):
            continue
        total = 0
        for b in body:
            total ^= b
        if total != int(check, 16):
            continue
        yield body.decode("latin-1").split(",")


def angle(text, limit):
    if not ANGLE.fullmatch(text):
        return None
    value = float(text)
    degrees = math.floor(value / 100)
    minutes = value - degrees * 100
    if minutes >= 60:
        return None
    result = degrees + minutes / 60
    return None if result > limit else result


def fixes_of(path):
    fixes = []
    for f in sentences(path):
        tag = f[0]
        if len(tag) != 5 or tag[:2] not in TALKERS or tag[2:] != "GGA" or len(f) < 10:
            continue
        when, lat, ns, lon, ew, quality, alt = f[1], f[2], f[3], f[4], f[5], f[6], f[9]
        if quality in ("", "0") or lat == "" or lon == "":
            continue
        la, lo = angle(lat, 90), angle(lon, 180)
        if la is None or lo is None or ns not in "NnSs" or ew not in "EeWw" or not ns or not ew:
            continue
        if alt != "" and not NUMBER.fullmatch(alt):
            continue
        m = TIME.fullmatch(when)
        valid = m and int(m.group(1)) < 24 and int(m.group(2)) < 60 and int(m.group(3)) < 60
        fixes.append({
            "time": "%s:%s:%s" % m.group(1, 2, 3) if valid else "",
            "lat": -la if ns in "Ss" else la,
            "lon": -lo if ew in "Ww" else lo,
            "alt": float(alt) if alt != "" else None,
        })
    return fixes


def wrap(d):
    d = math.fmod(d, 360.0)
    return d - 360 if d > 180 else d + 360 if d < -180 else d


def accuracy(fixes):
    n = len(fixes)
    lat0 = sum(f["lat"] for f in fixes) / n
    first = fixes[0]["lon"]
    lon0 = wrap(first + sum(wrap(f["lon"] - first) for f in fixes) / n)
    a, fl = 6378137.0, 1 / 298.257223563
    e2 = fl * (2 - fl)
    s = math.sin(math.radians(lat0))
    w = 1 - e2 * s * s
    north_radius = a * (1 - e2) / (w * math.sqrt(w))
    east_radius = a / math.sqrt(w) * math.cos(math.radians(lat0))
    dn = [math.radians(f["lat"] - lat0) * north_radius for f in fixes]
    de = [math.radians(wrap(f["lon"] - lon0)) * east_radius for f in fixes]
    distances = sorted(math.hypot(x, y) for x, y in zip(dn, de))

    def holding(share):
        return distances[max(1, math.ceil(share * n - 1e-9)) - 1]

    two_drms = 2 * math.sqrt(sum(x * x for x in dn) / n + sum(y * y for y in de) / n)
    return {"cep50": holding(0.5), "cep95": holding(0.95), "2drms": two_drms}


def exported(dump, path):
    out = subprocess.run([dump, "--file", path, "--export", "csv"], capture_output=True,
                         check=False).stdout.decode()
    rows = []
    for line in out.splitlines()[1:]:
        when, lat, lon, alt = line.split(",")
        rows.append({"time": when[-9:-1] if when.endswith("Z") else when, "lat": float(lat),
                     "lon": float(lon), "alt": float(alt) if alt else None})
    return rows


def compare(name, dump, stats, path):
    problems = []
    want = fixes_of(path)
    got = exported(dump, path)
    if len(want) != len(got):
        problems.append("%d fixes exported, %d expected" % (len(got), len(want)))
    for i, (w, g) in enumerate(zip(want, got)):
        if abs(w["lat"] - g["lat"]) > 2e-6 or abs(w["lon"] - g["lon"]) > 2e-6:
            problems.append("fix %d at %.7f %.7f, expected %.7f %.7f" %
                            (i, g["lat"], g["lon"], w["lat"], w["lon"]))
        if (w["alt"] is None) != (g["alt"] is None) or (
                w["alt"] is not None and abs(w["alt"] - g["alt"]) > 0.01):
            problems.append("fix %d altitude %s, expected %s" % (i, g["alt"], w["alt"]))
        if w["time"] != g["time"]:
            problems.append("fix %d time %r, expected %r" % (i, g["time"], w["time"]))
    result = subprocess.run([stats, "--json", path], capture_output=True, check=False)
    if not want:
        if result.returncode == 0:
            problems.append("orbex-stats found fixes where there are none")
    elif result.returncode != 0:
        problems.append("orbex-stats failed: " + result.stderr.decode().strip())
    else:
        figures = json.loads(result.stdout)
        if figures["fixes"] != len(want):
            problems.append("orbex-stats counts %d fixes, expected %d" %
                            (figures["fixes"], len(want)))
        for key, value in accuracy(want).items():
            # 1 %, or the last printed decimal for figures near zero.
            if abs(figures[key] - value) > max(0.01 * value, 0.00051):
                problems.append("%s %.4f m, expected %.4f m" % (key, figures[key], value))
    print("%s: %d fixes%s" % (name, len(want), "" if not problems else ": " + "; ".join(
        problems[:5])))
    return not problems


def main():
    dump, stats, corpus = sys.argv[1:4]
    logs = sorted(glob.glob(os.path.join(corpus, "*.nmea")))
    if not logs:
        print("no recordings in %s: skipped" % corpus)
        return 77
    failed = [p for p in logs if not compare(os.path.basename(p), dump, stats, p)]
    print("%d of %d logs agree" % (len(logs) - len(failed), len(logs)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
