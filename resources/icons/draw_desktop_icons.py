#!/usr/bin/env python3
"""Writes the window icon at the sizes of the desktop's hicolor theme, into
hicolor/<size>x<size>/com.velor.zeb40.png next to this script."""

import os

from draw_icon import render, write_png

SIZES = (16, 24, 32, 48, 64, 128, 256)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for size in SIZES:
        folder = os.path.join(here, "hicolor", f"{size}x{size}")
        os.makedirs(folder, exist_ok=True)
        write_png(os.path.join(folder, "com.velor.zeb40.png"), size, render(size))


if __name__ == "__main__":
    main()
