// The finder window created for real from its template over the real registry, with a
// recorder in place of the browser, driven with the messages a user's clicks and keys
// produce; the home-page box and the intro page likewise. One test starts a second copy
// of this program with the browser engine enabled to prove that the real browser control's
// request leaves through the loopback web server and that its teardown is clean.
#include <windows.h>

#include "ProductHosts.h"
#include "finder/BrowserView.h"
#include "finder/FinderWindow.h"
#include "finder/WinCp949Encoder.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/win/WideText.h"
#include "resources/finder/FinderIds.h"
#include "finder/HomePageBox.h"
#include "win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

namespace zelora {
namespace {

constexpr const char* kSetup = "Software\\Tarnwick\\Quellmark\\Setup";
constexpr const char* kQuickKey = "SOFTWARE\\Tarnwick\\Quellmark\\QuellFind";

// Records what the finder asks of its browser; its inner child stands for the page.
class RecordingBrowser final : public Browser {
public:
    explicit RecordingBrowser(HWND parent, int id, std::vector<std::string>& calls) : m_calls(calls)
    {
        m_hwnd = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, parent,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        m_page = ::CreateWindowExW(0, L"EDIT", L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, m_hwnd,
                                   nullptr, nullptr, nullptr);
    }
    HWND Hwnd() const override { return m_hwnd; }
    HWND Page() const { return m_page; }
    void Navigate(const std::string& address) override { m_calls.push_back(address); }
    void GoBack() override { m_calls.push_back("back"); }
    void GoForward() override { m_calls.push_back("forward"); }
    void Stop() override { m_calls.push_back("stop"); }
    void Refresh() override { m_calls.push_back("refresh"); }
    bool TranslatePageKey(MSG&) override
    {
        m_calls.push_back("page key");
        return false;
    }

private:
    std::vector<std::string>& m_calls;
    HWND m_hwnd = nullptr;
    HWND m_page = nullptr;
};

std::string Http(std::string_view host, std::string_view rest)
{
    return "http://" + std::string(host) + std::string(rest);
}

class FinderTest : public ::testing::Test {
protected:
    // Each test's own registry, where nothing is stored yet.
    RegistryStore& Store() { return m_store; }
    void Open()
    {
        m_finder = std::make_unique<FinderWindow>(
            m_registry,
            [this](HWND parent, int id) {
                auto browser = std::make_unique<RecordingBrowser>(parent, id, m_calls);
                m_browser = browser.get();
                return browser;
            },
            [this](HWND) { m_calls.push_back("home box"); });
        ASSERT_TRUE(m_finder->Create(nullptr));
        m_calls.clear();  // the start's front page
    }
    HWND Hwnd() const { return m_finder->Hwnd(); }
    HWND Item(int id) const { return m_finder->Item(id); }
    int ClientWidth() const
    {
        RECT client{};
        ::GetClientRect(Hwnd(), &client);
        return client.right;
    }
    void Mouse(UINT msg, int x, int y, WPARAM keys = 0)
    {
        ::SendMessageW(Hwnd(), msg, keys, MAKELPARAM(x, y));
    }
    void Click(int x, int y)
    {
        Mouse(WM_LBUTTONDOWN, x, y, MK_LBUTTON);
        Mouse(WM_LBUTTONUP, x, y);
    }
    bool Key(HWND target, WPARAM key)
    {
        MSG msg{target, WM_KEYDOWN, key, 0, 0, {}};
        return m_finder->PreTranslate(msg);
    }
    void SelectSite(int index)
    {
        ::SendMessageW(Item(IDC_FIND_SITE), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FIND_SITE, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_FIND_SITE)));
    }
    RECT WindowRect() const
    {
        RECT rect{};
        ::GetWindowRect(Hwnd(), &rect);
        return rect;
    }

    MemoryRegistry m_registry;  // before the finder, which outlives none of it
    RegistryStore m_store{m_registry};
    std::vector<std::string> m_calls;
    RecordingBrowser* m_browser = nullptr;
    std::unique_ptr<FinderWindow> m_finder;
};

