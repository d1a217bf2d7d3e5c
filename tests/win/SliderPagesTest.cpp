// The three pages with level sliders, created for real from their templates and driven with
// the mouse and key messages a user's hand produces: drags store the decoders' numbers, a
// drag ends however the button is let go, typed levels are clamped, mirrored and stored
// once, and without the decoder nothing on the page answers.
#include <windows.h>

#include "pages/SliderPage.h"
#include "pages/audio/SoundAC3Values.h"
#include "pages/audio/SoundFFDShowValues.h"
#include "pages/video/VideoDivxValues.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/win/ComPtr.h"
#include "platform/win/Painter.h"
#include "win/WinTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace zelora {
namespace {

using wintest::WindowText;
constexpr RegRoot kHkcu = RegRoot::CurrentUser;

struct SliderPageCase {
    const char* name;
    const PageDescription* page;
    std::string_view decoder;
    std::span<const ValueRow> values;
    std::span<const PageControl> controls;
    std::span<const SliderRow> sliders;
};

const SliderPageCase kPages[] = {
    {"DivX", &video_divx::kPage, "Divx5",
     video_divx::kValues, video_divx::kControls, video_divx::kSliders},
    {"ffdshow audio", &sound_ffdshow::kPage, "FFDShow", sound_ffdshow::kValues, sound_ffdshow::kControls, sound_ffdshow::kSliders},
    {"AC3Filter", &sound_ac3::kPage, "AC3Filter",
     sound_ac3::kValues, sound_ac3::kControls, sound_ac3::kSliders},
};
const SliderPageCase& kDivx = kPages[0];
const SliderPageCase& kFFDShow = kPages[1];
const SliderPageCase& kAc3 = kPages[2];

class SliderPagesTest : public ::testing::Test {
protected:
    // Each test starts and ends with no decoder installed.
    struct CleanSlate {
        CleanSlate() { InstalledDecoders::ResetForTests(); }
        ~CleanSlate() { InstalledDecoders::ResetForTests(); }
    };

    void CreateAndShow(const SliderPageCase& page)
    {
        m_page = std::make_unique<SliderPage>(*page.page, m_counting);
        ASSERT_TRUE(m_page->Create(m_parent.Get()));
        Show();
    }
    // What the main window does when the page's menu item is pressed.
    void Show()
    {
        m_page->Load();
        m_page->Layout();
        ::MoveWindow(m_page->Hwnd(), 0, 0, 420, 500, TRUE);
        ::ShowWindow(m_parent.Get(), SW_SHOW);
        ::ShowWindow(m_page->Hwnd(), SW_SHOW);
        m_page->Shown();
    }

    HWND Item(int id) const { return m_page->Item(id); }
    void Mouse(UINT msg, int x, int y, WPARAM keys = MK_LBUTTON)
    {
        ::SendMessageW(m_page->Hwnd(), msg, keys, MAKELPARAM(x, y));
    }
    void Press(int x, int y) { Mouse(WM_LBUTTONDOWN, x, y); }
    void Release(int x, int y) { Mouse(WM_LBUTTONUP, x, y, 0); }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }
    void ClickBox(int id) const { ::SendMessageW(Item(id), BM_CLICK, 0, 0); }
    bool Checked(int id) const { return ::IsDlgButtonChecked(m_page->Hwnd(), id) == BST_CHECKED; }
    void TypeInto(int id, std::wstring_view keys)
    {
        ::SetFocus(Item(id));
        ::SendMessageW(Item(id), EM_SETSEL, 0, -1);
        wintest::TypeKeys(keys);
    }

    std::int32_t Dword(std::string_view key, std::string_view name)
    {
        return m_store.ReadDword(kHkcu, key, name);
    }
    std::int32_t Divx(std::string_view name) { return Dword(video_divx::kKey, name); }
    std::int32_t Ffa(std::string_view name) { return Dword(sound_ffdshow::kKeyA, name); }
    std::string Gain(std::string_view name) { return m_store.ReadString(kHkcu, sound_ac3::kKey, name); }

