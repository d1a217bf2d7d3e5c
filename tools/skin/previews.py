"""Previews for people (not committed). The pages themselves are left out: what they
show is the C++ page tables' business, and the end-to-end screenshots show them as the
program paints them."""

import os

from PIL import Image, ImageDraw

from finder_art import FINDER_PREVIEW_H, FINDER_PREVIEW_W, finder_band
from main_art import UPD_H, UPD_W
from palette import PAGE, regular
from outputs import ART_DPIS
from pictures import UPDATE, ZELORA, render
from places import *
from scale import BASE_DPI, drawing_at, px
from shapes import new
from table import SKIN


def preview(out_dir):
    os.makedirs(out_dir, exist_ok=True)
    for dpi in ART_DPIS:
        with drawing_at(dpi):
            scaled_previews(out_dir, '' if dpi == BASE_DPI else f'_{dpi}')
    other_previews(out_dir)


def scaled_previews(out_dir, suffix):
    """The contact sheet, the main window and the home-page box at the current scale."""
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
    for e, img, sx, sy in places:
        sheet.paste(img, (sx, sy))
        label = f'{"u" if e.program == UPDATE else ""}{e.rid}'
        d.text((sx, sy + img.height + 1), label, fill=(200, 0, 0), font=regular(10))
    sheet.save(os.path.join(out_dir, f'skin_sheet{suffix}.png'))

    # The main window with the video group open and a few hover images.
    main = render(ZELORA, 180).copy()
    layout = [(204, 25, 70), (218, 25, 98), (223, 25, 126), (225, 40, 149), (222, 40, 172),
              (228, 40, 195), (210, 25, 218), (196, 25, 246), (206, 25, 274)]
    for rid, bx, by in layout:
        main.paste(render(ZELORA, rid), (px(bx), px(by)))
    for area, rid in [(MAIN_MINIMIZE, MAIN_MINIMIZE.normal), (MAIN_CLOSE, MAIN_CLOSE.hover),
                      (MAIN_CANCEL, MAIN_CANCEL.normal), (MAIN_DEFAULTS, MAIN_DEFAULTS.normal),
                      (MAIN_OK, MAIN_OK.normal), (MAIN_FINDER, MAIN_FINDER.hover),
                      (MAIN_EXPORT, MAIN_EXPORT.hover), (MAIN_IMPORT, MAIN_IMPORT.normal)]:
        main.paste(render(ZELORA, rid), (px(area.x), px(area.y)))
    ImageDraw.Draw(main).text((px(120), px(14)), ' Ver. 20051013', fill=(255, 255, 255),
                              font=regular(11))
    ImageDraw.Draw(main).text((px(121), px(13)), ' Ver. 20051013', fill=(139, 134, 103),
                              font=regular(11))
    main.save(os.path.join(out_dir, f'main_preview{suffix}.png'))
    box = render(ZELORA, 316).copy()
    for area, rid in [(HOME_CLOSE, HOME_CLOSE.hover), (HOME_LINK, HOME_LINK.normal),
                      (HOME_OK, HOME_OK.normal)]:
        box.paste(render(ZELORA, rid).crop((0, 0, px(area.w), px(area.h))),
                  (px(area.x), px(area.y)))
    box.save(os.path.join(out_dir, f'homebox_preview{suffix}.png'))
    if not suffix:
        main.resize((main.width * 2, main.height * 2), Image.NEAREST).crop(
            (0, 0, 600, 700)).save(os.path.join(out_dir, 'main_menu_zoom.png'))


def other_previews(out_dir):

    # The finder at 800 x 560 and the home-page box.
    w, h = FINDER_PREVIEW_W, FINDER_PREVIEW_H
    finder = new(w, h, (255, 255, 255))
    band = finder_band(w)
    for area in [*FINDER_TOOLS, FINDER_SEARCH, FINDER_CINEMA, FINDER_MAXIMIZE, FINDER_CLOSE]:
        rid = area.hover if area is FINDER_TOOLS[3] else area.normal
        band.paste(render(ZELORA, rid), (area.at(w), area.y))
    finder.paste(band, (0, 0))
    for yy in range(136, h - 12):
        finder.paste(render(ZELORA, 264), (0, yy))
        finder.paste(render(ZELORA, 265), (w - 12, yy))
    for xx in range(12, w - 12):
        finder.paste(render(ZELORA, 259), (xx, h - 12))
    finder.paste(render(ZELORA, 260), (0, h - 12))
    finder.paste(render(ZELORA, 261), (w - 12, h - 12))
    finder.save(os.path.join(out_dir, 'finder_preview.png'))

    upd = new(UPD_W * 3 + 20, UPD_H, (255, 255, 255))
    for i, (bg, btns) in enumerate([(131, [(UPD_START, UPD_START.normal), (UPD_CANCEL, UPD_CANCEL.normal)]),
                                    (140, [(UPD_START, UPD_START.disabled), (UPD_CANCEL, UPD_CANCEL.pressed)]),
                                    (141, [(UPD_OK, UPD_OK.normal)])]):
        img = render(UPDATE, bg).copy()
        for area, rid in btns:
            img.paste(render(UPDATE, rid), (area.x, area.y))
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
