#!/usr/bin/env python3
"""make_tip_pictures.py -- writes the two 16-colour light-bulb bitmaps of the tips dialog.

UITIPOFDAYPIC1.bmp, 23 x 30: a yellow bulb with an exclamation mark on a grey ground (it sits on
the grey band of the dialog's tsVC layout). UITIPOFDAYPIC2.bmp, 40 x 53: the same bulb with rays
and a grey drop shadow on a white ground (shown see-through on the white tip area of tsStandard).
Drawn from circles and bands below; run it after changing them:
python3 controls/res/make_tip_pictures.py (writes next to itself).
"""
import os
import struct

# The 16 colours of the standard palette, by letter.
PALETTE = [
    ("K", (0, 0, 0)), ("m", (128, 0, 0)), ("g", (0, 128, 0)), ("o", (128, 128, 0)),
    ("n", (0, 0, 128)), ("p", (128, 0, 128)), ("t", (0, 128, 128)), ("S", (192, 192, 192)),
    ("G", (128, 128, 128)), ("R", (255, 0, 0)), ("L", (0, 255, 0)), ("Y", (255, 255, 0)),
    ("B", (0, 0, 255)), ("F", (255, 0, 255)), ("A", (0, 255, 255)), ("W", (255, 255, 255)),
]
INDEX = {letter: i for i, (letter, _) in enumerate(PALETTE)}


def blank(width, height, ground):
    return [[ground] * width for _ in range(height)]


def put(img, x, y, c):
    if 0 <= y < len(img) and 0 <= x < len(img[0]):
        img[y][x] = c


def bulb(img, cx, cy, r, neck, base_rows, colour="Y", outline="K", mark=True):
    """A round glass of radius r centred at (cx, cy), a neck, a striped screw base and a tip."""
    h = len(img)
    for y in range(h):
        for x in range(len(img[0])):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if d2 <= r * r:
                put(img, x, y, outline if d2 > (r - 1) ** 2 else colour)
    # The neck narrows from the glass to the base.
    top = cy + r - 2
    for i in range(3):
        y = top + i
        half = neck + 2 - i
        for x in range(cx - half, cx + half + 1):
            put(img, x, y, outline if x in (cx - half, cx + half) else colour)
    y = top + 3
    for row in range(base_rows):
        for x in range(cx - neck, cx + neck + 1):
            put(img, x, y + row, "S" if row % 2 == 0 else "G")
        put(img, cx - neck, y + row, outline)
        put(img, cx + neck, y + row, outline)
    for x in range(cx - neck + 2, cx + neck - 1):
        put(img, x, y + base_rows, outline)
    # A highlight on the glass, and the exclamation mark.
    for i in range(3):
        put(img, cx - r // 2, cy - r // 2 + i, "W")
        put(img, cx - r // 2 + i, cy - r // 2, "W")
    if mark:
        for y in range(cy - r + 3, cy + r // 3):
            put(img, cx, y, outline)
            put(img, cx + 1, y, outline)
        for y in (cy + r // 3 + 2, cy + r // 3 + 3):
            put(img, cx, y, outline)
            put(img, cx + 1, y, outline)


def picture1():
    img = blank(23, 30, "G")
    bulb(img, 11, 10, 10, 4, 7)
    return img


def picture2():
    img = blank(40, 53, "W")
    # The shadow first: the same bulb in grey, moved down and right.
    shadow = blank(40, 53, None)
    bulb(shadow, 22, 26, 12, 5, 8, colour="G", outline="G", mark=False)
    for y, row in enumerate(shadow):
        for x, c in enumerate(row):
            if c is not None:
                put(img, x + 3, y + 3, "G")
    bulb(img, 20, 23, 12, 5, 8)
    # Rays around the glass.
    for dx, dy in ((0, -1), (1, -1), (-1, -1), (1, 0), (-1, 0)):
        for step in range(14, 18):
            put(img, 20 + dx * step, 23 + dy * step, "o" if step == 14 else "Y")
    return img


def bmp(img):
    height, width = len(img), len(img[0])
    stride = ((width * 4 + 31) // 32) * 4
    rows = b""
    for row in reversed(img):  # DIB rows are stored bottom-up
        line = bytearray(stride)
        for x, c in enumerate(row):
            v = INDEX[c]
            line[x // 2] |= v << 4 if x % 2 == 0 else v
        rows += bytes(line)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for _, (r, g, b) in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(rows), 0, 0, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
    return header + info + palette + rows


here = os.path.dirname(os.path.abspath(__file__))
for name, draw in (("UITIPOFDAYPIC1", picture1), ("UITIPOFDAYPIC2", picture2)):
    with open(os.path.join(here, name + ".bmp"), "wb") as f:
        f.write(bmp(draw()))
