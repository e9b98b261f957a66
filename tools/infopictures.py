"""The pictures of Quillmere's information windows (used by genbitmaps.py).

    about_picture()    131 x 234  "The Letter Cutter's Bench", the about box
    logo()             416 x 155  the startup window's name plate
    logo_frames()      21 of 70 x 70: a capital Q passing through seven faces
    sysinfo_picture()  148 x 384  a screen with a quill: picture over mask
    emblem_frames()    33 of 30 x 60: a quill turning about its shaft

All are drawn light on black (the windows that show them are black), apart
from the system information picture, which stands on the dialog's face
colour. They return RGB images; genbitmaps.py reduces them to 256 colours.
"""

import math
import random

from PIL import Image, ImageChops, ImageDraw, ImageFilter

from picturetools import (BLACK, CRIMSON, DEEP_GOLD, GOLD, IVORY, PAPER, WHITE, Scene, bezier, blend_fields, font,
                          mix, scale_alpha, signed_distance, vertical_gradient)

SCALE = 4

# Quill colours: ivory vanes shading to warm grey, a pale shaft, a dark nib.
QUILL = dict(light=IVORY, dark=(132, 112, 82), shaft=(246, 236, 214), nib_colour=(26, 20, 16))

# ---------------------------------------------------------------------------
# Things on the bench


def ink_pot(scene, x, y, w, h, label=True):
    """A squat glass ink pot whose mouth is centred at x, y (the top of its
    rim), `w` wide and `h` tall below the rim. Returns the rim's lower edge,
    below which a quill standing in the pot is hidden."""
    neck_w, neck_h = w * 0.4, h * 0.22
    left, right = x - w / 2, x + w / 2
    shoulder = y + neck_h
    glass = scene.shape("round", left, shoulder + h * 0.12, right, y + h, radius=w * 0.18)
    glass = ImageChops.lighter(glass, scene.shape("ellipse", left, shoulder, right, shoulder + h * 0.34))
    glass = ImageChops.lighter(glass, scene.shape("rect", x - neck_w / 2, y + 2, x + neck_w / 2, shoulder + 3))
    scene.shadow(scene.shape("ellipse", left - 3, y + h - 5, right + 5, y + h + 3), 0, 0, 1.6, 0.8)
    # Bright rim light on the left, a dark core, light thrown back on the right.
    t0 = left / scene.width
    span = w / scene.width
    stops = [(0, (8, 10, 22)), (t0, (70, 80, 112)), (t0 + span * 0.18, (12, 14, 28)),
             (t0 + span * 0.75, (10, 12, 24)), (t0 + span, (52, 58, 86)), (1, (8, 10, 22))]
    scene.paint(glass, scene.horizontal(stops))
    if label:
        band = scene.shape("rect", left + w * 0.14, shoulder + h * 0.32, right - w * 0.14, shoulder + h * 0.62)
        top, bottom = shoulder + h * 0.32, shoulder + h * 0.62
        scene.paint(band, scene.vertical([(0, (226, 212, 178)), (1, (150, 124, 84))]))
        for ry in (top + 0.5, bottom - 0.5):
            scene.paint(scene.shape("rect", left + w * 0.14, ry - 0.4, right - w * 0.14, ry + 0.4), CRIMSON)
        scene.paint(scene.text((x, bottom - (bottom - top) * 0.3), "Ink", "garamond-italic", (bottom - top) * 0.62,
                               anchor="ms"), (70, 34, 22))
    # Rim and mouth.
    scene.paint(scene.shape("ellipse", x - neck_w / 2 - 1, y - 2, x + neck_w / 2 + 1, y + 3), (84, 90, 116))
    scene.paint(scene.shape("ellipse", x - neck_w / 2 + 1.5, y - 0.8, x + neck_w / 2 - 1.5, y + 2), (6, 8, 22))
    # Highlights on the glass.
    shine = scene.shape("round", left + w * 0.06, shoulder + h * 0.1, left + w * 0.11, y + h - h * 0.12,
                        radius=w * 0.03)
    scene.paint(shine.filter(ImageFilter.GaussianBlur(0.4 * scene.scale)), (220, 226, 242), 0.7)
    scene.paint(scene.shape("rect", x - neck_w / 2 + 1.5, y + 3, x - neck_w / 2 + 2.4, shoulder),
                (200, 206, 226), 0.45)
    return y + 1.5


