"""The pictures by program and id: painters look each other up here. Each painter is a
function of the table entry that draws the picture."""

import scale
from palette import PAGE
from scale import px
from shapes import new

ZELORA = 'zelora'
UPDATE = 'update'
BOTH = 'both'

# (program, id) for bitmaps, (program, 'ico', id) for icons.
ENTRY = {}
_cache = {}


def register(table):
    for e in table:
        for p in e.programs():
            key = (p, e.rid) if e.kind == 'bmp' else (p, 'ico', e.rid)
            if key in ENTRY:
                raise AssertionError(f'{key} appears twice in the table')
            ENTRY[key] = e


def render(program, rid):
    """The bitmap at the current scale: px(w) x px(h) of the table's 96-DPI size."""
    key = (program, rid, scale.DPI)
    if key not in _cache:
        e = ENTRY[program, rid]
        img = e.paint(e)
        if img.size != (px(e.w), px(e.h)) or img.mode != 'RGB':
            raise AssertionError(f'{rid} at {scale.DPI} DPI: painted {img.mode} {img.size}, '
                                 f'table says {e.w}x{e.h}')
        _cache[key] = img
    return _cache[key]


def plain(color):
    return lambda e: new(e.w, e.h, color)


def crop_of(program, rid, x, y):
    """Backdrop taken from the picture the image is drawn over, so it blends exactly."""
    return lambda e: render(program, rid).crop((px(x), px(y), px(x) + px(e.w), px(y) + px(e.h)))
