#include "pages/ValueRow.h"

namespace zelora {

int IndexForValue(const ChoiceMap& map, std::int32_t saved)
{
    const int count = static_cast<int>(map.items.size());
    for (int i = 0; i < count; ++i) {
        if (map.items[static_cast<std::size_t>(i)].value == saved) return i;
    }
    if (saved == -1 && map.indexForMinusOne != kLikeOther) return map.indexForMinusOne;
    if (map.indexForOther == kSavedAsIndex) {
        return saved >= 0 && saved < count ? static_cast<int>(saved) : kNoSelection;
    }
    return map.indexForOther;
}

std::int32_t ValueForIndex(const ChoiceMap& map, int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < map.items.size())
        return map.items[static_cast<std::size_t>(index)].value;
    return index;
}

bool FlagTicked(const ValueRow& row, std::int32_t saved)
{
    if (saved == 0) return false;
    return row.onValue == 1 || saved != 1;
}

}  // namespace zelora
