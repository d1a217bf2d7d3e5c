// The updater window and its worker for real: manifest and installers from the loopback
// server, the fake installer as every codec's installer, the real registry.
#include "../../resources/UpdaterResource.h"
#include "platform/registry/Win32Registry.h"
#include "updater/FileHash.h"
#include "updater/UpdaterDialog.h"
#include "updater/UpdaterTestSupport.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace zelora::updater {
namespace {

using namespace updatertest;

constexpr const char* kProduct = "SOFTWARE\\Tarnwick\\Quellmark";
constexpr const char* kSetup = "SOFTWARE\\Tarnwick\\Quellmark\\Setup";

// Records the boxes it would show (answering OK) and the programs it would start.
class RecordingUpdater final : public UpdaterDialog {
public:
    using UpdaterDialog::UpdaterDialog;
    std::vector<std::wstring> boxes;
    std::vector<std::wstring> started;

protected:
    int ShowBox(const std::wstring& text, const std::wstring&, UINT) override
    {
        boxes.push_back(text);
        return IDOK;
    }
    void OpenProgram(const std::wstring& file, const std::wstring& parameters) override
    {
        started.push_back(parameters.empty() ? file : file + L" " + parameters);
    }
};

// A timer procedure, not a lambda: on x86 it must be CALLBACK, which a lambda cannot be.
bool s_aboutShown = false;
void CALLBACK CloseAboutBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (const HWND box = ::FindWindowW(nullptr, L"ZeloraUpdate 정보")) {
        s_aboutShown = true;
        ::PostMessageW(box, WM_CLOSE, 0, 0);
    }
}

class UpdaterFlowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!loopback.Available()) GTEST_SKIP() << "no loopback server (run through scripts/test.sh)";
        registry.DeleteTree(RegRoot::LocalMachine, kProduct);
        loopback.Routes("{}");
        loopback.ServeFile("dl.zelora.example", "/codecs/xvid.exe", FakeInstaller());
        loopback.ServeFile("dl.zelora.example", "/codecs/ac3.exe", FakeInstaller());
        ::SetEnvironmentVariableW(L"ZELORA_FAKE_INSTALLER_LOG", installerLog.c_str());
        ::SetEnvironmentVariableW(L"ZELORA_FAKE_INSTALLER_SLEEP_MS", L"700");
        settings.site = ProductUpdateSite();
        settings.startDelayMs = 10;
        settings.cleanUpDelayMs = 300;
        settings.tempParent = (scratch.Path() / "temp").wstring();
        // Files the updater must never touch: one in the temporary folder beside its run
        // folders, one in the current directory's "temp" folder where downloads used to go.
        WriteText(fs::path(settings.tempParent) / "sentinel.txt", "keep");
        WriteText(fs::current_path() / "temp" / "zelora-sentinel.txt", "keep");
    }
    void TearDown() override
    {
        if (!loopback.Available()) return;
        EXPECT_EQ(ReadText(fs::path(settings.tempParent) / "sentinel.txt"), "keep");
        EXPECT_EQ(ReadText(fs::current_path() / "temp" / "zelora-sentinel.txt"), "keep");
        fs::remove(fs::current_path() / "temp" / "zelora-sentinel.txt");
        registry.DeleteTree(RegRoot::LocalMachine, kProduct);
    }

    void Select(const char* category, const char* name)
    {
        store.WriteDword(RegRoot::LocalMachine, std::string(kProduct) + "\\CodecUpdate\\" + category, name, 1);
    }
    // Xvid (video) and AC3filter (audio) are selected and newer in the manifest.
    std::string TwoCodecManifest(const std::string& ac3Hash)
    {
        Select("video", "Xvid");
        Select("audio", "AC3Filter");  // the Codec Update page's spelling
        store.WriteString(RegRoot::LocalMachine, std::string(kProduct) + "\\CodecBuildNum\\video", "Xvid", "1.0");
        store.WriteString(RegRoot::LocalMachine, kSetup, "Zelora-ver", "20051013");
        return "[ZELORADATE]\r\nVER=20051013\r\n"
               "[Xvid]\r\nVER=1.1\r\nURL=http://dl.zelora.example/codecs/xvid.exe\r\n"
               "[AC3filter]\r\nVER=0.9\r\nURL=http://dl.zelora.example/codecs/ac3.exe?from=manifest\r\n"
               "SHA256=" + ac3Hash + "\r\n"
               "[VSFilter]\r\nVER=2.0\r\nURL=http://dl.zelora.example/codecs/vsfilter.exe\r\n";
    }
    void ServeManifest(const std::string& text) { loopback.Serve("www.zelora.example", "/update/zl/update.qmu", text); }

    bool Visible(RecordingUpdater& dialog, int id) const { return ::IsWindowVisible(dialog.Item(id)) != FALSE; }
    bool Offering(RecordingUpdater& dialog) const
    {
        RECT window{};
        return dialog.Hwnd() && ::GetWindowRect(dialog.Hwnd(), &window) && window.right - window.left == 272;
    }

    Loopback loopback;
    ScratchFolder scratch{L"zelora-updater-flow"};
    std::wstring installerLog = (scratch.Path() / "installers.log").wstring();
    Win32Registry registry;
    RegistryStore store{registry};
    UpdaterSettings settings;
};

