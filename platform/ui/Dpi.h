#pragma once
// The one rounding rule from 96-DPI numbers to pixels: the windows' layout and the skin's
// pictures (drawn by tools/skin with the same rule) use it alike, so a picture made for a
// place lands on exactly that place at every scale.

namespace zelora {

inline constexpr int kBaseDpi = 96;

// v pixels at 96 DPI, at dpi: (v * dpi + 48) / 96, halves rounded away from zero.
constexpr int ScaleForDpi(int v, int dpi)
{
    if (v < 0) return -ScaleForDpi(-v, dpi);
    return static_cast<int>((static_cast<long long>(v) * dpi + kBaseDpi / 2) / kBaseDpi);
}

}  // namespace zelora
