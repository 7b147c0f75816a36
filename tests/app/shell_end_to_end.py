#!/usr/bin/env python3
"""Runs the real application on an X server of its own, with a window manager,
and checks the shell the way a user meets it: the window's title, size and
place, and that Ctrl+Q and closing the window end the process cleanly, also
while a picture pasted at launch is still being read.

Usage: shell_end_to_end.py path/to/quillmere
"""

import os
import random
import shutil
import subprocess
import sys
import tempfile
import time
import unittest

APP = None
SCREEN = (1280, 900)


def wait_for(what, check, timeout=15.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        result = check()
        if result:
            return result
        time.sleep(0.05)
    raise AssertionError(f"timed out waiting for {what}")


def displays_in_use():
    """Display numbers with a lock file or a listening socket, the abstract
    ones included: X servers of other sandboxes on this machine may share the
    network namespace without sharing /tmp."""
    used = set()
    with open("/proc/net/unix") as sockets:
        for line in sockets:
            name = line.split()[-1]
            if "/.X11-unix/X" in name:
                used.add(name.rsplit("X", 1)[1])
    for entry in os.listdir("/tmp"):
        if entry.startswith(".X") and entry.endswith("-lock"):
            used.add(entry[2:-5])
    return used


class Desktop:
    """An Xvfb server with openbox on it."""

    def __init__(self):
        self.home = tempfile.mkdtemp(prefix="quillmere-e2e-")
        self.helpers = []
        self.server = self.wm = None
        for _ in range(3):
            try:
                self.start()
                return
            except (RuntimeError, AssertionError):
                self.stop()
        self.close()
        raise RuntimeError("could not start an X server with a window manager")

    def start(self):
        used = displays_in_use()
        number = next(str(n) for n in random.sample(range(200, 30000), 100) if str(n) not in used)
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", f":{number}", "-displayfd", str(write_end), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24",
             "-nolisten", "tcp"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as ready:
            if ready.readline().strip() != number:
                raise RuntimeError("Xvfb did not start")
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, 0o700, exist_ok=True)
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "WAYLAND_"))}
        self.env.update(DISPLAY=f":{number}", HOME=self.home, XDG_RUNTIME_DIR=runtime,
                        XDG_SESSION_TYPE="x11", LC_ALL="C.UTF-8")
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the window manager",
                 lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False),
                 timeout=10)

    def run(self, argv, check=True):
        done = subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=30)
        if check and done.returncode != 0:
            raise AssertionError(f"{argv} failed: {done.stderr}")
        return done.stdout

    def put_picture_on_clipboard(self, width, height):
        path = os.path.join(self.home, "picture.png")
        self.run(["convert", "-size", f"{width}x{height}", "xc:#3a6ea5", path])
        # xclip serves the clipboard in the foreground until it is stopped.
        self.helpers.append(subprocess.Popen(
            ["xclip", "-quiet", "-selection", "clipboard", "-t", "image/png", "-i", path], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("the picture on the clipboard",
                 lambda: "image/png" in self.run(["xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"],
                                                 check=False))

    def stop(self):
        for process in self.helpers + [self.wm, self.server]:
            if process is None:
                continue
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self.helpers = []
        self.server = self.wm = None

    def close(self):
        self.stop()
        shutil.rmtree(self.home, ignore_errors=True)


class ShellEndToEnd(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop()
        self.app = None

    def tearDown(self):
        if self.app and self.app.poll() is None:
            self.app.kill()
            self.app.wait()
        if self.app:
            self.app.stderr.close()
        self.desktop.close()

    def launch(self):
        self.app = subprocess.Popen([APP], env=self.desktop.env, stdout=subprocess.DEVNULL,
                                    stderr=subprocess.PIPE, text=True)
        return wait_for("the window", self.visible_window)

    def visible_window(self):
        found = self.desktop.run(["xdotool", "search", "--onlyvisible", "--name", "^Quillmere$"], check=False)
        return found.split()[0] if found.split() else None

    def geometry(self, window):
        info = self.desktop.run(["xwininfo", "-id", window])
        fields = {}
        for line in info.splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def press(self, window, keys):
        self.desktop.run(["xdotool", "windowactivate", "--sync", window])
        self.desktop.run(["xdotool", "key", "--clearmodifiers", keys])

    def assert_ends_cleanly(self):
        try:
            code = self.app.wait(timeout=20)
        except subprocess.TimeoutExpired:
            self.fail("the application is still running")
        self.assertEqual(code, 0, f"exit status {code}: {self.app.stderr.read()}")

    def test_window_is_titled_sized_and_centred(self):
        window = self.launch()
        self.assertEqual(self.desktop.run(["xdotool", "getwindowname", window]).strip(), "Quillmere")
        x, y, width, height = self.geometry(window)
        # The content area is 960 x 700; the menu bar sits above it.
        self.assertEqual(width, 960)
        self.assertGreater(height, 700)
        self.assertLess(height, 760)
        self.assertLessEqual(abs(x + width / 2 - SCREEN[0] / 2), 2)
        self.assertLessEqual(abs(y + height / 2 - SCREEN[1] / 2), 30)
        self.press(window, "ctrl+q")
        self.assert_ends_cleanly()

    def test_closing_the_window_ends_the_process(self):
        window = self.launch()
        self.press(window, "alt+F4")
        self.assert_ends_cleanly()

    def test_quitting_while_a_picture_is_read(self):
        # Large enough to keep recognition busy for a moment, and plain, so no
        # line is found and nothing is sent to the translation service.
        self.desktop.put_picture_on_clipboard(4000, 3000)
        window = self.launch()
        self.press(window, "ctrl+q")
        self.assert_ends_cleanly()


if __name__ == "__main__":
    APP = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
