#include "platform/win/KeyboardFocus.h"

#include "platform/win/Dialog.h"

#include <algorithm>

namespace zelora::win {
namespace {

// Set on a top-level window once a navigation key was pressed in it.
constexpr wchar_t kMarksProperty[] = L"Zelora.FocusMarks";

bool KeyDown(const MSG& msg, WPARAM key) { return msg.message == WM_KEYDOWN && msg.wParam == key; }
bool Held(int key) { return (::GetKeyState(key) & 0x8000) != 0; }

bool IsNavigationKey(WPARAM key)
{
    switch (key) {
    case VK_TAB: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: case VK_RETURN: case VK_SPACE:
        return true;
    default:
        return false;
    }
}

bool IsClass(HWND hwnd, const wchar_t* name)
{
    wchar_t cls[32]{};
    ::GetClassNameW(hwnd, cls, 32);
    return ::lstrcmpiW(cls, name) == 0;
}

bool IsPushButton(HWND hwnd)
{
    if (!hwnd || !IsClass(hwnd, L"Button")) return false;
    const LONG type = ::GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_OWNERDRAW;
}

bool Walkable(HWND hwnd) { return ::IsWindowVisible(hwnd) && ::IsWindowEnabled(hwnd); }

void ShowMarks(HWND window)
{
    const HWND root = ::GetAncestor(window, GA_ROOT);
    if (!root || ::GetPropW(root, kMarksProperty)) return;
    ::SetPropW(root, kMarksProperty, reinterpret_cast<HANDLE>(1));
    ::SendMessageW(root, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    // The control that has the focus already draws its mark now.
    if (const HWND focus = ::GetFocus(); focus && (focus == root || ::IsChild(root, focus)))
        ::InvalidateRect(focus, nullptr, FALSE);
}

FocusStop CurrentStop()
{
    const HWND focus = ::GetFocus();
    if (const Dialog* host = Dialog::FromWindow(focus); host && host->Parts() && host->Parts()->FocusedPart() >= 0)
        return {focus, host->Parts()->FocusedPart()};
    return {focus, -1};
}

void FocusOn(const FocusStop& stop)
{
    if (stop.part >= 0) {
        if (Dialog* host = Dialog::FromWindow(stop.window)) host->FocusPart(stop.part);
        return;
    }
    ::SetFocus(stop.window);
    // As the dialog manager does: an edit reached by Tab has its text selected.
    if (::SendMessageW(stop.window, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessageW(stop.window, EM_SETSEL, 0, -1);
}

struct Placed {
    FocusStop stop;
    RECT rect;  // screen
};

void CollectTabStops(std::vector<Placed>& placed, HWND container)
{
    for (HWND child = ::GetWindow(container, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!Walkable(child)) continue;
        if (::GetWindowLongW(child, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) {
            CollectTabStops(placed, child);
            continue;
        }
        if (!(::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP)) continue;
        RECT rect{};
        ::GetWindowRect(child, &rect);
        placed.push_back({{child, -1}, rect});
    }
    const Dialog* host = Dialog::FromWindow(container);
    if (!host || !host->Parts()) return;
    for (int i = 0; i < host->Parts()->FocusPartCount(); ++i) {
        if (!host->Parts()->PartTakesFocus(i)) continue;
        RECT rect = host->Parts()->FocusPartRect(i);
        ::MapWindowPoints(container, nullptr, reinterpret_cast<POINT*>(&rect), 2);
        placed.push_back({{container, i}, rect});
    }
}

}  // namespace

bool FocusMarksShown(HWND window)
{
    const HWND root = ::GetAncestor(window, GA_ROOT);
    if (!root || !::GetPropW(root, kMarksProperty)) return false;
    return !(::SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS);
}

void NoteNavigationKey(const MSG& msg)
{
    if (msg.message == WM_KEYDOWN && IsNavigationKey(msg.wParam) && msg.hwnd) ShowMarks(msg.hwnd);
}

void DrawFocusMark(HDC dc, RECT rect)
{
    ::InflateRect(&rect, -2, -2);
    ::DrawFocusRect(dc, &rect);
}

bool PressFocusedButton(const MSG& msg, bool focusByKeyboard)
{
    if (!(KeyDown(msg, VK_RETURN) && focusByKeyboard) && !KeyDown(msg, VK_SPACE)) return false;
    if (msg.hwnd != ::GetFocus() || !IsPushButton(msg.hwnd)) return false;
    // Not the button's own Space handling: a click runs what the mouse runs, once.
    ::SendMessageW(msg.hwnd, BM_CLICK, 0, 0);
    return true;
}

void AppendTabStops(FocusStops& stops, HWND container)
{
    std::vector<Placed> placed;
    CollectTabStops(placed, container);
    std::stable_sort(placed.begin(), placed.end(),
                     [](const Placed& a, const Placed& b) { return a.rect.top < b.rect.top; });
    // A row: the stops whose middle lies beside its first one, from the left.
    for (auto row = placed.begin(); row != placed.end();) {
        const LONG bottom = row->rect.bottom;
        auto end = std::find_if(row, placed.end(),
                                [&](const Placed& p) { return (p.rect.top + p.rect.bottom) / 2 >= bottom; });
        if (end == row) ++end;
        std::stable_sort(row, end, [](const Placed& a, const Placed& b) { return a.rect.left < b.rect.left; });
        for (auto it = row; it != end; ++it) stops.push_back(it->stop);
        row = end;
    }
}

bool KeyboardFocus::PreTranslate(const MSG& msg)
{
    if (msg.message != WM_KEYDOWN) return false;
    const FocusStop current = CurrentStop();
    const bool onPart = current.part >= 0;
    if (onPart && Dialog::FromWindow(current.window)->Parts()->PartKey(current.part, msg.wParam)) return true;
    switch (msg.wParam) {
    case VK_TAB:
        if (Held(VK_CONTROL) || Held(VK_MENU)) return false;
        if (!onPart && current.window && (::SendMessageW(current.window, WM_GETDLGCODE, VK_TAB,
                                                         reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB))
            return false;
        Move(Held(VK_SHIFT) ? -1 : 1);
        return true;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        if (!onPart) return false;
        Move(msg.wParam == VK_LEFT || msg.wParam == VK_UP ? -1 : 1);
        return true;
    case VK_RETURN:
    case VK_SPACE:
        if (!onPart) return false;
        if (const Dialog* host = Dialog::FromWindow(current.window)) host->Parts()->ActivatePart(current.part);
        return true;
    default:
        return false;
    }
}

void KeyboardFocus::Move(int step)
{
    FocusStops stops;
    m_order(stops);
    std::erase_if(stops, [](const FocusStop& s) { return !s.window || !Walkable(s.window); });
    if (stops.empty()) return;
    const FocusStop current = CurrentStop();
    const auto n = static_cast<int>(stops.size());
    int at = -1;
    for (int i = 0; i < n && at < 0; ++i) {
        const FocusStop& s = stops[static_cast<std::size_t>(i)];
        // A control's inner window (a list's header, an editable list's edit) counts as it.
        if (s == current || (s.part < 0 && current.part < 0 && ::IsChild(s.window, current.window))) at = i;
    }
    const int next = at < 0 ? (step > 0 ? 0 : n - 1) : (at + step + n) % n;
    FocusOn(stops[static_cast<std::size_t>(next)]);
}

}  // namespace zelora::win
