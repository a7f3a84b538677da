#!/usr/bin/env python3
"""Draws the program's window icon: a navy tile with a white "Z" and the red
timecode tape of the logo, as RGBA PNG files of 16, 32 and 48 pixels.

Run from anywhere; the files are written next to this script.
"""

import os
import struct
import zlib

NAVY = (22, 48, 112)
BORDER = (120, 150, 210)
WHITE = (250, 250, 250)
RED = (210, 60, 20)
SAMPLES = 4


def inside_rounded_square(x, y, inset, radius):
    lo, hi = inset, 1 - inset
    if x < lo or x > hi or y < lo or y > hi:
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius**2


def near_segment(x, y, a, b, half_width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= half_width**2


def colour_at(x, y):
    """The icon's colour at a point of the unit square, or None outside."""
    if not inside_rounded_square(x, y, 0.02, 0.18):
        return None
    if not inside_rounded_square(x, y, 0.08, 0.13):
        return BORDER
    if 0.72 <= y <= 0.82 and 0.2 <= x <= 0.8:
        return RED if int((x - 0.2) / 0.1) % 2 == 0 else NAVY
    z = [((0.26, 0.2), (0.74, 0.2)), ((0.74, 0.2), (0.26, 0.62)), ((0.26, 0.62), (0.74, 0.62))]
    if any(near_segment(x, y, a, b, 0.065) for a, b in z):
        return WHITE
    return NAVY


def render(size):
    rows = []
    for py in range(size):
        row = bytearray()
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c is not None:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            if a:
                row += bytes((r // a, g // a, b // a, 255 * a // (SAMPLES * SAMPLES)))
            else:
                row += bytes(4)
        rows.append(bytes(row))
    return rows


def write_png(path, size, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    raw = b"".join(b"\0" + row for row in rows)
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for size in (16, 32, 48):
        write_png(os.path.join(here, f"zeb40_{size}.png"), size, render(size))


if __name__ == "__main__":
    main()
