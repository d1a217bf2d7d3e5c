#include "finder/HomePageBox.h"

#include "ProductHosts.h"
#include "platform/win/Process.h"
#include "platform/win/WideText.h"
#include "resources/finder/FinderIds.h"

namespace zelora {
namespace {

constexpr int kBackground = skin::kHomeBackground.id;
constexpr int kX = 500, kY = 300, kWidth = skin::kHomeBackground.width, kHeight = 420;
constexpr int kDragBand = skin::kHomeDragBand.height;

// Close, home page, OK.
enum Button { kClose, kHome, kOk };

}  // namespace

HomePageBox::HomePageBox() : HomePageBox(&win::ShellOpen) {}

HomePageBox::HomePageBox(Opener open)
    : win::ModalDialog(IDD_HOMEPAGE), m_open(std::move(open)), m_buttons({SkinHotArea(skin::kHomeClose), SkinHotArea(skin::kHomeLink), SkinHotArea(skin::kHomeOk)}),
      // The keyboard goes to the link, OK, then close (the picture's corner).
      m_keyboard([this](win::FocusStops& stops) {
          for (int button : {kHome, kOk, kClose}) stops.push_back({Hwnd(), button});
      })
{
}

BOOL HomePageBox::OnInit()
{
    m_background = win::LoadSkinBitmap(kBackground, WindowDpi().Value());
    m_buttons.Attach(Hwnd());
    m_buttons.Describe([this](std::size_t button) { RunButton(button); });
    SetAccessibleSource(m_buttons);
    SetFocusParts(m_buttons);
    ::SetWindowPos(Hwnd(), nullptr, kX, kY, WindowDpi()(kWidth), WindowDpi()(kHeight), SWP_NOZORDER | SWP_SHOWWINDOW);
    return TRUE;
}

void HomePageBox::RunButton(std::size_t button)
{
    if (button == kHome)
        m_open(L"iexplore.exe", win::Wide(hosts::kProductHomePage));
    else  // close and OK end the box alike
        ::SendMessageW(Hwnd(), WM_COMMAND, IDCANCEL, 0);
}

bool HomePageBox::OnEraseBackground(HDC dc)
{
    win::BackBuffer buffer(Hwnd(), dc);
    buffer.Draw(m_background.Get(), 0, 0, WindowDpi()(kWidth), WindowDpi()(kHeight));
    m_buttons.Paint(buffer);
    return true;
}

bool HomePageBox::OnMouse(UINT msg, WPARAM keys, POINT p)
{
    switch (msg) {
    case WM_LBUTTONDOWN:
        m_buttons.ButtonDown(p);
        break;
    case WM_LBUTTONUP:
        m_buttons.Release(p, [this](std::size_t button) { RunButton(button); });
        break;
    case WM_MOUSEMOVE:
        m_buttons.Move(p, keys);
        // Only a held button drags: under a plain move the box would follow the pointer.
        if (p.y >= 0 && p.y < WindowDpi()(kDragBand) && win::LeftButtonOnly(keys) && !m_buttons.Areas().AnyPressed())
            ::PostMessageW(Hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
        break;
    default:
        break;
    }
    return false;
}

}  // namespace zelora
