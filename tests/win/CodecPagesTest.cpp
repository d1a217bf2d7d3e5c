// The Codec Connect and Codec Update pages created for real from their templates, as
// children of a plain window, each test over a registry of its own in memory: filter
// registrations and the installer's bookkeeping seeded per test. Driven with the
// notifications and mouse messages a user's clicks produce; checked in the lists, in the
// registry, in the programs they ask to start and in what they paint.
#include <windows.h>

#include <commctrl.h>

#include "codecs/CodecConnectPage.h"
#include "codecs/CodecUpdatePage.h"
#include "pages/InstalledDecoders.h"
#include "platform/text/Text.h"
#include "platform/win/Painter.h"
#include "platform/win/WideText.h"
#include "resources/resource.h"
#include "resources/skin/Skin.h"
#include "platform/win/Controls.h"
#include "win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace zelora {
namespace {

using win::Wide;
using wintest::WindowText;

constexpr RegRoot kHklm = RegRoot::LocalMachine;
constexpr RegRoot kHkcr = RegRoot::ClassesRoot;
constexpr const char* kProductKey = "Software\\Tarnwick\\Quellmark";

bool KeyExists(RegistryBackend& registry, RegRoot root, std::string_view path)
{
    std::vector<std::string> names;
    return registry.EnumValueNames(root, path, KeyOpen::ExistingOnly, names) == RegStatus::Ok;
}

// Raw string write: the store never writes under HKEY_CLASSES_ROOT.
void SetString(RegistryBackend& registry, RegRoot root, const std::string& path, std::string_view name, std::string_view text)
{
    std::u16string wide = Utf8ToUtf16(text);
    wide += u'\0';
    registry.SetValue(root, path, name, RegType::String, wide.data(),
                        static_cast<std::uint32_t>(wide.size() * 2));
}

std::string ReadString(RegistryBackend& registry, RegRoot root, std::string_view path, std::string_view name)
{
    RegistryStore store(registry);
    return store.ReadString(root, path, name);
}

bool ValueExists(RegistryBackend& registry, RegRoot root, std::string_view path, std::string_view name)
{
    char buffer[4];
    std::uint32_t size = sizeof buffer;
    const RegStatus status =
        registry.QueryValue(root, path, KeyOpen::ExistingOnly, name, buffer, size, nullptr);
    return status == RegStatus::Ok || status == RegStatus::MoreData;
}

std::string Key(std::string_view child)
{
    return std::string(kProductKey) + "\\" + std::string(child);
}

// ---------------------------------------------------------------------------------------
// Lists, clicks, painting.

std::wstring ColumnTitle(HWND list, int column)
{
    wchar_t buffer[64] = L"";
    LVCOLUMNW query{};
    query.mask = LVCF_TEXT;
    query.pszText = buffer;
    query.cchTextMax = 64;
    ListView_GetColumn(list, column, &query);
    return buffer;
}

std::wstring ItemText(HWND list, int item, int column)
{
    std::vector<wchar_t> buffer(4096, L'\0');
    LVITEMW query{};
    query.iSubItem = column;
    query.pszText = buffer.data();
    query.cchTextMax = static_cast<int>(buffer.size());
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&query));
    return buffer.data();
}

int ItemImage(HWND list, int item)
{
    LVITEMW query{};
    query.mask = LVIF_IMAGE;
    query.iItem = item;
    ListView_GetItem(list, &query);
    return query.iImage;
}

int ItemCount(HWND list) { return ListView_GetItemCount(list); }

int FindItem(HWND list, const std::wstring& text)
{
    for (int item = 0; item < ItemCount(list); ++item)
        if (ItemText(list, item, 0) == text) return item;
    return -1;
}

// The list's texts, in its order, that are among `candidates` (the prefix may hold rows of
// other data too).
std::vector<std::wstring> TextsAmong(HWND list, const std::vector<std::wstring>& candidates)
{
    std::vector<std::wstring> found;
    for (int item = 0; item < ItemCount(list); ++item) {
        const std::wstring text = ItemText(list, item, 0);
        for (const std::wstring& candidate : candidates)
            if (text == candidate) found.push_back(text);
    }
    return found;
}

// A control's rectangle in its page's client pixels: left, top, right, bottom.
struct Place {
    long left, top, right, bottom;
    bool operator==(const Place&) const = default;
    friend void PrintTo(const Place& p, std::ostream* os)
    {
        *os << "{" << p.left << ", " << p.top << ", " << p.right << ", " << p.bottom << "}";
    }
};

