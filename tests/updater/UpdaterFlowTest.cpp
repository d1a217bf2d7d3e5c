// The updater window and its worker for real: manifest and installers from the loopback
// server, the fake installer as every codec's installer, the real registry.
#include "../../resources/UpdaterResource.h"
#include "platform/registry/Win32Registry.h"
#include "updater/FileHash.h"
#include "updater/UpdaterDialog.h"
#include "updater/UpdaterTestSupport.h"

#include <aclapi.h>
#include <commctrl.h>
#include <sddl.h>
#include <gtest/gtest.h>

#include <set>

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
    bool AnnounceBox(const std::wstring& text) override
    {
        boxes.push_back(text);
        return true;
    }
    void FailureBox(const std::wstring& text) override { boxes.push_back(text); }
    void OpenProgram(const std::wstring& file, const std::wstring& parameters) override
    {
        started.push_back(parameters.empty() ? file : file + L" " + parameters);
    }
};

// Everyone the folder's access list names. (Wine keeps no list of its own: it answers
// with the owner and SYSTEM, plus Everyone when others may read, from the folder's mode.)
std::set<std::wstring> FolderTrustees(const fs::path& folder)
{
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    std::set<std::wstring> trustees;
    if (::GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                nullptr, &descriptor) != ERROR_SUCCESS)
        return trustees;
    for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        wchar_t* sid = nullptr;
        if (::GetAce(dacl, i, &ace) && ::ConvertSidToStringSidW(&static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart, &sid)) {
            trustees.insert(sid);
            ::LocalFree(sid);
        }
    }
    ::LocalFree(descriptor);
    return trustees;
}

