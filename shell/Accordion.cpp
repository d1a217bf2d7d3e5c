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

namespace zelora {

MenuKeyMove MoveInMenu(int from, MenuKey key, MenuGroup expanded)
{
    const auto layout = AccordionLayout(expanded);
    // The shown button nearest above (step -1) or below (+1) a height, by place, not table
    // order: an open group shows its items in their places' order.
    const auto nearest = [&](int y, int step) {
        int found = -1;
        for (int i = 0; i < kMenuButtonCount; ++i) {
            const int top = layout[i].rect.top;
            if (!layout[i].visible || (top - y) * step <= 0) continue;
            if (found < 0 || (top - layout[found].rect.top) * step < 0) found = i;
        }
        return MenuKeyMove{found, false};
    };
    const MenuButton& button = kMenuButtons[from];
    const int y = layout[from].rect.top;
    switch (key) {
    case MenuKey::Down: return nearest(y, 1);
    case MenuKey::Up: return nearest(y, -1);
    case MenuKey::Right:
        if (button.kind != ButtonKind::Group) return {};
        if (button.group != expanded) return {from, true};
        if (const MenuKeyMove first = nearest(y, 1); first.focus >= 0 && kMenuButtons[first.focus].kind == ButtonKind::Item)
            return first;
        return {};
    case MenuKey::Left:
        if (button.kind != ButtonKind::Item) return {};
        for (int i = 0; i < kMenuButtonCount; ++i)
            if (kMenuButtons[i].kind == ButtonKind::Group && kMenuButtons[i].group == button.group) return {i, false};
        return {};
    }
    return {};
}

}  // namespace zelora
