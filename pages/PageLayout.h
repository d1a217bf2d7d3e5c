#pragma once
// Where a settings page's controls go beyond their table places: labels widened to their
// text in the font at hand, lists put beside their titles, dropped lists as wide as their
// entries.

#include "pages/PageFrame.h"
#include "pages/ValueRow.h"

#include <windows.h>

#include <span>
#include <string_view>

namespace zelora {

// Pixels `text` takes in the control's own font.
int TextWidth(HWND control, std::wstring_view text);

// The width a labelled control (check box, radio button, static) gets at `place`: its
// table width, or more when its label needs it and its row has room for it up to the next
// placed control of `controls` or the page's margin.
int LabelledWidth(HWND control, ControlType type, const Place& place,
                  std::span<const PageControl> controls);

// Moves `control` just right of `title`, centred on it; its size stays (a combo box's
// includes its dropped list).
void PlaceBeside(HWND control, HWND title);

// How wide `combo`'s dropped list must be to show its longest entry, within the page.
int DroppedListWidth(HWND combo, std::span<const ChoiceItem> items);

}  // namespace zelora
