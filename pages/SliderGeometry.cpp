#include "pages/SliderGeometry.h"

#include <algorithm>
#include <cstdint>

namespace zelora {
namespace {

// The knob's half width plus the track's end: the knob centre stays this far inside.
constexpr int kKnobMargin = 5;

}  // namespace

int SliderGeometry::Travel() const { return std::max(0, Length() - (2 * kKnobMargin + 1)); }

int SliderGeometry::PositionAt(Point pointer) const
{
    const bool horizontal = axis == SliderAxis::Horizontal;
    // 64 bits: pointer coordinates are 16-bit, but nothing here relies on it.
    const std::int64_t along = horizontal ? pointer.x : pointer.y;
    const std::int64_t start = horizontal ? rect.left : rect.top;
    const std::int64_t end = horizontal ? rect.right : rect.bottom;
    if (along <= start + kKnobMargin) return 0;
    if (along >= end - kKnobMargin) return Travel();
    return static_cast<int>(std::min<std::int64_t>(along - start - kKnobMargin, Travel()));
}

StripCopy SliderGeometry::Copy(int position, bool live) const
{
    const int travel = Travel();
    const int offset = travel - std::clamp(position, 0, travel);
    const bool horizontal = axis == SliderAxis::Horizontal;
    const int stripLength = horizontal ? strip->width : strip->height;
    const int stripAcross = horizontal ? strip->height : strip->width;
    const int along = std::max(0, std::min(Length(), stripLength - offset));
    const int breadth = horizontal ? rect.Height() : rect.Width();
    const int across = std::max(0, std::min(breadth, stripAcross));

    StripCopy copy;
    copy.bitmap = live ? strip->liveBitmap : strip->greyBitmap;
    copy.dest.left = rect.left;
    copy.dest.top = rect.top;
    copy.dest.right = rect.left + (horizontal ? along : across);
    copy.dest.bottom = rect.top + (horizontal ? across : along);
    copy.source = horizontal ? Point{offset, 0} : Point{0, offset};
    return copy;
}

}  // namespace zelora
