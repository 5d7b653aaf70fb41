#!/usr/bin/env python3
"""Serves one folder on 127.0.0.1 for the browser test, as any static file
server would. The port, chosen by the system, is written to PORT_FILE once
the server listens.

Usage: serve.py FOLDER PORT_FILE"""
import functools
import http.server
import os
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = dict(http.server.SimpleHTTPRequestHandler.extensions_map, **{".wasm": "application/wasm"})

    def log_message(self, format, *args):
        sys.stderr.write("server: " + format % args + "\n")


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    folder, port_file = sys.argv[1:]
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Handler, directory=folder))
    with open(port_file + ".part", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(port_file + ".part", port_file)
    server.serve_forever()


if __name__ == "__main__":
    main()
