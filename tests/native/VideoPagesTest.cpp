// The decoder pages' tables driven through PageModel over the memory registry, as the
// Win32 pages drive them.
#include "FakePageControls.h"

#include "pages/PageModel.h"
#include "pages/video/VideoDivxValues.h"
#include "pages/video/VideoFFDShowValues.h"
#include "pages/video/VideoXvidValues.h"
#include "pages/audio/SoundKorrinValues.h"
#include "pages/subtitle/CaptionDivxG400Values.h"
#include "pages/subtitle/CaptionVSFilterValues.h"

#include <gtest/gtest.h>

#include <set>

namespace zelora {
namespace {

using pagetest::FakePageControls;
using pagetest::RecordingRegistry;

constexpr RegRoot kHkcu = RegRoot::CurrentUser;

class VideoPageTest : public ::testing::Test {
protected:
    std::int32_t Stored(std::string_view key, std::string_view name)
    {
        return store.ReadDword(kHkcu, key, name);
    }
    std::int32_t Xvid(std::string_view name) { return Stored(video_xvid::kKey, name); }
    void SetXvid(std::string_view name, std::int32_t value)
    {
        store.WriteDword(kHkcu, video_xvid::kKey, name, value);
    }
    // A click as the Win32 page sees it: the box has already toggled.
    void Click(std::span<const ValueRow> rows, int id)
    {
        controls.SetCheck(id, controls.GetCheck(id) ? 0 : 1);
        registry.writes.clear();
        EXPECT_TRUE(model.OnControlChanged(rows, id));
        EXPECT_EQ(registry.writes.size(), 1u) << id;
    }
    bool Checked(int id) { return controls.GetCheck(id) == 1; }

