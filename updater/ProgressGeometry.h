#pragma once
// Arithmetic of the updater's progress display: the download percent, and where the bitmap
// progress bar paints its filled part and how many tiles of its bitmap that takes.

#include "platform/ui/Geometry.h"

#include <cstdint>

namespace zelora::updater {

// Percent of a transfer, truncated; 0 when the total is unknown (0). Never above 100.
int DownloadPercent(std::uint64_t received, std::uint64_t total);

struct ProgressRange {
    int lower = 0;
    int upper = 100;
    int Span() const;  // |upper - lower|, 1 when that is 0
    int Clamp(int position) const;
};

struct BarLayout {
    Rect inner;  // the client rectangle inside the border and the one-pixel margin
    Rect bar;    // the filled part
    int percent = 0;
};

BarLayout LayoutBar(Rect client, bool border, bool vertical, const ProgressRange& range,
                    int position);

struct TileGrid {
    int columns = 0;
    int rows = 0;
};

// Tiles of a `tileWidth` x `tileHeight` bitmap that cover `area`.
TileGrid TilesFor(Rect area, int tileWidth, int tileHeight);

}  // namespace zelora::updater
