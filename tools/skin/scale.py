"""The scale the pictures are drawn at. Painters keep their 96-DPI numbers; everything
that turns a number into pixels (picture sizes, coordinates, line widths, radii, font
sizes, crops) goes through px() here, which rounds as the programs' ScaleForDpi does
(platform/ui/Dpi.h), so a picture lands exactly where the program's layout puts it.

At 96 DPI every helper gives back its argument untouched (same value, same type), so
the 96-DPI pictures stay byte for byte what they were."""

import math
from contextlib import contextmanager

BASE_DPI = 96
DPI = BASE_DPI


def s():
    """The scale factor: the int 1 at 96 DPI, else a float."""
    return 1 if DPI == BASE_DPI else DPI / BASE_DPI


def scaled(v, dpi):
    """The programs' rule for a whole number: (v * dpi + 48) / 96, mirrored below 0."""
    if v < 0:
        return -scaled(-v, dpi)
    return (v * dpi + BASE_DPI // 2) // BASE_DPI


def px(v):
    """A 96-DPI coordinate or length in pixels at the current scale."""
    if DPI == BASE_DPI:
        return v
    if isinstance(v, int):
        return scaled(v, DPI)
    return math.floor(v * DPI / BASE_DPI + 0.5)


def unpx(v):
    """Pixels back to 96-DPI units (what a painter lays out with)."""
    return v if DPI == BASE_DPI else v * BASE_DPI / DPI


@contextmanager
def drawing_at(dpi):
    global DPI
    old, DPI = DPI, dpi
    try:
        yield
    finally:
        DPI = old
