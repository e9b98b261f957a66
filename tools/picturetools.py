"""Drawing tools shared by Quillmere's pictures (used by genbitmaps.py).

Everything is drawn with Pillow on supersampled canvases and reduced at the
end, so edges and letterforms come out smooth. Nothing here reads the
clock or an unseeded random source: the same fonts give the same pixels.
"""

import math
import os
import random

from PIL import Image, ImageDraw, ImageFilter, ImageFont

# ---------------------------------------------------------------------------
# The house colours: light on black, ivory paper and gold, a crimson quill.

BLACK = (0, 0, 0)
WHITE = (255, 255, 255)
IVORY = (245, 245, 234)    # the about box's text colour
PAPER = (238, 229, 204)
GOLD = (214, 170, 84)
DEEP_GOLD = (140, 98, 36)
CRIMSON = (176, 30, 38)
INK = (22, 36, 92)

# ---------------------------------------------------------------------------
# Fonts: real font files from Debian packages (tools/bootstrap.sh installs
# them). A missing file stops the build with the package to install.

FONT_FILES = {
    "garamond": ("/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Regular.otf", "fonts-ebgaramond"),
    "garamond-italic": ("/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Italic.otf", "fonts-ebgaramond"),
    "garamond-bold": ("/usr/share/fonts/opentype/ebgaramond/EBGaramond12-Bold.otf", "fonts-ebgaramond"),
    "libertine": ("/usr/share/fonts/opentype/linux-libertine/LinLibertine_R.otf", "fonts-linuxlibertine"),
    "libertine-italic": ("/usr/share/fonts/opentype/linux-libertine/LinLibertine_RI.otf", "fonts-linuxlibertine"),
    "libertine-display": ("/usr/share/fonts/opentype/linux-libertine/LinLibertine_DR.otf", "fonts-linuxlibertine"),
    "biolinum": ("/usr/share/fonts/opentype/linux-libertine/LinBiolinum_R.otf", "fonts-linuxlibertine"),
    "biolinum-bold": ("/usr/share/fonts/opentype/linux-libertine/LinBiolinum_RB.otf", "fonts-linuxlibertine"),
    "dejavu-sans": ("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "fonts-dejavu-core"),
    "dejavu-sans-bold": ("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", "fonts-dejavu-core"),
    "dejavu-serif-bold": ("/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf", "fonts-dejavu-core"),
    "liberation-mono": ("/usr/share/fonts/truetype/liberation/LiberationMono-Regular.ttf", "fonts-liberation"),
    "liberation-serif-italic": ("/usr/share/fonts/truetype/liberation/LiberationSerif-Italic.ttf",
                                "fonts-liberation"),
    "liberation-sans-bold": ("/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf", "fonts-liberation"),
}


def font(name, size):
    """A font by its short name, at `size` pixels, laid out with OpenType
    features (kerning, swashes)."""
    path, package = FONT_FILES[name]
    if not os.path.exists(path):
        raise SystemExit("genbitmaps: %s is missing; install the Debian package %s" % (path, package))
    return ImageFont.truetype(path, max(1, int(round(size))), layout_engine=ImageFont.Layout.RAQM)


# ---------------------------------------------------------------------------
# Colours and images


def mix(a, b, t):
    """The colour a part t of the way from a to b."""
    t = min(1.0, max(0.0, t))
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, stops):
    """An RGB image whose rows run through `stops`, (position 0..1, colour)."""
    w, h = size
    column = Image.new("RGB", (1, h))
    for y in range(h):
        t = y / max(1, h - 1)
        for (p0, c0), (p1, c1) in zip(stops, stops[1:]):
            if p0 <= t <= p1:
                column.putpixel((0, y), mix(c0, c1, (t - p0) / max(1e-9, p1 - p0)))
                break
    return column.resize((w, h), Image.Resampling.NEAREST)


def horizontal_gradient(size, stops):
    """As vertical_gradient, across the columns."""
    w, h = size
    return vertical_gradient((h, w), stops).transpose(Image.Transpose.TRANSPOSE)


