#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""The whole road of a paste, as a user takes it: the real application on an
X server of its own, the real X clipboard, real key presses, real drags over
XDND from another X client (drag_source, standing for a file manager or a
browser), and the fake translation service (which answers "[LANG] TEXT").

Usage: end_to_end.py --app build/bin/quillmere-loopback --port PORT
       --tls-app build/bin/quillmere-loopback-tls --tls-port PORT
       --drag-source build/tests/quillmere-drag-source [unittest arguments]
"""

import argparse
import glob
import os
import subprocess
import sys
import time
import unittest
import urllib.parse

sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))

from e2e_harness import (  # noqa: E402
    SCREEN, App, Desktop, FakeService, SessionBus, TlsFront, differing_pixels, png_size, stop_process,
    trusting_wrapper, wait_for)
import e2e_pictures  # noqa: E402

ARGS = None


class EndToEnd(unittest.TestCase):
    """Each test gets its own X server, fake service and application, all
    stopped when it ends, whether it passed or not."""

    maxDiff = None
    # The application under test was built for the fake service on this port.
    service_on_fixed_port = True

    def setUp(self):
        self.desktop = Desktop()
        self.addCleanup(self.desktop.close)
        self.service = FakeService(self.desktop.home, port=ARGS.port if self.service_on_fixed_port else 0)
        self.addCleanup(self.service.close)
        # A name to escape in a file address.
        self.picture = self.desktop.path("Screenshot from today.png")
        self.lines = e2e_pictures.settings_dialog(self.picture)
        self.address = "file://" + urllib.parse.quote(self.picture)

    def launch(self, binary=None, wrapper=(), **options):
        self.app = App(self.desktop, binary or ARGS.app, wrapper, **options)
        self.addCleanup(self.app.close)
        self.app.wait_for_window()
        return self.app

    def paste_picture_on_clipboard(self):
        self.desktop.serve_clipboard(self.png(), "image/png")

    def png(self):
        with open(self.picture, "rb") as f:
            return f.read()

    def assert_translated(self):
        self.assertEqual(self.app.copied_text(), "\n".join(f"[iw] {line}" for line in self.lines))
        self.assertCountEqual(self.service.requests(), [("iw", line) for line in self.lines])

    def assert_ended_cleanly(self):
        code = self.app.wait_for_exit(timeout=20)
        errors = self.app.stderr()
        self.assertEqual(code, 0, f"exit status {code}; stderr:\n{errors}")
        self.assertEqual(errors.strip(), "", "the application wrote to stderr")
        self.assertEqual(glob.glob(os.path.join(self.desktop.home, "core*")), [])

    def drag(self, offers):
        """Drags content from another client onto the middle of the picture
        view and lets go: `offers` maps each content type to its bytes."""
        argv = [ARGS.drag_source]
        for number, (content_type, data) in enumerate(offers.items()):
            argv += [content_type, self.desktop.path(f"offer-{number}")]
            with open(argv[-1], "wb") as f:
                f.write(data)
        source = subprocess.Popen(argv, env=self.desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            window = wait_for("the drag source", lambda: self.desktop.visible_window("Drag source"))
            sx, sy, sw, sh = self.desktop.geometry(window)
            tx, ty, tw, th = self.desktop.geometry(self.app.window)
            start, target = (sx + sw // 2, sy + sh // 2), (tx + tw // 2, ty + th // 2)
            self.desktop.run(["xdotool", "mousemove", "--sync", *map(str, start), "mousedown", "1"])
            # Several moves, as a hand makes them: XDND asks the window under
            # the pointer at each one whether it takes the drop.
            for step in range(1, 11):
                point = (start[i] + (target[i] - start[i]) * step // 10 for i in (0, 1))
                self.desktop.run(["xdotool", "mousemove", *map(str, point)])
                time.sleep(0.05)
            time.sleep(0.2)
            self.desktop.run(["xdotool", "mouseup", "1"])
            # The source ends its drag once the drop is taken and its content read.
            time.sleep(1.0)
        finally:
            stop_process(source)


class PictureAtLaunch(EndToEnd):
    def test_picture_on_the_clipboard_at_launch_is_translated(self):
        self.paste_picture_on_clipboard()
        app = self.launch()
        # Centred on the screen; the content area is 960 x 700 below the menu bar.
        x, y, width, height = self.desktop.geometry(app.window)
        self.assertEqual(width, 960)
        self.assertTrue(700 < height < 760, height)
        self.assertLessEqual(abs(x + width / 2 - SCREEN[0] / 2), 2)
        self.assertLessEqual(abs(y + height / 2 - SCREEN[1] / 2), 30)

        # Nothing but the key presses that copy: the picture was taken up at launch.
        self.assert_translated()
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
        # The next run takes its first picture to be in this one's language.
        with open(os.path.join(self.desktop.home, ".config/quillmere/quillmere.conf"), encoding="utf-8") as f:
            self.assertIn("lastLanguage=eng", f.read())


class Https(EndToEnd):
    """The way to the real service: HTTPS, where the client offers HTTP/2,
    and a certificate that must be trusted. nghttpx stands in front of the
    fake service with a certificate made for the test."""

    service_on_fixed_port = False

    def setUp(self):
        super().setUp()
        self.front = TlsFront(self.desktop.home, ARGS.tls_port, self.service.port)
        self.addCleanup(self.front.close)

    def test_every_line_goes_over_http2(self):
        wrapper = trusting_wrapper(self.front.certificate, self.desktop.home)
        if wrapper is None:
            self.skipTest("no private mount namespace here to trust the test's certificate in")
        self.paste_picture_on_clipboard()
        app = self.launch(ARGS.tls_app, wrapper)
        self.assert_translated()
        self.assertEqual(self.front.protocols(), ["h2"] * len(self.lines))
        # The window manager's close button ends the process as Ctrl+Q does.
        app.close_window()
        self.assert_ended_cleanly()


class PastedFile(EndToEnd):
    def test_a_file_copied_in_a_file_manager_is_translated_at_launch(self):
        self.desktop.serve_clipboard(f"{self.address}\r\n".encode(), "text/uri-list")
        self.launch()
        self.assert_translated()


class DroppedFile(EndToEnd):
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


class DroppedPicture(EndToEnd):
    def test_picture_data_from_a_browser_is_translated_and_its_web_address_never_fetched(self):
        self.launch()
        web = f"http://127.0.0.1:{ARGS.port}/pictures/settings.png"
        self.drag({"image/png": self.png(), "text/uri-list": f"{web}\r\n".encode(), "text/x-moz-url": web.encode()})
        self.assert_translated()


class FileArgument(EndToEnd):
    def test_a_file_named_at_launch_is_translated(self):
        # Named relative to the folder it is started in, as a shell passes it.
        self.launch(args=[os.path.basename(self.picture)])
        self.assert_translated()


class PipedPicture(EndToEnd):
    def test_a_picture_piped_in_is_translated(self):
        self.launch(args=["-"], stdin=subprocess.PIPE)
        # A screenshot tool writes only once its user has chosen the region.
        time.sleep(1)
        self.app.process.stdin.write(self.png())
        self.app.process.stdin.close()
        self.assert_translated()


class SecondLaunch(EndToEnd):
    """On a session bus, as in a desktop session."""

    def setUp(self):
        super().setUp()
        self.addCleanup(SessionBus(self.desktop).close)

    def launch_again(self, args, stdin, cwd):
        """Starts the program once more; its exit status and how long it ran."""
        started = time.monotonic()
        done = subprocess.run([ARGS.app, *args], env=self.desktop.env, cwd=cwd, stdin=stdin,
                              capture_output=True, timeout=30)
        return done.returncode, time.monotonic() - started, done.stderr.decode(errors="replace")

    def assert_handed_over(self, outcome):
        status, seconds, errors = outcome
        self.assertEqual(status, 0, errors)
        self.assertLess(seconds, 1.0)
        # The running window, brought back from the task bar, and no other.
        self.assertEqual(wait_for("the window shown", self.desktop.visible_windows), [self.app.window])

    def test_a_second_launch_hands_its_picture_to_the_running_window_and_ends(self):
        app = self.launch()
        self.desktop.run(["xdotool", "windowminimize", "--sync", app.window])
        # From another folder: the file's name is made absolute before it is handed over.
        elsewhere = self.desktop.path("elsewhere")
        os.mkdir(elsewhere)
        relative = os.path.join("..", os.path.basename(self.picture))
        self.assert_handed_over(self.launch_again([relative], subprocess.DEVNULL, elsewhere))
        self.assert_translated()

        # A pipe is handed over as it is: the running window reads it, also
        # what is written only after the second launch has ended. Another
        # page, so its lines are asked for rather than remembered.
        sound = self.desktop.path("sound.png")
        sound_lines = e2e_pictures.settings_dialog(sound, e2e_pictures.SOUND)
        reader, writer = os.pipe()
        self.desktop.run(["xdotool", "windowminimize", "--sync", app.window])
        outcome = self.launch_again(["-"], reader, self.desktop.home)
        os.close(reader)
        with os.fdopen(writer, "wb") as pipe, open(sound, "rb") as picture:
            pipe.write(picture.read())
        self.assert_handed_over(outcome)
        expected = [("iw", line) for line in self.lines + sound_lines]
        wait_for("the piped picture's lines at the service", lambda: len(self.service.requests()) == len(expected))
        self.assertCountEqual(self.service.requests(), expected)
        self.assertEqual(self.app.copied_text(), "\n".join(f"[iw] {line}" for line in sound_lines))

        app.press("ctrl+q")
        self.assert_ended_cleanly()


class BadArguments(EndToEnd):
    def test_what_is_no_picture_gives_the_no_image_message_and_nothing_hangs(self):
        # The message as a launch on an empty clipboard shows it, a moment after the window appears.
        self.launch()
        time.sleep(1.5)
        expected = self.app.status_screenshot(self.desktop.path("no-image.png"))
        self.app.press("ctrl+q")
        self.assert_ended_cleanly()

        folder, fifo, text = (self.desktop.path(name) for name in ("folder.png", "fifo.png", "notes.png"))
        os.mkdir(folder)
        os.mkfifo(fifo)
        with open(text, "w", encoding="utf-8") as f:
            f.write("Network settings\n" * 100)
        web = f"http://127.0.0.1:{ARGS.port}/pictures/settings.png"
        for argument in (folder, fifo, self.desktop.path("gone.png"), text, web):
            with self.subTest(argument=argument):
                app = self.launch(args=[argument])
                shown = self.desktop.path("status.png")
                wait_for("the no-image message", lambda: differing_pixels(
                    self.desktop, app.status_screenshot(shown), expected) == 0, timeout=15, interval=0.2)
                app.press("ctrl+q")
                self.assert_ended_cleanly()
        self.assertEqual(self.service.requests(), [])


if __name__ == "__main__":
    parser = argparse.ArgumentParser(add_help=False)
    for option in ("--app", "--tls-app", "--drag-source"):
        parser.add_argument(option, required=True, type=os.path.abspath)
    for option in ("--port", "--tls-port"):
        parser.add_argument(option, required=True, type=int)
    ARGS, rest = parser.parse_known_args()
    outcome = unittest.main(argv=[sys.argv[0], *rest], verbosity=2, exit=False).result
    # 77 tells CTest that what it ran was skipped.
    if outcome.wasSuccessful() and outcome.skipped and len(outcome.skipped) == outcome.testsRun:
        sys.exit(77)
    sys.exit(0 if outcome.wasSuccessful() else 1)
