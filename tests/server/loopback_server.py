#!/usr/bin/env python3
"""Stands in for every web host during tests and Wine runs.

Wine's internet layer sends requests to the `http_proxy` address in absolute form
("GET http://host/path HTTP/1.1"), so one server on 127.0.0.1 answers for all hosts and
nothing leaves the machine. Every request line is logged as it arrived.

Files are served from ROOT/<host>/<path>, else ROOT/<path>. ROOT/routes.json, re-read on
every request so a test can change it between steps, gives a path its own answer:
  {"/path": {"status": 200, "location": "...", "body": "text" | "file": "name",
             "no_length": false, "cut_after": N, "stall": seconds,
             "chunk": bytes, "chunk_delay": seconds}}
A key with "?" matches the path with its query; other keys match the path alone.
"""

import argparse
import json
import os
import posixpath
import socket
import sys
import threading
import time
import urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

REASONS = {200: "OK", 301: "Moved Permanently", 302: "Found", 303: "See Other",
           307: "Temporary Redirect", 404: "Not Found", 500: "Internal Server Error",
           502: "Bad Gateway", 503: "Service Unavailable"}


class Server(ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True

    def __init__(self, root, log_path):
        super().__init__(("127.0.0.1", 0), Handler)
        self.root = os.path.abspath(root)
        self.log_lock = threading.Lock()
        self.log_file = open(log_path, "a", encoding="utf-8", buffering=1)

    def log_request_line(self, line):
        with self.log_lock:
            self.log_file.write(line + "\n")
            self.log_file.flush()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "ZeloraLoopback/1"

    def log_message(self, *args):  # the request log is ours; keep stderr quiet
        pass

    def parse_request(self):
        ok = super().parse_request()
        if self.requestline:
            self.server.log_request_line(self.requestline)
        return ok

    def do_CONNECT(self):
        self.send_error(502, "Tunnels are not served")

    def do_GET(self):
        self.answer(send_body=True)

    def do_HEAD(self):
        self.answer(send_body=False)

    def do_POST(self):
        length = int(self.headers.get("Content-Length") or 0)
        if length > 0:
            self.rfile.read(length)
        self.answer(send_body=True)

    # -----------------------------------------------------------------------------------

    def target(self):
        """Host and path+query of the request, whichever form it came in."""
        parts = urllib.parse.urlsplit(self.path)
        if parts.scheme:
            host = parts.hostname or ""
        else:
            host = (self.headers.get("Host") or "").split(":")[0]
        path = parts.path or "/"
        return host.lower(), path, parts.query

    def routes(self):
        try:
            with open(os.path.join(self.server.root, "routes.json"), encoding="utf-8") as f:
                data = json.load(f)
            return data if isinstance(data, dict) else {}
        except (OSError, ValueError):
            return {}

    def local_file(self, host, path):
        relative = posixpath.normpath(urllib.parse.unquote(path)).lstrip("/")
        if relative.startswith("..") or relative in ("", "."):
            return None
        for candidate in (os.path.join(self.server.root, host, relative),
                          os.path.join(self.server.root, relative)):
            full = os.path.realpath(candidate)
            if full.startswith(self.server.root + os.sep) and os.path.isfile(full):
                return full
        return None

    def answer(self, send_body):
        host, path, query = self.target()
        routes = self.routes()
        rule = routes.get(path + "?" + query) if query else None
        if rule is None:
            rule = routes.get(path)
        rule = rule if isinstance(rule, dict) else {}

        status = int(rule.get("status", 200))
        body = None
        if "body" in rule:
            body = str(rule["body"]).encode("utf-8")
        elif "file" in rule:
            name = self.local_file("", "/" + str(rule["file"]))
            body = open(name, "rb").read() if name else None
        elif status == 200 or "status" not in rule:
            name = self.local_file(host, path)
            body = open(name, "rb").read() if name else None
        if body is None:
            if "status" not in rule and "location" not in rule:
                status = 404
            body = ("<html><body>%d</body></html>" % status).encode()

        self.send_response_only(status, REASONS.get(status, "Status"))
        self.send_header("Content-Type", rule.get("type", guess_type(path)))
        self.send_header("Cache-Control", "no-store")
        if "location" in rule:
            self.send_header("Location", str(rule["location"]))
        no_length = bool(rule.get("no_length"))
        if no_length:
            self.send_header("Connection", "close")
            self.close_connection = True
        else:
            self.send_header("Content-Length", str(len(body)))
        cut_after = rule.get("cut_after")
        if cut_after is not None:
            self.send_header("Connection", "close")
            self.close_connection = True
        self.end_headers()
        self.wfile.flush()
        if not send_body:
            return

        if rule.get("stall"):
            time.sleep(float(rule["stall"]))
        if cut_after is not None:
            body = body[:max(0, int(cut_after))]
        chunk = int(rule.get("chunk") or 0) or len(body) or 1
        delay = float(rule.get("chunk_delay") or 0)
        try:
            for start in range(0, len(body), chunk):
                self.wfile.write(body[start:start + chunk])
                self.wfile.flush()
                if delay and start + chunk < len(body):
                    time.sleep(delay)
            if cut_after is not None:
                # End the connection abruptly, as a dropped server would.
                self.connection.shutdown(socket.SHUT_RDWR)
        except (BrokenPipeError, ConnectionResetError, OSError):
            self.close_connection = True


def guess_type(path):
    lowered = path.lower()
    for suffix, kind in ((".html", "text/html"), (".htm", "text/html"),
                         (".qmu", "text/plain"), (".ini", "text/plain"),
                         (".txt", "text/plain"), (".exe", "application/octet-stream")):
        if lowered.endswith(suffix):
            return kind
    return "application/octet-stream"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True)
    parser.add_argument("--log", required=True)
    parser.add_argument("--port-file", required=True)
    args = parser.parse_args()
    os.makedirs(args.root, exist_ok=True)
    server = Server(args.root, args.log)
    port_tmp = args.port_file + ".tmp"
    with open(port_tmp, "w") as f:
        f.write("%d\n" % server.server_address[1])
    os.replace(port_tmp, args.port_file)
    try:
        server.serve_forever(poll_interval=0.2)
    except KeyboardInterrupt:
        pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