def type_sort(scene, x, y, w, h, depth, letter):
    """A piece of metal type standing on the bench: its front face is the
    box x, y, w, h; its top and right side, seen from above and from the
    right, show its depth, and the top carries the letter in relief,
    mirrored as type is."""
    dx, dy = depth * 0.55, -depth * 0.8
    scene.shadow(scene.shape("ellipse", x - 2, y + h - 3, x + w + depth + 5, y + h + 3), 0, 0, 1.4, 0.7)
    scene.paint(scene.shape("rect", x, y, x + w, y + h),
                scene.vertical([(0, (214, 208, 196)), (y / scene.height, (214, 208, 196)),
                                ((y + h) / scene.height, (70, 66, 62)), (1, (70, 66, 62))]))
    scene.paint(scene.shape("polygon", (x + w, y), (x + w + dx, y + dy), (x + w + dx, y + h + dy), (x + w, y + h)),
                (74, 70, 66))
    scene.paint(scene.shape("polygon", (x, y), (x + dx, y + dy), (x + w + dx, y + dy), (x + w, y)), (120, 114, 104))
    # The nick, the groove that tells the compositor which way up a sort is.
    scene.paint(scene.shape("rect", x, y + h * 0.6, x + w, y + h * 0.6 + 0.7), (50, 48, 46))
    scene.paint(scene.shape("rect", x, y + h * 0.6 + 0.7, x + w, y + h * 0.6 + 1.1), (176, 170, 160))
    # The face: the letter drawn square, mirrored, squashed and sheared onto the top.
    s = scene.scale
    side = int(w * s)
    glyph = Image.new("L", (side, side), 0)
    ImageDraw.Draw(glyph).text((side / 2, side / 2), letter, fill=255, font=font("garamond", side * 1.05),
                               anchor="mm")
    glyph = glyph.transpose(Image.Transpose.FLIP_LEFT_RIGHT).resize((side, max(1, int(-dy * s))),
                                                                     Image.Resampling.BICUBIC)
    top = glyph.transform((int((w + dx) * s), glyph.height), Image.Transform.AFFINE, (1, dx / -dy, -dx * s, 0, 1, 0),
                          resample=Image.Resampling.BICUBIC)
    face = scene.mask()
    face.paste(top, (int(x * s), int((y + dy) * s)))
    scene.paint(face, (252, 246, 228))


# ---------------------------------------------------------------------------
# 99: the about box's picture, "The Letter Cutter's Bench" (a detail): a
# type specimen pinned to the wall in candlelight, a quill standing in an
# ink pot, two sorts of type on the bench. Its edges fade into the box's black.


def specimen_sheet(width, height):
    """The specimen sheet, flat, as an RGBA image at SCALE."""
    sheet = Scene(width, height, SCALE)
    paper = sheet.glow((10, 8), 150, (246, 236, 208), (176, 150, 108))
    sheet.paint(sheet.shape("rect", 0, 0, width - 0.25, height - 0.25), paper)
    ink = (46, 32, 22)
    centre = width / 2
    sheet.paint(sheet.text((centre, 11), "SPECIMEN", "garamond", 6.5, anchor="ms", spacing=1.6), ink)
    sheet.paint(sheet.text((centre, 50), "Ag", "garamond", 44, anchor="ms"), ink)
    sheet.paint(sheet.shape("rect", 10, 63.6, width - 10, 64.3), (130, 34, 30))
    lines = [("ABCDEFGHIJKLM", "garamond", 8, 74), ("NOPQRSTUVWXYZ", "garamond", 8, 83),
             ("abcdefghijklmnopq", "garamond-italic", 8, 92), ("rstuvwxyz & 1234567890", "garamond", 6, 100),
             ("Quillmere Roman, 12 Didot points", "garamond-italic", 5, 108)]
    for text, face, size, y in lines:
        sheet.paint(sheet.text((centre, y), text, face, size, anchor="ms"), ink)
    return sheet.image


