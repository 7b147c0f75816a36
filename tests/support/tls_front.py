#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""HTTPS with HTTP/2 in front of a local plain-HTTP service, for tests and benchmarks.

Makes a throw-away certificate for 127.0.0.1 (DIR/cert.pem, DIR/key.pem) with
openssl, then runs nghttpx on 127.0.0.1 (--port, or a free port): it speaks HTTP/2 or
HTTP/1.1 (whichever the client offers through ALPN) over TLS and forwards every
request to 127.0.0.1:BACKEND_PORT over HTTP/1.1. A client that trusts
DIR/cert.pem reaches the service at https://127.0.0.1:PORT/.

nghttpx writes "<alpn> <request line> <status>" per request to DIR/access.log.
Stops, with nghttpx, as fake_translate.wait_for_the_end says.
"""

import argparse
import os
import socket
import subprocess
import sys
import time

from e2e_harness import stop_process
from fake_translate import wait_for_the_end, write_port_file


def make_certificate(directory):
    cert, key = os.path.join(directory, "cert.pem"), os.path.join(directory, "key.pem")
    subprocess.run(
        ["openssl", "req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes",
         "-days", "2", "-subj", "/CN=127.0.0.1", "-addext", "subjectAltName=IP:127.0.0.1",
         "-keyout", key, "-out", cert],
        check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return cert, key


def listening(port):
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=0.2):
            return True
    except OSError:
        return False


def start_nghttpx(directory, backend_port, fixed_port=0):
    """nghttpx on `fixed_port`, or on a free port, trying another when some
    other process took that one first; returns it and its port."""
    cert, key = make_certificate(directory)
    log = os.path.join(directory, "error.log")
    for _ in range(1 if fixed_port else 5):
        with socket.socket() as probe:
            probe.bind(("127.0.0.1", fixed_port))
            port = probe.getsockname()[1]
        proxy = subprocess.Popen(
            ["nghttpx", "--conf=/dev/null", f"--frontend=127.0.0.1,{port}", f"--backend=127.0.0.1,{backend_port}",
             "--workers=1", "--no-ocsp", "--no-location-rewrite", "--backend-keep-alive-timeout=60s",
             f"--accesslog-file={os.path.join(directory, 'access.log')}", "--accesslog-format=$alpn $request $status",
             f"--errorlog-file={log}", key, cert], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while proxy.poll() is None and time.monotonic() < deadline:
            if listening(port):
                return proxy, port
            time.sleep(0.05)
        proxy.kill()
        proxy.wait()
    raise SystemExit(f"tls_front: nghttpx did not start; see {log}")


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--backend-port", type=int, required=True)
    parser.add_argument("--dir", required=True, help="folder for the certificate, its key and the logs")
    parser.add_argument("--port", type=int, default=0, help="HTTPS port on 127.0.0.1 (default: any free one)")
    parser.add_argument("--port-file", required=True, help="write the HTTPS port here once it listens")
    parser.add_argument("--max-seconds", type=float, help="stop by itself after this long")
    args = parser.parse_args()

    os.makedirs(args.dir, exist_ok=True)
    proxy, port = start_nghttpx(args.dir, args.backend_port, args.port)
    write_port_file(args.port_file, port)
    wait_for_the_end(args.max_seconds, lambda: proxy.poll() is None)
    stop_process(proxy, timeout=5)
    return 0


if __name__ == "__main__":
    sys.exit(main())
