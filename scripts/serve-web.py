#!/usr/bin/python3
"""Serves a folder over HTTP on 127.0.0.1 (a secure context for browsers, as localhost is), with the
types the page needs (WebAssembly, ES modules, FLAC): serve-web.py FOLDER [PORT]."""
import functools
import http.server
import sys


class Handler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {
        **http.server.SimpleHTTPRequestHandler.extensions_map,
        ".wasm": "application/wasm",
        ".js": "text/javascript",
        ".json": "application/json",
        ".flac": "audio/flac",
    }

    def log_message(self, format, *args):  # quiet: one line per request is noise here
        pass


def main():
    folder = sys.argv[1]
    port = int(sys.argv[2]) if len(sys.argv) > 2 else 8080
    server = http.server.ThreadingHTTPServer(("127.0.0.1", port), functools.partial(Handler, directory=folder))
    print(f"Serving the tuner on http://127.0.0.1:{server.server_address[1]}/", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
