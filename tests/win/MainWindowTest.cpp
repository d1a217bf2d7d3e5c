// The real main window, made without its modal loop in the test process and driven with messages.
#include <windows.h>

#include "pages/video/VideoXvidValues.h"
#include "shell/AboutBox.h"
#include "shell/MainWindow.h"
#include "shell/MenuMemory.h"
#include "shell/SingleInstance.h"
#include "win/WinTestSupport.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace zelora {
namespace {

using wintest::WindowText;

constexpr const char* kSetupKey = "Software\\Tarnwick\\Quellmark\\Setup";

bool Visible(Page* page) { return page && ::IsWindowVisible(page->Hwnd()); }
std::size_t PageOfButton(int command) { return static_cast<std::size_t>(PageOfCommand(command)); }

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_registry = new wintest::MachineRegistry;
        s_window = new MainWindow(*s_registry);
        ASSERT_TRUE(s_window->CreateWithoutLoop(nullptr));
        s_window->FinishStart();
    }
    static void TearDownTestSuite()
    {
        delete s_window;
        s_window = nullptr;
        delete s_registry;
        s_registry = nullptr;
    }
    static void Command(int id)
    {
        ::SendMessageW(s_window->Hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
    }
    // The page that `command`'s button shows.
    static Page* PageOf(int command) { return s_window->PageAt(PageOfButton(command)); }

    static wintest::MachineRegistry* s_registry;  // the window's: no CheckInstall at start
    static MainWindow* s_window;
};

wintest::MachineRegistry* MainWindowTest::s_registry = nullptr;
MainWindow* MainWindowTest::s_window = nullptr;

TEST_F(MainWindowTest, StartsAtItsPlaceShowingTheCodecUpdatePage)
{
    RECT rect{};
    ::GetWindowRect(s_window->Hwnd(), &rect);
    EXPECT_EQ(rect.left, 400);
    EXPECT_EQ(rect.top, 250);
    EXPECT_EQ(rect.right - rect.left, 588);
    EXPECT_EQ(rect.bottom - rect.top, 608);
    EXPECT_EQ(WindowText(s_window->Hwnd()), L"Zelora");

    EXPECT_TRUE(Visible(PageOf(MENU_UPDATA)));
    int visible = 0;
    for (std::size_t i = 0; i < kPageCount; ++i) visible += Visible(s_window->PageAt(i));
    EXPECT_EQ(visible, 1);

    RECT page{};
    ::GetWindowRect(PageOf(MENU_UPDATA)->Hwnd(), &page);
    EXPECT_EQ(page.left - rect.left, 162);
    EXPECT_EQ(page.top - rect.top, 50);
    EXPECT_EQ(page.right - page.left, 420);
    EXPECT_EQ(page.bottom - page.top, 500);
}

TEST_F(MainWindowTest, SystemMenuCarriesTheAboutEntry)
{
    HMENU menu = ::GetSystemMenu(s_window->Hwnd(), FALSE);
    ASSERT_NE(menu, nullptr);
    wchar_t text[64] = L"";
    ASSERT_GT(::GetMenuStringW(menu, 16, text, 64, MF_BYCOMMAND), 0);
    EXPECT_EQ(std::wstring(text), L"Zelora 정보(&A)...");
}

// A timer procedure, not a lambda: on x86 it must be CALLBACK, which a lambda cannot be.
HWND g_aboutOwner = nullptr;
void CALLBACK CloseMainAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (const HWND box = ::FindWindowW(nullptr, L"Zelora 정보"); box && ::IsWindowVisible(box)) {
        g_aboutOwner = ::GetWindow(box, GW_OWNER);
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    }
}

TEST_F(MainWindowTest, TheAboutEntryRunsTheAboutBoxOverTheWindow)
{
    g_aboutOwner = nullptr;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, &CloseMainAboutBox);
    // The low four bits of a system command are the system's own.
    ::SendMessageW(s_window->Hwnd(), WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
    ::KillTimer(nullptr, timer);
    EXPECT_EQ(g_aboutOwner, s_window->Hwnd());
    EXPECT_TRUE(::IsWindowEnabled(s_window->Hwnd()));
}

