#pragma once
// What the menu remembers for the life of the process (never stored): the top-level button
// pressed last, and the page last shown in each group (1 = the group's first page).

namespace zelora {

struct MenuMemory {
    int lastTopButton = -1;  // index into kMenuButtons, -1 before any press
    int lastVideoPage = 1;   // 1 ffdshow video, 2 DivX, 3 Xvid
    int lastSoundPage = 1;   // 1 ffdshow audio, 2 AC3Filter, 3 DTS speaker
    int lastCaptionPage = 1; // 1 DivX G400, 2 VSFilter
};

// The process-wide instance the buttons and the main window share.
MenuMemory& TheMenuMemory();

}  // namespace zelora