    // The slider's pixels as the window shows them, `width` columns from its left.
    std::vector<COLORREF> Pixels(const SliderRow& slider, int width)
    {
        ::UpdateWindow(m_page->Hwnd());
        std::vector<COLORREF> pixels;
        const HDC dc = ::GetDC(m_page->Hwnd());
        const Rect& r = slider.geometry.rect;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.left + width; ++x) pixels.push_back(::GetPixel(dc, x, y));
        ::ReleaseDC(m_page->Hwnd(), dc);
        return pixels;
    }

    CleanSlate m_clean;
    MemoryRegistry m_registry;  // the test's own
    CountingRegistry m_counting{m_registry};
    RegistryStore m_store{m_registry};
    wintest::PageParent m_parent;
    std::unique_ptr<SliderPage> m_page;
};

// The x of knob position `p` on a horizontal slider, the y on a vertical one.
int AtKnob(const SliderRow& slider, int p)
{
    const Rect& r = slider.geometry.rect;
    return (slider.geometry.axis == SliderAxis::Horizontal ? r.left : r.top) + 5 + p;
}
int Middle(int a, int b) { return (a + b) / 2; }

TEST_F(SliderPagesTest, DivxPressesAndDragsStoreTheDecodersLevels)
{
    InstalledDecoders::MarkInstalled("Divx5");
    m_store.WriteDword(kHkcu, video_divx::kKey, "Deblock PP Level", 7);
    m_store.WriteDword(kHkcu, video_divx::kKey, "Warmth Filter", 1);
    CreateAndShow(kDivx);
    const auto& s = video_divx::kSliders;
    const int deblockY = Middle(s[0].geometry.rect.top, s[0].geometry.rect.bottom);
    Click(AtKnob(s[0], 15), deblockY);
    EXPECT_EQ(Divx("Deblock PP Level"), 0);  // 15 x 15/233 truncates to 0

    struct Case {
        int slider;
        int x;
        std::string_view value;
        std::int32_t stored;
    };
    const Case cases[] = {
        {0, 400, "Deblock PP Level", 15}, {1, 400, "Dering PP Level", 48},
        {2, 400, "Warmth Strength", 4},   {0, 119, "Deblock PP Level", 0},
        {3, AtKnob(s[3], 10), "Brightness", -101}, {4, 400, "Saturation", 127},
        {5, 100, "Contrast", -128},
    };
    for (const Case& c : cases) {
        const Rect& r = s[static_cast<std::size_t>(c.slider)].geometry.rect;
        Click(std::max(c.x, r.left), Middle(r.top, r.bottom));
        // A press left of the rectangle hits nothing: the far-left cases start inside and
        // move out, as a drag does.
        Press(r.left + 1, Middle(r.top, r.bottom));
        Mouse(WM_MOUSEMOVE, c.x, Middle(r.top, r.bottom) + 40);
        Release(c.x, 600);
        EXPECT_EQ(Divx(c.value), c.stored) << c.value;
    }
}