TEST_F(MainWindowTest, WithoutCheckInstallNothingIsResetAndTheValueStaysAbsent)
{
    RegistryStore store(*s_registry);
    EXPECT_EQ(store.ReadDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall"),
              RegistryStore::MissingDword);
}

TEST_F(MainWindowTest, GroupsReopenTheirLastPage)
{
    Command(MENU_VIDEO);
    EXPECT_TRUE(Visible(PageOf(MENU_VIDEO_FFDSHOW)));
    EXPECT_EQ(s_window->CurrentSettingsPage(), PageOfButton(MENU_VIDEO_FFDSHOW));

    Command(MENU_VIDEO_XVID);
    EXPECT_TRUE(Visible(PageOf(MENU_VIDEO_XVID)));
    EXPECT_EQ(TheMenuMemory().lastVideoPage, 3);

    Command(MENU_SOUND);
    EXPECT_TRUE(Visible(PageOf(MENU_SOUND_FFDSHOW)));
    Command(MENU_VIDEO);
    EXPECT_TRUE(Visible(PageOf(MENU_VIDEO_XVID)));

    Command(MENU_CAPTION);
    EXPECT_TRUE(Visible(PageOf(MENU_CAPTION_DIVXG400)));

    // The menu buttons follow the accordion: caption items shown, video items hidden.
    EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(s_window->Hwnd(), 1012)));
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(s_window->Hwnd(), 1005)));
    RECT item{}, window{};
    ::GetWindowRect(::GetDlgItem(s_window->Hwnd(), 1012), &item);
    ::GetWindowRect(s_window->Hwnd(), &window);
    EXPECT_EQ(item.top - window.top, 205);
    EXPECT_EQ(item.left - window.left, 40);
    // Buttons made when their group first opens still take their place in the tab order.
    const HWND main = s_window->Hwnd();
    EXPECT_EQ(::GetNextDlgTabItem(main, ::GetDlgItem(main, 1010), FALSE), ::GetDlgItem(main, 1011));
    EXPECT_EQ(::GetNextDlgTabItem(main, ::GetDlgItem(main, 1012), FALSE), ::GetDlgItem(main, 1013));

    Command(MENU_FSINTRO);
    EXPECT_TRUE(Visible(PageOf(MENU_FSINTRO)));
    EXPECT_FALSE(s_window->HasCurrentSettingsPage());
}

TEST_F(MainWindowTest, EveryPageOfTheTableIsShownAloneByItsButton)
{
    for (std::size_t i = 0; i < kPageCount; ++i) {
        SCOPED_TRACE(testing::Message() << i);
        Command(kPages[i].button.command);
        EXPECT_TRUE(Visible(s_window->PageAt(i)));
        int visible = 0;
        for (std::size_t j = 0; j < kPageCount; ++j) visible += Visible(s_window->PageAt(j));
        EXPECT_EQ(visible, 1);
        EXPECT_EQ(s_window->HasCurrentSettingsPage(), kPages[i].kind == PageKind::Decoder);
    }
}

struct FinderSearch {
    HWND owner;
    HWND finder = nullptr;
};

// An enumeration procedure, not a lambda: on x86 it must be CALLBACK, which a lambda cannot be.
BOOL CALLBACK FindOwnedFinder(HWND hwnd, LPARAM data)
{
    auto& found = *reinterpret_cast<FinderSearch*>(data);
    if (::GetWindow(hwnd, GW_OWNER) == found.owner && WindowText(hwnd) == L"영화찾기")
        found.finder = hwnd;
    return TRUE;
}

TEST_F(MainWindowTest, TheMovieFinderImageShowsTheFinderItOwns)
{
    const auto findFinder = [] {
        FinderSearch search{s_window->Hwnd()};
        ::EnumThreadWindows(::GetCurrentThreadId(), &FindOwnedFinder, reinterpret_cast<LPARAM>(&search));
        return search.finder;
    };
    // Made at start, hidden (its view opens the front page meanwhile); shown by the image.
    const HWND before = findFinder();
    ASSERT_NE(before, nullptr);
    EXPECT_FALSE(::IsWindowVisible(before));
    const LPARAM image = MAKELPARAM(300, 580);
    for (int press = 0; press < 2; ++press) {
        ::SendMessageW(s_window->Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, image);
        ::SendMessageW(s_window->Hwnd(), WM_LBUTTONUP, 0, image);
        const HWND finder = findFinder();
        ASSERT_EQ(finder, before);
        EXPECT_TRUE(::IsWindowVisible(finder));
        ::ShowWindow(finder, SW_HIDE);
    }
}

