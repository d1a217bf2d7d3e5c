"""Shapes drawn smooth, and the pieces of the look that several windows share."""

from PIL import Image, ImageDraw

from palette import *
from scale import px, s

# --------------------------------------------------------------------------------------
# Shapes. Drawn at four times the size and folded back with a box filter, so edges are
# smooth while untouched pixels stay exactly as they were.

K = 4


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vgradient(img, box, top, bottom):
    """Rows of box (pixels, right/bottom exclusive) from colour top to bottom."""
    x0, y0, x1, y1 = box
    d = ImageDraw.Draw(img)
    n = y1 - y0
    for i in range(n):
        t = i / (n - 1) if n > 1 else 0.0
        d.line([(x0, y0 + i), (x1 - 1, y0 + i)], fill=lerp(top, bottom, t))


def gradient(img, box, top, bottom):
    """vgradient for a box in 96-DPI units."""
    vgradient(img, tuple(px(v) for v in box), top, bottom)


class Fine:
    """Takes 96-DPI coordinates and draws at the current scale: k is the supersampling
    factor times the scale (the int K at 96 DPI, so the numbers are the same)."""

    def __init__(self, img):
        self.img = img
        self.big = img.resize((img.width * K, img.height * K), Image.NEAREST)
        self.d = ImageDraw.Draw(self.big)
        self.k = K * s()

    def __enter__(self):
        return self

    def __exit__(self, kind, value, tb):
        if kind is None:
            self.img.paste(self.big.resize(self.img.size, Image.BOX))

    def _box(self, box):
        k = self.k
        x0, y0, x1, y1 = box
        if k == K:
            return [x0 * k, y0 * k, x1 * k - 1, y1 * k - 1]
        return [round(x0 * k), round(y0 * k), round(x1 * k) - 1, round(y1 * k) - 1]

    def _pts(self, pts):
        k = self.k
        return [(x * k, y * k) for x, y in pts]

    def _width(self, width):
        return int(round(width * self.k))

    def rrect(self, box, r, fill=None, outline=None, width=1):
        if r <= 0:
            w = width * K if s() == 1 else self._width(width)
            self.d.rectangle(self._box(box), fill=fill, outline=outline, width=w)
        else:
            w = int(width * K) if s() == 1 else self._width(width)
            self.d.rounded_rectangle(self._box(box), radius=r * self.k, fill=fill,
                                     outline=outline, width=w)

    def grad_rrect(self, box, r, top, bottom, outline=None):
        mask = Image.new('L', self.big.size, 0)
        md = ImageDraw.Draw(mask)
        if r <= 0:
            md.rectangle(self._box(box), fill=255)
        else:
            md.rounded_rectangle(self._box(box), radius=r * self.k, fill=255)
        grad = Image.new('RGB', self.big.size)
        x0, y0, x1, y1 = self._box(box)
        vgradient(grad, (0, y0, grad.width, y1 + 1), top, bottom)
        self.big.paste(grad, (0, 0), mask)
        if outline is not None:
            self.rrect(box, r, outline=outline)

    def polygon(self, pts, fill):
        self.d.polygon(self._pts(pts), fill=fill)

    def line(self, pts, fill, width=1.0, joint='curve'):
        self.d.line(self._pts(pts), fill=fill, width=self._width(width), joint=joint)

    def ellipse(self, box, fill=None, outline=None, width=1.0):
        self.d.ellipse(self._box(box), fill=fill, outline=outline, width=self._width(width))

    def arc(self, box, start, end, fill, width=1.0):
        self.d.arc(self._box(box), start, end, fill=fill, width=self._width(width))

    def dot(self, cx, cy, r, fill):
        self.d.ellipse(self._box((cx - r, cy - r, cx + r, cy + r)), fill=fill)


def new(w, h, fill):
    """A picture of w x h 96-DPI units."""
    return Image.new('RGB', (px(w), px(h)), fill)


class Pen:
    """ImageDraw's pixel-exact calls in 96-DPI units: a 96-DPI pixel becomes the block of
    pixels it covers at the current scale, so hairlines and fills stay crisp."""

    def __init__(self, img):
        self.d = ImageDraw.Draw(img)

    @staticmethod
    def _span(a, b):
        """Inclusive 96-DPI pixels a..b as inclusive pixels."""
        return px(a), px(b + 1) - 1

    def rectangle(self, box, fill=None, outline=None):
        if s() == 1:
            self.d.rectangle(box, fill=fill, outline=outline)
            return
        x0, y0, x1, y1 = box
        X0, X1 = self._span(x0, x1)
        Y0, Y1 = self._span(y0, y1)
        if fill is not None:
            self.d.rectangle([X0, Y0, X1, Y1], fill=fill)
        if outline is not None:
            for band in ((x0, y0, x1, y0), (x0, y1, x1, y1), (x0, y0, x0, y1), (x1, y0, x1, y1)):
                bx0, bx1 = self._span(band[0], band[2])
                by0, by1 = self._span(band[1], band[3])
                self.d.rectangle([bx0, by0, bx1, by1], fill=outline)

    def line(self, pts, fill):
        """A one-pixel line along a row or a column."""
        if s() == 1:
            self.d.line(pts, fill=fill)
            return
        (xa, ya), (xb, yb) = pts
        if xa != xb and ya != yb:
            raise AssertionError(f'only straight hairlines scale: {pts}')
        self.rectangle([min(xa, xb), min(ya, yb), max(xa, xb), max(ya, yb)], fill=fill)

    def point(self, xy, fill):
        if s() == 1:
            self.d.point(xy, fill=fill)
            return
        self.rectangle([xy[0], xy[1], xy[0], xy[1]], fill=fill)


def pixel(img, x, y):
    """The colour at 96-DPI point (x, y)."""
    return img.getpixel((px(x), px(y)))


def rows(img, colour_of, first=0):
    """Fills each pixel row Y with colour_of(Y + the pixel row of 96-DPI row first)."""
    d = ImageDraw.Draw(img)
    top = px(first)
    for y in range(img.height):
        d.line([(0, y), (img.width - 1, y)], fill=colour_of(y + top))


# --------------------------------------------------------------------------------------
# Shared pieces of the look


def between(y, first, last):
    """Where pixel row y lies from the first to the last pixel row of 96-DPI rows
    first..last, 0 to 1."""
    top, bottom = px(first), px(last + 1) - 1
    return (y - top) / (bottom - top)


def header_row(y):
    """Colour of pixel row y of the title strip shared by the main window, the finder and
    the home-page box (row 0 is the window edge, row 34 the strip's lower rule)."""
    if y < px(1):
        return BORDER
    if y >= px(34):
        return HEAD_LINE
    return lerp(HEAD_TOP, HEAD_BOT, between(y, 1, 33))


def paint_header(img, x0, x1, rows=35):
    d = ImageDraw.Draw(img)
    for y in range(px(rows)):
        d.line([(px(x0), y), (px(x1) - 1, y)], fill=header_row(y))


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
    img.paste(rgba, (px(x), px(y)), rgba)


def mark(img, x, y, size, badge=False):
    """The product mark of a 96-DPI size, drawn at the current scale's size."""
    paste_rgba(img, emblem(px(size), badge=badge), x, y)


def logo(img, x, y, size, text_font, where, text='Zelora', color=INK, max_right=None):
    mark(img, x, y, size)
    tx = x + size + 6
    w, _ = text_size(text, text_font)
    right = max_right if max_right is not None else tx + w + 2
    return draw_text(img, (tx, y - 3, right, y + size + 3), text, text_font, color,
                     align='left', where=where)
