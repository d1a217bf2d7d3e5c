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

TEST(Accordion, ArrowKeysFollowTheShownButtonsByPlace)
{
    // Buttons: 0 Connect, 2 Video header, 3-5 its items, 6 Sound header, 10 Caption header
    // (its items 12 then 11 by place), 13 intro, 14 last.
    struct Row {
        int from;
        MenuKey key;
        MenuGroup expanded;
        int focus;
        bool press;
    };
    using enum MenuKey;
    const Row rows[] = {
        {0, Down, MenuGroup::None, 1, false},      {0, Up, MenuGroup::None, -1, false},       {2, Down, MenuGroup::None, 6, false},
        {2, Down, MenuGroup::Video, 3, false},     {5, Down, MenuGroup::Video, 6, false},     {6, Up, MenuGroup::Video, 5, false},
        {10, Down, MenuGroup::Caption, 12, false}, {12, Down, MenuGroup::Caption, 11, false}, {11, Up, MenuGroup::Caption, 12, false},
        {14, Down, MenuGroup::None, -1, false},    {2, Right, MenuGroup::None, 2, true},      {6, Right, MenuGroup::Video, 6, true},
        {2, Right, MenuGroup::Video, 3, false},    {10, Right, MenuGroup::Caption, 12, false}, {0, Right, MenuGroup::None, -1, false},
        {4, Left, MenuGroup::Video, 2, false},     {11, Left, MenuGroup::Caption, 10, false}, {2, Left, MenuGroup::Video, -1, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.from * 10 + static_cast<int>(row.key));
        const MenuKeyMove move = MoveInMenu(row.from, row.key, row.expanded);
        EXPECT_EQ(move.focus, row.focus);
        EXPECT_EQ(move.press, row.press);
    }
}

}  // namespace
}  // namespace zelora