TEST(InstallCheck, AStandardUserKeepsTheSettingsAndTheCurrentDefaultsStillResetThePageInView)
{
    wintest::MachineRegistry registry;
    RegistryStore store(registry);
    const std::string_view xvid = "Software\\GNU\\XviD";
    store.WriteDword(RegRoot::CurrentUser, xvid, "Deblock_Y", 1);
    store.WriteDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall", 0);
    wintest::MachineReadOnlyRegistry standardUser(registry);
    {
        MainWindow window(standardUser);
        ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
        EXPECT_EQ(store.ReadDword(RegRoot::CurrentUser, xvid, "Deblock_Y"), 1);
        EXPECT_EQ(store.ReadDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall"), 0);

        ::SendMessageW(window.Hwnd(), WM_COMMAND, MAKEWPARAM(MENU_VIDEO_XVID, 0), 0);
        const LPARAM defaults = MAKELPARAM(400, 580);
        ::SendMessageW(window.Hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, defaults);
        ::SendMessageW(window.Hwnd(), WM_LBUTTONUP, 0, defaults);
        EXPECT_EQ(store.ReadDword(RegRoot::CurrentUser, xvid, "Deblock_Y"), 0);
    }
}

TEST(MainWindowPages, ASettingsPageIsMadeAtItsFirstShowWithItsValuesAndPlaces)
{
    wintest::MachineRegistry registry;
    RegistryStore store(registry);
    const std::string_view xvid = "Software\\GNU\\XviD";
    MainWindow window(registry);
    ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
    EXPECT_EQ(window.PageAt(PageOfButton(MENU_VIDEO_XVID)), nullptr);

    store.WriteDword(RegRoot::CurrentUser, xvid, "Deblock_Y", 1);
    ::SendMessageW(window.Hwnd(), WM_COMMAND, MAKEWPARAM(MENU_VIDEO_XVID, 0), 0);
    Page* page = window.PageAt(PageOfButton(MENU_VIDEO_XVID));
    ASSERT_NE(page, nullptr);
    EXPECT_TRUE(::IsWindowVisible(page->Hwnd()));
    const HWND box = ::GetDlgItem(page->Hwnd(), IDC_XVID_DEBLOCK_Y);
    EXPECT_EQ(::SendMessageW(box, BM_GETCHECK, 0, 0), BST_CHECKED);
    RECT place{}, frame{};
    ::GetWindowRect(box, &place);
    ::GetWindowRect(page->Hwnd(), &frame);
    EXPECT_EQ(place.top - frame.top, 70);  // laid out from the page's table, not the template
}

// The modal loop's first idle moment: once, with the window shown and painted.
class IdleProbe final : public win::ModalDialog {
public:
    IdleProbe() : win::ModalDialog(IDD_ABOUTBOX) {}
    int idles = 0;
    bool visible = false, painted = false;

protected:
    void OnFirstIdle() override
    {
        ++idles;
        visible = ::IsWindowVisible(Hwnd());
        painted = !::GetUpdateRect(Hwnd(), nullptr, FALSE);
        ::PostMessageW(Hwnd(), WM_COMMAND, IDOK, 0);
    }
};

TEST(DialogLoop, TheFirstIdleComesOnceWithTheWindowShownAndPainted)
{
    IdleProbe probe;
    EXPECT_EQ(probe.RunModal(nullptr), IDOK);
    EXPECT_EQ(probe.idles, 1);
    EXPECT_TRUE(probe.visible);
    EXPECT_TRUE(probe.painted);
}

// A modal start seen from a thread timer, ticking until the start's hidden work is done.
struct StartSeen {
    MainWindow* window = nullptr;
    int ticks = 0;
    bool connectMade = false, active = false, focusKept = false, finderHidden = false;
};
StartSeen g_startSeen;

BOOL CALLBACK FindHiddenFinder(HWND hwnd, LPARAM)
{
    if (::GetWindow(hwnd, GW_OWNER) == g_startSeen.window->Hwnd())
        g_startSeen.finderHidden = !::IsWindowVisible(hwnd);
    return TRUE;
}

void CALLBACK LookAtTheStart(HWND, UINT, UINT_PTR, DWORD)
{
    const HWND main = g_startSeen.window->Hwnd();
    g_startSeen.connectMade = g_startSeen.window->PageAt(PageOfButton(MENU_CONNECT)) != nullptr;
    if (!g_startSeen.connectMade && ++g_startSeen.ticks < 300) return;
    g_startSeen.active = ::GetActiveWindow() == main;
    const HWND focus = ::GetFocus();
    // Where the window's activation puts it, and where the hidden work must leave it.
    g_startSeen.focusKept = focus && focus == ::GetNextDlgTabItem(main, nullptr, FALSE) &&
                            ::IsWindowVisible(focus);
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindHiddenFinder, 0);
    ::PostMessageW(main, WM_COMMAND, IDCANCEL, 0);
}

