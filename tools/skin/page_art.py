"""Painters of the slider strips, scales and panels of the settings pages."""

from palette import *
from scale import BASE_DPI, drawing_at
from shapes import *

# Slider strips ------------------------------------------------------------------------

def hstrip(travel, live):
    """Horizontal slider strip: the program copies a slider-wide window starting at
    x = travel - knob position, so the knob sits at x = travel .. travel + 10 and the
    track runs through the whole strip (filled to the left of the knob)."""
    def paint(e):
        img = new(e.w, e.h, PAGE)
        filled = ACCENT_HI if live else (178, 182, 188)
        empty = (196, 203, 212) if live else (212, 212, 212)
        d = Pen(img)
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
        d = Pen(img)
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
    d = Pen(img)
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
    d = Pen(img)
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
    """The largest size at which the labels fit, chosen at 96 DPI so that every scale
    sets them alike (glyph widths do not grow exactly with the scale)."""
    with drawing_at(BASE_DPI):
        size = next((size for size in sizes if widths_for(bold(size))), None)
    if size is None:
        raise AssertionError(f'labels {labels} do not fit at any size')
    return bold(size)


def level_panel(columns, top_row, travel, scale, names, groups=(),
                label_scale=False):
    """Panel behind a row of vertical level sliders: channel names above each slider,
    ticks beside each track at the knob rows of the scale marks, and optionally the
    decibel scale at the left. columns are the slider centre x in picture pixels,
    top_row the knob-centre row at the top of the travel, scale a list of (knob
    position, label, major)."""
    def paint(e):
        img = new(e.w, e.h, PAGE)
        d = Pen(img)
        rows = e.shown_rows or e.h
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
        if e.shown_rows:
            # Only the top rows are copied onto the page; keep the rest plain.
            d.rectangle([0, e.shown_rows, e.w - 1, e.h - 1], fill=PAGE)
        return img
    return paint