def about_picture():
    w, h = 131, 234
    scene = Scene(w, h, SCALE)
    scene.paint(scene.mask().point(lambda v: 255), scene.glow((34, 52), 170, (92, 70, 44), (4, 3, 2)))
    rng = random.Random(99)

    # The wall, painted in short strokes of its own colours.
    wall = scene.image.copy()
    strokes = scene.layer()
    draw = ImageDraw.Draw(strokes)
    for _ in range(900):
        x, y = rng.uniform(-10, w + 10), rng.uniform(-10, 175)
        angle, length = rng.gauss(-0.6, 0.35), rng.uniform(6, 18)
        base = wall.getpixel((int(min(w - 1, max(0, x)) * SCALE), int(min(h - 1, max(0, y)) * SCALE)))
        k = rng.uniform(0.6, 1.45)
        colour = tuple(max(0, min(255, int(v * k))) for v in base[:3])
        draw.line([scene.p(x, y), scene.p(x + math.cos(angle) * length, y + math.sin(angle) * length)],
                  fill=colour + (rng.randint(70, 140),), width=int(rng.uniform(1.5, 3.5) * SCALE))
    scene.image.alpha_composite(strokes.filter(ImageFilter.GaussianBlur(0.8 * SCALE)))

    # The specimen, pinned up a little askew, with its shadow on the wall.
    sheet = specimen_sheet(86, 116).rotate(-4, resample=Image.Resampling.BICUBIC, expand=True)
    at = (40 * SCALE, 16 * SCALE)
    outline = scene.mask()
    outline.paste(sheet.getchannel("A"), at)
    scene.shadow(outline, 4, 5, 3, 0.7)
    scene.image.alpha_composite(sheet, at)
    scene.paint(scene.shape("ellipse", 80, 17, 84, 21), (150, 40, 36))
    scene.paint(scene.shape("ellipse", 81, 17.5, 82.3, 18.8), (230, 150, 130))

    # The bench top: planks with their grain, lit along the back edge.
    top = scene.shape("polygon", (0, 170), (w, 166), (w, h), (0, h))
    scene.paint(top, scene.vertical([(0, (20, 12, 8)), (0.7, (64, 38, 20)), (0.78, (92, 56, 30)),
                                     (1, (40, 24, 12))]))
    grain = scene.layer()
    draw = ImageDraw.Draw(grain)
    for i in range(46):
        y = rng.uniform(168, 234)
        colour = rng.choice([(40, 22, 10), (110, 70, 38), (70, 42, 22)])
        wave = rng.uniform(0.2, 0.8)
        points = [scene.p(x, y - 4 * (x / w) * (1 - (y - 168) / 66) + math.sin(x * 0.11 + i) * wave)
                  for x in range(0, w + 6, 6)]
        draw.line(points, fill=colour + (rng.randint(60, 140),), width=rng.choice([1, 2, 3]))
    grain.putalpha(ImageChops.multiply(grain.getchannel("A"), top))
    scene.image.alpha_composite(grain)
    scene.paint(scene.shape("polygon", (0, 169.6), (w, 165.6), (w, 166.6), (0, 170.6)), (140, 96, 56))

    type_sort(scene, 76, 186, 15, 26, 10, "a")
    type_sort(scene, 100, 194, 17, 24, 9, "Q")

    # The quill leans out of the pot to the upper left; its shadow falls on
    # the wall. The pot is drawn over its foot.
    quill = scene.layer()
    scene.quill((36, 180), (30, 90), (2, -14), 11, 17, onto=quill, splits=(0.5, 0.66, 0.8), seed=7, **QUILL)
    shade = Image.new("RGBA", scene.size, (0, 0, 0, 0))
    shade.putalpha(scale_alpha(quill.getchannel("A"), 0.5))
    scene.image.alpha_composite(shade.filter(ImageFilter.GaussianBlur(2.5 * SCALE)), (5 * SCALE, 5 * SCALE))
    scene.image.alpha_composite(quill)
    rim = ink_pot(scene, 34, 172, 56, 52)
    above = quill.copy()
    above.putalpha(ImageChops.multiply(quill.getchannel("A"), scene.shape("rect", 0, 0, w, rim)))
    scene.image.alpha_composite(above)

    # Into the box's black at every edge.
    picture = scene.result().convert("RGB")
    fade = Image.new("L", (w, h), 0)
    ImageDraw.Draw(fade).rounded_rectangle([5, 5, w - 6, h - 6], radius=12, fill=255)
    # The blur's faint tail is cut off, so the outermost pixels are true black.
    fade = fade.filter(ImageFilter.GaussianBlur(5)).point(lambda v: 0 if v < 12 else v)
    return ImageChops.multiply(picture, Image.merge("RGB", [fade] * 3))