Place PlaceOf(HWND control)
{
    const RECT rect = win::ClientRectOf(control);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// What a click on a list item sends to the list's parent.
LRESULT ClickItem(const win::Dialog& page, int listId, int item)
{
    NMITEMACTIVATE click{};
    click.hdr.hwndFrom = page.Item(listId);
    click.hdr.idFrom = static_cast<UINT_PTR>(listId);
    click.hdr.code = static_cast<UINT>(NM_CLICK);
    click.iItem = item;
    return ::SendMessageW(page.Hwnd(), WM_NOTIFY, static_cast<WPARAM>(listId),
                          reinterpret_cast<LPARAM>(&click));
}

void Mouse(HWND window, UINT msg, POINT p, WPARAM keys)
{
    ::SendMessageW(window, msg, keys, MAKELPARAM(p.x, p.y));
}

void PressAndRelease(HWND window, POINT down, POINT up)
{
    Mouse(window, WM_LBUTTONDOWN, down, MK_LBUTTON);
    Mouse(window, WM_LBUTTONUP, up, 0);
}

// A 32-bit top-down picture to paint into and read back.
class Picture {
public:
    Picture(int width, int height) : m_width(width), m_height(height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_bits = static_cast<const std::uint32_t*>(bits);
        m_dc.Reset(::CreateCompatibleDC(nullptr));
        ::SelectObject(m_dc.Get(), m_bitmap.Get());
    }

    HDC Dc() const { return m_dc.Get(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    COLORREF At(int x, int y) const
    {
        ::GdiFlush();
        const std::uint32_t pixel = m_bits[static_cast<std::size_t>(y) * m_width + x];
        return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF);
    }

private:
    int m_width;
    int m_height;
    win::UniqueBitmap m_bitmap;  // destroyed after the DC that holds it
    win::UniqueMemoryDc m_dc;
    const std::uint32_t* m_bits = nullptr;
};

// What the page paints as its background.
std::unique_ptr<Picture> PaintingOf(HWND page)
{
    RECT client{};
    ::GetClientRect(page, &client);
    auto picture = std::make_unique<Picture>(client.right, client.bottom);
    ::SendMessageW(page, WM_ERASEBKGND, reinterpret_cast<WPARAM>(picture->Dc()), 0);
    return picture;
}

// Whether the painting shows skin bitmap `id` at (x, y), pixel for pixel.
::testing::AssertionResult Shows(const Picture& painting, int id, int x, int y)
{
    const win::UniqueBitmap bitmap = win::LoadSkinBitmap(id);
    const SIZE size = win::BitmapSize(bitmap.Get());
    if (size.cx == 0) return ::testing::AssertionFailure() << "no bitmap " << id;
    Picture skin(size.cx, size.cy);
    win::DrawBitmap(skin.Dc(), bitmap.Get(), 0, 0, size.cx, size.cy);
    for (int row = 0; row < size.cy; ++row)
        for (int column = 0; column < size.cx; ++column)
            if (painting.At(x + column, y + row) != skin.At(column, row))
                return ::testing::AssertionFailure()
                       << "bitmap " << id << " differs at (" << x + column << ", " << y + row
                       << ")";
    return ::testing::AssertionSuccess();
}

constexpr COLORREF kGrey = RGB(233, 233, 233);

// The plain window the pages live in, as children, like in the main window.
class Host {
public:
    Host()
        : m_hwnd(::CreateWindowExW(0, L"STATIC", L"codec pages", WS_POPUP, 0, 0, 600, 600,
                                   nullptr, nullptr, win::ModuleInstance(), nullptr))
    {
    }
    ~Host() { ::DestroyWindow(m_hwnd); }
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;
    HWND Hwnd() const { return m_hwnd; }

private:
    HWND m_hwnd;
};

// What the main window does at the page's first show.
void OpenPage(Page& page, HWND parent)
{
    ASSERT_TRUE(page.Create(parent));
    ::MoveWindow(page.Hwnd(), 0, 0, 420, 500, TRUE);
    page.Shown();
}

// ---------------------------------------------------------------------------------------
// Codec Connect.

class RecordingLauncher final : public ProcessLauncher {
public:
    void StartHidden(std::string_view commandLine) override { lines.emplace_back(commandLine); }
    std::vector<std::string> lines;
};

// Every decoder file is there unless named missing: the tests' paths need no real files.
class FakeFiles final : public FileProbe {
public:
    bool Exists(std::string_view path) const override
    {
        return std::find(missing.begin(), missing.end(), path) == missing.end();
    }
    std::vector<std::string> missing;
};

struct DecoderSeed {
    std::string name;
    std::optional<std::string> install;    // Install value: the filter file's path
    std::optional<std::string> version;    // CodecVersion value
    std::optional<std::string> removed;    // CodecDel value
    std::optional<std::string> uninstall;  // UnInstall value
};

// The registry a Codec Connect test sees, its own: its decoders' bookkeeping and its filters.
class ConnectRegistry {
public:
    void Seed(const DecoderSeed& decoder)
    {
        const std::pair<const char*, const std::optional<std::string>*> values[] = {
            {"Install", &decoder.install},
            {"CodecVersion", &decoder.version},
            {"CodecDel", &decoder.removed},
            {"UnInstall", &decoder.uninstall},
        };
        for (const auto& [key, value] : values)
            if (*value) SetString(m_backend, kHklm, Key(key), decoder.name, **value);
    }

    // A registered DirectShow filter whose class is served by `server`; without a friendly
    // name the category entry is incomplete.
    void AddFilter(int number, std::optional<std::string> friendlyName, const std::string& server)
    {
        char guid[64];
        std::snprintf(guid, sizeof guid, "{5A1E7E57-C0DE-4A11-9E57-0000000000%02d}", number);
        const std::string instance = std::string(kFilterCategoryPath) + "\\" + guid;
        const std::string clsid = std::string("CLSID\\") + guid;
        if (friendlyName) SetString(m_backend, kHkcr, instance, "FriendlyName", *friendlyName);
        SetString(m_backend, kHkcr, instance, "CLSID", guid);
        SetString(m_backend, kHkcr, clsid + "\\InprocServer32", "", server);
    }

    RegistryBackend& Backend() { return m_backend; }
    // The key read-only, as HKEY_CLASSES_ROOT is for a user without administrator rights.
    wintest::ReadOnlyKeysRegistry::ReadOnly ReadOnly(std::string path) { return {m_backend, std::move(path)}; }

private:
    wintest::ReadOnlyKeysRegistry m_backend;
};

using wintest::MessageBoxWatch;

const DecoderSeed kAlpha{"ZlTest Alpha", "C:\\Codecs\\zltest-alpha.ax", "(1.0)", {}, {}};
const DecoderSeed kBravo{"ZlTest Bravo", "D:\\Other\\zltest-bravo.ax", {}, {}, {}};
const DecoderSeed kCharlie{"ZlTest Charlie", "C:\\Codecs\\zltest-charlie.ax", "(0.9)", {}, {}};
const DecoderSeed kCase{"ZlTest Case", "C:\\Codecs\\zltest-case.ax", "(2.0)", {}, {}};
const DecoderSeed kLonely{"ZlTest Lonely", "C:\\Codecs\\zltest-lonely.ax", "(1.5)", {}, {}};
const DecoderSeed kGhost{"ZlTest Ghost", "C:\\Codecs\\zltest-ghost.ax", "(1.0)", {}, {}};
const DecoderSeed kXvid{"Xvid", "C:\\Codecs\\zltest-xvid-elsewhere.ax", "(1.1.0)", {}, {}};
const DecoderSeed kVsFilter{"VSFilter", "C:\\Codecs\\zltest-vsfilter.dll", {}, {}, {}};
const DecoderSeed kDelta{"ZlTest Delta", {}, "(3.1)", "C:\\Codecs\\zltest-delta.ax",
                         "\"C:\\Codecs\\uninst-delta.exe\" /S"};
const DecoderSeed kEcho{"ZlTest Echo", {}, "(3.2)", "C:\\Codecs\\zltest-echo.ax", {}};

// Every row text these tests can produce.
const std::vector<std::wstring> kOurTexts = {
    L"ZlTest Alpha (1.0)", L"ZlTest Bravo",        L"ZlTest Charlie (0.9)",
    L"ZlTest Case (2.0)",  L"ZlTest Lonely (1.5)", L"ZlTest Ghost (1.0)",
    L"Xvid (1.1.0)",       L"Xvid",                L"VSFilter",
    L"VSFilter (2.37)",    L"ZlTest Delta (3.1)",  L"ZlTest Echo (3.2)"};

struct Button {
    const char* name;
    POINT inside;
    int normal, pressed, hover;
    POINT corner;
};
const Button kUnregisterButton{"unregister", {330, 70}, skin::kConnectUnregisterNormal.id,
    skin::kConnectUnregisterPressed.id, skin::kConnectUnregisterHover.id, {320, 60}};
const Button kRegisterButton{"register", {330, 280}, skin::kConnectRegisterNormal.id,
    skin::kConnectRegisterPressed.id, skin::kConnectRegisterHover.id, {320, 270}};
const Button kUninstallButton{"uninstall", {389, 321}, skin::kConnectUninstallNormal.id,
    skin::kConnectUninstallPressed.id, skin::kConnectUninstallHover.id, {320, 300}};
constexpr POINT kOutside{200, 230};

class CodecConnectPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstalledDecoders::ResetForTests();
        for (const DecoderSeed* decoder : {&kAlpha, &kBravo, &kCharlie, &kCase, &kLonely, &kGhost,
                                           &kXvid, &kVsFilter, &kDelta, &kEcho})
            m_registry.Seed(*decoder);
        // The registered servers: same file names in other folders still count.
        m_registry.AddFilter(1, "ZlTest Alpha Filter", "C:\\Windows\\System32\\zltest-alpha.ax");
        m_registry.AddFilter(2, "ZlTest Bravo Filter", "zltest-bravo.ax");
        m_registry.AddFilter(3, "ZlTest Charlie Filter", "C:\\Codecs\\zltest-charlie.ax");
        m_registry.AddFilter(4, "ZlTest Case Filter", "C:\\Codecs\\zltest-CASE.ax");
        m_registry.AddFilter(5, std::nullopt, "C:\\Codecs\\zltest-ghost.ax");
        m_registry.AddFilter(6, "ZlTest VSFilter", "C:\\Codecs\\zltest-vsfilter.dll");
    }
    void TearDown() override
    {
        m_page.reset();
        InstalledDecoders::ResetForTests();
    }

    CodecConnectPage& Open()
    {
        m_page = std::make_unique<CodecConnectPage>(Registry(), m_launcher, m_files);
        OpenPage(*m_page, m_host.Hwnd());
        return *m_page;
    }
    HWND Upper() const { return m_page->Item(IDC_INSTALLED_LIST); }
    HWND Lower() const { return m_page->Item(IDC_REMOVED_LIST); }
    void Tick(int listId, const std::wstring& text)
    {
        const HWND list = m_page->Item(listId);
        const int item = FindItem(list, text);
        ASSERT_GE(item, 0) << "no row " << std::string(text.begin(), text.end());
        ClickItem(*m_page, listId, item);
        ASSERT_EQ(ItemText(list, item, 2), L"1");
    }
    static std::string Regsvr(const char* switches, const std::string& path)
    {
        std::string line = "\"";
        line += win::SystemRegsvr32Path();
        line += "\" ";
        line += switches;
        line += " \"";
        line += path;
        return line;
    }

    RegistryBackend& Registry() { return m_registry.Backend(); }

    ConnectRegistry m_registry;  // first in, last out: the page never outlives its data
    RecordingLauncher m_launcher;
    FakeFiles m_files;
    Host m_host;
    std::unique_ptr<CodecConnectPage> m_page;
};