std::wstring UserSid()
{
    HANDLE token = nullptr;
    ::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token);
    unsigned char buffer[256];
    DWORD size = 0;
    std::wstring text;
    wchar_t* sid = nullptr;
    if (::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size) &&
        ::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sid)) {
        text = sid;
        ::LocalFree(sid);
    }
    ::CloseHandle(token);
    return text;
}

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
        registry.DeleteTree(RegRoot::CurrentUser, kProduct);
        loopback.Routes("{}");
        loopback.ServeFile("dl.zelora.example", "/codecs/xvid.exe", FakeInstaller());
        loopback.ServeFile("dl.zelora.example", "/codecs/ac3.exe", FakeInstaller());
        ::SetEnvironmentVariableW(L"ZELORA_FAKE_INSTALLER_LOG", installerLog.c_str());
        ::SetEnvironmentVariableW(L"ZELORA_FAKE_INSTALLER_SLEEP_MS", L"700");
        settings.site = ProductUpdateSite();
        settings.key = signer.PublicKey();
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
        registry.DeleteTree(RegRoot::CurrentUser, kProduct);
    }

    void Select(const char* category, const char* name)
    {
        store.WriteDword(RegRoot::LocalMachine, std::string(kProduct) + "\\CodecUpdate\\" + category, name, 1);
    }
    // The fake installer's pins: "SHA256=...\r\nSIZE=...\r\n".
    std::string Pins(const std::string& hash = "") const
    {
        return "SHA256=" + (hash.empty() ? Sha256OfFile(FakeInstaller().wstring()).value_or("") : hash) +
               "\r\nSIZE=" + std::to_string(fs::file_size(FakeInstaller())) + "\r\n";
    }
    // Xvid (video) and AC3filter (audio) are selected and newer in the manifest.
    std::string TwoCodecManifest(const std::string& ac3Hash)
    {
        Select("video", "Xvid");
        Select("audio", "AC3Filter");  // the Codec Update page's spelling
        store.WriteString(RegRoot::LocalMachine, std::string(kProduct) + "\\CodecBuildNum\\video", "Xvid", "1.0");
        store.WriteString(RegRoot::CurrentUser, kSetup, "Zelora-ver", "20051013");
        return "[ZELORADATE]\r\nVER=20051013\r\n"
               "[Xvid]\r\nVER=1.1\r\nURL=http://dl.zelora.example/codecs/xvid.exe\r\n" + Pins() +
               "[AC3filter]\r\nVER=0.9\r\nURL=http://dl.zelora.example/codecs/ac3.exe?from=manifest\r\n" +
               Pins(ac3Hash) +
               "[VSFilter]\r\nVER=2.0\r\nURL=http://dl.zelora.example/codecs/vsfilter.exe\r\n";
    }
    // The manifest with SERIAL and EXPIRES in its first section, and its signature.
    static std::string Stamped(const std::string& text, const std::string& serial = "7",
                               const std::string& expires = "20991231")
    {
        const std::size_t head = text.find("[ZELORADATE]\r\n");
        if (head == std::string::npos) return text;
        std::string stamped = text;
        stamped.insert(head + 14, "SERIAL=" + serial + "\r\nEXPIRES=" + expires + "\r\n");
        return stamped;
    }
    void ServeSigned(const std::string& bytes, const std::string& signature)
    {
        loopback.Serve("www.zelora.example", "/update/zl/update.qmu", bytes);
        loopback.Serve("www.zelora.example", "/update/zl/update.qmu.sig", signature);
    }
    void ServeManifest(const std::string& text)
    {
        const std::string bytes = Stamped(text);
        ServeSigned(bytes, signer.Sign(bytes));
    }
    std::string UserRecord(const char* name) { return store.ReadString(RegRoot::CurrentUser, kSetup, name); }

    // Waits for the offer, confirms it and runs until the updater ends, failing for `cause`;
    // the boxes it showed.
    std::vector<std::wstring> ConfirmUntilEnd(fs::path& folder, FailureCause cause, const char* what = "")
    {
        RecordingUpdater dialog(store, settings);
        EXPECT_TRUE(dialog.CreateWithoutLoop(nullptr)) << what;
        if (!PumpUntil([&] { return Offering(dialog); }, 20)) ADD_FAILURE() << what << ": no offer";
        if (!dialog.Folder()) return {};
        folder = dialog.Folder()->Path();
        ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_UPDATER_START, BN_CLICKED), 0);
        EXPECT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 40)) << what;
        EXPECT_TRUE(dialog.started.empty()) << what;
        EXPECT_NE(dialog.Background(), 141) << what;  // never "finished"
        EXPECT_EQ(dialog.Failure(), cause) << what;
        return dialog.boxes;
    }
    bool Visible(RecordingUpdater& dialog, int id) const { return ::IsWindowVisible(dialog.Item(id)) != FALSE; }
    bool Offering(RecordingUpdater& dialog) const
    {
        RECT window{};
        return dialog.Hwnd() && ::GetWindowRect(dialog.Hwnd(), &window) && window.right - window.left == 272;
    }

    Loopback loopback;
    TestSigner signer;
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
    ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
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
    ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
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
    // Only the user, SYSTEM and the Administrators: never Everyone or the Users.
    const std::set<std::wstring> trustees = FolderTrustees(folder);
    EXPECT_EQ(trustees.count(UserSid()), 1u);
    for (const std::wstring& sid : trustees)
        EXPECT_TRUE(sid == L"S-1-5-18" || sid == L"S-1-5-32-544" || sid == UserSid()) << fs::path(sid).string();
    const std::wstring cwdLog = (scratch.Path() / "cwd.log").wstring();
    ::SetEnvironmentVariableW(L"ZELORA_FAKE_INSTALLER_CWD_LOG", cwdLog.c_str());
    // By keys: Tab goes between the two buttons shown (never to the list, which has no
    // size), and Enter on the start button confirms.
    ::SetFocus(dialog.Item(IDC_UPDATER_START));
    for (int expected : {IDCANCEL, IDC_UPDATER_START}) {
        MSG tab{::GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        ::IsDialogMessageW(dialog.Hwnd(), &tab);
        EXPECT_EQ(::GetFocus(), dialog.Item(expected));
    }
    EXPECT_TRUE(win::PressFocusedButton(MSG{::GetFocus(), WM_KEYDOWN, VK_RETURN, 0, 0, {}}, true));
    EXPECT_EQ(dialog.Background(), 140);
    ASSERT_TRUE(PumpUntil([&] { return Visible(dialog, IDOK); }, 40));
    ::SetEnvironmentVariableW(L"ZELORA_FAKE_INSTALLER_CWD_LOG", nullptr);

    EXPECT_EQ(ReadText(installerLog), "start xvid.exe\nend xvid.exe\nstart ac3.exe\nend ac3.exe\n");
    wchar_t system[MAX_PATH] = L"";
    ::GetSystemDirectoryW(system, MAX_PATH);
    const std::string systemFolder = fs::path(system).string();
    EXPECT_EQ(ReadText(cwdLog), systemFolder + "\n" + systemFolder + "\n");  // never the run folder
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
    EXPECT_EQ(ConfirmUntilEnd(folder, FailureCause::HashMismatch), std::vector<std::wstring>{L"다운로드를 실패 하였습니다.\n재부팅 후 다시 시도 바랍니다."});
    EXPECT_EQ(ReadText(installerLog), "start xvid.exe\nend xvid.exe\n");
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(UpdaterFlowTest, CancelDuringADownloadStartsNothingAndLeavesNothing)
{
    ServeManifest(TwoCodecManifest(std::string(64, 'a')));
    // After its first bytes the server falls silent: the worker is blocked in a read that a
    // cancel does not wake under Wine, and the window does not wait for it.
    loopback.Routes(R"({"/codecs/xvid.exe": {"file": "dl.zelora.example/codecs/xvid.exe",
                                             "chunk": 2048, "chunk_delay": 4}})");
    fs::path folder;
    {
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
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
    EXPECT_FALSE(fs::exists(folder));  // at once, though the worker may still be blocked
    ::Sleep(4500);                     // it wakes, and creates nothing
    EXPECT_FALSE(fs::exists(folder));
    EXPECT_EQ(ReadText(installerLog), "");
}

