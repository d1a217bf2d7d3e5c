// A page's slider table: shared levels, gates, and the drag with the left button.
#include "FakePageControls.h"
#include "pages/SliderDrag.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace zelora {
namespace {

constexpr SliderStrip kLevelStrip =
    StripOf(skin::kSoundFFDShowStripActive, skin::kSoundFFDShowStripInactive);

// Two sliders sharing a level (gated by nothing), then one gated by a box being ticked,
// one by a combo entry and one that overlaps the first.
constexpr int kBox = 1037;
constexpr int kCombo = 1042;
constexpr SliderRow kSliders[] = {
    {{{56, 88, 80, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale, {},
     LevelIndex{0}, 1066},
    {{{100, 88, 120, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale, {},
     LevelIndex{0}, 1067},
    {{{140, 88, 160, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale,
     {SliderGate::Kind::Ticked, kBox}, LevelIndex{1}},
    {{{180, 88, 200, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale,
     {SliderGate::Kind::ComboSelects, kCombo, ListIndex{17}}, LevelIndex{2}},
    {{{56, 88, 80, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale,
     {SliderGate::Kind::Unticked, kBox}, LevelIndex{3}},
};

TEST(SliderDrag, GatesSharedLevelsAndEditsOfTheTable)
{
    EXPECT_EQ(SlidersOfLevel(kSliders, LevelIndex{0}), 0b00011u);
    EXPECT_EQ(SliderOfEdit(kSliders, 1067), 1);
    EXPECT_EQ(SliderOfEdit(kSliders, 0), -1);

    pagetest::FakePageControls controls;
    EXPECT_EQ(LiveSliders(kSliders, controls, true), 0b10011u);
    controls.SetCheck(kBox, 1);
    controls.FillCombo(kCombo, std::vector<ChoiceItem>(18));
    controls.SetComboIndex(kCombo, 17);
    EXPECT_EQ(LiveSliders(kSliders, controls, true), 0b01111u);
    EXPECT_EQ(LiveSliders(kSliders, controls, false), 0u);
}

// slider, position; -1, -1 for none
std::pair<int, int> Fields(const std::optional<SliderTouch>& touch)
{
    return touch ? std::pair{touch->slider, touch->position} : std::pair{-1, -1};
}

TEST(SliderDrag, PressStartsMovesFollowWhileTheLeftButtonIsHeld)
{
    SliderDrag drag(kSliders);
    constexpr SliderMask kAll = 0b11111;
    constexpr std::pair kNone{-1, -1};
    constexpr DragButtons kLeft = DragButtons::LeftOnly;

    // The first live slider in table order takes the press; moves follow it off the
    // slider and past its ends; a release or lost capture ends it.
    EXPECT_EQ(Fields(drag.Press({60, 94}, kAll)), std::pair(0, 1));
    EXPECT_EQ(Fields(drag.Move({300, 500}, kLeft)), std::pair(0, 80));
    drag.End();
    EXPECT_EQ(Fields(drag.Move({60, 100}, kLeft)), kNone);

    // A closed gate (or no decoder) lets the press fall through to the next slider, or to
    // nothing.
    EXPECT_EQ(Fields(drag.Press({60, 100}, 0b10000)), std::pair(4, 7));
    EXPECT_EQ(Fields(drag.Press({150, 100}, 0b11011)), kNone);
    EXPECT_FALSE(drag.Dragging());

    // A press on bare background after a lost release ends the old drag.
    ASSERT_TRUE(drag.Press({110, 100}, kAll));
    EXPECT_FALSE(drag.Press({10, 10}, kAll));
    EXPECT_EQ(Fields(drag.Move({110, 120}, kLeft)), kNone);

    // Shift or Control held on the way pauses the knob; the left button alone again moves
    // it on. A move without the left button (a lost release) ends the drag.
    ASSERT_TRUE(drag.Press({110, 100}, kAll));
    EXPECT_EQ(Fields(drag.Move({110, 120}, DragButtons::LeftAndMore)), kNone);
    EXPECT_TRUE(drag.Dragging());
    EXPECT_EQ(Fields(drag.Move({110, 130}, kLeft)), std::pair(1, 37));
    EXPECT_EQ(Fields(drag.Move({110, 140}, DragButtons::LeftUp)), kNone);
    EXPECT_EQ(Fields(drag.Move({110, 150}, kLeft)), kNone);
}

}  // namespace
}  // namespace zelora