TEST_F(CodecConnectPageTest, ListsShowTheRegisteredDecodersAboveAndTheUnregisteredBelow)
{
    Open();

    // Sorted by the list; a server differing in case only is the same file; installed
    // decoders with no registration of their file (the filter without a friendly name
    // counts as none) join the unregistered below.
    EXPECT_EQ(TextsAmong(Upper(), kOurTexts),
              (std::vector<std::wstring>{L"VSFilter", L"ZlTest Alpha (1.0)", L"ZlTest Bravo",
                                         L"ZlTest Case (2.0)", L"ZlTest Charlie (0.9)"}));
    EXPECT_EQ(TextsAmong(Lower(), kOurTexts),
              (std::vector<std::wstring>{L"Xvid (1.1.0)", L"ZlTest Delta (3.1)",
                                         L"ZlTest Echo (3.2)", L"ZlTest Ghost (1.0)",
                                         L"ZlTest Lonely (1.5)"}));

    struct Expected {
        HWND list;
        const wchar_t* text;
        const char* path;
    };
    const Expected rows[] = {
        {Upper(), L"ZlTest Alpha (1.0)", "C:\\Codecs\\zltest-alpha.ax"},
        {Upper(), L"ZlTest Bravo", "D:\\Other\\zltest-bravo.ax"},
        {Upper(), L"VSFilter", "C:\\Codecs\\zltest-vsfilter.dll"},
        {Lower(), L"ZlTest Delta (3.1)", "C:\\Codecs\\zltest-delta.ax"},
    };
    for (const Expected& row : rows) {
        const int item = FindItem(row.list, row.text);
        ASSERT_GE(item, 0);
        EXPECT_EQ(ItemText(row.list, item, 1), Wide(row.path));
        EXPECT_EQ(ItemText(row.list, item, 2), L"0");
        EXPECT_EQ(ItemImage(row.list, item), 0);
    }

    // The flag follows the version record, registered or not.
    EXPECT_TRUE(InstalledDecoders::IsInstalled(Decoder::Xvid));
    EXPECT_FALSE(InstalledDecoders::IsInstalled(Decoder::VSFilter));

    EXPECT_EQ(PlaceOf(Upper()), (Place{10, 60, 305, 210}));
    EXPECT_EQ(PlaceOf(Lower()), (Place{10, 270, 305, 420}));
    // Every text whole beside its tick, the state in the rest: no horizontal scroll bar,
    // not even once a vertical one is needed.
    for (HWND list : {Upper(), Lower()}) {
        const int text = ListView_GetColumnWidth(list, 0);
        for (int item = 0; item < ItemCount(list); ++item)
            EXPECT_GE(text, ListView_GetStringWidth(list, ItemText(list, item, 0).c_str()) + 20);
        EXPECT_EQ(ListView_GetColumnWidth(list, 1), 0);
        EXPECT_EQ(ListView_GetColumnWidth(list, 2), 0);
        RECT client{};
        ::GetClientRect(list, &client);
        EXPECT_LE(text + ListView_GetColumnWidth(list, 3),
                  client.right - ((::GetWindowLongW(list, GWL_STYLE) & WS_VSCROLL)
                                      ? 0
                                      : ::GetSystemMetrics(SM_CXVSCROLL)));
        EXPECT_GE(ListView_GetColumnWidth(list, 3), 100);
        EXPECT_FALSE(::GetWindowLongW(list, GWL_STYLE) & WS_HSCROLL);
        EXPECT_EQ(ColumnTitle(list, 0), L"코덱");
        EXPECT_EQ(ColumnTitle(list, 3), L"상태");
    }

    // The page's rows follow the list's order: the buttons work from its last row up.
    ASSERT_EQ(static_cast<int>(m_page->InstalledRows().size()), ItemCount(Upper()));
    for (int item = 0; item < ItemCount(Upper()); ++item)
        EXPECT_EQ(Wide(m_page->InstalledRows()[item].displayText), ItemText(Upper(), item, 0));
}

