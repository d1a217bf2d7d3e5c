// The settings pages created for real from their templates, as children of a plain window,
// driven with the messages a user's clicks and keys produce and checked in each test's own
// registry; and the settings page frame's own Win32 duties (numeric edits, the exchange
// guard, control colouring). The skin's painting is checked on screen, end to end.
#include <windows.h>

#include <commctrl.h>

#include "pages/SettingsPage.h"
#include "pages/video/VideoFFDShowValues.h"
#include "pages/video/VideoXvidValues.h"
#include "pages/audio/SoundKorrinValues.h"
#include "pages/subtitle/CaptionDivxG400Values.h"
#include "pages/subtitle/CaptionVSFilterValues.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/Win32Registry.h"
#include "platform/text/Text.h"
#include "platform/win/WideText.h"
#include "resources/resource.h"
#include "platform/win/Controls.h"
#include "win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zelora {
namespace {

using win::Wide;
using wintest::WindowText;

constexpr RegRoot kHkcu = RegRoot::CurrentUser;
constexpr std::string_view kFrameTestKey = "Software\\Zelora Tests\\SettingsPage";
std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = L"";
    ::GetClassNameW(hwnd, name, 64);
    return name;
}

// What the control needs to show its whole label: a check box says so itself, a static
// needs its text's width in its font.
int WidthToShowLabel(HWND control, ControlType type)
{
    if (type == ControlType::CheckBox || type == ControlType::RadioButton) {
        SIZE ideal{};
        EXPECT_TRUE(::SendMessageW(control, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&ideal)));
        return ideal.cx;
    }
    // A closed list shows the chosen entry beside its button: every entry must fit.
    std::vector<std::wstring> texts;
    if (type == ControlType::DropDownCombo) {
        const auto count = ::SendMessageW(control, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            std::wstring entry(static_cast<std::size_t>(
                                   ::SendMessageW(control, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
            ::SendMessageW(control, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
            texts.push_back(entry.c_str());
        }
    } else if (type == ControlType::Static) {
        texts.push_back(WindowText(control));
    }
    HDC dc = ::GetDC(control);
    const HGDIOBJ old =
        ::SelectObject(dc, reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (const std::wstring& text : texts) {
        SIZE size{};
        ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        widest = std::max(widest, static_cast<int>(size.cx));
    }
    ::SelectObject(dc, old);
    ::ReleaseDC(control, dc);
    const int frame = type == ControlType::DropDownCombo
                          ? ::GetSystemMetrics(SM_CXVSCROLL) + 4 * ::GetSystemMetrics(SM_CXEDGE)
                          : 0;
    return texts.empty() ? 0 : widest + frame;
}

// One page under test: how to make it and its tables.
struct PageCase {
    const char* name;
    const PageDescription* page;
    std::string_view decoder;
    std::span<const ValueRow> values;
    std::span<const PageControl> controls;
};

const PageCase kPages[] = {
    {"Xvid", &video_xvid::kPage, "Xvid", video_xvid::kValues,
     video_xvid::kControls},
    {"ffdshow video", &video_ffdshow::kPage, "FFDShow",
     video_ffdshow::kValues, video_ffdshow::kControls},
    {"DTS speaker", &sound_korrin::kPage, "Korrins DTS",
     sound_korrin::kValues, sound_korrin::kControls},
    {"VSFilter", &caption_vsfilter::kPage, "VSFilter",
     caption_vsfilter::kValues, caption_vsfilter::kControls},
    {"DivX G400", &caption_divxg400::kPage, "DivxG400",
     caption_divxg400::kValues, caption_divxg400::kControls},
};
const PageCase& kXvid = kPages[0];
const PageCase& kVSFilter = kPages[3];
const PageCase& kG400 = kPages[4];

class VideoPagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstalledDecoders::ResetForTests();
        m_parent = ::CreateWindowExW(0, L"STATIC", L"pages", WS_POPUP, 0, 0, 600, 600, nullptr,
                                     nullptr, win::ModuleInstance(), nullptr);
        ASSERT_NE(m_parent, nullptr);
    }
    void TearDown() override
    {
        m_page.reset();
        ::DestroyWindow(m_parent);
        InstalledDecoders::ResetForTests();
    }

    std::unique_ptr<SettingsPage> Make(const PageCase& page)
    {
        return std::make_unique<SettingsPage>(*page.page, m_registry);
    }

    // Creates the page hidden, as the main window does at start-up.
    void Create(std::unique_ptr<SettingsPage> page)
    {
        m_page = std::move(page);
        ASSERT_TRUE(m_page->Create(m_parent));
    }
    // What the main window does when the page's menu item is pressed (the first time, or
    // again: it lays out and moves only once).
    void Show()
    {
        m_page->Load();
        m_page->Layout();
        ::MoveWindow(m_page->Hwnd(), 162, 50, 420, 500, TRUE);
        ::ShowWindow(m_page->Hwnd(), SW_SHOW);
        m_page->Shown();
    }
    void CreateAndShow(const PageCase& page)
    {
        Create(Make(page));
        Show();
    }

    HWND Item(int id) const { return m_page->Item(id); }
    // The user clicks into an edit, selects its whole text and types.
    void TypeInto(int id, std::wstring_view keys)
    {
        ::ShowWindow(m_parent, SW_SHOW);
        ::SetFocus(Item(id));
        ::SendMessageW(Item(id), EM_SETSEL, 0, -1);
        wintest::TypeKeys(keys);
    }
    bool Checked(int id) const { return ::IsDlgButtonChecked(m_page->Hwnd(), id) == BST_CHECKED; }
    void Click(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    int Selection(int id) const
    {
        return static_cast<int>(::SendMessageW(Item(id), CB_GETCURSEL, 0, 0));
    }
    void Choose(int id, int index) const
    {
        ::SendMessageW(Item(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(m_page->Hwnd(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(id)));
    }

    std::int32_t Stored(std::string_view key, std::string_view name)
    {
        return m_store.ReadDword(kHkcu, key, name);
    }
    std::int32_t Stored(const RegValue& value)
    {
        return m_store.ReadDword(value.root, value.key, value.name);
    }
    std::int32_t Xvid(std::string_view name) { return Stored(video_xvid::kKey, name); }
    void SetXvid(std::string_view name, std::int32_t value)
    {
        m_store.WriteDword(kHkcu, video_xvid::kKey, name, value);
    }

    MemoryRegistry m_registry;  // the test's own
    RegistryStore m_store{m_registry};
    HWND m_parent = nullptr;
    std::unique_ptr<SettingsPage> m_page;
};

// ---------------------------------------------------------------------------------------
// Both pages

TEST_F(VideoPagesTest, TemplatesHoldEveryControlWithItsLabelAndLayoutPlacesThemApart)
{
    for (const PageCase& page : kPages) {
        SCOPED_TRACE(page.name);
        InstalledDecoders::MarkInstalled(page.decoder);
        CreateAndShow(page);
        std::vector<RECT> placed;
        for (const PageControl& control : page.controls) {
            SCOPED_TRACE(control.id);
            const HWND hwnd = Item(control.id);
            ASSERT_NE(hwnd, nullptr);
            EXPECT_TRUE(::IsWindowEnabled(hwnd));
            const auto style = ::GetWindowLongW(hwnd, GWL_STYLE);
            switch (control.type) {
            case ControlType::CheckBox:
                EXPECT_EQ(ClassOf(hwnd), L"Button");
                EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
                break;
            case ControlType::RadioButton:
                EXPECT_EQ(ClassOf(hwnd), L"Button");
                EXPECT_EQ(style & BS_TYPEMASK, BS_AUTORADIOBUTTON);
                EXPECT_EQ((style & WS_GROUP) != 0, &control == &page.controls.front());
                break;
            case ControlType::DropDownCombo:
                EXPECT_EQ(ClassOf(hwnd), L"ComboBox");
                EXPECT_EQ(style & 3, CBS_DROPDOWN);
                break;
            case ControlType::NumericEdit:
                EXPECT_EQ(ClassOf(hwnd), L"Edit");
                break;
            case ControlType::Spin:
                // "1000" must never show as "1,000", which reads back as 1.
                EXPECT_EQ(ClassOf(hwnd), UPDOWN_CLASSW);
                EXPECT_TRUE(style & UDS_NOTHOUSANDS);
                EXPECT_TRUE(style & UDS_SETBUDDYINT);
                break;
            default:
                EXPECT_EQ(ClassOf(hwnd), L"Static");
                break;
            }

            const RECT at = win::ClientRectOf(hwnd);
            if (control.place.IsSet()) {
                EXPECT_EQ(at.left, control.place.x);
                EXPECT_EQ(at.top, control.place.y);
                // A closed list is as high as its font makes it; its place's height is the
                // dropped list's.
                if (control.type != ControlType::DropDownCombo) {
                    EXPECT_EQ(at.bottom - at.top, control.place.height);
                }
                EXPECT_GE(at.right - at.left, control.place.width);
            }
            EXPECT_LE(WidthToShowLabel(hwnd, control.type), at.right - at.left);
            // A spinner touches its edit by design.
            if (control.type == ControlType::Spin) continue;
            for (const RECT& other : placed) {
                RECT overlap{};
                EXPECT_FALSE(::IntersectRect(&overlap, &at, &other));
            }
            placed.push_back(at);
            EXPECT_LE(at.right, 420);
        }
    }
}

TEST_F(VideoPagesTest, XvidColourListSitsBesideItsTitle)
{
    InstalledDecoders::MarkInstalled("Xvid");
    CreateAndShow(kXvid);
    const RECT title = win::ClientRectOf(Item(IDC_XVID_COLOUR_SPACE_TITLE));
    const RECT list = win::ClientRectOf(Item(IDC_XVID_COLOUR_SPACE));
    EXPECT_GE(list.left, title.right);
    EXPECT_LE(list.left, title.right + 10);
    EXPECT_LE(std::abs((list.top + list.bottom) - (title.top + title.bottom)), 2);
}

TEST_F(VideoPagesTest, FirstShowWithNoKeysStoresAndShowsEveryDefault)
{
    for (const PageCase& page : kPages) {
        SCOPED_TRACE(page.name);
        CreateAndShow(page);
        for (const ValueRow& row : page.values) {
            SCOPED_TRACE(row.value.name);
            EXPECT_EQ(Stored(row.value), row.defaultValue);
            if (row.kind == &kCheckKind) {
                EXPECT_EQ(Checked(row.controlId), row.defaultValue == 1);
            }
        }
    }
}

TEST_F(VideoPagesTest, WithoutTheDecoderEveryControlStaysDisabledYetValuesLoadAndDefaultsAreStored)
{
    // Stored values that would make a page's own rules enable something on Load.
    m_store.WriteDword(kHkcu, caption_vsfilter::kGeneralKey, "ResX2Mode", 2);
    for (const PageCase& page : kPages) {
        SCOPED_TRACE(page.name);
        const ValueRow& first = page.values[0];
        m_store.WriteDword(first.value.root, first.value.key, first.value.name,
                           1 - first.defaultValue);
        CreateAndShow(page);
        for (int show = 1; show <= 2; ++show) {
            for (const PageControl& control : page.controls)
                EXPECT_FALSE(::IsWindowEnabled(Item(control.id))) << control.id << " show " << show;
            Show();
        }
        if (first.kind == &kCheckKind) {
            EXPECT_EQ(Checked(first.controlId), first.defaultValue == 0);
        }
        EXPECT_EQ(Stored(first.value), 1 - first.defaultValue);
        const ValueRow& last = page.values.back();
        if (&last != &first) {
            EXPECT_EQ(Stored(last.value), last.defaultValue);
        }
    }
}

TEST_F(VideoPagesTest, ShowingAgainReloadsValuesButLaysOutOnlyOnce)
{
    CreateAndShow(kXvid);  // Xvid, not installed: laid out disabled
    InstalledDecoders::MarkInstalled("Xvid");
    const HWND box = Item(IDC_XVID_DEBLOCK_Y);
    ::MoveWindow(box, 300, 400, 50, 13, TRUE);
    SetXvid("Deblock_Y", 1);

    m_page->Load();
    m_page->Layout();
    EXPECT_TRUE(Checked(IDC_XVID_DEBLOCK_Y));
    EXPECT_FALSE(::IsWindowEnabled(box));
    EXPECT_EQ(win::ClientRectOf(box).left, 300);
}

// ---------------------------------------------------------------------------------------
// Xvid

TEST_F(VideoPagesTest, XvidCodeBoxesAddTheirBitsToTheMask)
{
    InstalledDecoders::MarkInstalled("Xvid");
    CreateAndShow(kXvid);
    for (int id : {IDC_XVID_CODE_DIVX, IDC_XVID_CODE_DX50, IDC_XVID_CODE_MP4V})
        EXPECT_FALSE(Checked(id));
    EXPECT_EQ(Xvid("Supported_4CC"), 0);

    struct Step {
        int box;
        std::int32_t stored;
    };
    for (const Step& step : {Step{IDC_XVID_CODE_DX50, 1}, Step{IDC_XVID_CODE_MP4V, 5},
                             Step{IDC_XVID_CODE_DIVX, 7}, Step{IDC_XVID_CODE_DX50, 6}}) {
        Click(step.box);
        EXPECT_EQ(Xvid("Supported_4CC"), step.stored) << step.box;
    }
}

TEST_F(VideoPagesTest, XvidStoredMaskTicksItsBoxesAndAStrayNumberTicksNone)
{
    InstalledDecoders::MarkInstalled("Xvid");
    SetXvid("Supported_4CC", 6);
    CreateAndShow(kXvid);
    EXPECT_TRUE(Checked(IDC_XVID_CODE_DIVX));
    EXPECT_FALSE(Checked(IDC_XVID_CODE_DX50));
    EXPECT_TRUE(Checked(IDC_XVID_CODE_MP4V));

    SetXvid("Supported_4CC", 9);
    m_page->Load();
    for (int id : {IDC_XVID_CODE_DIVX, IDC_XVID_CODE_DX50, IDC_XVID_CODE_MP4V})
        EXPECT_FALSE(Checked(id));
    EXPECT_EQ(Xvid("Supported_4CC"), 9);  // loading does not rewrite it
    Click(IDC_XVID_CODE_DX50);
    EXPECT_EQ(Xvid("Supported_4CC"), 1);
}

TEST_F(VideoPagesTest, XvidColourListShowsRgb24ForMinusOneAndStoresTheChosenIndex)
{
    InstalledDecoders::MarkInstalled("Xvid");
    SetXvid("ForceColorspace", -1);
    CreateAndShow(kXvid);
    const HWND list = Item(IDC_XVID_COLOUR_SPACE);
    ASSERT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 5);
    wchar_t first[32] = L"";
    ::SendMessageW(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(first));
    EXPECT_EQ(std::wstring(first), L"사용 안함");
    EXPECT_EQ(Selection(IDC_XVID_COLOUR_SPACE), 3);
    EXPECT_EQ(WindowText(list), L"RGB24");

    SetXvid("ForceColorspace", 9);
    m_page->Load();
    EXPECT_EQ(::SendMessageW(list, CB_GETCOUNT, 0, 0), 5);  // refilled, not appended
    EXPECT_EQ(Selection(IDC_XVID_COLOUR_SPACE), CB_ERR);
    EXPECT_EQ(Xvid("ForceColorspace"), 9);

    Choose(IDC_XVID_COLOUR_SPACE, 2);
    EXPECT_EQ(Xvid("ForceColorspace"), 2);
}

TEST_F(VideoPagesTest, XvidResetStoresZeroMaskAndRgb24ShownOrNot)
{
    InstalledDecoders::MarkInstalled("Xvid");
    // The install check resets pages that were never shown: their list is still empty.
    Create(Make(kXvid));
    m_page->ResetDefaults();
    EXPECT_EQ(Xvid("ForceColorspace"), 3);
    EXPECT_EQ(Xvid("Supported_4CC"), 0);

    for (const char* name : {"Deblock_Y", "Deblock_UV", "FilmEffect", "FlipVideo"})
        SetXvid(name, 1);
    SetXvid("Supported_4CC", 6);
    SetXvid("ForceColorspace", 1);
    Show();
    m_page->ResetDefaults();
    EXPECT_EQ(Xvid("Supported_4CC"), 0);
    EXPECT_EQ(Xvid("ForceColorspace"), 3);
    EXPECT_EQ(Xvid("Deblock_Y"), 0);
    EXPECT_EQ(Selection(IDC_XVID_COLOUR_SPACE), 3);
    for (int id = IDC_XVID_DEBLOCK_Y; id <= IDC_XVID_COMPAT_RENDERING; ++id)
        EXPECT_FALSE(Checked(id)) << id;
    // The page's copy of the mask was reset too: the next box starts from 0.
    Click(IDC_XVID_CODE_MP4V);
    EXPECT_EQ(Xvid("Supported_4CC"), 4);
}

// ---------------------------------------------------------------------------------------
// ffdshow video

TEST_F(VideoPagesTest, FFDShowTrayIconBoxWritesTheAudioDecodersValue)
{
    InstalledDecoders::MarkInstalled("FFDShow");
    CreateAndShow(kPages[1]);
    Click(IDC_VFF_TRAYICON);
    EXPECT_EQ(Stored(video_ffdshow::kAudioKey, "trayIcon"), 1);
    Click(IDC_VFF_TRAYICON);
    EXPECT_EQ(Stored(video_ffdshow::kAudioKey, "trayIcon"), 0);
    std::int32_t unused = 0;
    std::uint32_t size = sizeof unused;
    EXPECT_EQ(m_registry.QueryValue(kHkcu, video_ffdshow::kVideoKey, KeyOpen::ExistingOnly,
                                    "trayIcon", &unused, size, nullptr),
              RegStatus::NotFound);
}

// ---------------------------------------------------------------------------------------
// DTS speaker

TEST_F(VideoPagesTest, KorrinRadioStoresItsModeUnderTheOneKeyWhoseNameHoldsASlash)
{
    // About the real registry, which takes the "/" as part of the key's name.
    const wintest::ScratchRealRegistry real({{kHkcu, "Software\\KORRIN"}});
    RegistryStore store(real.Backend());
    InstalledDecoders::MarkInstalled("Korrins DTS");
    Create(std::make_unique<SettingsPage>(sound_korrin::kPage, real.Backend()));
    Show();
    EXPECT_TRUE(Checked(IDC_KORRIN_STEREO));
    Click(IDC_KORRIN_SPDIF);
    EXPECT_EQ(store.ReadDword(kHkcu, sound_korrin::kKey, "SpeakerMode"), 5);
    Click(IDC_KORRIN_MONO);
    EXPECT_EQ(store.ReadDword(kHkcu, sound_korrin::kKey, "SpeakerMode"), 0);
    std::vector<std::string> subkeys;
    real.Backend().EnumSubkeyNames(kHkcu, "SOFTWARE\\KORRIN", KeyOpen::ExistingOnly, subkeys);
    EXPECT_EQ(subkeys, std::vector<std::string>{"DTS/AC3Filter"});

    store.WriteDword(kHkcu, sound_korrin::kKey, "SpeakerMode", 9);
    Show();
    for (int id = IDC_KORRIN_MONO; id <= IDC_KORRIN_SPDIF; ++id) EXPECT_FALSE(Checked(id)) << id;
    EXPECT_EQ(store.ReadDword(kHkcu, sound_korrin::kKey, "SpeakerMode"), 9);
    m_page.reset();  // before the registry it reads
}

// ---------------------------------------------------------------------------------------
// VSFilter

TEST_F(VideoPagesTest, VSFilterDoublingEditsFollowTheStoredAndChosenMode)
{
    InstalledDecoders::MarkInstalled("VSFilter");
    m_store.WriteDword(kHkcu, caption_vsfilter::kGeneralKey, "ResX2Mode", 0);
    CreateAndShow(kVSFilter);
    auto doublingEnabled = [&] {
        int enabled = 0;
        for (int id : caption_vsfilter::kDoublingControls)
            enabled += ::IsWindowEnabled(Item(id)) ? 1 : 0;
        return enabled;
    };
    EXPECT_EQ(doublingEnabled(), 0);
    Choose(IDC_VSF_RESX2, 2);
    EXPECT_EQ(doublingEnabled(), 4);
    EXPECT_EQ(Stored(caption_vsfilter::kGeneralKey, "ResX2Mode"), 2);
    Choose(IDC_VSF_RESX2, 0);
    EXPECT_EQ(doublingEnabled(), 0);

    // A 2 stored meanwhile enables them on the next show.
    m_store.WriteDword(kHkcu, caption_vsfilter::kGeneralKey, "ResX2Mode", 2);
    Show();
    EXPECT_EQ(doublingEnabled(), 4);

    Choose(IDC_VSF_EXTPIC, 5);
    EXPECT_EQ(Stored(caption_vsfilter::kGeneralKey, "Extpic"), 129);
    m_store.WriteDword(kHkcu, caption_vsfilter::kGeneralKey, "Extpic", 130);
    Show();
    EXPECT_EQ(Selection(IDC_VSF_EXTPIC), 6);
}

TEST_F(VideoPagesTest, VSFilterTypedPositionIsClampedAndAShowRefreshesOnlyChangedTexts)
{
    InstalledDecoders::MarkInstalled("VSFilter");
    CreateAndShow(kVSFilter);
    TypeInto(IDC_VSF_YPERC, L"130");
    EXPECT_EQ(WindowText(Item(IDC_VSF_YPERC)), L"120");
    EXPECT_EQ(Stored(caption_vsfilter::kTextKey, "YPerc"), 120);

    // Shown again: the reloaded text appears; an edit whose text did not change keeps
    // its caret where the user left it.
    m_store.WriteDword(kHkcu, caption_vsfilter::kTextKey, "XPerc", 60);
    ::SendMessageW(Item(IDC_VSF_YPERC), EM_SETSEL, 1, 1);
    Show();
    EXPECT_EQ(WindowText(Item(IDC_VSF_XPERC)), L"60");
    DWORD start = 0, end = 0;
    ::SendMessageW(Item(IDC_VSF_YPERC), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 1u);
}

TEST_F(VideoPagesTest, VSFilterResetWithoutTheFilterWritesNothing)
{
    Create(Make(kVSFilter));
    m_page->ResetDefaults();
    std::vector<std::string> names;
    m_registry.EnumValueNames(kHkcu, caption_vsfilter::kGeneralKey, KeyOpen::ExistingOnly, names);
    EXPECT_TRUE(names.empty());
}

// ---------------------------------------------------------------------------------------
// DivX G400

TEST_F(VideoPagesTest, G400SpinEmptyAndTypeEditsAndBoxesEnablingTheirEdits)
{
    InstalledDecoders::MarkInstalled("DivxG400");
    using caption_divxg400::kKey;
    m_store.WriteDword(RegRoot::LocalMachine, kKey, "Flip", -1);
    m_store.WriteDword(RegRoot::LocalMachine, kKey, "TV", 5);
    CreateAndShow(kG400);
    EXPECT_EQ(Selection(IDC_G400_FLIP), 0);
    EXPECT_EQ(Selection(IDC_G400_TV), CB_ERR);
    EXPECT_EQ(WindowText(Item(IDC_G400_SPEED)), L"1000");

    // The up arrow of the speed's spinner, pressed and released.
    RECT spin{};
    ::GetClientRect(Item(IDC_G400_SPEED_SPIN), &spin);
    const LPARAM upper = MAKELPARAM(spin.right / 2, 2);
    ::SendMessageW(Item(IDC_G400_SPEED_SPIN), WM_LBUTTONDOWN, MK_LBUTTON, upper);
    ::SendMessageW(Item(IDC_G400_SPEED_SPIN), WM_LBUTTONUP, 0, upper);
    EXPECT_EQ(WindowText(Item(IDC_G400_SPEED)), L"1001");
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "SubSpeed"), 1001);

    TypeInto(IDC_G400_FILL, L"\b");
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "Fill"), 0);
    wintest::TypeKeys(L"75");
    EXPECT_EQ(WindowText(Item(IDC_G400_FILL)), L"75");
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "Fill"), 75);

    TypeInto(IDC_G400_OVERSCAN, L"150");
    EXPECT_EQ(WindowText(Item(IDC_G400_OVERSCAN)), L"100");
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "Overscan"), 100);

    // Ticking and unticking the box enables and disables its edit and stores only the box.
    Click(IDC_G400_OVERSCAN_ON);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_G400_OVERSCAN)));
    Click(IDC_G400_OVERSCAN_ON);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_G400_OVERSCAN)));
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "bOverscan"), 0);
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "Overscan"), 100);
}

