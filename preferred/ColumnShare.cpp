#include "preferred/ColumnShare.h"

#include <algorithm>

namespace zelora {

std::vector<int> ShareColumns(std::span<const ColumnNeed> columns, int room)
{
    std::vector<int> widths(columns.size(), 0);
    std::vector<std::size_t> sharing;  // by need, narrowest first
    int left = room;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].whole) {
            widths[i] = columns[i].widest;
            left -= widths[i];
        } else {
            sharing.push_back(i);
        }
    }
    std::stable_sort(sharing.begin(), sharing.end(),
                     [&](std::size_t a, std::size_t b) { return columns[a].widest < columns[b].widest; });
    for (std::size_t n = 0; n < sharing.size(); ++n) {
        const ColumnNeed& column = columns[sharing[n]];
        const int share = std::max(left, 0) / static_cast<int>(sharing.size() - n);
        widths[sharing[n]] = std::max(column.least, std::min(column.widest, share));
        left -= widths[sharing[n]];
    }
    if (left > 0 && !widths.empty()) widths.back() += left;
    return widths;
}

}  // namespace zelora