TEST_F(SliderPagesTest, DivxDragEndsAtReleaseOutsideOrCaptureLossAndShiftOnlyPausesIt)
{
    InstalledDecoders::MarkInstalled("Divx5");
    CreateAndShow(kDivx);
    const Rect& deblock = video_divx::kSliders[0].geometry.rect;
    const int y = Middle(deblock.top, deblock.bottom);
    const auto marked = [&] {
        m_store.WriteDword(kHkcu, video_divx::kKey, "Deblock PP Level", 3);
    };

    Press(deblock.left + 50, y);
    EXPECT_EQ(::GetCapture(), m_page->Hwnd());
    Mouse(WM_MOUSEMOVE, 500, 700);  // beyond the page: still the dragged slider
    EXPECT_EQ(Divx("Deblock PP Level"), 15);
    Release(-40, 700);  // outside the page, delivered through the capture
    EXPECT_EQ(::GetCapture(), nullptr);
    marked();
    Press(20, 480);  // bare background
    Mouse(WM_MOUSEMOVE, deblock.left + 100, y);
    EXPECT_EQ(Divx("Deblock PP Level"), 3);

    Press(deblock.left + 50, y);
    ::ReleaseCapture();  // another window takes the mouse: the release is never seen
    marked();
    Mouse(WM_MOUSEMOVE, deblock.left + 100, y);
    EXPECT_EQ(Divx("Deblock PP Level"), 3);

    // Shift pressed on the way holds the knob; the left button alone moves it on.
    Press(deblock.left + 50, y);
    marked();
    Mouse(WM_MOUSEMOVE, deblock.left + 100, y, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(Divx("Deblock PP Level"), 3);
    EXPECT_EQ(::GetCapture(), m_page->Hwnd());
    Mouse(WM_MOUSEMOVE, 500, y);
    EXPECT_EQ(Divx("Deblock PP Level"), 15);
    Release(500, y);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(SliderPagesTest, DivxGatesGreyTheirSlidersAndAnUnknownAspectSelectsNoRadio)
{
    InstalledDecoders::MarkInstalled("Divx5");
    m_store.WriteDword(kHkcu, video_divx::kKey, "AspectRatio_X", 2);
    m_store.WriteDword(kHkcu, video_divx::kKey, "Extended Overlay Mode", 1);
    CreateAndShow(kDivx);
    for (int id : video_divx::kAspectButtons) {
        EXPECT_FALSE(Checked(id)) << id;
        EXPECT_TRUE(::IsWindowEnabled(Item(id))) << id;
    }
    ClickBox(IDC_DIVX_OVERLAY);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_DIVX_ASPECT_1_1)));
    EXPECT_EQ(m_page->LiveSliders(), 0b111011u);  // warmth needs its box
    const SliderRow& dering = video_divx::kSliders[1];
    const auto live = Pixels(dering, 40);
    ClickBox(IDC_DIVX_DISABLE_PP);
    EXPECT_EQ(m_page->LiveSliders(), 0b111000u);
    EXPECT_NE(Pixels(dering, 40), live);  // repainted greyed at once
    Click(dering.geometry.rect.left + 100, dering.geometry.rect.top + 5);
    EXPECT_EQ(Divx("Dering PP Level"), 0);
    ClickBox(IDC_DIVX_DISABLE_PP);
    EXPECT_EQ(Pixels(dering, 40), live);
}