TEST(MainWindowStart, TheUpdatePageComesFirstAndTheHiddenWorkKeepsTheWindowActive)
{
    wintest::MachineRegistry registry;
    {
        // Made, not run: only the Update page exists; a settings page's first show brings
        // the start's hidden work first, since its enables follow the Connect page's scan.
        MainWindow window(registry);
        ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
        EXPECT_NE(window.PageAt(PageOfButton(MENU_UPDATA)), nullptr);
        EXPECT_EQ(window.PageAt(PageOfButton(MENU_CONNECT)), nullptr);
        ::SendMessageW(window.Hwnd(), WM_COMMAND, MAKEWPARAM(MENU_VIDEO_XVID, 0), 0);
        EXPECT_NE(window.PageAt(PageOfButton(MENU_CONNECT)), nullptr);
    }
    MainWindow window(registry);
    g_startSeen = {&window};
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, &LookAtTheStart);
    window.RunModal(nullptr);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(g_startSeen.connectMade);
    EXPECT_TRUE(g_startSeen.active);
    EXPECT_TRUE(g_startSeen.focusKept);
    EXPECT_TRUE(g_startSeen.finderHidden);
}

TEST(SingleInstance, TheSecondClaimFindsTheFirstAndTheMutexLastsWithItsOwner)
{
    {
        const SingleInstance first;
        ASSERT_FALSE(first.AlreadyRunning());
        const SingleInstance second;
        EXPECT_TRUE(second.AlreadyRunning());
    }
    // Both handles closed: a later copy starts as the first again.
    const SingleInstance later;
    EXPECT_FALSE(later.AlreadyRunning());
}

TEST(AboutBox, ShowsTheProductAndVersion)
{
    AboutBox about;
    ASSERT_TRUE(about.CreateWithoutLoop(nullptr));
    EXPECT_EQ(WindowText(about.Hwnd()), L"Zelora 정보");
    EXPECT_EQ(WindowText(about.Item(IDC_ABOUT_VERSION)), L"Zelora 버전 1.0");
    EXPECT_EQ(WindowText(about.Item(IDOK)), L"확인");
}

