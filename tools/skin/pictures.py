"""The pictures by program and id: painters look each other up here. Each painter is a
function of the table entry that draws the picture."""

from palette import PAGE
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
    key = (program, rid)
    if key not in _cache:
        e = ENTRY[key]
        img = e.paint(e)
        if e.kind == 'bmp':
            if img.size != (e.w, e.h) or img.mode != 'RGB':
                raise AssertionError(f'{rid}: painted {img.mode} {img.size}, table says {e.w}x{e.h}')
        _cache[key] = img
    return _cache[key]


def plain(color):
    return lambda e: new(e.w, e.h, color)


def crop_of(program, rid, x, y):
    """Backdrop taken from the picture the image is drawn over, so it blends exactly."""
    return lambda e: render(program, rid).crop((x, y, x + e.w, y + e.h))