TEST_F(SliderPagesTest, ReadersFindEachSliderWhereItIsDrawnWithItsLabelLevelAndGateAndHearItMove)
{
    InstalledDecoders::MarkInstalled("Divx5");
    m_store.WriteDword(kHkcu, video_divx::kKey, "Brightness", 12);
    CreateAndShow(kDivx);
    win::ComPtr<IAccessible> page;
    ASSERT_HRESULT_SUCCEEDED(::AccessibleObjectFromWindow(m_page->Hwnd(), static_cast<DWORD>(OBJID_CLIENT),
                                                          win::kIidAccessible, page.PutVoid()));
    const auto& s = video_divx::kSliders;
    const auto childAt = [&](const SliderRow& slider) {
        const Rect& r = slider.geometry.rect;
        POINT p{Middle(r.left, r.right), Middle(r.top, r.bottom)};
        ::ClientToScreen(m_page->Hwnd(), &p);
        VARIANT hit;
        ::VariantInit(&hit);
        return SUCCEEDED(page->accHitTest(p.x, p.y, &hit)) && hit.vt == VT_I4 ? hit.lVal : -1;
    };
    const auto child = [](long id) {
        VARIANT item;
        ::VariantInit(&item);
        item.vt = VT_I4;
        item.lVal = id;
        return item;
    };
    const auto ask = [&](long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
        VARIANT number;
        ::VariantInit(&number);
        return SUCCEEDED((page.Get()->*get)(child(id), &number)) && number.vt == VT_I4 ? number.lVal : -1;
    };
    const auto text = [&](long id, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*)) {
        BSTR out = nullptr;
        std::wstring result = (page.Get()->*get)(child(id), &out) == S_OK && out ? out : L"";
        ::SysFreeString(out);
        return result;
    };

    std::set<long> ids;
    for (const SliderRow& slider : s) {
        const long id = childAt(slider);
        ASSERT_GT(id, 0);
        ids.insert(id);
        EXPECT_EQ(ask(id, &IAccessible::get_accRole), ROLE_SYSTEM_SLIDER);
        EXPECT_EQ(text(id, &IAccessible::get_accName), WindowText(Item(slider.labelId)));
        EXPECT_FALSE(text(id, &IAccessible::get_accName).empty());
    }
    EXPECT_EQ(ids.size(), std::size(s));
    const long brightness = childAt(s[3]);
    EXPECT_EQ(text(brightness, &IAccessible::get_accValue), L"12");
    EXPECT_FALSE(ask(childAt(s[0]), &IAccessible::get_accState) & STATE_SYSTEM_UNAVAILABLE);
    ClickBox(IDC_DIVX_DISABLE_PP);
    EXPECT_TRUE(ask(childAt(s[0]), &IAccessible::get_accState) & STATE_SYSTEM_UNAVAILABLE);

    const wintest::ReaderEars ears(EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE);
    Click(AtKnob(s[3], 10), Middle(s[3].geometry.rect.top, s[3].geometry.rect.bottom));
    ASSERT_FALSE(ears.All().empty());
    EXPECT_EQ(ears.All().back().name, WindowText(Item(IDC_DIVX_BRIGHTNESS_TITLE)));
    EXPECT_EQ(ears.All().back().value, L"-101");
}

TEST_F(SliderPagesTest, FFDShowLevelEditsTakeTypedLevelsOnlyThroughAnOpenGate)
{
    InstalledDecoders::MarkInstalled("FFDShow");
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyA, "isVolume", 1);
    CreateAndShow(kFFDShow);
    TypeInto(IDC_FFA_LEFT, L"150");
    EXPECT_EQ(WindowText(Item(IDC_FFA_LEFT)), L"150");
    EXPECT_EQ(Ffa("volumeL"), 150);
    TypeInto(IDC_FFA_LEFT, L"350");
    EXPECT_EQ(WindowText(Item(IDC_FFA_LEFT)), L"300");
    EXPECT_EQ(Ffa("volumeL"), 300);

    // The mixer is off: typing is undone and nothing is written (not even the page's older
    // copy over a newer stored level).
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyA, "mixerClev", 222);
    m_counting.ResetCounts();
    TypeInto(IDC_FFA_VOICE, L"50");
    EXPECT_EQ(WindowText(Item(IDC_FFA_VOICE)), L"100");
    EXPECT_EQ(Ffa("mixerClev"), 222);
    EXPECT_EQ(m_counting.Counts().setValue, 0u);

    // Headphone dimming answers only while the headphones are chosen.
    TypeInto(IDC_FFA_HEADPHONE, L"5");
    EXPECT_EQ(Ffa("headphone_dim"), 100);
    ::SendMessageW(Item(IDC_FFA_SPEAKERS), CB_SETCURSEL, Index(sound_ffdshow::kHeadphones), 0);
    ::SendMessageW(m_page->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_FFA_SPEAKERS, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(Item(IDC_FFA_SPEAKERS)));
    EXPECT_EQ(Ffa("mixerOut"), 17);
    const Rect& hp = sound_ffdshow::kSliders[1].geometry.rect;
    Click(Middle(hp.left, hp.right), hp.bottom - 2);
    EXPECT_EQ(Ffa("headphone_dim"), 0);
    EXPECT_EQ(WindowText(Item(IDC_FFA_HEADPHONE)), L"0");
    const Rect& volume = sound_ffdshow::kSliders[0].geometry.rect;
    Click(Middle(volume.left, volume.right), AtKnob(sound_ffdshow::kSliders[0], 17));
    EXPECT_EQ(Ffa("volume"), 199);
}

