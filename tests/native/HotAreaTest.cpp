// Hot areas: the press, release and hover logic of the skinned image buttons.
#include "platform/ui/HotArea.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

HotAreaSet TwoAreas()
{
    return HotAreaSet({{{0, 0, 10, 10}, 1, 2, 3}, {{20, 0, 30, 10}, 4, 5, 6}});
}

TEST(HotArea, PressAndReleaseInsideRunsTheActionAndShowsHover)
{
    HotAreaSet areas = TwoAreas();
    EXPECT_EQ(areas.ButtonDown({5, 5}), 1u);
    EXPECT_EQ(areas.ImageId(0), 2);
    HotAreaSet::Mask actions = 0;
    areas.ButtonUp({6, 6}, actions);
    EXPECT_EQ(actions, 1u);
    EXPECT_EQ(areas.ImageId(0), 3);
    EXPECT_FALSE(areas.Pressed(0));
}

TEST(HotArea, ReleaseOutsideOrWithoutPressRunsNothing)
{
    HotAreaSet areas = TwoAreas();
    areas.ButtonDown({5, 5});
    HotAreaSet::Mask actions = 0;
    areas.ButtonUp({50, 50}, actions);
    EXPECT_EQ(actions, 0u);
    EXPECT_EQ(areas.Image(0), HotImage::Normal);

    areas.ButtonUp({25, 5}, actions);  // released over an area never pressed
    EXPECT_EQ(actions, 0u);
}

TEST(HotArea, MovesShowHoverOrPressedAndRespectOtherPresses)
{
    HotAreaSet areas = TwoAreas();
    areas.Move({5, 5}, false);
    EXPECT_EQ(areas.Image(0), HotImage::Hover);
    areas.Move({5, 5}, true);
    EXPECT_EQ(areas.Image(0), HotImage::Pressed);
    areas.Move({50, 5}, false);
    EXPECT_EQ(areas.Image(0), HotImage::Normal);

    // While area 0 is pressed, moving over area 1 shows nothing there, and area 0 keeps
    // its pressed image even when the pointer leaves it.
    areas.ButtonDown({5, 5});
    EXPECT_EQ(areas.Move({25, 5}, true), 0u);
    EXPECT_EQ(areas.Image(1), HotImage::Normal);
    EXPECT_EQ(areas.Image(0), HotImage::Pressed);
}

TEST(HotArea, QuirkFlagsOfTheMainWindowFinder)
{
    // Area 1 (finder) is ignored by the others and ignores area 0 (OK) itself; it returns
    // to its normal image after its action.
    HotArea ok{{0, 0, 10, 10}, 1, 2, 3};
    HotArea finder{{20, 0, 30, 10}, 4, 5, 6, true, 0, true};
    HotAreaSet areas({ok, finder});

    areas.ButtonDown({25, 5});
    areas.Move({5, 5}, false);
    EXPECT_EQ(areas.Image(0), HotImage::Hover);  // the finder's press does not count

    HotAreaSet::Mask actions = 0;
    areas.ButtonUp({25, 5}, actions);
    EXPECT_EQ(actions, 2u);
    EXPECT_EQ(areas.Image(1), HotImage::Normal);

    areas.ButtonDown({5, 5});
    areas.Move({25, 5}, false);
    EXPECT_EQ(areas.Image(1), HotImage::Hover);  // nor does OK's press, for the finder
}

}  // namespace
}  // namespace zelora