TEST_F(VideoPagesTest, G400RefusedMachineWritesPutTheControlsBack)
{
    InstalledDecoders::MarkInstalled("DivxG400");
    using caption_divxg400::kKey;
    m_store.WriteDword(RegRoot::LocalMachine, kKey, "bOverscan", 0);
    m_store.WriteDword(RegRoot::LocalMachine, kKey, "Overscan", 8);
    m_store.WriteDword(RegRoot::LocalMachine, kKey, "Flip", 2);
    wintest::MachineReadOnlyRegistry readOnly(m_registry);
    Create(std::make_unique<SettingsPage>(caption_divxg400::kPage, readOnly));
    Show();

    Click(IDC_G400_OVERSCAN_ON);
    EXPECT_FALSE(Checked(IDC_G400_OVERSCAN_ON));
    Choose(IDC_G400_FLIP, 3);
    EXPECT_EQ(Selection(IDC_G400_FLIP), 2);
    TypeInto(IDC_G400_OVERSCAN, L"5");
    EXPECT_EQ(WindowText(Item(IDC_G400_OVERSCAN)), L"8");
    EXPECT_EQ(m_store.ReadDword(RegRoot::LocalMachine, kKey, "Overscan"), 8);
}

// ---------------------------------------------------------------------------------------
// The frame itself, on a page with one numeric edit and its spinner

