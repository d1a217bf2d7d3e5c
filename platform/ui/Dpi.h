#pragma once
// The one rule by which the skin's and the tables' 96-DPI pixel numbers become a window's
// pixels at its DPI. Pictures drawn for a scale have exactly the sizes this gives, so a
// place and the picture shown in it always agree.

#include "platform/ui/Geometry.h"

namespace zelora {

inline constexpr int kBaseDpi = 96;

// Rounded to the nearest pixel, halves away from zero, so a length and its negation scale
// alike (offsets counted from the right edge are negative).
constexpr int ScaleForDpi(int value, int dpi)
{
    const long long scaled = static_cast<long long>(value) * dpi;
    return static_cast<int>(scaled >= 0 ? (scaled + kBaseDpi / 2) / kBaseDpi
                                        : -((-scaled + kBaseDpi / 2) / kBaseDpi));
}

// Back from a window's pixels to the tables' (a pointer on a slider): the 96-DPI pixel the
// window pixel falls in.
constexpr int UnscaleForDpi(int value, int dpi)
{
    if (dpi <= 0) return value;
    const long long base = static_cast<long long>(value) * kBaseDpi;
    return static_cast<int>(base >= 0 ? base / dpi : -((-base + dpi - 1) / dpi));
}

class Dpi {
public:
    constexpr Dpi() = default;
    // Zero or less (an unanswered query) means 96; more than eight times is taken as that.
    constexpr explicit Dpi(int dpi) : m_dpi(dpi <= 0 ? kBaseDpi : dpi > 8 * kBaseDpi ? 8 * kBaseDpi : dpi) {}

    constexpr int Value() const { return m_dpi; }
    constexpr bool IsBase() const { return m_dpi == kBaseDpi; }
    constexpr friend bool operator==(Dpi, Dpi) = default;

    constexpr int operator()(int value) const { return ScaleForDpi(value, m_dpi); }
    constexpr Point operator()(Point p) const { return {(*this)(p.x), (*this)(p.y)}; }
    // The origin and the size scale apart, so a rectangle keeps the size of the picture
    // drawn for it.
    constexpr Rect operator()(const Rect& r) const
    {
        const int left = (*this)(r.left), top = (*this)(r.top);
        return {left, top, left + (*this)(r.Width()), top + (*this)(r.Height())};
    }
    // Each edge scaled on its own: rectangles that touch or keep apart at 96 DPI do so at
    // every scale (controls; a picture's place takes the size-keeping form above).
    constexpr Rect Edges(const Rect& r) const
    {
        return {(*this)(r.left), (*this)(r.top), (*this)(r.right), (*this)(r.bottom)};
    }
    constexpr int Unscale(int value) const { return UnscaleForDpi(value, m_dpi); }
    constexpr Point Unscale(Point p) const { return {Unscale(p.x), Unscale(p.y)}; }

private:
    int m_dpi = kBaseDpi;
};

}  // namespace zelora