TEST_F(UpdaterFlowTest, StartsHiddenWithItsSkinInPlace)
{
    ServeManifest(TwoCodecManifest(std::string(64, '0')));
    settings.startDelayMs = 60000;
    RecordingUpdater dialog(store, settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    RECT window{};
    ::GetWindowRect(dialog.Hwnd(), &window);
    EXPECT_EQ(window.left, -5);
    EXPECT_EQ(window.right - window.left, 1);
    EXPECT_TRUE(::GetWindowLongPtrW(dialog.Hwnd(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_TRUE(::GetWindowLongPtrW(dialog.Hwnd(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

    struct Place {
        int id;
        RECT rect;
        bool visible;
    };
    const Place places[] = {
        {IDC_UPDATER_START, {48, 108, 134, 129}, true},
        {IDCANCEL, {149, 108, 217, 129}, true},
        {IDOK, {98, 108, 164, 129}, false},
        {IDC_UPDATER_PROGRESS, {16, 75, 255, 84}, false},
        {IDC_UPDATER_LIST, {0, 0, 0, 0}, true},
    };
    for (const Place& place : places) {
        RECT rect{};
        ::GetWindowRect(dialog.Item(place.id), &rect);
        ::MapWindowPoints(nullptr, dialog.Hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_TRUE(::EqualRect(&rect, &place.rect)) << place.id << ": " << rect.left << "," << rect.top
                                                     << "," << rect.right << "," << rect.bottom;
        EXPECT_EQ(::IsWindowVisible(dialog.Item(place.id)) != FALSE, place.visible) << place.id;
    }
    EXPECT_EQ(dialog.Background(), 131);
    const MSG enter{dialog.Item(IDC_UPDATER_START), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
    EXPECT_TRUE(dialog.IsSwallowedKey(enter));
    wchar_t about[64] = L"";
    ::GetMenuStringW(::GetSystemMenu(dialog.Hwnd(), FALSE), IDM_UPDATER_ABOUT, about, 64, MF_BYCOMMAND);
    EXPECT_STREQ(about, L"ZeloraUpdate 정보(&A)...");

    // The About entry runs its box modally; a timer seen by the box's own loop closes it.
    s_aboutShown = false;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, &CloseAboutBox);
    ::SendMessageW(dialog.Hwnd(), WM_SYSCOMMAND, IDM_UPDATER_ABOUT, 0);
    ::KillTimer(nullptr, timer);
    EXPECT_TRUE(s_aboutShown);
}

TEST_F(UpdaterFlowTest, InstallsInOrderOneAtATimeThenCleansUpAndStartsZelora)
{
    // The real hash of the fake installer: the audio codec carries one, the video none.
    const auto hash = Sha256OfFile(FakeInstaller().wstring());
    ASSERT_TRUE(hash);
    ServeManifest(TwoCodecManifest(*hash));
    const fs::path installDir = scratch.Path() / "Zelora Install";
    fs::create_directories(installDir);
    fs::copy_file(FakeInstaller(), installDir / "Zelora.exe");
    store.WriteString(RegRoot::LocalMachine, kSetup, "Install_Dir", installDir.string());

    RecordingUpdater dialog(store, settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(PumpUntil([&] { return Offering(dialog); }, 20));
    ASSERT_EQ(dialog.Offered().size(), 2u);
    EXPECT_EQ(dialog.Offered()[0].name, "Xvid");  // video first
    RECT window{};
    ::GetWindowRect(dialog.Hwnd(), &window);
    EXPECT_EQ(window.left, ::GetSystemMetrics(SM_CXSCREEN) / 2 - 200);
    EXPECT_EQ(window.bottom - window.top, 162);
    const HWND list = dialog.Item(IDC_UPDATER_LIST);
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    wchar_t first[32] = L"";
    ListView_GetItemText(list, 0, 0, first, 32);
    EXPECT_STREQ(first, L"AC3filter");  // the list reads caption, audio, video

    const fs::path folder = dialog.Folder()->Path();
    EXPECT_EQ(folder.parent_path(), fs::path(settings.tempParent));
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_UPDATER_START, BN_CLICKED), 0);
    EXPECT_EQ(dialog.Background(), 140);
    ASSERT_TRUE(PumpUntil([&] { return Visible(dialog, IDOK); }, 40));

    EXPECT_EQ(ReadText(installerLog), "start xvid.exe\nend xvid.exe\nstart ac3.exe\nend ac3.exe\n");
    EXPECT_FALSE(fs::exists(folder / "xvid.exe"));  // each deleted once its installer ended
    EXPECT_FALSE(fs::exists(folder / "ac3.exe"));
    EXPECT_EQ(dialog.Background(), 141);
    EXPECT_FALSE(Visible(dialog, IDC_UPDATER_START));
    EXPECT_FALSE(Visible(dialog, IDCANCEL));
    EXPECT_FALSE(Visible(dialog, IDC_UPDATER_PROGRESS));
    EXPECT_TRUE(PumpUntil([&] { return !fs::exists(folder); }, 5)) << "clean-up timer";
    EXPECT_TRUE(dialog.boxes.empty());

    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    ASSERT_EQ(dialog.started.size(), 1u);
    EXPECT_EQ(fs::path(dialog.started[0]), installDir / "Zelora.exe");
}

TEST_F(UpdaterFlowTest, TamperedInstallerIsNeverStarted)
{
    ServeManifest(TwoCodecManifest(std::string(64, 'a')));
    fs::path folder;
    {
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return Offering(dialog); }, 20));
        folder = dialog.Folder()->Path();
        ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_UPDATER_START, BN_CLICKED), 0);
        ASSERT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 40));
        EXPECT_EQ(dialog.boxes, std::vector<std::wstring>{L"다운로드를 실패 하였습니다.\n재부팅 후 다시 시도 바랍니다."});
        EXPECT_FALSE(fs::exists(folder / "ac3.exe"));
        EXPECT_TRUE(dialog.started.empty());
    }
    EXPECT_EQ(ReadText(installerLog), "start xvid.exe\nend xvid.exe\n");
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(UpdaterFlowTest, CancelDuringADownloadStartsNothingAndLeavesNothing)
{
    ServeManifest(TwoCodecManifest(std::string(64, 'a')));
    loopback.Routes(R"({"/codecs/xvid.exe": {"file": "dl.zelora.example/codecs/xvid.exe",
                                             "chunk": 2048, "chunk_delay": 0.2}})");
    fs::path folder;
    {
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return Offering(dialog); }, 20));
        folder = dialog.Folder()->Path();
        ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_UPDATER_START, BN_CLICKED), 0);
        ASSERT_TRUE(PumpUntil([&] { return !dialog.ShownSize().empty(); }, 20));
        EXPECT_EQ(dialog.ShownName(), L"Xvid");
        EXPECT_TRUE(fs::exists(folder / "xvid.exe.part"));
        ::SendMessageW(dialog.Hwnd(), WM_COMMAND, IDCANCEL, 0);
        EXPECT_EQ(dialog.Hwnd(), nullptr);
        EXPECT_FALSE(dialog.Downloading());
        EXPECT_FALSE(fs::exists(folder / "xvid.exe.part"));
        EXPECT_TRUE(dialog.boxes.empty());
    }
    ::Sleep(300);
    EXPECT_EQ(ReadText(installerLog), "");
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(UpdaterFlowTest, UnsafeFileNameFailsBeforeAnythingIsFetched)
{
    Select("video", "Xvid");
    ServeManifest("[ZELORADATE]\r\nVER=20051013\r\n"
                  "[Xvid]\r\nVER=1.1\r\nURL=http://dl.zelora.example/codecs/..%5c..%5cevil.exe\r\n");
    RecordingUpdater dialog(store, settings);
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(PumpUntil([&] { return Offering(dialog); }, 20));
    const fs::path folder = dialog.Folder()->Path();
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_UPDATER_START, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 20));
    EXPECT_EQ(dialog.boxes.size(), 1u);
    EXPECT_TRUE(fs::is_empty(folder));
    EXPECT_EQ(loopback.Log().find("evil"), std::string::npos);
    EXPECT_EQ(ReadText(installerLog), "");
}

