#include "pages/DialogControls.h"

#include "pages/PageLayout.h"
#include "pages/PageModel.h"
#include "platform/win/Controls.h"
#include "platform/win/WindowDpi.h"

namespace zelora {

void DialogControls::SetCheck(int id, int state) { win::CheckBox(Window(), id).SetCheck(state); }

int DialogControls::GetCheck(int id) const { return win::CheckBox(Window(), id).GetCheck(); }

void DialogControls::FillCombo(int id, std::span<const ChoiceItem> items)
{
    const win::ComboBox combo(Window(), id);
    combo.ResetContent();
    for (const ChoiceItem& item : items) combo.AddString(item.label);
    combo.SetDroppedWidth(DroppedListWidth(combo.Hwnd(), items));
}

void DialogControls::SetComboIndex(int id, int index)
{
    win::ComboBox(Window(), id).SetCurSel(index);  // -1 clears the selection
}

int DialogControls::GetComboIndex(int id) const
{
    const int index = win::ComboBox(Window(), id).GetCurSel();
    return index == CB_ERR ? kNoSelection : index;
}

void DialogControls::SetRadio(int firstId, int index)
{
    const int count = RadioCount(firstId);
    for (int i = 0; i < count; ++i)
        win::CheckBox(Window(), firstId + i).SetCheck(i == index ? BST_CHECKED : BST_UNCHECKED);
}

int DialogControls::GetRadio(int firstId) const
{
    const int count = RadioCount(firstId);
    for (int i = 0; i < count; ++i)
        if (win::CheckBox(Window(), firstId + i).GetCheck() == BST_CHECKED) return i;
    return kNoSelection;
}

void DialogControls::SetEditText(int id, std::string_view text) { m_texts[id] = text; }

std::string DialogControls::GetEditText(int id) const
{
    const auto found = m_texts.find(id);
    return found == m_texts.end() ? std::string() : found->second;
}

void DialogControls::SetSpinRange(int spinId, int min, int max)
{
    win::UpDown(Window(), spinId).SetRange(min, max);
}

void DialogControls::SetNumber(NumberKey key, std::int32_t value) { m_numbers[key] = value; }

std::int32_t DialogControls::GetNumber(NumberKey key) const
{
    const auto found = m_numbers.find(key);
    return found == m_numbers.end() ? 0 : found->second;
}

void DialogControls::PushTexts()
{
    for (const PageControl& control : m_controls)
        if (control.type == ControlType::NumericEdit) PushText(control.id);
}

void DialogControls::PushText(int id)
{
    // Setting an edit's text puts its caret at the start, so the next typed digit would
    // land in front of the others: only a text that differs is set, and the edit being
    // typed into gets its caret back at the end.
    const win::Edit edit(Window(), id);
    const std::string text = GetEditText(id);
    if (edit.Text() == text) return;
    edit.SetText(text);
    if (::GetFocus() == edit.Hwnd()) edit.CaretToEnd();
}

void DialogControls::PullTexts()
{
    for (const PageControl& control : m_controls) {
        if (control.type != ControlType::NumericEdit) continue;
        m_texts[control.id] = win::Control(Window(), control.id).Text();
    }
}

void DialogControls::EnableControl(int id, bool enable) { win::Control(Window(), id).Enable(enable); }

void DialogControls::MoveControl(int id, const Place& place)
{
    const HWND window = ::GetDlgItem(Window(), id);
    const Rect at = win::DpiOf(window).Edges({place.x, place.y, place.x + place.width, place.y + place.height});
    int width = at.Width();
    const PageControl* control = FindControl(id);
    if (control != nullptr && (control->type == ControlType::CheckBox ||
                               control->type == ControlType::RadioButton ||
                               control->type == ControlType::Static))
        width = LabelledWidth(window, control->type, place, m_controls);
    ::MoveWindow(window, at.left, at.top, width, at.Height(), TRUE);
}

const PageControl* DialogControls::FindControl(int id) const
{
    for (const PageControl& control : m_controls)
        if (control.id == id) return &control;
    return nullptr;
}

int DialogControls::RadioCount(int firstId) const
{
    const ValueRow* row = PageModel::FindRow(m_values, firstId);
    if (row == nullptr || row->kind != &kRadioKind) return 0;
    return static_cast<int>(row->choice->items.size());
}

}  // namespace zelora
