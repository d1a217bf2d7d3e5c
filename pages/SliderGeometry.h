#pragma once
// A page-painted slider's pixels: a rectangle on the page, the axis the knob travels along,
// and the strip picture it is cut from. The strip shows the track with the knob at its
// middle and is `travel` longer than the slider, so a window of the slider's size, taken
// `travel - position` pixels into the strip, shows the knob at `position`.

#include "platform/ui/Geometry.h"
#include "resources/skin/Skin.h"

namespace zelora {

enum class SliderAxis {
    Horizontal,  // position 0 at the left
    Vertical,    // position 0 at the top
};

// The live and greyed pictures of one strip, and their size (both share it).
struct SliderStrip {
    int liveBitmap = 0;
    int greyBitmap = 0;
    int width = 0;
    int height = 0;
};

// The strip of two same-sized skin pictures.
constexpr SliderStrip StripOf(const skin::Picture& live, const skin::Picture& grey)
{
    return {live.id, grey.id, live.width, live.height};
}

// One copy from a strip onto the page: `dest` on the page, taken from `source` in the
// bitmap `bitmap`, both of `dest`'s size.
struct StripCopy {
    int bitmap = 0;
    Rect dest;
    Point source;
};

struct SliderGeometry {
    Rect rect;
    SliderAxis axis = SliderAxis::Horizontal;
    const SliderStrip* strip = nullptr;

    // Pixels along the axis, and the positions the knob can take (0..Travel()).
    int Length() const { return axis == SliderAxis::Horizontal ? rect.Width() : rect.Height(); }
    int Travel() const;

    // The knob position the pointer asks for: 0 up to the rectangle's start + 5, the full
    // travel from its end - 5, and the offset from start + 5 in between. Only the
    // coordinate along the axis counts: a drag may leave the rectangle.
    int PositionAt(Point pointer) const;

    // The copy that draws the knob at `position`. A position outside the travel (a stored
    // level out of its range) draws the knob at the nearer end; the copy never reaches
    // beyond the strip, even where the rectangle is wider than the strip.
    StripCopy Copy(int position, bool live) const;
};

}  // namespace zelora
