#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Nothing the translation service sends makes the app write a file or run a
program: a job answered with the hostile replies below runs under strace, which
must see no program started, no file written or altered. The job still ends
with its usual message.

Usage: no_side_effects.py path/to/ReplyEffectsProbe
"""

import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

PROBE = None
sys.path.insert(0, os.path.join(os.path.dirname(os.path.realpath(__file__)), "..", "support"))

from e2e_harness import FakeService  # noqa: E402

HOSTILE = {
    "shell": "$(touch /tmp/quillmere-pwned); `id > /tmp/quillmere-id`; rm -rf ~ && xdg-open http://127.0.0.1/",
    "paths": "../../../../tmp/quillmere-x file:///etc/passwd ~/.bashrc /dev/sda \\\\server\\share",
    "markup": "<script>alert(1)</script><img src=x onerror=alert(2)><a href='file:///'>x</a><style>*{}</style>",
    "format": "%s%s%s%n%n%x %1 %2 {0} ${HOME} %(name)s",
    "control": "\u001b]0;title\u0007\u001b[2J\u0000\u0008\u007f\u202e\u2066\u200d\ufeff",
    "long": "A" * 100_000,
}


def reply(text):
    return json.dumps([[[text, "source", None, None, 10]], None, "en"])


WRITE_FLAGS = re.compile(r"O_(WRONLY|RDWR|CREAT|TRUNC|APPEND)")
ALTERING = re.compile(r"^\d+ +(mkdir|mkdirat|rename|renameat2?|unlink|unlinkat|rmdir|symlink|symlinkat|link|linkat|chmod|fchmod|"
                      r"fchmodat|chown|fchown|fchownat|lchown|truncate|ftruncate|mknod|mknodat)\(")


class NoSideEffects(unittest.TestCase):
    def test_hostile_replies_change_nothing_outside(self):
        with tempfile.TemporaryDirectory(prefix="quillmere-effects-") as folder:
            lines = sorted(HOSTILE) + ["redirected to a file", "page instead of JSON"]
            rules = []
            for name, text in HOSTILE.items():
                rules += ["--answer", name, "200", reply(text)]
            rules += ["--fail", "redirected to a file:redirect-file",
                      "--answer", "page instead of JSON", "200",
                      "<html><meta http-equiv='refresh' content='0;url=file:///etc/passwd'></html>"]
            with FakeService(folder, extra=rules) as service:
                home = os.path.join(folder, "home")
                os.makedirs(home, 0o700)
                env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_"))}
                env.update(HOME=home, TMPDIR=home, XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="offscreen",
                           LC_ALL="C.UTF-8")
                trace = os.path.join(folder, "trace")
                done = subprocess.run(
                    ["strace", "-f", "-qq", "-s", "200", "-o", trace,
                     "-e", "trace=%process,%file,%desc", PROBE,
                     f"http://127.0.0.1:{service.port}/translate_a/single", *lines],
                    env=env, capture_output=True, text=True, timeout=240)
            self.assertEqual(done.returncode, 0, done.stderr)
            # Two lines cannot be translated (the redirect and the page).
            self.assertEqual(done.stdout.strip(), "בוצע, אבל 2 שורות לא תורגמו (בדוק חיבור לאינטרנט).")

            with open(trace, encoding="utf-8", errors="replace") as f:
                traced = f.read().splitlines()
            # Tried or done, the one program run is the probe itself.
            self.assertEqual(len([c for c in traced if re.match(r"^\d+ +exec", c)]), 1, "a program was started")
            calls = [c for c in traced if "= -1" not in c]
            opened = [c for c in calls if re.match(r"^\d+ +(open|openat|openat2|creat)\(", c)]
            self.assertEqual([c for c in opened if WRITE_FLAGS.search(c)], [], "a file was opened for writing")
            self.assertEqual([c for c in calls if ALTERING.match(c)], [])
            self.assertEqual(os.listdir(home), [])
            self.assertFalse(os.path.exists("/tmp/quillmere-pwned"))


if __name__ == "__main__":
    PROBE = sys.argv.pop(1)
    if not shutil.which("strace"):
        sys.exit("no_side_effects.py: strace is not installed")
    unittest.main()