# ---------------------------------------------------------------------------
# 9050: the startup window's name plate: the name in a swash italic, an
# ink line drawn out of its tail to the nib of a quill, and a line of
# spaced capitals below.


def logo():
    w, h = 416, 155
    scene = Scene(w, h, SCALE, BLACK)
    base = 96
    name = scene.text((24, base), "Quillmere", "garamond-italic", 78, features=["swsh"])
    right = name.getbbox()[2] / SCALE
    scene.paint(name.filter(ImageFilter.GaussianBlur(5 * SCALE)), GOLD, 0.22)
    scene.paint(name, scene.vertical([(0, IVORY), (0.5, IVORY), (0.7, PAPER), (0.85, GOLD), (1, GOLD)]))

    nib = (right + 10, base + 14)
    flourish = scene.mask()
    draw = ImageDraw.Draw(flourish)
    start, bend = (160, base + 17), (260, base + 22)
    steps = 200
    for i in range(steps):
        t = i / steps
        a = bezier(start, bend, nib, t)
        b = bezier(start, bend, nib, (i + 1) / steps)
        width = 0.4 + 1.6 * math.sin(math.pi * t) ** 2  # a hairline swelling under pressure
        draw.line([scene.p(*a), scene.p(*b)], fill=255, width=int(round(width * SCALE)))
    scene.paint(flourish, GOLD)

    # The quill leaves through the top edge only: the window goes on in black
    # to the right of the plate, where a cut-off vane would show.
    scene.quill(nib, (nib[0] + 14, nib[1] - 80), (w - 18, -16), 11, 19, splits=(0.52, 0.7), seed=3, **QUILL)
    scene.paint(scene.text((190, 140), "A TRUETYPE FONT MANAGER", "garamond", 12, anchor="ms", spacing=3.2), GOLD)
    return scene.result().convert("RGB")


# ---------------------------------------------------------------------------
# 401 to 421: the startup window's animation. A capital Q grows from one
# typeface into the next, seven faces in turn, back to the first: each face
# holds for a frame and then flows into the next over two.

MORPH_FACES = ["garamond-italic", "libertine", "dejavu-serif-bold", "dejavu-sans-bold", "biolinum",
               "liberation-mono", "garamond-bold"]


def glyph_field(face, letter, size, bowl):
    """The signed distance field of `letter` in `face` on a square of `size`
    samples, scaled so that its O is `bowl` samples tall, the O's centre
    at the square's centre (so the bowls line up and the tails differ)."""
    probe = font(face, 100).getbbox("O", anchor="ls")
    typeface = font(face, 100 * bowl / (probe[3] - probe[1]))
    o = typeface.getbbox("O", anchor="ls")
    g = typeface.getbbox(letter, anchor="ls")
    mask = Image.new("L", (size, size), 0)
    x = size / 2 - (g[0] + g[2]) / 2
    y = size / 2 - (o[1] + o[3]) / 2 - size * 0.08  # room below for the longest tails
    ImageDraw.Draw(mask).text((x, y), letter, fill=255, font=typeface, anchor="ls")
    return signed_distance(mask)


def smooth(t):
    return t * t * (3 - 2 * t)


