#!/usr/bin/env python3
"""Differential test of orbex-dump's exported fixes against gpsd's decoder, gpsdecode.

gpsdecode reads each recording of another maker's receiver and reports one TPV record per epoch,
merged from all of the epoch's sentences (GGA, RMC, GLL, GSA...). Each fix of orbex-dump's CSV
export is compared with what gpsd reports for the same time of day:

- A fix is compared when gpsd reports a position (a TPV of mode 2 or 3 with latitude and
  longitude) in the same second of the day. Two positions agree when they lie within 2e-6
  degrees in latitude and longitude and, where both give an altitude, have the same altitude to
  1 cm; gpsd's altMSL is the GGA's altitude above mean sea level (its altHAE adds the geoid
  separation). The export gives whole seconds, and a second may hold several fixes (receivers
  that fix several times a second, GGA of two talkers per epoch), so the comparison is made per
  second: each position gpsd reports in it must agree with one of our fixes of that second, and
  when gpsd reports at least as many epochs (distinct time stamps) in it as we have fixes, each
  of our fixes must agree with one of gpsd's positions of that second.
- gpsd reports an epoch only when it has seen where the receiver's cycle ends, which it learns
  from the first cycle and sees for the last one only when the next begins; and it takes an
  epoch as no fix when another sentence of it says so (an RMC of status V beside a GGA of
  quality 6, estimated), or merges an epoch whose closing sentence is missing into the next.
  So not every fix of ours is compared. The share compared is counted over the fixes apart from
  those of the log's first and last second; the test fails when more than 10 % of them, and
  more than one, go uncompared on a log where gpsd reports any position. A log where gpsd
  reports none (a receiver in simulation mode, GGA quality 8, is no fix for gpsd) is listed and
  not counted.

Usage: nmea_gpsd_differential.py ORBEX_DUMP CORPUS_DIR
Exits 77 (skipped) when gpsdecode or the corpus is absent.
"""
import glob
import json
import os
import shutil
import subprocess
import sys
from collections import defaultdict

from nmea_differential import exported


def gpsd_positions(gpsdecode, path):
    """gpsd's positions of a log by second of the day ("hh:mm:ss")."""
    with open(path, "rb") as f:
        out = subprocess.run([gpsdecode], stdin=f, capture_output=True, check=False).stdout
    positions = defaultdict(list)
    for line in out.decode("utf-8", "replace").splitlines():
        try:
            report = json.loads(line)
        except ValueError:
            continue
        if (report.get("class") == "TPV" and report.get("mode", 0) >= 2 and "lat" in report
                and "lon" in report and len(report.get("time", "")) >= 19):
            positions[report["time"][11:19]].append(report)
    return positions


def agrees(fix, report):
    if abs(fix["lat"] - report["lat"]) > 2e-6 or abs(fix["lon"] - report["lon"]) > 2e-6:
        return False
    if fix["alt"] is None or "altMSL" not in report:
        return True
    return abs(fix["alt"] - report["altMSL"]) <= 0.01


def compare(name, dump, gpsdecode, path):
    """Prints the log's comparison; returns (passed, fixes compared, altitudes compared)."""
    fixes = exported(dump, path)
    positions = gpsd_positions(gpsdecode, path)
    problems = []
    compared = altitudes = 0
    times = [f["time"] for f in fixes if f["time"]]
    ends = {times[0], times[-1]} if times else set()
    counted = missed = 0
    by_second = defaultdict(list)
    for fix in fixes:
        by_second[fix["time"]].append(fix)
    for second, ours in by_second.items():
        if second not in ends:
            counted += len(ours)
            missed += len(ours) if second not in positions else 0
        reports = positions.get(second, []) if second else []
        if not reports:
            continue
        compared += len(ours)
        altitudes += sum(1 for f in ours if f["alt"] is not None) if any(
            "altMSL" in r for r in reports) else 0
        theirs = [r for r in reports if not any(agrees(f, r) for f in ours)]
        mine = []
        if len({r["time"] for r in reports}) >= len(ours):
            mine = [f for f in ours if not any(agrees(f, r) for r in reports)]
        for f, r in [(ours[0], r) for r in theirs] + [(f, reports[0]) for f in mine]:
            problems.append("%s: ours %.9f %.9f %s m, gpsd %.9f %.9f %s m" % (
                second, f["lat"], f["lon"], f["alt"], r["lat"], r["lon"], r.get("altMSL")))
    if positions and missed > max(1, 0.1 * counted):
        problems.append("only %d of %d fixes reported by gpsd" % (counted - missed, counted))
    note = "" if positions or not fixes else " (gpsd reports no position)"
    print("%s: %d fixes, %d compared with gpsd, %d altitudes%s%s" % (
        name, len(fixes), compared, altitudes, note,
        "" if not problems else ": " + "; ".join(list(dict.fromkeys(problems))[:5])))
    return not problems, compared, altitudes


def main():
    dump, corpus = sys.argv[1:3]
    gpsdecode = shutil.which("gpsdecode")
    logs = sorted(glob.glob(os.path.join(corpus, "*.nmea")))
    if not gpsdecode or not logs:
        print("gpsdecode or the recordings in %s absent: skipped" % corpus)
        return 77
    results = [compare(os.path.basename(p), dump, gpsdecode, p) for p in logs]
    failed = sum(1 for passed, _, _ in results if not passed)
    print("%d of %d logs agree with gpsd: %d fixes and %d altitudes compared" % (
        len(logs) - failed, len(logs), sum(r[1] for r in results), sum(r[2] for r in results)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
