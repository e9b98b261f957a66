#!/usr/bin/python3
"""Contact sheets of the generated pictures, for a person to look at.

    picturesheet.py PICTUREDIR OUTDIR

reads the bitmaps that genbitmaps.py wrote and saves in OUTDIR:
    sheet.png      every picture, enlarged, on the colours it is shown on:
                   the about box and the startup window as the program lays
                   them out, the system information picture drawn the way
                   the dialog draws it (SRCAND of the mask, then SRCINVERT
                   of the picture) over grey 192 and over grey 240, its two
                   halves, the icon and the folder pictures
    logo-strip.png, emblem-strip.png   the animations frame by frame
    logo-anim.png, emblem-anim.png     the animations as animated PNGs
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

DIR, OUT = sys.argv[1], sys.argv[2]
LABEL = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 13)


def load(name):
    return Image.open(os.path.join(DIR, name)).convert("RGB")


def big(image, k):
    return image.resize((image.width * k, image.height * k), Image.Resampling.NEAREST)


def masked(picture_over_mask, face):
    """What SRCAND of the lower half, then SRCINVERT of the upper, leave on `face`."""
    w, h = picture_over_mask.width, picture_over_mask.height // 2
    picture = picture_over_mask.crop((0, 0, w, h))
    mask = picture_over_mask.crop((0, h, w, 2 * h))
    under = Image.new("RGB", (w, h), face).tobytes()
    return Image.frombytes("RGB", (w, h), bytes((f & m) ^ p for f, m, p in zip(under, mask.tobytes(),
                                                                               picture.tobytes())))


def strip(frames, k, gap=4):
    w, h = frames[0].width * k, frames[0].height * k
    out = Image.new("RGB", (len(frames) * (w + gap) - gap, h), (60, 60, 60))
    for i, f in enumerate(frames):
        out.paste(big(f, k), (i * (w + gap), 0))
    return out


def main():
    os.makedirs(OUT, exist_ok=True)
    logo_frames = [load("logo%02d.bmp" % i) for i in range(1, 22)]
    emblem_frames = [load("emblem%02d.bmp" % i) for i in range(1, 34)]
    strip(logo_frames, 2).save(os.path.join(OUT, "logo-strip.png"))
    strip(emblem_frames, 3).save(os.path.join(OUT, "emblem-strip.png"))
    big(logo_frames[0], 3).save(os.path.join(OUT, "logo-anim.png"), save_all=True,
                                append_images=[big(f, 3) for f in logo_frames[1:]], duration=150, loop=0)
    big(emblem_frames[0], 4).save(os.path.join(OUT, "emblem-anim.png"), save_all=True,
                                  append_images=[big(f, 4) for f in emblem_frames[1:]], duration=100, loop=0)

    # The startup window, 440 x 260 with its white border, and the about box's corner.
    startup = Image.new("RGB", (440, 260), (0, 0, 0))
    ImageDraw.Draw(startup).rectangle([0, 0, 439, 259], outline=(255, 255, 255))
    startup.paste(load("logo.bmp"), (2, 2))
    startup.paste(logo_frames[0], (362, 182))
    ImageDraw.Draw(startup).text((8, 204), "(notice text)", fill=(255, 255, 241), font=LABEL)
    about = Image.new("RGB", (600, 240), (0, 0, 0))
    about.paste(load("about.bmp"), (0, 0))
    ImageDraw.Draw(about).text((590, 20), "Quillmere\u2122 version 2.0d", fill=(245, 245, 234), font=LABEL,
                               anchor="rt")
    about.paste(emblem_frames[0], (565, 180))
    sysinfo = load("sysinfo.bmp")
    row = Image.new("RGB", (4 * 160, 200), (255, 255, 255))
    for i, image in enumerate([masked(sysinfo, (192, 192, 192)), masked(sysinfo, (240, 240, 240)),
                               sysinfo.crop((0, 0, 148, 192)), sysinfo.crop((0, 192, 148, 384))]):
        row.paste(image, (i * 160, 4))
    panels = [
        ("startup window", big(startup, 2)),
        ("about box (left part)", big(about, 2)),
        ("system information on grey 192, on grey 240, picture half, mask half", big(row, 2)),
    ]
    small = Image.new("RGB", (200, 80), (192, 192, 192))
    icon = Image.open(os.path.join(DIR, "quillmere.ico"))
    for i, size in enumerate((16, 32)):
        icon.size = (size, size)
        small.paste(icon.convert("RGBA"), (10 + i * 30, 10), icon.convert("RGBA"))
    for i, name in enumerate(("folder16.bmp", "folder32.bmp")):
        small.paste(load(name), (90 + i * 40, 10))
    panels.append(("icon 16 and 32, folder pictures (picture over mask)", big(small, 4)))
    panels.append(("startup animation", strip(logo_frames[:11], 2)))
    panels.append(("", strip(logo_frames[11:], 2)))
    panels.append(("about box emblem", strip(emblem_frames[:17], 3)))
    panels.append(("", strip(emblem_frames[17:], 3)))
    width = max(p.width for _, p in panels) + 20
    height = sum(p.height + 30 for _, p in panels) + 10
    sheet = Image.new("RGB", (width, height), (255, 255, 255))
    y = 10
    for title, panel in panels:
        ImageDraw.Draw(sheet).text((10, y), title, fill=(0, 0, 0), font=LABEL)
        sheet.paste(panel, (10, y + 20))
        y += panel.height + 30
    sheet.save(os.path.join(OUT, "sheet.png"))


if __name__ == "__main__":
    main()
