#include "shell/SkinButton.h"

#include "platform/win/Dialog.h"
#include "platform/win/KeyboardFocus.h"
#include "platform/win/Painter.h"
#include "shell/MenuMemory.h"
#include "shell/SkinButtonImage.h"
#include "resources/skin/Skin.h"

#include <commctrl.h>
#include <windowsx.h>

namespace zelora {

MenuMemory& TheMenuMemory()
{
    static MenuMemory memory;
    return memory;
}

SkinButton::~SkinButton()
{
    if (m_hwnd) ::RemoveWindowSubclass(m_hwnd, &SubclassProc, 0);
}

void SkinButton::Attach(HWND parent, const MenuButton& button)
{
    m_parent = parent;
    m_button = &button;
}

void SkinButton::Place(const ButtonPlacement& place, HWND insertAfter)
{
    if (!place.visible) {
        if (m_hwnd) ::ShowWindow(m_hwnd, SW_HIDE);
        m_shownAt.reset();
        return;
    }
    if (m_hwnd && m_shownAt && *m_shownAt == place.rect) return;
    m_width = place.rect.Width();
    m_height = place.rect.Height();
    if (m_hwnd) {
        ::SetWindowPos(m_hwnd, nullptr, place.rect.left, place.rect.top, m_width, m_height,
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
        m_shownAt = place.rect;
        return;
    }
    // Painted only from the message loop, so shown at once and subclassed before any paint.
    m_hwnd = ::CreateWindowExW(0, L"BUTTON", m_button->text,
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, place.rect.left,
                               place.rect.top, m_width, m_height, m_parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_button->controlId)),
                               win::ModuleInstance(), nullptr);
    if (!m_hwnd) return;
    m_shownAt = place.rect;
    ::SetWindowSubclass(m_hwnd, &SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));
    win::MarkSelfDescribed(m_hwnd);
    // A new child comes after its siblings, which is already its tab place at start; one
    // made later, between others, moves to follow `insertAfter` (HWND_TOP: first).
    if (::GetWindow(m_hwnd, GW_HWNDPREV) != insertAfter)
        ::SetWindowPos(m_hwnd, insertAfter, 0, 0, 0, 0,
                       SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SkinButton::Repaint() const
{
    if (m_hwnd) ::InvalidateRect(m_hwnd, nullptr, FALSE);  // a null window would mean all
}

HBITMAP SkinButton::Image(int id) const
{
    const MenuButton& button = *m_button;
    const Dpi dpi = win::DpiOf(m_parent);
    if (button.expandedHoverImage && id == button.expandedHoverImage) {
        if (HBITMAP expanded = m_images.Get(id, dpi)) return expanded;
    }
    if (id == button.selectedImage || id == button.hoverImage) return m_images.Get(id, dpi);
    return m_images.Get(button.normalImage, dpi);
}

void SkinButton::Draw(const DRAWITEMSTRUCT& item) const
{
    const bool held = (item.itemState & ODS_SELECTED) != 0;
    const int id = ImageId(*m_button, ImageForDraw(*m_button, m_flag, held));
    DrawFace(item.hDC, id, (item.itemState & ODS_FOCUS) != 0);
}

void SkinButton::DrawFace(HDC dc, int imageId, bool focused) const
{
    win::DrawBitmap(dc, Image(imageId), 0, 0, m_width, m_height);
    if (focused && win::FocusMarksShown(m_hwnd)) win::DrawFocusMark(dc, {0, 0, m_width, m_height});
}

void SkinButton::TrackHover(POINT p)
{
    RECT client{};
    ::GetClientRect(m_hwnd, &client);
    const bool inside = ::PtInRect(&client, p) != FALSE;
    // Capturing while inside lets the button see the move that leaves it.
    if (inside)
        ::SetCapture(m_hwnd);
    else if (::GetCapture() == m_hwnd)
        ::ReleaseCapture();
    const int id = ImageId(*m_button, ImageForHover(*m_button, m_flag, inside));
    if (const win::WindowDc dc(m_hwnd); dc) DrawFace(dc.Get(), id, ::GetFocus() == m_hwnd);
}

void SkinButton::Press()
{
    MenuMemory& memory = TheMenuMemory();
    const int self = MenuButtonIndex(m_button->controlId);
    HWND parent = ::GetParent(m_hwnd);
    if (m_button->kind == ButtonKind::Item) {
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(m_button->command, 0), 0);
        return;
    }
    // Pressing the same top-level or group button twice in a row does nothing again.
    if (memory.lastTopButton != self)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(m_button->command, 0), 0);
    memory.lastTopButton = self;
}

void SkinButton::SetFlag(bool flag)
{
    if (flag == m_flag) return;
    m_flag = flag;
    if (m_hwnd) m_access.Notify(m_hwnd, EVENT_OBJECT_STATECHANGE, -1);
}

win::AccessibleFacts SkinButton::Self() const
{
    win::AccessibleFacts facts;
    facts.name = skin::WordsOf(m_button->normalImage);
    facts.role = ROLE_SYSTEM_PUSHBUTTON;
    if (m_button->kind == ButtonKind::Group) {
        facts.state = m_flag ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
        facts.defaultAction = m_flag ? L"접기" : L"펼치기";
    } else {
        facts.state = m_flag ? STATE_SYSTEM_PRESSED : 0;
        facts.defaultAction = L"누르기";
    }
    return facts;
}

bool SkinButton::DoDefaultAction(int part)
{
    if (part >= 0 || !m_hwnd) return false;
    Press();
    return true;
}

LRESULT CALLBACK SkinButton::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self)
{
    auto* button = reinterpret_cast<SkinButton*>(self);
    if (LRESULT result = 0; button->m_access.Handle(hwnd, msg, wParam, lParam, result)) return result;
    switch (msg) {
    case WM_MOUSEMOVE:
        button->TrackHover({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        break;
    case WM_LBUTTONDOWN:
        button->Press();
        break;
    case WM_NCDESTROY:
        ::RemoveWindowSubclass(hwnd, &SubclassProc, 0);
        button->m_hwnd = nullptr;
        break;
    default:
        break;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace zelora
