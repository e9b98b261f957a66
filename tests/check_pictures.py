#!/usr/bin/python3
"""The generated 8-bit pictures: size, header, a table of exactly 256 colours
and the bits right after it; black in the corner; every animation frame differs
from the next; the system information mask is pure black and white and
masks: (face AND mask) XOR picture is the picture or the face.
usage: check_pictures.py PICTUREDIR"""
import os, struct, sys

BLACK, WHITE = b"\0\0\0", b"\xff\xff\xff"
sizes = {"about.bmp": (131, 234), "logo.bmp": (416, 155), "sysinfo.bmp": (148, 384)}
sizes.update({"logo%02d.bmp" % i: (70, 70) for i in range(1, 22)})
sizes.update({"emblem%02d.bmp" % i: (30, 60) for i in range(1, 34)})
pixels = {}
for name, (w, h) in sizes.items():
    data = open(os.path.join(sys.argv[1], name), "rb").read()
    head = struct.unpack_from("<2sI4xIIiiHHII8xII", data)
    stride = (w + 3) & ~3
    assert head == (b"BM", len(data), 54 + 1024, 40, w, h, 1, 8, 0, stride * h, 256, 0), (name, head)
    assert len(data) == 54 + 1024 + stride * h, name
    table = [data[54 + 4 * i:57 + 4 * i] for i in range(256)]
    rows = [data[1078 + y * stride:1078 + y * stride + w] for y in reversed(range(h))]
    pixels[name] = [[table[p] for p in row] for row in rows]
    assert pixels[name][0][0] == BLACK, name  # the windows and the transparent part are black
for stem, count in (("logo", 21), ("emblem", 33)):
    for i in range(count):
        assert pixels["%s%02d.bmp" % (stem, i + 1)] != pixels["%s%02d.bmp" % (stem, (i + 1) % count + 1)], (stem, i)
picture, mask = pixels["sysinfo.bmp"][:192], pixels["sysinfo.bmp"][192:]
assert all(m == BLACK or (m == WHITE and p == BLACK) for pr, mr in zip(picture, mask) for p, m in zip(pr, mr))
opaque = sum(m == BLACK for row in mask for m in row)
assert 0.3 < opaque / (148 * 192) < 0.9, opaque
