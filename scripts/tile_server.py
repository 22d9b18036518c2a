#!/usr/bin/env python3
"""A loopback map tile server for the tests: answers /[LAYER/]Z/X/Y.png|.jpg with generated tiles.

Each tile shows its z/x/y, a WGS 84 graticule (so a point's place can be checked by eye) and,
from --landmarks (lines "LAT LON" in WGS 84), a small square per landmark; .jpg tiles are
photo-like noise. Only 127.0.0.1 is served. The server writes its port to --port-file once it
listens, logs "PATH USER-AGENT" per request to --log, and reads its behaviour per request from
--mode-file: serve (default), hang (never answers), garbage (200 with bytes that are no image),
notfound (404), trickle (one byte every 5 s: the headers of every other request, the body of the
rest, going on when the mode changes), bomb-png or bomb-jpg (the first request in that mode gets
a small image declaring 30000 or 65500 pixels square, later ones 404), redirect-away or
redirect-here (302 to the same path with "?via=away" on host "localhost", or "?via=here" on the
same host). It ends when --stop-file appears, or after --max-seconds; on its way out it removes
the port file.
"""
import argparse
import io
import itertools
import math
import os
import re
import struct
import sys
import threading
import time
import zlib
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

from PIL import Image, ImageDraw

TILE = 256
BACKGROUNDS = {"std": (246, 243, 233), "pale": (240, 240, 240)}
STEPS = [20, 10, 5, 2, 1, 0.5, 0.2, 0.1, 0.05, 0.02, 0.01, 0.005, 0.002, 0.001, 0.0005, 0.0002, 0.0001]
TILE_PATH = re.compile(r"^/(?:([A-Za-z0-9_-]+)/)?(\d+)/(\d+)/(\d+)\.(png|jpg)$")


def world_x(lon, z):
    return (lon + 180) / 360 * TILE * 2 ** z


def world_y(lat, z):
    phi = math.radians(lat)
    return (1 - math.log(math.tan(phi) + 1 / math.cos(phi)) / math.pi) / 2 * TILE * 2 ** z


def tile_lon(x, z):
    return x / 2 ** z * 360 - 180


def tile_lat(y, z):
    return math.degrees(math.atan(math.sinh(math.pi * (1 - 2 * y / 2 ** z))))


def draw_tile(layer, z, x, y, ext, landmarks):
    if ext == "jpg":
        image = Image.merge("RGB", [Image.effect_noise((TILE, TILE), 40).point(lambda v, o=o: v * 0.5 + o)
                                    for o in (40, 70, 45)])
    else:
        image = Image.new("RGB", (TILE, TILE), BACKGROUNDS.get(layer, (250, 245, 230)))
    draw = ImageDraw.Draw(image)
    west, east = tile_lon(x, z), tile_lon(x + 1, z)
    north, south = tile_lat(y, z), tile_lat(y + 1, z)
    step = next((s for s in STEPS if s <= (east - west) / 2), STEPS[-1])
    line = (120, 150, 200) if ext == "png" else (230, 230, 120)
    lon = math.ceil(west / step) * step
    while lon < east:
        px = world_x(lon, z) - x * TILE
        draw.line([(px, 0), (px, TILE)], fill=line)
        draw.text((px + 2, 2), f"{lon:.4f}", fill=line)
        lon += step
    lat = math.ceil(south / step) * step
    while lat < north:
        py = world_y(lat, z) - y * TILE
        draw.line([(0, py), (TILE, py)], fill=line)
        draw.text((2, py + 2), f"{lat:.4f}", fill=line)
        lat += step
    metres_per_pixel = 2 * math.pi * 6378137 * math.cos(math.radians((north + south) / 2)) / (TILE * 2 ** z)
    half = max(15 / metres_per_pixel, 2)  # a 30 m building
    for lat, lon in landmarks:
        px, py = world_x(lon, z) - x * TILE, world_y(lat, z) - y * TILE
        if -half <= px <= TILE + half and -half <= py <= TILE + half:
            draw.rectangle([px - half, py - half, px + half, py + half], fill=(150, 150, 150), outline=(90, 90, 90))
    draw.rectangle([0, 0, TILE - 1, TILE - 1], outline=(200, 190, 170))
    draw.text((6, TILE - 16), f"{layer or '-'} {z}/{x}/{y}", fill=(90, 80, 60) if ext == "png" else (255, 255, 255))
    out = io.BytesIO()
    image.save(out, "JPEG" if ext == "jpg" else "PNG", quality=80)
    return out.getvalue()


