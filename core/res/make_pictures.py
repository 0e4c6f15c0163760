#!/usr/bin/env python3
"""make_pictures.py -- draws the 32 x 32 icons of the main window and the dialogs and stores each
in its window description as the picture of its image control (Picture.Data = {...}).

Every picture is drawn here from simple shapes in one 16-colour palette; the .form files carry
the resulting icon bytes. Run it after changing a drawing or adding an image control:

    python3 core/res/make_pictures.py              # rewrites the Picture.Data blocks in core/*.form
    python3 core/res/make_pictures.py --ico DIR    # also writes every drawing as DIR/<name>.ico

An image control named in PICTURES must already have a `Picture.Data = {...}` line in its block.
"""
import math
import os
import re
import struct
import sys

SIZE = 32

# Palette index 0 is what transparent pixels hold (black, masked out by the AND mask).
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (36, 38, 48),     # K  outline
    (74, 92, 113),    # SLATE: the window's header colour
    (71, 86, 184),    # BLUE: the menu labels' colour
    (150, 180, 232),  # LBLUE
    (255, 255, 255),  # WHITE
    (214, 218, 226),  # LGRAY
    (140, 146, 160),  # GRAY
    (252, 201, 82),   # ORANGE: the menu labels' hover colour
    (214, 128, 34),   # DORANGE
    (214, 48, 40),    # RED
    (132, 22, 22),    # DRED
    (72, 168, 78),    # GREEN
    (28, 104, 44),    # DGREEN
    (250, 228, 110),  # YELLOW
    (150, 98, 48),    # BROWN
]
K, SLATE, BLUE, LBLUE, WHITE, LGRAY, GRAY, ORANGE, DORANGE, RED, DRED, GREEN, DGREEN, YELLOW, BROWN = range(1, 16)