TEST_F(SliderPagesTest, FFDShowLevelEditCatchesUpWithADragAndShowsWhereItEnded)
{
    InstalledDecoders::MarkInstalled("FFDShow");
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyA, "isVolume", 1);
    CreateAndShow(kFFDShow);
    const SliderRow& left = sound_ffdshow::kSliders[5];
    const Rect& r = left.geometry.rect;
    const int x = Middle(r.left, r.right);
    const auto leftText = [&] { return WindowText(Item(IDC_FFA_LEFT)); };

    Press(x, Middle(r.top, r.bottom));
    Mouse(WM_MOUSEMOVE, x, r.top - 40);
    EXPECT_EQ(Ffa("volumeL"), 300);  // stored at the step itself
    // The button held still: the edit catches up on its own. Only timers are run, as a
    // move without the button (the test's idle pointer) would end the drag.
    for (const DWORD start = ::GetTickCount(); leftText() != L"300" && ::GetTickCount() - start < 2000;) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_TIMER, WM_TIMER, PM_REMOVE)) ::DispatchMessageW(&msg);
        ::Sleep(5);
    }
    EXPECT_EQ(leftText(), L"300");

    // A level typed mid-drag reads every edit back; the dragged one must not hand back the
    // text it showed before the last step.
    Mouse(WM_MOUSEMOVE, x, r.bottom + 40);
    ::SetWindowTextW(Item(IDC_FFA_CENTER), L"150");
    EXPECT_EQ(Ffa("volumeC"), 150);
    Release(x, r.bottom + 40);
    EXPECT_EQ(leftText(), L"0");
    EXPECT_EQ(Ffa("volumeL"), 0);

    // The release shows the last level at once, and so does a capture taken away.
    Press(x, AtKnob(left, 17));
    Release(x, AtKnob(left, 17));
    EXPECT_EQ(leftText(), L"199");
    Press(x, AtKnob(left, 34));
    ::ReleaseCapture();
    EXPECT_EQ(leftText(), L"99");
    EXPECT_EQ(Ffa("volumeL"), 99);
}

TEST_F(SliderPagesTest, FFDShowFormatPairsKeepTheirSpdifBoxesInStep)
{
    InstalledDecoders::MarkInstalled("FFDShow");
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyB, "ac3", 1);
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyB, "dts", 17);
    CreateAndShow(kFFDShow);
    EXPECT_FALSE(Checked(IDC_FFA_AC3));
    EXPECT_TRUE(Checked(IDC_FFA_AC3_SPDIF));
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_FFA_AC3_SPDIF)));
    EXPECT_TRUE(Checked(IDC_FFA_DTS));
    EXPECT_FALSE(Checked(IDC_FFA_DTS_SPDIF));
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_FFA_DTS_SPDIF)));
    ClickBox(IDC_FFA_AC3);
    EXPECT_EQ(Dword(sound_ffdshow::kKeyB, "ac3"), 16);
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_FFA_AC3_SPDIF)));
    ClickBox(IDC_FFA_AC3_SPDIF);
    EXPECT_EQ(Dword(sound_ffdshow::kKeyB, "ac3"), 15);
    ClickBox(IDC_FFA_AC3);
    EXPECT_EQ(Dword(sound_ffdshow::kKeyB, "ac3"), 0);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_FFA_AC3_SPDIF)));
}

