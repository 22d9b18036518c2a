"""Drawing and encoding for tools/art/make_art.py: an RGBA canvas filled through signed
distance functions, the shape helpers the pictures are made of, and the .ico/.cur encoding."""

import math
import struct

# --------------------------------------------------------------------------
# Canvas: straight (non-premultiplied) RGBA floats, 0..1.

class Canvas:
    def __init__(self, size):
        self.w = self.h = size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def blend(self, x, y, rgb, a):
        """Composites colour rgb (0..255) with opacity a over pixel (x, y)."""
        if a <= 0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        a = min(a, 1.0)
        r, g, b = (c / 255.0 for c in rgb)
        dr, dg, db, da = self.px[y][x]
        oa = a + da * (1 - a)
        k = da * (1 - a)
        self.px[y][x] = ((r * a + dr * k) / oa, (g * a + dg * k) / oa, (b * a + db * k) / oa, oa)

    def fill(self, sdf, color, alpha=1.0, aa=True):
        """Fills the shape given by a signed distance function in pixel units.

        Pixel (x, y) covers [x, x+1) x [y, y+1); with aa the coverage of a
        pixel is estimated from the distance at its centre. color is an RGB
        tuple or a function (x, y) -> RGB for gradients."""
        for y in range(self.h):
            for x in range(self.w):
                d = sdf(x + 0.5, y + 0.5)
                cov = min(max(0.5 - d, 0.0), 1.0) if aa else (1.0 if d <= 0 else 0.0)
                if cov > 0:
                    c = color(x + 0.5, y + 0.5) if callable(color) else color
                    self.blend(x, y, c, cov * alpha)

    def glyphs(self, text, x0, y0, scale, rgb, font, gap=1):
        """Draws text in a bitmap font, top-left at (x0, y0), without smoothing."""
        x = x0
        for ch in text:
            rows = font[ch]
            for gy, row in enumerate(rows):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        for sy in range(scale):
                            for sx in range(scale):
                                self.blend(x + gx * scale + sx, y0 + gy * scale + sy, rgb, 1.0)
            x += (len(rows[0]) + gap) * scale

    def art(self, rows, x0, y0):
        """Stamps ASCII art: '#' black, '.' white, anything else untouched."""
        for y, row in enumerate(rows):
            for x, ch in enumerate(row):
                if ch == "#":
                    self.blend(x0 + x, y0 + y, (0, 0, 0), 1.0)
                elif ch == ".":
                    self.blend(x0 + x, y0 + y, (255, 255, 255), 1.0)

    def rgba8(self, x, y):
        r, g, b, a = self.px[y][x]
        a8 = int(round(a * 255))
        if a8 == 0:
            return (0, 0, 0, 0)
        return (int(round(r * 255)), int(round(g * 255)), int(round(b * 255)), a8)


def text_width(text, font, scale, gap=1):
    return (sum(len(font[c][0]) for c in text) + gap * (len(text) - 1)) * scale


# --------------------------------------------------------------------------
# Signed distance functions (negative inside), in pixel units.

def sd_circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def sd_round_box(x0, y0, x1, y1, r):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def f(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return f


def sd_polygon(pts):
    n = len(pts)

    def f(x, y):
        best = float("inf")
        inside = False
        for i in range(n):
            ax, ay = pts[i]
            bx, by = pts[(i + 1) % n]
            ex, ey = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * ex + (y - ay) * ey) / (ex * ex + ey * ey)))
            best = min(best, math.hypot(x - ax - ex * t, y - ay - ey * t))
            if (ay > y) != (by > y) and x < ax + (y - ay) * ex / ey:
                inside = not inside
        return -best if inside else best
    return f


def sd_union(*fs):
    return lambda x, y: min(f(x, y) for f in fs)


def grown(f, w):
    """The shape f expanded by w pixels (shrunk when w < 0)."""
    return lambda x, y: f(x, y) - w


def shifted(f, dx, dy):
    return lambda x, y: f(x - dx, y - dy)


def quad(p0, p1, p2, steps=8):
    """Points along a quadratic Bezier curve, p0 excluded."""
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        out.append(tuple((1 - t) ** 2 * a + 2 * (1 - t) * t * b + t * t * c for a, b, c in zip(p0, p1, p2)))
    return out


def vgradient(rgb, top, bottom, y0, y1):
    """Colour function: rgb lightened by `top` at y0 fading to darkened by `bottom` at y1."""
    def f(x, y):
        t = min(max((y - y0) / (y1 - y0), 0.0), 1.0)
        k = top * (1 - t) - bottom * t
        return tuple(c + (255 - c) * k if k > 0 else c * (1 + k) for c in rgb)
    return f


def darker(rgb, k):
    return tuple(c * k for c in rgb)


def outlined(cv, sdf, fill, edge, width, shadow=None):
    """Draws a shape with a drop shadow, a dark rim of `width` pixels and a fill."""
    if shadow:
        cv.fill(shifted(sdf, shadow, shadow), (0, 0, 0), alpha=0.35)
    cv.fill(sdf, edge)
    cv.fill(grown(sdf, -width), fill)


# --------------------------------------------------------------------------
# .ico / .cur encoding: BITMAPINFOHEADER (height doubled), 32-bit BGRA rows
# bottom-up, then a 1-bpp AND mask (1 = transparent) padded to 32 bits.

def encode_bitmap(cv):
    w, h = cv.w, cv.h
    stride = ((w + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            r, g, b, a = cv.rgba8(x, y)
            xor += bytes((b, g, r, a))
            if a == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def encode_icon(images, hotspots=None):
    """images: canvases; hotspots: one (x, y) per image for a cursor, else None."""
    n = len(images)
    out = struct.pack("<HHH", 0, 2 if hotspots else 1, n)
    blobs = [encode_bitmap(cv) for cv in images]
    offset = 6 + 16 * n
    for i, (cv, blob) in enumerate(zip(images, blobs)):
        a, b = hotspots[i] if hotspots else (1, 32)  # cursor: hot spot; icon: planes, bit count
        out += struct.pack("<BBBBHHII", cv.w % 256, cv.h % 256, 0, 0, a, b, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)
