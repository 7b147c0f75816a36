#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""The whole road of a paste, as a user takes it: the real application on an
X server of its own, the real X clipboard, real key presses and clicks, and
the fake translation service (which answers "[LANG] TEXT") on the port that
the application under test was built to use.

Usage: translate_end_to_end.py --app build/bin/quillmere-loopback --port PORT
       --tls-app build/bin/quillmere-loopback-tls --tls-port PORT [unittest arguments]
"""

import argparse
import glob
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))

from e2e_harness import (  # noqa: E402
    App, Desktop, FakeService, TlsFront, differing_pixels, png_size, trusting_wrapper, wait_for)
import e2e_pictures  # noqa: E402

APP = PORT = TLS_APP = TLS_PORT = None


def translated(lines, code):
    return "\n".join(f"[{code}] {line}" for line in lines)


class EndToEnd(unittest.TestCase):
    maxDiff = None
    """Each test gets its own X server, fake service and application, all
    stopped when it ends, whether it passed or not."""

    fail_rules = ()
    delay_ms = 0

    def setUp(self):
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)
        self.service = FakeService(self.desktop.home, port=self.service_port(), delay_ms=self.delay_ms,
                                   fail=self.fail_rules)
        self.addCleanup(self.service.close)
        self.picture = self.desktop.path("settings.png")
        self.lines = e2e_pictures.settings_dialog(self.picture)
        self.app = None

    def service_port(self):
        return PORT

    def launch(self, binary=None, wrapper=()):
        self.app = App(self.desktop, binary or APP, wrapper)
        self.addCleanup(self.app.close)
        self.app.wait_for_window()
        return self.app

    def paste_picture_on_clipboard(self):
        with open(self.picture, "rb") as f:
            self.desktop.serve_clipboard(f.read(), "image/png")

    def assert_ended_cleanly(self):
        code = self.app.wait_for_exit(timeout=20)
        errors = self.app.stderr()
        self.assertEqual(code, 0, f"exit status {code}; stderr:\n{errors}")
        self.assertEqual(errors.strip(), "", "the application wrote to stderr")
        self.assertEqual(glob.glob(os.path.join(self.desktop.home, "core*")), [])


class PictureAtLaunch(EndToEnd):
    def test_picture_on_the_clipboard_at_launch_is_translated(self):
        self.paste_picture_on_clipboard()
        app = self.launch()

        # Nothing but the key presses that copy: the picture was taken up at launch.
        self.assertEqual(app.copied_text(), translated(self.lines, "iw"))
        self.assertCountEqual(self.service.requests(), [("iw", line) for line in self.lines])

        overlay = app.copied_png()
        self.assertEqual(png_size(overlay), (960, 656))
        overlay_path = self.desktop.path("overlay.png")
        with open(overlay_path, "wb") as f:
            f.write(overlay)
        shown = app.picture_area_screenshot(self.desktop.path("shown.png"))
        # The picture is as large as the view, so the window shows the overlay pixel for pixel.
        self.assertEqual(differing_pixels(self.desktop, shown, overlay_path), 0)
        self.assertGreater(differing_pixels(self.desktop, shown, self.picture), 2000,
                           "the window still shows the pasted picture")

        app.press("ctrl+q")
        self.assert_ended_cleanly()


class Ending(EndToEnd):
    # Long enough that every line is still unanswered when the app ends.
    delay_ms = 30_000

    def test_ctrl_q_while_lines_are_in_flight(self):
        self.paste_picture_on_clipboard()
        app = self.launch()
        wait_for("every line at the service", lambda: len(self.service.requests()) == len(self.lines), timeout=30)
        app.press("ctrl+q")
        self.assert_ended_cleanly()


class Https(EndToEnd):
    """The way to the real service: HTTPS, where the client offers HTTP/2,
    and a certificate that must be trusted. nghttpx stands in front of the
    fake service with a certificate made for the test."""

    def service_port(self):
        return 0

    def setUp(self):
        super().setUp()
        self.front = TlsFront(self.desktop.home, TLS_PORT, self.service.port)
        self.addCleanup(self.front.close)

    def test_every_line_goes_over_http2(self):
        wrapper = trusting_wrapper(self.front.certificate, self.desktop.home)
        if wrapper is None:
            self.skipTest("no private mount namespace here to trust the test's certificate in")
        self.paste_picture_on_clipboard()
        app = self.launch(TLS_APP, wrapper)
        self.assertEqual(app.copied_text(), translated(self.lines, "iw"))
        self.assertEqual(self.front.protocols(), ["h2"] * len(self.lines))
        app.press("ctrl+q")
        self.assert_ended_cleanly()


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--app", required=True)
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--tls-app", required=True)
    parser.add_argument("--tls-port", type=int, required=True)
    known, rest = parser.parse_known_args()
    APP, PORT = os.path.abspath(known.app), known.port
    TLS_APP, TLS_PORT = os.path.abspath(known.tls_app), known.tls_port
    outcome = unittest.main(argv=[sys.argv[0], *rest], verbosity=2, exit=False).result
    # 77 tells CTest that what it ran was skipped.
    if outcome.wasSuccessful() and outcome.skipped and len(outcome.skipped) == outcome.testsRun:
        sys.exit(77)
    sys.exit(0 if outcome.wasSuccessful() else 1)
