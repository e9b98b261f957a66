#!/usr/bin/python3
"""Draws Quillmere's pictures into a folder of the build tree.

    genbitmaps.py OUTDIR

writes
    folder16.bmp     16 x 26: the small folder picture over its mask, 24-bit
    folder32.bmp     32 x 54: the large folder picture over its mask, 24-bit
    quillmere.ico    the program icon, 16 x 16 and 32 x 32, 32 bits with alpha
    about.bmp        131 x 234: the about box's picture
    logo.bmp         416 x 155: the startup window's name plate
    logo01.bmp ...   21 frames of 70 x 70: the startup window's animation
    sysinfo.bmp      148 x 384: the system information picture over its mask
    emblem01.bmp ... 33 frames of 30 x 60: the about box's turning quill

The folder pictures are drawn with MERGEPAINT (mask) then SRCAND (picture),
so they need hard edges: the picture is white wherever it is transparent
and never pure white where it is opaque, and the mask is black exactly where
the picture is opaque.

The pictures of the information windows are 8-bit: one 256-colour palette
per picture (one for all frames of an animation), chosen by libimagequant
and always holding pure black and pure white, and every pixel mapped to its
nearest palette colour without dithering. Their headers carry biClrUsed =
256, because the drawing routines find the bits after that many colours.

Drawing uses Pillow (Debian's python3-pil) and fonts from Debian packages
(see picturetools.FONT_FILES); nothing depends on the clock or an unseeded
random source, so every build makes the same bytes.
"""

import os
import struct
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import infopictures  # noqa: E402
from picturetools import BLACK, WHITE  # noqa: E402

# ---------------------------------------------------------------------------
# File writers


def bmp_file(info, table, rows, stride):
    """A BMP file of a 40-byte header, a colour table and bottom-up rows."""
    body = b"".join(row + bytes(stride - len(row)) for row in reversed(rows))
    offset = 14 + len(info) + len(table)
    return b"BM" + struct.pack("<IHHI", offset + len(body), 0, 0, offset) + info + table + body


def bmp24(image):
    """An uncompressed 24-bit BMP of an RGB image."""
    w, h = image.size
    raw = image.convert("RGB").tobytes("raw", "BGR")
    rows = [raw[y * w * 3:(y + 1) * w * 3] for y in range(h)]
    stride = (w * 3 + 3) & ~3
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, stride * h, 2835, 2835, 0, 0)
    return bmp_file(info, b"", rows, stride)


def bmp8(image):
    """An uncompressed 8-bit BMP of a P image, all 256 colours in its table
    and counted in biClrUsed."""
    w, h = image.size
    palette = image.getpalette()
    palette += [0] * (768 - len(palette))
    table = b"".join(bytes((palette[i * 3 + 2], palette[i * 3 + 1], palette[i * 3], 0)) for i in range(256))
    raw = image.tobytes()
    rows = [raw[y * w:(y + 1) * w] for y in range(h)]
    stride = (w + 3) & ~3
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, stride * h, 2835, 2835, 256, 0)
    return bmp_file(info, table, rows, stride)


def ico_image(image):
    """One icon image: header, 32-bit BGRA colour bits and the AND mask."""
    size = image.width
    colour = image.tobytes("raw", "BGRA")
    rows = [colour[y * size * 4:(y + 1) * size * 4] for y in range(size)]
    alpha = image.getchannel("A")
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        line = bytearray(stride)
        for x in range(size):
            if alpha.getpixel((x, y)) == 0:  # only where nothing at all is drawn
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    body = b"".join(reversed(rows))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(body) + len(mask), 0, 0, 0, 0)
    return info + body + bytes(mask)


def ico(images):
    """An icon file holding square RGBA images."""
    blobs = [ico_image(i) for i in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for image, blob in zip(images, blobs):
        size = image.width
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)


# ---------------------------------------------------------------------------
# 256 colours


