#pragma once
// The typing filter of a page's numeric edit boxes, as a subclass of the edit control.

#include <windows.h>

namespace zelora {

// From now on `edit` drops every typed character that IsNumericEditChar refuses; the
// subclass goes with the window.
void FilterNumericTyping(HWND edit);

}  // namespace zelora