def logo_frames():
    side = 70
    size = side * SCALE
    fields = [glyph_field(face, "Q", size, 42 * SCALE) for face in MORPH_FACES]
    colour = vertical_gradient((size, size), [(0, IVORY), (0.55, IVORY), (0.8, GOLD), (1, DEEP_GOLD)])
    frames = []
    for k in range(21):
        face, step = divmod(k, 3)
        t = smooth((0.0, 0.3, 0.7)[step])
        shape = blend_fields(fields[face], fields[(face + 1) % len(fields)], t)
        frame = Image.new("RGBA", (size, size), BLACK + (255,))
        glow = Image.new("RGBA", (size, size), GOLD + (0,))
        glow.putalpha(scale_alpha(shape.filter(ImageFilter.GaussianBlur(4 * SCALE)), 0.35))
        frame.alpha_composite(glow)
        letter = colour.convert("RGBA")
        letter.putalpha(shape)
        frame.alpha_composite(letter)
        frames.append(frame.resize((side, side), Image.Resampling.BOX).convert("RGB"))
    return frames


# ---------------------------------------------------------------------------
# 1092: the system information picture: a screen showing letters in the
# colours it can display, a quill in its pot before it. Drawn over the
# dialog's face colour with SRCAND (mask) then SRCINVERT (picture), so:
#   mask   black where the picture is opaque, white where it is not;
#   picture black where it is not opaque.
# Then (face AND mask) XOR picture is the picture where opaque and the
# face elsewhere. Edges are blended with classic face grey, which also
# reads well on lighter faces.

FACE_GREY = (192, 192, 192)


def sysinfo_scene():
    w, h = 148, 192
    scene = Scene(w, h, SCALE)
    case_light, case_dark = (238, 232, 214), (170, 160, 136)

    # The foot, the neck and the case.
    scene.paint(scene.shape("round", 30, 128, 112, 142, radius=6), (70, 66, 58))
    scene.paint(scene.shape("round", 31, 129, 111, 141, radius=5),
                scene.vertical([(0, case_light), (128 / h, case_light), (141 / h, (140, 132, 114)), (1, case_dark)]))
    scene.paint(scene.shape("polygon", (57, 114), (87, 114), (93, 131), (51, 131)), (70, 66, 58))
    scene.paint(scene.shape("polygon", (58, 114), (86, 114), (91.5, 130), (52.5, 130)),
                scene.vertical([(0, (120, 114, 100)), (118 / h, (120, 114, 100)), (130 / h, (196, 188, 166)),
                                (1, (196, 188, 166))]))
    scene.paint(scene.shape("round", 4, 6, 140, 120, radius=8), (70, 66, 58))
    scene.paint(scene.shape("round", 5, 7, 139, 119, radius=7), scene.glow((20, 10), 220, case_light, case_dark))
    scene.paint(scene.shape("round", 14, 14, 130, 100, radius=5),
                scene.vertical([(0, (140, 132, 114)), (14 / h, (140, 132, 114)), (100 / h, (206, 198, 178)),
                                (1, (206, 198, 178))]))
    screen = scene.shape("round", 18, 18, 126, 96, radius=6)
    scene.paint(screen, scene.glow((72, 57), 80, (20, 24, 34), (4, 4, 8)))

    # On the screen: letters in a spectrum over a row of colour chips.
    hues = [(230, 60, 50), (240, 170, 40), (230, 220, 60), (70, 190, 80), (50, 140, 230), (150, 80, 210)]
    stops = [(0, hues[0])] + [((38 + 68 * i / (len(hues) - 1)) / w, c) for i, c in enumerate(hues)] + [(1, hues[-1])]
    scene.paint(scene.text((72, 74), "Aa", "garamond", 50, anchor="ms"), scene.horizontal(stops))
    for i, c in enumerate(hues + [(250, 250, 250), (128, 128, 128)]):
        scene.paint(scene.shape("rect", 30 + i * 11, 82, 38 + i * 11, 88), c)
    glare = scene.shape("polygon", (18, 18), (70, 18), (36, 60), (18, 70)).filter(ImageFilter.GaussianBlur(4 * SCALE))
    scene.paint(ImageChops.multiply(glare, screen), WHITE, 0.16)

    # The maker's name and the power light.
    scene.paint(scene.text((22, 112), "Quillmere", "garamond-italic", 8, features=["swsh"]), (96, 84, 62))
    scene.paint(scene.shape("ellipse", 124, 106, 129, 111), (60, 200, 80))

    # Two books lying on the desk, a sort of type on them.
    for (x0, y0, x1, y1, cover) in ((6, 170, 78, 186, (120, 28, 34)), (12, 160, 72, 171, (34, 52, 96))):
        scene.paint(scene.shape("round", x0 - 1, y0 - 1, x1 + 1, y1 + 1, radius=2.5), (40, 30, 26))
        scene.paint(scene.shape("round", x0, y0, x1, y1, radius=2), cover)
        scene.paint(scene.shape("rect", x0 + 3, y0 + 2.5, x1 - 1, y1 - 2.5),
                    scene.vertical([(0, (238, 228, 200)), (y0 / h, (238, 228, 200)), (y1 / h, (196, 182, 150)),
                                    (1, (196, 182, 150))]))
        for gy in range(int(y0) + 4, int(y1) - 2, 2):
            scene.paint(scene.shape("rect", x0 + 4, gy, x1 - 2, gy + 0.3), (170, 156, 124))
        scene.paint(scene.shape("rect", x0 + 10, y0 + 0.6, x0 + 12, y1 - 0.6), GOLD)

    # The quill in its pot, leaning against the case.
    quill = scene.layer()
    scene.quill((118, 170), (122, 110), (134, 12), 8, 11, onto=quill, splits=(0.55, 0.72), seed=11, **QUILL)
    # Its shadow falls on the case only, never on the background.
    shade = scene.mask()
    shade.paste(quill.getchannel("A"), (-3 * SCALE, 2 * SCALE))
    shade = ImageChops.multiply(shade.filter(ImageFilter.GaussianBlur(1.5 * SCALE)), scene.image.getchannel("A"))
    scene.paint(shade, BLACK, 0.45)
    scene.image.alpha_composite(quill)
    rim = ink_pot(scene, 114, 156, 40, 34, label=False)
    above = quill.copy()
    above.putalpha(ImageChops.multiply(quill.getchannel("A"), scene.shape("rect", 0, 0, w, rim)))
    scene.image.alpha_composite(above)
    return scene.result()