def png_bomb(side=30000, rows=1000):
    """A PNG of side x side transparent pixels (8-bit RGBA) in 3.5 MB: `rows` zero rows deflated
    once and repeated, each copy after a full flush so that it stands alone."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    row = 1 + 4 * side
    packer = zlib.compressobj(9, zlib.DEFLATED, -15)
    block = packer.compress(bytes(row * rows)) + packer.flush(zlib.Z_FULL_FLUSH)
    adler = (row * side % 65521) << 16 | 1  # of side * row zero bytes
    data = b"\x78\xda" + block * (side // rows) + b"\x03\x00" + struct.pack(">I", adler)
    header = struct.pack(">IIBBBBB", side, side, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", data) + chunk(b"IEND", b"")


def jpeg_bomb(side=65500):
    """A baseline JPEG of 16x16 pixels whose frame header says side x side."""
    out = io.BytesIO()
    Image.new("RGB", (16, 16), (200, 100, 50)).save(out, "JPEG")
    data = bytearray(out.getvalue())
    at = data.index(b"\xff\xc0")
    data[at + 5:at + 9] = struct.pack(">HH", side, side)
    return bytes(data)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--port-file")
    parser.add_argument("--log")
    parser.add_argument("--mode-file")
    parser.add_argument("--stop-file")
    parser.add_argument("--landmarks")
    parser.add_argument("--max-seconds", type=float, default=600)
    args = parser.parse_args()

    landmarks = []
    if args.landmarks:
        with open(args.landmarks) as f:
            landmarks = [tuple(map(float, l.split()[:2])) for l in f if l.strip()]
    stop = threading.Event()
    log_lock = threading.Lock()
    counter = itertools.count()
    bombs = {}
    served_bomb = set()

    def mode():
        try:
            with open(args.mode_file) as f:
                return f.read().strip() or "serve"
        except (OSError, TypeError):
            return "serve"

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"

        def log_message(self, *unused):
            pass

        def do_GET(self):
            if args.log:
                with log_lock, open(args.log, "a") as f:
                    f.write(f"{self.path} {self.headers.get('User-Agent', '')}\n")
            behaviour = mode()
            if behaviour == "hang":
                stop.wait()
                return
            path = self.path.split("?")[0]
            match = TILE_PATH.match(path)
            if behaviour.startswith("redirect-") and "?" not in self.path:
                away = behaviour == "redirect-away"
                host = f"localhost:{self.server.server_address[1]}" if away else self.headers.get("Host")
                self.send_response(302)
                self.send_header("Location", f"http://{host}{path}?via={'away' if away else 'here'}")
                self.send_header("Content-Length", "0")
                self.end_headers()
            elif behaviour.startswith("bomb-"):
                with log_lock:
                    first = behaviour not in served_bomb
                    served_bomb.add(behaviour)
                if not first:
                    self.reply(404, b"not found", "text/plain")
                else:
                    kind = behaviour[5:]
                    if kind not in bombs:
                        bombs[kind] = png_bomb() if kind == "png" else jpeg_bomb()
                    self.reply(200, bombs[kind], "image/" + kind)
            elif behaviour == "trickle" and match:
                self.trickle(draw_tile(match.group(1), *map(int, match.group(2, 3, 4)), match.group(5), landmarks),
                             next(counter) % 2 == 0)
            elif behaviour == "notfound" or not match:
                self.reply(404, b"not found", "text/plain")
            elif behaviour == "garbage":
                self.reply(200, os.urandom(3000), "image/png")
            else:
                layer, z, x, y, ext = match.group(1), *map(int, match.group(2, 3, 4)), match.group(5)
                body = draw_tile(layer, z, x, y, ext, landmarks)
                self.reply(200, body, "image/jpeg" if ext == "jpg" else "image/png")

        def trickle(self, body, headers_too):
            head = (f"HTTP/1.1 200 OK\r\nContent-Type: image/png\r\nContent-Length: {len(body)}\r\n\r\n").encode()
            if not headers_too:
                self.wfile.write(head)
                head = b""
            for byte in head + body:
                if stop.wait(5):  # a trickle goes on when the mode changes, as a stuck server's would
                    self.close_connection = True
                    return
                self.wfile.write(bytes([byte]))
                self.wfile.flush()

        def reply(self, status, body, kind):
            self.send_response(status)
            self.send_header("Content-Type", kind)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    if args.port_file:
        with open(args.port_file + ".tmp", "w") as f:
            f.write(str(server.server_address[1]))
        os.replace(args.port_file + ".tmp", args.port_file)

    def watch():
        deadline = time.monotonic() + args.max_seconds
        while time.monotonic() < deadline and not (args.stop_file and os.path.exists(args.stop_file)):
            time.sleep(0.05)
        stop.set()
        server.shutdown()

    threading.Thread(target=watch, daemon=True).start()
    try:
        server.serve_forever(poll_interval=0.05)
    finally:
        server.server_close()
        if args.port_file:
            try:
                os.remove(args.port_file)
            except OSError:
                pass
    return 0


if __name__ == "__main__":
    sys.exit(main())
