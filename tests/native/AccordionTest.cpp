// The main window's accordion: which menu buttons each group shows, and where.
#include "shell/Accordion.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

struct LayoutRow {
    MenuGroup group;
    int y[kMenuButtonCount];  // 0 = hidden
};

TEST(Accordion, LayoutsMatchTheMenuTable)
{
    const LayoutRow rows[] = {
        {MenuGroup::None, {70, 98, 126, 0, 0, 0, 154, 0, 0, 0, 182, 0, 0, 210, 238}},
        {MenuGroup::Video, {70, 98, 126, 149, 172, 195, 218, 0, 0, 0, 246, 0, 0, 274, 302}},
        {MenuGroup::Sound, {70, 98, 126, 0, 0, 0, 154, 177, 200, 223, 246, 0, 0, 274, 302}},
        {MenuGroup::Caption, {70, 98, 126, 0, 0, 0, 154, 0, 0, 0, 182, 228, 205, 251, 279}},
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

}  // namespace
}  // namespace zelora