TEST_F(FinderTest, SearchesByButtonByEnterAndByQuickSearch)
{
    Open();
    const std::string onDb = Http(hosts::kCaptionSites[5], "/search.php?schtype=title&schtitle=");
    SelectSite(5);
    EXPECT_TRUE(m_calls.empty()) << "quick search is off";

    ::SetWindowTextW(Item(IDC_FIND_TITLE), L"a&b");
    Click(420, 110);  // the search image
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls.back(), onDb + "a%26b");

    // Enter in the title edit searches, with the title's code page 949 bytes; a character
    // the code page lacks goes as a character reference.
    ::SetWindowTextW(Item(IDC_FIND_TITLE), L"한글 \U0001F600");
    EXPECT_TRUE(Key(Item(IDC_FIND_TITLE), VK_RETURN));
    ASSERT_EQ(m_calls.size(), 2u);
    EXPECT_EQ(m_calls.back(), onDb + "%C7%D1%B1%DB%20%26%23128512%3B");
    EXPECT_EQ(m_finder->CurrentAddress(), m_calls.back());

    // Enter typed inside the page is the page's; Escape is swallowed.
    EXPECT_FALSE(Key(m_browser->Page(), VK_RETURN));
    EXPECT_EQ(m_calls.back(), "page key");
    m_calls.clear();
    EXPECT_TRUE(Key(Item(IDC_FIND_TITLE), VK_ESCAPE));
    EXPECT_TRUE(m_calls.empty());

    // Quick search on: choosing a site navigates at once.
    ::SendMessageW(Item(IDC_FIND_QUICK), BM_CLICK, 0, 0);
    ::SetWindowTextW(Item(IDC_FIND_TITLE), L"abc");
    SelectSite(2);
    ASSERT_EQ(m_calls.size(), 1u);
    EXPECT_EQ(m_calls.back(), Http(hosts::kCaptionSites[2], "/store/caption_list.aspx?typesel=&stxt=abc&smode=title"));
}

