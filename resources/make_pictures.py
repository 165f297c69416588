#!/usr/bin/env python3
"""Draws the pictures of Setup: the side picture of the pages, the two logos
of the background and the three icons, as 16-colour uncompressed BMP and ICO
files. Standard library only; the output is the same on every run.

    python3 resources/make_pictures.py [output folder]
"""

import math
import os
import struct
import sys

# --------------------------------------------------------------------------
# Canvas: a grid of palette indexes, and shapes given by distance functions.


class Canvas:
    def __init__(self, width, height, fill=0):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def get(self, x, y):
        return self.pixels[y][x]

    def paint(self, box, shade):
        """Calls shade(x, y, old) for every pixel centre of the box; a
        result of None leaves the pixel as it is."""
        x0, y0, x1, y1 = box
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            row = self.pixels[y]
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                colour = shade(x + 0.5, y + 0.5, row[x])
                if colour is not None:
                    row[x] = colour


def ellipse_distance(px, py, cx, cy, rx, ry):
    """Roughly the distance outside (positive) or inside (negative) an
    axis-aligned ellipse, in pixels."""
    nx = (px - cx) / rx
    ny = (py - cy) / ry
    return (math.hypot(nx, ny) - 1.0) * min(rx, ry)


def rounded_box_distance(px, py, x0, y0, x1, y1, radius):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius
    dx, dy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(dx, 0.0), max(dy, 0.0))
    return outside + min(max(dx, dy), 0.0) - radius


def segment_distance(px, py, ax, ay, bx, by):
    vx, vy = bx - ax, by - ay
    length = vx * vx + vy * vy
    t = 0.0 if length == 0 else max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / length))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def dithered(levels, value, x, y):
    """One of the palette indexes in levels for a value from 0 to 1, with an
    ordered dither between neighbouring levels."""
    position = max(0.0, min(1.0, value)) * (len(levels) - 1)
    low = int(position)
    if low >= len(levels) - 1:
        return levels[-1]
    threshold = (BAYER4[int(y) % 4][int(x) % 4] + 0.5) / 16
    return levels[low + 1] if position - low > threshold else levels[low]


def stepped(levels, value, x=0, y=0):
    """One of the palette indexes in levels for a value from 0 to 1, without
    dithering: a picture that may be drawn a pixel smaller than it is (the
    side picture in its framed control) shows no seams where a row or a
    column is dropped."""
    position = max(0.0, min(1.0, value)) * len(levels)
    return levels[min(len(levels) - 1, int(position))]


# --------------------------------------------------------------------------
# A 5 by 7 font, drawn as round strokes through the centres of its dots.

