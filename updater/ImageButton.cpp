#include "updater/ImageButton.h"

#include "platform/win/Accessible.h"
#include "platform/win/KeyboardFocus.h"
#include "platform/win/Painter.h"

namespace zelora::updater {

bool ImageButton::Attach(HWND dialog, const ImageButtonSkin& skin)
{
    m_hwnd = ::GetDlgItem(dialog, skin.controlId);
    m_width = skin.width;
    m_height = skin.height;
    m_up = win::LoadSkinBitmap(skin.up);
    m_selected = win::LoadSkinBitmap(skin.selected);
    m_focus = win::LoadSkinBitmap(skin.focus);
    if (skin.disabled) m_disabled = win::LoadSkinBitmap(skin.disabled);
    if (!m_hwnd || !m_up || !m_selected || !m_focus || (skin.disabled && !m_disabled)) return false;
    ::MoveWindow(m_hwnd, skin.x, skin.y, skin.width, skin.height, FALSE);
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
