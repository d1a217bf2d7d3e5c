#!/usr/bin/python3
"""Draws the skin of Zelora.exe and ZeloraUpdate.exe.

Every bitmap and icon that the two programs load by resource id is drawn here from
one table (SKIN, near the end), with its exact pixel size, and written to
resources/skin/ together with the resource script fragments and the X-macro tables
that the C++ side includes:

    resources/skin/bmp_<id>.bmp, ico_<id>.ico          pictures of Zelora.exe
    resources/skin/upd_bmp_<id>.bmp, upd_ico_<id>.ico  pictures of ZeloraUpdate.exe
    resources/skin/ZeloraSkin.rc, UpdateSkin.rc        "<id> BITMAP|ICON <path>" lines
    resources/skin/SkinTableZelora.inc, SkinTableUpdate.inc

Bitmaps are written as run-length encoded 8-bit BMPs (see bmp_bytes), which keeps the
programs small; the programs decode them with platform/image/DibImage.cpp.

The updater reuses resource ids of the settings centre for different pictures (133 is
an uninstall button in one and the update button in the other), hence the prefix.

Output is deterministic: running it twice changes nothing. Needs Debian's python3-pil
and fonts-nanum (the Python of /usr/bin, not a private one).

    tools/skin/make_skin.py             write the skin
    tools/skin/make_skin.py --check     exit 1 if a committed file is stale
    tools/skin/make_skin.py --preview DIR
                                        also write PNG previews (contact sheet and the
                                        windows composed as the programs paint them)
"""

import argparse
import math
import os
import struct
import sys

from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, '..', '..'))
OUT_DIR = os.path.join(REPO, 'resources', 'skin')
FONT_DIR = '/usr/share/fonts/truetype/nanum'

ZELORA = 'zelora'
UPDATE = 'update'
BOTH = 'both'

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
    left, top, right, bottom = f.getbbox(text, anchor='ls')
    return right - left, bottom - top


def draw_text(img, box, text, f, fill, align='center', where='', dx=0, dy=0):
    """Draws one line inside box (left, top, right, bottom; right/bottom exclusive),
    vertically centred on the letter body, and fails if any ink leaves the box."""
    check_glyphs(f, text, where)
    x0, y0, x1, y1 = box
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
    ink = (x + left, baseline + top, x + right, baseline + bottom)
    if ink[0] < x0 or ink[1] < y0 or ink[2] > x1 or ink[3] > y1:
        raise AssertionError(f'{where}: {text!r} ({ink}) does not fit in {box}')
    if ink[0] < 0 or ink[1] < 0 or ink[2] > img.width or ink[3] > img.height:
        raise AssertionError(f'{where}: {text!r} leaves the {img.size} image')
    ImageDraw.Draw(img).text((x, baseline), text, font=f, fill=fill, anchor='ls')
    return ink


# --------------------------------------------------------------------------------------
# Shapes. Drawn at four times the size and folded back with a box filter, so edges are
# smooth while untouched pixels stay exactly as they were.

K = 4


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vgradient(img, box, top, bottom):
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    n = y1 - y0
    for i in range(n):
        t = i / (n - 1) if n > 1 else 0.0
        d.line([(x0, y0 + i), (x1 - 1, y0 + i)], fill=lerp(top, bottom, t))


class Fine:
    def __init__(self, img):
        self.img = img
        self.big = img.resize((img.width * K, img.height * K), Image.NEAREST)
        self.d = ImageDraw.Draw(self.big)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, tb):
        if kind is None:
            self.img.paste(self.big.resize(self.img.size, Image.BOX))

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        return [x0 * K, y0 * K, x1 * K - 1, y1 * K - 1]

    @staticmethod
    def _pts(pts):
        return [(x * K, y * K) for x, y in pts]

    def rrect(self, box, r, fill=None, outline=None, width=1):
        if r <= 0:
            self.d.rectangle(self._box(box), fill=fill, outline=outline, width=width * K)
        else:
            self.d.rounded_rectangle(self._box(box), radius=r * K, fill=fill,
                                     outline=outline, width=int(width * K))

    def grad_rrect(self, box, r, top, bottom, outline=None):
        mask = Image.new('L', self.big.size, 0)
        md = ImageDraw.Draw(mask)
        if r <= 0:
            md.rectangle(self._box(box), fill=255)
        else:
            md.rounded_rectangle(self._box(box), radius=r * K, fill=255)
        grad = Image.new('RGB', self.big.size)
        x0, y0, x1, y1 = self._box(box)
        vgradient(grad, (0, y0, grad.width, y1 + 1), top, bottom)
        self.big.paste(grad, (0, 0), mask)
        if outline is not None:
            self.rrect(box, r, outline=outline)

    def polygon(self, pts, fill):
        self.d.polygon(self._pts(pts), fill=fill)

    def line(self, pts, fill, width=1.0, joint='curve'):
        self.d.line(self._pts(pts), fill=fill, width=int(round(width * K)), joint=joint)

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        x0, y0, x1, y1 = box
        self.d.ellipse([x0 * K, y0 * K, x1 * K - 1, y1 * K - 1], fill=fill, outline=outline,
                       width=int(round(width * K)))

    def arc(self, box, start, end, fill, width=1.0):
        x0, y0, x1, y1 = box
        self.d.arc([x0 * K, y0 * K, x1 * K - 1, y1 * K - 1], start, end, fill=fill,
                   width=int(round(width * K)))

    def dot(self, cx, cy, r, fill):
        self.d.ellipse([(cx - r) * K, (cy - r) * K, (cx + r) * K - 1, (cy + r) * K - 1], fill=fill)


def new(w, h, fill):
    return Image.new('RGB', (w, h), fill)


# --------------------------------------------------------------------------------------
# Shared pieces of the look


def header_row(y):
    """Colour of row y of the title strip shared by the main window, the finder and the
    home-page box (row 0 is the window edge, row 34 the strip's lower rule)."""
    if y <= 0:
        return BORDER
    if y >= 34:
        return HEAD_LINE
    return lerp(HEAD_TOP, HEAD_BOT, (y - 1) / 32)


def paint_header(img, x0, x1, rows=35):
    d = ImageDraw.Draw(img)
    for y in range(rows):
        d.line([(x0, y), (x1 - 1, y)], fill=header_row(y))


def emblem(size, badge=False):
    """The product mark: a blue rounded square with a white Z (RGBA, size x size).
    The updater's mark adds a green download badge."""
    s = size * 8
    img = Image.new('RGBA', (s, s), (0, 0, 0, 0))
    mask = Image.new('L', (s, s), 0)
    r = max(2, round(size * 0.22)) * 8
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, s - 1, s - 1], radius=r, fill=255)
    grad = Image.new('RGB', (s, s))
    vgradient(grad, (0, 0, s, s), (86, 152, 214), (30, 80, 138))
    img.paste(grad, (0, 0), mask)
    d = ImageDraw.Draw(img)
    z = [(0.26, 0.22), (0.76, 0.22), (0.76, 0.35), (0.45, 0.65), (0.76, 0.65), (0.76, 0.78),
         (0.24, 0.78), (0.24, 0.65), (0.55, 0.35), (0.26, 0.35)]
    if size <= 16:   # thicker strokes so the small icon stays readable
        z = [(0.20, 0.16), (0.80, 0.16), (0.80, 0.34), (0.48, 0.66), (0.80, 0.66),
             (0.80, 0.84), (0.20, 0.84), (0.20, 0.66), (0.52, 0.34), (0.20, 0.34)]
    d.polygon([(x * s, y * s) for x, y in z], fill=(255, 255, 255, 255))
    if badge:
        b0 = 0.46 * s
        d.ellipse([b0 - 0.04 * s, b0 - 0.04 * s, s - 1, s - 1], fill=(255, 255, 255, 255))
        d.ellipse([b0, b0, s - 1 - 0.02 * s, s - 1 - 0.02 * s], fill=GREEN + (255,))
        cx = (b0 + s - 0.02 * s) / 2
        a = [(cx - 0.07 * s, 0.56 * s), (cx + 0.07 * s, 0.56 * s), (cx + 0.07 * s, 0.72 * s),
             (cx + 0.16 * s, 0.72 * s), (cx, 0.88 * s), (cx - 0.16 * s, 0.72 * s),
             (cx - 0.07 * s, 0.72 * s)]
        d.polygon(a, fill=(255, 255, 255, 255))
    return img.resize((size, size), Image.BOX)


def paste_rgba(img, rgba, x, y):
    img.paste(rgba, (x, y), rgba)


def logo(img, x, y, size, text_font, where, text='Zelora', color=INK, max_right=None):
    paste_rgba(img, emblem(size), x, y)
    tx = x + size + 6
    w, _ = text_size(text, text_font)
    right = max_right if max_right is not None else tx + w + 2
    return draw_text(img, (tx, y - 3, right, y + size + 3), text, text_font, color,
                     align='left', where=where)


# --------------------------------------------------------------------------------------
# Painters. Each returns a function of the table entry that draws the picture.

_cache = {}


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


def crop_finder_band(x, y, right_aligned=False):
    def get(e):
        band = finder_band(FINDER_PREVIEW_W)
        left = FINDER_PREVIEW_W - x if right_aligned else x
        return band.crop((left, y, left + e.w, y + e.h))
    return get


def section_title(e):
    """18-pixel section title: accent tick, bold caption, hairline to the end."""
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 3, 2, 14], fill=ACCENT)
    ink = draw_text(img, (8, 0, e.w - 1, e.h), e.caption, bold(12), INK, align='left',
                    where=e.rid)
    if e.w - ink[2] >= 16:
        d.line([(ink[2] + 8, 10), (e.w - 1, 10)], fill=RULE)
    return img


def banner(e):
    """408 x 13 page banner: 'group › page' in small type, then a rule to the end."""
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 2, 2, 10], fill=ACCENT)
    parts = [p.strip() for p in e.caption.split('›')]
    x = 10
    for i, part in enumerate(parts):
        last = i == len(parts) - 1
        f = bold(11) if last else regular(11)
        w, _ = text_size(part, f)
        ink = draw_text(img, (x, 0, x + w + 2, e.h), part, f, INK if last else INK_SOFT,
                        align='left', where=e.rid)
        x = ink[2]
        if not last:
            with Fine(img) as fine:     # a small chevron between the levels
                fine.line([(x + 5, 4), (x + 8, 6.5), (x + 5, 9)], INK_FAINT, 1.2)
            x += 13
    if e.w - x < 20:
        raise AssertionError(f'{e.rid}: banner caption leaves no room for its rule')
    d.line([(x + 8, 7), (e.w - 1, 7)], fill=RULE)
    return img