def to_palette(images):
    """The images as P images sharing one palette: libimagequant picks 254
    colours for all of them together, pure black and white join them, and
    each pixel takes its nearest colour, undithered, so flat areas stay flat
    and black stays exactly black."""
    # Opaque RGBA: Pillow hands RGB to libimagequant with a fourth byte that
    # may read as transparent.
    sheet = Image.new("RGBA", (sum(i.width for i in images), max(i.height for i in images)), BLACK + (255,))
    x = 0
    for image in images:
        sheet.paste(image, (x, 0))
        x += image.width
    chosen = sheet.quantize(colors=254, method=Image.Quantize.LIBIMAGEQUANT, dither=Image.Dither.NONE)
    colours = [BLACK, WHITE]
    flat = chosen.getpalette()
    for i in range(len(flat) // 3):
        c = tuple(flat[i * 3:i * 3 + 3])
        if c not in colours and len(colours) < 256:
            colours.append(c)
    colours += [BLACK] * (256 - len(colours))
    flat = [v for c in colours for v in c]
    # Pillow's own remapping looks colours up in coarse cells and can miss
    # the exact entry (white landing on a near-white), so every distinct
    # colour finds its nearest entry here, the first of equals.
    nearest = {}
    for _, c in sheet.convert("RGB").getcolors(sheet.width * sheet.height):
        nearest[c] = min(range(256), key=lambda i: sum((a - b) ** 2 for a, b in zip(c, colours[i])))
    out = []
    for image in images:
        raw = image.tobytes()
        indexes = bytes(nearest[tuple(raw[i:i + 3])] for i in range(0, len(raw), 3))
        mapped = Image.frombytes("P", image.size, indexes)
        mapped.putpalette(flat)
        out.append(mapped)
    return out


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


def grid_image(art, colours, clear):
    """An image from a character grid: `clear` where the grid has "."."""
    image = Image.new("RGBA", (len(art[0]), len(art)))
    image.putdata([clear if c == "." else colours[c] for row in art for c in row])
    return image


def folder_bitmap(art, width, height):
    """Picture over mask, one double-height image."""
    if len(art) != height or any(len(r) != width for r in art):
        raise SystemExit("folder picture is not %d x %d" % (width, height))
    if any(FOLDER_COLOURS[c] == WHITE for row in art for c in row if c != "."):
        raise SystemExit("an opaque folder pixel is white")
    picture = grid_image(art, FOLDER_COLOURS, WHITE)
    mask = grid_image(art, {c: BLACK for c in FOLDER_COLOURS}, WHITE)
    both = Image.new("RGB", (width, height * 2))
    both.paste(picture.convert("RGB"), (0, 0))
    both.paste(mask.convert("RGB"), (0, height))
    return bmp24(both)


# ---------------------------------------------------------------------------
# Icon: a sheet of paper with a folded corner and a serif capital A on it;
# at 32 x 32 a red quill leans across the lower right.

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
    return grid_image(SMALL_ICON, SMALL_ICON_COLOURS, (0, 0, 0, 0))


def rect(x0, y0, x1, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def icon_layers():
    """The 32 x 32 icon as layers of (colour, polygons), in a 32-unit space."""
    # Page with the upper right corner folded down.
    left, top, right, bottom, fold = 4.0, 1.0, 28.0, 31.0, 7.0
    outer = [(left, top), (right - fold, top), (right, top + fold), (right, bottom), (left, bottom)]
    inner = [(left + 1, top + 1), (right - fold - 0.4, top + 1), (right - 1, top + fold + 0.4),
             (right - 1, bottom - 1), (left + 1, bottom - 1)]
    ear = [(right - fold, top), (right - fold, top + fold), (right, top + fold)]
    ear_inner = [(right - fold + 1, top + 2.4), (right - fold + 1, top + fold - 1), (right - 2.4, top + fold - 1)]
    layers = [
        ((112, 118, 128), [outer]),
        ((252, 252, 248), [inner]),
        ((112, 118, 128), [ear]),
        ((214, 218, 224), [ear_inner]),
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
    layers.append(((24, 44, 110), [thick_stem, thin_stem, bar, top_serif] + feet))
    # A line of "text" under the letter.
    layers.append(((160, 166, 178), [rect(7.0, 27.6, 19.0, 28.4)]))

    # The quill leaning across the lower right: a red vane, its shaft and
    # a dark nib.
    vane = [(30.6, 3.0), (31.6, 5.0), (31.2, 10.0), (29.4, 15.5), (26.6, 21.0), (23.6, 25.6),
            (23.0, 24.6), (23.8, 19.0), (25.4, 13.0), (27.6, 7.5)]
    shaft = [(30.9, 3.6), (31.3, 4.2), (23.7, 26.2), (23.1, 25.9)]
    nib = [(23.2, 25.2), (24.2, 26.0), (21.2, 29.8), (20.9, 29.5)]
    layers.append(((200, 40, 40), [vane]))
    layers.append(((236, 120, 104), [[(29.6, 5.0), (30.2, 5.6), (25.2, 19.0), (24.8, 18.4)]]))
    layers.append(((112, 14, 14), [shaft]))
    layers.append(((40, 40, 48), [nib]))
    return layers


def large_icon(samples=8):
    """The layers painted one over another at `samples` times the size, then
    reduced: every pixel the mean of its samples, colour weighted by cover."""
    size = 32 * samples
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    for colour, polygons in icon_layers():
        layer = Image.new("RGBA", (size, size), colour + (0,))
        cover = Image.new("L", (size, size), 0)
        for polygon in polygons:
            ImageDraw.Draw(cover).polygon([(x * samples, y * samples) for x, y in polygon], fill=255)
        layer.putalpha(cover)
        image.alpha_composite(layer)
    return image.resize((32, 32), Image.Resampling.BOX)


# ---------------------------------------------------------------------------


def information_pictures():
    files = {}
    (about,) = to_palette([infopictures.about_picture()])
    files["about.bmp"] = bmp8(about)
    (logo,) = to_palette([infopictures.logo()])
    files["logo.bmp"] = bmp8(logo)
    for i, frame in enumerate(to_palette(infopictures.logo_frames())):
        files["logo%02d.bmp" % (i + 1)] = bmp8(frame)
    (sysinfo,) = to_palette([infopictures.sysinfo_picture()])
    files["sysinfo.bmp"] = bmp8(sysinfo)
    for i, frame in enumerate(to_palette(infopictures.emblem_frames())):
        files["emblem%02d.bmp" % (i + 1)] = bmp8(frame)
    return files


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: genbitmaps.py OUTDIR")
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    files = {
        "folder16.bmp": folder_bitmap(SMALL_FOLDER, 16, 13),
        "folder32.bmp": folder_bitmap(LARGE_FOLDER, 32, 27),
        "quillmere.ico": ico([small_icon(), large_icon()]),
    }
    files.update(information_pictures())
    for name, data in files.items():
        path = os.path.join(out, name)
        with open(path + ".tmp", "wb") as f:
            f.write(data)
        os.replace(path + ".tmp", path)


if __name__ == "__main__":
    main()
