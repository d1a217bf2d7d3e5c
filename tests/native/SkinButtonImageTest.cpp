// Which picture a menu button shows, for its state and the pointer.
#include "shell/Accordion.h"
#include "shell/SkinButtonImage.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

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
    EXPECT_EQ(ImageId(sound, ButtonImage::ExpandedHover), skin::kMenuSoundExpandedHover.id);
    EXPECT_EQ(ImageId(video, ButtonImage::Selected), skin::kMenuVideoExpanded.id);
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