def button_face(img, state, variant, r):
    w, h = img.size
    with Fine(img) as fine:
        box = (0, 0, w, h)
        if variant == 'primary':
            if state == PRESSED:
                fine.grad_rrect(box, r, ACCENT_DK, ACCENT, outline=ACCENT_DK)
            elif state == HOVER:
                fine.grad_rrect(box, r, (122, 178, 228), ACCENT_HI, outline=ACCENT)
            elif state == DISABLED:
                fine.grad_rrect(box, r, (232, 235, 239), (220, 224, 230), outline=(192, 198, 206))
            else:
                fine.grad_rrect(box, r, ACCENT_HI, ACCENT, outline=ACCENT_DK)
        else:
            if state == PRESSED:
                fine.grad_rrect(box, r, (204, 213, 225), (222, 228, 236), outline=ACCENT)
            elif state == HOVER:
                fine.grad_rrect(box, r, WHITE, ACCENT_TINT, outline=ACCENT_HI)
            elif state == DISABLED:
                fine.grad_rrect(box, r, (244, 245, 247), (235, 237, 240), outline=(204, 208, 214))
            else:
                fine.grad_rrect(box, r, FACE_TOP, FACE_BOT, outline=FACE_LINE)
    if variant == 'primary':
        return {PRESSED: (226, 236, 248), DISABLED: INK_FAINT}.get(state, WHITE)
    return {HOVER: ACCENT_DK, PRESSED: ACCENT_DK, DISABLED: INK_FAINT}.get(state, INK)


def draw_icon(img, icon, x, y, color):
    """Small glyphs beside captions, 12 x 12 with (x, y) the top-left corner."""
    with Fine(img) as fine:
        if icon == 'search':
            fine.ellipse((x + 0.5, y + 0.5, x + 9, y + 9), outline=color, width=1.7)
            fine.line([(x + 7.8, y + 7.8), (x + 11.5, y + 11.5)], color, 2.2)
        elif icon == 'pin':       # a map pin: where the cinemas are
            fine.ellipse((x + 1.5, y, x + 10.5, y + 9), fill=color)
            fine.polygon([(x + 2.2, y + 6), (x + 9.8, y + 6), (x + 6, y + 12)], color)
            fine.dot(x + 6, y + 4.5, 1.8, img.getpixel((x, y)))
        elif icon == 'home':
            fine.polygon([(x + 6, y + 0.5), (x + 12, y + 6), (x + 10.5, y + 6), (x + 10.5, y + 11.5),
                          (x + 1.5, y + 11.5), (x + 1.5, y + 6), (x, y + 6)], color)
        elif icon in ('export', 'import'):  # an arrow out of, or into, an open tray
            fine.line([(x + 0.8, y + 7), (x + 0.8, y + 11.2), (x + 11.2, y + 11.2), (x + 11.2, y + 7)],
                      color, 1.6, joint=None)
            fine.line([(x + 6, y + 0.5), (x + 6, y + 8)], color, 1.7)
            if icon == 'export':
                fine.polygon([(x + 2.4, y + 4), (x + 9.6, y + 4), (x + 6, y)], color)
            else:
                fine.polygon([(x + 2.4, y + 5.2), (x + 9.6, y + 5.2), (x + 6, y + 9.2)], color)
        elif icon == 'reset':
            fine.arc((x + 1, y + 1, x + 12, y + 12), 200, 495, color, 1.7)
            fine.polygon([(x - 0.3, y + 2.2), (x + 5.2, y + 1.6), (x + 2.6, y + 6.8)], color)
        else:
            raise AssertionError('unknown icon ' + icon)


