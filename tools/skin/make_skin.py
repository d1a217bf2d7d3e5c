#!/usr/bin/python3
"""Draws the skin of Zelora.exe and ZeloraUpdate.exe.

Every bitmap and icon that the two programs load by resource id is drawn from one
table (table.py, with the places and hot areas of places.py), with its exact pixel
size, and written to resources/skin/ together with the resource script fragments, the
X-macro tables of the tests and the header that names the skin for the C++ code:

    resources/skin/art_<id>_<dpi>.zsk, ico_<id>.ico    pictures of Zelora.exe
    resources/skin/palettes_<dpi>.zsk                  their colours, one block per scale
    resources/skin/upd_...                             the same for ZeloraUpdate.exe
    resources/skin/ZeloraSkin.rc, UpdateSkin.rc        "<id> <type> <path>" lines
    resources/skin/SkinTableZelora.inc, SkinTableUpdate.inc
    resources/skin/Skin.h                              a constant per picture and place

Every bitmap is drawn at each scale the programs carry (ART_DPIS in outputs.py) from the
same 96-DPI numbers (scale.py), and stored as deflated palette indices (see art_bytes),
which keeps the programs small; the programs decode them with platform/image/SkinArt.cpp.

The updater reuses resource ids of the settings centre for different pictures (133 is
an uninstall button in one and the update button in the other), hence the prefix.

Output is deterministic: running it twice changes nothing. Needs Debian's python3-pil
(Pillow 9.4.0, whose text and palettes the committed pictures are made with)
and fonts-nanum: the Python of /usr/bin, not a private one.

The modules: palette (colours, fonts, text), shapes, widgets (titles, banners,
buttons), page_art, main_art, finder_art (the painters by area), pictures (look-up
and cache), places and table (the data), scale (96-DPI numbers to pixels), encoders
(picture and icon bytes), outputs
(files) and previews.

    tools/skin/make_skin.py             write the skin
    tools/skin/make_skin.py --check     exit 1 if a committed file is stale
    tools/skin/make_skin.py --preview DIR
                                        also write PNG previews (contact sheet and the
                                        windows composed as the programs paint them)
"""

import argparse
import os
import sys

PILLOW_VERSION = '9.4.0'

try:
    import PIL
except ImportError:
    sys.exit(f'make_skin: {sys.executable} has no Pillow; run /usr/bin/python3 '
             f'tools/skin/make_skin.py (Debian\'s python3-pil, Pillow {PILLOW_VERSION})')

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from outputs import outputs, write_all  # noqa: E402  (after the Pillow check)
from previews import preview  # noqa: E402


def main_cli():
    ap = argparse.ArgumentParser(description=__doc__.split('\n\n')[0])
    ap.add_argument('--check', action='store_true',
                    help='write nothing; exit 1 when a generated file differs')
    ap.add_argument('--preview', metavar='DIR', help='also write PNG previews into DIR')
    args = ap.parse_args()
    files = outputs()
    stale, extra = write_all(files, args.check)
    if args.preview:
        preview(args.preview)
    if args.check:
        for name in stale:
            print(f'stale: resources/skin/{name}')
        for name in extra:
            print(f'not generated: resources/skin/{name}')
        if stale and PIL.__version__ != PILLOW_VERSION:
            print(f'note: the pictures are made with Pillow {PILLOW_VERSION}; {sys.executable} '
                  f'has {PIL.__version__}, whose text and palettes may differ: run '
                  '/usr/bin/python3 with Debian\'s python3-pil')
        return 1 if stale or extra else 0
    if PIL.__version__ != PILLOW_VERSION:
        print(f'warning: Pillow {PIL.__version__}, not {PILLOW_VERSION}: pictures may change',
              file=sys.stderr)
    for name in stale:
        print(f'wrote resources/skin/{name}')
    for name in extra:
        print(f'warning: resources/skin/{name} is not in the table', file=sys.stderr)
    return 0


if __name__ == '__main__':
    sys.exit(main_cli())
