#include "shell/Accordion.h"

namespace zelora {
namespace {

constexpr int kTopX = 25, kTopWidth = 113;
constexpr int kItemX = 40, kItemWidth = 98;
constexpr int kButtonHeight = 18;

// y of each button per layout (nothing, video, sound, caption expanded); 0 = hidden item.
// Columns follow kMenuButtons: 1000 ... 1013.
constexpr int kRows[4][kMenuButtonCount] = {
    // 1000 1001 1002 1003 1004 1005 1006 1007 1008 1009 1010 1011 1012 1013
    {70, 98, 126, 0, 0, 0, 154, 0, 0, 0, 182, 0, 0, 210},
    {70, 98, 126, 149, 172, 195, 218, 0, 0, 0, 246, 0, 0, 274},
    {70, 98, 126, 0, 0, 0, 154, 177, 200, 223, 246, 0, 0, 274},
    // The DivX G400 item (1012) stands above VSFilter (1011).
    {70, 98, 126, 0, 0, 0, 154, 0, 0, 0, 182, 228, 205, 251},
};

}  // namespace

int MenuButtonIndex(int id)
{
    for (int i = 0; i < kMenuButtonCount; ++i)
        if (kMenuButtons[i].controlId == id || kMenuButtons[i].command == id) return i;
    return -1;
}

std::array<ButtonPlacement, kMenuButtonCount> AccordionLayout(MenuGroup expanded)
{
    const int* rows = kRows[static_cast<int>(expanded)];
    std::array<ButtonPlacement, kMenuButtonCount> layout{};
    for (int i = 0; i < kMenuButtonCount; ++i) {
        const bool item = kMenuButtons[i].kind == ButtonKind::Item;
        layout[i].visible = rows[i] != 0;
        const int x = item ? kItemX : kTopX;
        const int width = item ? kItemWidth : kTopWidth;
        layout[i].rect = {x, rows[i], x + width, rows[i] + kButtonHeight};
    }
    return layout;
}

}  // namespace zelora
