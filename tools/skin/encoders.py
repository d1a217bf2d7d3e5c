"""Bitmaps as palette indices compressed with deflate (the skin's own small container),
icons as classic icon files."""

import struct
import zlib

from PIL import Image

# --------------------------------------------------------------------------------------
# Writers

# Each bitmap is one palette of at most 256 colours and one index per pixel. A picture of at
# most 256 colours keeps its exact colours; the few with more (anti-aliased captions over
# gradients) get a median-cut palette, and QUANT_LIMITS bounds how far any pixel may move.
# The indices are deflated picture by picture (one picture is decoded without the others);
# the palettes of one program at one scale are deflated together in one block, since the
# same colours recur from picture to picture while one palette alone hardly compresses.
# The programs inflate and decode them themselves (platform/image/SkinArt.cpp); the layout
# of the container is described there.

QUANT_LIMITS = (28, 0.5)   # largest channel error of any pixel, mean channel error


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


def deflate(data):
    """Raw deflate (no zlib header), as small as zlib makes it. zlib's output is the same
    for the same input and version (Debian 12's), which keeps --check meaningful."""
    packer = zlib.compressobj(9, zlib.DEFLATED, -15, 9)
    return packer.compress(data) + packer.flush()


ART_HEADER = '<HHHHIHH'   # width, height, 96-DPI width, 96-DPI height, first colour, colours, 0


def art_bytes(img, base_size, palettes):
    """One picture: its header, then its deflated indices (top row first). Its palette is
    appended to palettes, the (r, g, b) list of the program's scale. Each palette is put in
    colour order: neighbouring palettes then share runs of colours, which shrinks the
    block by a fifth."""
    palette, indices = palette_indices(img)
    order = sorted(range(len(palette)), key=lambda i: palette[i])
    new_index = bytearray(256)
    for new, old in enumerate(order):
        new_index[old] = new
    palette, indices = [palette[i] for i in order], indices.translate(new_index)
    header = struct.pack(ART_HEADER, img.width, img.height, base_size[0], base_size[1],
                         len(palettes), len(palette), 0)
    palettes.extend(palette)
    data = header + deflate(indices)
    if art_decode(data, palettes) != [palette[i] for i in indices]:
        raise AssertionError(f'round trip failed for a {img.width}x{img.height} picture')
    return data


def palettes_bytes(palettes):
    """The palettes block: how many colours, then their deflated (r, g, b) bytes."""
    return struct.pack('<I', len(palettes)) + deflate(b''.join(bytes(c) for c in palettes))


def art_decode(data, palettes):
    """The RGB pixels of an art_bytes picture: the generator's own round-trip check."""
    w, h, _, _, first, count, _ = struct.unpack_from(ART_HEADER, data)
    indices = zlib.decompress(data[struct.calcsize(ART_HEADER):], -15)
    if len(indices) != w * h or max(indices) >= count:
        raise AssertionError('art round trip failed')
    return [palettes[first + i] for i in indices]


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