TEST_F(UpdaterFlowTest, AnInstallerThatCannotStartIsAFailure)
{
    // Pinned and downloaded whole, but no program the system can start.
    const std::string notAProgram = "not a program, although it ends in .exe\r\n";
    loopback.Serve("dl.zelora.example", "/codecs/xvid.exe", notAProgram);
    const auto hash = Sha256OfFile((loopback.Root() / "dl.zelora.example" / "codecs" / "xvid.exe").wstring());
    ASSERT_TRUE(hash);
    Select("video", "Xvid");
    ServeManifest("[ZELORADATE]\r\nVER=20051013\r\n[Xvid]\r\nVER=1.1\r\nURL=http://dl.zelora.example/codecs/xvid.exe\r\n"
                  "SHA256=" + *hash + "\r\nSIZE=" + std::to_string(notAProgram.size()) + "\r\n");
    fs::path folder;
    EXPECT_EQ(ConfirmUntilEnd(folder, FailureCause::InstallerNotStarted), std::vector<std::wstring>{L"업데이트를 실패 하였습니다.\n재부팅 후 다시 시도 바랍니다."});
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(UpdaterFlowTest, OnlyPinnedInstallersAreOffered)
{
    const std::string pins = Pins();
    struct Case {
        const char* what;
        std::string section;
    };
    const Case cases[] = {
        {"unsafe name", "URL=http://dl.zelora.example/codecs/..%5c..%5cevil.exe\r\n" + pins},
        {"no SHA256", "URL=http://dl.zelora.example/codecs/xvid.exe\r\nSIZE=1000\r\n"},
        {"no SIZE", "URL=http://dl.zelora.example/codecs/xvid.exe\r\nSHA256=" + std::string(64, 'a') + "\r\n"},
        {"a script", "URL=http://attacker.example/p/run.cmd\r\n" + pins},
        {"an HTML application", "URL=http://dl.zelora.example/codecs/setup.hta\r\n" + pins},
    };
    for (const Case& c : cases) {
        Select("video", "Xvid");
        ServeManifest("[ZELORADATE]\r\nVER=20051013\r\n[Xvid]\r\nVER=1.1\r\n" + c.section);
        const std::size_t logged = loopback.Log().size();
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
        EXPECT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 20)) << c.what;
        EXPECT_TRUE(dialog.Offered().empty()) << c.what;
        EXPECT_EQ(loopback.Log().substr(logged).find("GET http://dl."), std::string::npos) << c.what;
        EXPECT_EQ(loopback.Log().substr(logged).find("attacker"), std::string::npos) << c.what;
    }
    EXPECT_EQ(ReadText(installerLog), "");
}

