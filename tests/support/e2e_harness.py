# SPDX-License-Identifier: GPL-3.0-or-later

"""Runs the real application the way a user meets it: on an X server of its
own (Xvfb on a free display, with openbox as the window manager), with the
real X clipboard filled and read through xclip, real key presses and clicks
sent with xdotool, and the fake translation service on 127.0.0.1.

Every piece is a context manager (or has close()), so a test that registers
each one with addCleanup or an ExitStack leaves nothing running when it fails.
"""

import fcntl
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

from fake_translate import query_pairs

SUPPORT = os.path.dirname(os.path.realpath(__file__))
SCREEN = (1280, 900)
WINDOW_TITLE = "Quillmere"
# The picture view is the lower 960 x 656 of the window's content.
PICTURE_AREA = (960, 656)


def wait_for(what, check, timeout=15.0, interval=0.05):
    deadline = time.monotonic() + timeout
    while not (result := check()):
        if time.monotonic() >= deadline:
            raise AssertionError(f"timed out after {timeout:g} s waiting for {what}")
        time.sleep(interval)
    return result


def stop_process(process, timeout=10):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=timeout)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


class Closing:
    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.close()


class Desktop(Closing):
    """An Xvfb server with openbox on it, and a private home folder."""

    def __init__(self, screen=SCREEN):
        self.screen = screen
        self.home = tempfile.mkdtemp(prefix="quillmere-e2e-")
        self.clipboard_server = None
        self.server = self.wm = None
        for _ in range(3):
            try:
                self._start()
                return
            except (RuntimeError, AssertionError):
                self._stop()
        self.close()
        raise RuntimeError("could not start an X server with a window manager")

    def _start(self):
        # Xvfb takes the first display whose lock file and sockets (abstract
        # ones included, which other sandboxes may hold) are free.
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", "1", "-screen", "0", f"{self.screen[0]}x{self.screen[1]}x24", "-nolisten", "tcp"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        number = self.server.stdout.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, 0o700, exist_ok=True)
        self.env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "WAYLAND_"))}
        self.env.update(DISPLAY=f":{number}", HOME=self.home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
                        XDG_SESSION_TYPE="x11", LC_ALL="C.UTF-8", DBUS_SESSION_BUS_ADDRESS=self.no_bus())
        self.wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for("the window manager",
                 lambda: "window id" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], check=False),
                 timeout=10)

    def no_bus(self):
        """A session bus address where there is none: each launch has a
        window of its own, and none reaches a Quillmere of this machine's
        own session."""
        return f"unix:path={self.path('no-session-bus')}"

    def run(self, argv, check=True, binary=False, timeout=30):
        done = subprocess.run(argv, env=self.env, capture_output=True, text=not binary, timeout=timeout)
        if check and done.returncode != 0:
            raise AssertionError(f"{argv} failed: {done.stderr}")
        return done.stdout

    def path(self, name):
        return os.path.join(self.home, name)

    # The clipboard

    def serve_clipboard(self, data, target):
        """Makes `data` (bytes) the clipboard's content, offered as `target`
        ("image/png", "UTF8_STRING"), the way an application that copied it
        would: xclip owns the clipboard and serves it until another client
        takes it over."""
        stop_process(self.clipboard_server)
        source = self.path("clipboard-source")
        with open(source, "wb") as f:
            f.write(data)
        self.clipboard_server = subprocess.Popen(
            ["xclip", "-quiet", "-selection", "clipboard", "-t", target, "-i", source], env=self.env,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(f"{target} on the clipboard", lambda: target in self.clipboard_targets())

    def clipboard_targets(self):
        return self.run(["xclip", "-selection", "clipboard", "-o", "-t", "TARGETS"], check=False).split()

    def read_clipboard(self, target):
        """The clipboard's content as `target`, or None when it offers no such
        thing. (xclip, as the owner, answers any target with what it holds, so
        the list of targets decides.)"""
        if target not in self.clipboard_targets():
            return None
        done = subprocess.run(["xclip", "-selection", "clipboard", "-o", "-t", target], env=self.env,
                              capture_output=True, timeout=15)
        return done.stdout if done.returncode == 0 else None

    def read_clipboard_text(self):
        data = self.read_clipboard("UTF8_STRING")
        return data.decode("utf-8", errors="replace") if data is not None else None

    # Windows

    def visible_windows(self, title=WINDOW_TITLE):
        return self.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"],
                        check=False).split()

    def visible_window(self, title=WINDOW_TITLE):
        found = self.visible_windows(title)
        return found[0] if found else None

    def geometry(self, window):
        """x, y, width, height of a window's own area, without the window manager's frame."""
        fields = {}
        for line in self.run(["xwininfo", "-id", window]).splitlines():
            key, _, value = line.strip().partition(":")
            fields[key] = value.strip()
        return (int(fields["Absolute upper-left X"]), int(fields["Absolute upper-left Y"]),
                int(fields["Width"]), int(fields["Height"]))

    def screenshot(self, path, window=None):
        self.run(["import", "-window", window or "root", path])
        return path

    def close(self):
        self._stop()
        shutil.rmtree(self.home, ignore_errors=True)

    def _stop(self):
        for process in (self.clipboard_server, self.wm, self.server):
            stop_process(process)
        self.clipboard_server = self.server = self.wm = None