def push_button(backdrop, state, variant='plain', icon=None, radius=4, font_size=12):
    """An image button with a Korean caption: normal, hover (lighter, outlined in the
    accent), pressed (darker, caption shifted down-right), disabled (greyed)."""
    def paint(e):
        img = backdrop(e)
        ink_color = button_face(img, state, variant, radius)
        shift = 1 if state == PRESSED else 0
        f = bold(font_size)
        tw, _ = text_size(e.caption, f)
        gap = 4
        total = tw + (12 + gap if icon else 0)
        x = (e.w - total) // 2 + shift
        if x < 3:
            raise AssertionError(f'{e.rid}: caption and icon wider than the button')
        if icon:
            draw_icon(img, icon, x, (e.h - 12) // 2 + shift, ink_color)
            x += 12 + gap
        draw_text(img, (x, 2, e.w - 2, e.h - 2), e.caption, f, ink_color, align='left',
                  where=e.rid, dy=shift)
        return img
    return paint


def glyph_button(backdrop, state, glyph, danger=False, area=None):
    """Window buttons (minimize, maximize, close) hanging from the title strip."""
    def paint(e):
        img = backdrop(e)
        aw, ah = area or (e.w, e.h)
        color = INK_SOFT
        with Fine(img) as fine:
            box = (1, 1, aw - 1, ah - 1)
            if state == HOVER:
                if danger:
                    fine.grad_rrect(box, 3, (222, 84, 84), RED, outline=RED_DK)
                    color = WHITE
                else:
                    fine.grad_rrect(box, 3, WHITE, ACCENT_TINT, outline=ACCENT_HI)
                    color = ACCENT_DK
            elif state == PRESSED:
                if danger:
                    fine.grad_rrect(box, 3, RED_DK, (176, 44, 44), outline=RED_DK)
                else:
                    fine.grad_rrect(box, 3, ACCENT_DK, ACCENT, outline=ACCENT_DK)
                color = WHITE
            cx, cy = aw / 2, ah / 2 + 0.5
            if state == PRESSED:
                cx, cy = cx + 0.5, cy + 0.5
            if glyph == 'close':
                fine.line([(cx - 4, cy - 4), (cx + 4, cy + 4)], color, 1.7)
                fine.line([(cx - 4, cy + 4), (cx + 4, cy - 4)], color, 1.7)
            elif glyph == 'minimize':
                fine.rrect((cx - 4.5, cy + 2, cx + 4.5, cy + 4), 0, fill=color)
            elif glyph == 'maximize':
                fine.rrect((cx - 4.5, cy - 4, cx + 4.5, cy + 4.5), 0, outline=color, width=1)
                fine.rrect((cx - 4.5, cy - 4, cx + 4.5, cy - 2), 0, fill=color)
        return img
    return paint


# Menu buttons ------------------------------------------------------------------------

def menu_button(kind, dark, expanded=False, hover=False):
    """Left-menu buttons on the panel. Top-level buttons carry a small arrow, group
    buttons a plus box (collapsed) or minus box (expanded), items a bullet. Hover and
    selected images are the dark ones; the expanded-hover image is a lighter dark."""
    def paint(e):
        img = new(e.w, e.h, PANEL)
        h = e.h
        if kind == 'item':
            with Fine(img) as fine:
                if dark:
                    fine.grad_rrect((0, 0, e.w, h), 3, ACCENT_HI, ACCENT, outline=ACCENT_DK)
                else:
                    fine.grad_rrect((0, 0, e.w, h), 3, (246, 248, 251), (236, 240, 245),
                                    outline=(199, 207, 218))
                fine.dot(6.5, h / 2, 1.6, WHITE if dark else ACCENT_HI)
            draw_text(img, (12, 1, e.w - 2, h - 1), e.caption, regular(11),
                      WHITE if dark else INK, align='left', where=e.rid)
            return img
        with Fine(img) as fine:
            if dark and hover:
                fine.grad_rrect((0, 0, e.w, h), 3, ACCENT_LT, ACCENT_HI, outline=ACCENT_DK)
            elif dark:
                fine.grad_rrect((0, 0, e.w, h), 3, ACCENT_HI, ACCENT_DK, outline=ACCENT_DK)
            else:
                fine.grad_rrect((0, 0, e.w, h), 3, WHITE, (234, 238, 243), outline=(170, 180, 194))
            mark = WHITE if dark else ACCENT
            if kind == 'top':
                cy = h / 2
                fine.polygon([(7, cy - 3.5), (11.5, cy), (7, cy + 3.5)], mark)
            else:
                bx, by = 5, (h - 9) // 2
                if dark:
                    fine.rrect((bx, by, bx + 9, by + 9), 1, outline=WHITE)
                else:
                    fine.rrect((bx, by, bx + 9, by + 9), 1, fill=WHITE, outline=(110, 124, 142))
                sign = WHITE if dark else INK
                fine.rrect((bx + 2, by + 4, bx + 7, by + 5), 0, fill=sign)
                if not expanded:
                    fine.rrect((bx + 4, by + 2, bx + 5, by + 7), 0, fill=sign)
        draw_text(img, (19, 1, e.w - 3, h - 1), e.caption, bold(12),
                  WHITE if dark else INK, align='left', where=e.rid)
        return img
    return paint


# Slider strips ------------------------------------------------------------------------

def hstrip(travel, live):
    """Horizontal slider strip: the program copies a slider-wide window starting at
    x = travel - knob position, so the knob sits at x = travel .. travel + 10 and the
    track runs through the whole strip (filled to the left of the knob)."""
    def paint(e):
        img = new(e.w, e.h, PAGE)
        filled = ACCENT_HI if live else (178, 182, 188)
        empty = (196, 203, 212) if live else (212, 212, 212)
        d = ImageDraw.Draw(img)
        d.rectangle([0, 8, travel - 1, 11], fill=filled)
        d.line([(0, 8), (travel - 1, 8)], fill=ACCENT if live else (166, 170, 176))
        d.rectangle([travel + 11, 8, e.w - 1, 11], fill=empty)
        d.line([(travel + 11, 8), (e.w - 1, 8)], fill=(176, 184, 195) if live else (198, 198, 198))
        with Fine(img) as fine:
            box = (travel, 3, travel + 11, 17)
            if live:
                fine.grad_rrect(box, 2, WHITE, (218, 225, 234), outline=(88, 104, 124))
            else:
                fine.grad_rrect(box, 2, (246, 246, 246), (228, 228, 228), outline=(176, 176, 176))
        d.line([(travel + 5, 7), (travel + 5, 12)], fill=ACCENT if live else (180, 180, 180))
        return img
    return paint


def vstrip(travel, live):
    """Vertical level strip: the program copies from row travel - knob position, so the
    knob (11 rows) sits at rows travel .. travel + 10, centred in the strip; the track
    below the knob is the filled part."""
    def paint(e):
        img = new(e.w, e.h, PAGE)
        filled = ACCENT_HI if live else (178, 182, 188)
        empty = (196, 203, 212) if live else (212, 212, 212)
        d = ImageDraw.Draw(img)
        d.rectangle([8, 0, 11, travel - 1], fill=empty)
        d.line([(8, 0), (8, travel - 1)], fill=(176, 184, 195) if live else (198, 198, 198))
        d.rectangle([8, travel + 11, 11, e.h - 1], fill=filled)
        d.line([(8, travel + 11), (8, e.h - 1)], fill=ACCENT if live else (166, 170, 176))
        with Fine(img) as fine:
            box = (1, travel, 19, travel + 11)
            if live:
                fine.grad_rrect(box, 2, WHITE, (218, 225, 234), outline=(88, 104, 124))
            else:
                fine.grad_rrect(box, 2, (246, 246, 246), (228, 228, 228), outline=(176, 176, 176))
        d.line([(5, travel + 5), (14, travel + 5)], fill=ACCENT if live else (180, 180, 180))
        return img
    return paint


# Scales and panels behind the page-painted sliders ------------------------------------

def ticks(d, x, y, length, color):
    d.line([(x, y), (x, y + length - 1)], fill=color)


def divx_large_scale(e):
    """Scales under the deblock, dering and warmth sliders. Picture x equals the knob
    position, so each tick sits under the knob centre of the value it marks; the bands
    between are covered by the sliders themselves."""
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    f = regular(10)
    scales = [  # band top, maximum, pixels per value (the page's own factor), step, label every
        (0, 15, 15.533333333333333, 1, 5),
        (40, 48, 4.854166666666667, 4, 12),
        (80, 4, 58.25, 1, None),
    ]
    for top, maximum, factor, step, label_every in scales:
        for v in range(0, maximum + 1, step):
            x = int(v * factor)
            major = label_every is None or v % label_every == 0
            ticks(d, x, top + 1, 5 if major else 3, INK_SOFT if major else INK_FAINT)
            if label_every is not None and v % label_every == 0:
                s = str(v)
                tw, _ = text_size(s, f)
                lx = min(max(x - tw // 2, 0), e.w - tw - 1)
                draw_text(img, (lx, top + 7, lx + tw + 1, top + 19), s, f, INK_SOFT,
                          align='left', where=e.rid)
    return img


def divx_small_scale(e):
    """Scales under brightness, contrast and saturation: the long centre tick marks the
    decoder's neutral 0, the ends carry a minus and a plus."""
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    for top in (0, 30, 65):
        for v in (-128, -64, 0, 64, 127):
            x = int((v + 129) * 0.3803921568627451)
            length = 6 if v == 0 else 4 if v in (-128, 127) else 3
            ticks(d, x, top + 1, length, INK_SOFT if v in (-128, 0, 127) else INK_FAINT)
        with Fine(img) as fine:
            y = top + 5
            fine.rrect((4, y - 0.7, 10, y + 0.7), 0, fill=INK_SOFT)
            fine.rrect((e.w - 11, y - 0.7, e.w - 5, y + 0.7), 0, fill=INK_SOFT)
            fine.rrect((e.w - 8.7, y - 3, e.w - 7.3, y + 3), 0, fill=INK_SOFT)
    return img


def edit_frame(e):
    """Frame behind one 18 x 13 level edit, which the page puts 8 px in and 6 px down."""
    img = new(e.w, e.h, PAGE)
    with Fine(img) as fine:
        fine.rrect((5, 4, 30, 22), 3, fill=(214, 218, 224))
        fine.rrect((5, 3, 30, 21), 3, fill=EDIT_BG, outline=(186, 170, 120))
        fine.polygon([(14.5, 3.2), (17.5, 0.5), (20.5, 3.2)], (186, 170, 120))
    return img


def fit_font(labels, widths_for, sizes=(10, 9, 8)):
    for size in sizes:
        if widths_for(bold(size)):
            return bold(size)
    raise AssertionError(f'labels {labels} do not fit at any size')


def level_panel(columns, top_row, travel, scale, names, groups=(), visible_rows=None,
                label_scale=False):
    """Panel behind a row of vertical level sliders: channel names above each slider,
    ticks beside each track at the knob rows of the scale marks, and optionally the
    decibel scale at the left. columns are the slider centre x in picture pixels,
    top_row the knob-centre row at the top of the travel, scale a list of (knob
    position, label, major)."""
    def paint(e):
        img = new(e.w, e.h, PAGE)
        d = ImageDraw.Draw(img)
        rows = visible_rows or e.h
        name_row = (1, 12) if not groups else (13, 24)

        def fits(f):
            spans = []
            for cx, name in zip(columns, names):
                w, _ = text_size(name, f)
                x = cx - w // 2
                if x < 0 or x + w > e.w:
                    return False
                spans.append((x, x + w))
            return all(spans[i][1] + 3 <= spans[i + 1][0] for i in range(len(spans) - 1))
        f = fit_font(names, fits)
        for cx, name in zip(columns, names):
            w, _ = text_size(name, f)
            draw_text(img, (cx - w // 2 - 1, name_row[0], cx - w // 2 + w + 2, name_row[1]),
                      name, f, INK, align='center', where=e.rid)
        for first, last, name in groups:
            x0, x1 = columns[first] - 12, columns[last] + 12
            gf = bold(9)
            draw_text(img, (x0, 0, x1, 11), name, gf, ACCENT, where=e.rid)
            d.line([(x0, 12), (x1, 12)], fill=ACCENT_LT)
            d.line([(x0, 12), (x0, 14)], fill=ACCENT_LT)
            d.line([(x1, 12), (x1, 14)], fill=ACCENT_LT)
        for cx in columns:
            for p, label, major in scale:
                y = top_row + p
                if y >= rows:
                    y = rows - 1
                length = 5 if major else 3
                d.line([(cx + 11, y), (cx + 10 + length, y)], fill=INK_SOFT if major else INK_FAINT)
        if label_scale:
            lf = regular(9)
            for p, label, major in scale:
                if not label:
                    continue
                y = top_row + p
                y0 = min(max(y - 5, 0), rows - 10)
                draw_text(img, (0, y0, columns[0] - 12, y0 + 10), label, lf, INK_SOFT,
                          align='right', where=e.rid)
            draw_text(img, (0, 1, 14, 12), 'dB', bold(9), INK_SOFT, align='left', where=e.rid)
        if visible_rows:
            # Only the top rows are copied onto the page; keep the rest plain.
            d.rectangle([0, visible_rows, e.w - 1, e.h - 1], fill=PAGE)
        return img
    return paint


# --------------------------------------------------------------------------------------
# Main window

MAIN_W, MAIN_H = 588, 608
CONTENT = (162, 50, 582, 550)      # where the pages are placed (x, y, right, bottom)
SETTINGS_EXPORT = (25, 503, 113, 26)  # x, y, width, height of the settings file images
SETTINGS_IMPORT = (25, 534, 113, 26)
VERSION_AREA = (120, 10, 260, 26)  # the program draws its version text here


def main_background(e):
    img = new(e.w, e.h, WIN_BG)
    d = ImageDraw.Draw(img)
    paint_header(img, 0, e.w)
    # Left menu panel.
    d.rectangle([0, 35, 149, e.h - 1], fill=PANEL)
    d.line([(150, 35), (150, e.h - 1)], fill=PANEL_LINE)
    draw_text(img, (25, 44, 140, 60), '설정 메뉴', bold(11), INK_SOFT, align='left', where=e.rid)
    d.line([(25, 62), (137, 62)], fill=PANEL_LINE)
    foot = '코덱 · 자막 설정'
    draw_text(img, (14, e.h - 28, 140, e.h - 12), foot, regular(11), INK_FAINT, align='left',
              where=e.rid)
    # Content panel, one pixel of frame around the page area.
    x0, y0, x1, y1 = CONTENT
    d.rectangle([x0 - 2, y0 - 2, x1 + 1, y1 + 1], outline=(226, 229, 234))
    d.rectangle([x0 - 1, y0 - 1, x1, y1], outline=(178, 186, 197), fill=PAGE)
    # Logo and subtitle in the drag strip; the version text goes between them.
    ink = logo(img, 10, 7, 21, font('NanumSquareB', 17), e.rid, max_right=VERSION_AREA[0])
    assert ink[2] < VERSION_AREA[0]
    draw_text(img, (270, 9, 500, 27), '코덱 통합 설정 센터', regular(12), INK_SOFT,
              align='left', where=e.rid)
    # Window edge (the window has no system frame).
    d.rectangle([0, 0, e.w - 1, e.h - 1], outline=BORDER)
    # The version text area must stay plain title strip.
    for y in range(VERSION_AREA[1], VERSION_AREA[3]):
        for x in range(VERSION_AREA[0], VERSION_AREA[2]):
            if img.getpixel((x, y)) != header_row(y):
                raise AssertionError(f'{e.rid}: something drawn over the version text area')
    return img


# --------------------------------------------------------------------------------------
# Finder window

FINDER_PREVIEW_W, FINDER_PREVIEW_H = 800, 560
TOOLBAR_LABELS = ['뒤로', '앞으로', '중지', '새로고침', '홈', '사랑방', '이야기방']
TOOLBAR_X = [19, 71, 123, 175, 227, 279, 331]   # left edges of the 36-pixel buttons


def band_row(y):
    """Colour of row y of the finder's 136-row header band (uniform across a row)."""
    if y < 35:
        return header_row(y)
    if y < 91:
        return lerp(TOOL_TOP, TOOL_BOT, (y - 35) / 55)
    if y == 91:
        return (208, 215, 224)
    if y < 135:
        return SEARCH_BG
    return FRAME_LINE


def band_piece(e):
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    for y in range(e.h):
        d.line([(0, y), (e.w - 1, y)], fill=band_row(y))
    return img


def finder_header_left(e):
    img = band_piece(e)
    logo(img, 10, 7, 20, bold(13), e.rid, text='영화찾기', max_right=e.w - 2)
    return img


def finder_header_right(e):
    return band_piece(e)


def finder_toolbar_labels(e):
    """Band rows 42-83 between x 28 and 376: the captions under the seven toolbar
    buttons (the buttons themselves are drawn on top, rows 0-28)."""
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    for y in range(e.h):
        d.line([(0, y), (e.w - 1, y)], fill=band_row(y + 42))
    f = regular(10)
    for x, label in zip(TOOLBAR_X, TOOLBAR_LABELS):
        # Centred under its button; the first starts left of this picture, so its
        # caption is pushed in just enough to stay inside.
        tw, _ = text_size(label, f)
        lx = max(0, x + 18 - 28 - tw // 2)
        draw_text(img, (lx, 30, lx + tw + 1, 42), label, f, INK_SOFT, align='left', where=e.rid)
    # A divider between the browser buttons and the product's own pages.
    sx = (175 + 36 + 227) // 2 - 28
    d.line([(sx, 2), (sx, 26)], fill=(206, 213, 222))
    return img


def finder_info_label(e):
    img = new(e.w, e.h, PAGE)
    d = ImageDraw.Draw(img)
    for y in range(e.h):
        d.line([(0, y), (e.w - 1, y)], fill=band_row(y + 73))
    draw_text(img, (0, 0, e.w, e.h), '프로그램 정보', regular(10), INK_SOFT, where=e.rid)
    return img


def frame_piece(kind):
    """Frame around the browser view: the search-row colour, with the band's lower rule
    continued as a one-pixel line along the view's edge."""
    line_at = {'left': (11, 0), 'right': (0, 0), 'bottom': (0, 0),
               'bottom-left': (11, 0), 'bottom-right': (0, 0)}[kind]

    def paint(e):
        img = new(e.w, e.h, SEARCH_BG)
        ImageDraw.Draw(img).point(line_at, fill=FRAME_LINE)
        return img
    return paint


def finder_band(w):
    """The header band as the finder paints it for a client width w."""
    band = new(w, 136, PAGE)
    band.paste(render(ZELORA, 268), (0, 0))
    band.paste(render(ZELORA, 269), (w - 96, 0))
    col = render(ZELORA, 267)
    for x in range(116, w - 96):
        band.paste(col, (x, 0))
    band.paste(render(ZELORA, 262), (28, 42))
    band.paste(render(ZELORA, 263), (w - 89, 73))
    return band


def tool_button(x, y, state, glyph, right_aligned=False):
    """36 x 36 toolbar button of the finder."""
    backdrop = crop_finder_band(x, y, right_aligned)

    def paint(e):
        img = backdrop(e)
        shift = 1 if state == PRESSED else 0
        with Fine(img) as fine:
            if state == HOVER:
                fine.grad_rrect((1, 1, 35, 35), 5, WHITE, ACCENT_TINT, outline=ACCENT_HI)
            elif state == PRESSED:
                fine.grad_rrect((1, 1, 35, 35), 5, (200, 212, 228), (220, 228, 238), outline=ACCENT)
            draw_tool_glyph(fine, glyph, 18 + shift, 18 + shift)
        return img
    return paint


def draw_tool_glyph(fine, glyph, cx, cy):
    c = ACCENT_DK
    if glyph in ('back', 'forward'):
        fine.ellipse((cx - 10, cy - 10, cx + 10, cy + 10), fill=ACCENT_HI)
        fine.ellipse((cx - 10, cy - 10, cx + 10, cy + 10), outline=ACCENT, width=1)
        sgn = -1 if glyph == 'back' else 1
        fine.line([(cx - 5 * sgn, cy), (cx + 5 * sgn, cy)], WHITE, 2.4)
        fine.line([(cx + 0.5 * sgn, cy - 5), (cx + 5.5 * sgn, cy), (cx + 0.5 * sgn, cy + 5)],
                  WHITE, 2.4)
    elif glyph == 'stop':
        r = 9
        pts = [(cx + r * math.cos(math.radians(22.5 + 45 * i)),
                cy + r * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
        fine.polygon(pts, RED)
        fine.line([(cx - 3.5, cy - 3.5), (cx + 3.5, cy + 3.5)], WHITE, 2.2)
        fine.line([(cx - 3.5, cy + 3.5), (cx + 3.5, cy - 3.5)], WHITE, 2.2)
    elif glyph == 'refresh':
        r, end = 8, 315
        fine.arc((cx - r, cy - r, cx + r, cy + r), 25, end, GREEN, 2.6)
        a = math.radians(end)
        px, py = cx + r * math.cos(a), cy + r * math.sin(a)
        tx, ty = -math.sin(a), math.cos(a)          # clockwise tangent
        nx, ny = math.cos(a), math.sin(a)           # outward normal
        fine.polygon([(px + tx * 5, py + ty * 5), (px - tx * 1.5 + nx * 4.5, py - ty * 1.5 + ny * 4.5),
                      (px - tx * 1.5 - nx * 4.5, py - ty * 1.5 - ny * 4.5)], GREEN)
    elif glyph == 'home':
        fine.polygon([(cx, cy - 10), (cx + 11, cy), (cx + 8, cy), (cx + 8, cy + 9),
                      (cx - 8, cy + 9), (cx - 8, cy), (cx - 11, cy)], c)
        fine.rrect((cx - 2.5, cy + 2, cx + 2.5, cy + 9), 0, fill=WHITE)
    elif glyph == 'love':
        fine.rrect((cx - 10, cy - 9, cx + 10, cy + 6), 4, fill=ACCENT_HI)
        fine.polygon([(cx - 5, cy + 5), (cx - 7, cy + 10), (cx + 1, cy + 5)], ACCENT_HI)
        fine.dot(cx - 2.4, cy - 3, 2.9, WHITE)
        fine.dot(cx + 2.4, cy - 3, 2.9, WHITE)
        fine.polygon([(cx - 5.2, cy - 2), (cx + 5.2, cy - 2), (cx, cy + 3.6)], WHITE)
    elif glyph == 'talk':
        fine.rrect((cx - 11, cy - 9, cx + 4, cy + 3), 4, fill=ACCENT_HI)
        fine.polygon([(cx - 8, cy + 2), (cx - 9, cy + 7), (cx - 3, cy + 2)], ACCENT_HI)
        fine.rrect((cx - 3, cy - 3, cx + 11, cy + 8), 4, fill=WHITE, outline=ACCENT, width=1.5)
        fine.polygon([(cx + 5, cy + 7), (cx + 9, cy + 11), (cx + 8, cy + 7)], ACCENT)
        for i in range(3):
            fine.dot(cx + 0.8 + i * 3.2, cy + 2.5, 0.9, ACCENT)
    elif glyph == 'info':
        fine.ellipse((cx - 10, cy - 10, cx + 10, cy + 10), fill=ACCENT_HI)
        fine.dot(cx, cy - 5, 1.6, WHITE)
        fine.rrect((cx - 1.3, cy - 1.5, cx + 1.3, cy + 6.5), 0, fill=WHITE)
    else:
        raise AssertionError('unknown glyph ' + glyph)


# --------------------------------------------------------------------------------------
# Home-page box (the finder's about box)

HOME_W, HOME_H = 358, 418


def home_box_background(e):
    img = new(e.w, e.h, WIN_BG)
    d = ImageDraw.Draw(img)
    paint_header(img, 0, e.w)
    draw_text(img, (12, 9, 300, 27), 'Zelora 영화찾기 정보', bold(12), INK, align='left',
              where=e.rid)
    # Picture area (the top 136 rows drag the box).
    vgradient(img, (1, 35, e.w - 1, 136), (236, 243, 251), (214, 227, 242))
    d.line([(1, 136), (e.w - 2, 136)], fill=(196, 208, 222))
    paste_rgba(img, emblem(56), 24, 52)
    draw_text(img, (94, 50, 340, 76), 'Zelora 영화찾기', bold(20), ACCENT_DK, align='left',
              where=e.rid)
    draw_text(img, (95, 80, 340, 96), '버전 1.0', regular(12), INK_SOFT, align='left',
              where=e.rid)
    draw_text(img, (95, 100, 340, 118), '자막 · 영화정보 · 예매를 한 곳에서', regular(12),
              INK, align='left', where=e.rid)
    # Description card.
    with Fine(img) as fine:
        fine.rrect((16, 150, e.w - 16, 320), 6, fill=WHITE, outline=(206, 213, 222))
    lines = [
        ('영화 제목 하나로 자막파일, 영화정보,', regular(12), INK),
        ('영화예매 사이트를 찾아 보여 줍니다.', regular(12), INK),
    ]
    y = 162
    for text, f, color in lines:
        draw_text(img, (30, y, e.w - 30, y + 16), text, f, color, align='left', where=e.rid)
        y += 19
    items = [
        ('자막파일 검색', '자막 사이트 6곳'),
        ('영화정보 검색', '영화 정보 사이트 6곳'),
        ('영화예매 검색', '예매 사이트 3곳'),
        ('빠른 검색', '사이트만 골라도 바로 검색'),
    ]
    y = 212
    for name, text in items:
        with Fine(img) as fine:
            fine.dot(34, y + 8, 2.2, ACCENT_HI)
        draw_text(img, (42, y, 130, y + 16), name, bold(12), ACCENT_DK, align='left', where=e.rid)
        draw_text(img, (130, y, e.w - 28, y + 16), text, regular(12), INK, align='left',
                  where=e.rid)
        y += 24
    # Footer beside the OK button.
    d.line([(12, 364), (e.w - 13, 364)], fill=RULE)
    draw_text(img, (16, 378, 250, 394), '© Zelora. All rights reserved.', regular(11),
              INK_FAINT, align='left', where=e.rid)
    d.rectangle([0, 0, e.w - 1, e.h - 1], outline=BORDER)
    return img


# --------------------------------------------------------------------------------------
# Intro page picture

def intro_picture(e):
    img = new(e.w, e.h, PAGE)
    with Fine(img) as fine:
        fine.grad_rrect((10, 0, e.w - 10, 118), 8, (76, 138, 198), (36, 88, 146))
    paste_rgba(img, emblem(52), 30, 32)
    draw_text(img, (98, 26, 390, 52), 'Zelora 영화찾기', bold(20), WHITE, align='left',
              where=e.rid)
    draw_text(img, (99, 58, 390, 74), '영화 제목 하나로 자막, 영화 정보, 예매까지', regular(12),
              (226, 236, 248), align='left', where=e.rid)
    draw_text(img, (99, 78, 390, 94), '사이트 15곳을 한 창에서 찾아 봅니다.', regular(12),
              (226, 236, 248), align='left', where=e.rid)
    cards = [
        ('자막파일 검색', ['자막 사이트 6곳에서', '영화 자막을 찾습니다.'], 'caption'),
        ('영화정보 검색', ['줄거리, 배우, 평점 등', '영화 정보를 봅니다.'], 'info'),
        ('영화예매 검색', ['예매 사이트 3곳에서', '상영 시간을 확인합니다.'], 'ticket'),
    ]
    cw = (e.w - 20 - 2 * 8) // 3
    for i, (title, lines, glyph) in enumerate(cards):
        x = 10 + i * (cw + 8)
        with Fine(img) as fine:
            fine.rrect((x, 130, x + cw, 250), 6, fill=WHITE, outline=(206, 213, 222))
            fine.ellipse((x + cw // 2 - 17, 142, x + cw // 2 + 17, 176), fill=ACCENT_TINT)
            draw_intro_glyph(fine, glyph, x + cw / 2, 159)
        draw_text(img, (x + 4, 184, x + cw - 4, 202), title, bold(12), ACCENT_DK, where=e.rid)
        for j, line in enumerate(lines):
            draw_text(img, (x + 4, 206 + j * 18, x + cw - 4, 222 + j * 18), line, regular(11),
                      INK_SOFT, where=e.rid)
    # How to use it.
    with Fine(img) as fine:
        fine.rrect((10, 262, e.w - 10, e.h - 8), 6, fill=WHITE, outline=(206, 213, 222))
    draw_text(img, (26, 274, 300, 292), '사용 방법', bold(13), INK, align='left', where=e.rid)
    steps = [
        '아래의 [영화찾기] 버튼을 누릅니다.',
        '검색 분류와 사이트를 고릅니다.',
        '영화 제목을 입력하고 [검색]을 누릅니다.',
        '[빠른 검색 이용]을 켜면 사이트만 골라도 바로 찾습니다.',
    ]
    for i, step in enumerate(steps):
        y = 304 + i * 30
        with Fine(img) as fine:
            fine.dot(36, y + 9, 8, ACCENT_HI)
        draw_text(img, (28, y + 1, 45, y + 17), str(i + 1), bold(11), WHITE, where=e.rid)
        draw_text(img, (54, y + 1, e.w - 20, y + 17), step, regular(12), INK, align='left',
                  where=e.rid)
    return img


def draw_intro_glyph(fine, glyph, cx, cy):
    if glyph == 'caption':
        fine.rrect((cx - 11, cy - 8, cx + 11, cy + 8), 2, fill=ACCENT_HI)
        fine.rrect((cx - 7, cy + 1, cx + 7, cy + 3), 0, fill=WHITE)
        fine.rrect((cx - 5, cy + 4.5, cx + 5, cy + 6), 0, fill=WHITE)
    elif glyph == 'info':
        fine.rrect((cx - 11, cy - 8, cx + 11, cy + 8), 2, fill=ACCENT_HI)
        for i in range(3):
            fine.rrect((cx - 9 + i * 7, cy - 6, cx - 5 + i * 7, cy - 4), 0, fill=WHITE)
            fine.rrect((cx - 9 + i * 7, cy + 4, cx - 5 + i * 7, cy + 6), 0, fill=WHITE)
        fine.polygon([(cx - 2.5, cy - 3), (cx + 3.5, cy), (cx - 2.5, cy + 3)], WHITE)
    elif glyph == 'ticket':
        fine.rrect((cx - 12, cy - 7, cx + 12, cy + 7), 2, fill=ACCENT_HI)
        fine.dot(cx - 12, cy, 3, ACCENT_TINT)
        fine.dot(cx + 12, cy, 3, ACCENT_TINT)
        for i in range(4):
            fine.rrect((cx + 3.5, cy - 5 + i * 3, cx + 4.5, cy - 3.5 + i * 3), 0, fill=WHITE)
        fine.rrect((cx - 7, cy - 2.5, cx + 1, cy - 1), 0, fill=WHITE)
        fine.rrect((cx - 7, cy + 1, cx - 1, cy + 2.5), 0, fill=WHITE)


# --------------------------------------------------------------------------------------
# Updater window (client about 266 x 133 of the 272 x 139 pictures shows)

UPD_W, UPD_H = 272, 139
UPD_BODY = (248, 249, 251)
UPD_FOOT = (232, 236, 241)


def updater_background(title, lines, progress=False):
    def paint(e):
        img = new(e.w, e.h, UPD_BODY)
        d = ImageDraw.Draw(img)
        vgradient(img, (0, 0, e.w, 34), (236, 243, 251), (214, 227, 242))
        d.line([(0, 34), (e.w - 1, 34)], fill=(196, 208, 222))
        paste_rgba(img, emblem(22, badge=True), 12, 6)
        draw_text(img, (42, 6, 262, 28), 'Zelora 코덱 업데이트', bold(13), ACCENT_DK, align='left',
                  where=e.rid)
        draw_text(img, (15, 40, 262, 56), title, bold(12), INK, align='left', where=e.rid)
        for i, line in enumerate(lines):
            y = (60 if not progress else 85) + i * 18
            draw_text(img, (15, y, 262, y + 16), line, regular(12), INK_SOFT, align='left',
                      where=e.rid)
        if progress:
            # Trough under the bitmap progress bar (16, 75, 239 x 9); the name and size
            # texts are drawn by the program at y 57-75 and stay on the plain body.
            with Fine(img) as fine:
                fine.rrect((16, 75, 255, 84), 2, fill=(222, 227, 234), outline=(180, 189, 201))
        d.rectangle([0, 102, e.w - 1, e.h - 1], fill=UPD_FOOT)
        d.line([(0, 102), (e.w - 1, 102)], fill=(212, 218, 226))
        return img
    return paint


def progress_tile(e):
    """Tile of the bitmap progress bar: the program repeats it across the filled part,
    so columns are identical and the bar reads as one smooth gradient."""
    img = new(e.w, e.h, ACCENT)
    for y, c in enumerate([ACCENT_LT, (98, 156, 210), ACCENT_HI, (64, 126, 184), ACCENT,
                           (40, 96, 150), ACCENT_DK][:e.h]):
        ImageDraw.Draw(img).line([(0, y), (e.w - 1, y)], fill=c)
    return img


# --------------------------------------------------------------------------------------
# Icons (painters return {size: RGBA image})

def app_icon(badge):
    def paint(e):
        return {s: emblem(s, badge=badge) for s in e.sizes}
    return paint


def tick_icon(ticked):
    """List-row check marks. Pixel-exact edges (alpha is 0 or 255 only), so the icon
    looks the same through an image list's colour mask as through its alpha."""
    def paint(e):
        out = {}
        for s in e.sizes:
            img = Image.new('RGBA', (s, s), (0, 0, 0, 0))
            d = ImageDraw.Draw(img)
            o = (s - 14) // 2
            box = [o, o, o + 13, o + 13]
            if ticked:
                d.rectangle(box, fill=ACCENT + (255,), outline=ACCENT_DK + (255,))
            else:
                d.rectangle(box, fill=(255, 255, 255, 255), outline=(128, 138, 152, 255))
            for x, y in [(box[0], box[1]), (box[2], box[1]), (box[0], box[3]), (box[2], box[3])]:
                d.point((x, y), fill=(0, 0, 0, 0))
            if ticked:       # a two-pixel check mark, set pixel by pixel to stay crisp
                for k in range(4):
                    d.point([(o + 3 + k, o + 6 + k), (o + 3 + k, o + 7 + k)], fill=(255, 255, 255, 255))
                for k in range(5):
                    d.point([(o + 7 + k, o + 8 - k), (o + 7 + k, o + 9 - k)], fill=(255, 255, 255, 255))
            out[s] = img
        return out
    return paint


# --------------------------------------------------------------------------------------
# The table

class Entry:
    def __init__(self, kind, rid, w, h, program, role, caption, paint, sizes=None, note=None):
        self.kind, self.rid, self.w, self.h = kind, rid, w, h
        self.program, self.role, self.caption, self.paint = program, role, caption, paint
        self.sizes = sizes
        self.note = note

    def file_name(self):
        prefix = 'upd_' if self.program == UPDATE else ''
        return f'{prefix}{self.kind}_{self.rid}.{self.kind}'

    def programs(self):
        return (ZELORA, UPDATE) if self.program == BOTH else (self.program,)


def B(rid, w, h, program, role, caption, paint, note=None):
    return Entry('bmp', rid, w, h, program, role, caption, paint, note=note)


def I(rid, sizes, program, role, paint):
    return Entry('ico', rid, max(sizes), max(sizes), program, role, None, paint, sizes=sizes)


Z = ZELORA
U = UPDATE
P = plain(PAGE)


def main_at(x, y):
    return crop_of(ZELORA, 180, x, y)


def home_at(x, y):
    return crop_of(ZELORA, 316, x, y)


def upd_at(x, y):
    return crop_of(UPDATE, 131, x, y)


def hot_triple(ids, w, h, program, what, caption, backdrop, variant='plain', icon=None,
               font_size=12, order=(NORMAL, PRESSED, HOVER)):
    return [B(i, w, h, program, f'{what}, {state}', caption,
              push_button(backdrop, state, variant, icon, font_size=font_size))
            for i, state in zip(ids, order)]


def glyph_triple(ids, w, h, program, what, backdrop, glyph, danger=False, area=None,
                 order=(NORMAL, PRESSED, HOVER), note=None):
    return [B(i, w, h, program, f'{what}, {state}', None,
              glyph_button(backdrop, state, glyph, danger, area), note=note)
            for i, state in zip(ids, order)]


def tool_triple(ids, x, program, what, glyph, right_aligned=False):
    # ids in the order normal, hover, pressed (as the finder's table lists them)
    return [B(i, 36, 36, program, f'finder {what} button, {state}', None,
              tool_button(x, 35, state, glyph, right_aligned))
            for i, state in zip(ids, (NORMAL, HOVER, PRESSED))]


def menu_pair(normal, dark, w, what, caption, kind):
    return [B(normal, w, 18, Z, f'menu {what}, normal', caption, menu_button(kind, False)),
            B(dark, w, 18, Z, f'menu {what}, hover and selected', caption, menu_button(kind, True))]


def menu_group(normal, hover, expanded, expanded_hover, what, caption):
    return [
        B(normal, 113, 18, Z, f'menu group {what}, collapsed', caption,
          menu_button('group', False)),
        B(hover, 113, 18, Z, f'menu group {what}, collapsed hover', caption,
          menu_button('group', True)),
        B(expanded, 113, 18, Z, f'menu group {what}, expanded', caption,
          menu_button('group', True, expanded=True)),
        B(expanded_hover, 113, 18, Z, f'menu group {what}, expanded hover', caption,
          menu_button('group', True, expanded=True, hover=True)),
    ]


SKIN = [
    # --- Main window -------------------------------------------------------------------
    B(180, MAIN_W, MAIN_H, Z, 'main window background', None, main_background),
    *hot_triple((181, 182, 183), 57, 28, Z, 'main cancel', '취소', main_at(517, 567)),
    *glyph_triple((184, 185, 186), 23, 22, Z, 'main close', main_at(547, 0), 'close', danger=True),
    *glyph_triple((187, 188, 189), 23, 22, Z, 'main minimize', main_at(522, 0), 'minimize'),
    *hot_triple((190, 191, 192), 57, 28, Z, 'main OK', '확인', main_at(455, 567), 'primary'),
    *hot_triple((193, 194, 195), 88, 28, Z, 'main current defaults', '기본값 복원',
                main_at(362, 567), icon='reset'),
    *hot_triple((314, 312, 313), 80, 26, Z, 'main movie finder', '영화찾기', main_at(275, 567),
                icon='search'),
    # Two captions this wide do not fit left of the finder: they sit at the foot of the menu.
    *hot_triple((336, 337, 338), *SETTINGS_EXPORT[2:], Z, 'main settings export', '설정 내보내기',
                main_at(*SETTINGS_EXPORT[:2]), icon='export'),
    *hot_triple((339, 340, 341), *SETTINGS_IMPORT[2:], Z, 'main settings import', '설정 가져오기',
                main_at(*SETTINGS_IMPORT[:2]), icon='import'),

    # --- Menu buttons -------------------------------------------------------------------
    *menu_pair(204, 205, 113, 'Codec Connect', '코덱연결 설정', 'top'),
    *menu_pair(218, 219, 113, 'Codec Update', '코덱 업데이트', 'top'),
    *menu_group(220, 227, 223, 224, 'video', '비디오 설정'),
    *menu_pair(225, 226, 98, 'ffdshow video', 'FFDShow 비디오', 'item'),
    *menu_pair(221, 222, 98, 'DivX', 'DivX 비디오', 'item'),
    *menu_pair(228, 229, 98, 'Xvid', 'Xvid 비디오', 'item'),
    *menu_group(210, 217, 213, 214, 'sound', '사운드 설정'),
    *menu_pair(215, 216, 98, 'ffdshow audio', 'FFDShow 오디오', 'item'),
    *menu_pair(208, 209, 98, 'AC3Filter', 'AC3 필터', 'item'),
    *menu_pair(211, 212, 98, 'DTS speaker', 'DTS 스피커', 'item'),
    *menu_group(196, 201, 199, 200, 'caption', '자막 설정'),
    *menu_pair(202, 203, 98, 'VSFilter', 'VSFilter 자막', 'item'),
    *menu_pair(197, 198, 98, 'DivX G400', 'DivX G400 자막', 'item'),
    *menu_pair(206, 207, 113, 'finder intro', '영화찾기 소개', 'top'),

    # --- Codec Connect page (231) -------------------------------------------------------
    B(145, 408, 13, Z, 'Codec Connect banner', '코덱연결 설정 › 설치된 코덱 연결 관리', banner),
    B(142, 408, 18, Z, 'Codec Connect upper list heading', '사용 중인 코덱 (연결됨)', section_title),
    B(144, 408, 18, Z, 'Codec Connect lower list heading', '연결 해제된 코덱', section_title),
    *hot_triple((139, 140, 141), 70, 22, Z, 'unregister button', '연결 해제', P),
    *hot_triple((136, 137, 138), 70, 22, Z, 'register button', '다시 연결', P),
    *hot_triple((133, 134, 135), 70, 22, Z, 'uninstall button', '코덱 제거', P),

    # --- Codec Update page (240) --------------------------------------------------------
    B(165, 408, 13, Z, 'Codec Update banner', '코덱 업데이트 › 자동 업데이트할 코덱 선택', banner),
    B(164, 128, 18, Z, 'Codec Update video list title', '비디오 코덱', section_title),
    B(162, 128, 18, Z, 'Codec Update audio list title', '오디오 코덱', section_title),
    B(161, 128, 18, Z, 'Codec Update caption list title', '자막 코덱', section_title),
    B(163, 128, 18, Z, 'Codec Update fourth (empty) list title', '기타 코덱', section_title),

    # --- DivX page (233) ----------------------------------------------------------------
    B(170, 408, 13, Z, 'DivX banner', '비디오 설정 › DivX 비디오 설정', banner),
    B(167, 112, 18, Z, 'DivX post-processing title', '후처리 설정', section_title),
    B(168, 106, 18, Z, 'DivX playback title', '재생 설정', section_title),
    B(166, 161, 18, Z, 'DivX picture levels title', '밝기 · 대비 · 채도', section_title),
    B(169, 111, 18, Z, 'DivX aspect ratio title', '화면 비율', section_title),
    B(251, 236, 88, Z, 'DivX scales of the deblock, dering and warmth sliders', None,
      divx_large_scale),
    B(256, 98, 74, Z, 'DivX scales of the brightness, contrast and saturation sliders', None,
      divx_small_scale),
    B(249, 477, 20, Z, 'large slider strip, live', None, hstrip(233, True)),
    B(325, 477, 20, Z, 'large slider strip, greyed', None, hstrip(233, False)),
    B(248, 205, 20, Z, 'small slider strip, live', None, hstrip(97, True)),
    B(324, 205, 20, Z, 'small slider strip, greyed', None, hstrip(97, False)),

    # --- ffdshow video page (241) -------------------------------------------------------
    B(174, 408, 13, Z, 'ffdshow video banner', '비디오 설정 › FFDShow 비디오 설정', banner),
    B(173, 88, 18, Z, 'ffdshow video input formats title', '디코딩 형식', section_title),
    B(171, 88, 18, Z, 'ffdshow video output formats title', '출력 형식', section_title),
    B(172, 88, 18, Z, 'ffdshow video extras title', '부가 기능', section_title),

    # --- Xvid page (234) ----------------------------------------------------------------
    B(178, 408, 13, Z, 'Xvid banner', '비디오 설정 › Xvid 비디오 설정', banner),
    B(177, 112, 18, Z, 'Xvid post-processing title', '후처리 설정', section_title),
    B(175, 111, 18, Z, 'Xvid FourCC title', '지원 FourCC', section_title),
    B(176, 106, 18, Z, 'Xvid output title', '출력 설정', section_title),

    # --- ffdshow audio page (232) -------------------------------------------------------
    B(160, 408, 13, Z, 'ffdshow audio banner', '사운드 설정 › FFDShow 오디오 설정', banner),
    B(157, 140, 18, Z, 'ffdshow audio switches title', 'FFDShow 오디오 설정', section_title),
    B(155, 214, 18, Z, 'ffdshow audio volume and mixer title', 'FFDShow 오디오 볼륨 · 믹서 값',
      section_title),
    B(159, 180, 18, Z, 'ffdshow audio channel volumes title', 'FFDShow 오디오 볼륨 값',
      section_title),
    B(158, 128, 18, Z, 'ffdshow audio speaker title', '스피커 선택', section_title),
    B(154, 128, 18, Z, 'ffdshow audio formats title', '형식 연결 설정', section_title),
    B(156, 128, 18, Z, 'ffdshow audio S/PDIF title', 'S/PDIF 연결', section_title),
    B(179, 37, 26, Z, 'frame behind a level edit (both audio pages)', None, edit_frame),
    # Sliders at x 51(29 wide)/100/140/180/220, top 189: line x 61, 110, 150, 190, 230.
    B(254, 217, 106, Z, 'ffdshow audio volume and mixer panel (top 77 rows shown)', None,
      level_panel([41, 90, 130, 170, 210], 24, 51,
                  [(0, '+20', False), (13, '', False), (25, '0', True), (38, '', False),
                   (51, '-20', False)],
                  ['VOLUME', 'H.P', 'VOICE', 'SURROUND', 'LFE'], visible_rows=77,
                  label_scale=True)),
    # Sliders at x 25, 65, ..., 225, top 372: knob rows 32 + p; ticks at 300/200/100/0 %.
    B(255, 222, 83, Z, 'ffdshow audio channel volume panel', None,
      level_panel([15, 55, 95, 135, 175, 215], 32, 51,
                  [(0, '', False), (17, '', False), (34, '', True), (51, '', False)],
                  ['LEFT', 'CENTER', 'RIGHT', 'LEFT', 'RIGHT', 'LFE'],
                  groups=[(0, 2, 'FRONT'), (3, 4, 'SURROUND')])),
    B(247, 20, 113, Z, 'ffdshow audio level strip, active', None, vstrip(51, True)),
    B(323, 20, 113, Z, 'ffdshow audio level strip, inactive', None, vstrip(51, False)),

    # --- AC3Filter page (235) -----------------------------------------------------------
    B(151, 408, 13, Z, 'AC3Filter banner', '사운드 설정 › AC3Filter 설정', banner),
    B(143, 128, 18, Z, 'AC3 levels title (copied 140 wide)', 'AC3 사운드 설정값', section_title),
    B(150, 128, 18, Z, 'AC3 speaker levels title (copied 214 wide)', 'AC3 스피커 설정값',
      section_title),
    B(149, 128, 18, Z, 'AC3 output title (copied 180 wide)', 'AC3 출력 설정', section_title),
    B(147, 128, 18, Z, 'AC3 input formats title', 'AC3 연결 설정', section_title),
    B(148, 128, 18, Z, 'AC3 S/PDIF title', 'S/PDIF 출력 설정', section_title),
    # Sliders at x 56(24 wide)/100/140/180/220, top 88: line x 66, 110, ...; knob rows 23 + p.
    B(252, 217, 106, Z, 'AC3 master and mixer panel', None,
      level_panel([46, 90, 130, 170, 210], 23, 80,
                  [(0, '+20', False), (20, '+10', False), (40, '0', True), (60, '-10', False),
                   (80, '-20', False)],
                  ['MASTER', 'MAIN', 'VOICE', 'SURROUND', 'LFE'], label_scale=True)),
    # Sliders at x 23(22 wide)/65/.../225, top 316: line x 33, 75, ...; knob rows 31 + p.
    B(253, 222, 112, Z, 'AC3 channel gain panel', None,
      level_panel([13, 55, 95, 135, 175, 215], 31, 80,
                  [(0, '', False), (20, '', False), (40, '', True), (60, '', False),
                   (80, '', False)],
                  ['LEFT', 'CENTER', 'RIGHT', 'LEFT', 'RIGHT', 'LFE'],
                  groups=[(0, 2, 'FRONT'), (3, 4, 'SURROUND')])),
    B(246, 20, 171, Z, 'AC3 level strip, active', None, vstrip(80, True)),
    B(322, 20, 171, Z, 'AC3 level strip, inactive', None, vstrip(80, False)),

    # --- DTS speaker page (236) ---------------------------------------------------------
    B(153, 408, 13, Z, 'DTS speaker banner', '사운드 설정 › DTS/AC3 스피커 설정', banner),
    B(152, 140, 18, Z, 'DTS speaker mode title', '스피커 설정', section_title),

    # --- VSFilter (237) and DivX G400 (238) pages ----------------------------------------
    B(132, 408, 13, Z, 'VSFilter banner', '자막 설정 › VSFilter 설정', banner),
    B(129, 408, 13, Z, 'DivX G400 banner', '자막 설정 › DivX G400 설정', banner),
    B(131, 140, 18, Z, 'screen section title (VSFilter, DivX G400)', '화면 설정', section_title),
    B(130, 244, 18, Z, 'subtitle section title (VSFilter, DivX G400)', '자막 설정 (시간 1000 = 1초)',
      section_title),

    # --- Intro page (239) ---------------------------------------------------------------
    B(146, 408, 13, Z, 'intro banner', '영화찾기 소개 › 자막 · 영화정보 · 예매 검색', banner),
    B(334, 408, 430, Z, 'intro picture', None, intro_picture),

    # --- Finder window (257) ------------------------------------------------------------
    B(268, 116, 136, Z, 'finder header, left', None, finder_header_left),
    B(267, 1, 136, Z, 'finder header, middle column', None, band_piece),
    B(269, 96, 136, Z, 'finder header, right', None, finder_header_right),
    B(262, 348, 42, Z, 'finder toolbar captions', None, finder_toolbar_labels),
    B(263, 60, 11, Z, 'finder info caption', None, finder_info_label),
    B(264, 12, 1, Z, 'finder left border', None, frame_piece('left')),
    B(265, 12, 1, Z, 'finder right border', None, frame_piece('right')),
    B(259, 1, 12, Z, 'finder bottom border', None, frame_piece('bottom')),
    B(260, 12, 12, Z, 'finder bottom-left corner', None, frame_piece('bottom-left')),
    B(261, 12, 12, Z, 'finder bottom-right corner', None, frame_piece('bottom-right')),
    *tool_triple((270, 272, 271), 19, Z, 'back', 'back'),
    *tool_triple((282, 284, 283), 71, Z, 'forward', 'forward'),
    *tool_triple((308, 304, 309), 123, Z, 'stop', 'stop'),
    *tool_triple((302, 298, 303), 175, Z, 'refresh', 'refresh'),
    *tool_triple((285, 281, 280), 227, Z, 'home', 'home'),
    *tool_triple((299, 301, 300), 279, Z, 'board 1', 'love'),
    *tool_triple((278, 274, 279), 331, Z, 'board 2', 'talk'),
    *tool_triple((287, 289, 288), 78, Z, 'info', 'info', right_aligned=True),
    *hot_triple((305, 307, 306), 55, 22, Z, 'finder search button', '검색',
                crop_finder_band(400, 103), 'primary', icon='search', order=(NORMAL, HOVER, PRESSED)),
    *hot_triple((296, 292, 297), 80, 22, Z, 'finder cinema list button', '극장 목록',
                crop_finder_band(102, 103, True), icon='pin', order=(NORMAL, HOVER, PRESSED)),
    *glyph_triple((290, 286, 291), 23, 22, Z, 'finder maximize/restore',
                  crop_finder_band(66, 0, True), 'maximize', order=(NORMAL, HOVER, PRESSED)),
    *glyph_triple((275, 277, 276), 23, 23, Z, 'close (finder and home-page box)',
                  crop_finder_band(41, 0, True), 'close', danger=True, area=(22, 22),
                  order=(NORMAL, HOVER, PRESSED),
                  note='finder blits 23 x 22, home-page box 22 x 23: drawn 23 x 23'),

    # --- Home-page box (315) ------------------------------------------------------------
    B(316, HOME_W, HOME_H, Z, 'home-page box background', None, home_box_background),
    *hot_triple((329, 330, 331), 190, 22, Z, 'home-page button', 'Zelora 홈페이지 바로가기',
                home_at(84, 332), icon='home'),
    *hot_triple((332, 333, 328), 80, 22, Z, 'home-page box OK', '확인', home_at(265, 375),
                'primary'),

    # --- Icons --------------------------------------------------------------------------
    I(128, (16, 32, 48), Z, 'application icon', app_icon(False)),
    I(242, (20,), Z, 'list row, not ticked', tick_icon(False)),
    I(243, (20,), Z, 'list row, ticked', tick_icon(True)),

    # --- ZeloraUpdate -------------------------------------------------------------------
    B(131, UPD_W, UPD_H, U, 'updater background, offer', None,
      updater_background('새 코덱 업데이트가 있습니다.',
                         ['지금 내려받아 설치하시겠습니까?'])),
    B(140, UPD_W, UPD_H, U, 'updater background, downloading', None,
      updater_background('코덱을 내려받고 있습니다...',
                         ['받은 코덱은 차례로 설치됩니다.'], progress=True)),
    B(141, UPD_W, UPD_H, U, 'updater background, done', None,
      updater_background('코덱 업데이트를 마쳤습니다.',
                         ['[확인]을 누르면 Zelora를 시작합니다.'])),
    B(133, 86, 21, U, 'update button, up and focus', '업데이트', push_button(upd_at(48, 108), NORMAL, 'primary')),
    B(134, 86, 21, U, 'update button, selected', '업데이트', push_button(upd_at(48, 108), PRESSED, 'primary')),
    B(135, 86, 21, U, 'update button, disabled', '업데이트', push_button(upd_at(48, 108), DISABLED, 'primary')),
    B(143, 68, 21, U, 'cancel button, up and focus', '취소', push_button(upd_at(149, 108), NORMAL)),
    B(139, 68, 21, U, 'cancel button, selected', '취소', push_button(upd_at(149, 108), PRESSED)),
    B(132, 66, 21, U, 'OK button, up and focus', '확인', push_button(upd_at(98, 108), NORMAL, 'primary')),
    B(142, 66, 21, U, 'OK button, selected', '확인', push_button(upd_at(98, 108), PRESSED, 'primary')),
    B(137, 8, 7, U, 'progress bar tile', None, progress_tile,
      note='size chosen: 7 rows fill the 9-pixel bar inside its frame; 8 identical columns'),
    I(128, (16, 32, 48), U, 'updater icon', app_icon(True)),
]

# (program, id) for bitmaps, (program, 'ico', id) for icons: painters look pictures up here.
ENTRY = {}
for _e in SKIN:
    for _p in _e.programs():
        _key = (_p, _e.rid) if _e.kind == 'bmp' else (_p, 'ico', _e.rid)
        if _key in ENTRY:
            raise AssertionError(f'{_key} appears twice in the table')
        ENTRY[_key] = _e


# --------------------------------------------------------------------------------------
# Writers

# Bitmaps are stored as 8-bit palette BMPs with run-length encoding (BI_RLE8): the skin is
# flat fills and gradients along rows, so this keeps the programs small (3.9 MB of 24-bit
# pictures become about 0.35 MB). A picture of at most 256 colours keeps its exact colours;
# the few with more (anti-aliased captions over gradients) get a median-cut palette, and
# QUANT_LIMITS bounds how far any pixel may move. The programs decode the runs themselves
# (platform/image/SkinBitmap.cpp), so no loader's RLE support is relied on.

QUANT_LIMITS = (24, 0.5)   # largest channel error of any pixel, mean channel error


def palette_indices(img):
    """(palette of (r, g, b), one index per pixel) for img, exact where it can be."""
    colours = img.getcolors(256)
    if colours is not None:
        # Most frequent first, ties by colour: deterministic.
        palette = [c for _, c in sorted(colours, key=lambda t: (-t[0], t[1]))]
        index = {c: i for i, c in enumerate(palette)}
        return palette, bytes(index[c] for c in img.getdata())
    quant = img.quantize(256, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE, kmeans=3)
    flat = quant.getpalette()[:3 * 256]
    palette = [tuple(flat[i:i + 3]) for i in range(0, len(flat), 3)]
    indices = bytes(quant.getdata())
    worst, total = 0, 0
    for (r, g, b), i in zip(img.getdata(), indices):
        pr, pg, pb = palette[i]
        d = (abs(r - pr), abs(g - pg), abs(b - pb))
        worst = max(worst, *d)
        total += sum(d)
    mean = total / (3 * img.width * img.height)
    if worst > QUANT_LIMITS[0] or mean > QUANT_LIMITS[1]:
        raise AssertionError(f'palette of {img.size} picture is off by {worst} (mean {mean:.3f})')
    return palette, indices


def rle8_row(row, out):
    """Appends one row in BI_RLE8: runs of 3+ (or a lone pair) as (count, index), other
    pixels gathered into absolute blocks of 3+ (word-padded), with 1-2 leftovers as runs."""
    literal = bytearray()

    def flush():
        for start in range(0, len(literal), 255):
            chunk = literal[start:start + 255]
            if len(chunk) >= 3:
                out.extend((0, len(chunk)))
                out.extend(chunk)
                if len(chunk) % 2:
                    out.append(0)
            else:
                for v in chunk:
                    out.extend((1, v))
        literal.clear()

    x = 0
    while x < len(row):
        run = 1
        while x + run < len(row) and row[x + run] == row[x] and run < 255:
            run += 1
        if run >= 3 or (run == 2 and not literal):
            flush()
            out.extend((run, row[x]))
        else:
            literal.extend(row[x:x + run])
        x += run
    flush()


def rle8_decode(data, w, h):
    """The reverse of rle8_encode, for the generator's own round-trip check."""
    rows, row, i = [], bytearray(), 0
    while True:
        count, value = data[i], data[i + 1]
        i += 2
        if count:
            row.extend([value] * count)
        elif value == 0:
            rows.append(bytes(row))
            row = bytearray()
        elif value == 1:
            break
        else:
            row.extend(data[i:i + value])
            i += value + (value % 2)
    rows.append(bytes(row))
    return b''.join(reversed(rows[:h]))


def rle8_encode(indices, w, h):
    out = bytearray()
    for y in range(h - 1, -1, -1):              # BI_RLE8 is bottom-up
        rle8_row(indices[y * w:(y + 1) * w], out)
        out.extend((0, 0) if y else (0, 1))     # end of line; end of bitmap after the last
    return bytes(out)


def bmp_bytes(img):
    w, h = img.size
    palette, indices = palette_indices(img)
    bits = rle8_encode(indices, w, h)
    if rle8_decode(bits, w, h) != indices:
        raise AssertionError(f'run-length round trip failed for a {w}x{h} picture')
    colour_table = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(colour_table)
    file_header = struct.pack('<2sIHHI', b'BM', offset + len(bits), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 8, 1, len(bits), 2835, 2835,
                       len(palette), len(palette))
    return file_header + info + colour_table + bits


def ico_bytes(images):
    """Classic icon file: one 32-bit BGRA image with its AND mask per size."""
    sizes = sorted(images)
    header = struct.pack('<HHH', 0, 1, len(sizes))
    entries, blobs = [], []
    offset = 6 + 16 * len(sizes)
    for s in sizes:
        img = images[s]
        assert img.mode == 'RGBA' and img.size == (s, s)
        px = img.load()
        xor = bytearray()
        mask_stride = ((s + 31) // 32) * 4
        mask = bytearray()
        for y in range(s - 1, -1, -1):          # bottom-up
            row_mask = bytearray(mask_stride)
            for x in range(s):
                r, g, b, a = px[x, y]
                if a < 128:
                    row_mask[x // 8] |= 0x80 >> (x % 8)
                if a == 0:
                    r = g = b = 0
                xor += bytes((b, g, r, a))
            mask += row_mask
        info = struct.pack('<IiiHHIIiiII', 40, s, 2 * s, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = info + bytes(xor) + bytes(mask)
        entries.append(struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return header + b''.join(entries) + b''.join(blobs)


def outputs():
    files = {}
    for e in SKIN:
        if e.kind == 'bmp':
            files[e.file_name()] = bmp_bytes(render(e.programs()[0], e.rid))
        else:
            images = e.paint(e)
            if sorted(images) != sorted(e.sizes):
                raise AssertionError(f'icon {e.rid}: painted {sorted(images)}')
            files[e.file_name()] = ico_bytes(images)
    for program, inc, rc in ((ZELORA, 'SkinTableZelora.inc', 'ZeloraSkin.rc'),
                             (UPDATE, 'SkinTableUpdate.inc', 'UpdateSkin.rc')):
        mine = [e for e in SKIN if program in e.programs()]
        bmps = sorted((e for e in mine if e.kind == 'bmp'), key=lambda e: e.rid)
        icos = sorted((e for e in mine if e.kind == 'ico'), key=lambda e: e.rid)
        lines = [f'// Skin of {"Zelora.exe" if program == ZELORA else "ZeloraUpdate.exe"}: '
                 'generated by tools/skin/make_skin.py, do not edit.',
                 '// SKIN_BITMAP(id, width, height, file) and SKIN_ICON(id, file); files are '
                 'relative to resources/skin/.']
        for e in bmps:
            note = f' ({e.note})' if e.note else ''
            lines.append(f'SKIN_BITMAP({e.rid}, {e.w}, {e.h}, "{e.file_name()}")  // {e.role}{note}')
        for e in icos:
            lines.append(f'SKIN_ICON({e.rid}, "{e.file_name()}")  // {e.role}')
        files[inc] = ('\n'.join(lines) + '\n').encode('ascii')
        rc_lines = [f'{e.rid} BITMAP "skin/{e.file_name()}"' for e in bmps]
        rc_lines += [f'{e.rid} ICON "skin/{e.file_name()}"' for e in icos]
        files[rc] = ('\n'.join(rc_lines) + '\n').encode('ascii')
    return files


def write_all(files, check):
    stale = []
    os.makedirs(OUT_DIR, exist_ok=True)
    for name, data in sorted(files.items()):
        path = os.path.join(OUT_DIR, name)
        old = None
        if os.path.exists(path):
            with open(path, 'rb') as fh:
                old = fh.read()
        if old == data:
            continue
        stale.append(name)
        if not check:
            with open(path, 'wb') as fh:
                fh.write(data)
    ours = set(files)
    extra = sorted(n for n in os.listdir(OUT_DIR)
                   if n.endswith(('.bmp', '.ico')) and n not in ours)
    return stale, extra


# --------------------------------------------------------------------------------------
# Previews for people (not committed)

def preview(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    # Contact sheet of every bitmap, each labelled with its id.
    items = [(e, render(e.programs()[0], e.rid)) for e in SKIN if e.kind == 'bmp']
    items.sort(key=lambda t: (t[0].program, -t[1].height, t[0].rid))
    width, pad = 1400, 6
    x = y = pad
    row_h = 0
    places = []
    for e, img in items:
        w, h = max(img.width, 40), img.height + 12
        if x + w + pad > width:
            x, y, row_h = pad, y + row_h + pad, 0
        places.append((e, img, x, y))
        x += w + pad
        row_h = max(row_h, h)
    sheet = new(width, y + row_h + pad, (255, 255, 255))
    d = ImageDraw.Draw(sheet)
    for e, img, px, py in places:
        sheet.paste(img, (px, py))
        label = f'{"u" if e.program == UPDATE else ""}{e.rid}'
        d.text((px, py + img.height + 1), label, fill=(200, 0, 0), font=regular(10))
    sheet.save(os.path.join(out_dir, 'skin_sheet.png'))

    # The main window with the video group open, the DivX page and a hover image.
    main = render(ZELORA, 180).copy()
    layout = [(204, 25, 70), (218, 25, 98), (223, 25, 126), (225, 40, 149), (222, 40, 172),
              (228, 40, 195), (210, 25, 218), (196, 25, 246), (206, 25, 274)]
    for rid, bx, by in layout:
        main.paste(render(ZELORA, rid), (bx, by))
    for rid, bx, by in [(187, 522, 0), (186, 547, 0), (181, 517, 567), (193, 362, 567),
                        (190, 455, 567), (313, 275, 567), (338, *SETTINGS_EXPORT[:2]),
                        (339, *SETTINGS_IMPORT[:2])]:
        main.paste(render(ZELORA, rid), (bx, by))
    page = divx_page_preview()
    main.paste(page, (162, 50))
    ImageDraw.Draw(main).text((120, 14), ' Ver. 20051013', fill=(255, 255, 255), font=regular(11))
    ImageDraw.Draw(main).text((121, 13), ' Ver. 20051013', fill=(139, 134, 103), font=regular(11))
    main.save(os.path.join(out_dir, 'main_preview.png'))
    main.resize((main.width * 2, main.height * 2), Image.NEAREST).crop(
        (0, 0, 600, 700)).save(os.path.join(out_dir, 'main_menu_zoom.png'))

    for name, fn in (('audio_preview.png', audio_page_preview),
                     ('ac3_preview.png', ac3_page_preview)):
        page = fn()
        page.resize((page.width * 2, page.height * 2), Image.NEAREST).save(os.path.join(out_dir, name))

    # The finder at 800 x 560 and the home-page box.
    w, h = FINDER_PREVIEW_W, FINDER_PREVIEW_H
    finder = new(w, h, (255, 255, 255))
    band = finder_band(w)
    buttons = [(270, 19, 35), (282, 71, 35), (308, 123, 35), (298, 175, 35), (285, 227, 35),
               (299, 279, 35), (278, 331, 35), (287, w - 78, 35), (305, 400, 103),
               (296, w - 102, 103), (290, w - 66, 0), (275, w - 41, 0)]
    for rid, bx, by in buttons:
        band.paste(render(ZELORA, rid), (bx, by))
    finder.paste(band, (0, 0))
    for yy in range(136, h - 12):
        finder.paste(render(ZELORA, 264), (0, yy))
        finder.paste(render(ZELORA, 265), (w - 12, yy))
    for xx in range(12, w - 12):
        finder.paste(render(ZELORA, 259), (xx, h - 12))
    finder.paste(render(ZELORA, 260), (0, h - 12))
    finder.paste(render(ZELORA, 261), (w - 12, h - 12))
    finder.save(os.path.join(out_dir, 'finder_preview.png'))

    box = render(ZELORA, 316).copy()
    for rid, bx, by in [(277, 317, 0), (329, 84, 332), (332, 265, 375)]:
        box.paste(render(ZELORA, rid).crop((0, 0, 22, 23)) if rid == 277 else render(ZELORA, rid),
                  (bx, by))
    box.save(os.path.join(out_dir, 'homebox_preview.png'))

    upd = new(UPD_W * 3 + 20, UPD_H, (255, 255, 255))
    for i, (bg, btns) in enumerate([(131, [(133, 48), (143, 149)]),
                                    (140, [(135, 48), (139, 149)]),
                                    (141, [(132, 98)])]):
        img = render(UPDATE, bg).copy()
        for rid, bx in btns:
            img.paste(render(UPDATE, rid), (bx, 108))
        if bg == 140:
            tile = render(UPDATE, 137)
            for tx in range(17, 17 + 118, tile.width):
                img.paste(tile.crop((0, 0, min(tile.width, 17 + 118 - tx), 7)), (tx, 76))
            dd = ImageDraw.Draw(img)
            dd.text((15, 59), 'Xvid', fill=(0, 0, 0), font=regular(12))
            dd.text((200, 59), '1.2 MB', fill=(0, 0, 0), font=regular(12))
        upd.paste(img, (i * (UPD_W + 10), 0))
    upd.resize((upd.width * 2, upd.height * 2), Image.NEAREST).save(
        os.path.join(out_dir, 'updater_preview.png'))


def divx_page_preview():
    page = new(420, 500, PAGE)
    for rid, x, y in [(170, 0, 0), (167, 10, 30), (168, 10, 225), (166, 10, 315), (169, 255, 315),
                      (251, 124, 110), (256, 124, 375)]:
        page.paste(render(ZELORA, rid), (x, y))
    for (l, t, r, b), strip, travel, p in [((119, 90, 363, 110), 249, 233, 108),
                                           ((119, 130, 363, 150), 249, 233, 0),
                                           ((119, 170, 363, 190), 325, 233, 58),
                                           ((119, 350, 227, 370), 248, 97, 49),
                                           ((119, 420, 227, 440), 248, 97, 70),
                                           ((119, 385, 227, 405), 324, 97, 20)]:
        s = render(ZELORA, strip)
        page.paste(s.crop((travel - p, 0, travel - p + r - l, b - t)), (l, t))
    return page


def audio_page_preview():
    page = new(420, 500, PAGE)
    for rid, x, y, w, h in [(160, 0, 0, 408, 13), (157, 10, 30, 140, 18), (155, 10, 140, 214, 18),
                            (159, 10, 315, 180, 18), (158, 280, 30, 128, 18),
                            (154, 280, 140, 128, 18), (156, 280, 365, 128, 18),
                            (254, 20, 170, 217, 77), (255, 20, 345, 222, 83)]:
        page.paste(render(ZELORA, rid).crop((0, 0, w, h)), (x, y))
    for x, y in [(44, 266), (92, 266), (132, 266), (172, 266), (212, 266), (16, 457), (57, 457),
                 (97, 457), (137, 457), (177, 457), (217, 457)]:
        page.paste(render(ZELORA, 179), (x, y))
    rects = [(51, 189, 80, 251), (100, 189, 120, 251), (140, 189, 160, 251), (180, 189, 200, 251),
             (220, 189, 240, 251), (25, 372, 45, 434), (65, 372, 85, 434), (105, 372, 125, 434),
             (145, 372, 165, 434), (185, 372, 205, 434), (225, 372, 245, 434)]
    for i, (l, t, r, b) in enumerate(rects):
        p = [34, 0, 10, 34, 51, 34, 34, 20, 34, 34, 45][i]
        strip = render(ZELORA, 323 if i == 1 else 247)
        page.paste(strip.crop((0, 51 - p, min(20, r - l), 51 - p + b - t)), (l, t))
    return page


def ac3_page_preview():
    page = new(420, 500, PAGE)
    for rid, x, y in [(151, 0, 0), (143, 10, 30), (150, 10, 245), (149, 280, 30), (147, 280, 165),
                      (148, 280, 315), (252, 20, 70), (253, 20, 290)]:
        page.paste(render(ZELORA, rid), (x, y))
    for x, y in [(48, 194), (92, 194), (132, 194), (172, 194), (212, 194), (16, 414), (57, 414),
                 (97, 414), (137, 414), (177, 414), (217, 414)]:
        page.paste(render(ZELORA, 179), (x, y))
    rects = [(56, 88, 80, 179), (100, 88, 120, 179), (140, 88, 160, 179), (180, 88, 200, 179),
             (220, 88, 240, 179), (23, 316, 45, 407), (65, 316, 85, 407), (105, 316, 125, 407),
             (145, 316, 165, 407), (185, 316, 205, 407), (225, 316, 245, 407)]
    for i, (l, t, r, b) in enumerate(rects):
        p = [40, 40, 0, 20, 80, 40, 40, 40, 60, 60, 30][i]
        strip = render(ZELORA, 246)
        page.paste(strip.crop((0, 80 - p, 20, 80 - p + b - t)), (l, t))
    return page


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
        return 1 if stale or extra else 0
    for name in stale:
        print(f'wrote resources/skin/{name}')
    for name in extra:
        print(f'warning: resources/skin/{name} is not in the table', file=sys.stderr)
    return 0


if __name__ == '__main__':
    sys.exit(main_cli())
