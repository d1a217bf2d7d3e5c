// The real main window moved to each scale by the message the system sends, every page shown
// in turn: what a user sees must fit at every scale.
#include <windows.h>

#include "pages/PageLayout.h"
#include "platform/win/Painter.h"
#include "platform/win/WindowDpi.h"
#include "shell/MainWindow.h"
#include "win/WinTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace zelora {
namespace {

using wintest::WindowText;

RECT RectIn(HWND parent, HWND child)
{
    RECT r{};
    ::GetWindowRect(child, &r);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[32]{};
    ::GetClassNameW(hwnd, name, 32);
    return name;
}

// An up-down control sits on its buddy's edge, as the system places it.
bool AreBuddies(HWND a, HWND b)
{
    const auto buddy = [](HWND spin) {
        return ClassOf(spin) == UPDOWN_CLASSW ? reinterpret_cast<HWND>(::SendMessageW(spin, UDM_GETBUDDY, 0, 0)) : nullptr;
    };
    return buddy(a) == b || buddy(b) == a;
}

bool IsFrame(HWND hwnd)  // a group box draws around other controls
{
    return ClassOf(hwnd) == L"Button" &&
           (::GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Controls that show text of their own beside a box, or as a label.
bool IsLabel(HWND hwnd)
{
    const LONG_PTR type = ::GetWindowLongPtrW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    if (ClassOf(hwnd) == L"Static") return !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & SS_BITMAP);
    return ClassOf(hwnd) == L"Button" && type != BS_GROUPBOX && type != BS_OWNERDRAW;
}

// What a label's text takes in the control's font: one line, or lines broken at its width
// where the control wraps; a box's square and gap count for check boxes and radio buttons.
SIZE TextExtent(HWND control)
{
    const std::wstring text = WindowText(control);
    const LONG_PTR style = ::GetWindowLongPtrW(control, GWL_STYLE);
    const bool button = ClassOf(control) == L"Button";
    const bool wraps = button ? (style & BS_MULTILINE) != 0 : (style & SS_TYPEMASK) <= SS_RIGHT;
    RECT r{};
    ::GetClientRect(control, &r);
    const LONG_PTR type = style & BS_TYPEMASK;
    const bool hasBox = button && type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON;
    const int box = hasBox ? win::DpiOf(control)(win::MetricAt96(SM_CXMENUCHECK) + 6) : 0;
    r.right -= box;
    win::WindowDc dc(control);
    win::SelectGuard font(dc.Get(), reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    const int height = r.bottom;
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.Get(), &metrics);
    ::DrawTextW(dc.Get(), text.c_str(), -1, &r, DT_CALCRECT | (wraps ? DT_WORDBREAK : DT_SINGLELINE));
    // One line is drawn centred and may lose its leading; more lines must all show.
    return {r.right + box, wraps && r.bottom > metrics.tmHeight ? r.bottom : std::min<LONG>(r.bottom, height)};
}

void MoveToDpi(HWND window, int dpi)
{
    RECT at{};
    ::GetWindowRect(window, &at);
    ::SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&at));
}

// Visible controls of a page: inside it, not on one another (a frame holds others), each
// label as wide as its text.
void ExpectFits(HWND page)
{
    RECT client{};
    ::GetClientRect(page, &client);
    std::vector<HWND> shown;
    for (HWND c = ::GetWindow(page, GW_CHILD); c; c = ::GetWindow(c, GW_HWNDNEXT))
        if (::IsWindowVisible(c)) shown.push_back(c);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const RECT r = RectIn(page, shown[i]);
        SCOPED_TRACE(testing::Message() << "control " << ::GetDlgCtrlID(shown[i]) << " " << ClassOf(shown[i]));
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom)
            << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        if (IsLabel(shown[i])) {
            const SIZE text = TextExtent(shown[i]);
            EXPECT_TRUE(text.cx <= r.right - r.left && text.cy <= r.bottom - r.top)
                << "text " << text.cx << " x " << text.cy;
        }
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            if (IsFrame(shown[i]) || IsFrame(shown[j]) || AreBuddies(shown[i], shown[j])) continue;
            RECT both{};
            const RECT other = RectIn(page, shown[j]);
            EXPECT_FALSE(::IntersectRect(&both, &r, &other))
                << "overlaps control " << ::GetDlgCtrlID(shown[j]) << " " << ClassOf(shown[j]) << " "
                << both.left << "," << both.top << "," << both.right << "," << both.bottom;
        }
    }
}

