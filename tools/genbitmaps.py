#!/usr/bin/python3
"""Draws Quillmere's pictures into a folder of the build tree.

    genbitmaps.py OUTDIR

writes
    folder16.bmp    16 x 26: the small folder picture over its mask
    folder32.bmp    32 x 54: the large folder picture over its mask
    quillmere.ico   the program icon, 16 x 16 and 32 x 32, 32 bits with alpha

The folder pictures are drawn with two raster operations (mask first, then
picture), so they need hard edges: the picture is white wherever it is
transparent and never pure white where it is opaque, and the mask is black
exactly where the picture is opaque. They are written as uncompressed 24-bit
bitmaps. The 32 x 32 icon is drawn from polygons with 8 x 8 samples per
pixel for smooth edges; the 16 x 16 one is drawn pixel by pixel.

Only the standard library is used, and the output depends on nothing but
this file, so every build makes the same bytes.
"""

import os
import struct
import sys

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)

# ---------------------------------------------------------------------------
# File writers


def bmp24(pixels):
    """An uncompressed 24-bit BMP file of rows of (r, g, b), top row first."""
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):  # bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        body += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    head = b"BM" + struct.pack("<IHHI", 14 + len(info) + len(body), 0, 0, 14 + len(info))
    return head + info + bytes(body)


def ico_image(pixels):
    """One icon image: header, 32-bit BGRA colour bits and the AND mask."""
    size = len(pixels)
    colour = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            colour += bytes((b, g, r, a))
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        line = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:  # only where nothing at all is drawn
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def ico(images):
    """An icon file holding square images of rows of (r, g, b, a)."""
    blobs = [ico_image(p) for p in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for pixels, blob in zip(images, blobs):
        size = len(pixels)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# ---------------------------------------------------------------------------
# Folder pictures, drawn on character grids: each letter is a colour, "."
# is transparent. The small one is a closed folder; the large one shows the
# back panel with its tab, sheets of paper standing out, and the front.

FOLDER_COLOURS = {
    "o": (94, 66, 18),     # outline
    "t": (214, 160, 54),   # back panel and tab
    "u": (232, 184, 76),   # lit edge of the back panel
    "p": (244, 244, 238),  # paper in the folder (never pure white)
    "q": (170, 170, 160),  # paper's edge
    "h": (255, 240, 184),  # lit top edge of the front
    "f": (250, 214, 110),  # front panel
    "g": (240, 196, 88),   # front panel, lower
    "s": (204, 150, 44),   # shaded right and bottom edges of the front
}

SMALL_FOLDER = [
    ".oooo...........",
    "ouuuuo..........",
    "otttttooooooooo.",
    "ohhhhhhhhhhhhhho",
    "ohffffffffffffso",
    "ohffffffffffffso",
    "ohffffffffffffso",
    "ohffffffffffffso",
    "ohggggggggggggso",
    "ohggggggggggggso",
    "ohggggggggggggso",
    "osssssssssssssso",
    ".oooooooooooooo.",
]


LARGE_FOLDER = [
    "..ooooooooo.....................",
    ".ouuuuuuuuuo....................",
    "ouuuuuuuuuuuo...................",
    "otttttttttttuooooooooooooooooo..",
    "ottttttttttttuuuuuuuuuuuuuuuuuo.",
    "otttqqqqqqqqqqqqqqqqqqqqqqqttto.",
    "ottqpppppppppppppppppppppppqtto.",
    "ottqpppqqqpqqqpqqqpqqqpqpppqtto.",
    "ottqpppppppppppppppppppppppqtto.",
    "oooooooooooooooooooooooooooooooo",
    "ohhhhhhhhhhhhhhhhhhhhhhhhhhhhhho",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohfffffffffffffffffffffffffffsso",
    "ohgggggggggggggggggggggggggggsso",
    "ohgggggggggggggggggggggggggggsso",
    "ohgggggggggggggggggggggggggggsso",
    "ohgggggggggggggggggggggggggggsso",
    "ohgggggggggggggggggggggggggggsso",
    "ohssssssssssssssssssssssssssssso",
    "oossssssssssssssssssssssssssssoo",
    ".oooooooooooooooooooooooooooooo.",
]


def folder_bitmap(art, width, height):
    """Picture over mask, one double-height image."""
    if len(art) != height or any(len(r) != width for r in art):
        raise SystemExit("folder picture is not %d x %d" % (width, height))
    picture = [[WHITE if c == "." else FOLDER_COLOURS[c] for c in row] for row in art]
    mask = [[WHITE if c == "." else BLACK for c in row] for row in art]
    if any(FOLDER_COLOURS[c] == WHITE for row in art for c in row if c != "."):
        raise SystemExit("an opaque folder pixel is white")
    return bmp24(picture + mask)


# ---------------------------------------------------------------------------
# Icon: a sheet of paper with a folded corner and a serif capital A on it;
# at 32 x 32 a red quill leans across the lower right.


def inside(poly, x, y):
    """Even-odd test of a point against a polygon."""
    hit = False
    n = len(poly)
    for i in range(n):
        x1, y1 = poly[i]
        x2, y2 = poly[(i + 1) % n]
        if (y1 > y) != (y2 > y):
            cross = x1 + (y - y1) * (x2 - x1) / (y2 - y1)
            if x < cross:
                hit = not hit
    return hit


def render(size, layers, samples=8):
    """Layers of (colour, alpha, [polygons]) in a 32-unit space, painted in
    order with source-over, into rows of (r, g, b, a)."""
    scale = 32.0 / size
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0  # premultiplied
            for colour, alpha, polys in layers:
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        x = (px + (sx + 0.5) / samples) * scale
                        y = (py + (sy + 0.5) / samples) * scale
                        if any(inside(p, x, y) for p in polys):
                            hits += 1
                cover = alpha * hits / (samples * samples)
                if cover == 0:
                    continue
                r = colour[0] * cover + r * (1 - cover)
                g = colour[1] * cover + g * (1 - cover)
                b = colour[2] * cover + b * (1 - cover)
                a = cover + a * (1 - cover)
            if a <= 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(r / a), round(g / a), round(b / a), round(a * 255)))
        rows.append(row)
    return rows


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


