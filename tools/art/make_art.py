#!/usr/bin/env python3
"""Draws Vondrel's icons, cursors and mark icons and writes them as .ico/.cur.

Standard library only. Output is deterministic, so the generated files are
committed and `--check` can prove they match this script.

    python3 tools/art/make_art.py           # regenerate every file
    python3 tools/art/make_art.py --check   # verify the committed files
"""

import colorsys
import math
import os
import struct
import sys

from art_raster import *  # noqa: F401,F403 (the canvas, shapes and encoding)

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))


# --------------------------------------------------------------------------
# Bitmap fonts.

DIGITS_3X5 = {
    "0": ["###", "#.#", "#.#", "#.#", "###"],
    "1": [".#.", "##.", ".#.", ".#.", "###"],
    "2": ["###", "..#", "###", "#..", "###"],
    "3": ["###", "..#", ".##", "..#", "###"],
    "4": ["#.#", "#.#", "###", "..#", "..#"],
    "5": ["###", "#..", "###", "..#", "###"],
    "6": ["###", "#..", "###", "#.#", "###"],
    "7": ["###", "..#", "..#", ".#.", ".#."],
    "8": ["###", "#.#", "###", "#.#", "###"],
    "9": ["###", "#.#", "###", "..#", "###"],
    "?": ["###", "..#", ".##", "...", ".#."],
}

# Rounder digits: the 32-pixel marks (drawn two or three times over) and single-digit 16-pixel marks.
DIGITS_4X7 = {
    "0": [".##.", "#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "1": ["..#.", ".##.", "..#.", "..#.", "..#.", "..#.", ".###"],
    "2": [".##.", "#..#", "...#", "..#.", ".#..", "#...", "####"],
    "3": ["###.", "...#", "...#", ".##.", "...#", "...#", "###."],
    "4": ["..#.", ".##.", "#.#.", "#.#.", "####", "..#.", "..#."],
    "5": ["####", "#...", "###.", "...#", "...#", "#..#", ".##."],
    "6": [".##.", "#...", "#...", "###.", "#..#", "#..#", ".##."],
    "7": ["####", "...#", "..#.", "..#.", ".#..", ".#..", ".#.."],
    "8": [".##.", "#..#", "#..#", ".##.", "#..#", "#..#", ".##."],
    "9": [".##.", "#..#", "#..#", ".###", "...#", "...#", ".##."],
}

# Question mark for the 32-pixel default mark.
QUESTION_8X13 = {"?": [
    "..####..",
    ".######.",
    "##....##",
    "##....##",
    "......##",
    ".....##.",
    "....##..",
    "...##...",
    "...##...",
    "........",
    "........",
    "...##...",
    "...##...",
]}


# --------------------------------------------------------------------------
# Program icon: a red map pin over a sheet listing places.

# Pixel-aligned layout per size: sheet box and corner radius, rim width,
# list row centres, bullet x and radius, line x range and half height,
# pin head centre and radius, pin tip y, white dot radius.
APP_LAYOUT = {
    16: dict(sheet=(0, 3, 11, 16, 1), rim=1, rows=(6.0, 9.0, 12.0), bullet=(3.0, 1.0),
             line=(5, 9, 1.0), pin=(11.5, 5.5, 4.5), tip=15.8, dot=1.6),
    32: dict(sheet=(1, 6, 22, 31, 2), rim=1, rows=(12.0, 17.0, 22.0, 27.0), bullet=(6.0, 2.0),
             line=(9, 17, 1.0), pin=(22.5, 9.5, 8.5), tip=31.5, dot=3.0),
    48: dict(sheet=(3, 9, 33, 46, 3), rim=2, rows=(17.5, 24.5, 31.5, 38.5), bullet=(10.5, 2.6),
             line=(15, 26, 1.5), pin=(33.5, 15.5, 12.5), tip=46.8, dot=4.6),
}


def pin_shape(cx, cy, r, tip_y, spread=0.55):
    """A map pin: a round head drawn down to a point below its centre."""
    return sd_union(sd_circle(cx, cy, r),
                    sd_polygon([(cx - r * math.cos(spread), cy + r * math.sin(spread)),
                                (cx + r * math.cos(spread), cy + r * math.sin(spread)), (cx, tip_y)]))


def draw_app(s):
    L = APP_LAYOUT[s]
    cv = Canvas(s)
    ink = (38, 46, 60)
    x0, y0, x1, y1, rad = L["sheet"]
    outlined(cv, sd_round_box(x0, y0, x1, y1, rad), vgradient((248, 250, 253), 0.0, 0.10, y0, y1), ink, L["rim"])
    bullets = [(0, 150, 70), (235, 140, 0), (30, 110, 220), (0, 150, 70)]
    bx, br = L["bullet"]
    lx0, lx1, lh = L["line"]
    for i, y in enumerate(L["rows"]):
        cv.fill(sd_circle(bx, y, br), bullets[i])
        cv.fill(sd_round_box(lx0, y - lh, lx1, y + lh, 0.5), (150, 160, 176) if s <= 16 else (112, 124, 142))
    cx, cy, r = L["pin"]
    pin = pin_shape(cx, cy, r, L["tip"])
    outlined(cv, pin, vgradient((226, 44, 36), 0.25, 0.25, cy - r, L["tip"]), (96, 14, 10), L["rim"])
    cv.fill(sd_circle(cx, cy, L["dot"]), (255, 255, 255))
    return cv


# --------------------------------------------------------------------------
# Default mark: a grey pin with a question mark, meaning "no picture".

def draw_default_mark(s):
    cv = Canvas(s)
    if s <= 16:
        cx, cy, r, tip_y, rim, font, glyph_w, glyph_h = 7.5, 6.5, 5.5, 15.8, 1.0, DIGITS_3X5, 3, 5
    else:
        cx, cy, r, tip_y, rim, font, glyph_w, glyph_h = 16.0, 12.5, 11.0, 31.5, 1.5, QUESTION_8X13, 8, 13
    pin = pin_shape(cx, cy, r, tip_y, 0.6)
    outlined(cv, pin, vgradient((150, 150, 150), 0.30, 0.25, cy - r, tip_y), (64, 64, 64), rim)
    cv.glyphs("?", int(cx - glyph_w / 2), int(cy - glyph_h / 2 + 0.5), 1, (255, 255, 255), font)
    return cv


# --------------------------------------------------------------------------
# Numbered marks 1..55: coloured badges whose colour and shape vary.

def mark_colour(n):
    # Golden-ratio hue steps keep neighbouring numbers far apart on the wheel.
    h = (0.02 + n * 0.6180339887) % 1.0
    r, g, b = colorsys.hsv_to_rgb(h, 0.80, 0.90)
    return (r * 255, g * 255, b * 255)


def luminance(rgb):
    return (0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2]) / 255.0


