#include "updater/ProgressGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace zelora::updater {

int DownloadPercent(std::uint64_t received, std::uint64_t total)
{
    if (total == 0) return 0;
    const double percent = static_cast<double>(received) * 100.0 / static_cast<double>(total);
    return static_cast<int>(std::min(percent, 100.0));
}

int ProgressRange::Span() const
{
    const long long span = std::llabs(static_cast<long long>(upper) - lower);
    return span == 0 ? 1 : static_cast<int>(std::min<long long>(span, 0x7FFFFFFF));
}

int ProgressRange::Clamp(int position) const
{
    return std::clamp(position, std::min(lower, upper), std::max(lower, upper));
}

BarLayout LayoutBar(Rect client, bool border, bool vertical, const ProgressRange& range,
                    int position)
{
    BarLayout layout;
    Rect r = client;
    const int shrink = border ? 2 : 1;
    r = {r.left + shrink, r.top + shrink, r.right - shrink, r.bottom - shrink};
    layout.inner = r;
    const double lowerMagnitude = std::fabs(static_cast<double>(range.lower));
    layout.percent = static_cast<int>((range.Clamp(position) + lowerMagnitude) *
                                      (100.0 / range.Span()));
    // The fill fraction is the single-precision 0.01, multiplied in extended precision:
    // 50 % of 237 pixels fills 118, and 100 % fills 236, one short of the whole.
    const long double step = static_cast<long double>(0.01f) * layout.percent;
    layout.bar = r;
    if (vertical) {
        layout.bar.top = r.bottom - static_cast<int>(r.Height() * step);
        if (layout.bar.top < r.top) layout.bar.top = r.top + 1;
    } else {
        layout.bar.right = r.left + static_cast<int>(r.Width() * step);
        if (layout.bar.right > r.right) layout.bar.right = r.right - 1;
    }
    return layout;
}

TileGrid TilesFor(Rect area, int tileWidth, int tileHeight)
{
    if (tileWidth <= 0 || tileHeight <= 0 || area.Width() <= 0 || area.Height() <= 0) return {};
    return {(area.Width() + tileWidth - 1) / tileWidth, (area.Height() + tileHeight - 1) / tileHeight};
}

}  // namespace zelora::updater
