"""Painters of the finder window and its home-page box."""

import math

from palette import *
from pictures import ZELORA, render
from places import FINDER_LINKS, FINDER_LOGO, FINDER_TOOLS, HOME_DRAG_BAND
from shapes import *


def crop_finder_band(box):
    """Backdrop of a picture drawn at box over the header band."""
    def get(e):
        band = finder_band(FINDER_PREVIEW_W)
        left = box.at_px(band.width)
        return band.crop((left, px(box.y), left + px(e.w), px(box.y) + px(e.h)))
    return get


# --------------------------------------------------------------------------------------
# Finder window

FINDER_PREVIEW_W, FINDER_PREVIEW_H = 800, 560
TOOLBAR_LABELS = ['뒤로', '앞으로', '중지', '새로고침', '홈', '사랑방', '이야기방']


def band_row(y):
    """Colour of pixel row y of the finder's 136-row header band (uniform across a row)."""
    if y < px(35):
        return header_row(y)
    if y < px(91):
        return lerp(TOOL_TOP, TOOL_BOT, between(y, 35, 90))
    if y < px(92):
        return (208, 215, 224)
    if y < px(135):
        return SEARCH_BG
    return FRAME_LINE


def band_piece(e):
    img = new(e.w, e.h, PAGE)
    rows(img, band_row)
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
    d = Pen(img)
    rows(img, band_row, FINDER_LOGO.y)
    f = regular(10)
    left = FINDER_LOGO.x
    for tool, label in zip(FINDER_TOOLS, TOOLBAR_LABELS):
        x = tool.x
        # Centred under its button; the first starts left of this picture, so its
        # caption is pushed in just enough to stay inside.
        tw, _ = text_size(label, f)
        lx = max(0, x + tool.w // 2 - left - tw // 2)
        draw_text(img, (lx, 30, lx + tw + 1, 42), label, f, INK_SOFT, align='left', where=e.rid)
    # A divider between the browser buttons and the product's own pages.
    refresh, home = FINDER_TOOLS[3], FINDER_TOOLS[4]
    sx = (refresh.x + refresh.w + home.x) // 2 - left
    d.line([(sx, 2), (sx, 26)], fill=(206, 213, 222))
    return img


def finder_info_label(e):
    img = new(e.w, e.h, PAGE)
    rows(img, band_row, FINDER_LINKS.y)
    draw_text(img, (0, 0, e.w, e.h), '프로그램 정보', regular(10), INK_SOFT, where=e.rid)
    return img


def frame_piece(kind):
    """Frame around the browser view: the search-row colour, with the band's lower rule
    continued as a one-pixel line along the view's edge."""
    line_at = {'left': (11, 0), 'right': (0, 0), 'bottom': (0, 0),
               'bottom-left': (11, 0), 'bottom-right': (0, 0)}[kind]

    def paint(e):
        img = new(e.w, e.h, SEARCH_BG)
        Pen(img).point(line_at, fill=FRAME_LINE)
        return img
    return paint


def finder_band(w):
    """The header band as the finder paints it for a client width w."""
    band = new(w, 136, PAGE)
    left, right = render(ZELORA, 268), render(ZELORA, 269)
    band.paste(left, (0, 0))
    band.paste(right, (band.width - right.width, 0))
    col = render(ZELORA, 267)
    for x in range(left.width, band.width - right.width, col.width):
        band.paste(col, (x, 0))
    band.paste(render(ZELORA, 262), (FINDER_LOGO.at_px(band.width), px(FINDER_LOGO.y)))
    band.paste(render(ZELORA, 263), (FINDER_LINKS.at_px(band.width), px(FINDER_LINKS.y)))
    return band


def tool_button(area, state, glyph):
    """36 x 36 toolbar button of the finder."""
    backdrop = crop_finder_band(area)

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
    d = Pen(img)
    paint_header(img, 0, e.w)
    draw_text(img, (12, 9, 300, 27), 'Zelora 영화찾기 정보', bold(12), INK, align='left',
              where=e.rid)
    # Picture area, which drags the box.
    band = HOME_DRAG_BAND.h
    gradient(img, (1, 35, e.w - 1, band), (236, 243, 251), (214, 227, 242))
    d.line([(1, band), (e.w - 2, band)], fill=(196, 208, 222))
    mark(img, 24, 52, 56)
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
