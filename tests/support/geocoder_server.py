#!/usr/bin/env python3
"""A loopback stand-in for the address search service, for the tests. The query picks the reply:
empty -> [], status500 -> HTTP 500, garbage -> bytes that are no JSON, object -> a JSON object,
hang -> headers, then one byte every 0.3 s without end, huge -> a 5 MiB array, 芝公園 -> three
places in Minato (for screenshots); any other query -> two features: the query itself at 35.681236 N 139.767125 E and the request's User-Agent at
35.6 N 139.7 E. Writes its port to --port-file once it listens; ends when --stop-file appears or
after --max-seconds, removing the port file."""
import argparse, json, os, threading, time, urllib.parse
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def feature(title, lon, lat):
    return {"type": "Feature", "geometry": {"type": "Point", "coordinates": [lon, lat]},
            "properties": {"addressCode": "", "title": title}}


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *unused):
        pass

    def answer(self, status, body):
        self.send_response(status)
        self.send_header("Content-Type", "application/json")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        try:
            self.wfile.write(body)
        except OSError:  # the client refused it
            pass

    def do_GET(self):
        url = urllib.parse.urlsplit(self.path)
        query = urllib.parse.parse_qs(url.query).get("q", [""])[0]
        if url.path != "/address-search/AddressSearch":
            return self.answer(404, b"")
        if query == "hang":
            self.send_response(200)
            self.send_header("Content-Length", "1000000")
            self.end_headers()
            try:
                while True:
                    self.wfile.write(b" ")
                    self.wfile.flush()
                    time.sleep(0.3)
            except OSError:
                return
        canned = {"empty": (200, b"[]"), "status500": (500, b"[]"), "garbage": (200, b"<html>busy</html>"),
                  "object": (200, b'{"title": "x"}'), "huge": (200, b"[" + b" " * (5 << 20) + b"]")}
        if query == "芝公園":
            places = [feature("東京都港区芝公園" + block, lon, lat) for block, lon, lat in
                      [("一丁目", 139.749519, 35.655389), ("二丁目", 139.751808, 35.656975), ("四丁目", 139.745461, 35.658581)]]
            return self.answer(200, json.dumps(places, ensure_ascii=False).encode())
        if query in canned:
            return self.answer(*canned[query])
        places = [feature(query, 139.767125, 35.681236), feature(self.headers.get("User-Agent", ""), 139.7, 35.6)]
        self.answer(200, json.dumps(places, ensure_ascii=False).encode())


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port-file", required=True)
    parser.add_argument("--stop-file", required=True)
    parser.add_argument("--max-seconds", type=float, default=300)
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    with open(args.port_file + ".tmp", "w") as f:
        f.write(str(server.server_address[1]))
    os.replace(args.port_file + ".tmp", args.port_file)
    start = time.time()
    # Stops when told, or when the test's folder is gone with its stop file.
    folder = os.path.dirname(os.path.abspath(args.stop_file))
    while not os.path.exists(args.stop_file) and os.path.isdir(folder) and time.time() - start < args.max_seconds:
        time.sleep(0.1)
    if os.path.exists(args.port_file):  # the test may have removed its folder already
        os.remove(args.port_file)


if __name__ == "__main__":
    main()
