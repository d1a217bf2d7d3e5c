#!/usr/bin/python3
"""Writes one committed skin picture as a PNG, for tests that compare the screen with it.

    tools/skin/skin_png.py PROGRAM ID [DPI] OUT.png     PROGRAM: zelora or update

Reads resources/skin/ only (no drawing), so it gives exactly what the program decodes."""

import os
import struct
import sys
import zlib

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from encoders import ART_HEADER, art_decode  # noqa: E402
from outputs import OUT_DIR, art_file, palettes_file  # noqa: E402


def read(name):
    with open(os.path.join(OUT_DIR, name), 'rb') as fh:
        return fh.read()


def main(argv):
    if len(argv) not in (4, 5):
        sys.exit(__doc__)
    program, rid, out = argv[1], int(argv[2]), argv[-1]
    dpi = int(argv[3]) if len(argv) == 5 else 96
    block = read(palettes_file(program, dpi))
    raw = zlib.decompress(block[4:], -15)
    palettes = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
    data = read(art_file(program, rid, dpi))
    w, h = struct.unpack_from(ART_HEADER, data)[:2]
    img = Image.new('RGB', (w, h))
    img.putdata(art_decode(data, palettes))
    img.save(out)


if __name__ == '__main__':
    main(sys.argv)
