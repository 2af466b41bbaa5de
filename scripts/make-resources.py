#!/usr/bin/env python3
"""Draws the library's named bitmap and cursor resources.

Writes resources/bitmaps/*.bmp (24-bit, bottom-up) and resources/cursors/*.ani
(RIFF ACON, two 32x32 frames with alpha). The files are committed, so a build
never needs Python; run this again only after changing a picture here.

Every bitmap has the same background colour (magenta, FF00FF) in all four
corners: the controls take their transparent colour from a corner pixel.
All bitmaps are square, so a glyph never reads as a strip of several images.
"""

import math
import os
import struct
import sys

BACKGROUND = (0xFF, 0x00, 0xFF)

PALETTE = {
    ".": BACKGROUND,
    "k": (0x00, 0x00, 0x00),
    "d": (0x40, 0x40, 0x40),
    "g": (0x80, 0x80, 0x80),
    "s": (0xC0, 0xC0, 0xC0),
    "w": (0xFF, 0xFF, 0xFF),
    "r": (0xC0, 0x00, 0x00),
    "R": (0xFF, 0x30, 0x30),
    "y": (0xFF, 0xE0, 0x40),
    "b": (0x00, 0x40, 0xC0),
    "l": (0xA8, 0xD8, 0xFF),
    "n": (0x6A, 0x40, 0x20),
    "c": (0x40, 0x50, 0x80),
}