class SessionBus(Closing):
    """A session bus of the desktop's own, which the programs started on it
    from now on find: a dbus-daemon, as dbus-run-session starts one."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.process = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1",
             f"--address=unix:path={desktop.path('session-bus')}"],
            env=desktop.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = self.process.stdout.readline().strip()
        if not address:
            self.close()
            raise RuntimeError("dbus-daemon did not start")
        desktop.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def close(self):
        stop_process(self.process)
        self.desktop.env["DBUS_SESSION_BUS_ADDRESS"] = self.desktop.no_bus()


class LocalServer(Closing):
    """One of the servers of this folder, started with `argv` and
    "--port-file"; `port` is where it listens once it has started."""

    def __init__(self, script, argv, folder, port=0):
        self.lock = None
        if port:
            # Keeps other runs on this machine (another build's tests, a
            # benchmark) off a fixed port while the file is open.
            self.lock = open(os.path.join(tempfile.gettempdir(), f"quillmere-loopback-{port}.lock"), "w")
            try:
                fcntl.flock(self.lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
            except BlockingIOError:
                print(f"waiting for another run to free port {port}", file=sys.stderr)
                fcntl.flock(self.lock, fcntl.LOCK_EX)
        port_file = os.path.join(folder, f"{script}.port")
        errors = os.path.join(folder, f"{script}.errors")
        with open(errors, "wb") as stderr:
            self.process = subprocess.Popen(
                [sys.executable, os.path.join(SUPPORT, script), "--port", str(port), "--port-file", port_file,
                 "--max-seconds", "900", *argv], stdout=subprocess.DEVNULL, stderr=stderr)
        try:
            wait_for(script, lambda: os.path.exists(port_file) or self.process.poll() is not None, timeout=20)
            if self.process.poll() is not None:
                with open(errors, encoding="utf-8", errors="replace") as f:
                    raise RuntimeError(f"{script} did not start on port {port}: {f.read()}")
            with open(port_file, encoding="ascii") as f:
                self.port = int(f.read())
        except BaseException:
            self.close()
            raise

    def close(self):
        stop_process(self.process)
        if self.lock:
            self.lock.close()
            self.lock = None


def log_lines(path):
    if not os.path.exists(path):
        return []
    with open(path, encoding="latin-1") as f:
        return [line.rstrip("\n") for line in f if line.strip()]


class FakeService(LocalServer):
    """fake_translate.py, with its request log and its log of times (see its --times)."""

    def __init__(self, folder, port=0, delay_ms=0, extra=()):
        self.log, self.times = os.path.join(folder, "requests.log"), os.path.join(folder, "times.log")
        super().__init__("fake_translate.py", ["--log", self.log, "--times", self.times, "--delay-ms", str(delay_ms),
                                               *extra], folder, port)

    def requests(self):
        """(target language, text) of every request so far, in arrival order."""
        pairs = (query_pairs(line.split(" ")[1].partition("?")[2]) for line in log_lines(self.log))
        return [(p.get("tl", ""), p.get("q", "")) for p in pairs]

    def stamps(self):
        """(time, "in" or "out") of every request so far."""
        fields = (line.split(" ", 2) for line in log_lines(self.times) if line.count(" ") >= 2)
        return [(float(t), event) for t, event, _ in fields]


def trusting_wrapper(certificate, folder):
    """A command line (for App's `wrapper`) that runs a program in a private
    mount namespace whose system certificate folder holds `certificate`
    alone: the program trusts the system's certificates and no others, and
    this leaves the machine's own as they are. None when the machine allows
    no such namespace (it needs root or unprivileged user namespaces)."""
    trusted = os.path.join(folder, "trusted")
    os.makedirs(trusted, exist_ok=True)
    shutil.copy(certificate, os.path.join(trusted, "local.pem"))
    subprocess.run(["openssl", "rehash", trusted], check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    namespace = ["unshare", "--mount", "--propagation", "private"]
    if os.geteuid() != 0:
        namespace = ["unshare", "--user", "--map-root-user", "--mount", "--propagation", "private"]
    wrapper = [*namespace, "sh", "-c", 'mount --bind "$0" /etc/ssl/certs && exec "$1"', trusted]
    works = subprocess.run([*wrapper, "true"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
    return wrapper if works else None


class TlsFront(LocalServer):
    """tls_front.py on a fixed port, in front of a fake service."""

    def __init__(self, folder, port, backend_port):
        super().__init__("tls_front.py", ["--backend-port", str(backend_port), "--dir", os.path.join(folder, "tls")],
                         folder, port)
        self.access_log = os.path.join(folder, "tls", "access.log")
        self.certificate = os.path.join(folder, "tls", "cert.pem")

    def protocols(self):
        """The protocol (ALPN) of every request so far: "h2" or "http/1.1"."""
        return [line.split(" ", 1)[0] for line in log_lines(self.access_log)]


class App(Closing):
    """The application under test, started on a desktop."""

    def __init__(self, desktop, binary, wrapper=(), args=(), stdin=subprocess.DEVNULL):
        """`wrapper` is a command line that the binary's path is appended to,
        which must exec it (so that the process is the application's);
        `args` follow the binary. With `stdin` subprocess.PIPE, the test
        writes the program's standard input through `process.stdin`."""
        self.desktop = desktop
        self.stderr_path = desktop.path("app-stderr.txt")
        with open(self.stderr_path, "wb") as stderr:
            self.process = subprocess.Popen([*wrapper, binary, *args], env=desktop.env, cwd=desktop.home,
                                            stdin=stdin, stdout=subprocess.DEVNULL, stderr=stderr)
        self.window = None

    def wait_for_window(self, timeout=20):
        try:
            self.window = wait_for("the window", self.desktop.visible_window, timeout=timeout)
        except AssertionError as timeout_error:
            state = "still running" if self.process.poll() is None else f"ended with status {self.process.poll()}"
            windows = self.desktop.run(["wmctrl", "-l"], check=False)
            raise AssertionError(f"{timeout_error}; the application is {state}; stderr:\n{self.stderr()}\n"
                                 f"windows:\n{windows}") from None
        return self.window

    def focus(self):
        self.desktop.run(["xdotool", "windowactivate", "--sync", self.window])
        self.desktop.run(["xdotool", "windowfocus", "--sync", self.window])

    def press(self, keys):
        """Real key presses to the focused window, e.g. "ctrl+shift+c"."""
        self.focus()
        self.desktop.run(["xdotool", "key", "--clearmodifiers", keys])

    def close_window(self):
        """Closes the window the way its title bar's close button does: the
        window manager asks the application to close it."""
        self.desktop.run(["wmctrl", "-i", "-c", self.window])

    def picture_area_screenshot(self, path):
        """The picture view alone, as the screen shows it."""
        whole = self.desktop.screenshot(self.desktop.path("window.png"), self.window)
        _, _, width, height = self.desktop.geometry(self.window)
        self.desktop.run(["convert", whole, "-crop",
                          f"{PICTURE_AREA[0]}x{PICTURE_AREA[1]}+0+{height - PICTURE_AREA[1]}", "+repage", path])
        return path

    def status_screenshot(self, path):
        """The status line alone, as the screen shows it: 420 x 20 at (525, 12)
        of the content, which is the window's lower 700 rows."""
        whole = self.desktop.screenshot(self.desktop.path("window.png"), self.window)
        _, _, _, height = self.desktop.geometry(self.window)
        self.desktop.run(["convert", whole, "-crop", f"420x20+525+{height - 700 + 12}", "+repage", path])
        return path

    def copied_text(self, previous=None, timeout=60):
        """Presses Ctrl+Shift+C until the clipboard holds text other than
        `previous`: until a job has finished, the command leaves the
        clipboard alone."""
        def attempt():
            self.press("ctrl+shift+c")
            # The clipboard changes owner a moment after the key press.
            deadline = time.monotonic() + 0.5
            text = self.desktop.read_clipboard_text()
            while text == previous and time.monotonic() < deadline:
                time.sleep(0.05)
                text = self.desktop.read_clipboard_text()
            return text if text is not None and text != previous else None
        return wait_for("the translated text on the clipboard", attempt, timeout=timeout, interval=0.2)

    def copied_png(self, timeout=20):
        """Presses Ctrl+C and returns the PNG it puts on the clipboard, which
        must hold no PNG before."""
        if "image/png" in self.desktop.clipboard_targets():
            raise AssertionError("the clipboard holds a PNG already")
        self.press("ctrl+c")
        return wait_for("a PNG on the clipboard", lambda: self.desktop.read_clipboard("image/png"),
                        timeout=timeout, interval=0.1)

    def stderr(self):
        with open(self.stderr_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    def wait_for_exit(self, timeout=20):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise AssertionError(f"the application is still running {timeout} s later") from None

    def close(self):
        if self.process.stdin:
            self.process.stdin.close()
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


def png_size(data):
    """Width and height of a PNG, or None when `data` is not one."""
    if len(data) < 24 or data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        return None
    return int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")


def differing_pixels(desktop, first, second, fuzz_percent=2):
    """How many pixels of two pictures of one size differ by more than the fuzz."""
    done = subprocess.run(["compare", "-fuzz", f"{fuzz_percent}%", "-metric", "AE", first, second, "null:"],
                          env=desktop.env, capture_output=True, text=True, timeout=60)
    if done.returncode not in (0, 1):
        raise AssertionError(f"compare failed: {done.stderr}")
    return int(float(done.stderr.split()[0]))
