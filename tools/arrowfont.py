#!/usr/bin/python3
"""Adds the two arrow glyphs of the Wingdings code page (0xEF left arrow,
0xF0 right arrow) to Wine's Wingdings, for the Wine prefix the tests and
`make run` use. Wine's own Wingdings has only a few dozen glyphs and lacks
them, so the "< Install" and "Copy >" buttons would show empty boxes.

usage: arrowfont.py SOURCE.ttf OUTPUT.ttf
"""
import sys

from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib import TTFont


def arrow(pointing_left, em):
    """A solid arrow on the baseline, a little below the cap height."""
    pen = TTGlyphPen(None)
    w = int(em * 0.9)
    shaft_top, shaft_bottom = int(em * 0.52), int(em * 0.28)
    head_top, head_bottom = int(em * 0.70), int(em * 0.10)
    mid = (head_top + head_bottom) // 2
    head = int(em * 0.38)
    left, right = int(em * 0.05), int(em * 0.05) + w
    if pointing_left:
        points = [(left, mid), (left + head, head_top), (left + head, shaft_top), (right, shaft_top),
                  (right, shaft_bottom), (left + head, shaft_bottom), (left + head, head_bottom)]
    else:
        points = [(right, mid), (right - head, head_bottom), (right - head, shaft_bottom), (left, shaft_bottom),
                  (left, shaft_top), (right - head, shaft_top), (right - head, head_top)]
    # TrueType fills clockwise outer contours (negative area, y up).
    area = sum(x0 * y1 - x1 * y0 for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]))
    if area > 0:
        points.reverse()
    pen.moveTo(points[0])
    for p in points[1:]:
        pen.lineTo(p)
    pen.closePath()
    return pen.glyph(), w + 2 * int(em * 0.05)


def main(source, output):
    font = TTFont(source)
    em = font["head"].unitsPerEm
    order = font.getGlyphOrder()
    for name, code, left in (("arrowleft", 0xEF, True), ("arrowright", 0xF0, False)):
        if name in order:
            continue
        glyph, advance = arrow(left, em)
        order.append(name)
        font["glyf"].glyphs[name] = glyph
        font["hmtx"].metrics[name] = (advance, 0)
        for table in font["cmap"].tables:
            table.cmap[code if table.platformID == 1 else 0xF000 + code] = name
    font.setGlyphOrder(order)
    font["glyf"].glyphOrder = order
    font["maxp"].numGlyphs = len(order)
    font.save(output)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