// The pixels of `bitmap`, or of the window's client area, in a rectangle: 0x00RRGGBB.
std::vector<std::uint32_t> PixelsOf(HDC source, const RECT& r)
{
    const int width = r.right - r.left, height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    win::UniqueBitmap copy(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    win::UniqueMemoryDc dc(::CreateCompatibleDC(source));
    win::SelectGuard select(dc.Get(), copy.Get());
    ::BitBlt(dc.Get(), 0, 0, width, height, source, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + width * height);
    for (auto& p : pixels) p &= 0xFFFFFFu;
    return pixels;
}

// What the window shows of its logo corner is the background picture drawn for its DPI.
void ExpectLogoOfScale(HWND window, int dpi)
{
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const RECT corner{0, 0, ScaleForDpi(115, dpi), ScaleForDpi(34, dpi)};
    win::UniqueBitmap picture = win::LoadSkinBitmap(skin::kMainBackground.id, dpi);
    win::UniqueMemoryDc pictureDc(::CreateCompatibleDC(nullptr));
    win::SelectGuard select(pictureDc.Get(), picture.Get());
    const win::WindowDc shown(window);
    EXPECT_EQ(PixelsOf(shown.Get(), corner), PixelsOf(pictureDc.Get(), corner));
}

class DpiLayout : public ::testing::TestWithParam<int> {};

TEST_P(DpiLayout, EveryPageFitsAndTheSkinScalesWithTheWindow)
{
    const int dpi = GetParam();
    wintest::MachineRegistry registry;
    MainWindow window(registry);
    ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
    window.FinishStart();
    MoveToDpi(window.Hwnd(), dpi);

    RECT frame{};
    ::GetWindowRect(window.Hwnd(), &frame);
    EXPECT_EQ(frame.right - frame.left, ScaleForDpi(skin::kMainBackground.width, dpi));
    EXPECT_EQ(frame.bottom - frame.top, ScaleForDpi(skin::kMainBackground.height, dpi));
    ExpectLogoOfScale(window.Hwnd(), dpi);

    for (std::size_t i = 0; i < kPageCount; ++i) {
        SCOPED_TRACE(testing::Message() << "page " << i << " at " << dpi);
        ::SendMessageW(window.Hwnd(), WM_COMMAND, MAKEWPARAM(kPages[i].button.command, 0), 0);
        Page* page = window.PageAt(i);
        ASSERT_NE(page, nullptr);
        const RECT at = RectIn(window.Hwnd(), page->Hwnd());
        EXPECT_EQ(at.right - at.left, ScaleForDpi(kPageWidth, dpi));
        EXPECT_EQ(at.bottom - at.top, ScaleForDpi(kPageHeight, dpi));
        // Each menu button shown is as big as its picture drawn for the scale.
        for (const MenuButton& menu : kMenuButtons) {
            const HWND button = ::GetDlgItem(window.Hwnd(), menu.controlId);
            if (!button || !::IsWindowVisible(button)) continue;
            const SIZE picture = win::BitmapSize(win::LoadSkinBitmap(menu.normalImage, dpi).Get());
            const RECT face = RectIn(window.Hwnd(), button);
            EXPECT_EQ(face.right - face.left, picture.cx);
            EXPECT_EQ(face.bottom - face.top, picture.cy);
        }
        ExpectFits(page->Hwnd());
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, DpiLayout, ::testing::Values(96, 120, 144, 168, 192));

}  // namespace
}  // namespace zelora

namespace zelora {
namespace {

// Run by the scale end-to-end test, not by the suite: the main window as a start shows it,
// moved to ZELORA_DPI_TO first when that is set, written to ZELORA_DPI_PICTURE as a PPM.
TEST(DpiPicture, DISABLED_WriteTheStartWindow)
{
    const char* out = std::getenv("ZELORA_DPI_PICTURE");
    ASSERT_NE(out, nullptr);
    wintest::MachineRegistry registry;
    MainWindow window(registry);
    ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
    window.FinishStart();
    if (const char* to = std::getenv("ZELORA_DPI_TO"); to && *to) MoveToDpi(window.Hwnd(), std::atoi(to));
    wintest::PumpMessages();
    ::RedrawWindow(window.Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client{};
    ::GetClientRect(window.Hwnd(), &client);
    const win::WindowDc shown(window.Hwnd());
    const std::vector<std::uint32_t> pixels = PixelsOf(shown.Get(), client);
    std::FILE* file = std::fopen(out, "wb");
    ASSERT_NE(file, nullptr);
    std::fprintf(file, "P6\n%ld %ld\n255\n", client.right, client.bottom);
    for (std::uint32_t p : pixels) {
        const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                      static_cast<unsigned char>(p)};
        std::fwrite(rgb, 1, 3, file);
    }
    std::fclose(file);
}

}  // namespace
}  // namespace zelora
