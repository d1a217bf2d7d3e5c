#include "pages/NumericEditFilter.h"

#include "pages/NumericEdit.h"

#include <commctrl.h>

namespace zelora {
namespace {

LRESULT CALLBACK NumericEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR)
{
    if (msg == WM_CHAR && !IsNumericEditChar(static_cast<char32_t>(wParam))) return 0;
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &NumericEditProc, id);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

void FilterNumericTyping(HWND edit) { ::SetWindowSubclass(edit, &NumericEditProc, 0, 0); }

}  // namespace zelora