constexpr int kEditId = 1500;
constexpr int kSpinId = 1501;
constexpr ValueRow kEditRows[] = {
    NumberTextRow(kEditId, {kHkcu, kFrameTestKey, "Level"}, {0, 300, kSpinId}, 10, 5),
};
constexpr PageControl kEditControls[] = {
    {kEditId, ControlType::NumericEdit, {20, 100, 60, 20}},
    {kSpinId, ControlType::Spin, {80, 100, 15, 20}},
};

// The Xvid template with an edit box and its spinner added the way a template makes them.
class EditPage final : public SettingsPage {
public:
    explicit EditPage(RegistryBackend& registry)
        : SettingsPage({IDD_VIDEO_XVID, Decoder::DivxG400, kEditRows, kEditControls,
                        video_xvid::kBitmaps},
                       registry)
    {
    }

protected:
    BOOL OnInit() override
    {
        ::CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                          0, 0, 60, 20, Hwnd(), reinterpret_cast<HMENU>(kEditId),
                          win::ModuleInstance(), nullptr);
        ::CreateWindowExW(0, UPDOWN_CLASSW, L"",
                          WS_CHILD | WS_VISIBLE | UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_NOTHOUSANDS,
                          0, 0, 15, 20, Hwnd(), reinterpret_cast<HMENU>(kSpinId),
                          win::ModuleInstance(), nullptr);
        return SettingsPage::OnInit();
    }
};

