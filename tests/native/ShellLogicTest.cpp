// The main window's portable decisions: hot areas, the accordion and the button images.
#include "shell/Accordion.h"
#include "platform/ui/HotArea.h"
#include "shell/SkinButtonImage.h"
#include "shell/InstallCheck.h"
#include "FakePageControls.h"

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

struct LayoutRow {
    MenuGroup group;
    int y[kMenuButtonCount];  // 0 = hidden
};

TEST(Accordion, LayoutsMatchTheMenuTable)
{
    const LayoutRow rows[] = {
        {MenuGroup::None, {70, 98, 126, 0, 0, 0, 154, 0, 0, 0, 182, 0, 0, 210}},
        {MenuGroup::Video, {70, 98, 126, 149, 172, 195, 218, 0, 0, 0, 246, 0, 0, 274}},
        {MenuGroup::Sound, {70, 98, 126, 0, 0, 0, 154, 177, 200, 223, 246, 0, 0, 274}},
        {MenuGroup::Caption, {70, 98, 126, 0, 0, 0, 154, 0, 0, 0, 182, 228, 205, 251}},
    };
    for (const auto& row : rows) {
        const auto layout = AccordionLayout(row.group);
        for (int i = 0; i < kMenuButtonCount; ++i) {
            SCOPED_TRACE(kMenuButtons[i].controlId);
            EXPECT_EQ(layout[i].visible, row.y[i] != 0);
            if (!layout[i].visible) continue;
            const bool item = kMenuButtons[i].kind == ButtonKind::Item;
            EXPECT_EQ(layout[i].rect.top, row.y[i]);
            EXPECT_EQ(layout[i].rect.left, item ? 40 : 25);
            EXPECT_EQ(layout[i].rect.Width(), item ? 98 : 113);
            EXPECT_EQ(layout[i].rect.Height(), 18);
        }
    }
}

TEST(Accordion, ButtonsAreFoundByControlOrCommandId)
{
    EXPECT_EQ(MenuButtonIndex(1005), 5);
    EXPECT_EQ(MenuButtonIndex(MENU_VIDEO_XVID), 5);
    EXPECT_EQ(MenuButtonIndex(MENU_CAPTION_DIVXG400), 12);
    EXPECT_EQ(MenuButtonIndex(999), -1);
}

TEST(SkinButtonImage, DrawChoiceTable)
{
    const auto& item = kMenuButtons[3];    // Video FFDShow
    const auto& video = kMenuButtons[2];   // Video Setup
    const auto& sound = kMenuButtons[6];   // Sound Setup
    struct Case {
        const MenuButton* button;
        bool flag, held;
        ButtonImage image;
    };
    const Case cases[] = {
        {&item, true, false, ButtonImage::Selected},
        {&item, true, true, ButtonImage::Selected},
        {&item, false, true, ButtonImage::Selected},
        {&item, false, false, ButtonImage::Normal},
        {&video, true, false, ButtonImage::Selected},
        {&video, true, true, ButtonImage::Selected},
        {&video, false, true, ButtonImage::Selected},
        {&video, false, false, ButtonImage::Normal},
        {&sound, true, false, ButtonImage::Selected},
        {&sound, true, true, ButtonImage::ExpandedHover},
        {&sound, false, true, ButtonImage::ExpandedHover},
        {&sound, false, false, ButtonImage::Normal},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button->controlId);
        EXPECT_EQ(ImageForDraw(*c.button, c.flag, c.held), c.image) << c.flag << c.held;
    }
    EXPECT_EQ(ImageId(sound, ButtonImage::ExpandedHover), 214);
    EXPECT_EQ(ImageId(video, ButtonImage::Selected), 223);
}

TEST(SkinButtonImage, HoverTracking)
{
    const auto& item = kMenuButtons[5];
    const auto& caption = kMenuButtons[10];
    EXPECT_EQ(ImageForHover(item, false, true), ButtonImage::Hover);
    EXPECT_EQ(ImageForHover(item, false, false), ButtonImage::Normal);
    EXPECT_EQ(ImageForHover(item, true, false), ButtonImage::Selected);  // stays dark
    EXPECT_EQ(ImageForHover(caption, true, true), ButtonImage::ExpandedHover);
    EXPECT_EQ(ImageForHover(caption, false, true), ButtonImage::Hover);
    EXPECT_EQ(ImageForHover(caption, true, false), ButtonImage::Selected);
}

}  // namespace
}  // namespace zelora

namespace zelora {
namespace {

TEST(InstallCheck, OnlyAStoredZeroThatCanBeSetToOneClaimsTheFirstRun)
{
    struct Case {
        std::optional<std::int32_t> stored;
        bool refused;
        FirstRun result;
        std::int32_t after;
    };
    const Case cases[] = {
        {0, false, FirstRun::Claimed, 1},
        {0, true, FirstRun::Refused, 0},  // a standard user: no reset, every start alike
        {1, false, FirstRun::No, 1},
        {7, false, FirstRun::No, 7},
        {std::nullopt, false, FirstRun::No, RegistryStore::MissingDword},
    };
    for (const Case& c : cases) {
        pagetest::RecordingRegistry registry;
        RegistryStore store(registry);
        if (c.stored) store.WriteDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall", *c.stored);
        if (c.refused) registry.refuseWritesUnder = RegRoot::LocalMachine;
        EXPECT_EQ(ClaimFirstRun(store), c.result) << c.stored.value_or(-1);
        EXPECT_EQ(store.ReadDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall"), c.after);
    }
}

}  // namespace
}  // namespace zelora