    RecordingRegistry registry;
    RegistryStore store{registry};
    FakePageControls controls;
    PageModel model{store, controls};
};

// ---------------------------------------------------------------------------------------
// DivX

TEST_F(VideoPageTest, DivxAspectNumberThatNamesNoButtonKeepsTheShownOne)
{
    const auto setAspect = [&](std::int32_t x) {
        store.WriteDword(kHkcu, video_divx::kKey, "AspectRatio_X", x);
    };
    setAspect(2);
    model.Load(video_divx::kValues);
    EXPECT_EQ(controls.GetRadio(IDC_DIVX_ASPECT_1_1), kNoSelection);
    setAspect(16);
    model.Load(video_divx::kValues);
    EXPECT_EQ(controls.GetRadio(IDC_DIVX_ASPECT_1_1), 2);
    setAspect(2);
    model.Load(video_divx::kValues);
    EXPECT_EQ(controls.GetRadio(IDC_DIVX_ASPECT_1_1), 2);
    EXPECT_EQ(Stored(video_divx::kKey, "AspectRatio_X"), 2);  // shown, not rewritten
}

// ---------------------------------------------------------------------------------------
// Xvid

TEST_F(VideoPageTest, XvidFirstLoadStoresEveryDefault)
{
    model.Load(video_xvid::kValues);
    for (const char* name : {"Deblock_Y", "Deblock_UV", "FilmEffect", "Supported_4CC",
                             "FlipVideo", "Videoinfo_Compat", "ForceColorspace"})
        EXPECT_EQ(Xvid(name), 0) << name;
    std::vector<std::string> names;
    registry.EnumValueNames(kHkcu, video_xvid::kKey, KeyOpen::ExistingOnly, names);
    EXPECT_EQ(names.size(), 7u);

    for (int id = 1027; id <= 1034; ++id) EXPECT_FALSE(Checked(id)) << id;
    EXPECT_EQ(controls.comboItems[1035],
              (std::vector<std::string>{"사용 안함", "YV12", "YUY2", "RGB24", "RGB32"}));
    EXPECT_EQ(controls.comboSelection[1035], 0);
}

TEST_F(VideoPageTest, XvidCodeBoxesAddTheirBits)
{
    model.Load(video_xvid::kValues);
    Click(video_xvid::kValues, IDC_XVID_CODE_DX50);
    EXPECT_EQ(Xvid("Supported_4CC"), 1);
    Click(video_xvid::kValues, IDC_XVID_CODE_MP4V);
    EXPECT_EQ(Xvid("Supported_4CC"), 5);
    Click(video_xvid::kValues, IDC_XVID_CODE_DIVX);
    EXPECT_EQ(Xvid("Supported_4CC"), 7);
    Click(video_xvid::kValues, IDC_XVID_CODE_DX50);
    EXPECT_EQ(Xvid("Supported_4CC"), 6);
}

TEST_F(VideoPageTest, XvidStoredMaskShowsItsBitsOrNothingWhenOutOfRange)
{
    SetXvid("Supported_4CC", 6);
    model.Load(video_xvid::kValues);
    EXPECT_TRUE(Checked(IDC_XVID_CODE_DIVX));
    EXPECT_FALSE(Checked(IDC_XVID_CODE_DX50));
    EXPECT_TRUE(Checked(IDC_XVID_CODE_MP4V));

    for (std::int32_t outOfRange : {9, 8, -1}) {
        SetXvid("Supported_4CC", outOfRange);
        model.Load(video_xvid::kValues);
        EXPECT_FALSE(Checked(IDC_XVID_CODE_DIVX)) << outOfRange;
        EXPECT_FALSE(Checked(IDC_XVID_CODE_DX50)) << outOfRange;
        EXPECT_FALSE(Checked(IDC_XVID_CODE_MP4V)) << outOfRange;
        EXPECT_EQ(controls.numbers[video_xvid::kFourccMask], 0);
        EXPECT_EQ(Xvid("Supported_4CC"), outOfRange);  // not rewritten by loading
    }
    Click(video_xvid::kValues, IDC_XVID_CODE_DX50);
    EXPECT_EQ(Xvid("Supported_4CC"), 1);
}

TEST_F(VideoPageTest, XvidColourSpaceMinusOneShowsRgb24AndStrayNumbersShowNothing)
{
    SetXvid("ForceColorspace", -1);
    model.Load(video_xvid::kValues);
    EXPECT_EQ(controls.comboSelection[1035], 3);

    SetXvid("ForceColorspace", 9);
    model.Load(video_xvid::kValues);
    EXPECT_EQ(controls.comboSelection[1035], kNoSelection);
    EXPECT_EQ(Xvid("ForceColorspace"), 9);
    model.SaveAll(video_xvid::kValues);
    EXPECT_EQ(Xvid("ForceColorspace"), 9);  // nothing selected says nothing
    registry.writes.clear();
    EXPECT_TRUE(model.OnControlChanged(video_xvid::kValues, 1035));
    EXPECT_TRUE(registry.writes.empty());

    controls.SetComboIndex(1035, 2);
    registry.writes.clear();
    EXPECT_TRUE(model.OnControlChanged(video_xvid::kValues, 1035));
    EXPECT_EQ(registry.writes.size(), 1u);
    EXPECT_EQ(Xvid("ForceColorspace"), 2);
}

TEST_F(VideoPageTest, XvidResetStoresZerosAndRgb24WhateverWasStored)
{
    for (const char* name : {"Deblock_Y", "Deblock_UV", "FilmEffect", "FlipVideo",
                             "Videoinfo_Compat"})
        SetXvid(name, 1);
    SetXvid("Supported_4CC", 6);
    SetXvid("ForceColorspace", 9);
    model.Load(video_xvid::kValues);

    model.ResetDefaults(video_xvid::kValues);
    for (const char* name : {"Deblock_Y", "Deblock_UV", "FilmEffect", "Supported_4CC",
                             "FlipVideo", "Videoinfo_Compat"})
        EXPECT_EQ(Xvid(name), 0) << name;
    EXPECT_EQ(Xvid("ForceColorspace"), 3);
    for (int id = 1027; id <= 1034; ++id) EXPECT_FALSE(Checked(id)) << id;
    EXPECT_EQ(controls.comboSelection[1035], 3);
    EXPECT_EQ(controls.numbers[video_xvid::kFourccMask], 0);

    // The install check resets pages that were never shown, their list still empty.
    FakePageControls unshown;
    PageModel fresh(store, unshown);
    SetXvid("ForceColorspace", 0);
    fresh.ResetDefaults(video_xvid::kValues);
    EXPECT_EQ(Xvid("ForceColorspace"), 3);
}

// ---------------------------------------------------------------------------------------
// ffdshow video

TEST_F(VideoPageTest, FFDShowFirstLoadStoresAll25Defaults)
{
    using namespace video_ffdshow;
    struct Expected {
        std::string_view key;
        const char* name;
        std::int32_t value;
    };
    const Expected expected[] = {
        {kCodecsKey, "xvid", 1},        {kCodecsKey, "div3", 1},
        {kCodecsKey, "divx", 1},        {kCodecsKey, "dx50", 1},
        {kCodecsKey, "mp43", 1},        {kCodecsKey, "mp42", 1},
        {kCodecsKey, "mp41", 1},        {kCodecsKey, "wmv1", 0},
        {kCodecsKey, "wmv2", 0},        {kCodecsKey, "mpg1", 1},
        {kCodecsKey, "mpg2", 1},        {kCodecsKey, "h264", 1},
        {kVideoKey, "outI420", 0},      {kVideoKey, "outYV12", 0},
        {kVideoKey, "outYUY2", 1},      {kVideoKey, "outYVYU", 1},
        {kVideoKey, "outUYVY", 1},      {kVideoKey, "outRGB32", 1},
        {kVideoKey, "outRGB24", 1},     {kVideoKey, "outRGB565", 1},
        {kVideoKey, "outRGB555", 1},    {kAudioKey, "trayIcon", 0},
        {kVideoKey, "isPostproc", 0},   {kVideoKey, "isBlur", 0},
        {kVideoKey, "isNoise", 0},
    };
    model.Load(kValues);
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        const Expected& e = expected[i];
        EXPECT_EQ(Stored(e.key, e.name), e.value) << e.name;
        EXPECT_EQ(controls.GetCheck(IDC_VFF_XVID + static_cast<int>(i)), e.value) << e.name;
    }
    // The two ffdshow keys differ only in case and depth; no value lands anywhere else.
    std::vector<std::string> codecs, video, audio;
    registry.EnumValueNames(kHkcu, "software\\gnu\\FFDSHOW", KeyOpen::ExistingOnly, codecs);
    registry.EnumValueNames(kHkcu, kVideoKey, KeyOpen::ExistingOnly, video);
    registry.EnumValueNames(kHkcu, kAudioKey, KeyOpen::ExistingOnly, audio);
    EXPECT_EQ(codecs.size(), 12u);
    EXPECT_EQ(video.size(), 12u);
    EXPECT_EQ(audio.size(), 1u);
}

TEST_F(VideoPageTest, FFDShowTrayIconBoxWritesUnderTheAudioKey)
{
    using namespace video_ffdshow;
    model.Load(kValues);
    Click(kValues, IDC_VFF_TRAYICON);
    EXPECT_EQ(registry.writes.at(0).path, kAudioKey);
    EXPECT_EQ(Stored(kAudioKey, "trayIcon"), 1);
    EXPECT_FALSE(registry.Has(kHkcu, kVideoKey, "trayIcon"));
    EXPECT_FALSE(registry.Has(kHkcu, kCodecsKey, "trayIcon"));

    // What the audio page reads is what this page wrote.
    EXPECT_EQ(store.LoadCheck(kHkcu, "Software\\GNU\\ffdshow_audio\\default", "trayIcon", 0), 1);
}

// ---------------------------------------------------------------------------------------
// Both pages

struct PageData {
    const char* name;
    std::span<const ValueRow> values;
    std::span<const PageControl> controls;
    std::span<const EnableRule> enables;
};

const PageData kPages[] = {
    {"Xvid", video_xvid::kValues, video_xvid::kControls, {}},
    {"ffdshow video", video_ffdshow::kValues, video_ffdshow::kControls, {}},
    {"DTS speaker", sound_korrin::kValues, sound_korrin::kControls, {}},
    {"VSFilter", caption_vsfilter::kValues, caption_vsfilter::kControls, caption_vsfilter::kEnables},
    {"DivX G400", caption_divxg400::kValues, caption_divxg400::kControls, caption_divxg400::kEnables},
};

TEST_F(VideoPageTest, EveryValueSpinnerAndRuleNamesAControlAndWithoutTheDecoderAllAreDisabled)
{
    for (const PageData& page : kPages) {
        std::set<int> ids;
        for (const PageControl& control : page.controls)
            EXPECT_TRUE(ids.insert(control.id).second) << page.name << " " << control.id;
        for (const ValueRow& row : page.values) {
            if (row.kind == &kMaskKind) {
                for (const MaskBox& box : row.mask->boxes) EXPECT_TRUE(ids.count(box.id));
            } else {
                EXPECT_TRUE(ids.count(row.controlId)) << page.name << " " << row.value.name;
            }
            if (row.range.spinId != 0) {
                EXPECT_TRUE(ids.count(row.range.spinId)) << row.value.name;
            }
        }
        for (const EnableRule& rule : page.enables) {
            EXPECT_TRUE(ids.count(rule.sourceId)) << page.name << " " << rule.sourceId;
            for (int target : rule.targets) EXPECT_TRUE(ids.count(target)) << page.name << " " << target;
        }

        FakePageControls missing;
        PageModel withoutDecoder(store, missing, {{}, [] { return false; }});
        withoutDecoder.Layout(page.controls);
        for (int id : ids) EXPECT_FALSE(missing.IsEnabled(id)) << page.name << " " << id;
    }
}

}  // namespace
}  // namespace zelora
