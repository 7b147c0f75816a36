#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Speed and memory of quillmere-probe ocr on the corpus.

usage: speed.py BUILD_DIR CORPUS_DIR  (OCR_PICTURES=REGEX for a subset by file
name, OCR_KINDS=REGEX by kind: OCR_KINDS=interface times the pages measured
before the other kinds were drawn)

Per language group, a fresh probe (engines loaded at start as the app does at
launch) reads the group's pictures and then the first one again: the first
picture's time as the first paste after launch and as a later paste, and the
median of all, wall-clock and processor time. Another fresh probe reads the
first picture as the first paste of a run after one whose last page was in
the group's language, as the app starts when it has read one before. Then
one probe reads every picture with the default threads and with 16
recognition threads, for the peak memory, and one reads an 8K (7680 x 4320)
screenshot.
"""
import json
import os
import re
import statistics
import subprocess
import sys
from pathlib import Path

TIMES = re.compile(r": ([0-9.]+) ms, ([0-9.]+) ms cpu")
PEAK = re.compile(r"peak memory: ([0-9]+) MB")


def probe(build, images, threads=None, language_before=None):
    args = [str(build / "bin/quillmere-probe"), "ocr"]
    if threads:
        args += ["--threads", str(threads)]
    if language_before:
        args += ["--language-before", language_before]
    proc = subprocess.run(args + [str(i) for i in images], capture_output=True, text=True, check=True)
    times = [(float(a), float(b)) for a, b in TIMES.findall(proc.stderr)]
    return times, int(PEAK.search(proc.stderr).group(1))


def main():
    build, corpus = Path(sys.argv[1]), Path(sys.argv[2])
    pictures = [p for p in json.loads((corpus / "truth.json").read_text()) if p["group"] != "none"]
    only = os.environ.get("OCR_PICTURES")
    if only:
        pictures = [p for p in pictures if re.search(only, p["image"])]
    kinds = os.environ.get("OCR_KINDS")
    if kinds:
        pictures = [p for p in pictures if re.search(kinds, p.get("kind", "interface"))]
    groups = list(dict.fromkeys(p["group"] for p in pictures))
    print("| group | first picture, first paste ms (cpu ms) | first paste after a run in the language ms (cpu ms) "
          "| same picture later ms (cpu ms) | median ms (cpu ms) | peak MB |")
    print("|---|---|---|---|---|---|")
    medians = []
    for group in groups:
        images = [corpus / p["image"] for p in pictures if p["group"] == group]
        times, peak = probe(build, images + images[:1])
        again = times.pop()
        wall = statistics.median(t[0] for t in times)
        cpu = statistics.median(t[1] for t in times)
        medians.append(wall)
        language = next(p["model"] for p in pictures if p["group"] == group).split("+")[0]
        (known, ), _ = probe(build, images[:1], language_before=language)
        print(f"| {group} | {times[0][0]:.0f} ({times[0][1]:.0f}) | {known[0]:.0f} ({known[1]:.0f}) "
              f"| {again[0]:.0f} ({again[1]:.0f}) | {wall:.0f} ({cpu:.0f}) | {peak} |")
    print(f"| worst group median | | | | {max(medians):.0f} | |")
    everything = [corpus / p["image"] for p in pictures]
    for threads in (None, 16):
        times, peak = probe(build, everything, threads)
        label = f"{threads} threads" if threads else "default threads"
        print(f"| all {len(everything)} pictures, {label} | | | | "
              f"{statistics.median(t[0] for t in times):.0f} ({statistics.median(t[1] for t in times):.0f}) | {peak} |")
    big = corpus / "8k.png"
    subprocess.run(["convert", str(corpus / pictures[0]["image"]), "-filter", "point", "-resize", "400%", str(big)],
                   check=True)
    times, peak = probe(build, [big])
    print(f"| one 7680x4320 picture | | | | {times[0][0]:.0f} ({times[0][1]:.0f}) | {peak} |")


if __name__ == "__main__":
    main()
