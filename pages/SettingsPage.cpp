#include "pages/SettingsPage.h"

#include "pages/NumericEdit.h"
#include "platform/registry/Win32Registry.h"
#include "platform/win/Controls.h"

#include <commctrl.h>

#include <algorithm>

namespace zelora {
namespace {


constexpr COLORREF kBackground = RGB(kPageBackground.red, kPageBackground.green,
                                     kPageBackground.blue);

// The notification by which a control of this type reports a change of its value.
int ChangeCode(ControlType type)
{
    switch (type) {
    case ControlType::CheckBox:
    case ControlType::RadioButton: return BN_CLICKED;
    case ControlType::DropDownCombo: return CBN_SELCHANGE;
    case ControlType::NumericEdit: return EN_CHANGE;
    case ControlType::Spin:
    case ControlType::Static: break;
    }
    return -1;
}

// Controls widened to show their whole label stop this far short of the next control on
// their row, or of the page's right edge.
constexpr int kLabelGap = 4;
constexpr int kPageMargin = 10;
// Between a check box's square and its text.
constexpr int kBoxTextGap = 6;

// Pixels the control needs to show its whole text in its own font.
// Pixels `text` takes in the control's own font.
int TextWidth(HWND control, std::wstring_view text)
{
    win::WindowDc dc(control);
    const auto font = reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0));
    win::SelectGuard select(dc.Get(), font ? font : ::GetStockObject(DEFAULT_GUI_FONT));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.data(), static_cast<int>(text.size()), &size);
    return size.cx;
}

int LabelWidth(HWND control, ControlType type)
{
    const std::wstring text = win::Wide(win::Control(control).Text());
    if (text.empty()) return 0;
    const bool hasBox = type == ControlType::CheckBox || type == ControlType::RadioButton;
    return TextWidth(control, text) +
           (hasBox ? ::GetSystemMetrics(SM_CXMENUCHECK) + kBoxTextGap : 0);
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

// A numeric edit drops every typed character but digits, the minus sign, the full stop
// and backspace.
LRESULT CALLBACK NumericEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR)
{
    if (msg == WM_CHAR && !IsNumericEditChar(static_cast<char32_t>(wParam))) return 0;
    if (msg == WM_NCDESTROY) ::RemoveWindowSubclass(hwnd, &NumericEditProc, id);
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace

SettingsPage::SettingsPage(const PageDescription& description, RegistryBackend& registry)
    : Page(description.templateId),
      m_description(description),
      m_store(registry),
      m_model(m_store, *this,
              {description.enables,
               [decoder = description.decoder] {
                   return InstalledDecoders::IsInstalled(decoder);
               }}),
      m_backgroundBrush(::CreateSolidBrush(kBackground))
{
}

void SettingsPage::Load() { m_model.Load(m_description.values); }

void SettingsPage::Layout()
{
    if (m_model.LaidOut()) return;
    m_model.Layout(m_description.controls);
    for (const PageControl& control : m_description.controls)
        if (control.besideId != 0) PlaceBeside(control.id, control.besideId);
}

void SettingsPage::ResetDefaults() { m_model.ResetDefaults(m_description.values); }

void SettingsPage::RefreshControls() { m_model.PushTexts(); }

void SettingsPage::Shown()
{
    RefreshControls();
    // The skin is painted over the whole page, so its controls are drawn again after it.
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsPage::SaveAll() { m_model.SaveAll(m_description.values); }

BOOL SettingsPage::OnInit()
{
    for (const PageControl& control : m_description.controls) {
        if (control.type == ControlType::NumericEdit)
            ::SetWindowSubclass(Item(control.id), &NumericEditProc, 0, 0);
    }
    // The dialog's first exchange: the edits show the (still empty) member texts.
    m_model.PushTexts();
    return TRUE;
}

bool SettingsPage::OnCommand(int id, int code, HWND)
{
    // Setting an edit's text reports a change at once; while the page exchanges its texts
    // those reports are its own doing and write nothing.
    if (m_model.Exchanging()) return true;
    return OnControlNotification(id, code);
}

bool SettingsPage::OnControlNotification(int id, int code)
{
    const PageControl* control = FindControl(id);
    if (control == nullptr || code != ChangeCode(control->type)) return false;
    return m_model.OnControlChanged(m_description.values, id);
}

bool SettingsPage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kBackground);
    for (const SkinBitmap& bitmap : m_description.bitmaps) {
        const Place& at = bitmap.place;
        buffer.Draw(SkinImage(bitmap.id), at.x, at.y, at.IsSet() ? at.width : -1,
                    at.IsSet() ? at.height : -1);
    }
    PaintOverSkin(buffer);
    return true;
}

HBITMAP SettingsPage::SkinImage(int id) { return m_bitmaps.Get(id); }

HBRUSH SettingsPage::OnControlColor(HDC dc, HWND, UINT msg)
{
    // Statics, check boxes and radio buttons sit on the page's own grey.
    if (msg != WM_CTLCOLORSTATIC) return nullptr;
    ::SetBkColor(dc, kBackground);
    return m_backgroundBrush.Get();
}

// ---------------------------------------------------------------------------------------
// PageControls

