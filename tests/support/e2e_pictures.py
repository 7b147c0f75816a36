# SPDX-License-Identifier: GPL-3.0-or-later

"""Screenshots with known lines of text, drawn with ImageMagick, for the
end-to-end tests and the whole-job benchmark (bench/e2e).

A picture is a list of panels (filled rectangles, some with rounded corners)
and of lines, each written at a known place in Noto Sans. Each drawing
function writes a PNG and returns the texts of its lines.
"""

import subprocess
from dataclasses import dataclass

FONTS = "/usr/share/fonts/truetype/noto"


@dataclass
class Line:
    text: str
    x: int
    baseline: int
    px: int
    colour: str
    weight: str = "Regular"


@dataclass
class Panel:
    x: int
    y: int
    width: int
    height: int
    colour: str
    radius: int = 0


def draw(path, size, background, panels, lines):
    argv = ["convert", "-size", f"{size[0]}x{size[1]}", f"xc:{background}"]
    for p in panels:
        shape = (f"roundrectangle {p.x},{p.y} {p.x + p.width - 1},{p.y + p.height - 1} {p.radius},{p.radius}"
                 if p.radius else f"rectangle {p.x},{p.y} {p.x + p.width - 1},{p.y + p.height - 1}")
        argv += ["-fill", p.colour, "-draw", shape]
    for line in lines:
        # "%" and "\" would be read as escapes by -annotate.
        text = line.text.replace("\\", "\\\\").replace("%", "%%")
        argv += ["-font", f"{FONTS}/NotoSans-{line.weight}.ttf", "-pointsize", str(line.px), "-fill", line.colour,
                 "-annotate", f"+{line.x}+{line.baseline}", text]
    # No alpha channel and no timestamps, so one layout always gives the same bytes.
    argv += ["-alpha", "off", "-define", "png:exclude-chunks=date,time", f"PNG24:{path}"]
    subprocess.run(argv, check=True)
    return path


NETWORK = ("Network settings", ["Connect automatically when in range", "Share this connection with other users",
                                 "Show the password while typing", "Download updates over mobile data"])
SOUND = ("Sound settings", ["Ring when a new message arrives", "Lower the volume during calls",
                            "Mute all sounds at night", "Use the speaker for alarms"])


def settings_dialog(path, page=NETWORK):
    """960 x 656, the size of the picture view, so the window shows it pixel
    for pixel: a settings page with a dark title bar; its lines top to bottom."""
    title, options = page
    lines = [Line(title, 40, 50, 26, "#ffffff", "Medium"),
             *(Line(text, 64, 150 + 80 * i, 22, "#1f2328") for i, text in enumerate(options))]
    # The title bar, the card the options stand on, and a rule between each two.
    panels = [Panel(0, 0, 960, 80, "#27324a"), Panel(32, 104, 896, 320, "#ffffff", 12),
              *(Panel(64, 176 + 80 * i, 832, 1, "#d0d7de") for i in range(3))]
    draw(path, (960, 656), "#eef1f5", panels, lines)
    return [line.text for line in lines]
