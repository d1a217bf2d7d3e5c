#pragma once
// What the menu remembers for the life of the process (never stored): the top-level button
// pressed last, and the page last shown in each group (1 = the group's first page).

namespace zelora {

struct MenuMemory {
    int lastTopButton = -1;  // index into kMenuButtons, -1 before any press
    // Each a page's place in its group's menu (PageRow::place).
    int lastVideoPage = 1;
    int lastSoundPage = 1;
    int lastCaptionPage = 1;
};

// The process-wide instance the buttons and the main window share.
MenuMemory& TheMenuMemory();

}  // namespace zelora