TEST_F(FinderTest, StartListsAgreeWithTheStoredCategory)
{
    Store().WriteDword(RegRoot::LocalMachine, kSetup, "Find_Style", 1);
    Store().WriteDword(RegRoot::LocalMachine, kSetup, "Find_Site_Movie", 3);
    Open();
    EXPECT_EQ(::SendMessageW(Item(IDC_FIND_CATEGORY), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(::SendMessageW(Item(IDC_FIND_SITE), CB_GETCOUNT, 0, 0), 6);
    EXPECT_EQ(::SendMessageW(Item(IDC_FIND_SITE), CB_GETCURSEL, 0, 0), 3);
    EXPECT_EQ(wintest::WindowText(Item(IDC_FIND_SITE)), L"엔키노");
    m_finder.reset();

    Store().WriteDword(RegRoot::LocalMachine, kSetup, "Find_Style", 7);  // none
    Open();
    EXPECT_EQ(::SendMessageW(Item(IDC_FIND_CATEGORY), CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(::SendMessageW(Item(IDC_FIND_SITE), CB_GETCOUNT, 0, 0), 0);
    Click(420, 110);
    EXPECT_EQ(m_calls, std::vector<std::string>{Http(hosts::kProductWeb, "/")}) << "the previous address";
}

TEST_F(FinderTest, ToolbarAndLinkImages)
{
    Open();
    const int w = ClientWidth();
    const struct {
        int x, y;
        std::string expected;
    } images[] = {
        {37, 53, "back"},
        {89, 53, "forward"},
        {141, 53, "stop"},
        {193, 53, "refresh"},
        {245, 53, hosts::kProductHomePage},
        {297, 53, Http(hosts::kProductWeb, "/common_php/bbs/zboard.php?id=love")},
        {349, 53, Http(hosts::kProductWeb, "/common_php/bbs/zboard.php?id=talk")},
        {w - 60, 53, "home box"},
        {w - 60, 114, Http(hosts::kCinemaList, "/theater_list.asp")},
    };
    for (const auto& image : images) {
        m_calls.clear();
        Click(image.x, image.y);
        EXPECT_EQ(m_calls, std::vector<std::string>{image.expected}) << image.x << "," << image.y;
    }

    // Pressed, moved out and released outside: nothing runs.
    m_calls.clear();
    Mouse(WM_LBUTTONDOWN, 37, 53, MK_LBUTTON);
    Mouse(WM_MOUSEMOVE, 37, 100, MK_LBUTTON);
    Mouse(WM_LBUTTONUP, 37, 100);
    EXPECT_TRUE(m_calls.empty());
}

TEST_F(FinderTest, MinimumTrackingSize)
{
    Open();
    MINMAXINFO info{};
    ::SendMessageW(Hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 693);
    EXPECT_EQ(info.ptMinTrackSize.y, 550);
    EXPECT_EQ(info.ptMaxTrackSize.x, 10000);
}

TEST_F(FinderTest, MaximizeStaysOnItsMonitorAndRestoreGivesBackTheWindow)
{
    Open();
    RECT work{};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    for (int x : {20, 800}) {
        ::SetWindowPos(Hwnd(), nullptr, x, 100, 720, 580, SWP_NOZORDER);
        const RECT before = WindowRect();
        Click(ClientWidth() - 55, 10);  // the maximize image
        ASSERT_TRUE(m_finder->Maximized());
        const RECT maximized = WindowRect();
        EXPECT_TRUE(::EqualRect(&maximized, &work)) << x << ": " << maximized.left << ","
                                                    << maximized.top << " to " << maximized.right
                                                    << "," << maximized.bottom;

        // Double-click on a free spot of the header band restores.
        Mouse(WM_LBUTTONDBLCLK, 500, 20, MK_LBUTTON);
        EXPECT_FALSE(m_finder->Maximized());
        const RECT after = WindowRect();
        EXPECT_TRUE(::EqualRect(&before, &after)) << x << ": " << after.left << "," << after.top
                                                  << " " << after.right - after.left << "x"
                                                  << after.bottom - after.top;
    }
    // A double-click on an image toggles nothing.
    Mouse(WM_LBUTTONDBLCLK, 37, 53, MK_LBUTTON);
    EXPECT_FALSE(m_finder->Maximized());
}

TEST_F(FinderTest, CloseHidesAndDestroyWritesQuickSearch)
{
    Open();
    ::ShowWindow(Hwnd(), SW_SHOW);
    Click(ClientWidth() - 30, 10);  // the close image
    EXPECT_TRUE(::IsWindow(Hwnd()));
    EXPECT_FALSE(::IsWindowVisible(Hwnd()));

    ::SendMessageW(Item(IDC_FIND_QUICK), BM_CLICK, 0, 0);
    EXPECT_EQ(Store().ReadDword(RegRoot::LocalMachine, kQuickKey, "List_Quick"), 0);
    m_finder.reset();
    EXPECT_EQ(Store().ReadDword(RegRoot::LocalMachine, kQuickKey, "List_Quick"), 1);
}

// The home-page box ---------------------------------------------------------------------

HomePageBox* g_box = nullptr;
POINT g_click{};

void CALLBACK ClickInBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (!g_box || !g_box->Hwnd()) return;
    ::SendMessageW(g_box->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(g_click.x, g_click.y));
    ::SendMessageW(g_box->Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(g_click.x, g_click.y));
}

TEST(HomePageBox, CloseAndOkEndItAndTheHomeImageOpensTheHomePage)
{
    std::vector<std::wstring> opened;
    for (POINT image : {POINT{328, 10}, POINT{300, 385}}) {  // close, OK
        HomePageBox box([&](const std::wstring& file, const std::wstring& parameters) {
            opened.push_back(file + L" " + parameters);
        });
        g_box = &box;
        g_click = image;
        ::SetTimer(nullptr, 0, 50, &ClickInBox);
        EXPECT_EQ(box.RunModal(nullptr), IDCANCEL);
        g_box = nullptr;
    }
    EXPECT_TRUE(opened.empty());

    HomePageBox box([&](const std::wstring& file, const std::wstring& parameters) {
        opened.push_back(file + L" " + parameters);
    });
    ASSERT_TRUE(box.CreateWithoutLoop(nullptr));
    ::SendMessageW(box.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(150, 340));  // never pressed
    EXPECT_TRUE(opened.empty());
    ::SendMessageW(box.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 340));
    ::SendMessageW(box.Hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(150, 340));
    EXPECT_EQ(opened, std::vector<std::wstring>{L"iexplore.exe " + win::Wide(hosts::kProductHomePage)});

    // Only a move with the left button held starts a drag.
    MSG msg{};
    ::SendMessageW(box.Hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 50));
    EXPECT_FALSE(::PeekMessageW(&msg, box.Hwnd(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
    ::SendMessageW(box.Hwnd(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(100, 50));
    EXPECT_TRUE(::PeekMessageW(&msg, box.Hwnd(), WM_NCLBUTTONDOWN, WM_NCLBUTTONDOWN, PM_REMOVE));
}

}  // namespace
}  // namespace zelora
