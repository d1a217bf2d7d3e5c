#include "platform/win/AppWindow.h"

#include "platform/win/UniqueHandle.h"

namespace zelora::win {

void AppWindow::SetUpAppWindow(HICON icon)
{
    m_icon = icon;
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));

    const HMENU menu = ::GetSystemMenu(Hwnd(), FALSE);
    if (!menu) return;
    wchar_t text[128] = L"";
    if (::LoadStringW(ModuleInstance(), m_aboutTextId, text, 128) <= 0) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, m_aboutCommandId, text);
}

bool AppWindow::OnSysCommand(UINT command)
{
    if (command != m_aboutCommandId) return false;
    RunAboutBox();
    return true;
}

bool AppWindow::PaintIfMinimised()
{
    if (!::IsIconic(Hwnd()) || !m_icon) return false;
    const PaintDc dc(Hwnd());
    ::SendMessageW(Hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT client{};
    ::GetClientRect(Hwnd(), &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, m_icon);
    return true;
}

INT_PTR AppWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_PAINT:
        return PaintIfMinimised();
    case WM_QUERYDRAGICON:
        return reinterpret_cast<INT_PTR>(m_icon);
    default:
        return ModalDialog::OnMessage(msg, wParam, lParam);
    }
}

}  // namespace zelora::win