# At 16 x 16 smoothed polygons turn to mush; this size is drawn by hand.
SMALL_ICON = [
    "..ggggggggg.....",
    "..gwwwwwwwgg....",
    "..gwwwwwwwgeg...",
    "..gwwwnnnwgggg..",
    "..gwwwwnnnwwwg..",
    "..gwwwmnnnmwwg..",
    "..gwwwnwwnnwwg..",
    "..gwwwnwwnnwwg..",
    "..gwwmnwwmnnwg..",
    "..gwwnnnnnnnwg..",
    "..gwwnwwwwnnwg..",
    "..gwmnwwwwnnwg..",
    "..gwnwwwwwnnwg..",
    "..gnnnwwwnnnng..",
    "..gwwwwwwwwwwg..",
    "..gggggggggggg..",
]

SMALL_ICON_COLOURS = {
    "g": (112, 118, 128, 255),  # page edge
    "w": (252, 252, 248, 255),  # page
    "e": (214, 218, 224, 255),  # folded corner
    "n": (24, 44, 110, 255),    # ink
    "m": (140, 152, 190, 255),  # ink's soft edge
}


def small_icon():
    if len(SMALL_ICON) != 16 or any(len(r) != 16 for r in SMALL_ICON):
        raise SystemExit("small icon is not 16 x 16")
    return [[(0, 0, 0, 0) if c == "." else SMALL_ICON_COLOURS[c] for c in row] for row in SMALL_ICON]


