#pragma once
// The menu of fourteen skinned buttons: which buttons exist, what they send, and where the
// accordion puts them for each expanded group.

#include "platform/ui/Geometry.h"

#include <array>

namespace zelora {

enum class MenuGroup { None, Video, Sound, Caption };

enum class ButtonKind {
    Item,      // always sends its command
    TopLevel,  // sends only when it is not the last top-level button pressed
    Group,     // accordion group header; a top-level button for that rule
};

// The commands the menu buttons send.
enum MenuCommand : int {
    MENU_CONNECT = 32771,
    MENU_UPDATA = 32772,
    MENU_VIDEO_DIVX = 32773,
    MENU_VIDEO_FFDSHOW = 32774,
    MENU_VIDEO_XVID = 32775,
    MENU_SOUND_AC3 = 32776,
    MENU_SOUND_KORRIN = 32777,
    MENU_SOUND_FFDSHOW = 32778,
    MENU_CAPTION_DIVXG400 = 32779,
    MENU_CAPTION_VSFILTER = 32780,
    MENU_FSINTRO = 32781,
    MENU_VIDEO = 32782,
    MENU_SOUND = 32783,
    MENU_CAPTION = 32784,
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
    const wchar_t* text;     // never drawn: the name accessibility tools read
};

inline constexpr int kMenuButtonCount = 14;
inline constexpr int kFirstMenuButtonId = 1000;

inline constexpr std::array<MenuButton, kMenuButtonCount> kMenuButtons = {{
    {1000, MENU_CONNECT, ButtonKind::TopLevel, MenuGroup::None, 204, 205, 205, 0, false, L"Codec Connect"},
    {1001, MENU_UPDATA, ButtonKind::TopLevel, MenuGroup::None, 218, 219, 219, 0, false, L"Codec Updata"},
    {1002, MENU_VIDEO, ButtonKind::Group, MenuGroup::Video, 220, 227, 223, 224, false, L"Video Setup"},
    {1003, MENU_VIDEO_FFDSHOW, ButtonKind::Item, MenuGroup::Video, 225, 226, 226, 0, false, L"Video FFDShow"},
    {1004, MENU_VIDEO_DIVX, ButtonKind::Item, MenuGroup::Video, 221, 222, 222, 0, false, L"Video Divx"},
    {1005, MENU_VIDEO_XVID, ButtonKind::Item, MenuGroup::Video, 228, 229, 229, 0, false, L"Video Xvid"},
    {1006, MENU_SOUND, ButtonKind::Group, MenuGroup::Sound, 210, 217, 213, 214, true, L"Sound Setup"},
    {1007, MENU_SOUND_FFDSHOW, ButtonKind::Item, MenuGroup::Sound, 215, 216, 216, 0, false, L"Sound FFDShow"},
    {1008, MENU_SOUND_AC3, ButtonKind::Item, MenuGroup::Sound, 208, 209, 209, 0, false, L"Sound AC3"},
    {1009, MENU_SOUND_KORRIN, ButtonKind::Item, MenuGroup::Sound, 211, 212, 212, 0, false, L"Sound Korrin`s"},
    {1010, MENU_CAPTION, ButtonKind::Group, MenuGroup::Caption, 196, 201, 199, 200, false, L"Caption Setup"},
    {1011, MENU_CAPTION_VSFILTER, ButtonKind::Item, MenuGroup::Caption, 202, 203, 203, 0, false, L"Caption VSFilter"},
    {1012, MENU_CAPTION_DIVXG400, ButtonKind::Item, MenuGroup::Caption, 197, 198, 198, 0, false, L"Caption Divx G400"},
    {1013, MENU_FSINTRO, ButtonKind::TopLevel, MenuGroup::None, 206, 207, 207, 0, false, L"F.S Intro"},
}};

// Index into kMenuButtons of a control id (1000-1013) or command id, or -1.
int MenuButtonIndex(int id);

struct ButtonPlacement {
    bool visible = false;
    Rect rect;  // client pixels of the main window
};

// Where each of the fourteen buttons goes (kMenuButtons order) for the expanded group.
std::array<ButtonPlacement, kMenuButtonCount> AccordionLayout(MenuGroup expanded);

}  // namespace zelora
