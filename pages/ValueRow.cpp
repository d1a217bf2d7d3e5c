#include "pages/ValueRow.h"

#include <cassert>

namespace zelora {

int IndexForValue(const ChoiceMap& map, std::int32_t stored)
{
    const int count = static_cast<int>(map.items.size());
    for (int i = 0; i < count; ++i) {
        if (map.items[static_cast<std::size_t>(i)].value == stored) return i;
    }
    if (stored == -1 && map.indexForMinusOne != kLikeOther) return map.indexForMinusOne;
    if (map.indexForOther == kStoredAsIndex) {
        return stored >= 0 && stored < count ? static_cast<int>(stored) : kNoSelection;
    }
    return map.indexForOther;
}

std::int32_t ValueForIndex(const ChoiceMap& map, int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < map.items.size())
        return map.items[static_cast<std::size_t>(index)].value;
    return index;
}

std::optional<std::uint32_t> MatchMask(const MaskSpec& mask, std::int32_t stored)
{
    // Few boxes share a number (five at most), so trying every combination is cheap and
    // needs no assumption about how the parts overlap.
    assert(mask.boxes.size() < 16);
    const std::uint32_t combinations = 1u << mask.boxes.size();
    for (std::uint32_t ticked = 0; ticked < combinations; ++ticked) {
        std::int64_t sum = 0;
        for (std::size_t i = 0; i < mask.boxes.size(); ++i) {
            if (ticked & (1u << i)) sum += mask.boxes[i].ReadPart();
        }
        if (sum == stored) return ticked;
    }
    return std::nullopt;
}

std::int32_t ApplyMaskBox(std::int32_t known, const MaskBox& box, bool ticked)
{
    // Setting and clearing rather than adding and subtracting: when the boxes and the number
    // disagree (a number the page could not read), arithmetic would carry into a
    // neighbouring format's bit or turn the number negative.
    return ticked ? (known | box.part) : (known & ~box.part);
}

bool FlagTicked(const ValueRow& row, std::int32_t stored)
{
    if (stored == 0) return false;
    return row.onValue == 1 || stored != 1;
}

}  // namespace zelora
