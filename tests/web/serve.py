#!/usr/bin/env python3
"""Serves one folder on 127.0.0.1 for the web test and takes the page's
report: a POST to /report writes its body to REPORT_FILE. The port, chosen
by the system, is written to PORT_FILE once the server listens.

Usage: serve.py FOLDER PORT_FILE REPORT_FILE"""
import functools
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def do_POST(self):
        if self.path != "/report":
            self.send_error(404)
            return
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        partial = self.server.report_file + ".part"
        with open(partial, "wb") as f:
            f.write(body)
        os.replace(partial, self.server.report_file)  # whole or not at all
        self.send_response(204)
        self.end_headers()

    def log_message(self, format, *args):
        sys.stderr.write("server: " + format % args + "\n")


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    folder, port_file, report_file = sys.argv[1:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    server.report_file = report_file
    with open(port_file + ".part", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".part", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
