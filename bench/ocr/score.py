#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Scores quillmere-probe and the tesseract command-line tool on the corpus.

usage: score.py BUILD_DIR CORPUS_DIR

Prints, per group of pictures, the text recall (1 - character errors over all
drawn text, a missed line counting as wholly wrong), the line recall (a truth line counts as found
when one recognised line covers at least half of it and is itself at least
half inside it, its height counted no further than the drawn text's), the
character error rate of the found lines, the false lines (recognised lines
that match no drawn line: widgets and icons read as text)
and the junk characters that found lines carry at their ends beyond the drawn
text (a button's edge read as "|"); then the milliseconds per picture and the
lines read on the picture without text. The tesseract command-line tool runs
beside the app twice: with -l eng, and told each page's language. A second table measures the found
lines' boxes against each drawn line's font size in pixels (box height / font
size: middle value, 10th and 90th percentiles, their ratio) and how much of the
drawn text's ink (the pixels it covers at least a quarter of) the renderer's
plate (the box grown by 3 pixels left and right and 2 above and below)
hides: the share of lines hidden whole, the hidden part at the 5th
percentile, and the share of lines whose rows it hides all of.

Rows per page kind ("interface", "menu", "photo", "few", "files") follow the
theme and scale rows. The milliseconds per picture end with the warm median,
the first picture left out (the probe's engines and the tool's models are
loaded then); the command-line tool runs on one thread (OMP_THREAD_LIMIT=1).

A third table counts, per group, what changes a translation's meaning:
found lines that lost a whole word at either end (the first or last word of
the drawn text absent from the found line: the cheapest alignment of the two
lines' words, where one word may stand for another at the cost of their
character distance over the longer's length and leaving one out costs 1,
drops it or sets it against a word with no character in common, unless it
is a single letter, which is then misread rather than lost; words are split
on white space, and in Han, kana and Thai, written without spaces, each
letter counts as a word; marks standing alone are no words, and two words
read as one, their space missed, are not lost), found lines that lost a mark
at an end
(the drawn text starts or ends with a character that is neither letter nor
digit, and the found line does not), false lines per picture and those drawn
from a pictogram (a false line whose box lies at least half on a recorded
icon or symbol), and the mixed-direction lines (right-to-left letters with
Latin letters or digits) found with exactly the drawn text, or with the same
characters in another order. Last come the pictures of which less than 80% of
the text is read.

OCR_PICTURES=REGEX scores only the pictures whose file name matches,
OCR_KINDS=REGEX those whose kind matches; OCR_SKIP_CLI=1 leaves the
command-line tool out; OCR_RANDOM_ORDER=N reads the pictures in the random
order that the number N picks, instead of group by group.
"""
import json
import math
import os
import random
import re
import statistics
import struct
import subprocess
import sys
import time
import unicodedata
from pathlib import Path


DENSE = "\u0e00-\u0e7f\u3000-\u30ff\u3400-\u4dbf\u4e00-\u9fff\uf900-\ufaff\uff00-\uffef"


def normalise(text):
    text = unicodedata.normalize("NFC", text)
    text = re.sub("[\u200e\u200f\u202a-\u202e\u2066-\u2069]", "", text)
    text = text.replace("\u2026", "...").replace("\u2019", "'").replace("\u2018", "'")
    text = " ".join(text.split())
    # Han, kana and Thai are written without spaces between words: a space
    # between two of their letters is layout, not text.
    return re.sub(f"(?<=[{DENSE}]) (?=[{DENSE}])", "", text)


def distance(a, b):
    row = list(range(len(b) + 1))
    for i, ca in enumerate(a, 1):
        prev, row[0] = row[0], i
        for j, cb in enumerate(b, 1):
            prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (ca != cb))
    return row[len(b)]


def end_junk(truth, found):
    """Non-space characters of `found` before and after the part that best
    matches `truth` (an alignment free to skip both ends of `found`)."""
    def best_end(a, b):
        # Cheapest alignment of all of `a` with any stretch of `b` that starts
        # anywhere; returns where in `b` that stretch ends (latest among ties).
        row = [0] * (len(b) + 1)
        for i, ca in enumerate(a, 1):
            prev, row[0] = row[0], i
            for j, cb in enumerate(b, 1):
                prev, row[j] = row[j], min(row[j] + 1, row[j - 1] + 1, prev + (ca != cb))
        cost = min(row)
        return max(j for j, v in enumerate(row) if v == cost)
    end = best_end(truth, found)
    start = end - best_end(truth[::-1], found[:end][::-1])
    return sum(not c.isspace() for c in found[:start] + found[end:])


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


def run_probe(build, images):
    proc = subprocess.run([str(build / "bin/quillmere-probe"), "ocr", *map(str, images)],
                          capture_output=True, text=True, check=True)
    outputs = proc.stdout.splitlines()
    times = [float(m.group(1)) for m in re.finditer(r": ([0-9.]+) ms, [0-9.]+ ms cpu", proc.stderr)]
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
    if not langs:
        return [], 0
    start = time.monotonic()
    proc = subprocess.run(["tesseract", str(image), "stdout", "-l", langs, "tsv"],
                          capture_output=True, text=True, env={**os.environ, "OMP_THREAD_LIMIT": "1"})
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


def lies_on(truth_box, found_box, inter):
    """Whether a recognised line's box lies on a drawn line's: it covers at
    least half of the drawn text and is itself at least half inside it, with
    its height counted no further than the drawn text's (boxes span the text's
    whole height, the drawn box only its ink)."""
    height = min(found_box[3], truth_box[3])
    return inter >= 0.5 * truth_box[2] * truth_box[3] and inter >= 0.5 * max(found_box[2] * height, 1e-9)


def matches(truth_lines, found):
    """The recognised line each truth line is matched to, or None: the one
    that lies on it and covers most of it, each used once."""
    used, out = set(), []
    for truth in truth_lines:
        box = truth["box"]
        area = box[2] * box[3]
        best, best_cover = None, 0.0
        for i, (_, pbox) in enumerate(found):
            inter = overlap(box, pbox)
            if i not in used and lies_on(box, pbox, inter) and inter / area > best_cover:
                best, best_cover = i, inter / area
        if best is not None:
            used.add(best)
        out.append(best)
    return out


def score(truth_lines, found):
    """Returns per truth line (found?, edit distance, length, end junk, the
    found line's normalised text or None) and the indices of the recognised
    lines that matched."""
    out, used = [], set()
    for truth, best in zip(truth_lines, matches(truth_lines, found)):
        want = normalise(truth["text"])
        if best is None:
            out.append((False, len(want), len(want), 0, None))
        else:
            used.add(best)
            got = normalise(found[best][0])
            out.append((True, distance(want, got), len(want), end_junk(want, got), got))
    return out, used


def false_lines(picture, found, used):
    """The boxes of the recognised lines that match no drawn line and do not
    lie on a line that is partly hidden (what shows of those is text, right or
    not)."""
    boxes = []
    for i, (_, box) in enumerate(found):
        if i in used:
            continue
        area = max(box[2] * box[3], 1e-9)
        if any(overlap(box, hidden) >= 0.5 * area for hidden in picture.get("partial", [])):
            continue
        boxes.append(box)
    return boxes


def on_pictogram(picture, box):
    area = max(box[2] * box[3], 1e-9)
    return any(overlap(box, icon) >= 0.5 * area for icon in picture.get("pictograms", []))


def words(text):
    """Words split on white space, each Han, kana or Thai letter a word of its
    own; marks standing alone ("?", "...") are no words."""
    return [w for part in text.split() for w in re.findall(f"[{DENSE}]|[^{DENSE}]+", part)
            if any(c.isalnum() for c in w)]


def change(x, y):
    return distance(x.casefold(), y.casefold()) / max(len(x), len(y))


def joined(a, i, word):
    """The cost of reading the drawn words a[i - 2] and a[i - 1] as the one
    found `word` (a space not read), or None when one of them is not in it."""
    if i < 2:
        return None
    both = a[i - 2] + a[i - 1]
    edits = distance(both.casefold(), word.casefold())
    return edits / len(both) if edits < min(len(a[i - 2]), len(a[i - 1])) else None


def lost_ends(want, got):
    """Whether the first and the last word of `want` are left out of `got` by
    the cheapest alignment of their words, or stand against a word with no
    character in common (see the module's comment)."""
    a, b = words(want), words(got)
    if not a:
        return False, False
    cost = [[i + j if i == 0 or j == 0 else 0.0 for j in range(len(b) + 1)] for i in range(len(a) + 1)]
    for i in range(1, len(a) + 1):
        for j in range(1, len(b) + 1):
            options = [cost[i - 1][j - 1] + change(a[i - 1], b[j - 1]), cost[i - 1][j] + 1, cost[i][j - 1] + 1]
            merged = joined(a, i, b[j - 1])
            if merged is not None:
                options.append(cost[i - 2][j - 1] + merged)
            cost[i][j] = min(options)
    # Walk back, preferring a word read for a word, then two words read as
    # one, then a word left out, then a word that stands against one with
    # nothing in common (a longer word than a single letter read as junk is
    # lost; a single letter misread is not).
    dropped, i, j = set(), len(a), len(b)
    while i > 0:
        pair = change(a[i - 1], b[j - 1]) if j > 0 else None
        merged = joined(a, i, b[j - 1]) if j > 0 else None
        if pair is not None and pair < 1 and abs(cost[i][j] - cost[i - 1][j - 1] - pair) < 1e-9:
            i, j = i - 1, j - 1
        elif merged is not None and abs(cost[i][j] - cost[i - 2][j - 1] - merged) < 1e-9:
            i, j = i - 2, j - 1
        elif abs(cost[i][j] - cost[i - 1][j] - 1) < 1e-9:
            dropped.add(i - 1)
            i -= 1
        elif j > 0 and abs(cost[i][j] - cost[i][j - 1] - 1) < 1e-9:
            j -= 1
        else:
            if len(a[i - 1]) > 1:
                dropped.add(i - 1)
            i, j = i - 1, j - 1
    return 0 in dropped, len(a) - 1 in dropped


def lost_marks(want, got):
    """How many of the drawn text's end characters that are neither letters
    nor digits the found line does not have at its ends."""
    def mark(c):
        return not c.isalnum() and not c.isspace()
    return (mark(want[0]) and not got.startswith(want[0])) + (mark(want[-1]) and not got.endswith(want[-1]))


RIGHT_TO_LEFT = re.compile("[\u0590-\u08ff\ufb1d-\ufdff\ufe70-\ufeff]")


def mixed_direction(text):
    return bool(RIGHT_TO_LEFT.search(text)) and bool(re.search("[A-Za-z0-9]", text))


def reordered(want, got):
    """Same characters as the drawn text, in another order."""
    a, b = want.replace(" ", ""), got.replace(" ", "")
    return a != b and sorted(a) == sorted(b)


def kind_of(picture):
    return picture.get("kind", "interface")


def picture_groups(picture):
    group = picture["group"]
    return ["all", group, *(["mixed"] if group.startswith("mixed") else []), picture["theme"],
            f"{picture['scale']}x", kind_of(picture)]


def groups_of(picture, line):
    names = picture_groups(picture)
    if picture["scale"] == 1 and line["px"] <= 12:
        names.append("small (<=12 px, 1x)")
    if line["kind"] == "accent":
        names.append("light on colour")
    return names


def main():
    build, corpus = Path(sys.argv[1]), Path(sys.argv[2])
    pictures = json.loads((corpus / "truth.json").read_text())
    only = os.environ.get("OCR_PICTURES")
    if only:
        pictures = [p for p in pictures if re.search(only, p["image"])]
    kinds = os.environ.get("OCR_KINDS")
    if kinds:
        pictures = [p for p in pictures if re.search(kinds, kind_of(p))]
    images = [corpus / p["image"] for p in pictures]
    # The probe reads the pictures one after another, like pastes, and a page
    # read after one of its own script is read differently.
    pick = os.environ.get("OCR_RANDOM_ORDER")
    order = list(range(len(images)))
    if pick:
        random.Random(pick).shuffle(order)
    read = dict(zip(order, run_probe(build, [images[i] for i in order])))
    systems = {"quillmere": [read[i] for i in range(len(images))]}
    if not os.environ.get("OCR_SKIP_CLI"):
        systems["tesseract -l eng"] = [run_cli(image, "eng") for image in images]
        systems["tesseract told the language"] = [run_cli(image, p.get("model", "")) for image, p in
                                                  zip(images, pictures)]

    languages = list(dict.fromkeys(p["group"] for p in pictures if p["group"] != "none"))
    present = {kind_of(p) for p in pictures}
    pages = ["all"] + [g for g in languages if not g.startswith("mixed")] + ["mixed"] + \
            [g for g in languages if g.startswith("mixed")] + ["light", "dark", "1x", "2x"] + \
            [k for k in ("interface", "menu", "photo", "few", "files") if k in present]
    order = pages + ["small (<=12 px, 1x)", "light on colour"]
    names = list(systems)
    scores = {n: [score(p["lines"], r[0]) for p, r in zip(pictures, systems[n])] for n in names}
    print("| group | lines | " + " | ".join(f"{n}: text recall / line recall / CER / false lines / end junk"
                                           for n in names) + " |")
    print("|---|---|" + "---|" * len(names))
    for group in order:
        cells, count = [], 0
        for name in names:
            found = errors = chars = total = junk = false = missed = 0
            for picture, (lines, _), (per_line, used) in zip(pictures, systems[name], scores[name]):
                if group in picture_groups(picture):
                    false += len(false_lines(picture, lines, used))
                for line, (hit, err, length, extra, _) in zip(picture["lines"], per_line):
                    if group in groups_of(picture, line):
                        total += 1
                        if hit:
                            found += 1
                            errors += err
                            chars += length
                            junk += extra
                        else:
                            missed += length
            count = total
            # False lines belong to pictures, not to groups of drawn lines.
            false_cell = str(false) if group in pages else "-"
            text_recall = 1 - min(errors + missed, chars + missed) / max(chars + missed, 1)
            cells.append(f"**{100 * text_recall:.1f}%** / {100 * found / max(total, 1):.1f}% / "
                         f"{100 * errors / max(chars, 1):.1f}% / {false_cell} / {junk}")
        print(f"| {group} | {count} | " + " | ".join(cells) + " |")
    ms = [sum(r[1] for r in systems[n]) / len(images) for n in names]
    print("| ms per picture, mean | | " + " | ".join(f"{m:.0f}" for m in ms) + " |")
    medians = [sorted(r[1] for r in systems[n])[len(images) // 2] for n in names]
    print("| ms per picture, median | | " + " | ".join(f"{m:.0f}" for m in medians) + " |")
    warm = [statistics.median(r[1] for r in systems[n][1:]) if len(images) > 1 else 0 for n in names]
    print("| ms per picture, warm median (the first left out) | | " + " | ".join(f"{m:.0f}" for m in warm) + " |")
    none = [sum(len(lines) for p, (lines, _) in zip(pictures, systems[n]) if p["group"] == "none") for n in names]
    print("| lines read on the picture without text | | " + " | ".join(str(n) for n in none) + " |")
    print_box_heights(pictures, systems["quillmere"], order)
    print_meaning(pictures, systems, scores, pages)
    print_worst(pictures, scores)


def print_meaning(pictures, systems, scores, pages):
    names = list(systems)
    print()
    print("| group | pictures | " + " | ".join(
        f"{n}: found lines that lost a word at an end / lost a mark at an end / false lines per picture "
        f"/ of them on pictograms / mixed-direction lines exact, in wrong order, of drawn" for n in names) + " |")
    print("|---|---|" + "---|" * len(names))
    for group in pages:
        chosen = [i for i, p in enumerate(pictures) if group in picture_groups(p)]
        if not chosen:
            continue
        cells = []
        for n in names:
            found = words_lost = marks_lost = false = iconic = mixed = exact = turned = 0
            for i in chosen:
                picture, (lines, _), (per_line, used) = pictures[i], systems[n][i], scores[n][i]
                boxes = false_lines(picture, lines, used)
                false += len(boxes)
                iconic += sum(on_pictogram(picture, b) for b in boxes)
                for line, (hit, _, _, _, got) in zip(picture["lines"], per_line):
                    want = normalise(line["text"])
                    is_mixed = mixed_direction(want)
                    mixed += is_mixed
                    if not hit or not want:
                        continue
                    found += 1
                    words_lost += any(lost_ends(want, got))
                    marks_lost += lost_marks(want, got) > 0
                    exact += is_mixed and got == want
                    turned += is_mixed and reordered(want, got)
            mixed_cell = f"{exact}, {turned}, of {mixed}" if mixed else "-"
            cells.append(f"**{100 * words_lost / max(found, 1):.2f}%** ({words_lost} of {found}) / {marks_lost} / "
                         f"{false / len(chosen):.2f} / {iconic} / {mixed_cell}")
        print(f"| {group} | {len(chosen)} | " + " | ".join(cells) + " |")


def print_worst(pictures, scores):
    """The pictures under 80% of their text, worst first, with each system's
    text recall."""
    names = list(scores)
    recall = {n: [] for n in names}
    for n in names:
        for picture, (per_line, _) in zip(pictures, scores[n]):
            errors = sum(err for hit, err, _, _, _ in per_line if hit)
            chars = sum(length for hit, _, length, _, _ in per_line if hit)
            missed = sum(length for hit, _, length, _, _ in per_line if not hit)
            total = chars + missed
            recall[n].append(1 - min(errors + missed, total) / total if total else None)
    scored = [i for i, r in enumerate(recall["quillmere"]) if r is not None]
    print()
    print("Pictures under 80% of their text: " + ", ".join(
        f"{n} {sum(recall[n][i] < 0.8 for i in scored)} of {len(scored)}" for n in names))
    worst = sorted((i for i in scored if recall["quillmere"][i] < 0.8), key=lambda i: recall["quillmere"][i])
    if not worst:
        return
    print()
    print("| picture | kind | lines | " + " | ".join(f"{n}: text recall" for n in names) + " |")
    print("|---|---|---|" + "---|" * len(names))
    for i in worst:
        print(f"| {pictures[i]['image']} | {kind_of(pictures[i])} | {len(pictures[i]['lines'])} | " +
              " | ".join(f"{100 * recall[n][i]:.1f}%" for n in names) + " |")


def hidden_share(ink, box, rows_only=False):
    """The part of the drawn text's ink box (the pixels it covers at least a
    quarter of) that the plate over `box` covers; with `rows_only`, of its rows
    alone."""
    x, y, w, h = box
    left, top = math.floor(ink[0]), math.floor(ink[1])
    right, bottom = math.ceil(ink[0] + ink[2]), math.ceil(ink[1] + ink[3])
    if rows_only:
        return max(0, min(bottom, y + h + 2) - max(top, y - 2)) / max(bottom - top, 1e-9)
    plate = (x - 3, y - 2, w + 6, h + 4)
    return overlap((left, top, right - left, bottom - top), plate) / max((right - left) * (bottom - top), 1e-9)


def percentile(values, q):
    ordered = sorted(values)
    return ordered[min(len(ordered) - 1, int(q * len(ordered)))]


def print_box_heights(pictures, results, order):
    ratios, hidden, rows = {}, {}, {}
    for picture, (lines, _) in zip(pictures, results):
        for truth, match in zip(picture["lines"], matches(picture["lines"], lines)):
            if match is None:
                continue
            box = lines[match][1]
            for group in groups_of(picture, truth):
                ratios.setdefault(group, []).append(box[3] / (truth["px"] * picture["scale"]))
                hidden.setdefault(group, []).append(hidden_share(truth["ink"], box))
                rows.setdefault(group, []).append(hidden_share(truth["ink"], box, rows_only=True))
    print()
    print("| group | lines | box height / font size: median / p10 / p90 / p90 over p10 "
          "| plate hides the whole line / hidden at p5 / hides all its rows |")
    print("|---|---|---|---|")
    for group in order:
        if group not in ratios:
            continue
        r, h = ratios[group], hidden[group]
        whole = sum(v >= 0.9999 for v in h) / len(h)
        all_rows = sum(v >= 0.9999 for v in rows[group]) / len(h)
        print(f"| {group} | {len(r)} | {percentile(r, 0.5):.2f} / {percentile(r, 0.1):.2f} / "
              f"{percentile(r, 0.9):.2f} / {percentile(r, 0.9) / percentile(r, 0.1):.2f} "
              f"| {100 * whole:.1f}% / {100 * percentile(h, 0.05):.1f}% / {100 * all_rows:.1f}% |")


if __name__ == "__main__":
    main()
