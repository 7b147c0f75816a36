#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Peak memory and time of several builds on the same pictures, run in turn.

usage: compare.py BUILD_DIR[,BUILD_DIR...] CORPUS_DIR REGEX ROUNDS [PROBE_OPTION...]

For each round, one fresh `quillmere-probe ocr` per build reads every picture
of the corpus whose file name matches REGEX, the builds one after the other,
so that a shared machine's load falls on all of them alike. Prints per run
the wall-clock and processor seconds of the whole process, the median
picture's milliseconds and the peak memory. Options after ROUNDS go to the
probe ("--threads 16").
"""
import json
import os
import re
import statistics
import subprocess
import sys
import time
from pathlib import Path

TIMES = re.compile(r": ([0-9.]+) ms, ([0-9.]+) ms cpu")
PEAK = re.compile(r"peak memory: ([0-9]+) MB")


def main():
    if len(sys.argv) < 5:
        sys.exit(__doc__)
    builds = [Path(b) for b in sys.argv[1].split(",")]
    corpus, regex, rounds, options = Path(sys.argv[2]), sys.argv[3], int(sys.argv[4]), sys.argv[5:]
    truth = json.loads((corpus / "truth.json").read_text())
    images = [str(corpus / p["image"]) for p in truth if p["group"] != "none" and re.search(regex, p["image"])]
    if not images:
        sys.exit(f"no picture matches {regex}")
    for _ in range(rounds):
        for build in builds:
            start, before = time.monotonic(), os.times()
            proc = subprocess.run([str(build / "bin/quillmere-probe"), "ocr", *options, *images],
                                  capture_output=True, text=True, check=True)
            after = os.times()
            cpu = after.children_user + after.children_system - before.children_user - before.children_system
            median = statistics.median(float(wall) for wall, _ in TIMES.findall(proc.stderr))
            peak = PEAK.search(proc.stderr).group(1)
            print(f"{build}: {len(images)} pictures, {time.monotonic() - start:.1f} s, {cpu:.1f} s cpu, "
                  f"median {median:.0f} ms, peak {peak} MB", flush=True)


if __name__ == "__main__":
    main()
