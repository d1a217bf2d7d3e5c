// How a list's entries and saved numbers map onto each other.
#include "EveryKindRows.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

using namespace pagetest;

TEST(ChoiceMap, StoredNumbersSelectByValueThenByTheMapsRules)
{
    struct Case {
        const ChoiceMap* map;
        std::int32_t stored;
        int index;
    };
    const Case cases[] = {
        {&kModes, 2, 2},
        {&kModes, 129, 5},
        {&kModes, 130, 6},
        {&kModes, -1, 1},
        {&kModes, 5, 5},  // no item's value, but a valid index
        {&kModes, 7, kNoSelection},
        {&kAspect, 16, 2},
        {&kAspect, 0, 3},
        {&kAspect, 2, kKeepSelection},
        {&kAspect, -1, kKeepSelection},
        {&kLayouts, 18, 1},
        {&kLayouts, -1, 1},
    };
    for (const Case& c : cases) EXPECT_EQ(IndexForValue(*c.map, c.stored), c.index) << c.stored;

    EXPECT_EQ(ValueForIndex(kModes, 5), 129);
    EXPECT_EQ(ValueForIndex(kModes, kNoSelection), -1);
}

}  // namespace
}  // namespace zelora
