#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Draws Quillmere's application icon as SVG.

The picture is the app in one glance: a screenshot with lines of text, one of
them covered by a rounded plate in a warm colour that carries the translated
line, right-aligned as Hebrew reads. Shapes only, no text, so it draws the
same everywhere; strokes are thick enough to survive 16 pixels.

Usage: make-icon.py OUTPUT.svg
"""

import sys
from xml.sax.saxutils import quoteattr

GRID = 128


def rect(x, y, w, h, r, fill, **extra):
    attrs = {"x": x, "y": y, "width": w, "height": h, "rx": r, "fill": fill, **extra}
    return "<rect " + " ".join(f"{k.replace('_', '-')}={quoteattr(str(v))}" for k, v in attrs.items()) + "/>"


def icon():
    parts = [
        # Tile: a deep blue rounded square with a soft vertical gradient.
        rect(8, 8, 112, 112, 26, "url(#tile)"),
        # The screenshot: a white card with two grey lines of source text.
        rect(22, 24, 84, 80, 10, "#f8fafc"),
        rect(32, 36, 56, 9, 4.5, "#94a3b8"),
        rect(32, 51, 40, 9, 4.5, "#94a3b8"),
        # The plate over the third line, wider than the card so it reads as
        # laid on top, with a shadow beneath it.
        rect(16, 71, 96, 28, 9, "#0f172a", opacity="0.25"),
        rect(16, 67, 96, 28, 9, "url(#plate)"),
        # The translation, right-aligned.
        rect(46, 77, 56, 8, 4, "#1f2937"),
    ]
    defs = (
        "<defs>"
        '<linearGradient id="tile" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#3b82f6"/><stop offset="1" stop-color="#1e3a8a"/>'
        "</linearGradient>"
        '<linearGradient id="plate" x1="0" y1="0" x2="0" y2="1">'
        '<stop offset="0" stop-color="#fbbf24"/><stop offset="1" stop-color="#f59e0b"/>'
        "</linearGradient>"
        "</defs>"
    )
    body = "\n  ".join(parts)
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" width="{GRID}" height="{GRID}" viewBox="0 0 {GRID} {GRID}">\n'
        f"  {defs}\n  {body}\n</svg>\n"
    )


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__.strip().splitlines()[-1])
    with open(sys.argv[1], "w", encoding="utf-8") as out:
        out.write(icon())


if __name__ == "__main__":
    main()