TEST_F(SliderPagesTest, Ac3TypedDecibelsStoreGainTextsThatReloadAsTyped)
{
    InstalledDecoders::MarkInstalled("AC3Filter");
    CreateAndShow(kAc3);
    EXPECT_EQ(Gain("clev"), "1.000000");
    EXPECT_EQ(Dword(sound_ac3::kKey, "relation"), 0);
    struct Typed {
        const wchar_t* keys;
        const wchar_t* shown;
        const char* stored;
    };
    for (const Typed& t : {Typed{L"5", L"5", "1.778279"}, Typed{L"1", L"1", "1.122018"},
                           Typed{L"30", L"20", "10.000000"}, Typed{L"-25", L"-20", "0.100000"},
                           Typed{L"-5", L"-5", "0.562341"}}) {
        TypeInto(IDC_AC3_VOICE, t.keys);
        EXPECT_EQ(WindowText(Item(IDC_AC3_VOICE)), t.shown) << t.keys;
        EXPECT_EQ(Gain("clev"), t.stored) << t.keys;
        Show();
        EXPECT_EQ(WindowText(Item(IDC_AC3_VOICE)), t.shown) << t.keys;
    }
    // Stored gains that have no decibels show -20 and are not rewritten.
    m_store.WriteString(kHkcu, sound_ac3::kKey, "slev", "abc");
    Show();
    EXPECT_EQ(WindowText(Item(IDC_AC3_SURROUND)), L"-20");
    EXPECT_EQ(Gain("slev"), "abc");
}

TEST_F(SliderPagesTest, Ac3MasterPairMovesTogetherWithOneWrite)
{
    InstalledDecoders::MarkInstalled("AC3Filter");
    CreateAndShow(kAc3);
    const SliderRow& master = sound_ac3::kSliders[0];
    const SliderRow& main = sound_ac3::kSliders[1];
    const auto before = Pixels(main, 20);
    m_counting.ResetCounts();
    TypeInto(IDC_AC3_MAIN, L"7");
    EXPECT_EQ(m_counting.Counts().setValue, 1u);
    EXPECT_EQ(Gain("master"), "2.238721");
    EXPECT_EQ(WindowText(Item(IDC_AC3_MASTER)), L"7");
    EXPECT_NE(Pixels(main, 20), before);
    EXPECT_EQ(Pixels(master, 20), Pixels(main, 20));

    m_counting.ResetCounts();
    Click(Middle(master.geometry.rect.left, master.geometry.rect.right), master.geometry.rect.top);
    EXPECT_EQ(m_counting.Counts().setValue, 1u);
    EXPECT_EQ(Gain("master"), "10.000000");
    EXPECT_EQ(WindowText(Item(IDC_AC3_MAIN)), L"20");
    EXPECT_EQ(WindowText(Item(IDC_AC3_MASTER)), L"20");
    EXPECT_EQ(Pixels(master, 20), Pixels(main, 20));
}

