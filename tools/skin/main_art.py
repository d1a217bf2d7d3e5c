"""Painters of the main window, the intro page, the updater and the icons."""

from PIL import Image, ImageDraw

from palette import *
from places import MAIN_CONTENT, MAIN_DRAG_STRIP, MAIN_MENU_PANEL, VERSION_AREA
from shapes import *

# --------------------------------------------------------------------------------------
# Main window


def main_background(e):
    img = new(e.w, e.h, WIN_BG)
    d = Pen(img)
    top, edge = MAIN_DRAG_STRIP.h, MAIN_MENU_PANEL.w
    paint_header(img, 0, e.w, top)
    # Left menu panel.
    d.rectangle([0, top, edge - 1, e.h - 1], fill=PANEL)
    d.line([(edge, top), (edge, e.h - 1)], fill=PANEL_LINE)
    draw_text(img, (25, 44, 140, 60), '설정 메뉴', bold(11), INK_SOFT, align='left', where=e.rid)
    d.line([(25, 62), (137, 62)], fill=PANEL_LINE)
    foot = '코덱 · 자막 설정'
    draw_text(img, (14, e.h - 28, 140, e.h - 12), foot, regular(11), INK_FAINT, align='left',
              where=e.rid)
    # Content panel, one pixel of frame around the page area.
    c = MAIN_CONTENT
    x0, y0, x1, y1 = c.x, c.y, c.x + c.w, c.y + c.h
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
    for y in range(px(VERSION_AREA[1]), px(VERSION_AREA[3])):
        for x in range(px(VERSION_AREA[0]), px(VERSION_AREA[2])):
            if img.getpixel((x, y)) != header_row(y):
                raise AssertionError(f'{e.rid}: something drawn over the version text area')
    return img


# --------------------------------------------------------------------------------------
# Intro page picture

def intro_picture(e):
    img = new(e.w, e.h, PAGE)
    with Fine(img) as fine:
        fine.grad_rrect((10, 0, e.w - 10, 118), 8, (76, 138, 198), (36, 88, 146))
    mark(img, 30, 32, 52)
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
        d = Pen(img)
        gradient(img, (0, 0, e.w, 34), (236, 243, 251), (214, 227, 242))
        d.line([(0, 34), (e.w - 1, 34)], fill=(196, 208, 222))
        mark(img, 12, 6, 22, badge=True)
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
        Pen(img).line([(0, y), (e.w - 1, y)], fill=c)
    return img


# --------------------------------------------------------------------------------------
# Icons (painters return {size: RGBA image})

def app_icon(badge):
    def paint(e):
        return {s: emblem(s, badge=badge) for s in e.sizes}
    return paint


def tick_icon(ticked):
    """List-row check marks. Pixel-exact edges (alpha is 0 or 255 only), so the icon
    looks the same through an image list's colour mask as through its alpha. Drawn at
    20 x 20; the 200 % size is that drawing with each pixel doubled, as crisp."""
    def paint(e):
        out = {}
        for s in e.sizes:
            if s != 20:
                continue
            img = Image.new('RGBA', (s, s), (0, 0, 0, 0))
            d = Pen(img)
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
        for s in e.sizes:
            if s not in out:
                out[s] = out[20].resize((s, s), Image.NEAREST)
        return out
    return paint
