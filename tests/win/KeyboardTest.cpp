// The main window by keys, routed as its message loop routes them: where Tab and Shift+Tab
// go, what Enter does on an image, and what a screen reader hears of the focus.
#include <windows.h>

#include "resources/resource.h"
#include "shell/MainWindow.h"
#include "win/WinTestSupport.h"

#include <oleacc.h>

#include <gtest/gtest.h>

namespace zelora {
namespace {

using Stop = std::pair<HWND, int>;  // a window, and its part with the focus or -1

class MainWindowKeys : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
        window.FinishStart();
        ::SendMessageW(window.Hwnd(), WM_COMMAND, MENU_CONNECT, 0);
        ::SetFocus(::GetDlgItem(window.Hwnd(), kFirstMenuButtonId));
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
    static Stop Focus()
    {
        const win::Dialog* host = win::Dialog::FromWindow(::GetFocus());
        return {::GetFocus(), host && host->Parts() ? host->Parts()->FocusedPart() : -1};
    }
    Stop Image(const skin::Area& area) const  // of the main window, by its place
    {
        const RECT place{area.box.x, area.box.y, area.box.x + area.box.width, area.box.y + area.box.height};
        int i = 0;
        for (RECT r; i < window.Parts()->FocusPartCount() && (r = window.Parts()->FocusPartRect(i), !::EqualRect(&r, &place));) ++i;
        return {window.Hwnd(), i};
    }

    wintest::MachineRegistry registry;
    MainWindow window{registry};
};

TEST_F(MainWindowKeys, TabWalksTheMenuItsImagesThePageThenTheFootAndShiftTabWalksBack)
{
    EXPECT_FALSE(win::FocusMarksShown(::GetFocus()));  // no key yet: a mouse user's picture
    std::vector<Stop> walk{Focus()};
    for (Key(VK_TAB); Focus() != walk.front() && walk.size() < 60; Key(VK_TAB)) walk.push_back(Focus());
    EXPECT_TRUE(win::FocusMarksShown(::GetFocus()));
    ASSERT_EQ(Focus(), walk.front()) << "Tab comes back round";

    // After the seven menu buttons shown: the images below them; the Connect page from the
    // top, each list with the image beside it; the foot from the left; the title strip.
    const HWND page = window.PageAt(PageOfKind(PageKind::CodecConnect))->Hwnd();
    const std::vector<Stop> expected{
        Image(skin::kMainExport), Image(skin::kMainImport), {::GetDlgItem(page, IDC_INSTALLED_LIST), -1},
        {page, 0}, {::GetDlgItem(page, IDC_REMOVED_LIST), -1}, {page, 1}, {page, 2},
        Image(skin::kMainFinder), Image(skin::kMainDefaults), Image(skin::kMainOk), Image(skin::kMainCancel),
        Image(skin::kMainMinimize), Image(skin::kMainClose)};
    ASSERT_GE(walk.size(), 7u);
    EXPECT_TRUE(std::vector<Stop>(walk.begin() + 7, walk.end()) == expected);
    for (auto stop = walk.rbegin(); stop != walk.rend(); ++stop) {
        Key(VK_TAB, true);
        EXPECT_TRUE(Focus() == *stop);
    }
    Key(VK_TAB);  // the shift let go
}

TEST_F(MainWindowKeys, EnterOnTheFocusedFinderImageOpensTheFinderAndReadersHearWhereTheFocusIs)
{
    const wintest::ReaderEars ears(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS);
    for (int i = 0; i < 6; ++i) Key(VK_TAB, true);  // back round past the title strip and the foot
    ASSERT_TRUE(Focus() == Image(skin::kMainFinder));
    ASSERT_FALSE(ears.All().empty());
    EXPECT_EQ(ears.All().back().name, skin::kMainFinder.words);

    const HWND finder = ::FindWindowW(nullptr, L"영화찾기");
    ASSERT_FALSE(::IsWindowVisible(finder));
    Key(VK_RETURN);
    EXPECT_TRUE(::IsWindowVisible(finder));
    ::ShowWindow(finder, SW_HIDE);
    ::SetFocus(::GetDlgItem(window.Hwnd(), kFirstMenuButtonId));  // as a click does
    EXPECT_EQ(window.Parts()->FocusedPart(), -1) << "the image lost its mark with the focus";
}

}  // namespace
}  // namespace zelora
