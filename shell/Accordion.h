#pragma once
// The menu of fifteen skinned buttons: which buttons exist, what they send, and where the
// accordion puts them for each expanded group.

#include "pages/PageTable.h"
#include "platform/ui/Geometry.h"
#include "resources/skin/Skin.h"

#include <array>

namespace zelora {

enum class ButtonKind {
    Item,      // always sends its command
    TopLevel,  // sends only when it is not the last top-level button pressed
    Group,     // accordion group header; a top-level button for that rule
};

struct MenuButton {
    int controlId;
    int command;
    ButtonKind kind;
    MenuGroup group;  // the group an item belongs to, or the group a header opens
    int normalImage;
    int hoverImage;
    int selectedImage;       // the expanded image for a group header
    int expandedHoverImage;  // group headers only
    bool soundHeaderQuirk;   // draws expanded-hover while held, even when collapsed
    const wchar_t* text;     // never drawn: the window text; screen readers hear its picture's words
    int place = 0;           // an item's place in its group's menu, from 1
};

// The three group headers, in menu order.
inline constexpr MenuButton kGroupHeaders[] = {
    {0, MENU_VIDEO, ButtonKind::Group, MenuGroup::Video,
     skin::kMenuVideoCollapsed.id, skin::kMenuVideoCollapsedHover.id,
     skin::kMenuVideoExpanded.id, skin::kMenuVideoExpandedHover.id, false, L"Video Setup"},
    {0, MENU_SOUND, ButtonKind::Group, MenuGroup::Sound,
     skin::kMenuSoundCollapsed.id, skin::kMenuSoundCollapsedHover.id,
     skin::kMenuSoundExpanded.id, skin::kMenuSoundExpandedHover.id, true, L"Sound Setup"},
    {0, MENU_CAPTION, ButtonKind::Group, MenuGroup::Caption,
     skin::kMenuCaptionCollapsed.id, skin::kMenuCaptionCollapsedHover.id,
     skin::kMenuCaptionExpanded.id, skin::kMenuCaptionExpandedHover.id, false, L"Caption Setup"},
};

inline constexpr int kMenuButtonCount = static_cast<int>(kPageCount + std::size(kGroupHeaders));
inline constexpr int kFirstMenuButtonId = 1000;

// The menu: a button per page in the page table's order, with each group's header just
// before the group's first page; the control ids count up from kFirstMenuButtonId.
constexpr std::array<MenuButton, kMenuButtonCount> MakeMenuButtons()
{
    std::array<MenuButton, kMenuButtonCount> buttons{};
    int n = 0;
    auto add = [&](MenuButton button) {
        button.controlId = kFirstMenuButtonId + n;
        buttons[static_cast<std::size_t>(n++)] = button;
    };
    MenuGroup previous = MenuGroup::None;
    for (const PageRow& page : kPages) {
        if (page.group != MenuGroup::None && page.group != previous)
            for (const MenuButton& header : kGroupHeaders)
                if (header.group == page.group) add(header);
        previous = page.group;
        const PageButton& b = page.button;
        add({0, b.command, page.group == MenuGroup::None ? ButtonKind::TopLevel : ButtonKind::Item,
             page.group, b.normalImage, b.hoverImage, b.hoverImage, 0, false, b.text, page.place});
    }
    return buttons;
}

inline constexpr std::array<MenuButton, kMenuButtonCount> kMenuButtons = MakeMenuButtons();

// Each header came once, so each group's pages stood together.
static_assert(kMenuButtons.back().controlId == kFirstMenuButtonId + kMenuButtonCount - 1,
              "the pages of a group must stand together in kPages");

// Index into kMenuButtons of a control id (1000-1014) or command id, or -1.
constexpr int MenuButtonIndex(int id)
{
    for (int i = 0; i < kMenuButtonCount; ++i)
        if (kMenuButtons[i].controlId == id || kMenuButtons[i].command == id) return i;
    return -1;
}

struct ButtonPlacement {
    bool visible = false;
    Rect rect;  // client pixels of the main window
};

// Where each of the fifteen buttons goes (kMenuButtons order) for the expanded group.
std::array<ButtonPlacement, kMenuButtonCount> AccordionLayout(MenuGroup expanded);

}  // namespace zelora

namespace zelora {

// The arrow keys on a menu button: Up and Down go to the shown button above or below, Right
// opens a closed group (as its press does) or goes into an open one, Left goes from an item
// back to its group's header.
enum class MenuKey { Up, Down, Left, Right };
struct MenuKeyMove {
    int focus = -1;      // the button to focus (kMenuButtons index), or -1: it stays
    bool press = false;  // the focused button is pressed
};
MenuKeyMove MoveInMenu(int from, MenuKey key, MenuGroup expanded);

}  // namespace zelora
