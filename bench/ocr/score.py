#!/usr/bin/env python3
"""Scores quillmere-probe and the tesseract command-line tool on the corpus.

usage: score.py BUILD_DIR CORPUS_DIR LANGS

Prints, per group of pictures, the line recall (a truth line counts as found
when one recognised line covers at least half of it and is itself at least
half inside it) and the character error rate of the found lines, then the
milliseconds per picture and the lines read on the picture without text.
"""
import json
import os
import re
import struct
import subprocess
import sys
import time
import unicodedata
from pathlib import Path


def normalise(text):
    text = unicodedata.normalize("NFC", text)
    text = re.sub("[\u200e\u200f\u202a-\u202e\u2066-\u2069]", "", text)
    text = text.replace("\u2026", "...").replace("\u2019", "'").replace("\u2018", "'")
    return " ".join(text.split())


def distance(a, b):
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        prev, row[0] = row[0], i
        for j, cb in enumerate(b, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (ca != cb))
    return row[len(b)]


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


def run_probe(build, images):
    proc = subprocess.run([str(build / "bin/quillmere-probe"), "ocr", *map(str, images)],
                          capture_output=True, text=True, check=True)
    outputs = proc.stdout.splitlines()
    times = [float(m.group(1)) for m in re.finditer(r"([0-9.]+) ms", proc.stderr)]
    results = []
    for image, line, ms in zip(images, outputs, times[-len(images):]):
        width, height = png_size(image)
        lines = []
        for item in json.loads(line):
            x, y, w, h = item["box"]
            lines.append((item["text"], (x * width, (1 - y - h) * height, w * width, h * height)))
        results.append((lines, ms))
    return results


def run_cli(image, langs):
    start = time.monotonic()
    proc = subprocess.run(["tesseract", str(image), "stdout", "-l", langs, "tsv"],
                          capture_output=True, text=True)
    ms = (time.monotonic() - start) * 1000
    words, boxes = {}, {}
    for row in proc.stdout.splitlines()[1:]:
        cols = row.split("\t")
        if len(cols) < 12:
            continue
        key = tuple(cols[1:5])
        box = tuple(float(v) for v in cols[6:10])
        if cols[0] == "4":
            boxes[key] = box
        elif cols[0] == "5" and cols[11].strip():
            words.setdefault(key, []).append(cols[11])
    lines = [(" ".join(words[k]), boxes[k]) for k in boxes if k in words]
    return lines, ms


def overlap(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    w = min(ax + aw, bx + bw) - max(ax, bx)
    h = min(ay + ah, by + bh) - max(ay, by)
    return max(w, 0) * max(h, 0)


def score(truth_lines, found):
    """Returns per truth line (found?, edit distance, length)."""
    used = set()
    out = []
    for truth in truth_lines:
        box = truth["box"]
        area = box[2] * box[3]
        best, best_cover = None, 0.0
        for i, (text, pbox) in enumerate(found):
            if i in used:
                continue
            inter = overlap(box, pbox)
            parea = max(pbox[2] * pbox[3], 1e-9)
            if inter >= 0.5 * area and inter >= 0.5 * parea and inter / area > best_cover:
                best, best_cover = i, inter / area
        want = normalise(truth["text"])
        if best is None:
            out.append((False, len(want), len(want)))
        else:
            used.add(best)
            out.append((True, distance(want, normalise(found[best][0])), len(want)))
    return out


def groups_of(picture, line):
    group = picture["group"]
    names = ["all", "mixed" if group.startswith("mixed") else group, picture["theme"], f"{picture['scale']}x"]
    if picture["scale"] == 1 and line["px"] <= 12:
        names.append("small (<=12 px, 1x)")
    if line["kind"] == "accent":
        names.append("light on colour")
    return names


def main():
    build, corpus, langs = Path(sys.argv[1]), Path(sys.argv[2]), sys.argv[3]
    pictures = json.loads((corpus / "truth.json").read_text())
    images = [corpus / p["image"] for p in pictures]
    systems = {"quillmere": run_probe(build, images)}
    for config in () if os.environ.get("OCR_SKIP_CLI") else ("eng", langs):
        systems[f"tesseract -l {config}"] = [run_cli(image, config) for image in images]

    order = ["all", "en", "fr", "es", "ru", "he", "ar", "mixed", "light", "dark", "1x", "2x",
             "small (<=12 px, 1x)", "light on colour"]
    names = list(systems)
    print("| group | lines | " + " | ".join(f"{n}: recall / CER" for n in names) + " |")
    print("|---|---|" + "---|" * len(names))
    for group in order:
        cells, count = [], 0
        for name in names:
            found = errors = chars = total = 0
            for picture, (lines, _) in zip(pictures, systems[name]):
                for line, (hit, err, length) in zip(picture["lines"], score(picture["lines"], lines)):
                    if group in groups_of(picture, line):
                        total += 1
                        if hit:
                            found += 1
                            errors += err
                            chars += length
            count = total
            cells.append(f"{100 * found / max(total, 1):.1f}% / {100 * errors / max(chars, 1):.1f}%")
        print(f"| {group} | {count} | " + " | ".join(cells) + " |")
    ms = [sum(r[1] for r in systems[n]) / len(images) for n in names]
    print("| ms per picture (1920x1080) | | " + " | ".join(f"{m:.0f}" for m in ms) + " |")
    none = [sum(len(lines) for p, (lines, _) in zip(pictures, systems[n]) if p["group"] == "none") for n in names]
    print("| lines read on the picture without text | | " + " | ".join(str(n) for n in none) + " |")


if __name__ == "__main__":
    main()