TEST_F(CodecConnectPageTest, StatesAreShownAndOnlyThePacksOwnDeadRegistrationIsRemoved)
{
    // Golf's file is gone; the pack registered it at its recorded path, another vendor's
    // filter of the same file name lives in its own folder.
    const DecoderSeed golf{"ZlTest Golf", "C:\\Codecs\\zltest-golf.ax", "(1.0)", {}, {}};
    m_registry.Seed(golf);
    m_registry.AddFilter(7, "ZlTest Golf Filter", "c:\\codecs\\ZLTEST-GOLF.ax");
    m_registry.AddFilter(8, "Vendor Golf Filter", "C:\\Vendor\\zltest-golf.ax");
    m_files.missing = {*golf.install};
    const std::string category(kFilterCategoryPath);
    const std::string own = "{5A1E7E57-C0DE-4A11-9E57-000000000007}";
    const std::string foreign = "{5A1E7E57-C0DE-4A11-9E57-000000000008}";
    const auto untouched = [&](const std::string& guid) {
        return KeyExists(Registry(), kHkcr, category + "\\" + guid) &&
               KeyExists(Registry(), kHkcr, "CLSID\\" + guid + "\\InprocServer32");
    };
    Open();

    struct Shown {
        HWND list;
        const wchar_t* text;
        const wchar_t* state;
    };
    for (const Shown& row : {
             Shown{Upper(), L"ZlTest Golf (1.0)", L"파일 없음"},
             Shown{Upper(), L"ZlTest Alpha (1.0)",
                   L"다른 위치에 등록됨: C:\\Windows\\System32\\zltest-alpha.ax "
                   L"(설치: C:\\Codecs\\zltest-alpha.ax)"},
             Shown{Upper(), L"ZlTest Charlie (0.9)", L""},
             Shown{Lower(), L"ZlTest Lonely (1.5)", L"등록 안 됨"},
             Shown{Lower(), L"ZlTest Delta (3.1)", L""},
         }) {
        const int item = FindItem(row.list, row.text);
        ASSERT_GE(item, 0);
        EXPECT_EQ(ItemText(row.list, item, 3), row.state);
    }

    // A user who may not write the classes: told so, and nothing changes.
    Tick(IDC_INSTALLED_LIST, L"ZlTest Golf (1.0)");
    std::vector<MessageBoxWatch::Box> boxes;
    {
        const auto readOnly = m_registry.ReadOnly(category + "\\" + own);
        const MessageBoxWatch watch;
        PressAndRelease(m_page->Hwnd(), kUnregisterButton.inside, kUnregisterButton.inside);
        boxes = watch.Boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"HKEY_CLASSES_ROOT"), std::wstring::npos);
    EXPECT_TRUE(untouched(own));
    EXPECT_GE(FindItem(Upper(), L"ZlTest Golf (1.0)"), 0);

    PressAndRelease(m_page->Hwnd(), kUnregisterButton.inside, kUnregisterButton.inside);
    EXPECT_TRUE(m_launcher.lines.empty());
    EXPECT_FALSE(KeyExists(Registry(), kHkcr, category + "\\" + own));
    EXPECT_FALSE(KeyExists(Registry(), kHkcr, "CLSID\\" + own));
    EXPECT_TRUE(untouched(foreign));
    // Below, its state is what is left: the other vendor's filter.
    EXPECT_EQ(ItemText(Lower(), FindItem(Lower(), L"ZlTest Golf (1.0)"), 3),
              L"다른 위치에 등록됨: C:\\Vendor\\zltest-golf.ax (설치: C:\\Codecs\\zltest-golf.ax)");
    EXPECT_EQ(ReadString(Registry(), kHklm, Key("Install"), golf.name), *golf.install);
}

TEST_F(CodecConnectPageTest, AClickTicksARowAndASecondClickUnticksIt)
{
    Open();
    struct Case {
        int listId;
        const wchar_t* text;
    };
    for (const Case& c : {Case{IDC_INSTALLED_LIST, L"ZlTest Bravo"},
                          Case{IDC_REMOVED_LIST, L"ZlTest Echo (3.2)"}}) {
        const HWND list = m_page->Item(c.listId);
        const int item = FindItem(list, c.text);
        ASSERT_GE(item, 0);
        EXPECT_EQ(ClickItem(*m_page, c.listId, item), 0);
        EXPECT_EQ(ItemText(list, item, 2), L"1");
        EXPECT_EQ(ItemImage(list, item), 1);
        ClickItem(*m_page, c.listId, item);
        EXPECT_EQ(ItemText(list, item, 2), L"0");
        EXPECT_EQ(ItemImage(list, item), 0);
    }

    // Clicks beside the rows tick nothing.
    for (int listId : {IDC_INSTALLED_LIST, IDC_REMOVED_LIST}) {
        const HWND list = m_page->Item(listId);
        ClickItem(*m_page, listId, -1);
        ClickItem(*m_page, listId, ItemCount(list));
        for (int item = 0; item < ItemCount(list); ++item) {
            EXPECT_EQ(ItemText(list, item, 2), L"0");
            EXPECT_EQ(ItemImage(list, item), 0);
        }
    }
}

