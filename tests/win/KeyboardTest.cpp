// The main window by keys, routed as its message loop routes them: where Tab and Shift+Tab
// go, what Enter does on an image, and what a screen reader hears of the focus.
#include <windows.h>

#include "resources/resource.h"
#include "shell/MainWindow.h"
#include "win/WinTestSupport.h"

#include <oleacc.h>

#include <gtest/gtest.h>

#include <vector>

namespace zelora {
namespace {

struct Stop {
    HWND window;
    int part;
    bool operator==(const Stop&) const = default;
};
void PrintTo(const Stop& stop, std::ostream* out) { *out << stop.window << ":" << stop.part; }

class MainWindowKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
        window.FinishStart();
        ::SendMessageW(window.Hwnd(), WM_COMMAND, MENU_CONNECT, 0);
        wintest::PumpMessages();
    }
    void Key(WPARAM key, bool shift = false)
    {
        BYTE keys[256]{};
        ::GetKeyboardState(keys);
        keys[VK_SHIFT] = shift ? 0x80 : 0;
        ::SetKeyboardState(keys);
        MSG msg{::GetFocus(), WM_KEYDOWN, key, 1, 0, {}};
        if (!window.PreDispatch(msg)) ::DispatchMessageW(&msg);
        wintest::PumpMessages();
    }
    Stop Focus() const
    {
        const HWND focus = ::GetFocus();
        const win::Dialog* host = win::Dialog::FromWindow(focus);
        return {focus, host && host->Parts() ? host->Parts()->FocusedPart() : -1};
    }
    int Index(const skin::Area& area) const
    {
        const RECT place{area.box.x, area.box.y, area.box.x + area.box.width, area.box.y + area.box.height};
        for (int i = 0; i < window.Parts()->FocusPartCount(); ++i) {
            const RECT r = window.Parts()->FocusPartRect(i);
            if (::EqualRect(&r, &place)) return i;
        }
        return -1;
    }

    wintest::MachineRegistry registry;
    MainWindow window{registry};
};

TEST_F(MainWindowKeys, TabWalksTheMenuItsImagesThePageThenTheFootAndShiftTabWalksBack)
{
    const HWND first = ::GetDlgItem(window.Hwnd(), kFirstMenuButtonId);
    ::SetFocus(first);
    EXPECT_FALSE(win::FocusMarksShown(first));  // no key yet: a mouse user's picture
    std::vector<Stop> walk{Focus()};
    for (int i = 0; i < 60; ++i) {
        Key(VK_TAB);
        if (Focus() == walk.front()) break;
        walk.push_back(Focus());
    }
    EXPECT_TRUE(win::FocusMarksShown(first));
    ASSERT_EQ(Focus(), walk.front()) << "Tab came back round to the first menu button";

    // The seven menu buttons shown, from the top.
    std::size_t at = 0;
    for (LONG top = 0; at < walk.size() && walk[at].part < 0 && ::GetDlgCtrlID(walk[at].window) >= kFirstMenuButtonId; ++at) {
        RECT r{};
        ::GetWindowRect(walk[at].window, &r);
        EXPECT_GT(r.top, top);
        top = r.top;
    }
    EXPECT_EQ(at, 7u);
    // The images below the menu, then the Connect page from the top: each list, and the
    // image beside it, then the foot's images from the left and the title strip's.
    const HWND connect = window.PageAt(PageOfKind(PageKind::CodecConnect))->Hwnd();
    const std::vector<Stop> expected{
        {window.Hwnd(), Index(skin::kMainExport)}, {window.Hwnd(), Index(skin::kMainImport)},
        {::GetDlgItem(connect, IDC_INSTALLED_LIST), -1}, {connect, 0},
        {::GetDlgItem(connect, IDC_REMOVED_LIST), -1}, {connect, 1}, {connect, 2},
        {window.Hwnd(), Index(skin::kMainFinder)}, {window.Hwnd(), Index(skin::kMainDefaults)},
        {window.Hwnd(), Index(skin::kMainOk)}, {window.Hwnd(), Index(skin::kMainCancel)},
        {window.Hwnd(), Index(skin::kMainMinimize)}, {window.Hwnd(), Index(skin::kMainClose)},
    };
    EXPECT_EQ(std::vector<Stop>(walk.begin() + static_cast<std::ptrdiff_t>(at), walk.end()), expected);

    for (auto stop = walk.rbegin(); stop != walk.rend(); ++stop) {
        Key(VK_TAB, true);
        EXPECT_EQ(Focus(), *stop);
    }
    Key(VK_TAB);  // the shift let go
}

// A window event hook's procedure: on x86 it must be CALLBACK, which a lambda cannot be.
std::wstring g_focusName;
void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child, DWORD, DWORD)
{
    IAccessible* accessible = nullptr;
    VARIANT item;
    if (FAILED(::AccessibleObjectFromEvent(hwnd, object, child, &accessible, &item))) return;
    BSTR name = nullptr;
    if (SUCCEEDED(accessible->get_accName(item, &name)) && name) g_focusName = name;
    ::SysFreeString(name);
    accessible->Release();
}

TEST_F(MainWindowKeys, EnterOnTheFocusedFinderImageOpensTheFinderAndReadersHearWhereTheFocusIs)
{
    const HWINEVENTHOOK hook = ::SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &RecordFocus,
                                                 ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    ::SetFocus(::GetDlgItem(window.Hwnd(), kFirstMenuButtonId));
    for (int i = 0; i < 30 && Focus().part != Index(skin::kMainFinder); ++i) Key(VK_TAB, true);
    ASSERT_EQ(Focus().part, Index(skin::kMainFinder));
    wintest::PumpMessages();
    ::UnhookWinEvent(hook);
    EXPECT_EQ(g_focusName, skin::kMainFinder.words);

    const HWND finder = ::FindWindowW(nullptr, L"영화찾기");
    ASSERT_NE(finder, nullptr);
    EXPECT_FALSE(::IsWindowVisible(finder));
    Key(VK_RETURN);
    EXPECT_TRUE(::IsWindowVisible(finder));
    ::ShowWindow(finder, SW_HIDE);
    // A click elsewhere takes the focus, and the image its mark.
    ::SetFocus(::GetDlgItem(window.Hwnd(), kFirstMenuButtonId));
    EXPECT_EQ(window.Parts()->FocusedPart(), -1);
}

}  // namespace
}  // namespace zelora
