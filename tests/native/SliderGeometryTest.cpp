// Where a slider's knob sits and which parts of its strip are copied.
#include "pages/SliderGeometry.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zelora {
namespace {

constexpr SliderStrip kLargeStrip = StripOf(skin::kLargeStripLive, skin::kLargeStripGreyed);
constexpr SliderStrip kLevelStrip =
    StripOf(skin::kSoundFFDShowStripActive, skin::kSoundFFDShowStripInactive);

TEST(SliderGeometry, KnobFollowsThePointerFiveInsideEitherEnd)
{
    const SliderGeometry horizontal{{119, 90, 363, 110}, SliderAxis::Horizontal, &kLargeStrip};
    const SliderGeometry vertical{{51, 189, 80, 251}, SliderAxis::Vertical, &kLevelStrip};
    ASSERT_EQ(horizontal.Travel(), 233);
    ASSERT_EQ(vertical.Travel(), 51);

    const std::pair<int, int> alongX[] = {{-32768, 0}, {124, 0}, {125, 1}, {134, 10},
                                          {357, 233},  {358, 233}, {32767, 233}};
    for (const auto& [x, position] : alongX)
        EXPECT_EQ(horizontal.PositionAt({x, 0}), position) << x;
    const std::pair<int, int> alongY[] = {{194, 0}, {195, 1}, {211, 17}, {245, 51}, {246, 51}};
    for (const auto& [y, position] : alongY)
        EXPECT_EQ(vertical.PositionAt({1000, y}), position) << y;
}

// bitmap, source x, source y, destination left, top, width, height
using CopyFields = std::tuple<int, int, int, int, int, int, int>;
CopyFields Fields(const StripCopy& c)
{
    return {c.bitmap, c.source.x, c.source.y, c.dest.left, c.dest.top, c.dest.Width(),
            c.dest.Height()};
}

TEST(SliderGeometry, CopiesStayInsideTheStrip)
{
    const SliderGeometry large{{119, 90, 363, 110}, SliderAxis::Horizontal, &kLargeStrip};
    EXPECT_EQ(Fields(large.Copy(108, true)), CopyFields(skin::kLargeStripLive.id, 125, 0, 119, 90, 244, 20));
    EXPECT_EQ(Fields(large.Copy(INT_MIN, false)), CopyFields(skin::kLargeStripGreyed.id, 233, 0, 119, 90, 244, 20));
    EXPECT_EQ(Fields(large.Copy(INT_MAX, true)), CopyFields(skin::kLargeStripLive.id, 0, 0, 119, 90, 244, 20));

    // Wider than its 20-pixel strip: only the strip's columns are copied.
    const SliderGeometry wide{{51, 189, 80, 251}, SliderAxis::Vertical, &kLevelStrip};
    EXPECT_EQ(Fields(wide.Copy(-5, true)), CopyFields(skin::kSoundFFDShowStripActive.id, 0, 51, 51, 189, 20, 62));
    EXPECT_EQ(Fields(wide.Copy(51, false)), CopyFields(skin::kSoundFFDShowStripInactive.id, 0, 0, 51, 189, 20, 62));
}

}  // namespace
}  // namespace zelora