TEST_F(CodecConnectPageTest, UnregisterMovesTheTickedRowsDownAndStartsRegsvr32ForEach)
{
    Open();
    Tick(IDC_INSTALLED_LIST, L"VSFilter");
    Tick(IDC_INSTALLED_LIST, L"ZlTest Case (2.0)");
    Tick(IDC_INSTALLED_LIST, L"ZlTest Charlie (0.9)");
    // The user's selection in the other list survives the move and a later show.
    ListView_SetItemState(Lower(), FindItem(Lower(), L"ZlTest Delta (3.1)"), LVIS_SELECTED,
                          LVIS_SELECTED);
    const auto selected = [&] {
        const int item = ListView_GetNextItem(Lower(), -1, LVNI_SELECTED);
        return item < 0 ? std::wstring() : ItemText(Lower(), item, 0);
    };

    PressAndRelease(m_page->Hwnd(), kUnregisterButton.inside, {335, 75});
    m_page->Shown();
    EXPECT_EQ(selected(), L"ZlTest Delta (3.1)");

    // From the list's last row up.
    EXPECT_EQ(m_launcher.lines,
              (std::vector<std::string>{Regsvr("/s /u", "C:\\Codecs\\zltest-charlie.ax"),
                                        Regsvr("/s /u", "C:\\Codecs\\zltest-case.ax"),
                                        Regsvr("/s /u", "C:\\Codecs\\zltest-vsfilter.dll")}));
    EXPECT_EQ(TextsAmong(Upper(), kOurTexts),
              (std::vector<std::wstring>{L"ZlTest Alpha (1.0)", L"ZlTest Bravo"}));
    const std::vector<std::wstring> lower = TextsAmong(Lower(), kOurTexts);
    EXPECT_EQ(lower, (std::vector<std::wstring>{L"VSFilter", L"Xvid (1.1.0)", L"ZlTest Case (2.0)",
                                                L"ZlTest Charlie (0.9)", L"ZlTest Delta (3.1)",
                                                L"ZlTest Echo (3.2)", L"ZlTest Ghost (1.0)",
                                                L"ZlTest Lonely (1.5)"}));
    for (int item = 0; item < ItemCount(Lower()); ++item) {
        EXPECT_EQ(ItemText(Lower(), item, 2), L"0");
        EXPECT_EQ(ItemImage(Lower(), item), 0);
    }
    EXPECT_EQ(ItemText(Lower(), FindItem(Lower(), L"ZlTest Case (2.0)"), 1),
              L"C:\\Codecs\\zltest-case.ax");

    for (const DecoderSeed* moved : {&kCase, &kCharlie}) {
        EXPECT_EQ(ReadString(Registry(), kHklm, Key("CodecDel"), moved->name), *moved->install);
        EXPECT_FALSE(ValueExists(Registry(), kHklm, Key("Install"), moved->name));
    }
    // A row without a version keeps the name it was scanned under for its books.
    EXPECT_EQ(ReadString(Registry(), kHklm, Key("CodecDel"), "VSFilter"), *kVsFilter.install);
    EXPECT_FALSE(ValueExists(Registry(), kHklm, Key("Install"), "VSFilter"));
    EXPECT_FALSE(ValueExists(Registry(), kHklm, Key("CodecDel"), ""));

    const auto painting = PaintingOf(m_page->Hwnd());
    EXPECT_TRUE(Shows(*painting, kUnregisterButton.hover, 320, 60));

    // Two back up, again from the list's last row: the moved rows were appended to the
    // page's rows but sorted into the list.
    m_launcher.lines.clear();
    Tick(IDC_REMOVED_LIST, L"ZlTest Case (2.0)");
    Tick(IDC_REMOVED_LIST, L"ZlTest Charlie (0.9)");
    PressAndRelease(m_page->Hwnd(), kRegisterButton.inside, kRegisterButton.inside);
    EXPECT_EQ(m_launcher.lines,
              (std::vector<std::string>{Regsvr("/s", "C:\\Codecs\\zltest-charlie.ax"),
                                        Regsvr("/s", "C:\\Codecs\\zltest-case.ax")}));
    EXPECT_EQ(TextsAmong(Upper(), kOurTexts),
              (std::vector<std::wstring>{L"ZlTest Alpha (1.0)", L"ZlTest Bravo",
                                         L"ZlTest Case (2.0)", L"ZlTest Charlie (0.9)"}));
    EXPECT_EQ(TextsAmong(Lower(), kOurTexts),
              (std::vector<std::wstring>{L"VSFilter", L"Xvid (1.1.0)", L"ZlTest Delta (3.1)",
                                         L"ZlTest Echo (3.2)", L"ZlTest Ghost (1.0)",
                                         L"ZlTest Lonely (1.5)"}));
    const int back = FindItem(Upper(), L"ZlTest Case (2.0)");
    EXPECT_EQ(ItemText(Upper(), back, 2), L"0");
    EXPECT_EQ(ItemImage(Upper(), back), 0);
    for (const DecoderSeed* moved : {&kCase, &kCharlie}) {
        EXPECT_EQ(ReadString(Registry(), kHklm, Key("Install"), moved->name), *moved->install);
        EXPECT_FALSE(ValueExists(Registry(), kHklm, Key("CodecDel"), moved->name));
    }
}

