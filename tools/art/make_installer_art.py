#!/usr/bin/env python3
"""Draws the picture at the left of the installer's welcome and finish pages: the program's icon,
drawn large, on a band that darkens downwards. Writes packaging/welcome.bmp (164 x 314, 24-bit, the
size those pages show). Standard library only; deterministic, so the file is committed.

    python3 tools/art/make_installer_art.py           # write it
    python3 tools/art/make_installer_art.py --check   # verify the committed file
"""

import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_art  # noqa: E402

WIDTH, HEIGHT = 164, 314
ICON = 112  # the icon's size on the band
PATH = os.path.join(make_art.ROOT, "packaging", "welcome.bmp")


def draw():
    # The 48-pixel icon's layout scaled up: the same drawing, as sharp at any size.
    k = ICON / 48.0
    make_art.APP_LAYOUT[ICON] = {
        name: (tuple(v * k for v in value) if isinstance(value, tuple) else value * k)
        for name, value in make_art.APP_LAYOUT[48].items()}
    icon = make_art.draw_app(ICON)
    left, top = (WIDTH - ICON) // 2, 72
    rows = []
    for y in range(HEIGHT - 1, -1, -1):  # bottom-up
        t = y / (HEIGHT - 1)
        back = (int(52 - 30 * t), int(95 - 45 * t), int(129 - 50 * t))  # the lists' blue, darker below
        row = bytearray()
        for x in range(WIDTH):
            r, g, b = back
            if left <= x < left + ICON and top <= y < top + ICON:
                ir, ig, ib, ia = icon.rgba8(x - left, y - top)
                a = ia / 255.0
                r, g, b = (int(round(c * a + d * (1 - a))) for c, d in ((ir, r), (ig, g), (ib, b)))
            row += bytes((b, g, r))
        row += bytes((4 - len(row) % 4) % 4)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def main(argv):
    data = draw()
    if argv[1:] == ["--check"]:
        same = os.path.isfile(PATH) and open(PATH, "rb").read() == data
        print("packaging/welcome.bmp " + ("matches" if same else "differs from what the script draws now"))
        return 0 if same else 1
    with open(PATH, "wb") as f:
        f.write(data)
    print("wrote " + PATH)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
