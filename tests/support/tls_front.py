#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""HTTPS with HTTP/2 in front of a local plain-HTTP service, for tests and benchmarks.

Makes a throw-away certificate for 127.0.0.1 (DIR/cert.pem, DIR/key.pem) with
openssl, then runs nghttpx on 127.0.0.1 (--port, or a free port): it speaks HTTP/2 or
HTTP/1.1 (whichever the client offers through ALPN) over TLS and forwards every
request to 127.0.0.1:BACKEND_PORT over HTTP/1.1. A client that trusts
DIR/cert.pem reaches the service at https://127.0.0.1:PORT/.

nghttpx writes "<alpn> <request line> <status>" per request to DIR/access.log.
Stops, with nghttpx, on SIGTERM or SIGINT, when the process that started it
ends, or after --max-seconds.
"""

import argparse
import os
import signal
import socket
import subprocess
import sys
import threading
import time


def make_certificate(directory):
    cert, key = os.path.join(directory, "cert.pem"), os.path.join(directory, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
         "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
         "-keyout", key, "-out", cert],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def listening(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.2):
            return True
    except OSError:
        return False


def start_nghttpx(directory, backend_port, cert, key, fixed_port=0):
    """Starts nghttpx on `fixed_port`, or on a free port, retrying when another
    process took that port first."""
    errors = open(os.path.join(directory, "error.log"), "ab")
    for _ in range(1 if fixed_port else 5):
        port = fixed_port or free_port()
        proxy = subprocess.Popen(
            ["nghttpx", "--conf=/dev/null", f"--frontend=127.0.0.1,{port}", f"--backend=127.0.0.1,{backend_port}",
             "--workers=1", "--no-ocsp", "--no-location-rewrite", "--backend-keep-alive-timeout=60s",
             f"--accesslog-file={os.path.join(directory, 'access.log')}", "--accesslog-format=$alpn $request $status",
             f"--errorlog-file={os.path.join(directory, 'error.log')}", key, cert],
            stdin=subprocess.DEVNULL, stdout=errors, stderr=errors)
        deadline = time.monotonic() + 10
        while proxy.poll() is None and time.monotonic() < deadline:
            if listening(port):
                return proxy, port
            time.sleep(0.05)
        proxy.kill()
        proxy.wait()
    raise SystemExit("tls_front: nghttpx did not start; see " + os.path.join(directory, "error.log"))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--backend-port", type=int, required=True)
    parser.add_argument("--dir", required=True, help="folder for the certificate, its key and the logs")
    parser.add_argument("--port", type=int, default=0, help="HTTPS port on 127.0.0.1 (default: any free one)")
    parser.add_argument("--port-file", required=True, help="write the HTTPS port here once it listens")
    parser.add_argument("--max-seconds", type=float, help="stop by itself after this long")
    args = parser.parse_args()

    os.makedirs(args.dir, exist_ok=True)
    stop = threading.Event()
    signal.signal(signal.SIGTERM, lambda *_: stop.set())
    signal.signal(signal.SIGINT, lambda *_: stop.set())

    cert, key = make_certificate(args.dir)
    proxy, port = start_nghttpx(args.dir, args.backend_port, cert, key, args.port)
    partial = args.port_file + ".partial"
    with open(partial, "w", encoding="ascii") as f:
        f.write(f"{port}\n")
    os.replace(partial, args.port_file)

    parent = os.getppid()
    deadline = time.monotonic() + args.max_seconds if args.max_seconds else None
    while not stop.wait(0.2) and proxy.poll() is None:
        if os.getppid() != parent or (deadline is not None and time.monotonic() >= deadline):
            break
    proxy.terminate()
    try:
        proxy.wait(timeout=5)
    except subprocess.TimeoutExpired:
        proxy.kill()
        proxy.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
