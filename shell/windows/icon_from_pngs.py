#!/usr/bin/env python3
"""Packs the program icon's PNG pictures into one Windows .ico file.

usage: icon_from_pngs.py OUTPUT.ico PICTURE.png...

Windows takes PNG pictures inside an .ico as they are, so no conversion is
needed; the sizes are read from each picture's header.
"""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main():
    output, pictures = sys.argv[1], sys.argv[2:]
    images = [open(path, "rb").read() for path in pictures]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for data in images:
        width, height = png_size(data)
        # 0 stands for 256 in the one-byte size fields.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    with open(output, "wb") as out:
        out.write(header + entries + b"".join(images))


if __name__ == "__main__":
    main()
