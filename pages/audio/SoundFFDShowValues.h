#pragma once
// The ffdshow audio page (template 232): DWORDs under HKCU, the decoder's switches and
// eleven levels in key A, the formats it takes in key B. Each level has a page-painted
// slider and an edit box.

#include "pages/AudioFormats.h"
#include "pages/audio/LevelEdits.h"
#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "pages/SliderDrag.h"
#include "resources/pages/SoundFFDShowRes.h"

namespace zelora::sound_ffdshow {

inline constexpr std::string_view kKeyA = "Software\\GNU\\ffdshow_audio\\default";
inline constexpr std::string_view kKeyB = "Software\\GNU\\ffdshow_audio";

constexpr RegValue A(std::string_view name) { return {RegRoot::CurrentUser, kKeyA, name}; }
constexpr RegValue B(std::string_view name) { return {RegRoot::CurrentUser, kKeyB, name}; }

inline constexpr ListIndex kHeadphones{17};
// Index = saved `mixerOut`; another number shows Stereo and stays saved.
inline constexpr ChoiceItem kSpeakerItems[] = {
    {"1/0 : Mono", 0},
    {"2/0 : Stereo", 1},
    {"3/0 : 3 Front", 2},
    {"2/1 : Surround", 3},
    {"3/1 : Surround", 4},
    {"2/2 : Quadro", 5},
    {"3/2 : 5 Channels", 6},
    {"1/0 + SW : 1.1 Mono", 7},
    {"2/0 + SW : 2.1 Stereo", 8},
    {"3/0 + SW : 3.1 Front", 9},
    {"2/1 + SW : 3.1 Surround", 10},
    {"3/1 + SW : 4.1 Surround", 11},
    {"2/2 + SW : 4.1 Quadro", 12},
    {"3/2 + SW : 5.1 Channels", 13},
    {"Dolby Surround/ProLogic", 14},
    {"Dolby Prologic2", 15},
    {"소스입력 자동선택", 16},
    {"헤드폰", Index(kHeadphones)},
};
inline constexpr ChoiceMap kSpeakerMap{kSpeakerItems, kLikeOther, 1};

inline constexpr FormatPairControls kAc3Boxes{{}, kFFDShowAc3Pair, IDC_FFA_AC3_SPDIF};
inline constexpr FormatPairControls kDtsBoxes{{}, kFFDShowDtsPair, IDC_FFA_DTS_SPDIF};

// A level's edit takes what its slider stores.
constexpr ValueRow Level(int edit, std::string_view name, const LevelScale& scale)
{
    return NumberTextRow(edit, A(name), LevelRange(scale), 100, 100);
}

// In the order of Load.
inline constexpr ValueRow kValues[] = {
    CheckRow(IDC_FFA_VOLUME_ON, A("isVolume"), 0, 1),
    CheckRow(IDC_FFA_EQ_ON, A("isEQ"), 0, 0),
    CheckRow(IDC_FFA_MIXER_ON, A("isMixer"), 0, 1),
    CheckRow(IDC_FFA_WINAMP2, A("isWinamp2"), 0, 0),
    CheckRow(IDC_FFA_TRAY_ICON, A("trayIcon"), 0, 1),
    Level(IDC_FFA_VOLUME, "volume", kFFDShowLevelScale),
    Level(IDC_FFA_LEFT, "volumeL", kFFDShowLevelScale),
    Level(IDC_FFA_CENTER, "volumeC", kFFDShowLevelScale),
    Level(IDC_FFA_RIGHT, "volumeR", kFFDShowLevelScale),
    Level(IDC_FFA_SURROUND_LEFT, "volumeSL", kFFDShowLevelScale),
    Level(IDC_FFA_SURROUND_RIGHT, "volumeSR", kFFDShowLevelScale),
    Level(IDC_FFA_CHANNEL_LFE, "volumeLFE", kFFDShowLevelScale),
    Level(IDC_FFA_HEADPHONE, "headphone_dim", kFFDShowHeadphoneScale),
    Level(IDC_FFA_VOICE, "mixerClev", kFFDShowLevelScale),
    Level(IDC_FFA_SURROUND, "mixerSlev", kFFDShowLevelScale),
    Level(IDC_FFA_LFE, "mixerLFElev", kFFDShowLevelScale),
    ComboRow(IDC_FFA_SPEAKERS, A("mixerOut"), kSpeakerMap, 1, 1),
    FlagCheckRow(IDC_FFA_WMA1, B("wma1"), 1, 0, 0),
    FlagCheckRow(IDC_FFA_WMA2, B("wma2"), 1, 0, 0),
    FlagCheckRow(IDC_FFA_MP2, B("mp2"), 6, 0, 0),
    FlagCheckRow(IDC_FFA_MP3, B("mp3"), 6, 0, 6),
    FormatPairRow(IDC_FFA_AC3, B("ac3"), kAc3Boxes, 0, 15),
    FormatPairRow(IDC_FFA_DTS, B("dts"), kDtsBoxes, 0, 17),
    FlagCheckRow(IDC_FFA_AAC, B("aac"), 8, 0, 8),
    FlagCheckRow(IDC_FFA_VORBIS, B("vorbis"), 18, 0, 18),
};

inline constexpr int kSpeakerList[] = {IDC_FFA_SPEAKERS};
inline constexpr EnableRule kEnables[] = {
    EnableWhileTicked(IDC_FFA_MIXER_ON, kSpeakerList, kOnClick | kOnLoad | kOnReset),
};

inline constexpr SliderStrip kStrip =
    StripOf(skin::kSoundFFDShowStripActive, skin::kSoundFFDShowStripInactive);

constexpr SliderRow Slider(Rect rect, const LevelScale& scale, SliderGate gate,
                            LevelIndex level, int edit)
{
    return {{rect, SliderAxis::Vertical, &kStrip}, &scale, gate, level, edit};
}
inline constexpr SliderGate kWhileVolume{SliderGate::Kind::Ticked, IDC_FFA_VOLUME_ON};
inline constexpr SliderGate kWhileMixer{SliderGate::Kind::Ticked, IDC_FFA_MIXER_ON};
inline constexpr SliderGate kWhileHeadphones{SliderGate::Kind::ComboSelects, IDC_FFA_SPEAKERS,
                                             kHeadphones};

// Hit-test order; each slider is its own level.
inline constexpr SliderRow kSliders[] = {
    Slider({51, 189, 80, 251}, kFFDShowLevelScale, kWhileVolume, LevelIndex{0}, IDC_FFA_VOLUME),
    Slider({100, 189, 120, 251}, kFFDShowHeadphoneScale, kWhileHeadphones, LevelIndex{1}, IDC_FFA_HEADPHONE),
    Slider({140, 189, 160, 251}, kFFDShowLevelScale, kWhileMixer, LevelIndex{2}, IDC_FFA_VOICE),
    Slider({180, 189, 200, 251}, kFFDShowLevelScale, kWhileMixer, LevelIndex{3}, IDC_FFA_SURROUND),
    Slider({220, 189, 240, 251}, kFFDShowLevelScale, kWhileMixer, LevelIndex{4}, IDC_FFA_LFE),
    Slider({25, 372, 45, 434}, kFFDShowLevelScale, kWhileVolume, LevelIndex{5}, IDC_FFA_LEFT),
    Slider({65, 372, 85, 434}, kFFDShowLevelScale, kWhileVolume, LevelIndex{6}, IDC_FFA_CENTER),
    Slider({105, 372, 125, 434}, kFFDShowLevelScale, kWhileVolume, LevelIndex{7}, IDC_FFA_RIGHT),
    Slider({145, 372, 165, 434}, kFFDShowLevelScale, kWhileVolume, LevelIndex{8}, IDC_FFA_SURROUND_LEFT),
    Slider({185, 372, 205, 434}, kFFDShowLevelScale, kWhileVolume, LevelIndex{9}, IDC_FFA_SURROUND_RIGHT),
    Slider({225, 372, 245, 434}, kFFDShowLevelScale, kWhileVolume, LevelIndex{10}, IDC_FFA_CHANNEL_LFE),
};

inline constexpr PageControl kControls[] = {
    {IDC_FFA_VOLUME_ON, ControlType::CheckBox, {IDC_FFA_VOLUME_ON_AT}},
    {IDC_FFA_EQ_ON, ControlType::CheckBox, {IDC_FFA_EQ_ON_AT}},
    {IDC_FFA_MIXER_ON, ControlType::CheckBox, {IDC_FFA_MIXER_ON_AT}},
    {IDC_FFA_WINAMP2, ControlType::CheckBox, {IDC_FFA_WINAMP2_AT}},
    {IDC_FFA_TRAY_ICON, ControlType::CheckBox, {IDC_FFA_TRAY_ICON_AT}},
    {.id = IDC_FFA_SPEAKERS, .type = ControlType::DropDownCombo, .name = L"스피커 구성"},
    {IDC_FFA_VOLUME, ControlType::NumericEdit, {IDC_FFA_VOLUME_AT}},
    {IDC_FFA_HEADPHONE, ControlType::NumericEdit, {IDC_FFA_HEADPHONE_AT}},
    {IDC_FFA_VOICE, ControlType::NumericEdit, {IDC_FFA_VOICE_AT}},
    {IDC_FFA_SURROUND, ControlType::NumericEdit, {IDC_FFA_SURROUND_AT}},
    {IDC_FFA_LFE, ControlType::NumericEdit, {IDC_FFA_LFE_AT}},
    {IDC_FFA_LEFT, ControlType::NumericEdit, {IDC_FFA_LEFT_AT}},
    {IDC_FFA_CENTER, ControlType::NumericEdit, {IDC_FFA_CENTER_AT}},
    {IDC_FFA_RIGHT, ControlType::NumericEdit, {IDC_FFA_RIGHT_AT}},
    {IDC_FFA_SURROUND_LEFT, ControlType::NumericEdit, {IDC_FFA_SURROUND_LEFT_AT}},
    {IDC_FFA_SURROUND_RIGHT, ControlType::NumericEdit, {IDC_FFA_SURROUND_RIGHT_AT}},
    {IDC_FFA_CHANNEL_LFE, ControlType::NumericEdit, {IDC_FFA_CHANNEL_LFE_AT}},
    {IDC_FFA_WMA1, ControlType::CheckBox, {IDC_FFA_WMA1_AT}},
    {IDC_FFA_WMA2, ControlType::CheckBox, {IDC_FFA_WMA2_AT}},
    {IDC_FFA_MP2, ControlType::CheckBox, {IDC_FFA_MP2_AT}},
    {IDC_FFA_MP3, ControlType::CheckBox, {IDC_FFA_MP3_AT}},
    {IDC_FFA_AC3, ControlType::CheckBox, {IDC_FFA_AC3_AT}},
    {IDC_FFA_DTS, ControlType::CheckBox, {IDC_FFA_DTS_AT}},
    {IDC_FFA_AAC, ControlType::CheckBox, {IDC_FFA_AAC_AT}},
    {IDC_FFA_VORBIS, ControlType::CheckBox, {IDC_FFA_VORBIS_AT}},
    {IDC_FFA_AC3_SPDIF, ControlType::CheckBox, {IDC_FFA_AC3_SPDIF_AT}},
    {IDC_FFA_DTS_SPDIF, ControlType::CheckBox, {IDC_FFA_DTS_SPDIF_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kSoundFFDShowBanner, 0, 0}, {skin::kSoundFFDShowSwitchesTitle, 10, 30},
    {skin::kSoundFFDShowMixerTitle, 10, 140}, {skin::kSoundFFDShowVolumesTitle, 10, 315},
    {skin::kSoundFFDShowSpeakerTitle, 280, 30}, {skin::kSoundFFDShowFormatsTitle, 280, 140},
    {skin::kSoundFFDShowSpdifTitle, 280, 365}, LevelEditFrame(44, 266), LevelEditFrame(92, 266),
    LevelEditFrame(132, 266), LevelEditFrame(172, 266), LevelEditFrame(212, 266),
    LevelEditFrame(16, 457), LevelEditFrame(57, 457), LevelEditFrame(97, 457),
    LevelEditFrame(137, 457), LevelEditFrame(177, 457), LevelEditFrame(217, 457),
    {skin::kSoundFFDShowMixerPanel, 20, 170, skin::kSoundFFDShowMixerPanelShownRows},
    {skin::kSoundFFDShowVolumePanel, 20, 345},
};

// The sliders and their edits are called by their panels' column words.
inline constexpr auto kSliderNames = JoinWords(skin::kSoundFFDShowMixerPanelWords, skin::kSoundFFDShowVolumePanelWords);
static_assert(kSliderNames.size() == std::size(kSliders));

inline constexpr PageDescription kPage{
    .templateId = IDD_SOUND_FFDSHOW, .decoder = Decoder::FFDShow, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps, .enables = kEnables, .sliders = kSliders, .sliderNames = kSliderNames};

}  // namespace zelora::sound_ffdshow