TEST_F(CodecConnectPageTest, ARowWhosePathCannotBeReadStaysTickedAndKeepsItsRecord)
{
    // Too long for the decoders' 1024-byte buffer: the row shows the placeholder, and
    // registering it would store that in place of the real path.
    const DecoderSeed longPath{"ZlTest Foxtrot", {}, "(1.0)",
                               "C:\\" + std::string(1100, 'f') + ".ax", {}};
    m_registry.Seed(longPath);
    Open();
    Tick(IDC_REMOVED_LIST, L"ZlTest Foxtrot (1.0)");
    Tick(IDC_REMOVED_LIST, L"ZlTest Delta (3.1)");

    std::vector<MessageBoxWatch::Box> boxes;
    {
        const MessageBoxWatch watch;
        PressAndRelease(m_page->Hwnd(), kRegisterButton.inside, kRegisterButton.inside);
        boxes = watch.Boxes();
    }
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"ZlTest Foxtrot (1.0): "), std::wstring::npos);

    EXPECT_EQ(m_launcher.lines,
              (std::vector<std::string>{Regsvr("/s", "C:\\Codecs\\zltest-delta.ax")}));
    EXPECT_EQ(TextsAmong(Lower(), kOurTexts),
              (std::vector<std::wstring>{L"Xvid (1.1.0)", L"ZlTest Echo (3.2)",
                                         L"ZlTest Ghost (1.0)", L"ZlTest Lonely (1.5)"}));
    const int stayed = FindItem(Lower(), L"ZlTest Foxtrot (1.0)");
    ASSERT_GE(stayed, 0);
    EXPECT_EQ(ItemText(Lower(), stayed, 2), L"1");
    EXPECT_EQ(ItemImage(Lower(), stayed), 1);
    EXPECT_GE(FindItem(Upper(), L"ZlTest Delta (3.1)"), 0);
    std::vector<char> stored(4096);
    auto size = static_cast<std::uint32_t>(stored.size());
    ASSERT_EQ(Registry().QueryValue(kHklm, Key("CodecDel"), KeyOpen::ExistingOnly, longPath.name,
                                    stored.data(), size, nullptr),
              RegStatus::Ok);
    EXPECT_EQ(size, (longPath.removed->size() + 1) * 2);  // the whole path, as it was
    EXPECT_FALSE(ValueExists(Registry(), kHklm, Key("Install"), longPath.name));
}

TEST_F(CodecConnectPageTest, UninstallStartsTheKnownUninstallersAndSaysWhichRowsHaveNone)
{
    Open();
    Tick(IDC_REMOVED_LIST, L"ZlTest Delta (3.1)");
    Tick(IDC_REMOVED_LIST, L"ZlTest Echo (3.2)");  // no uninstaller recorded

    std::vector<MessageBoxWatch::Box> boxes;
    {
        const MessageBoxWatch watch;
        PressAndRelease(m_page->Hwnd(), kUninstallButton.inside, kUninstallButton.inside);
        boxes = watch.Boxes();
    }

    EXPECT_EQ(m_launcher.lines,
              (std::vector<std::string>{"\"C:\\Codecs\\uninst-delta.exe\" /S"}));
    EXPECT_EQ(TextsAmong(Lower(), kOurTexts),
              (std::vector<std::wstring>{L"Xvid (1.1.0)", L"ZlTest Echo (3.2)",
                                         L"ZlTest Ghost (1.0)", L"ZlTest Lonely (1.5)"}));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(boxes[0].text.find(L"ZlTest Echo (3.2): 제거 프로그램이 기록되어 있지 않습니다."),
              std::wstring::npos);
    EXPECT_EQ(ReadString(Registry(), kHklm, Key("CodecDel"), kDelta.name), *kDelta.removed);
}

TEST_F(CodecConnectPageTest, LongTextsReachTheRegistryAndRegsvr32Whole)
{
    const std::string name(300, 'n');
    const std::string path = "C:\\Codecs\\" + std::string(290, 'd') + "\\zltest-long.ax";
    m_registry.Seed({name, path, "(9.9)", {}, {}});
    m_registry.AddFilter(7, "ZlTest Long Filter", path);
    Open();

    const std::wstring text = Wide(name + " (9.9)");
    Tick(IDC_INSTALLED_LIST, text);
    EXPECT_EQ(ItemText(Upper(), FindItem(Upper(), text), 1), Wide(path));
    PressAndRelease(m_page->Hwnd(), kUnregisterButton.inside, kUnregisterButton.inside);

    EXPECT_EQ(m_launcher.lines, (std::vector<std::string>{Regsvr("/s /u", path)}));
    EXPECT_EQ(ReadString(Registry(), kHklm, Key("CodecDel"), name), path);
    EXPECT_FALSE(ValueExists(Registry(), kHklm, Key("Install"), name));
    EXPECT_GE(FindItem(Lower(), text), 0);
}

TEST_F(CodecConnectPageTest, ButtonsFollowTheMouseAndActOnlyOnAReleaseInside)
{
    Open();
    Tick(IDC_INSTALLED_LIST, L"ZlTest Alpha (1.0)");
    Tick(IDC_REMOVED_LIST, L"ZlTest Delta (3.1)");
    const HWND page = m_page->Hwnd();

    for (const Button& button : {kUnregisterButton, kRegisterButton, kUninstallButton}) {
        SCOPED_TRACE(button.name);
        const auto showing = [&](int image) {
            return Shows(*PaintingOf(page), image, button.corner.x, button.corner.y);
        };
        EXPECT_TRUE(showing(button.normal));
        Mouse(page, WM_MOUSEMOVE, button.inside, 0);
        EXPECT_TRUE(showing(button.hover));
        Mouse(page, WM_MOUSEMOVE, button.inside, MK_LBUTTON);
        EXPECT_TRUE(showing(button.pressed));
        Mouse(page, WM_MOUSEMOVE, button.inside, MK_LBUTTON | MK_SHIFT);  // not the left only
        EXPECT_TRUE(showing(button.hover));
        Mouse(page, WM_MOUSEMOVE, kOutside, 0);
        EXPECT_TRUE(showing(button.normal));

        Mouse(page, WM_LBUTTONDOWN, button.inside, MK_LBUTTON);
        EXPECT_TRUE(showing(button.pressed));
        Mouse(page, WM_MOUSEMOVE, kOutside, MK_LBUTTON);  // a pressed button keeps its image
        EXPECT_TRUE(showing(button.pressed));
        Mouse(page, WM_LBUTTONUP, kOutside, 0);
        EXPECT_TRUE(showing(button.normal));
    }

    // Nothing ran: the ticked rows are where they were, still ticked.
    EXPECT_TRUE(m_launcher.lines.empty());
    EXPECT_EQ(ItemText(Upper(), FindItem(Upper(), L"ZlTest Alpha (1.0)"), 2), L"1");
    EXPECT_EQ(ItemText(Lower(), FindItem(Lower(), L"ZlTest Delta (3.1)"), 2), L"1");
    EXPECT_TRUE(ValueExists(Registry(), kHklm, Key("Install"), kAlpha.name));
}

