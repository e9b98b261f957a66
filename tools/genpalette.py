#!/usr/bin/python3
"""Writes Quillmere's 256-colour palette resource, ORTHOPAL.

    genpalette.py OUTFILE

The file is 853 bytes: an 85-byte header, then 256 entries of red, green and
blue. The program reads only the entries; the header is written the same way
every time so that the resource is always the same bytes.

    offset  size  content
         0     8  "ZEPHRSRC"
         8    64  "256 colour palette", padded with zeros
        72     3  00 01 00
        75     4  "CMAP"
        79     4  1, 32-bit little-endian
        83     2  768, 16-bit little-endian: the length of the entries
        85   768  the entries

Entry 32r + 4g + b (r and g 0 to 7, b 0 to 3) is a colour cube with eight
levels of red and green and four of blue, except entries 112 to 143, which
are a ramp of 32 greys.
"""

import os
import struct
import sys

# The middle level comes twice, which frees room in the cube for the greys.
RED = (0, 43, 85, 128, 128, 170, 213, 255)
GREY_FIRST, GREY_COUNT = 112, 32


def entry(i):
    """Red, green and blue of entry i."""
    if GREY_FIRST <= i < GREY_FIRST + GREY_COUNT:
        # Neither pure black nor pure white: those are in the cube already.
        grey = min(254, max(1, (i - GREY_FIRST) * 255 // (GREY_COUNT - 1)))
        return (grey, grey, grey)
    r, g, b = i >> 5, (i >> 2) & 7, i & 3
    return (RED[r], (g * 255 * 2 + 7) // 14, b * 85)  # green: g * 255 / 7, rounded


def resource():
    entries = bytes(c for i in range(256) for c in entry(i))
    header = (b"ZEPHRSRC" + b"256 colour palette".ljust(64, b"\0") + bytes((0, 1, 0)) + b"CMAP" +
              struct.pack("<IH", 1, len(entries)))
    return header + entries


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: genpalette.py OUTFILE")
    path = sys.argv[1]
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path + ".tmp", "wb") as f:
        f.write(resource())
    os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
