"""Bitmaps as run-length encoded 8-bit BMPs, icons as classic icon files."""

import struct

from PIL import Image

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