def badge_shape(kind, s):
    """Outline of a badge in an s x s icon, leaving one pixel for the shadow."""
    e = s - 1.0  # usable extent
    m = 0.5 if s <= 16 else 1.0
    if kind == "circle":
        return sd_circle(e / 2, e / 2, e / 2 - m + 0.5)
    if kind == "square":
        return sd_round_box(m, m, e - m, e - m, e * 0.24)
    # Shield: flat top with rounded corners, sides curving to a point.
    l, r, t, b = m, e - m, m, e - m + 0.5
    mid = e / 2
    c = e * 0.12
    pts = [(l, t + c)] + quad((l, t + c), (l, t), (l + c, t), 4)
    pts += [(r - c, t)] + quad((r - c, t), (r, t), (r, t + c), 4)
    pts += [(r, e * 0.50)] + quad((r, e * 0.50), (r, e * 0.80), (mid, b), 8)
    pts += quad((mid, b), (l, e * 0.80), (l, e * 0.50), 8)
    return sd_polygon(pts)


MARK_SHAPES = ["circle", "shield", "square"]


def draw_mark(n, s):
    cv = Canvas(s)
    kind = MARK_SHAPES[(n // 10) % len(MARK_SHAPES)]
    fill = mark_colour(n)
    shape = badge_shape(kind, s)
    rim = 1.0 if s <= 16 else 1.6
    outlined(cv, shape, vgradient(fill, 0.22, 0.18, 0, s - 1), darker(fill, 0.28), rim, shadow=1)
    text = str(n)
    # One digit gets the rounder font; two digits at 16 pixels need the 3x5 one.
    font = DIGITS_3X5 if s <= 16 and len(text) == 2 else DIGITS_4X7
    scale = 1 if s <= 16 else (3 if len(text) == 1 else 2)
    gap = 1
    tw = text_width(text, font, scale, gap)
    th = len(font["0"]) * scale
    e = s - 1
    x0 = int((e - tw) / 2 + 0.5)
    y0 = int((e - th) / 2 + 0.5) - (1 if kind == "shield" else 0)
    ink = (255, 255, 255) if luminance(fill) < 0.62 else (24, 24, 24)
    cv.glyphs(text, x0, y0, scale, ink, font, gap)
    return cv


# --------------------------------------------------------------------------
# Cursors: black and white pixel art, no smoothing.

ARROW = [
    "#",
    "##",
    "#.#",
    "#..#",
    "#...#",
    "#....#",
    "#.....#",
    "#......#",
    "#.......#",
    "#........#",
    "#.........#",
    "#..........#",
    "#......#####",
    "#...#..#",
    "#..# #..#",
    "#.#  #..#",
    "##    #..#",
    "#     #..#",
    "       #..#",
    "       #..#",
    "        ##",
]

PLUS = [
    "  ...",
    "  .#.",
    "...#...",
    ".#####.",
    "...#...",
    "  .#.",
    "  ...",
]

SHEET = [
    "#######",
    "#.....##",
    "#.....#.#",
    "#.....#..#",
    "#.....####",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "#........#",
    "##########",
]


def draw_arrow_cursor(tip):
    cv = Canvas(32)
    cv.art(ARROW, tip, tip)
    return cv


def draw_drag_cursor(tip, sheets):
    cv = Canvas(32)
    cv.art(ARROW, tip, tip)
    cv.art(PLUS, tip + 13, tip + 1)
    x, y = tip + 13, tip + 16
    if sheets == 2:
        cv.art(SHEET, x + 3, y - 3)  # the sheet behind, peeking out above and right
    cv.art(SHEET, x, y)
    return cv


def draw_no_drop(s):
    """A black ring on a white disc with a bar from upper left to lower right,
    edged in white so it shows on any background."""
    cv = Canvas(s)
    if s <= 16:
        c, ro, ri, bar = 8.5, 6.3, 4.7, 0.8
    else:
        c, ro, ri, bar = 15.5, 11.3, 8.0, 1.5
    for y in range(s):
        for x in range(s):
            dx, dy = x + 0.5 - c, y + 0.5 - c
            d = math.hypot(dx, dy)
            if ri <= d <= ro or (d < ri and abs(dx - dy) / math.sqrt(2) <= bar):
                cv.blend(x, y, (0, 0, 0), 1.0)
            elif d <= ro + 1.0:
                cv.blend(x, y, (255, 255, 255), 1.0)
    return cv


# --------------------------------------------------------------------------
# What gets written: path -> (sizes, hot spots or None, drawing function).

def targets():
    t = {
        "res/icons/app.ico": ([16, 32, 48], None, draw_app),
        "res/icons/default_mark.ico": ([16, 32], None, draw_default_mark),
        "res/cursors/arrow.cur": ([32], [(1, 1)], lambda s: draw_arrow_cursor(1)),
        "res/cursors/drag_one.cur": ([32], [(1, 1)], lambda s: draw_drag_cursor(1, 1)),
        "res/cursors/drag_many.cur": ([32], [(0, 0)], lambda s: draw_drag_cursor(0, 2)),
        "res/cursors/no_drop.cur": ([32, 16], [(15, 15), (8, 8)], draw_no_drop),
    }
    for n in range(1, 56):
        t["res/marks/mark%02d.ico" % n] = ([16, 32], None, lambda s, n=n: draw_mark(n, s))
    return t


def build(sizes, hotspots, draw):
    return encode_icon([draw(s) for s in sizes], hotspots)


def check():
    """Returns a list of problems with the committed files (empty when all is well)."""
    problems = []
    for rel, (sizes, hotspots, draw) in targets().items():
        path = os.path.join(ROOT, rel)
        if not os.path.isfile(path):
            problems.append(rel + ": missing")
            continue
        data = open(path, "rb").read()
        try:
            _, kind, count = struct.unpack_from("<HHH", data, 0)
            entries = [struct.unpack_from("<BBBBHHII", data, 6 + 16 * i) for i in range(count)]
            got = [e[0] or 256 for e in entries]
            if kind != (2 if hotspots else 1) or got != sizes:
                problems.append("%s: type %d, sizes %s, expected %s" % (rel, kind, got, sizes))
            if hotspots and [(e[4], e[5]) for e in entries] != hotspots:
                problems.append("%s: hot spots %s, expected %s" % (rel, [(e[4], e[5]) for e in entries], hotspots))
            for w, h, _, _, _, _, size, off in entries:
                hs, bw, bh, _, bpp = struct.unpack_from("<IiiHH", data, off)
                if (hs, bw, bh, bpp) != (40, w or 256, 2 * (h or 256), 32) or off + size > len(data):
                    problems.append("%s: bad %dx%d image header" % (rel, w, h))
        except struct.error:
            problems.append(rel + ": truncated")
            continue
        if data != build(sizes, hotspots, draw):
            problems.append(rel + ": differs from what the script draws now")
    return problems


def main(argv):
    if argv[1:] == ["--check"]:
        problems = check()
        for p in problems:
            print(p, file=sys.stderr)
        print("%d files checked, %d problems" % (len(targets()), len(problems)))
        return 1 if problems else 0
    if argv[1:]:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    for rel, job in targets().items():
        path = os.path.join(ROOT, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(build(*job))
    print("wrote %d files under %s" % (len(targets()), os.path.join(ROOT, "res")))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