def sysinfo_picture():
    drawn = sysinfo_scene()
    w, h = drawn.size
    opaque = drawn.getchannel("A").point(lambda v: 255 if v >= 90 else 0)
    on_face = Image.new("RGBA", (w, h), FACE_GREY + (255,))
    on_face.alpha_composite(drawn)
    picture = Image.composite(on_face.convert("RGB"), Image.new("RGB", (w, h), BLACK), opaque)
    mask = Image.merge("RGB", [ImageChops.invert(opaque)] * 3)
    both = Image.new("RGB", (w, h * 2))
    both.paste(picture, (0, 0))
    both.paste(mask, (0, h))
    return both


# ---------------------------------------------------------------------------
# 1101 to 1133: the about box's emblem: a quill standing on its nib and
# turning once about its shaft over the 33 frames, lit from the front left,
# so its vanes narrow to a line, turn over and widen again.


def emblem_frames():
    w, h = 30, 60
    frames = []
    for k in range(33):
        angle = 2 * math.pi * k / 33
        turn = math.cos(angle)
        # Light falls from the front left: the side towards it is bright,
        # and no two angles are lit alike (a quill edge-on to the left and
        # to the right would otherwise make two equal frames).
        lit = 0.5 + 0.5 * math.cos(angle - 0.6)
        scene = Scene(w, h, SCALE, BLACK)
        light = mix((70, 62, 50), IVORY, lit)
        dark = mix((30, 26, 22), (150, 130, 100), lit)
        sway = 4 * turn
        scene.quill((15, 58), (15 + sway, 30), (15 + 0.6 * sway, 2), 6, 8, squeeze=turn, light=light, dark=dark,
                    shaft=mix((120, 110, 90), (250, 240, 220), lit), nib_colour=GOLD, splits=(0.6,), seed=5,
                    shaft_width=1.1, texture=0.5)
        frames.append(scene.result().convert("RGB"))
    return frames