class Picture:
    """An RGB picture, rows top-down."""

    def __init__(self, width, height, fill=BACKGROUND):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    @classmethod
    def from_art(cls, art):
        lines = [line for line in art.strip("\n").split("\n")]
        pic = cls(len(lines[0]), len(lines))
        for y, line in enumerate(lines):
            if len(line) != pic.width:
                raise ValueError("ragged picture row %d: %r" % (y, line))
            for x, ch in enumerate(line):
                pic.rows[y][x] = PALETTE[ch]
        return pic

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def disc(self, cx, cy, radius, colour):
        for y in range(self.height):
            for x in range(self.width):
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= radius * radius:
                    self.rows[y][x] = colour

    def ring(self, cx, cy, outer, inner, colour):
        for y in range(self.height):
            for x in range(self.width):
                d2 = (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2
                if inner * inner < d2 <= outer * outer:
                    self.rows[y][x] = colour

    def check_corners(self, name):
        w, h = self.width - 1, self.height - 1
        for x, y in ((0, 0), (w, 0), (0, h), (w, h)):
            if self.rows[y][x] != BACKGROUND:
                raise ValueError("%s: corner (%d, %d) is not the background" % (name, x, y))


def bmp_bytes(pic):
    row_size = (pic.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(pic.rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (row_size - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, pic.width, pic.height, 1, 24, 0,
                       len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + bytes(pixels)


# --- edit-button glyphs (11 x 11) -----------------------------------------

FLATCHOICE = """
...........
...........
...........
..kkkkkkk..
...kkkkk...
....kkk....
.....k.....
...........
..kkkkkkk..
...........
...........
"""

BTNCOMBO = """
...........
...........
...........
...........
..kkkkkkk..
...kkkkk...
....kkk....
.....k.....
...........
...........
...........
"""

BTNELLIPSIS = """
...........
...........
...........
...........
...........
...........
.kk..kk..kk
.kk..kk..kk
...........
...........
...........
"""

BTNCALC = """
...........
.kkkkkkkkk.
.kwwwwwwwk.
.kwwwwwkwk.
.kkkkkkkkk.
.kskskskRk.
.kkkkkkkkk.
.ksksksksk.
.kkkkkkkkk.
.ksksksksk.
.kkkkkkkkk.
"""

BTNPOPUP = """
...........
...........
..kkkkkkk..
..kwwwwwk..
..kwwwwwk..
..kkkkkkk..
...........
..kkkkkkk..
...kkkkk...
....kkk....
...........
"""

BTNSHCANCEL = """
...........
.rr.....rr.
.rrr...rrr.
..rrr.rrr..
...rrrrr...
....rrr....
...rrrrr...
..rrr.rrr..
.rrr...rrr.
.rr.....rr.
...........
"""

# The DC family's button glyphs: the same symbols in the dark blue of its
# frames, so the two families can be told apart on screen.
def recolour(art, colour_char):
    return art.replace("k", colour_char)


# --- pictures drawn in code -------------------------------------------------

def invalid_value_icon():
    """Round red error sign with a white exclamation mark (16 x 16)."""
    pic = Picture(16, 16)
    pic.disc(8, 8, 7.5, PALETTE["r"])
    pic.disc(8, 8, 6.5, PALETTE["R"])
    for y in range(3, 10):
        pic.put(7, y, PALETTE["w"])
        pic.put(8, y, PALETTE["w"])
    for y in (11, 12):
        pic.put(7, y, PALETTE["w"])
        pic.put(8, y, PALETTE["w"])
    return pic


def dc_invalid_value_icon():
    """Yellow warning triangle with a black exclamation mark (16 x 16)."""
    pic = Picture(16, 16)
    for y in range(1, 15):
        half = (y - 1) * 7.5 / 13
        for x in range(16):
            if abs(x + 0.5 - 8) <= half + 0.5:
                edge = abs(x + 0.5 - 8) > half - 0.7 or y == 14
                pic.put(x, y, PALETTE["k"] if edge else PALETTE["y"])
    for y in range(5, 11):
        pic.put(7, y, PALETTE["k"])
        pic.put(8, y, PALETTE["k"])
    pic.put(7, 12, PALETTE["k"])
    pic.put(8, 12, PALETTE["k"])
    return pic


def size_grip():
    """Three diagonal ridges in the lower right corner (12 x 12)."""
    pic = Picture(12, 12)
    for y in range(12):
        for x in range(12):
            d = x + y - 12
            if d >= 0:
                step = d % 4
                if step == 0:
                    pic.put(x, y, PALETTE["w"])
                elif step in (1, 2):
                    pic.put(x, y, PALETTE["g"])
    pic.put(11, 11, BACKGROUND)
    return pic


def magnifier():
    """Magnifying glass: find (16 x 16)."""
    pic = Picture(16, 16)
    pic.disc(6.5, 6.5, 5.5, PALETTE["k"])
    pic.disc(6.5, 6.5, 4.3, PALETTE["l"])
    pic.put(4, 4, PALETTE["w"])
    pic.put(5, 4, PALETTE["w"])
    pic.put(4, 5, PALETTE["w"])
    for i in range(10, 15):
        for w in (0, 1):
            pic.put(i + w, i, PALETTE["n"])
            pic.put(i, i + w, PALETTE["n"])
    pic.put(15, 15, BACKGROUND)
    return pic


QUERY = """
................
..kkkkkkkkk.....
..kwwwwwwwkk....
..kwwwwwwwkwk...
..kwwwwwwwkkkk..
..kwwwbbbwwwwk..
..kwwbwwwbwwwk..
..kwwwwwwbwwwk..
..kwwwwwbwwwwk..
..kwwwwbwwwwwk..
..kwwwwbwwwwwk..
..kwwwwwwwwwwk..
..kwwwwbwwwwwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
"""


def paper_clip():
    """A paper clip for the grid (16 x 16)."""
    pic = Picture(16, 16)
    wire = PALETTE["c"]
    # outer loop: top bend, left side down, bottom bend
    for x in range(5, 11):
        pic.put(x, 1, wire)
    pic.put(4, 2, wire)
    pic.put(11, 2, wire)
    for y in range(3, 14):
        pic.put(3, y, wire)
    for y in range(3, 11):
        pic.put(12, y, wire)         # free end on the right
    pic.put(4, 14, wire)
    for x in range(5, 9):
        pic.put(x, 14, wire)
    pic.put(9, 13, wire)
    # inner loop: up the middle, bend, down to the inner free end
    for y in range(5, 13):
        pic.put(9, y, wire)
    pic.put(8, 4, wire)
    pic.put(7, 4, wire)
    for y in range(5, 12):
        pic.put(6, y, wire)
    return pic


CUTTEXT = """
................
...k.......k....
...k.......k....
...kk.....kk....
....k.....k.....
....kk...kk.....
.....k...k......
.....kk.kk......
......kkk.......
.......k........
......r.r.......
....rrr.rrr.....
...r..r.r..r....
...r..r.r..r....
....rr...rr.....
................
"""

COPYTEXT = """
................
.kkkkkkk........
.kwwwwwk........
.kwgggwk........
.kwwwwwkkkkkkk..
.kwgggwkwwwwwk..
.kwwwwwkwggggk..
.kwgggwkwwwwwk..
.kwwwwwkwggggk..
.kkkkkkkwwwwwk..
.......kwggggk..
.......kwwwwwk..
.......kwggggk..
.......kwwwwwk..
.......kkkkkkk..
................
"""

PASTETEXT = """
................
.....kkkkk......
..nnnkyyykknn...
..nnkkkkkkknn...
..nnnnnnnnnnn...
..nnnnkkkkkkkk..
..nnnnkwwwwwwk..
..nnnnkwggggwk..
..nnnnkwwwwwwk..
..nnnnkwggggwk..
..nnnnkwwwwwwk..
..nnnnkwggggwk..
..nnnnkwwwwwwk..
..nnnnkkkkkkkk..
................
................
"""

# The summary window's buttons: a printer ("Drucken") and an arrow
# pointing on ("Weiter").
PRINTTEXT = """
................
....kkkkkkkk....
....kwwwwwwk....
....kwggggwk....
....kwwwwwwk....
..kkkkkkkkkkkk..
.ksssssssssssssk
.ksssssssssssRsk
.ksssssssssssssk
.kggggggggggggk.
.kggkkkkkkkkggk.
..kkkwwwwwwkkk..
....kwggggwk....
....kwwwwwwk....
....kkkkkkkk....
................
"""

NEXTTEXT = """
................
................
........b.......
........bb......
........blb.....
........bllb....
.bbbbbbbblllb...
.bllllllllllb...
.blllllllllllb..
.bllllllllllb...
.bbbbbbbblllb...
........bllb....
........blb.....
........bb......
........b.......
................
"""

BITMAPS = {
    "I_FLATCHOICE": lambda: Picture.from_art(FLATCHOICE),
    "I_BTNCOMBO": lambda: Picture.from_art(BTNCOMBO),
    "I_BTNELLIPSIS": lambda: Picture.from_art(BTNELLIPSIS),
    "I_BTNCALC": lambda: Picture.from_art(BTNCALC),
    "I_BTNPOPUP": lambda: Picture.from_art(BTNPOPUP),
    "I_BTNSHCANCEL": lambda: Picture.from_art(BTNSHCANCEL),
    "I_MV_INVALIDVALUE": invalid_value_icon,
    "I_BTNSIZE": size_grip,
    "I_DBQUERY": lambda: Picture.from_art(QUERY),
    "I_DBFIND": magnifier,
    "DC_FLATCHOICE": lambda: Picture.from_art(recolour(FLATCHOICE, "b")),
    "DC_BTNCOMBO": lambda: Picture.from_art(recolour(BTNCOMBO, "b")),
    "DC_BTNELLIPSIS": lambda: Picture.from_art(recolour(BTNELLIPSIS, "b")),
    "DC_MV_INVALIDVALUE": dc_invalid_value_icon,
    "CLIP_G": paper_clip,
    "UICUTTEXT0": lambda: Picture.from_art(CUTTEXT),
    "UICOPYTEXT0": lambda: Picture.from_art(COPYTEXT),
    "UIPASTETEXT0": lambda: Picture.from_art(PASTETEXT),
    "FTIP_PRINT": lambda: Picture.from_art(PRINTTEXT),
    "FTIP_NEXT": lambda: Picture.from_art(NEXTTEXT),
}


# --- animated cursors ---------------------------------------------------------

CURSOR_SIZE = 32
SPINNER_DOTS = 8


def spinner_frame(colour, head):
    """BGRA rows (top-down) of a ring of dots whose darkest dot is `head`."""
    size = CURSOR_SIZE
    centre = size / 2
    pixels = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for i in range(SPINNER_DOTS):
        angle = 2 * math.pi * i / SPINNER_DOTS - math.pi / 2
        dx = centre + 10 * math.cos(angle)
        dy = centre + 10 * math.sin(angle)
        age = (head - i) % SPINNER_DOTS            # 0 = newest, darkest
        shade = 1.0 - 0.11 * age
        r, g, b = (int(c * shade + 255 * (1 - shade)) for c in colour)
        for y in range(size):
            for x in range(size):
                dist = math.hypot(x + 0.5 - dx, y + 0.5 - dy)
                cover = max(0.0, min(1.0, 3.2 - dist))   # soft edge of a 3 px dot
                if cover > 0:
                    a = int(round(255 * cover))
                    if a > pixels[y][x][3]:
                        pixels[y][x] = (b, g, r, a)
    return pixels


def cur_bytes(pixels, hotspot):
    """One .cur file: 32-bit colour with alpha plus the AND mask."""
    size = CURSOR_SIZE
    xor = bytearray()
    for row in reversed(pixels):
        for b, g, r, a in row:
            xor += bytes((b, g, r, a))
    mask_row = ((size + 31) // 32) * 4
    and_mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                       len(xor) + len(and_mask), 0, 0, 0, 0)
    image = info + bytes(xor) + bytes(and_mask)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", size, size, 0, 0, hotspot[0], hotspot[1],
                        len(image), 6 + 16)
    return header + entry + image


def chunk(tag, data):
    pad = b"\0" if len(data) % 2 else b""
    return tag + struct.pack("<I", len(data)) + data + pad


def ani_bytes(frames, jiffies):
    """RIFF ACON: header, then the frames as icon chunks of a 'fram' list."""
    anih = struct.pack("<9I", 36, len(frames), len(frames), 0, 0, 0, 0, jiffies, 1)
    fram = b"fram" + b"".join(chunk(b"icon", f) for f in frames)
    body = b"ACON" + chunk(b"anih", anih) + chunk(b"LIST", fram)
    return b"RIFF" + struct.pack("<I", len(body)) + body


CURSORS = {
    "CRCURSOR_AJAX01": (0x20, 0x60, 0xD0),
    "CRCURSOR_AJAX02": (0x20, 0x90, 0x40),
    "CRCURSOR_AJAX03": (0x30, 0x30, 0x30),   # the busy cursor
    "CRCURSOR_AJAX04": (0xE0, 0x70, 0x10),
}


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")
    bitmaps = os.path.join(root, "bitmaps")
    cursors = os.path.join(root, "cursors")
    os.makedirs(bitmaps, exist_ok=True)
    os.makedirs(cursors, exist_ok=True)
    for name, draw in BITMAPS.items():
        pic = draw()
        if pic.width != pic.height:
            raise ValueError("%s is not square" % name)
        pic.check_corners(name)
        with open(os.path.join(bitmaps, name.lower() + ".bmp"), "wb") as f:
            f.write(bmp_bytes(pic))
    hotspot = (CURSOR_SIZE // 2, CURSOR_SIZE // 2)
    for name, colour in CURSORS.items():
        frames = [cur_bytes(spinner_frame(colour, head), hotspot) for head in (0, 4)]
        with open(os.path.join(cursors, name.lower() + ".ani"), "wb") as f:
            f.write(ani_bytes(frames, 10))
    return 0


if __name__ == "__main__":
    sys.exit(main())
