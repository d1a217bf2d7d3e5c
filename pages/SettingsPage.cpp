#include "pages/SettingsPage.h"

#include "pages/NumericEditFilter.h"
#include "pages/PageLayout.h"

namespace zelora {
namespace {

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

}  // namespace

SettingsPage::SettingsPage(const PageDescription& description, RegistryBackend& registry)
    : Page(description.templateId),
      m_description(description),
      m_store(registry),
      m_controls(*this, m_description.controls, m_description.values),
      m_model(m_store, m_controls,
              {description.enables,
               [decoder = description.decoder] {
                   return InstalledDecoders::IsInstalled(decoder);
               }}),
      m_backgroundBrush(::CreateSolidBrush(kPageBackgroundColor))
{
}

void SettingsPage::Load() { m_model.Load(m_description.values); }

void SettingsPage::Layout()
{
    if (m_model.LaidOut()) return;
    m_model.Layout(m_description.controls);
    for (const PageControl& control : m_description.controls)
        if (control.besideId != 0) PlaceBeside(Item(control.id), Item(control.besideId));
}

void SettingsPage::DpiChanged(Dpi from, Dpi to)
{
    Page::DpiChanged(from, to);
    if (!m_model.LaidOut()) return;  // the first layout comes at the page's first show
    for (const PageControl& control : m_description.controls) {
        if (control.place.IsSet()) m_controls.MoveControl(control.id, control.place);
        if (control.besideId != 0) PlaceBeside(Item(control.id), Item(control.besideId));
    }
}

void SettingsPage::ResetDefaults()
{
    if (m_description.resetNeedsDecoder && !DecoderInstalled()) return;
    m_model.ResetDefaults(m_description.values);
}

void SettingsPage::RefreshControls() { m_model.PushTexts(); }

void SettingsPage::OnShown()
{
    RefreshControls();
    // The skin is painted over the whole page, so its controls are drawn again after it.
    ::RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void SettingsPage::SaveAll() { m_model.SaveAll(m_description.values); }

BOOL SettingsPage::OnInit()
{
    for (const PageControl& control : m_description.controls) {
        if (control.type == ControlType::NumericEdit) FilterNumericTyping(Item(control.id));
        if (control.name) win::SetAccessibleName(Item(control.id), control.name);
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
    const PageControl* control = m_controls.FindControl(id);
    if (control == nullptr || code != ChangeCode(control->type)) return false;
    return m_model.OnControlChanged(m_description.values, id);
}

bool SettingsPage::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Fill(kPageBackgroundColor);
    DrawSkin(buffer, m_description.bitmaps, m_bitmaps);
    PaintOverSkin(buffer);
    return true;
}

HBITMAP SettingsPage::SkinImage(int id) { return m_bitmaps.Get(id, WindowDpi()); }

HBRUSH SettingsPage::OnControlColor(HDC dc, HWND, UINT msg)
{
    // Statics, check boxes and radio buttons sit on the page's own grey.
    if (msg != WM_CTLCOLORSTATIC) return nullptr;
    ::SetBkColor(dc, kPageBackgroundColor);
    return m_backgroundBrush.Get();
}

}  // namespace zelora
