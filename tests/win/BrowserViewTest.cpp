// The real browser control. It runs in a second copy of this program with the browser
// engine enabled (the other tests keep it off so nothing offers to download an engine):
// the copy navigates to a search address with an encoded title, waits for the loopback
// web server to log the request, tears the view down and ends through OLE's uninitialise.
// This copy proves the request line and the clean exit.
#include <windows.h>

#include "finder/BrowserView.h"
#include "finder/SiteCatalogue.h"
#include "finder/WinCp949Encoder.h"
#include "platform/win/WideText.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace zelora {
namespace {

constexpr wchar_t kChildFlag[] = L"ZELORA_BROWSER_CHILD";

// A file named by an environment variable holding a Unix path (the loopback server's).
std::string DosPath(const char* variable)
{
    const char* path = std::getenv(variable);
    if (!path) return {};
    std::string dos = std::string("Z:") + path;  // Wine's drive for the Unix root
    for (char& c : dos)
        if (c == '/') c = '\\';
    return dos;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string LoopbackLog() { return ReadFile(DosPath("ZELORA_LOOPBACK_LOG")); }

// A search address whose title carries Hangul, "&", blanks and this process's id.
std::string SearchAddress()
{
    return BuildSearchAddress(0, 5, TitleToCp949("한글 a&b " + std::to_string(::GetCurrentProcessId()),
                                                 WinCp949Encoder()), "");
}

// Sets environment variables for the copy started meanwhile, and puts them back.
class EnvironmentGuard {
public:
    void Set(const wchar_t* name, const wchar_t* value)
    {
        wchar_t old[4096];
        const DWORD length = ::GetEnvironmentVariableW(name, old, 4096);
        m_saved.push_back({name, length ? std::wstring(old) : std::wstring(), length != 0});
        ::SetEnvironmentVariableW(name, value);
    }
    ~EnvironmentGuard()
    {
        for (const Saved& saved : m_saved)
            ::SetEnvironmentVariableW(saved.name, saved.existed ? saved.value.c_str() : nullptr);
    }

private:
    struct Saved {
        const wchar_t* name;
        std::wstring value;
        bool existed;
    };
    std::vector<Saved> m_saved;
};

TEST(BrowserView, RealControlRequestLeavesThroughTheLoopbackServerAndEndsCleanly)
{
    if (!std::getenv("ZELORA_LOOPBACK_LOG"))
        GTEST_SKIP() << "needs the loopback web server (scripts/test.sh starts it)";

    wchar_t exe[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_brief=1 --gtest_filter=BrowserViewChild.*";
    PROCESS_INFORMATION process{};
    {
        EnvironmentGuard environment;
        environment.Set(kChildFlag, L"1");
        environment.Set(L"WINEDLLOVERRIDES", L"mscoree=");  // the engine's DLL on
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        ASSERT_TRUE(::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                     nullptr, &startup, &process));
    }
    const DWORD waited = ::WaitForSingleObject(process.hProcess, 90000);
    DWORD exitCode = 1;
    ::GetExitCodeProcess(process.hProcess, &exitCode);
    if (waited != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    ASSERT_EQ(waited, WAIT_OBJECT_0) << "the browser blocked";
    EXPECT_EQ(exitCode, 0u) << "the copy with the real browser failed or crashed";

    // The title's code page 949 bytes, percent-encoded, exactly as the copy asked for them
    // (the copy's process id makes the request this run's own).
    const std::string log = LoopbackLog();
    const std::string expected = "/search.php?schtype=title&schtitle=%C7%D1%B1%DB%20a%26b%20";
    EXPECT_NE(log.find(expected), std::string::npos) << log;
}

// Without a control (here: a thread where COM is not initialised, so it cannot be made)
// the view is an empty window and every call does nothing.
TEST(BrowserView, WithoutAControlEveryCallIsHarmless)
{
    bool ran = false;
    std::thread([&] {
        HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr,
                                      nullptr, nullptr, nullptr);
        std::unique_ptr<Browser> view = BrowserView::Create(host, 0xE900);
        ASSERT_NE(view, nullptr);
        EXPECT_FALSE(static_cast<BrowserView&>(*view).HasControl());
        EXPECT_EQ(::GetDlgCtrlID(view->Hwnd()), 0xE900);
        view->Navigate("http://www.zelora.example/");
        view->GoBack();
        view->GoForward();
        view->Stop();
        view->Refresh();
        ::MoveWindow(view->Hwnd(), 0, 0, 100, 100, TRUE);
        MSG key{view->Hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
        EXPECT_FALSE(view->TranslatePageKey(key));
        ::DestroyWindow(host);  // the parent goes first: the view tears down on its own
        view.reset();
        ran = true;
    }).join();
    EXPECT_TRUE(ran);
}

TEST(BrowserViewChild, NavigatesThenTearsDown)
{
    if (!::GetEnvironmentVariableW(kChildFlag, nullptr, 0)) GTEST_SKIP() << "run by the test above";

    // A folder setting that is not text ends Wine's engine installer before it offers a
    // download, so a missing engine never blocks the page.
    DWORD notText = 0;
    ::RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Wine\\MSHTML", L"GeckoCabDir", REG_DWORD,
                      &notText, sizeof notText);

    HWND host = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 640, 480, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(host, nullptr);
    std::unique_ptr<Browser> view = BrowserView::Create(host, 0xE900);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(static_cast<BrowserView&>(*view).HasControl());
    ::MoveWindow(view->Hwnd(), 0, 0, 640, 480, TRUE);
    ::ShowWindow(view->Hwnd(), SW_SHOW);

    const std::string address = SearchAddress();
    const std::string path = address.substr(address.find("/search.php"));
    view->Navigate(address);
    // Waits for the request, then lets the answer arrive before the teardown.
    DWORD start = ::GetTickCount();
    bool logged = false;
    const auto pump = [] {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(50);
    };
    while (!logged && ::GetTickCount() - start < 30000) {
        pump();
        logged = LoopbackLog().find(path) != std::string::npos;
    }
    EXPECT_TRUE(logged) << path;
    for (start = ::GetTickCount(); ::GetTickCount() - start < 1000;) pump();
    view->GoBack();  // nothing to go back to: harmless
    view->Stop();
    view.reset();
    ::DestroyWindow(host);
}

}  // namespace
}  // namespace zelora
