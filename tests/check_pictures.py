#!/usr/bin/python3
"""check_pictures.py DIR: the generated 8-bit pictures' headers, sizes and 256-colour tables, frames unlike
the next, and a pure black-and-white mask that masks: (face AND mask) XOR picture is picture or face; the
24-bit folder pictures black in their masks exactly where they are not white, opaque and not all."""
import os, struct, sys

BLACK, WHITE = b"\0\0\0", b"\xff\xff\xff"
ANIMATIONS = (("logo", 21, (70, 70)), ("emblem", 33, (30, 60)))
sizes = {"about.bmp": (131, 234), "logo.bmp": (416, 155), "sysinfo.bmp": (148, 384)}
sizes.update({"%s%02d.bmp" % (stem, i): wh for stem, count, wh in ANIMATIONS for i in range(1, count + 1)})
pixels = {}
for name, (w, h) in sizes.items():
    data = open(os.path.join(sys.argv[1], name), "rb").read()
    stride = (w + 3) & ~3
    head = struct.unpack_from("<2sI4xIIiiHHII8xII", data) + (len(data) - 1078,)
    assert head == (b"BM", len(data), 1078, 40, w, h, 1, 8, 0, stride * h, 256, 0, stride * h), (name, head)
    table = [data[54 + 4 * i:57 + 4 * i] for i in range(256)]
    rows = [data[1078 + y * stride:1078 + y * stride + w] for y in reversed(range(h))]
    pixels[name] = [[table[p] for p in row] for row in rows]
    assert pixels[name][0][0] == BLACK, name  # the windows and the transparent part are black
for stem, count, _ in ANIMATIONS:
    for i in range(count):
        assert pixels["%s%02d.bmp" % (stem, i + 1)] != pixels["%s%02d.bmp" % (stem, (i + 1) % count + 1)], (stem, i)
picture, mask = pixels["sysinfo.bmp"][:192], pixels["sysinfo.bmp"][192:]
assert all(m == BLACK or (m == WHITE and p == BLACK) for pr, mr in zip(picture, mask) for p, m in zip(pr, mr))
assert 0.3 < sum(m == BLACK for row in mask for m in row) / (148 * 192) < 0.9  # opaque, not all nor nothing
for name, w, h in (("folder16.bmp", 16, 13), ("folder32.bmp", 32, 27)):
    data = open(os.path.join(sys.argv[1], name), "rb").read()
    assert struct.unpack_from("<iiHH", data, 18) == (w, 2 * h, 1, 24), name
    stride = (w * 3 + 3) & ~3
    rows = [[data[54 + y * stride + 3 * x:57 + y * stride + 3 * x] for x in range(w)] for y in reversed(range(2 * h))]
    drawn = [[p != WHITE for p in row] for row in rows[:h]]
    assert [[m == (BLACK if d else WHITE) for d, m in zip(dr, mr)] for dr, mr in zip(drawn, rows[h:])] == [[True] * w] * h
    assert w * h // 2 < sum(map(sum, drawn)) < w * h, name
