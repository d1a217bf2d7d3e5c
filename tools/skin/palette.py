"""Colours, fonts and one-line text of the skin."""

import os

from PIL import ImageDraw, ImageFont

from scale import px, unpx

FONT_DIR = '/usr/share/fonts/truetype/nanum'

# --------------------------------------------------------------------------------------
# Palette: cool neutral greys with one slate-blue accent. PAGE is fixed by the programs,
# which fill every page with it before copying the bitmaps on top.

PAGE = (233, 233, 233)
WIN_BG = (238, 240, 243)
BORDER = (110, 120, 134)
HEAD_TOP = (253, 253, 254)
HEAD_BOT = (226, 230, 236)
HEAD_LINE = (192, 199, 208)
PANEL = (221, 226, 233)
PANEL_LINE = (194, 201, 211)
INK = (34, 40, 50)
INK_SOFT = (92, 100, 113)
INK_FAINT = (150, 156, 166)
RULE = (192, 198, 207)
ACCENT = (44, 102, 158)
ACCENT_HI = (74, 136, 194)
ACCENT_LT = (112, 166, 216)
ACCENT_DK = (28, 70, 116)
ACCENT_TINT = (219, 232, 247)
WHITE = (255, 255, 255)
FACE_TOP = (255, 255, 255)
FACE_BOT = (230, 234, 239)
FACE_LINE = (158, 167, 180)
EDIT_BG = (255, 242, 192)      # the audio pages paint their level edits in this colour
RED = (198, 54, 54)
RED_DK = (150, 34, 34)
GREEN = (44, 150, 86)
TOOL_TOP = (247, 249, 251)     # finder toolbar zone
TOOL_BOT = (234, 238, 243)
SEARCH_BG = (226, 232, 240)    # finder search row and frame
FRAME_LINE = (170, 180, 194)

NORMAL, HOVER, PRESSED, DISABLED = 'normal', 'hover', 'pressed', 'disabled'

# --------------------------------------------------------------------------------------
# Fonts and text


_fonts = {}


def font(name, size):
    """The font at a 96-DPI size, opened at the current scale's size (text is drawn
    at that size, never resized)."""
    size = px(size)
    key = (name, size)
    if key not in _fonts:
        # Basic layout: Hangul needs no shaping, and it keeps the output identical on
        # machines with and without libraqm.
        _fonts[key] = ImageFont.truetype(os.path.join(FONT_DIR, name + '.ttf'), size,
                                         layout_engine=ImageFont.Layout.BASIC)
    return _fonts[key]


def regular(size):
    return font('NanumBarunGothic', size)


def bold(size):
    return font('NanumBarunGothicBold', size)


_notdef = {}
_covered = {}


def _mask_signature(f, ch):
    m = f.getmask(ch)
    return m.size, bytes(m)


def check_glyphs(f, text, where):
    """A character the font lacks would come out as an empty box: refuse it."""
    if f not in _notdef:
        _notdef[f] = _mask_signature(f, '\U0010FFFD')
    for ch in set(text):
        if ch == ' ':
            continue
        key = (f, ch)
        if key not in _covered:
            _covered[key] = _mask_signature(f, ch) != _notdef[f]
        if not _covered[key]:
            raise AssertionError(f'{where}: font has no glyph for {ch!r} in {text!r}')


def body_extent(f):
    """Top and bottom of the Hangul and Latin capital body, relative to the baseline."""
    _, top, _, bottom = f.getbbox('가H', anchor='ls')
    return top, bottom


def text_size(text, f):
    """Width and height of the ink, in 96-DPI units."""
    left, top, right, bottom = f.getbbox(text, anchor='ls')
    return unpx(right - left), unpx(bottom - top)


def draw_text(img, box, text, f, fill, align='center', where='', dx=0, dy=0):
    """Draws one line inside box (left, top, right, bottom; right/bottom exclusive),
    vertically centred on the letter body, and fails if any ink leaves the box. box,
    dx, dy and the ink returned are in 96-DPI units."""
    check_glyphs(f, text, where)
    x0, y0, x1, y1 = (px(v) for v in box)
    dx, dy = px(dx), px(dy)
    left, top, right, bottom = f.getbbox(text, anchor='ls')
    btop, bbottom = body_extent(f)
    baseline = y0 + ((y1 - y0) - (bbottom - btop)) // 2 - btop
    if align == 'left':
        x = x0 - left
    elif align == 'right':
        x = x1 - right
    else:
        x = x0 + ((x1 - x0) - (right - left)) // 2 - left
    x += dx
    baseline += dy
    if px(1) > 1:
        # Glyphs do not grow exactly with the scale: what fits at 96 DPI may stick out a
        # pixel or two at a larger scale. Slide such a line back inside its box.
        slack = 2 * px(1)
        l, r = max(x0, 0), min(x1, img.width)
        over = max(0, x + right - r) - max(0, l - (x + left))
        if abs(over) <= slack:
            x -= over
        t, b = max(y0, 0), min(y1, img.height)
        over = max(0, baseline + bottom - b) - max(0, t - (baseline + top))
        if abs(over) <= slack:
            baseline -= over
    ink = (x + left, baseline + top, x + right, baseline + bottom)
    if ink[0] < x0 or ink[1] < y0 or ink[2] > x1 or ink[3] > y1:
        raise AssertionError(f'{where}: {text!r} ({ink}) does not fit in {box}')
    if ink[0] < 0 or ink[1] < 0 or ink[2] > img.width or ink[3] > img.height:
        raise AssertionError(f'{where}: {text!r} leaves the {img.size} image')
    ImageDraw.Draw(img).text((x, baseline), text, font=f, fill=fill, anchor='ls')
    return tuple(unpx(v) for v in ink)