def radial_glow(size, centre, radius, inner, outer):
    """An RGB image shading from `inner` at `centre` to `outer` at `radius`
    and beyond, falling off with the square of the distance."""
    w, h = size
    small = (max(1, w // 4), max(1, h // 4))
    image = Image.new("RGB", small)
    px = image.load()
    cx, cy = centre[0] / 4, centre[1] / 4
    for y in range(small[1]):
        for x in range(small[0]):
            d = math.hypot(x - cx, y - cy) / (radius / 4)
            px[x, y] = mix(inner, outer, d * d)
    return image.resize(size, Image.Resampling.BICUBIC)


def scale_alpha(mask, part):
    return mask.point(lambda v: int(v * part))


class Scene:
    """An RGBA picture drawn `scale` times larger than its final size.
    Coordinates given to its methods are in final pixels (fractions
    welcome); `result` reduces it, every pixel the mean of its samples."""

    def __init__(self, width, height, scale=4, background=None):
        self.width, self.height, self.scale = width, height, scale
        self.size = (width * scale, height * scale)
        fill = background + (255,) if background else (0, 0, 0, 0)
        self.image = Image.new("RGBA", self.size, fill)

    def p(self, x, y):
        return (x * self.scale, y * self.scale)

    def box(self, x0, y0, x1, y1):
        return [self.p(x0, y0), self.p(x1, y1)]

    def mask(self):
        return Image.new("L", self.size, 0)

    def shape(self, kind, *points, radius=0):
        """An L mask of one shape: "rect", "round" (corner `radius`),
        "ellipse" (by their boxes) or "polygon" (by its points)."""
        m = self.mask()
        d = ImageDraw.Draw(m)
        if kind == "polygon":
            d.polygon([self.p(*q) for q in points], fill=255)
        elif kind == "rect":
            d.rectangle(self.box(*points), fill=255)
        elif kind == "round":
            d.rounded_rectangle(self.box(*points), radius=radius * self.scale, fill=255)
        elif kind == "ellipse":
            d.ellipse(self.box(*points), fill=255)
        return m

    def text(self, xy, text, face, size, anchor="ls", spacing=0, features=None):
        """An L mask of `text`; `spacing` adds that many pixels between letters."""
        typeface = font(face, size * self.scale)
        m = self.mask()
        d = ImageDraw.Draw(m)
        x, y = self.p(*xy)
        if not spacing:
            d.text((x, y), text, fill=255, font=typeface, anchor=anchor, features=features)
            return m
        gap = spacing * self.scale
        width = sum(typeface.getlength(c) for c in text) + gap * (len(text) - 1)
        if anchor[0] == "m":
            x -= width / 2
        for c in text:
            d.text((x, y), c, fill=255, font=typeface, anchor="l" + anchor[1])
            x += typeface.getlength(c) + gap
        return m

    def paint(self, mask, colour, opacity=1.0, onto=None):
        """Paints `colour` (an RGB triple or an RGB image) through `mask`."""
        if not isinstance(colour, Image.Image):
            colour = Image.new("RGB", self.size, colour)
        paint = colour.convert("RGBA")
        paint.putalpha(mask if opacity >= 1 else scale_alpha(mask, opacity))
        (onto or self.image).alpha_composite(paint)

    def shadow(self, mask, dx, dy, blur, opacity):
        """A soft black shadow of `mask`, moved by dx, dy pixels."""
        moved = Image.new("L", self.size, 0)
        moved.paste(mask, (int(dx * self.scale), int(dy * self.scale)))
        self.paint(moved.filter(ImageFilter.GaussianBlur(blur * self.scale)), BLACK, opacity)

    def layer(self):
        return Image.new("RGBA", self.size, (0, 0, 0, 0))

    def vertical(self, stops):
        return vertical_gradient(self.size, stops)

    def horizontal(self, stops):
        return horizontal_gradient(self.size, stops)

    def glow(self, centre, radius, inner, outer):
        return radial_glow(self.size, self.p(*centre), radius * self.scale, inner, outer)

    def quill(self, nib, control, tip, left, right, light, dark, shaft, nib_colour, onto=None, **options):
        """A quill (see draw_quill) in final-pixel coordinates."""
        s = self.scale
        length = sum(math.dist(bezier(nib, control, tip, i / 16), bezier(nib, control, tip, (i + 1) / 16))
                     for i in range(16))
        if "shaft_width" in options:
            options["shaft_width"] *= s
        draw_quill(onto or self.image, self.p(*nib), self.p(*control), self.p(*tip), length * s,
                   left * s, right * s, light, dark, shaft, nib_colour, barb_step=s, **options)

    def result(self):
        return self.image.resize((self.width, self.height), Image.Resampling.BOX)


# ---------------------------------------------------------------------------
# The quill: a feather along a curved shaft, drawn barb by barb.


def bezier(p0, p1, p2, t):
    u = 1 - t
    return (u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
            u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1])


def bezier_normal(p0, p1, p2, t):
    dx = 2 * (1 - t) * (p1[0] - p0[0]) + 2 * t * (p2[0] - p1[0])
    dy = 2 * (1 - t) * (p1[1] - p0[1]) + 2 * t * (p2[1] - p1[1])
    n = math.hypot(dx, dy) or 1.0
    return (-dy / n, dx / n), (dx / n, dy / n)


def vane_width(s, start, broad):
    """Half-width of one vane at s (0 at the nib, 1 at the tip), as a part of
    `broad`: swelling from `start`, fullest past the middle, round at the tip."""
    if s <= start:
        return 0.0
    t = (s - start) / (1 - start)
    rise = math.sin(min(1.0, t / 0.35) * math.pi / 2)
    fall = math.sqrt(max(0.0, 1 - ((t - 0.55) / 0.45) ** 2)) if t > 0.55 else 1.0
    return broad * rise * fall


def draw_quill(layer, nib, control, tip, length_px, left, right, light, dark, shaft, nib_colour,
               squeeze=1.0, barb_step=1.0, splits=(), vane_start=0.24, shaft_width=None, seed=1, lean=0.75,
               texture=1.0):
    """Draws a quill on the RGBA `layer` from `nib` to `tip` bending towards
    `control`. `left` and `right` are the vanes' greatest half-widths in
    pixels (the right vane on the curve's right looking from nib to tip),
    `squeeze` scales both (negative turns the feather over), `light` and
    `dark` colour each barb from the shaft to the edge, `splits` are places
    along the shaft (0..1) where the vane is parted, `lean` is how far the
    barbs sweep towards the tip (their run along the shaft per unit of
    reach), `texture` how much the barbs vary in tone and length (less
    for small quills, where the engraving would turn to noise)."""
    rng = random.Random(seed)
    draw = ImageDraw.Draw(layer)
    steps = max(24, int(length_px / barb_step))
    width = shaft_width or max(1.0, length_px / 110)
    # Barbs at least as thick as their spacing, so the vane has no holes.
    barb = max(1, int(round(width * 0.55)), int(round(barb_step)))
    turned = squeeze < 0
    for side, broad in ((-1, left), (1, right)):
        broad *= squeeze
        # The far vane (the one the light does not reach) is a shade darker.
        far = (side > 0) != turned
        for i in range(steps + 1):
            s = vane_start * 0.7 + (1 - vane_start * 0.7) * i / steps
            jitter = 1 + rng.uniform(-0.05, 0.05) * texture
            if s < vane_start:
                # Down at the foot of the vane: loose, wispy barbs.
                w = broad * rng.uniform(0.25, 0.7) * (s - vane_start * 0.7) / (vane_start * 0.3)
                alpha, sweep = rng.randint(70, 150), lean * rng.uniform(1.3, 2.6)
            else:
                w = vane_width(s, vane_start, broad) * jitter
                alpha, sweep = 255, lean
            for at in splits:
                if 0 <= s - at < 0.035:
                    sweep *= 1.6
                    w *= 0.93
            if abs(w) < 0.6:
                continue
            base = bezier(nib, control, tip, s)
            normal, tangent = bezier_normal(nib, control, tip, s)
            reach = (normal[0] * w * side, normal[1] * w * side)
            run = abs(w) * sweep
            end = (base[0] + reach[0] + tangent[0] * run, base[1] + reach[1] + tangent[1] * run)
            # Barbs leave the shaft steeply and bend towards the tip.
            knee = (base[0] + reach[0] * 0.55 + tangent[0] * run * 0.25,
                    base[1] + reach[1] * 0.55 + tangent[1] * run * 0.25)
            engraved = rng.choice((0.0, 0.0, 0.08, 0.16)) * texture
            inner = mix(light, dark, engraved + (0.22 if far else 0.0))
            outer = mix(light, dark, 0.55 + engraved + (0.2 if far else 0.0))
            draw.line([base, knee], fill=inner + (alpha,), width=barb)
            draw.line([knee, end], fill=outer + (alpha * 9 // 10,), width=barb)
    # The shaft: widest at the barrel, thinning to the tip; the barrel
    # ends in the cut nib.
    for i in range(steps):
        s0, s1 = i / steps, (i + 1) / steps
        a, b = bezier(nib, control, tip, s0), bezier(nib, control, tip, s1)
        w = width * (1.9 - 1.5 * s0)
        colour = nib_colour if s0 < 0.04 else mix(shaft, light, max(0.0, s0 - 0.3))
        draw.line([a, b], fill=colour + (255,), width=max(1, int(round(w))))


# ---------------------------------------------------------------------------
# Letterforms that turn into one another: each glyph becomes a signed
# distance field, and a frame between two glyphs is the mix of their fields
# cut at zero, so strokes grow, thin and travel instead of cross-fading.

INFINITE = 1e20


def _distance_1d(f):
    """Squared distance transform of one line: the lower envelope of the
    parabolas rooted at every sample (Felzenszwalb and Huttenlocher)."""
    n = len(f)
    v = [0] * n
    z = [0.0] * (n + 1)
    k = 0
    z[0], z[1] = -INFINITE, INFINITE
    for q in range(1, n):
        while True:
            p = v[k]
            s = ((f[q] + q * q) - (f[p] + p * p)) / (2 * (q - p))
            if s > z[k]:
                break
            k -= 1
        k += 1
        v[k] = q
        z[k] = s
        z[k + 1] = INFINITE
    d = [0.0] * n
    k = 0
    for q in range(n):
        while z[k + 1] < q:
            k += 1
        d[q] = (q - v[k]) * (q - v[k]) + f[v[k]]
    return d


def _distance_2d(inside, w, h):
    """Squared distance from every pixel to the nearest pixel of `inside`."""
    grid = [0.0 if inside[i] else INFINITE for i in range(w * h)]
    for x in range(w):
        column = _distance_1d(grid[x::w])
        grid[x::w] = column
    for y in range(h):
        grid[y * w:(y + 1) * w] = _distance_1d(grid[y * w:(y + 1) * w])
    return grid


def signed_distance(mask):
    """Signed distance in pixels of an L `mask`: negative inside."""
    w, h = mask.size
    data = mask.tobytes()
    inside = [b >= 128 for b in data]
    outside = [not b for b in inside]
    to_inside = _distance_2d(inside, w, h)
    to_outside = _distance_2d(outside, w, h)
    return [math.sqrt(a) - math.sqrt(b) + (0.5 if a else -0.5) if a or b else 0.0
            for a, b in zip(to_inside, to_outside)], (w, h)


def blend_fields(a, b, t):
    """The shape part t of the way from field a to field b, as an L mask
    with one pixel of soft edge."""
    fa, size = a
    fb, _ = b
    u = 1 - t
    cover = bytes(max(0, min(255, int(round((0.5 - (u * x + t * y)) * 255)))) for x, y in zip(fa, fb))
    return Image.frombytes("L", size, cover)
