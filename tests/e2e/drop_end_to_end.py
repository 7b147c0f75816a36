#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Pictures handed over as files or dropped, as a user does it: the real
application on an X server of its own, a file copied the way file managers
copy it (its address on the X clipboard), and real drags over XDND from
another X client (drag_source, standing for a file manager or a browser)
driven with the mouse by xdotool.

Usage: drop_end_to_end.py --app build/bin/quillmere-loopback --port PORT
       --drag-source build/tests/quillmere-drag-source [unittest arguments]
"""

import argparse
import os
import subprocess
import sys
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))

from e2e_harness import App, Desktop, FakeService, stop_process, wait_for  # noqa: E402
import e2e_pictures  # noqa: E402

APP = PORT = DRAG_SOURCE = None


def translated(lines, code="iw"):
    return "\n".join(f"[{code}] {line}" for line in lines)


class HandedOver(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)
        self.service = FakeService(self.desktop.home, port=PORT)
        self.addCleanup(self.service.close)
        self.picture = self.desktop.path("Screenshot from today.png")
        self.lines = e2e_pictures.settings_dialog(self.picture)
        self.address = "file://" + urllib.parse.quote(self.picture)

    def launch(self):
        self.app = App(self.desktop, APP)
        self.addCleanup(self.app.close)
        self.app.wait_for_window()
        return self.app

    def drag(self, offers):
        """Drags content from another client onto the middle of the picture
        view and lets go: `offers` maps each content type to its bytes."""
        argv = [DRAG_SOURCE]
        for number, (content_type, data) in enumerate(offers.items()):
            path = self.desktop.path(f"offer-{number}")
            with open(path, "wb") as f:
                f.write(data)
            argv += [content_type, path]
        source = subprocess.Popen(argv, env=self.desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            window = wait_for("the drag source", lambda: self.desktop.visible_window("Drag source"))
            sx, sy, sw, sh = self.desktop.geometry(window)
            tx, ty, tw, th = self.desktop.geometry(self.app.window)
            target = (tx + tw // 2, ty + th // 2)
            run = self.desktop.run
            run(["xdotool", "mousemove", "--sync", str(sx + sw // 2), str(sy + sh // 2), "mousedown", "1"])
            # Several moves, as a hand makes them: XDND asks the window under
            # the pointer at each one whether it takes the drop.
            for step in range(1, 11):
                x = sx + sw // 2 + (target[0] - sx - sw // 2) * step // 10
                y = sy + sh // 2 + (target[1] - sy - sh // 2) * step // 10
                run(["xdotool", "mousemove", str(x), str(y)])
                time.sleep(0.05)
            time.sleep(0.2)
            run(["xdotool", "mouseup", "1"])
            # The source ends its drag once the drop is taken and its content read.
            time.sleep(1.0)
        finally:
            stop_process(source)

    def assert_translated(self):
        self.assertEqual(self.app.copied_text(), translated(self.lines))
        self.assertCountEqual(self.service.requests(), [("iw", line) for line in self.lines])


class PastedFile(HandedOver):
    def test_a_file_copied_in_a_file_manager_is_translated_at_launch(self):
        self.desktop.serve_clipboard(f"{self.address}\r\n".encode(), "text/uri-list")
        self.launch()
        self.assert_translated()


class DroppedFile(HandedOver):
    def test_text_is_refused_then_a_file_from_a_file_manager_is_translated(self):
        self.launch()
        self.drag({"text/plain": b"Good morning", "UTF8_STRING": b"Good morning"})
        self.app.press("ctrl+shift+c")
        time.sleep(0.5)
        self.assertIsNone(self.desktop.read_clipboard_text())
        self.assertEqual(self.service.requests(), [])

        self.drag({"text/uri-list": f"{self.address}\r\n".encode(),
                   "x-special/gnome-copied-files": f"copy\n{self.address}".encode()})
        self.assert_translated()


class DroppedPicture(HandedOver):
    def test_picture_data_from_a_browser_is_translated_and_its_web_address_never_fetched(self):
        self.launch()
        with open(self.picture, "rb") as f:
            png = f.read()
        web = f"http://127.0.0.1:{PORT}/pictures/settings.png"
        self.drag({"image/png": png, "text/uri-list": f"{web}\r\n".encode(), "text/x-moz-url": web.encode()})
        self.assert_translated()


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--app", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--drag-source", required=True)
    known, rest = parser.parse_known_args()
    APP, PORT, DRAG_SOURCE = os.path.abspath(known.app), known.port, os.path.abspath(known.drag_source)
    outcome = unittest.main(argv=[sys.argv[0], *rest], verbosity=2, exit=False).result
    sys.exit(0 if outcome.wasSuccessful() else 1)