TEST_F(CodecConnectPageTest, PaintsItsSkinOnTheGreyBackground)
{
    Open();
    const auto painting = PaintingOf(m_page->Hwnd());
    EXPECT_TRUE(Shows(*painting, skin::kConnectBanner.id, 0, 0));
    EXPECT_TRUE(Shows(*painting, skin::kConnectUpperHeading.id, 10, 30));
    EXPECT_TRUE(Shows(*painting, skin::kConnectLowerHeading.id, 10, 240));
    EXPECT_TRUE(Shows(*painting, skin::kConnectUnregisterNormal.id, 320, 60));
    EXPECT_TRUE(Shows(*painting, skin::kConnectRegisterNormal.id, 320, 270));
    EXPECT_TRUE(Shows(*painting, skin::kConnectUninstallNormal.id, 320, 300));
    for (POINT p : {POINT{419, 100}, POINT{310, 230}, POINT{5, 499}, POINT{400, 330}})
        EXPECT_EQ(painting->At(p.x, p.y), kGrey) << p.x << ", " << p.y;
}

TEST_F(CodecConnectPageTest, StaticsGetTheGreyBackgroundFromOneLastingBrush)
{
    Open();
    const HWND label = ::CreateWindowExW(0, L"STATIC", L"label", WS_CHILD, 0, 0, 50, 10,
                                         m_page->Hwnd(), nullptr, win::ModuleInstance(), nullptr);
    Picture picture(4, 4);
    const auto colour = [&](UINT msg) {
        return reinterpret_cast<HBRUSH>(::SendMessageW(
            m_page->Hwnd(), msg, reinterpret_cast<WPARAM>(picture.Dc()),
            reinterpret_cast<LPARAM>(label)));
    };
    const HBRUSH first = colour(WM_CTLCOLORSTATIC);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(colour(WM_CTLCOLORSTATIC), first);
    EXPECT_EQ(::GetBkColor(picture.Dc()), kGrey);
    LOGBRUSH brush{};
    ASSERT_EQ(::GetObjectW(first, sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbColor, kGrey);
    EXPECT_NE(colour(WM_CTLCOLOREDIT), first);  // others keep the dialog's colours
    ::DestroyWindow(label);
}

TEST_F(CodecConnectPageTest, ARefusedFilterCategoryShowsErrorAndLeavesOnlyTheUpperListEmpty)
{
    const auto readOnly = m_registry.ReadOnly(std::string(kFilterCategoryPath));
    std::vector<MessageBoxWatch::Box> boxes;
    {
        const MessageBoxWatch watch;
        Open();
        boxes = watch.Boxes();
    }

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"Zelora");
    EXPECT_EQ(boxes[0].text, L"Error");
    EXPECT_EQ(ItemCount(Upper()), 0);
    EXPECT_EQ(TextsAmong(Lower(), kOurTexts),
              (std::vector<std::wstring>{L"ZlTest Delta (3.1)", L"ZlTest Echo (3.2)"}));
    EXPECT_FALSE(InstalledDecoders::IsInstalled(Decoder::Xvid));
}

// ---------------------------------------------------------------------------------------
// Codec Update.

struct UpdateRow {
    const char* name;
    std::int32_t defaultState;
};
struct UpdateListCase {
    int id;
    const char* key;
    std::vector<UpdateRow> rows;
};

const std::vector<UpdateListCase> kUpdateListCases = {
    {1002, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\video",
     {{"FFDShow", 1}, {"Divx5", 1}, {"Xvid", 1}, {"Mpeg Splitter", 1}, {"Mpeg 1/2", 1},
      {"Matroska", 1}, {"Real Media", 1}, {"h.264", 1}}},
    {1003, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\audio",
     {{"AC3Filter", 1}, {"Korrins DTS", 1}, {"LAME MP3", 1}, {"OGG Vorbis", 1}, {"CoreAAC", 1},
      {"MMSwitch", 0}}},
    {1004, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\caption",
     {{"VSFilter", 0}, {"DivxG400", 0}}},
};
constexpr const char* kVideoKey = "Software\\Tarnwick\\Quellmark\\CodecUpdate\\video";

std::optional<std::int32_t> StoredDword(RegistryBackend& registry, const char* key, const char* name)
{
    std::int32_t value = 0;
    std::uint32_t size = sizeof value;
    RegType type = RegType::None;
    if (registry.QueryValue(kHklm, key, KeyOpen::ExistingOnly, name, &value, size, &type) !=
            RegStatus::Ok ||
        type != RegType::Dword || size != sizeof value)
        return std::nullopt;
    return value;
}

void StoreDword(RegistryBackend& registry, const char* key, const char* name, std::int32_t value)
{
    registry.SetValue(kHklm, key, name, RegType::Dword, &value, sizeof value);
}

class CodecUpdatePageTest : public ::testing::Test {
protected:
    // Every test starts on a system where the page never ran: its own registry, empty.
    RegistryBackend& Registry() { return m_backend; }
    void TearDown() override { m_page.reset(); }

    CodecUpdatePage& Open()
    {
        m_page = std::make_unique<CodecUpdatePage>(Registry());
        OpenPage(*m_page, m_host.Hwnd());
        return *m_page;
    }
    HWND List(int id) const { return m_page->Item(id); }

    MemoryRegistry m_backend;
    Host m_host;
    std::unique_ptr<CodecUpdatePage> m_page;
};

