"""Painters of titles, banners and buttons."""

from palette import *
from shapes import *

def section_title(e):
    """18-pixel section title: accent tick, bold caption, hairline to the end."""
    img = new(e.w, e.h, PAGE)
    d = Pen(img)
    d.rectangle([0, 3, 2, 14], fill=ACCENT)
    ink = draw_text(img, (8, 0, e.w - 1, e.h), e.caption, bold(12), INK, align='left',
                    where=e.rid)
    if e.w - ink[2] >= 16:
        d.line([(ink[2] + 8, 10), (e.w - 1, 10)], fill=RULE)
    return img


def banner(e):
    """408 x 13 page banner: 'group › page' in small type, then a rule to the end."""
    img = new(e.w, e.h, PAGE)
    d = Pen(img)
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
    w, h = (unpx(v) for v in img.size)
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
            fine.dot(x + 6, y + 4.5, 1.8, pixel(img, x, y))
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