def icon_layers():
    """The 32 x 32 icon."""
    # Page with the upper right corner folded down.
    left, top, right, bottom, fold = 4.0, 1.0, 28.0, 31.0, 7.0
    outer = [(left, top), (right - fold, top), (right, top + fold), (right, bottom), (left, bottom)]
    inner = [(left + 1, top + 1), (right - fold - 0.4, top + 1), (right - 1, top + fold + 0.4),
             (right - 1, bottom - 1), (left + 1, bottom - 1)]
    ear = [(right - fold, top), (right - fold, top + fold), (right, top + fold)]
    ear_inner = [(right - fold + 1, top + 2.4), (right - fold + 1, top + fold - 1), (right - 2.4, top + fold - 1)]
    layers = [
        ((112, 118, 128), 1.0, [outer]),
        ((252, 252, 248), 1.0, [inner]),
        ((112, 118, 128), 1.0, [ear]),
        ((214, 218, 224), 1.0, [ear_inner]),
    ]

    # The capital: a heavy right stem, a hairline left stem, a crossbar and
    # flat serifs at the apex and the feet.
    apex, base, foot = 6.0, 24.5, 26.0
    thick, thin = 3.6, 1.4
    cx, left_foot, right_foot = 14.6, 8.0, 22.6
    bar_y, bar_h = 17.0, 1.6
    thick_stem = [(cx, apex), (cx + thick, apex), (right_foot + thick / 2, base), (right_foot - thick / 2, base)]
    thin_stem = [(cx, apex), (cx + thin, apex), (left_foot + thin / 2, base), (left_foot - thin / 2, base)]

    def x_at(p, q, y):
        return p[0] + (q[0] - p[0]) * (y - p[1]) / (q[1] - p[1])

    bar = [
        (x_at(thin_stem[1], thin_stem[2], bar_y) - 0.2, bar_y),
        (x_at(thick_stem[0], thick_stem[3], bar_y) + 0.2, bar_y),
        (x_at(thick_stem[0], thick_stem[3], bar_y + bar_h) + 0.2, bar_y + bar_h),
        (x_at(thin_stem[1], thin_stem[2], bar_y + bar_h) - 0.2, bar_y + bar_h),
    ]
    top_serif = rect(cx - 2.0, apex, cx + thick * 0.5, apex + 1.2)
    feet = [rect(left_foot - 2.6, base, left_foot + 2.8, foot), rect(right_foot - 3.2, base, right_foot + 4.0, foot)]
    layers.append(((24, 44, 110), 1.0, [thick_stem, thin_stem, bar, top_serif] + feet))
    # A line of "text" under the letter.
    layers.append(((160, 166, 178), 1.0, [rect(7.0, 27.6, 19.0, 28.4)]))

    # The quill leaning across the lower right: a red vane, its shaft and
    # a dark nib.
    vane = [(30.6, 3.0), (31.6, 5.0), (31.2, 10.0), (29.4, 15.5), (26.6, 21.0), (23.6, 25.6),
            (23.0, 24.6), (23.8, 19.0), (25.4, 13.0), (27.6, 7.5)]
    shaft = [(30.9, 3.6), (31.3, 4.2), (23.7, 26.2), (23.1, 25.9)]
    nib = [(23.2, 25.2), (24.2, 26.0), (21.2, 29.8), (20.9, 29.5)]
    layers.append(((200, 40, 40), 1.0, [vane]))
    layers.append(((236, 120, 104), 1.0, [[(29.6, 5.0), (30.2, 5.6), (25.2, 19.0), (24.8, 18.4)]]))
    layers.append(((112, 14, 14), 1.0, [shaft]))
    layers.append(((40, 40, 48), 1.0, [nib]))
    return layers


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: genbitmaps.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "folder16.bmp": folder_bitmap(SMALL_FOLDER, 16, 13),
        "folder32.bmp": folder_bitmap(LARGE_FOLDER, 32, 27),
        "quillmere.ico": ico([small_icon(), render(32, icon_layers())]),
    }
    for name, data in files.items():
        path = os.path.join(out, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
