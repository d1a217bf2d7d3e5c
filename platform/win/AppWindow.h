#pragma once
// What both programs' main windows do alike as top-level windows: an About entry in the
// system menu, the program's icon (big and small), and the icon drawn while minimised.

#include <windows.h>

namespace zelora::win {

// Adds, after a separator, the command `commandId` with the text of string resource
// `textId`; nothing when that string is empty or missing.
void AddAboutToSystemMenu(HWND window, UINT textId, UINT commandId);

// Gives the window `icon` as its big and small icon.
void SetWindowIcon(HWND window, HICON icon);

// The WM_PAINT of a minimised window: its icon background erased, the icon centred.
// False when the window is not minimised (the caller paints as usual).
bool PaintIfMinimised(HWND window, HICON icon);

}  // namespace zelora::win