TEST_F(SliderPagesTest, Ac3FormatMasksAndSpeakerPairs)
{
    InstalledDecoders::MarkInstalled("AC3Filter");
    m_store.WriteDword(kHkcu, sound_ac3::kKey, "mask", 5);
    m_store.WriteDword(kHkcu, sound_ac3::kKey, "relation", 7);
    CreateAndShow(kAc3);
    EXPECT_EQ(::SendMessageW(Item(IDC_AC3_SPEAKERS), CB_GETCURSEL, 0, 0), 5);  // "2/2 : Quadro"
    EXPECT_EQ(Dword(sound_ac3::kKey, "formats"), 13312);
    ClickBox(IDC_AC3_PCM);
    EXPECT_EQ(Dword(sound_ac3::kKey, "formats"), 13342);
    Show();
    EXPECT_TRUE(Checked(IDC_AC3_PCM));
    ClickBox(IDC_AC3_AC3);  // unticked: its bit cleared, nothing carried
    ClickBox(IDC_AC3_AC3);
    EXPECT_EQ(Dword(sound_ac3::kKey, "formats"), 13342);
    ClickBox(IDC_AC3_PCM);
    EXPECT_EQ(Dword(sound_ac3::kKey, "formats"), 13312);

    for (const auto& [index, mask, relation] :
         {std::tuple{15, 5, 2}, std::tuple{13, 63, -1}, std::tuple{1, 5, 0}}) {
        ::SendMessageW(Item(IDC_AC3_SPEAKERS), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        ::SendMessageW(m_page->Hwnd(), WM_COMMAND, MAKEWPARAM(IDC_AC3_SPEAKERS, CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(Item(IDC_AC3_SPEAKERS)));
        EXPECT_EQ(Dword(sound_ac3::kKey, "mask"), mask);
        EXPECT_EQ(Dword(sound_ac3::kKey, "relation"), relation);
        Show();
        EXPECT_EQ(::SendMessageW(Item(IDC_AC3_SPEAKERS), CB_GETCURSEL, 0, 0), index);
    }
}

TEST_F(SliderPagesTest, WithoutTheDecoderEveryControlIsDisabledAndEverySliderGreyAndDeaf)
{
    m_store.WriteDword(kHkcu, video_divx::kKey, "Extended Overlay Mode", 1);
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyA, "isMixer", 1);
    m_store.WriteDword(kHkcu, sound_ffdshow::kKeyB, "ac3", 16);
    for (const SliderPageCase& page : kPages) {
        SCOPED_TRACE(page.name);
        CreateAndShow(page);
        for (int show = 1; show <= 2; ++show) {
            SCOPED_TRACE(show);
            for (const PageControl& control : page.controls) {
                // A row whose control the template lacks would pass as disabled.
                ASSERT_NE(Item(control.id), nullptr) << control.id;
                EXPECT_FALSE(::IsWindowEnabled(Item(control.id))) << control.id;
            }
            EXPECT_EQ(m_page->LiveSliders(), 0u);
            m_counting.ResetCounts();
            for (const SliderRow& slider : page.sliders) {
                const Rect& r = slider.geometry.rect;
                Press(r.left + 6, r.top + 6);
                Mouse(WM_MOUSEMOVE, r.right - 6, r.bottom - 6);
                Release(r.right - 6, r.bottom - 6);
                if (slider.editId != 0) TypeInto(slider.editId, L"7");
            }
            EXPECT_EQ(m_counting.Counts().setValue, 0u);
            Show();
        }
    }
    EXPECT_TRUE(Checked(IDC_FFA_AC3_SPDIF));  // shows what is stored, only disabled
}

TEST(Painter, CopiesPartOfABitmapButNothingBeyondIt)
{
    const HDC screen = ::GetDC(nullptr);
    win::UniqueMemoryDc target(::CreateCompatibleDC(screen));
    win::UniqueBitmap canvas(::CreateCompatibleBitmap(screen, 8, 8));
    win::UniqueBitmap red(::CreateCompatibleBitmap(screen, 4, 4));
    ::ReleaseDC(nullptr, screen);
    {
        win::UniqueMemoryDc paint(::CreateCompatibleDC(nullptr));
        win::SelectGuard select(paint.Get(), red.Get());
        const RECT all{0, 0, 4, 4};
        win::UniqueBrush brush(::CreateSolidBrush(RGB(255, 0, 0)));
        ::FillRect(paint.Get(), &all, brush.Get());
    }
    win::SelectGuard select(target.Get(), canvas.Get());
    const RECT all{0, 0, 8, 8};
    ::FillRect(target.Get(), &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    {
        win::BitmapSource source(target.Get());
        source.Copy(target.Get(), red.Get(), 1, 1, 8, 8, 2, 1);  // asks for more than is left
    }
    const auto at = [&](int x, int y) { return ::GetPixel(target.Get(), x, y); };
    EXPECT_EQ(at(1, 1), RGB(255, 0, 0));
    EXPECT_EQ(at(2, 3), RGB(255, 0, 0));  // 2 columns and 3 rows were left of the bitmap
    EXPECT_EQ(at(3, 1), RGB(255, 255, 255));
    EXPECT_EQ(at(1, 4), RGB(255, 255, 255));
    EXPECT_EQ(at(0, 0), RGB(255, 255, 255));
}

}  // namespace
}  // namespace zelora