GLYPHS = {
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "W": ["#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"],
    "d": ["....#", "....#", ".####", "#...#", "#...#", "#...#", ".####"],
    "e": [".....", ".....", ".###.", "#...#", "#####", "#....", ".###."],
    "f": ["..##.", ".#...", ".#...", "###..", ".#...", ".#...", ".#..."],
    "h": ["#....", "#....", "####.", "#...#", "#...#", "#...#", "#...#"],
    "i": ["..#..", ".....", ".##..", "..#..", "..#..", "..#..", ".###."],
    "l": [".##..", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "n": [".....", ".....", "####.", "#...#", "#...#", "#...#", "#...#"],
    "o": [".....", ".....", ".###.", "#...#", "#...#", "#...#", ".###."],
    "r": [".....", ".....", "#.##.", "##..#", "#....", "#....", "#...."],
    "s": [".....", ".....", ".####", "#....", ".###.", "....#", "####."],
    "t": [".#...", ".#...", "###..", ".#...", ".#...", ".#..#", "..##."],
    "u": [".....", ".....", "#...#", "#...#", "#...#", "#..##", ".##.#"],
    "v": [".....", ".....", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "w": [".....", ".....", "#...#", "#...#", "#.#.#", "#.#.#", ".#.#."],
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "4": ["...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."],
    ".": [".....", ".....", ".....", ".....", ".....", ".##..", ".##.."],
    " ": ["....."] * 7,
}


def glyph_strokes(glyph):
    """Segments between neighbouring dots of a glyph, in dot coordinates."""
    dots = {(x, y) for y, row in enumerate(glyph) for x, c in enumerate(row) if c == "#"}
    strokes = []
    for (x, y) in sorted(dots):
        strokes.append((x, y, x, y))
        for dx, dy in ((1, 0), (0, 1)):
            if (x + dx, y + dy) in dots:
                strokes.append((x, y, x + dx, y + dy))
        for dx in (1, -1):
            # A diagonal only where no square corner already joins the two.
            if (x + dx, y + 1) in dots and (x + dx, y) not in dots and (x, y + 1) not in dots:
                strokes.append((x, y, x + dx, y + 1))
    return strokes


def text_strokes(text, scale, x, y, slant=0.0, spacing=6):
    """Pixel segments of a line of text whose dot grid starts at (x, y)."""
    strokes = []
    for index, char in enumerate(text):
        left = x + index * spacing * scale
        for (ax, ay, bx, by) in glyph_strokes(GLYPHS[char]):
            def place(dx, dy):
                py = y + (dy + 0.5) * scale
                return left + (dx + 0.5) * scale + slant * (y + 7 * scale - py), py
            strokes.append(place(ax, ay) + place(bx, by))
    return strokes


def text_width(text, scale, spacing=6):
    return (len(text) * spacing - 1) * scale


def strokes_distance(strokes, px, py):
    return min(segment_distance(px, py, *s) for s in strokes)


def draw_lettering(canvas, strokes, radius, fill, outline=None, outline_width=0.0, shadow=None, offset=(0, 0)):
    """Round-stroke lettering: an optional shadow, an outline and the fill,
    where fill may be a colour or a function of (x, y)."""
    xs = [v for s in strokes for v in (s[0], s[2])]
    ys = [v for s in strokes for v in (s[1], s[3])]
    reach = radius + outline_width + max(abs(offset[0]), abs(offset[1])) + 1
    box = (min(xs) - reach, min(ys) - reach, max(xs) + reach, max(ys) + reach)
    # Only the strokes near a pixel matter; bucket them by column.
    def shade(x, y, old):
        near = [s for s in strokes if min(s[0], s[2]) - reach <= x <= max(s[0], s[2]) + reach]
        if not near:
            return None
        d = strokes_distance(near, x, y)
        if d <= radius:
            return fill(x, y) if callable(fill) else fill
        if outline is not None and d <= radius + outline_width:
            return outline
        if shadow is not None and strokes_distance(near, x - offset[0], y - offset[1]) <= radius + outline_width:
            return shadow
        return None
    canvas.paint(box, shade)


# --------------------------------------------------------------------------
# The wheel mouse, seen from above, lit from the upper left.


def draw_mouse(canvas, cx, cy, width, height, colours, cable=True, cable_top=None, shading=dithered):
    """colours: dict with keys light, face, mid, dark, outline, wheel,
    wheel_light, cable."""
    rx, ry = width / 2, height / 2
    top = cy - ry
    split_y = top + height * 0.42

    if cable:
        end = cable_top if cable_top is not None else top - height * 0.25
        points = []
        steps = 24
        for i in range(steps + 1):
            t = i / steps
            points.append((cx + math.sin(t * math.pi * 1.5) * width * 0.18, top + (end - top) * t))
        cable_strokes = [points[i] + points[i + 1] for i in range(steps)]
        draw_lettering(canvas, cable_strokes, max(1.0, width * 0.035), colours["cable"],
                       colours["outline"], 1.0)

    def body_distance(x, y):
        # Narrower at the front (top), like a real mouse.
        squeeze = 1.0 - 0.14 * max(0.0, (cy - y) / ry)
        return ellipse_distance(x, y, cx, cy, rx * squeeze, ry)

    def shade_body(x, y, old):
        d = body_distance(x, y)
        if d > 0:
            return None
        if d > -1.2:
            return colours["outline"]
        # Light falls from the upper left: the facing side is bright.
        nx, ny = (x - cx) / rx, (y - cy) / ry
        light = 0.75 - 0.55 * nx - 0.45 * ny - 0.35 * (nx * nx + ny * ny)
        levels = [colours["dark"], colours["mid"], colours["face"], colours["light"]]
        return shading(levels, light, x, y)

    canvas.paint((cx - rx - 1, top - 1, cx + rx + 1, cy + ry + 1), shade_body)

    # The two buttons: a parting line down the front and one across.
    def shade_lines(x, y, old):
        if body_distance(x, y) > -1.5:
            return None
        if y < split_y and abs(x - cx) < 0.6 + width * 0.012:
            return colours["outline"]
        if abs(y - split_y) < 0.6 + height * 0.006:
            return colours["outline"]
        return None

    canvas.paint((cx - rx, top, cx + rx, cy + ry), shade_lines)

    # The wheel between the buttons, with ridges.
    wx0, wx1 = cx - width * 0.09, cx + width * 0.09
    wy0, wy1 = top + height * 0.10, top + height * 0.34

    def shade_wheel(x, y, old):
        d = rounded_box_distance(x, y, wx0, wy0, wx1, wy1, width * 0.08)
        if d > 0:
            return None
        if d > -1.0:
            return colours["outline"]
        ridge = int((y - wy0) / max(2.0, height * 0.045)) % 2 == 0
        if x < cx and ridge:
            return colours["wheel_light"]
        return colours["wheel"]

    canvas.paint((wx0 - 1, wy0 - 1, wx1 + 1, wy1 + 1), shade_wheel)


# --------------------------------------------------------------------------
# File formats.


def bmp_bytes(canvas, palette):
    """A 4-bit uncompressed bottom-up BMP."""
    assert len(palette) == 16
    row_bytes = ((canvas.width * 4 + 31) // 32) * 4
    rows = []
    for y in reversed(range(canvas.height)):
        row = bytearray(row_bytes)
        for x in range(canvas.width):
            value = canvas.get(x, y)
            row[x // 2] |= value << 4 if x % 2 == 0 else value
        rows.append(bytes(row))
    bits = b"".join(rows)
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(colours)
    header = struct.pack("<2sIHHI", b"BM", offset + len(bits), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 4, 0, len(bits), 2835, 2835, 16, 16)
    return header + info + colours + bits


def ico_bytes(canvas, palette, transparent):
    """A one-image 32 by 32, 16-colour icon; pixels of the transparent index
    are left to the AND mask."""
    size = canvas.width
    xor_rows, and_rows = [], []
    for y in reversed(range(canvas.height)):
        xor = bytearray(size // 2)
        mask = bytearray(4 * ((size + 31) // 32))
        for x in range(size):
            value = canvas.get(x, y)
            if value == transparent:
                mask[x // 8] |= 0x80 >> (x % 8)
                value = 0
            xor[x // 2] |= value << 4 if x % 2 == 0 else value
        xor_rows.append(bytes(xor))
        and_rows.append(bytes(mask))
    colours = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 0, 0)
    image = info + colours + b"".join(xor_rows) + b"".join(and_rows)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


# --------------------------------------------------------------------------
# The pictures.

MAGENTA = (255, 0, 255)

# Logos: shown over the blue gradient of the background.
LOGO_PALETTE = [
    (0, 0, 0),        # 0 black: shadow
    MAGENTA,          # 1 transparent
    (255, 255, 255),  # 2 white
    (224, 232, 240),  # 3 pale silver
    (176, 184, 196),  # 4 silver
    (120, 128, 144),  # 5 grey
    (64, 68, 80),     # 6 dark grey
    (0, 16, 64),      # 7 deep navy: outlines
    (255, 208, 0),    # 8 gold
    (255, 240, 150),  # 9 pale gold
    (255, 160, 0),    # 10 amber
    (160, 208, 255),  # 11 sky
    (96, 160, 255),   # 12 light blue
    (40, 40, 48),     # 13 wheel
    (150, 150, 160),  # 14 wheel ridge
    (24, 32, 56),     # 15 cable
]
L_TRANSPARENT = 1

LOGO_MOUSE = {"light": 2, "face": 3, "mid": 4, "dark": 5, "outline": 7,
              "wheel": 13, "wheel_light": 14, "cable": 15}


def gold_fill(top, bottom):
    def fill(x, y):
        return dithered([9, 8, 10], (y - top) / max(1.0, bottom - top), x, y)
    return fill


def white_fill(top, bottom):
    def fill(x, y):
        return dithered([2, 3, 11], (y - top) / max(1.0, bottom - top) * 0.8, x, y)
    return fill


def top_logo():
    canvas = Canvas(400, 50, L_TRANSPARENT)
    draw_mouse(canvas, 24, 29, 30, 38, LOGO_MOUSE, cable=True, cable_top=-2)
    # A swoosh of motion under the product name.
    swoosh = []
    for i in range(40):
        t0, t1 = i / 40, (i + 1) / 40
        def at(t):
            return 52 + t * 336, 45 - math.sin(t * math.pi) * 4 + t * 1.5
        swoosh.append(at(t0) + at(t1))
    draw_lettering(canvas, swoosh, 1.6, 12, 7, 1.0)

    scale = 5
    x, y = 60, 3
    strokes = text_strokes("Roller Kit", scale, x, y, slant=0.18)
    draw_lettering(canvas, strokes, 2.6, white_fill(y, y + 7 * scale), 7, 1.6, shadow=0, offset=(2, 2))
    # The dot of the i in gold, the wheel of the product.
    return canvas


def bottom_logo():
    canvas = Canvas(490, 43, L_TRANSPARENT)
    scale = 4
    name = "RollPoint"
    strokes = text_strokes(name, scale, 4, 6, slant=0.15)
    draw_lettering(canvas, strokes, 2.1, gold_fill(6, 6 + 7 * scale), 7, 1.4, shadow=0, offset=(2, 2))
    left = 4 + text_width(name, scale) + 26
    # A slim divider between the name and the description.
    draw_lettering(canvas, [(left - 12, 6, left - 14, 38)], 1.0, 11, 7, 1.0)
    for line, (text, top) in enumerate((("Wheel Mouse Driver", 5), ("for Windows NT 4.0", 23))):
        strokes = text_strokes(text, 2, left, top)
        draw_lettering(canvas, strokes, 1.15, 2 if line == 0 else 11, 7, 1.2, shadow=0, offset=(1, 1))
    return canvas


# Side picture of the pages: its own background, no transparency.
SIDE_PALETTE = [
    (0, 0, 0),        # 0 black
    (8, 16, 72),      # 1 night blue
    (16, 40, 120),    # 2 deep blue
    (32, 72, 168),    # 3 blue
    (64, 112, 208),   # 4 mid blue
    (112, 160, 232),  # 5 light blue
    (176, 208, 248),  # 6 pale blue
    (255, 255, 255),  # 7 white
    (224, 228, 236),  # 8 pale silver
    (176, 180, 192),  # 9 silver
    (120, 124, 140),  # 10 grey
    (56, 60, 76),     # 11 dark grey
    (255, 208, 0),    # 12 gold
    (24, 56, 144),    # 13 dusk blue
    (0, 16, 48),      # 14 outline navy
    (36, 36, 44),     # 15 wheel
]

SIDE_MOUSE = {"light": 7, "face": 8, "mid": 9, "dark": 10, "outline": 14,
              "wheel": 15, "wheel_light": 9, "cable": 11}


def side_picture():
    width, height = 118, 234
    canvas = Canvas(width, height, 0)
    sky = [1, 13, 2, 3, 4, 5, 6]
    canvas.paint((0, 0, width, height),
                 lambda x, y, old: stepped(sky, 1.0 - y / height * 1.05 + 0.06 * math.sin(x / 18.0)))
    # Rings rolling out from the wheel.
    cx, cy = 59, 104
    for radius, colour in ((52, 3), (44, 4), (36, 5)):
        canvas.paint((cx - radius - 2, cy - radius - 2, cx + radius + 2, cy + radius + 2),
                     lambda x, y, old, r=radius, c=colour:
                     c if abs(math.hypot(x - cx, y - cy) - r) < 1.0 and y < cy + 10 else None)
    draw_mouse(canvas, cx, cy + 12, 62, 92, SIDE_MOUSE, cable=True, cable_top=-4, shading=stepped)
    # Two arrows beside the wheel: it rolls both ways.
    for direction in (-1, 1):
        tip_y = cy - 18 + direction * 22
        base_y = tip_y - direction * 8
        ax = cx + 44
        canvas.paint((ax - 8, min(tip_y, base_y) - 1, ax + 8, max(tip_y, base_y) + 1),
                     lambda x, y, old, t=tip_y, b=base_y:
                     12 if abs(x - ax) <= 6 * abs(y - t) / max(1, abs(b - t)) else None)
        canvas.paint((ax - 2, min(base_y, cy - 18), ax + 2, max(base_y, cy - 18)),
                     lambda x, y, old: 12)
    for text, top in (("Roller", 178), ("Kit", 204)):
        scale = 3
        left = (width - text_width(text, scale)) / 2
        strokes = text_strokes(text, scale, left, top, slant=0.15)
        draw_lettering(canvas, strokes, 1.6, lambda x, y: stepped([7, 8, 6], (y - top) / 21),
                       14, 1.2, shadow=0, offset=(1, 1))
    return canvas


# Icons: the standard 16-colour palette, as icons of the period have.
ICON_PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
I_TRANSPARENT = 13
ICON_MOUSE = {"light": 15, "face": 15, "mid": 7, "dark": 8, "outline": 0,
              "wheel": 4, "wheel_light": 12, "cable": 8}


def welcome_icon():
    canvas = Canvas(32, 32, I_TRANSPARENT)
    draw_mouse(canvas, 16, 18.5, 20, 26, ICON_MOUSE, cable=True, cable_top=-1)
    # A double arrow beside the wheel: it rolls both ways.
    for tip, base in ((2, 7), (21, 16)):
        canvas.paint((24, min(tip, base), 32, max(tip, base) + 1),
                     lambda x, y, old, t=tip, b=base: 4 if abs(x - 28) <= 3.5 * abs(y - t) / 5 else None)
    canvas.paint((27, 7, 29, 16), lambda x, y, old: 4)
    return canvas


def disk_icon():
    canvas = Canvas(32, 32, I_TRANSPARENT)

    def shade(x, y, old):
        x, y = int(x), int(y)
        if not (3 <= x <= 29 and 3 <= y <= 29) or (x > 26 and y < 6 and x - 26 > y - 3):
            return None
        if x < 4 or x > 28 or y < 4 or y > 28:
            return 0
        if 9 <= x <= 22 and 4 <= y <= 12:  # shutter
            return 0 if 17 <= x <= 19 and 5 <= y <= 11 else 7
        if 7 <= x <= 25 and 16 <= y <= 28:  # label
            return 8 if y in (20, 23, 26) and 9 <= x <= 23 else 15
        return 4
    canvas.paint((0, 0, 32, 32), shade)
    return canvas


def done_icon():
    canvas = Canvas(32, 32, I_TRANSPARENT)
    draw_mouse(canvas, 13, 18.5, 18, 24, ICON_MOUSE, cable=True, cable_top=-1)
    tick = [(18, 22, 22, 27), (22, 27, 30, 14)]
    draw_lettering(canvas, tick, 1.6, 10, 0, 1.0)
    return canvas


PICTURES = [
    ("side_picture.bmp", side_picture, SIDE_PALETTE, None),
    ("top_logo.bmp", top_logo, LOGO_PALETTE, None),
    ("bottom_logo.bmp", bottom_logo, LOGO_PALETTE, None),
    ("welcome.ico", welcome_icon, ICON_PALETTE, I_TRANSPARENT),
    ("install_1.ico", disk_icon, ICON_PALETTE, I_TRANSPARENT),
    ("install_2.ico", done_icon, ICON_PALETTE, I_TRANSPARENT),
]


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name, draw, palette, transparent in PICTURES:
        canvas = draw()
        data = bmp_bytes(canvas, palette) if transparent is None else ico_bytes(canvas, palette, transparent)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
        print(name, canvas.width, "x", canvas.height)


if __name__ == "__main__":
    main()
