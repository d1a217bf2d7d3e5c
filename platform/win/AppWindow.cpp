#include "platform/win/AppWindow.h"

#include "platform/win/Dialog.h"
#include "platform/win/UniqueHandle.h"

namespace zelora::win {

void AddAboutToSystemMenu(HWND window, UINT textId, UINT commandId)
{
    const HMENU menu = ::GetSystemMenu(window, FALSE);
    if (!menu) return;
    wchar_t text[128] = L"";
    if (::LoadStringW(ModuleInstance(), textId, text, 128) <= 0) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, commandId, text);
}

void SetWindowIcon(HWND window, HICON icon)
{
    ::SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    ::SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

bool PaintIfMinimised(HWND window, HICON icon)
{
    if (!::IsIconic(window) || !icon) return false;
    const PaintDc dc(window);
    ::SendMessageW(window, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    RECT client{};
    ::GetClientRect(window, &client);
    const int x = (client.right - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
    ::DrawIcon(dc.Get(), x, y, icon);
    return true;
}

}  // namespace zelora::win
