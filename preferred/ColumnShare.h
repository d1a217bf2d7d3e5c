#pragma once
// How a list's columns share its width: each as wide as its widest text when all fit;
// otherwise the columns that must show whole (the format names) keep their width and the
// others share the rest, a narrow one keeping all it needs and the wide ones splitting
// what is left evenly, none below its least width (its title). Room left over goes to the
// last column.

#include <span>
#include <vector>

namespace zelora {

struct ColumnNeed {
    int widest;         // pixels its widest text (or title) takes, padding included
    int least = 0;      // never narrower: its title
    bool whole = false;  // always `widest`
};

std::vector<int> ShareColumns(std::span<const ColumnNeed> columns, int room);

}  // namespace zelora