TEST_F(CodecUpdatePageTest, FirstShowOnAFreshSystemShowsAndStoresEveryDefault)
{
    Open();
    for (const UpdateListCase& list : kUpdateListCases) {
        const HWND view = List(list.id);
        ASSERT_EQ(ItemCount(view), static_cast<int>(list.rows.size())) << list.key;
        for (int item = 0; item < ItemCount(view); ++item) {
            const UpdateRow& row = list.rows[static_cast<std::size_t>(item)];
            SCOPED_TRACE(row.name);
            EXPECT_EQ(ItemText(view, item, 0), Wide(row.name));
            EXPECT_EQ(ItemText(view, item, 1), row.defaultState ? L"1" : L"0");
            EXPECT_EQ(ItemImage(view, item), row.defaultState);
            EXPECT_EQ(StoredDword(Registry(), list.key, row.name), row.defaultState);
        }
        EXPECT_EQ(ListView_GetColumnWidth(view, 0), 146);
        EXPECT_EQ(ListView_GetColumnWidth(view, 1), 0);
    }
    EXPECT_EQ(ItemCount(List(1005)), 0);

    EXPECT_EQ(PlaceOf(List(1002)), (Place{10, 55, 190, 190}));
    EXPECT_EQ(PlaceOf(List(1003)), (Place{210, 55, 390, 190}));
    EXPECT_EQ(PlaceOf(List(1004)), (Place{10, 265, 190, 400}));
    EXPECT_EQ(PlaceOf(List(1005)), (Place{210, 265, 390, 400}));
}

TEST_F(CodecUpdatePageTest, StoredStatesAreShownAndLeftAsStored)
{
    struct Stored {
        int listId;
        const char* key;
        const char* name;
        int item;
        std::int32_t value;
        int image;
    };
    const Stored stored[] = {
        {1002, kVideoKey, "Xvid", 2, 0, 0},
        {1003, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\audio", "MMSwitch", 5, 1, 1},
        // The updater offers a codec for the DWORD 1 alone: a 7 shows unticked.
        {1004, "Software\\Tarnwick\\Quellmark\\CodecUpdate\\caption", "VSFilter", 0, 7, 0},
    };
    for (const Stored& s : stored) StoreDword(Registry(), s.key, s.name, s.value);
    Open();
    for (const Stored& s : stored) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(ItemImage(List(s.listId), s.item), s.image);
        EXPECT_EQ(ItemText(List(s.listId), s.item, 1), s.image ? L"1" : L"0");
        EXPECT_EQ(StoredDword(Registry(), s.key, s.name), s.value);
    }
}

TEST_F(CodecUpdatePageTest, ClickingXvidTwiceStoresZeroThenOne)
{
    Open();
    const HWND video = List(1002);
    ASSERT_EQ(ItemText(video, 2, 0), L"Xvid");
    for (std::int32_t expected : {0, 1}) {
        EXPECT_EQ(ClickItem(*m_page, 1002, 2), 0);
        EXPECT_EQ(StoredDword(Registry(), kVideoKey, "Xvid"), expected);
        EXPECT_EQ(ItemImage(video, 2), expected);
        EXPECT_EQ(ItemText(video, 2, 1), expected ? L"1" : L"0");
    }

    // Clicks that hit no codec store nothing at all.
    EXPECT_EQ(ClickItem(*m_page, 1005, 0), 0);
    EXPECT_EQ(ClickItem(*m_page, 1002, -1), 0);
    ClickItem(*m_page, 1004, 2);
    for (const UpdateListCase& list : kUpdateListCases) {
        EXPECT_FALSE(ValueExists(Registry(), kHklm, list.key, "")) << list.key;
        for (const UpdateRow& row : list.rows)
            EXPECT_EQ(StoredDword(Registry(), list.key, row.name), row.defaultState) << row.name;
    }
}

TEST_F(CodecUpdatePageTest, PaintsItsTitlesOnTheGreyBackground)
{
    Open();
    const auto painting = PaintingOf(m_page->Hwnd());
    EXPECT_TRUE(Shows(*painting, skin::kUpdateBanner.id, 0, 0));
    EXPECT_TRUE(Shows(*painting, skin::kUpdateVideoTitle.id, 10, 30));
    EXPECT_TRUE(Shows(*painting, skin::kUpdateAudioTitle.id, 210, 30));
    EXPECT_TRUE(Shows(*painting, skin::kUpdateCaptionTitle.id, 10, 240));
    EXPECT_TRUE(Shows(*painting, skin::kUpdateOtherTitle.id, 210, 240));
    for (POINT p : {POINT{419, 100}, POINT{200, 220}, POINT{5, 499}, POINT{400, 20}})
        EXPECT_EQ(painting->At(p.x, p.y), kGrey) << p.x << ", " << p.y;
}

// The rows' tick images are taken from the icons' pixels directly; drawn on white and on
// the page grey they must look exactly as the icons themselves do.
TEST(CheckImages, DrawAsTheirIconsDo)
{
    const UniqueImageList images = CreateCheckImages();
    ASSERT_EQ(::ImageList_GetImageCount(images.Get()), 2);
    for (int image : {0, 1}) {
        const win::UniqueIcon icon(static_cast<HICON>(::LoadImageW(
            win::ModuleInstance(), MAKEINTRESOURCEW(image ? skin::kRowTicked : skin::kRowUnticked), IMAGE_ICON, 20, 20, 0)));
        for (COLORREF background : {RGB(255, 255, 255), kGrey}) {
            Picture fromList(20, 20);
            Picture fromIcon(20, 20);
            const win::UniqueBrush brush(::CreateSolidBrush(background));
            const RECT all{0, 0, 20, 20};
            ::FillRect(fromList.Dc(), &all, brush.Get());
            ::FillRect(fromIcon.Dc(), &all, brush.Get());
            ::ImageList_Draw(images.Get(), image, fromList.Dc(), 0, 0, ILD_NORMAL);
            ::DrawIconEx(fromIcon.Dc(), 0, 0, icon.Get(), 20, 20, 0, nullptr, DI_NORMAL);
            for (int y = 0; y < 20; ++y)
                for (int x = 0; x < 20; ++x)
                    ASSERT_EQ(fromList.At(x, y), fromIcon.At(x, y))
                        << "image " << image << " at (" << x << ", " << y << ")";
        }
    }
}

}  // namespace
}  // namespace zelora