TEST_F(UpdaterFlowTest, RefusedManifestEndsUnseenAndWritesNothing)
{
    const std::string unstamped = "[ZELORADATE]\r\nVER=20991231\r\n[Xvid]\r\nVER=1.1\r\n"
                                  "URL=http://dl.zelora.example/codecs/xvid.exe\r\n" + Pins();
    const std::string manifest = Stamped(unstamped);
    const std::string expired = Stamped(unstamped, "9", "20200101");
    const std::string endless = Stamped("[ZELORADATE]\r\nVER=99999999999\r\n");
    const std::string unnumbered = "[ZELORADATE]\r\nVER=20991231\r\nEXPIRES=20991231\r\n";
    const std::string oversize = manifest + std::string(64 * 1024, ';');
    std::string changed = manifest;
    changed[changed.find("VER=1.1") + 6] = '2';
    const TestSigner otherKey;
    struct Case {
        const char* what;
        std::string bytes;
        std::string signature;
        const char* route;
        const char* acceptedSerial;  // recorded before the run
        bool otherBytesTaken = false;  // with that serial, another manifest was taken
    };
    const Case cases[] = {
        {"manifest 404", manifest, signer.Sign(manifest), R"({"/update/zl/update.qmu": {"status": 404}})", nullptr},
        {"one byte changed", changed, signer.Sign(manifest), "{}", nullptr},
        {"signed by another key", manifest, otherKey.Sign(manifest), "{}", nullptr},
        {"no signature file", manifest, signer.Sign(manifest), R"({"/update/zl/update.qmu.sig": {"status": 404}})", nullptr},
        {"malformed signature", manifest, signer.Sign(manifest) + "x", "{}", nullptr},
        {"replayed lower serial", manifest, signer.Sign(manifest), "{}", "8"},
        {"same serial, other bytes", manifest, signer.Sign(manifest), "{}", "7", true},
        {"expired", expired, signer.Sign(expired), "{}", nullptr},
        {"endless version", endless, signer.Sign(endless), "{}", nullptr},
        {"no serial", unnumbered, signer.Sign(unnumbered), "{}", nullptr},
        {"over 64 KB", oversize, signer.Sign(oversize), "{}", nullptr},
    };
    for (const Case& c : cases) {
        registry.DeleteTree(RegRoot::CurrentUser, kProduct);
        Select("video", "Xvid");
        if (c.acceptedSerial) store.WriteString(RegRoot::CurrentUser, kSetup, "Manifest-serial", c.acceptedSerial);
        if (c.otherBytesTaken)
            store.WriteString(RegRoot::CurrentUser, kSetup, "Manifest-sha256", Sha256Text(expired).value_or(""));
        ServeSigned(c.bytes, c.signature);
        loopback.Routes(c.route);
        const std::size_t logged = loopback.Log().size();
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
        EXPECT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 20)) << c.what;
        EXPECT_TRUE(dialog.boxes.empty()) << c.what;
        EXPECT_TRUE(dialog.Offered().empty()) << c.what;
        EXPECT_EQ(UserRecord("Zelora-ver"), "ERROR") << c.what;
        EXPECT_EQ(UserRecord("Manifest-serial"), c.acceptedSerial ? c.acceptedSerial : "ERROR") << c.what;
        EXPECT_EQ(loopback.Log().substr(logged).find("GET http://dl."), std::string::npos) << c.what;
    }
    EXPECT_EQ(store.ReadString(RegRoot::LocalMachine, kSetup, "Zelora-ver"), "ERROR");
    EXPECT_EQ(ReadText(installerLog), "");
}

TEST_F(UpdaterFlowTest, DownloadsKeepToTheirPinsAndRedirectRules)
{
    const std::string body = ReadText(FakeInstaller());
    loopback.Serve("dl.zelora.example", "/codecs/longer.exe", body + "tail");
    loopback.Serve("evil.example", "/evil.exe", body);
    struct Case {
        const char* what;
        FailureCause cause;
        const char* route;
    };
    const Case cases[] = {
        {"body longer than SIZE", FailureCause::Oversize,
         R"({"/codecs/xvid.exe": {"file": "dl.zelora.example/codecs/longer.exe"}})"},
        {"longer body without a length", FailureCause::Oversize,
         R"({"/codecs/xvid.exe": {"file": "dl.zelora.example/codecs/longer.exe", "no_length": true}})"},
        {"redirect to another scheme", FailureCause::RedirectRefused,
         R"({"/codecs/xvid.exe": {"status": 302, "location": "file:///C:/windows/notepad.exe"}})"},
        {"six redirects", FailureCause::TooManyRedirects, R"({"/codecs/xvid.exe": {"status": 302, "location": "http://dl.zelora.example/r/1"},
                              "/r/1": {"status": 302, "location": "/r/2"}, "/r/2": {"status": 302, "location": "/r/3"},
                              "/r/3": {"status": 302, "location": "/r/4"}, "/r/4": {"status": 302, "location": "/r/5"},
                              "/r/5": {"status": 302, "location": "/codecs/ac3.exe"}})"},
    };
    for (const Case& c : cases) {
        Select("video", "Xvid");
        ServeManifest("[ZELORADATE]\r\nVER=20051013\r\n[Xvid]\r\nVER=1.1\r\nURL=http://dl.zelora.example/codecs/xvid.exe\r\n" + Pins());
        loopback.Routes(c.route);
        fs::path folder;
        EXPECT_EQ(ConfirmUntilEnd(folder, c.cause, c.what),
                  std::vector<std::wstring>{L"다운로드를 실패 하였습니다.\n재부팅 후 다시 시도 바랍니다."})
            << c.what;
        EXPECT_FALSE(fs::exists(folder)) << c.what;
    }
    EXPECT_EQ(ReadText(installerLog), "");

    // Five redirects are followed.
    loopback.Routes(R"({"/codecs/xvid.exe": {"status": 302, "location": "http://dl.zelora.example/r/1"},
                        "/r/1": {"status": 302, "location": "/r/2"}, "/r/2": {"status": 302, "location": "/r/3"},
                        "/r/3": {"status": 302, "location": "/r/4"}, "/r/4": {"status": 302, "location": "/codecs/ac3.exe"}})");
    RecordingUpdater dialog(store, settings);
    ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
    ASSERT_TRUE(PumpUntil([&] { return Offering(dialog); }, 20));
    ::SendMessageW(dialog.Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_UPDATER_START, BN_CLICKED), 0);
    ASSERT_TRUE(PumpUntil([&] { return Visible(dialog, IDOK); }, 20));
    EXPECT_EQ(ReadText(installerLog), "start xvid.exe\nend xvid.exe\n");
}

