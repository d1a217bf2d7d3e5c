#pragma once
// The AC3Filter page (template 235): the decoder's default preset under HKCU
// "Software\AC3Filter\preset\Default". Ten levels are stored as linear gain texts and shown
// in decibels, each with a page-painted slider and an edit box (the master level has two).

#include "pages/AudioFormats.h"
#include "pages/audio/LevelEdits.h"
#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "pages/SliderDrag.h"
#include "resources/pages/SoundAC3Res.h"

namespace zelora::sound_ac3 {

inline constexpr std::string_view kKey = "Software\\AC3Filter\\preset\\Default";

constexpr RegValue Preset(std::string_view name) { return {RegRoot::CurrentUser, kKey, name}; }

// Entry -> `mask` and `relation`. The stereo entries share mask 5, told apart by
// `relation`; a pair that is no entry's shows "2/2 : Quadro".
inline constexpr ChoiceItem kSpeakerItems[] = {
    {"1/0 : Mono", 2, -1},
    {"2/0 : Stereo", 5, 0},
    {"3/0 : 3 Front", 7, -1},
    {"2/1 : Surround", 13, -1},
    {"3/1 : Surround", 15, -1},
    {"2/2 : Quadro", 29, -1},
    {"3/2 : 5 Channels", 31, -1},
    {"1/0 + SW : 1.1 Mono", 34, -1},
    {"2/0 + SW : 2.1 Stereo", 37, -1},
    {"3/0 + SW : 3.1 Front", 39, -1},
    {"2/1 + SW : 3.1 Surround", 45, -1},
    {"3/1 + SW : 4.1 Surround", 47, -1},
    {"2/2 + SW : 4.1 Quadro", 61, -1},
    {"3/2 + SW : 5.1 Channels", 63, -1},
    {"Dolby Surround/ProLogic", 5, 1},
    {"Dolby Prologic2", 5, 2},
};
inline constexpr ListIndex kStereo{1};
inline constexpr ChoiceMap kSpeakerMap{kSpeakerItems, kLikeOther, 5};

// A stored format that is no entry's shows "PCM 32bit".
inline constexpr ChoiceItem kSampleFormatItems[] = {
    {"PCM 16bit", 2}, {"PCM 24bit", 3}, {"PCM 32bit", 4}, {"PCM Float", 5}};
inline constexpr ChoiceMap kSampleFormatMap{kSampleFormatItems, kLikeOther, 2};

// PCM is written as 30 but also recognised as 1020, as it has been stored before.
inline constexpr MaskBox kFormatBoxes[] = {
    {.id = IDC_AC3_PCM, .part = 30, .readPart = 1020},
    {.id = IDC_AC3_AC3, .part = 4096},
    {.id = IDC_AC3_DTS, .part = 16384},
    {.id = IDC_AC3_MPEG, .part = 8192},
    {.id = IDC_AC3_PES, .part = 1024},
};
inline constexpr MaskBoxes kFormats{kFormatBoxes, UnknownMask::KeepBoxes};
inline constexpr MaskBox kPassBoxes[] = {
    {.id = IDC_AC3_AC3_PASS, .part = 4096},
    {.id = IDC_AC3_DTS_PASS, .part = 16384},
    {.id = IDC_AC3_MPEG_PASS, .part = 8192},
};
inline constexpr MaskBoxes kPassThrough{kPassBoxes, UnknownMask::KeepBoxes};
// The page's keys for the two masks' known numbers (no control has these ids).
inline constexpr NumberKey kFormatsKey{1};
inline constexpr NumberKey kPassThroughKey{2};

constexpr ValueRow Level(int edit, std::string_view name)
{
    return GainTextRow(edit, Preset(name), LevelRange(kAc3DecibelScale), 0, 0);
}

// In the order of Load; the master level's second edit shows the same row.
inline constexpr ValueRow kValues[] = {
    Level(IDC_AC3_MASTER, "master"),
    Level(IDC_AC3_VOICE, "clev"),
    Level(IDC_AC3_SURROUND, "slev"),
    Level(IDC_AC3_LFE, "lfelev"),
    Level(IDC_AC3_LEFT, "gain_output_L"),
    Level(IDC_AC3_CENTER, "gain_output_C"),
    Level(IDC_AC3_RIGHT, "gain_output_R"),
    Level(IDC_AC3_SURROUND_LEFT, "gain_output_SL"),
    Level(IDC_AC3_SURROUND_RIGHT, "gain_output_SR"),
    Level(IDC_AC3_CHANNEL_LFE, "gain_output_LFE"),
    ChoicePairRow(IDC_AC3_SPEAKERS, Preset("mask"), "relation", kSpeakerMap, kStereo, kStereo),
    ComboRow(IDC_AC3_SAMPLE_FORMAT, Preset("format"), kSampleFormatMap, 2, 2),
    CheckRow(IDC_AC3_SPDIF, Preset("spdif"), 0, 0),
    MaskRow(kFormatsKey, Preset("formats"), kFormats, 13312, 13312),
    MaskRow(kPassThroughKey, Preset("spdif_pt"), kPassThrough, 12288, 12288),
};

inline constexpr SliderStrip kStrip = StripOf(skin::kAC3StripActive, skin::kAC3StripInactive);

constexpr SliderRow Slider(Rect rect, LevelIndex level, int edit)
{
    return {{rect, SliderAxis::Vertical, &kStrip}, &kAc3DecibelScale, {}, level, edit};
}

// Hit-test order. The master pair shows one level: a press on either drags both.
inline constexpr SliderRow kSliders[] = {
    Slider({56, 88, 80, 179}, LevelIndex{0}, IDC_AC3_MASTER),
    Slider({100, 88, 120, 179}, LevelIndex{0}, IDC_AC3_MAIN),
    Slider({140, 88, 160, 179}, LevelIndex{1}, IDC_AC3_VOICE),
    Slider({180, 88, 200, 179}, LevelIndex{2}, IDC_AC3_SURROUND),
    Slider({220, 88, 240, 179}, LevelIndex{3}, IDC_AC3_LFE),
    Slider({23, 316, 45, 407}, LevelIndex{4}, IDC_AC3_LEFT),
    Slider({65, 316, 85, 407}, LevelIndex{5}, IDC_AC3_CENTER),
    Slider({105, 316, 125, 407}, LevelIndex{6}, IDC_AC3_RIGHT),
    Slider({145, 316, 165, 407}, LevelIndex{7}, IDC_AC3_SURROUND_LEFT),
    Slider({185, 316, 205, 407}, LevelIndex{8}, IDC_AC3_SURROUND_RIGHT),
    Slider({225, 316, 245, 407}, LevelIndex{9}, IDC_AC3_CHANNEL_LFE),
};

inline constexpr PageControl kControls[] = {
    {.id = IDC_AC3_SPEAKERS, .type = ControlType::DropDownCombo, .name = L"스피커 구성"},
    {.id = IDC_AC3_SAMPLE_FORMAT, .type = ControlType::DropDownCombo, .name = L"출력 형식"},
    {IDC_AC3_MASTER, ControlType::NumericEdit, {IDC_AC3_MASTER_AT}},
    {IDC_AC3_MAIN, ControlType::NumericEdit, {IDC_AC3_MAIN_AT}},
    {IDC_AC3_VOICE, ControlType::NumericEdit, {IDC_AC3_VOICE_AT}},
    {IDC_AC3_SURROUND, ControlType::NumericEdit, {IDC_AC3_SURROUND_AT}},
    {IDC_AC3_LFE, ControlType::NumericEdit, {IDC_AC3_LFE_AT}},
    {IDC_AC3_LEFT, ControlType::NumericEdit, {IDC_AC3_LEFT_AT}},
    {IDC_AC3_CENTER, ControlType::NumericEdit, {IDC_AC3_CENTER_AT}},
    {IDC_AC3_RIGHT, ControlType::NumericEdit, {IDC_AC3_RIGHT_AT}},
    {IDC_AC3_SURROUND_LEFT, ControlType::NumericEdit, {IDC_AC3_SURROUND_LEFT_AT}},
    {IDC_AC3_SURROUND_RIGHT, ControlType::NumericEdit, {IDC_AC3_SURROUND_RIGHT_AT}},
    {IDC_AC3_CHANNEL_LFE, ControlType::NumericEdit, {IDC_AC3_CHANNEL_LFE_AT}},
    {IDC_AC3_SPDIF, ControlType::CheckBox, {IDC_AC3_SPDIF_AT}},
    {IDC_AC3_PCM, ControlType::CheckBox, {IDC_AC3_PCM_AT}},
    {IDC_AC3_AC3, ControlType::CheckBox, {IDC_AC3_AC3_AT}},
    {IDC_AC3_DTS, ControlType::CheckBox, {IDC_AC3_DTS_AT}},
    {IDC_AC3_MPEG, ControlType::CheckBox, {IDC_AC3_MPEG_AT}},
    {IDC_AC3_PES, ControlType::CheckBox, {IDC_AC3_PES_AT}},
    {IDC_AC3_AC3_PASS, ControlType::CheckBox, {IDC_AC3_AC3_PASS_AT}},
    {IDC_AC3_DTS_PASS, ControlType::CheckBox, {IDC_AC3_DTS_PASS_AT}},
    {IDC_AC3_MPEG_PASS, ControlType::CheckBox, {IDC_AC3_MPEG_PASS_AT}},
};

// The captions are copied at their own 128 pixels: a wider copy would read beyond them.
inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kAC3Banner, 0, 0}, {skin::kAC3LevelsTitle, 10, 30},
    {skin::kAC3SpeakerLevelsTitle, 10, 245}, {skin::kAC3OutputTitle, 280, 30},
    {skin::kAC3InputTitle, 280, 165}, {skin::kAC3SpdifTitle, 280, 315},
    LevelEditFrame(48, 194), LevelEditFrame(92, 194), LevelEditFrame(132, 194),
    LevelEditFrame(172, 194), LevelEditFrame(212, 194), LevelEditFrame(16, 414),
    LevelEditFrame(57, 414), LevelEditFrame(97, 414), LevelEditFrame(137, 414),
    LevelEditFrame(177, 414), LevelEditFrame(217, 414), {skin::kAC3MixerPanel, 20, 70},
    {skin::kAC3GainPanel, 20, 290},
};

// The sliders and their edits are called by their panels' column words.
inline constexpr auto kSliderNames = JoinWords(skin::kAC3MixerPanelWords, skin::kAC3GainPanelWords);
static_assert(kSliderNames.size() == std::size(kSliders));

inline constexpr PageDescription kPage{
    .templateId = IDD_SOUND_AC3, .decoder = Decoder::AC3Filter, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps, .sliders = kSliders, .sliderNames = kSliderNames};

}  // namespace zelora::sound_ac3
