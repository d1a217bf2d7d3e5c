"""Shapes drawn smooth, and the pieces of the look that several windows share."""

from PIL import Image, ImageDraw

from palette import *

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
