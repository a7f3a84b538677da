#!/usr/bin/env python3
"""Draws the two VELOR logos as 256-colour BMP files.

wide_logo.bmp is 100 x 38, tall_logo.bmp is 38 x 100 (the wide one turned a
quarter to the left, so it reads upwards). Palette entry 0 is the key colour
RGB(255, 0, 255), which fills everything outside the artwork and is painted
transparent by LogoPicture. No anti-aliasing: a blended edge pixel would show
as a magenta fringe.

Run from anywhere; the files are written next to this script.
"""

import os
import struct

KEY = (255, 0, 255)

GLYPHS = {
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
}

WIDE_W, WIDE_H = 100, 38
SCALE = 3
LETTER_GAP = 3
TOP = 4
LEFT = 6


def build_palette():
    palette = [KEY]
    # Lettering: a vertical gradient from steel blue to deep navy.
    for i in range(21):
        t = i / 20
        palette.append((int(20 + 10 * (1 - t)), int(85 - 55 * t), int(170 - 80 * t)))
    shadow = len(palette)
    palette.append((150, 150, 170))
    tape = len(palette)
    # The timecode tape under the name: red fading to orange.
    for i in range(12):
        t = i / 11
        palette.append((210, int(30 + 120 * t), 20))
    while len(palette) < 256:
        palette.append((0, 0, 0))
    return palette, shadow, tape


def lettering():
    """The pixels of the name, as (x, y) positions."""
    letter_w = 5 * SCALE
    points = set()
    for n, letter in enumerate("VELOR"):
        x0 = LEFT + n * (letter_w + LETTER_GAP)
        for row, bits in enumerate(GLYPHS[letter]):
            for col, bit in enumerate(bits):
                if bit == "X":
                    for dy in range(SCALE):
                        for dx in range(SCALE):
                            points.add((x0 + col * SCALE + dx, TOP + row * SCALE + dy))
    return points


def draw_wide():
    palette, shadow, tape = build_palette()
    pixels = [[0] * WIDE_W for _ in range(WIDE_H)]
    letters = lettering()
    for x, y in letters:
        pixels[y + 1][x + 1] = shadow
    for x, y in letters:
        pixels[y][x] = 1 + (y - TOP)
    tape_top = TOP + 7 * SCALE + 5
    right = LEFT + 5 * 5 * SCALE + 4 * LETTER_GAP
    segment = 0
    x = LEFT
    while x + 5 <= right:
        for dx in range(5):
            for dy in range(4):
                pixels[tape_top + dy][x + dx] = tape + min(11, segment)
        segment += 1
        x += 7
    return pixels, palette


def turned_left(pixels):
    height, width = len(pixels), len(pixels[0])
    return [[pixels[x][width - 1 - y] for x in range(height)] for y in range(width)]


def write_bmp(path, pixels, palette):
    height, width = len(pixels), len(pixels[0])
    stride = (width + 3) & ~3
    image = bytearray()
    for row in reversed(pixels):
        image += bytes(row) + bytes(stride - width)
    palette_bytes = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in palette)
    offset = 14 + 40 + len(palette_bytes)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(image), 2835, 2835, 256, 0)
    with open(path, "wb") as out:
        out.write(header + info + palette_bytes + image)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    wide, palette = draw_wide()
    write_bmp(os.path.join(here, "wide_logo.bmp"), wide, palette)
    write_bmp(os.path.join(here, "tall_logo.bmp"), turned_left(wide), palette)


if __name__ == "__main__":
    main()
