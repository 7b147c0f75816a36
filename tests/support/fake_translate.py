#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""A stand-in for the translation web service, for tests and benchmarks.

Serves HTTP/1.1 on 127.0.0.1, many connections at once. Every GET of
/translate_a/single?client=gtx&sl=auto&tl=LANG&dt=t&q=TEXT gets a reply in the
real service's shape: a list of segments, each [translation, source, null,
null, 10], followed by the detected language. The translation of TEXT is
"[LANG] TEXT", so a test can tell it from the source.

Per text (the decoded value of q; "*" stands for every text without a rule of
its own), a rule may replace that answer:
  --answer TEXT STATUS BODY   reply with this status and body
  --fail TEXT:MODE            fail in one of the ways listed in FAIL_MODES
  --throttle TEXT TIMES STATUS RETRY_AFTER
                              refuse the first TIMES requests of TEXT (or
                              "forever") with STATUS (429, 503) and this
                              Retry-After ("-" for none, "date+N" for the
                              HTTP date N seconds from now), then answer

With --times, each request also leaves two lines in that file, "<t> in <request
line>" when it has been read and "<t> out <request line>" when its answer has
been written, t being seconds on the system's monotonic clock (Python's
time.monotonic()), which other processes on the machine can compare with.

The server stops as wait_for_the_end says.
"""

import argparse
import email.utils
import json
import os
import signal
import socket
import struct
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

FAIL_MODES = {
    "refuse": "reset the connection without answering",
    "hang": "read the request and never answer",
    "cutoff": "promise the whole body, send half of it, close the connection",
    "error-page": "429 with an HTML page, as the service does when it is flooded",
    "bad-json": "200 with a JSON body broken off in the middle",
    "bad-utf8": "200 with a JSON string holding bytes that are not UTF-8",
    "huge-body": "200 with an endless chunked body of valid-looking JSON",
    "trickle": "200, then one byte of the body every --trickle-ms, forever",
    "redirect": "302 to /after-redirect on the same scheme and host (relative Location)",
    "redirect-http": "302 to http://127.0.0.1:PORT/after-redirect",
    "redirect-file": "302 to file:///etc/passwd",
}

SERVICE_PATH = "/translate_a/single"


def translation_reply(text, target):
    """The body the service would send, with "[target] text" as the translation."""
    if not text:
        return [None, None, "en", None, None, None, None, []]
    return [[[f"[{target}] {text}", text, None, None, 10]], None, "en", None, None, None, 1, [], [["en"], None, [1], ["en"]]]


def query_pairs(raw_query):
    """The pairs of a query, decoded as the service does ("+" stays "+")."""
    pairs = {}
    for item in raw_query.split("&"):
        key, _, value = item.partition("=")
        pairs.setdefault(urllib.parse.unquote(key), urllib.parse.unquote(value, errors="replace"))
    return pairs


class Service:
    def __init__(self, args):
        self.delay = args.delay_ms / 1000.0
        self.trickle = args.trickle_ms / 1000.0
        self.rules = {text: ("answer", (int(status), body.encode("utf-8"))) for text, status, body in args.answer}
        for rule in args.fail:
            text, sep, mode = rule.rpartition(":")
            if not sep or mode not in FAIL_MODES:
                raise SystemExit(f"fake_translate: bad --fail {rule!r}; modes: {', '.join(FAIL_MODES)}")
            self.rules[text] = ("fail", mode)
        self.throttles = {}
        for text, times, status, retry_after in args.throttle:
            left = None if times == "forever" else int(times)
            self.throttles[text] = [left, int(status), retry_after]
        self.stopping = threading.Event()
        self.log_lock = threading.Lock()
        self.log = open(args.log, "a", encoding="latin-1", buffering=1) if args.log else None
        self.headers = open(args.headers, "a", encoding="latin-1", buffering=1) if args.headers else None
        self.times = open(args.times, "a", encoding="latin-1", buffering=1) if args.times else None

    def record(self, request_line, headers):
        with self.log_lock:
            if self.log:
                self.log.write(request_line + "\n")
            if self.headers:
                self.headers.write(" ".join(sorted(name.lower() for name in headers.keys())) + "\n")

    def refusal(self, text):
        """(status, Retry-After or None) when this request of `text` is to be
        refused, else None; counts the refusals of a limited rule down."""
        with self.log_lock:
            rule = self.throttles.get(text, self.throttles.get("*"))
            if rule is None or rule[0] == 0:
                return None
            if rule[0] is not None:
                rule[0] -= 1
            _, status, retry_after = rule
        if retry_after == "-":
            return status, None
        if retry_after.startswith("date+"):
            return status, email.utils.formatdate(time.time() + float(retry_after[5:]), usegmt=True)
        return status, retry_after

    def stamp(self, event, request_line):
        if self.times:
            now = time.monotonic()
            with self.log_lock:
                self.times.write(f"{now:.6f} {event} {request_line}\n")


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "fake-translate/1"
    # Headers and body go out in separate writes; with Nagle's algorithm the
    # body would wait for the client's delayed ACK, some 40 ms.
    disable_nagle_algorithm = True

    def log_message(self, *args):
        pass

    @property
    def service(self):
        return self.server.service

    def do_GET(self):
        request_line = self.raw_requestline.decode("latin-1").rstrip("\r\n")
        self.service.stamp("in", request_line)
        self.service.record(request_line, self.headers)
        path, _, raw_query = self.path.partition("?")
        pairs = query_pairs(raw_query)
        text, target = pairs.get("q", ""), pairs.get("tl", "")
        if self.service.delay and self.service.stopping.wait(self.service.delay):
            return
        rule = self.service.rules.get(text, self.service.rules.get("*")) if path == SERVICE_PATH else None
        refusal = self.service.refusal(text) if path == SERVICE_PATH else None
        try:
            if refusal:
                self.refuse(*refusal)
            elif rule is None:
                self.send(200, json.dumps(translation_reply(text, target), ensure_ascii=False, separators=(",", ":")).encode("utf-8"))
            elif rule[0] == "answer":
                self.send(*rule[1])
            else:
                getattr(self, "fail_" + rule[1].replace("-", "_"))(raw_query)
            self.wfile.flush()
            self.service.stamp("out", request_line)
        except (BrokenPipeError, ConnectionResetError):
            self.close_connection = True

    def head(self, status, *headers, content_type="application/json; charset=UTF-8"):
        self.send_response(status)
        for name, value in (("Content-Type", content_type), *headers):
            self.send_header(name, value)
        self.end_headers()

    def send(self, status, body, content_type="application/json; charset=UTF-8"):
        # As the service does: a client that kept these would send them back.
        self.head(status, ("Content-Length", len(body)), ("Set-Cookie", "NID=511=tracking; Path=/; HttpOnly"),
                  ("Set-Cookie", "CONSENT=YES+; Domain=127.0.0.1; Path=/"), content_type=content_type)
        self.wfile.write(body)

    def refuse(self, status, retry_after):
        page = b"<html><head><title>Sorry...</title></head><body>Try again later.</body></html>"
        headers = [("Content-Length", len(page))] + ([("Retry-After", retry_after)] if retry_after else [])
        self.head(status, *headers, content_type="text/html; charset=UTF-8")
        self.wfile.write(page)

    def fail_refuse(self, _):
        self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
        self.close_connection = True

    def fail_hang(self, _):
        self.service.stopping.wait()
        self.close_connection = True

    def fail_cutoff(self, _):
        body = b'[[["Hola ","Hello ",null,null,10],["mundo","world",null,null,10]],null,"en"]'
        self.head(200, ("Content-Length", len(body)))
        self.wfile.write(body[: len(body) // 2])
        self.close_connection = True

    def fail_error_page(self, _):
        page = b"<html><head><title>Sorry...</title></head><body>Too many requests.</body></html>"
        self.send(429, page, "text/html; charset=UTF-8")

    def fail_bad_json(self, _):
        self.send(200, b'[[["Hola ","Hello ",null,null,10],["mun')

    def fail_bad_utf8(self, _):
        self.send(200, b'[[["Hola \xff\xfe mundo","Hello world",null,null,10]],null,"en"]')

    def fail_huge_body(self, _):
        self.head(200, ("Transfer-Encoding", "chunked"))
        chunk = b'["' + b"a" * 65_536 + b'",null],'
        self.wfile.write(b"%x\r\n[[\r\n" % 2)
        while not self.service.stopping.is_set():
            self.wfile.write(b"%x\r\n%s\r\n" % (len(chunk), chunk))
        self.close_connection = True

    def fail_trickle(self, _):
        self.head(200, ("Content-Length", 1 << 30))
        while not self.service.stopping.wait(self.service.trickle):
            self.wfile.write(b" ")
            self.wfile.flush()
        self.close_connection = True

    def fail_redirect(self, raw_query):
        self.head(302, ("Location", f"/after-redirect?{raw_query}"), ("Content-Length", 0))

    def fail_redirect_http(self, raw_query):
        location = f"http://127.0.0.1:{self.server.server_port}/after-redirect?{raw_query}"
        self.head(302, ("Location", location), ("Content-Length", 0))

    def fail_redirect_file(self, _):
        self.head(302, ("Location", "file:///etc/passwd"), ("Content-Length", 0))


class Server(ThreadingHTTPServer):
    daemon_threads = True
    request_queue_size = 512

    def handle_error(self, request, client_address):
        pass


def write_port_file(path, port):
    """Writes `port` to `path` whole, so that a reader never sees half of it."""
    with open(path + ".partial", "w", encoding="ascii") as f:
        f.write(f"{port}\n")
    os.replace(path + ".partial", path)


def wait_for_the_end(max_seconds, running=lambda: True):
    """Returns on SIGTERM or SIGINT, when the process that started this one
    ends (a crashed test leaves no server behind), after `max_seconds`, or
    once running() is false."""
    # The handlers only take note: one that set an Event could wait forever
    # for the Event's lock, held by this very thread where the signal found it.
    signalled = []
    signal.signal(signal.SIGTERM, lambda *_: signalled.append(True))
    signal.signal(signal.SIGINT, lambda *_: signalled.append(True))
    parent = os.getppid()
    deadline = time.monotonic() + (max_seconds or float("inf"))
    while not signalled and running() and os.getppid() == parent and time.monotonic() < deadline:
        time.sleep(0.2)


def main():
    parser = argparse.ArgumentParser(
        description=__doc__,
        formatter_class=argparse.RawDescriptionHelpFormatter,
        epilog="fail modes:\n" + "\n".join(f"  {mode:14} {what}" for mode, what in FAIL_MODES.items()),
    )
    parser.add_argument("--port", type=int, default=0, help="port on 127.0.0.1 (default: any free one)")
    parser.add_argument("--port-file", help="write the bound port here once the server listens")
    parser.add_argument("--log", help="append each raw request line to this file")
    parser.add_argument("--headers", help="append the sorted names of each request's headers here")
    parser.add_argument("--times", help="append monotonic times of each request's arrival and answer here")
    parser.add_argument("--delay-ms", type=int, default=0, help="wait this long before every answer")
    parser.add_argument("--trickle-ms", type=int, default=1000, help="pause between bytes in trickle mode")
    parser.add_argument("--answer", nargs=3, action="append", default=[], metavar=("TEXT", "STATUS", "BODY"))
    parser.add_argument("--fail", action="append", default=[], metavar="TEXT:MODE")
    parser.add_argument("--throttle", nargs=4, action="append", default=[],
                        metavar=("TEXT", "TIMES", "STATUS", "RETRY_AFTER"))
    parser.add_argument("--max-seconds", type=float, help="stop by itself after this long")
    args = parser.parse_args()

    server = Server(("127.0.0.1", args.port), Handler)
    server.service = Service(args)
    if args.port_file:
        write_port_file(args.port_file, server.server_port)
    serving = threading.Thread(target=server.serve_forever, kwargs={"poll_interval": 0.1})
    serving.start()
    wait_for_the_end(args.max_seconds)
    server.service.stopping.set()
    server.shutdown()
    server.server_close()
    serving.join()
    return 0


if __name__ == "__main__":
    sys.exit(main())
