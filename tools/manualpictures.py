#!/usr/bin/python3
"""Copies the pictures the Windows tests leave in build/screenshots into the
manual's html/images, compressed (the tests write them uncompressed).

    tools/manualpictures.py [NAME.png ...]   (default: every picture there)
"""
import os
import sys

from PIL import Image

root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
shots, images = os.path.join(root, "build", "screenshots"), os.path.join(root, "html", "images")
for name in sys.argv[1:] or sorted(os.listdir(shots)):
    picture = Image.open(os.path.join(shots, name)).convert("RGB")
    # The windows use few colours: an adaptive palette keeps them exact or nearly.
    picture.quantize(256, dither=Image.Dither.NONE).save(os.path.join(images, name), optimize=True)
    print(name, os.path.getsize(os.path.join(images, name)), "bytes")