// The send of a close from another thread, as the setup sends it, and how long it took.
DWORD WINAPI SendClose(void* window)
{
    DWORD_PTR ignored = 0;
    const ULONGLONG start = ::GetTickCount64();
    ::SendMessageTimeoutW(static_cast<HWND>(window), WM_CLOSE, 0, 0, SMTO_NORMAL, 5000, &ignored);
    return static_cast<DWORD>(::GetTickCount64() - start);
}

TEST_F(UpdaterFlowTest, TricklingServerIsBoundedAndACloseIsAnswered)
{
    ServeManifest(TwoCodecManifest(std::string(64, 'a')));
    loopback.Routes(R"({"/update/zl/update.qmu": {"file": "www.zelora.example/update/zl/update.qmu",
                                                  "chunk": 1, "chunk_delay": 0.5}})");
    settings.manifestDeadlineMs = 2000;
    {
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
        const auto start = std::chrono::steady_clock::now();
        EXPECT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 10));
        EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(4000));
        EXPECT_TRUE(dialog.Offered().empty());
    }
    settings.manifestDeadlineMs = 60000;
    RecordingUpdater dialog(store, settings);
    ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
    PumpUntil([] { return false; }, 0.5);  // the fetch is under way
    const HANDLE sender = ::CreateThread(nullptr, 0, &SendClose, dialog.Hwnd(), 0, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return ::WaitForSingleObject(sender, 0) == WAIT_OBJECT_0; }, 6));
    DWORD elapsed = 0;
    ::GetExitCodeThread(sender, &elapsed);
    ::CloseHandle(sender);
    EXPECT_LT(elapsed, 1000u);
    EXPECT_EQ(dialog.Hwnd(), nullptr);
    EXPECT_EQ(UserRecord("Zelora-ver"), "20051013");  // as TwoCodecManifest left it
}

TEST_F(UpdaterFlowTest, NewerSettingsCentreIsAnnouncedOnce)
{
    // The machine-wide record of earlier releases is where the user's record starts.
    store.WriteString(RegRoot::LocalMachine, kSetup, "Zelora-ver", "20051013");
    ServeManifest("[ZELORADATE]\r\nVER=20991231\r\nURL=http://www.zelora.example/new.html\r\n");
    for (int run = 0; run < 2; ++run) {
        RecordingUpdater dialog(store, settings);
        ASSERT_TRUE(dialog.CreateWithoutLoop(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return dialog.Hwnd() == nullptr; }, 20));
        if (run == 0) {
            EXPECT_EQ(dialog.boxes, std::vector<std::wstring>{
                L"Zelora 20991231 최신 버젼이 나왔습니다. 확인을 누르시면 홈페이지로 접속합니다."});
            EXPECT_EQ(dialog.started, std::vector<std::wstring>{L"iexplore.exe http://www.zelora.example/new.html"});
        } else {
            EXPECT_TRUE(dialog.boxes.empty());
        }
    }
    EXPECT_EQ(UserRecord("Zelora-ver"), "20991231");
    EXPECT_EQ(UserRecord("Manifest-serial"), "7");
    // The second run took the same serial again: the very bytes recorded with it.
    const std::string served = ReadText(loopback.Root() / "www.zelora.example" / "update" / "zl" / "update.qmu");
    EXPECT_EQ(UserRecord("Manifest-sha256"), Sha256Text(served).value_or("?"));
    EXPECT_EQ(store.ReadString(RegRoot::LocalMachine, kSetup, "Zelora-ver"), "20051013");
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
