#include "shell/Accordion.h"

namespace zelora {
namespace {

constexpr int kTopX = 25, kTopWidth = skin::kMenuConnectNormal.width;
constexpr int kItemX = 40, kItemWidth = skin::kMenuVideoXvidNormal.width;
constexpr int kButtonHeight = skin::kMenuConnectNormal.height;
constexpr int kFirstTop = 70;
constexpr int kTopPitch = 28;   // from a top-level or header button to the next
constexpr int kItemPitch = 23;  // within an open group, and from its last item on

}  // namespace

std::array<ButtonPlacement, kMenuButtonCount> AccordionLayout(MenuGroup expanded)
{
    std::array<ButtonPlacement, kMenuButtonCount> layout{};
    int y = kFirstTop;   // of the next top-level or header button
    int headerY = 0;     // of the open group's header
    for (int i = 0; i < kMenuButtonCount; ++i) {
        const MenuButton& button = kMenuButtons[i];
        const bool item = button.kind == ButtonKind::Item;
        int top = 0;  // a hidden item keeps 0
        if (!item) {
            top = y;
            const bool opens = button.kind == ButtonKind::Group && button.group == expanded;
            if (opens) headerY = top;
            y += opens ? kItemPitch * (GroupSize(expanded) + 1) : kTopPitch;
        } else if (button.group == expanded) {
            top = headerY + kItemPitch * button.place;  // the items stand in their places' order
        }
        layout[i].visible = top != 0;
        const int x = item ? kItemX : kTopX;
        const int width = item ? kItemWidth : kTopWidth;
        layout[i].rect = {x, top, x + width, top + kButtonHeight};
    }
    return layout;
}

}  // namespace zelora