TEST_F(VideoPagesTest, FrameNumericEditFiltersClampsAndIgnoresItsOwnExchange)
{
    Create(std::make_unique<EditPage>(m_registry));
    const HWND edit = Item(kEditId);
    m_page->Load();
    EXPECT_EQ(Stored(kFrameTestKey, "Level"), 10);
    int low = -1, high = -1;
    ::SendMessageW(Item(kSpinId), UDM_GETRANGE32, reinterpret_cast<WPARAM>(&low),
                   reinterpret_cast<LPARAM>(&high));
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 300);

    // Pushing the texts makes the edit report a change; the page takes it for its own.
    m_store.WriteDword(kHkcu, kFrameTestKey, "Level", 77);
    m_page->RefreshControls();
    EXPECT_EQ(WindowText(edit), L"10");
    EXPECT_EQ(Stored(kFrameTestKey, "Level"), 77);

    struct Typed {
        const wchar_t* text;
        const wchar_t* shown;
        std::int32_t stored;
    };
    for (const Typed& typed : {Typed{L"3000", L"300", 300}, Typed{L"-5", L"0", 0},
                               Typed{L"240", L"240", 240}, Typed{L"", L"", 0}}) {
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(typed.text));
        EXPECT_EQ(WindowText(edit), typed.shown) << typed.text;
        EXPECT_EQ(Stored(kFrameTestKey, "Level"), typed.stored) << typed.text;
    }
    // Typing into the emptied box: only digits, the sign, the point and backspace arrive.
    for (wchar_t ch : std::wstring(L"1x2a3")) ::SendMessageW(edit, WM_CHAR, ch, 0);
    ::SendMessageW(edit, WM_CHAR, VK_BACK, 0);
    EXPECT_EQ(WindowText(edit), L"12");
    EXPECT_EQ(Stored(kFrameTestKey, "Level"), 12);

    m_page->ResetDefaults();
    EXPECT_EQ(WindowText(edit), L"5");
    EXPECT_EQ(Stored(kFrameTestKey, "Level"), 5);
}

