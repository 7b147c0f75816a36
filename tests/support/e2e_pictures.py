"""Screenshots with known lines of text, drawn with ImageMagick, for the
end-to-end tests and the whole-job benchmark.

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


def settings_dialog(path):
    """960 x 656, the size of the picture view, so the window shows it pixel
    for pixel: a settings page with a dark title bar; its lines top to bottom."""
    lines = [
        Line("Network settings", 40, 50, 26, "#ffffff", "Medium"),
        Line("Connect automatically when in range", 64, 150, 22, "#1f2328"),
        Line("Share this connection with other users", 64, 230, 22, "#1f2328"),
        Line("Show the password while typing", 64, 310, 22, "#1f2328"),
        Line("Download updates over mobile data", 64, 390, 22, "#1f2328"),
    ]
    panels = [
        Panel(0, 0, 960, 80, "#27324a"),
        Panel(32, 104, 896, 320, "#ffffff", 12),
        Panel(64, 176, 832, 1, "#d0d7de"),
        Panel(64, 256, 832, 1, "#d0d7de"),
        Panel(64, 336, 832, 1, "#d0d7de"),
    ]
    draw(path, (960, 656), "#eef1f5", panels, lines)
    return [line.text for line in lines]


def mail_client(path):
    """1920 x 1080, a mail client with 30 lines: eight folders in a dark
    sidebar, twelve message subjects in a list, and a message of ten lines."""
    folders = ["Inbox", "Starred", "Snoozed", "Sent", "Drafts", "Archive", "Spam", "Trash"]
    subjects = [
        "Quarterly report is ready for review",
        "Lunch on Friday at the new place",
        "Your order has been shipped",
        "Meeting notes from the design review",
        "Reminder: dentist appointment tomorrow",
        "Photos from the weekend trip",
        "Invoice for the month of March",
        "New comment on your pull request",
        "Flight check-in is now open",
        "Welcome to the community forum",
        "Password changed successfully",
        "Weekly newsletter: ten tips for focus",
    ]
    body = [
        "Hello everyone,",
        "The quarterly report is attached to this message.",
        "Sales grew in every region except the north.",
        "Please read the summary before our meeting on Monday.",
        "The section on costs still needs a few numbers.",
        "Send me your comments by the end of the week.",
        "I will merge them into one version for the board.",
        "Thank you all for the hard work this quarter.",
        "Best regards,",
        "Maria",
    ]
    panels = [Panel(0, 0, 300, 1080, "#1f2430"), Panel(300, 0, 640, 1080, "#ffffff"),
              Panel(300, 118 + 60 * 3 - 44, 640, 60, "#e8f0fe")]
    lines = [Line(name, 40, 120 + 56 * i, 20, "#e6e9ef", "Medium") for i, name in enumerate(folders)]
    lines += [Line(subject, 330, 118 + 60 * i, 19, "#202124") for i, subject in enumerate(subjects)]
    lines += [Line(text, 1000, 140 + 48 * i, 20, "#24292f") for i, text in enumerate(body)]
    draw(path, (1920, 1080), "#f6f8fa", panels, lines)
    return [line.text for line in lines]
