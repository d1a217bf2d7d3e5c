#include "updater/ImageButton.h"

#include "platform/win/Accessible.h"
#include "platform/win/KeyboardFocus.h"
#include "platform/win/Painter.h"

namespace zelora::updater {

bool ImageButton::Attach(HWND dialog, const ImageButtonSkin& skin, Dpi dpi)
{
    m_hwnd = ::GetDlgItem(dialog, skin.controlId);
    const Rect at = dpi(Rect{skin.x, skin.y, skin.x + skin.width, skin.y + skin.height});
    m_width = at.Width();
    m_height = at.Height();
    m_up = win::LoadSkinBitmap(skin.up, dpi.Value());
    m_selected = win::LoadSkinBitmap(skin.selected, dpi.Value());
    m_focus = win::LoadSkinBitmap(skin.focus, dpi.Value());
    if (skin.disabled) m_disabled = win::LoadSkinBitmap(skin.disabled, dpi.Value());
    if (!m_hwnd || !m_up || !m_selected || !m_focus || (skin.disabled && !m_disabled)) return false;
    ::MoveWindow(m_hwnd, at.left, at.top, m_width, m_height, FALSE);
    win::SetAccessibleName(m_hwnd, skin.words);
    return true;
}

void ImageButton::Draw(const DRAWITEMSTRUCT& item) const
{
    HBITMAP image = m_up.Get();
    if ((item.itemState & ODS_DISABLED) && m_disabled) image = m_disabled.Get();
    else if (item.itemState & ODS_SELECTED) image = m_selected.Get();
    else if (item.itemState & ODS_FOCUS) image = m_focus.Get();
    win::DrawBitmap(item.hDC, image, 0, 0, m_width, m_height);
    if ((item.itemState & ODS_FOCUS) && win::FocusMarksShown(m_hwnd)) win::DrawFocusMark(item.hDC, item.rcItem);
}

}  // namespace zelora::updater
