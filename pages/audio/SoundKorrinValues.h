#pragma once
// The DTS speaker page (template 236): one speaker mode under HKCU
// "SOFTWARE\KORRIN\DTS/AC3Filter", a key whose own name holds the "/".

#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "resources/pages/SoundKorrinRes.h"

namespace zelora::sound_korrin {

inline constexpr std::string_view kKey = "SOFTWARE\\KORRIN\\DTS/AC3Filter";

// Index = speaker mode; a stored mode outside 0..5 selects no button and stays stored.
inline constexpr ChoiceItem kSpeakerModes[] = {{"", 0}, {"", 1}, {"", 2},
                                               {"", 3}, {"", 4}, {"", 5}};
inline constexpr ChoiceMap kSpeakerModeMap{kSpeakerModes, kLikeOther, kNoSelection};

inline constexpr ValueRow kValues[] = {
    RadioRow(IDC_KORRIN_MONO, {RegRoot::CurrentUser, kKey, "SpeakerMode"}, kSpeakerModeMap, 1, 1),
};

inline constexpr PageControl kControls[] = {
    {IDC_KORRIN_MONO, ControlType::RadioButton, {IDC_KORRIN_MONO_AT}},
    {IDC_KORRIN_STEREO, ControlType::RadioButton, {IDC_KORRIN_STEREO_AT}},
    {IDC_KORRIN_SURROUND, ControlType::RadioButton, {IDC_KORRIN_SURROUND_AT}},
    {IDC_KORRIN_QUAD, ControlType::RadioButton, {IDC_KORRIN_QUAD_AT}},
    {IDC_KORRIN_FIVE_ONE, ControlType::RadioButton, {IDC_KORRIN_FIVE_ONE_AT}},
    {IDC_KORRIN_SPDIF, ControlType::RadioButton, {IDC_KORRIN_SPDIF_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kKorrinBanner, 0, 0},
    {skin::kKorrinSpeakerTitle, 10, 30},
};

inline constexpr PageDescription kPage{
    .templateId = IDD_SOUND_KORRIN, .decoder = Decoder::KorrinsDts, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps};

}  // namespace zelora::sound_korrin