TEST_F(VideoPagesTest, FrameTypingKeyByKeyKeepsTheCaretAtTheEndOfTheText)
{
    InstalledDecoders::MarkInstalled("DivxG400");  // the test page's decoder
    Create(std::make_unique<EditPage>(m_registry));
    Show();
    const HWND edit = Item(kEditId);
    struct Typing {
        const wchar_t* keys;  // typed over the whole text
        const wchar_t* shown;
        std::int32_t stored;
    };
    // "0" is the range's bound: were it pushed back, the caret would jump to the start and
    // the "5" land before it. Past the bound the text is replaced, caret at its end, so
    // backspace takes the last digit.
    for (const Typing& typing : {Typing{L"150", L"150", 150}, Typing{L"05", L"05", 5},
                                 Typing{L"3009", L"300", 300}, Typing{L"999\b", L"30", 30}}) {
        TypeInto(kEditId, typing.keys);
        EXPECT_EQ(WindowText(edit), typing.shown) << typing.keys;
        EXPECT_EQ(Stored(kFrameTestKey, "Level"), typing.stored) << typing.keys;
    }
}

TEST_F(VideoPagesTest, FrameColoursStaticsWithThePageGreyFromOneBrush)
{
    CreateAndShow(kXvid);
    const HWND title = Item(IDC_XVID_COLOUR_SPACE_TITLE);
    HDC dc = ::GetDC(title);
    const auto colour = [&] {
        return ::SendMessageW(m_page->Hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(title));
    };
    const LRESULT first = colour();
    EXPECT_EQ(::GetBkColor(dc), RGB(233, 233, 233));
    EXPECT_EQ(colour(), first);  // no brush made per paint
    ::ReleaseDC(title, dc);
    LOGBRUSH brush{};
    ASSERT_TRUE(::GetObjectW(reinterpret_cast<HBRUSH>(first), sizeof brush, &brush));
    EXPECT_EQ(brush.lbColor, RGB(233, 233, 233));
}

}  // namespace
}  // namespace zelora