class Canvas:
    """32 x 32 palette indices; None is transparent."""

    def __init__(self):
        self.px = [[None] * SIZE for _ in range(SIZE)]

    def dot(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < SIZE and 0 <= y < SIZE:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c, frame=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.dot(x, y, c)
        if frame is not None:
            self.frame(x0, y0, x1, y1, frame)

    def frame(self, x0, y0, x1, y1, c):
        for x in range(x0, x1 + 1):
            self.dot(x, y0, c)
            self.dot(x, y1, c)
        for y in range(y0, y1 + 1):
            self.dot(x0, y, c)
            self.dot(x1, y, c)

    def disc(self, cx, cy, r, c):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - cx) ** 2 + (y - cy) ** 2 <= r * r:
                    self.dot(x, y, c)

    def ring(self, cx, cy, r, c, width=1):
        for y in range(SIZE):
            for x in range(SIZE):
                d = math.hypot(x - cx, y - cy)
                if r - width < d <= r:
                    self.dot(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        steps = int(max(abs(x1 - x0), abs(y1 - y0), 1) * 2) + 1
        half = (width - 1) / 2
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            if width == 1:
                self.dot(x, y, c)
            else:
                for yy in range(int(y - half - 1), int(y + half + 2)):
                    for xx in range(int(x - half - 1), int(x + half + 2)):
                        if (xx - x) ** 2 + (yy - y) ** 2 <= (half + 0.35) ** 2:
                            self.dot(xx, yy, c)

    def poly(self, points, c, outline=None):
        ys = [p[1] for p in points]
        for y in range(max(0, int(min(ys))), min(SIZE, int(max(ys)) + 1)):
            crossings = []
            for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
                if (ay <= y + 0.5 < by) or (by <= y + 0.5 < ay):
                    crossings.append(ax + (y + 0.5 - ay) * (bx - ax) / (by - ay))
            crossings.sort()
            for a, b in zip(crossings[::2], crossings[1::2]):
                for x in range(int(math.ceil(a - 0.5)), int(math.floor(b - 0.5)) + 1):
                    self.dot(x, y, c)
        if outline is not None:
            self.outline(points, outline)

    def outline(self, points, c):
        for (ax, ay), (bx, by) in zip(points, points[1:] + points[:1]):
            self.line(ax, ay, bx, by, c)

    def pattern(self, x0, y0, rows, colours):
        """Small pixel art: each character of rows picks a colour from colours; others stay."""
        for dy, row in enumerate(rows):
            for dx, ch in enumerate(row):
                if ch in colours:
                    self.dot(x0 + dx, y0 + dy, colours[ch])


# --- the drawings -------------------------------------------------------------------------

def home(cv):
    cv.rect(21, 4, 24, 11, DRED, frame=K)
    cv.rect(6, 15, 26, 28, WHITE, frame=K)
    cv.poly([(2, 16), (16, 3), (30, 16)], RED, outline=K)
    cv.line(6, 15, 26, 15, DRED)
    cv.rect(9, 19, 14, 28, BROWN, frame=K)
    cv.dot(13, 24, YELLOW)
    cv.rect(18, 18, 23, 23, LBLUE, frame=K)
    cv.line(20, 18, 20, 23, K)
    cv.line(18, 20, 23, 20, K)
    cv.line(1, 29, 30, 29, GREEN, width=2)


def gear(cv, cx=16, cy=16):
    for i in range(8):
        a = i * math.pi / 4
        ux, uy = math.cos(a), math.sin(a)
        vx, vy = -uy, ux
        pts = [(cx + ux * r + vx * s, cy + uy * r + vy * s) for r, s in ((8, -3), (14, -2.5), (14, 2.5), (8, 3))]
        cv.poly(pts, GRAY, outline=K)
    cv.disc(cx, cy, 10.5, K)
    cv.disc(cx, cy, 9.5, GRAY)
    cv.disc(cx - 1, cy - 1, 7, LGRAY)
    cv.disc(cx, cy, 4.5, K)
    cv.disc(cx, cy, 3.5, WHITE)


def magnifier(cv, cx=12, cy=12, r=9, handle=(28, 28)):
    cv.line(cx + r * 0.6, cy + r * 0.6, handle[0], handle[1], K, width=6)
    cv.line(cx + r * 0.6, cy + r * 0.6, handle[0] - 1, handle[1] - 1, BROWN, width=4)
    cv.disc(cx, cy, r + 0.5, K)
    cv.disc(cx, cy, r - 0.5, GRAY)
    cv.disc(cx, cy, r - 2.5, LBLUE)
    cv.disc(cx - r / 3, cy - r / 3, r / 4, WHITE)


def trashcan(cv):
    cv.rect(12, 2, 19, 5, LGRAY, frame=K)
    cv.rect(14, 4, 17, 5, None)
    cv.poly([(7, 10), (24, 10), (22, 29), (9, 29)], LGRAY, outline=K)
    for x in (12, 16, 20):
        cv.line(x - (x - 16) * 0.1, 12, x - (x - 16) * 0.2, 27, GRAY, width=2)
    cv.rect(5, 6, 26, 9, GRAY, frame=K)
    cv.line(6, 7, 25, 7, LGRAY)


QUESTION = [
    "..####..",
    ".######.",
    "###..###",
    "##....##",
    ".....###",
    "....###.",
    "...###..",
    "...##...",
    "...##...",
    "........",
    "...##...",
    "...##...",
]


def question(cv):
    cv.disc(15.5, 15.5, 14.5, K)
    cv.disc(15.5, 15.5, 13.5, BLUE)
    cv.disc(13, 12, 9, LBLUE)
    cv.disc(15.5, 15.5, 11, BLUE)
    cv.pattern(12, 9, QUESTION, {"#": WHITE})


def globe(cv, cx=14, cy=16, r=12):
    cv.disc(cx, cy, r + 0.5, K)
    cv.disc(cx, cy, r - 0.5, LBLUE)
    for bx, by, br in ((cx - 5, cy - 5, 4), (cx - 2, cy - 1, 3.5), (cx + 5, cy + 4, 4), (cx + 2, cy + 8, 3)):
        for y in range(SIZE):
            for x in range(SIZE):
                if (x - bx) ** 2 + (y - by) ** 2 <= br * br and (x - cx) ** 2 + (y - cy) ** 2 <= (r - 0.5) ** 2:
                    cv.dot(x, y, GREEN)
    cv.ring(cx, cy, r - 0.5, BLUE)
    cv.line(cx - r + 1, cy, cx + r - 1, cy, BLUE)
    cv.line(cx, cy - r + 1, cx, cy + r - 1, BLUE)


def down_arrow(cv, x, y):
    cv.poly([(x + 3, y), (x + 9, y), (x + 9, y + 7), (x + 13, y + 7), (x + 6, y + 15), (x - 1, y + 7), (x + 3, y + 7)],
            ORANGE, outline=K)


def update(cv):
    globe(cv)
    down_arrow(cv, 17, 14)


def processes(cv):
    cv.rect(2, 4, 29, 27, WHITE, frame=K)
    cv.rect(3, 5, 28, 8, SLATE)
    cv.rect(24, 6, 26, 7, RED)
    for row, (mark, width) in enumerate(((GREEN, 16), (GREEN, 12), (RED, 15), (GREEN, 9))):
        y = 11 + row * 4
        cv.rect(5, y, 7, y + 2, mark, frame=K)
        cv.rect(10, y + 1, 10 + width, y + 1, GRAY)
    cv.rect(3, 9, 28, 9, LGRAY)


def lists(cv):
    cv.rect(12, 2, 28, 22, K)
    for y in (6, 9, 12, 15, 18):
        cv.line(15, y, 25, y, GRAY)
    cv.rect(4, 8, 20, 29, WHITE, frame=K)
    for y in (12, 15, 18, 21, 24):
        cv.line(7, y, 17, y, GRAY)
    cv.rect(7, 12, 8, 12, K)
    cv.rect(7, 18, 8, 18, K)


def tools(cv):
    # screwdriver
    cv.line(7, 25, 18, 14, K, width=4)
    cv.line(7, 25, 18, 14, LGRAY, width=2)
    cv.line(18, 14, 27, 5, K, width=7)
    cv.line(18, 14, 27, 5, RED, width=5)
    cv.line(20, 10, 25, 5, DRED)
    # wrench
    cv.line(7, 7, 24, 24, K, width=6)
    cv.line(7, 7, 24, 24, GRAY, width=4)
    cv.disc(6, 6, 5.5, K)
    cv.disc(6, 6, 4.5, GRAY)
    cv.poly([(1, 4), (4, 1), (8, 5), (5, 8)], None)
    cv.disc(25, 25, 4.5, K)
    cv.disc(25, 25, 3.5, GRAY)
    cv.disc(25, 25, 1.5, None)


def shield(cv):
    outline = [(16, 2), (28, 6), (27, 17), (16, 29), (5, 17), (4, 6)]
    cv.poly(outline, BLUE, outline=K)
    cv.poly([(16, 4), (26, 7.5), (25.5, 16.5), (16, 26.5)], LBLUE)
    cv.line(9, 15, 14, 20, WHITE, width=3)
    cv.line(14, 20, 23, 10, WHITE, width=3)


def sliders(cv):
    cv.rect(2, 3, 29, 28, LGRAY, frame=K)
    for y, knob in ((9, 10), (16, 21), (23, 14)):
        cv.line(5, y, 26, y, K, width=2)
        cv.rect(knob - 2, y - 3, knob + 2, y + 3, ORANGE, frame=K)


def scan_areas(cv):
    cv.rect(3, 2, 20, 28, WHITE, frame=K)
    for y in (6, 9, 12, 15):
        cv.line(6, y, 17, y, GRAY)
    magnifier(cv, cx=19, cy=18, r=7, handle=(29, 29))


def star(cv, cx, cy, r):
    pts = []
    for i in range(10):
        a = -math.pi / 2 + i * math.pi / 5
        rr = r if i % 2 == 0 else r * 0.45
        pts.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    cv.poly(pts, YELLOW, outline=K)


def internet(cv):
    globe(cv, cx=14, cy=17, r=12)
    star(cv, 24, 8, 7.5)


def hourglass(cv):
    cv.rect(6, 2, 25, 4, BROWN, frame=K)
    cv.rect(6, 27, 25, 29, BROWN, frame=K)
    cv.poly([(8, 5), (23, 5), (16.5, 15.5), (15.5, 15.5)], LBLUE, outline=K)
    cv.poly([(15.5, 15.5), (16.5, 15.5), (23, 26), (8, 26)], LBLUE, outline=K)
    cv.poly([(11, 9), (20, 9), (16, 14)], YELLOW)
    cv.poly([(16, 18), (21, 25), (10, 25)], YELLOW)
    cv.line(16, 15, 16, 24, YELLOW)


def book(cv):
    cv.poly([(1, 9), (15, 12), (17, 12), (31, 9), (31, 27), (17, 30), (15, 30), (1, 27)], BLUE, outline=K)
    cv.poly([(3, 6), (15, 9), (15, 27), (3, 24)], WHITE, outline=K)
    cv.poly([(17, 9), (29, 6), (29, 24), (17, 27)], WHITE, outline=K)
    for i in range(4):
        cv.line(5, 11 + i * 3, 13, 13 + i * 3, GRAY)
        cv.line(19, 13 + i * 3, 27, 11 + i * 3, GRAY)


def package(cv):
    cv.poly([(3, 11), (17, 11), (17, 29), (3, 29)], DORANGE, outline=K)
    cv.poly([(17, 11), (27, 6), (27, 24), (17, 29)], BROWN, outline=K)
    cv.poly([(3, 11), (13, 6), (27, 6), (17, 11)], ORANGE, outline=K)
    cv.line(8, 11, 8, 29, YELLOW, width=2)
    star(cv, 24, 8, 7.5)


def stop(cv):
    pts = [(16 + 14.5 * math.cos(math.pi / 8 + i * math.pi / 4), 16 + 14.5 * math.sin(math.pi / 8 + i * math.pi / 4))
           for i in range(8)]
    cv.poly(pts, RED, outline=K)
    inner = [(16 + 12 * math.cos(math.pi / 8 + i * math.pi / 4), 16 + 12 * math.sin(math.pi / 8 + i * math.pi / 4))
             for i in range(8)]
    cv.outline(inner, WHITE)
    cv.line(10, 10, 22, 22, WHITE, width=4)
    cv.line(22, 10, 10, 22, WHITE, width=4)


DRAWINGS = {
    "home": home, "settings": gear, "scan": magnifier, "trash": trashcan, "help": question,
    "update": update, "processes": processes, "lists": lists, "tools": tools, "shield": shield,
    "sliders": sliders, "scanareas": scan_areas, "internet": internet, "hourglass": hourglass,
    "book": book, "package": package, "stop": stop,
}

# Image control -> drawing, per window description.
PICTURES = {
    "Teditor.form": {
        # the menu column, beside the eight menu labels
        "sxImage1": "home", "sxImage2": "settings", "sxImage3": "scan", "sxImage4": "trash",
        "sxImage5": "help", "sxImage6": "update", "sxImage7": "processes", "sxImage8": "lists",
        # top right of the pages
        "sxImage9": "home", "sxImage10": "scan", "sxImage11": "settings", "sxImage12": "trash",
        "sxImage13": "update", "sxImage14": "lists", "sxImage15": "tools", "sxImage16": "processes",
        # the settings tabs, the Tools page's tabs, the Help page
        "sxImage17": "sliders", "sxImage18": "scanareas", "sxImage20": "internet", "sxImage23": "shield",
        "sxImage19": "hourglass", "sxImage22": "book",
    },
    "TnewSoftwareDlg.form": {"headerIcon": "package"},
    "TbadSoftwareDlg.form": {"headerIcon": "stop"},
    "Tupdated.form": {"updateIcon": "update"},
}


# --- icon file -----------------------------------------------------------------------------

def icon_bytes(drawing):
    cv = Canvas()
    DRAWINGS[drawing](cv)
    xor = b""
    and_ = b""
    for row in reversed(cv.px):  # DIB rows are stored bottom-up
        for x in range(0, SIZE, 2):
            a, b = row[x] or 0, row[x + 1] or 0
            xor += bytes([(a << 4) | b])
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        and_ += bits.to_bytes(SIZE // 8, "big")
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(and_), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def hex_block(data, indent):
    text = data.hex().upper()
    lines = [indent + text[i:i + 64] for i in range(0, len(text), 64)]
    return "\n".join(lines) + "}"


def store(form_path, pictures):
    with open(form_path, encoding="ascii") as f:
        text = f.read()
    for name, drawing in pictures.items():
        block = re.compile(r"(?m)^(?P<ind> *)object " + re.escape(name) + r": \w+\n(?P<body>(?:(?!(?P=ind)end\n).*\n)*?)"
                           r"(?P<pind> *)Picture\.Data = \{[0-9A-Fa-f\s]*\}")
        m = block.search(text)
        if not m:
            sys.exit(f"{form_path}: no Picture.Data in the block of {name}")
        start = m.start("pind")
        data = "Picture.Data = {\n" + hex_block(icon_bytes(drawing), m.group("pind") + "  ")
        text = text[:start] + m.group("pind") + data + text[m.end():]
    with open(form_path, "w", encoding="ascii", newline="\n") as f:
        f.write(text)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    forms = os.path.dirname(here)
    for form, pictures in PICTURES.items():
        store(os.path.join(forms, form), pictures)
    if len(sys.argv) == 3 and sys.argv[1] == "--ico":
        os.makedirs(sys.argv[2], exist_ok=True)
        for name in DRAWINGS:
            with open(os.path.join(sys.argv[2], name + ".ico"), "wb") as f:
                f.write(icon_bytes(name))


if __name__ == "__main__":
    main()
