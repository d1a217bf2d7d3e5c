#include "pages/PageLayout.h"

#include "platform/win/Controls.h"
#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"
#include "platform/win/WindowDpi.h"

#include <algorithm>
#include <string>

namespace zelora {
namespace {

// Controls widened to show their whole label stop this far short of the next control on
// their row, or of the page's right edge.
constexpr int kLabelGap = 4;
constexpr int kPageMargin = 10;
// Between a check box's square and its text.
constexpr int kBoxTextGap = 6;

// Pixels the control needs to show its whole text in its own font.
int LabelWidth(HWND control, ControlType type)
{
    const std::wstring text = win::Wide(win::Control(control).Text());
    if (text.empty()) return 0;
    const bool hasBox = type == ControlType::CheckBox || type == ControlType::RadioButton;
    const Dpi dpi = win::DpiOf(control);
    // The system's check mark metric is the system DPI's; the box is drawn at the window's.
    const int box = dpi(win::MetricAt96(SM_CXMENUCHECK)) + dpi(kBoxTextGap);
    return TextWidth(control, text) + (hasBox ? box : 0);
}

// How wide a control at `at` may grow: up to the next placed control whose rows it shares,
// else up to the page's margin.
int RoomAt(std::span<const PageControl> controls, const Place& at)
{
    int right = kPageWidth - kPageMargin;
    for (const PageControl& other : controls) {
        const Place& p = other.place;
        if (!p.IsSet() || p.x <= at.x) continue;
        const bool sameRow = p.y < at.y + at.height && at.y < p.y + p.height;
        if (sameRow) right = std::min(right, p.x - kLabelGap);
    }
    return right - at.x;
}

}  // namespace

int TextWidth(HWND control, std::wstring_view text)
{
    win::WindowDc dc(control);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    win::SelectGuard select(dc.Get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int LabelledWidth(HWND control, ControlType type, const Place& place,
                  std::span<const PageControl> controls)
{
    // The places were drawn for the dialog font's usual metrics; where the font at hand is
    // wider, a label grows into the free room on its row instead of being cut off.
    const Dpi dpi = win::DpiOf(control);
    const int width = dpi(place.width);
    const int needed = LabelWidth(control, type);
    if (needed <= width) return width;
    const int room = dpi(place.x + RoomAt(controls, place)) - dpi(place.x);
    return std::min(needed, std::max(width, room));
}

void PlaceBeside(HWND control, HWND title)
{
    const RECT titleRect = win::ClientRectOf(title);
    RECT self{};
    ::GetWindowRect(control, &self);
    const int height = self.bottom - self.top;  // a combo box's closed height
    const int y = titleRect.top + ((titleRect.bottom - titleRect.top) - height) / 2;
    ::SetWindowPos(control, nullptr, titleRect.right + win::DpiOf(control)(kLabelGap), y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int DroppedListWidth(HWND combo, std::span<const ChoiceItem> items)
{
    // Entries such as VSFilter's picture modes are sentences, and cut short they read alike.
    int widest = 0;
    for (const ChoiceItem& item : items) widest = std::max(widest, TextWidth(combo, win::Wide(item.label)));
    const Dpi dpi = win::DpiOf(combo);
    return std::min(widest + dpi(win::MetricAt96(SM_CXVSCROLL)) + dpi(kLabelGap),
                    dpi(kPageWidth - 2 * kPageMargin));
}

}  // namespace zelora
