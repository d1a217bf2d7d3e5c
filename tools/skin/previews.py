"""Previews for people (not committed)."""

import os

from PIL import Image, ImageDraw

from finder_art import FINDER_PREVIEW_H, FINDER_PREVIEW_W, finder_band
from main_art import UPD_H, UPD_W
from palette import PAGE, regular
from pictures import UPDATE, ZELORA, render
from places import *
from shapes import new
from table import SKIN


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
    for area, rid in [(MAIN_MINIMIZE, MAIN_MINIMIZE.normal), (MAIN_CLOSE, MAIN_CLOSE.hover),
                      (MAIN_CANCEL, MAIN_CANCEL.normal), (MAIN_DEFAULTS, MAIN_DEFAULTS.normal),
                      (MAIN_OK, MAIN_OK.normal), (MAIN_FINDER, MAIN_FINDER.hover),
                      (MAIN_EXPORT, MAIN_EXPORT.hover), (MAIN_IMPORT, MAIN_IMPORT.normal)]:
        main.paste(render(ZELORA, rid), (area.x, area.y))
    page = divx_page_preview()
    main.paste(page, (MAIN_CONTENT.x, MAIN_CONTENT.y))
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

    box = render(ZELORA, 316).copy()
    for area, rid in [(HOME_CLOSE, HOME_CLOSE.hover), (HOME_LINK, HOME_LINK.normal),
                      (HOME_OK, HOME_OK.normal)]:
        box.paste(render(ZELORA, rid).crop((0, 0, area.w, area.h)), (area.x, area.y))
    box.save(os.path.join(out_dir, 'homebox_preview.png'))

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