TEST_F(UpdaterFlowTest, UnusableManifestEndsSilentlyAndWritesNothing)
{
    struct Case {
        const char* what;
        const char* route;
    };
    const Case cases[] = {
        {"404", R"({"/update/zl/update.qmu": {"status": 404}})"},
        {"error page with 200", R"({"/update/zl/update.qmu": {"body": "<html>busy</html>"}})"},
        {"no program version", R"({"/update/zl/update.qmu": {"body": "[Xvid]\nVER=9\nURL=http://dl.zelora.example/codecs/xvid.exe\n"}})"},
    };
    for (const Case& c : cases) {
        registry.DeleteTree(RegRoot::LocalMachine, kProduct);
        Select("video", "Xvid");
        loopback.Routes(c.route);
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.Create(nullptr));
        EXPECT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 20)) << c.what;
        EXPECT_TRUE(dialog.boxes.empty()) << c.what;
        EXPECT_TRUE(dialog.Offered().empty()) << c.what;
        EXPECT_EQ(store.ReadString(RegRoot::LocalMachine, kSetup, "Zelora-ver"), "ERROR") << c.what;
    }
}

TEST_F(UpdaterFlowTest, NewerSettingsCentreIsAnnouncedOnce)
{
    store.WriteString(RegRoot::LocalMachine, kSetup, "Zelora-ver", "20051013");
    ServeManifest("[ZELORADATE]\r\nVER=20991231\r\nURL=http://www.zelora.example/new.html\r\n");
    for (int run = 0; run < 2; ++run) {
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 20));
        if (run == 0) {
            EXPECT_EQ(dialog.boxes, std::vector<std::wstring>{
                L"Zelora 20991231 최신 버젼이 나왔습니다. 확인을 누르시면 홈페이지로 접속합니다."});
            EXPECT_EQ(dialog.started, std::vector<std::wstring>{L"iexplore.exe http://www.zelora.example/new.html"});
        } else {
            EXPECT_TRUE(dialog.boxes.empty());
        }
    }
    EXPECT_EQ(store.ReadString(RegRoot::LocalMachine, kSetup, "Zelora-ver"), "20991231");
}

TEST(UpdaterFileHash, KnownDigest)
{
    ScratchFolder folder(L"zelora-hash");
    WriteText(folder.Path() / "abc.txt", "abc");
    EXPECT_EQ(Sha256OfFile((folder.Path() / "abc.txt").wstring()).value_or(""),
              "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    EXPECT_FALSE(Sha256OfFile((folder.Path() / "missing.txt").wstring()));
}

}  // namespace
}  // namespace zelora::updater