void SettingsPage::SetCheck(int id, int state) { win::CheckBox(Hwnd(), id).SetCheck(state); }

int SettingsPage::GetCheck(int id) const { return win::CheckBox(Hwnd(), id).GetCheck(); }

void SettingsPage::FillCombo(int id, std::span<const ChoiceItem> items)
{
    const win::ComboBox combo(Hwnd(), id);
    combo.ResetContent();
    // The dropped list is as wide as its longest entry, within the page: entries such as
    // VSFilter's picture modes are sentences, and cut short they read alike.
    int widest = 0;
    for (const ChoiceItem& item : items) {
        combo.AddString(item.label);
        widest = std::max(widest, TextWidth(combo.Hwnd(), win::Wide(item.label)));
    }
    combo.SetDroppedWidth(std::min(widest + ::GetSystemMetrics(SM_CXVSCROLL) + kLabelGap,
                                   kPageWidth - 2 * kPageMargin));
}

void SettingsPage::SetComboIndex(int id, int index)
{
    win::ComboBox(Hwnd(), id).SetCurSel(index);  // -1 clears the selection
}

int SettingsPage::GetComboIndex(int id) const
{
    const int index = win::ComboBox(Hwnd(), id).GetCurSel();
    return index == CB_ERR ? kNoSelection : index;
}

void SettingsPage::SetRadio(int firstId, int index)
{
    const int count = RadioCount(firstId);
    for (int i = 0; i < count; ++i)
        win::CheckBox(Hwnd(), firstId + i).SetCheck(i == index ? BST_CHECKED : BST_UNCHECKED);
}

int SettingsPage::GetRadio(int firstId) const
{
    const int count = RadioCount(firstId);
    for (int i = 0; i < count; ++i)
        if (win::CheckBox(Hwnd(), firstId + i).GetCheck() == BST_CHECKED) return i;
    return kNoSelection;
}

void SettingsPage::SetEditText(int id, std::string_view text) { m_texts[id] = text; }

std::string SettingsPage::GetEditText(int id) const
{
    const auto found = m_texts.find(id);
    return found == m_texts.end() ? std::string() : found->second;
}

void SettingsPage::SetSpinRange(int spinId, int min, int max)
{
    win::UpDown(Hwnd(), spinId).SetRange(min, max);
}

void SettingsPage::SetNumber(NumberKey key, std::int32_t value) { m_numbers[key] = value; }

std::int32_t SettingsPage::GetNumber(NumberKey key) const
{
    const auto found = m_numbers.find(key);
    return found == m_numbers.end() ? 0 : found->second;
}

void SettingsPage::PushTexts()
{
    // Setting an edit's text puts its caret at the start, so the next typed digit would
    // land in front of the others: only texts that differ are set, and the edit being
    // typed into gets its caret back at the end.
    for (const PageControl& control : m_description.controls) {
        if (control.type != ControlType::NumericEdit) continue;
        const win::Edit edit(Hwnd(), control.id);
        const std::string text = GetEditText(control.id);
        if (edit.Text() == text) continue;
        edit.SetText(text);
        if (::GetFocus() == edit.Hwnd()) edit.CaretToEnd();
    }
}

void SettingsPage::PullTexts()
{
    for (const PageControl& control : m_description.controls) {
        if (control.type != ControlType::NumericEdit) continue;
        m_texts[control.id] = win::Control(Hwnd(), control.id).Text();
    }
}

void SettingsPage::EnableControl(int id, bool enable) { win::Control(Hwnd(), id).Enable(enable); }

void SettingsPage::MoveControl(int id, const Place& place)
{
    // The places were drawn for the dialog font's usual metrics; where the font at hand is
    // wider, a label grows into the free room on its row instead of being cut off.
    int width = place.width;
    const PageControl* control = FindControl(id);
    const bool labelled = control != nullptr && (control->type == ControlType::CheckBox ||
                                                 control->type == ControlType::RadioButton ||
                                                 control->type == ControlType::Static);
    if (labelled) {
        const int needed = LabelWidth(Item(id), control->type);
        const int room = RoomAt(m_description.controls, place);
        if (needed > width) width = std::min(needed, std::max(width, room));
    }
    ::MoveWindow(Item(id), place.x, place.y, width, place.height, TRUE);
}

void SettingsPage::PlaceBeside(int id, int titleId)
{
    const RECT title = win::ClientRectOf(Item(titleId));
    RECT self{};
    ::GetWindowRect(Item(id), &self);
    const int height = self.bottom - self.top;  // a combo box's closed height
    const int y = title.top + ((title.bottom - title.top) - height) / 2;
    // Moved only: a combo box's size includes its dropped list.
    ::SetWindowPos(Item(id), nullptr, title.right + kLabelGap, y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------------------------------

const PageControl* SettingsPage::FindControl(int id) const
{
    for (const PageControl& control : m_description.controls)
        if (control.id == id) return &control;
    return nullptr;
}

int SettingsPage::RadioCount(int firstId) const
{
    const ValueRow* row = PageModel::FindRow(m_description.values, firstId);
    if (row == nullptr || row->kind != &kRadioKind) return 0;
    return static_cast<int>(row->choice->items.size());
}

}  // namespace zelora
