#pragma once
// Which DPI a window is laid out for, and the few moves every window makes when it changes.
// A top-level window records its DPI (at creation, and from each WM_DPICHANGED); its
// children, the pages, ask for their top-level window's, so a page laid out after a change
// uses the new one even before the system itself reports it.

#include "platform/ui/Dpi.h"
#include "platform/win/UniqueHandle.h"

#include <windows.h>

namespace zelora::win {

// Before the first window: the process draws for each monitor's DPI itself (per monitor
// v2, else v1, else system-wide), whatever its manifest already said.
void DeclareDpiAwareness();

// The recorded DPI of `window`'s top-level window, else what the system says of the window
// (per monitor where it knows that, else the screen's).
Dpi DpiOf(HWND window);
// What the system says of `window`, ignoring what was recorded.
Dpi SystemDpiOf(HWND window);
// `topLevel` is laid out for `dpi` from now on.
void RecordDpi(HWND topLevel, Dpi dpi);

// The system would rescale a dialog and its controls by itself when its DPI changes (per
// monitor v2): our windows do that themselves from their tables, so it must not.
void TakeOverDpiChanges(HWND dialog);

// A system metric (check box square, scroll bar width) as it is at 96 DPI, to be scaled
// for the window at hand.
int MetricAt96(int index);

// `font` as it would have been made for `to` instead of `from`.
UniqueFont FontForDpi(HFONT font, Dpi from, Dpi to);

// Moves and sizes every child of `parent` by to/from and gives each `font` (when not
// null): what the dialog manager did for the template at `from`, done again at `to`.
void RescaleChildren(HWND parent, Dpi from, Dpi to, HFONT font);

// A window rectangle in `window`'s own pixels.
inline RECT ToRect(const Rect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace zelora::win
