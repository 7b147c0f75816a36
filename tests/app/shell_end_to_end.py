#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the real application on an X server of its own, with a window manager,
and checks the shell the way a user meets it: the window's title, size and
place, and that Ctrl+Q and closing the window end the process cleanly.

Usage: shell_end_to_end.py path/to/quillmere
"""

import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))

from e2e_harness import SCREEN, App, Desktop  # noqa: E402

APP = None


class ShellEndToEnd(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)

    def launch(self):
        self.app = App(self.desktop, APP)
        self.addCleanup(self.app.close)
        return self.app.wait_for_window()

    def assert_ends_cleanly(self):
        code = self.app.wait_for_exit(timeout=20)
        self.assertEqual(code, 0, f"exit status {code}: {self.app.stderr()}")

    def test_window_is_titled_sized_and_centred(self):
        window = self.launch()
        self.assertEqual(self.desktop.run(["xdotool", "getwindowname", window]).strip(), "Quillmere")
        x, y, width, height = self.desktop.geometry(window)
        # The content area is 960 x 700; the menu bar sits above it.
        self.assertEqual(width, 960)
        self.assertGreater(height, 700)
        self.assertLess(height, 760)
        self.assertLessEqual(abs(x + width / 2 - SCREEN[0] / 2), 2)
        self.assertLessEqual(abs(y + height / 2 - SCREEN[1] / 2), 30)
        self.app.press("ctrl+q")
        self.assert_ends_cleanly()

    def test_closing_the_window_ends_the_process(self):
        self.launch()
        self.app.close_window()
        self.assert_ends_cleanly()


if __name__ == "__main__":
    APP = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