TEST(AboutBox, RunsShownUntilOk)
{
    // The template has no visible style; a modal run must show it all the same.
    std::atomic<bool> seenVisible{false};
    std::thread closer([&] {
        HWND box = nullptr;
        for (int i = 0; i < 300 && !seenVisible; ++i) {
            box = ::FindWindowW(nullptr, L"Zelora 정보");
            seenVisible = box && ::IsWindowVisible(box);
            if (!seenVisible) ::Sleep(10);
        }
        if (box) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    AboutBox about;
    const INT_PTR result = about.RunModal(nullptr);
    closer.join();
    EXPECT_TRUE(seenVisible);
    EXPECT_EQ(result, IDOK);
}

TEST(AboutBox, OpensCentredOnItsOwner)
{
    // Where the main window sits at start.
    const HWND owner = ::CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 400,
                                         250, 588, 608, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(owner);
    RECT box{};
    std::atomic<bool> seen{false};
    std::thread closer([&] {
        for (int i = 0; i < 300 && !seen; ++i) {
            const HWND found = ::FindWindowW(nullptr, L"Zelora 정보");
            seen = found && ::IsWindowVisible(found) && ::GetWindowRect(found, &box);
            if (seen) ::PostMessageW(found, WM_COMMAND, IDOK, 0);
            else ::Sleep(10);
        }
    });
    AboutBox about;
    about.RunModal(owner);
    closer.join();
    ::DestroyWindow(owner);
    ASSERT_TRUE(seen);
    EXPECT_NEAR((box.left + box.right) / 2.0, 400 + 588 / 2.0, 1.0);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 250 + 608 / 2.0, 1.0);
}

TEST(AboutBox, EndsAtOnceOnACloseSentFromAnotherThread)
{
    // Setup closes a running updater this way: the close is handled inside the modal loop's
    // wait, and nothing else arrives to wake it. The late post only keeps a failure from
    // hanging the test.
    std::atomic<bool> sent{false}, ended{false}, wokenLate{false};
    std::thread closer([&] {
        HWND box = nullptr;
        for (int i = 0; i < 300 && !box; ++i) {
            const HWND found = ::FindWindowW(nullptr, L"Zelora 정보");
            if (found && ::IsWindowVisible(found)) box = found;
            else ::Sleep(10);
        }
        if (!box) return;
        ::SendMessageW(box, WM_CLOSE, 0, 0);
        sent = true;
        for (int i = 0; i < 200 && !ended; ++i) ::Sleep(10);
        if (!ended) {
            wokenLate = true;
            ::PostMessageW(box, WM_NULL, 0, 0);
        }
    });
    AboutBox about;
    const INT_PTR result = about.RunModal(nullptr);
    ended = true;
    closer.join();
    EXPECT_TRUE(sent);
    EXPECT_FALSE(wokenLate);
    EXPECT_EQ(result, IDCANCEL);
}

}  // namespace
}  // namespace zelora

namespace zelora {
namespace {

// The preferred decoders page on a 32-bit Windows (no 64-bit view) for a standard user:
// made at its first show, the 64-bit column says why it is empty, and a change is refused
// with the administrator message before anything is written.
TEST(PreferredPage, AStandardUserOnOneViewIsToldAndNothingIsWritten)
{
    MemoryRegistry registry;
    std::uint32_t size = 0;  // the filter category, as a PC has it
    registry.QueryValue(RegRoot::ClassesRoot, kFilterCategoryPath, KeyOpen::CreateIfMissing, "", nullptr, size, nullptr);
    RegistryStore store(registry);
    const std::string value = "{34363248-0000-0010-8000-00AA00389B71}";  // the H264 subtype
    store.WriteString(RegRoot::LocalMachine, kPreferredKey, value, "{00000000-0000-0000-0000-00000000DEAD}");
    registry.RunAsStandardUser();
    MainWindow window(registry);
    ASSERT_TRUE(window.CreateWithoutLoop(nullptr));
    const std::size_t index = PageOfButton(MENU_PREFERRED);
    EXPECT_EQ(window.PageAt(index), nullptr);
    ::SendMessageW(window.Hwnd(), WM_COMMAND, MAKEWPARAM(MENU_PREFERRED, 0), 0);
    Page* page = window.PageAt(index);
    ASSERT_NE(page, nullptr);

    LVITEMW selected{};
    selected.stateMask = selected.state = LVIS_SELECTED;
    ::SendMessageW(page->Item(IDC_PREFERRED_LIST), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&selected));
    EXPECT_FALSE(::IsWindowEnabled(page->Item(IDC_PREFERRED_CHOICE64)));
    EXPECT_NE(WindowText(page->Item(IDC_PREFERRED_NOTE)).find(L"64비트 Windows가 아님"), std::wstring::npos);
    const HWND choice = page->Item(IDC_PREFERRED_CHOICE32);
    ASSERT_EQ(::SendMessageW(choice, CB_GETCOUNT, 0, 0), 1);  // no filter takes H.264 here
    ::SendMessageW(choice, CB_SETCURSEL, 0, 0);                // "Windows 기본"
    std::vector<wintest::MessageBoxWatch::Box> boxes;
    {
        const wintest::MessageBoxWatch watch;
        ::SendMessageW(page->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_PREFERRED_APPLY, BN_CLICKED), 0);
        boxes = watch.Boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"관리자"), std::wstring::npos);
    EXPECT_EQ(store.ReadString(RegRoot::LocalMachine, kPreferredKey, value),
              "{00000000-0000-0000-0000-00000000DEAD}");
}

}  // namespace
}  // namespace zelora
