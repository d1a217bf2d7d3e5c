#pragma once
// The Xvid page (template 234): its controls and the decoder's values under
// HKCU "Software\GNU\XviD".

#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "resources/pages/VideoXvidRes.h"

namespace zelora::video_xvid {

// Key of `fourccMask`, the page's copy of "Supported_4CC", among the page's numbers.
inline constexpr NumberKey kFourccMask{1};

inline constexpr std::string_view kKey = "Software\\GNU\\XviD";

constexpr RegValue Xvid(std::string_view name) { return {RegRoot::CurrentUser, kKey, name}; }

// Which four-character codes the decoder claims. Every number from 0 to 7 is a sum of the
// three bits; anything else reads as 0 and stays stored until a box is clicked.
inline constexpr MaskBox kFourccBoxes[] = {
    {.id = IDC_XVID_CODE_DIVX, .part = 2},
    {.id = IDC_XVID_CODE_DX50, .part = 1},
    {.id = IDC_XVID_CODE_MP4V, .part = 4},
};
inline constexpr MaskBoxes kFourccMaskBoxes{kFourccBoxes, UnknownMask::Clear};

// Index = stored number. -1 (nothing selected when the value was last saved) shows RGB24;
// other numbers outside the list select nothing.
inline constexpr ChoiceItem kColourSpaceItems[] = {
    {"사용 안함", 0}, {"YV12", 1}, {"YUY2", 2}, {"RGB24", 3}, {"RGB32", 4},
};
inline constexpr ChoiceMap kColourSpaceMap{kColourSpaceItems, 3, kNoSelection};

// In the order of Load and SaveAll.
inline constexpr ValueRow kValues[] = {
    CheckRow(IDC_XVID_DEBLOCK_Y, Xvid("Deblock_Y"), 0, 0),
    CheckRow(IDC_XVID_DEBLOCK_UV, Xvid("Deblock_UV"), 0, 0),
    CheckRow(IDC_XVID_FILM_EFFECT, Xvid("FilmEffect"), 0, 0),
    MaskRow(kFourccMask, Xvid("Supported_4CC"), kFourccMaskBoxes, 0, 0),
    CheckRow(IDC_XVID_FLIP_VIDEO, Xvid("FlipVideo"), 0, 0),
    CheckRow(IDC_XVID_COMPAT_RENDERING, Xvid("Videoinfo_Compat"), 0, 0),
    ComboRow(IDC_XVID_COLOUR_SPACE, Xvid("ForceColorspace"), kColourSpaceMap, 0, 3),
};

// Every control the page manages, all disabled without the decoder. The combo box keeps
// its template place.
inline constexpr PageControl kControls[] = {
    {IDC_XVID_DEBLOCK_Y, ControlType::CheckBox, {IDC_XVID_DEBLOCK_Y_AT}},
    {IDC_XVID_DEBLOCK_UV, ControlType::CheckBox, {IDC_XVID_DEBLOCK_UV_AT}},
    {IDC_XVID_FILM_EFFECT, ControlType::CheckBox, {IDC_XVID_FILM_EFFECT_AT}},
    {IDC_XVID_CODE_DIVX, ControlType::CheckBox, {IDC_XVID_CODE_DIVX_AT}},
    {IDC_XVID_CODE_DX50, ControlType::CheckBox, {IDC_XVID_CODE_DX50_AT}},
    {IDC_XVID_CODE_MP4V, ControlType::CheckBox, {IDC_XVID_CODE_MP4V_AT}},
    {IDC_XVID_FLIP_VIDEO, ControlType::CheckBox, {IDC_XVID_FLIP_VIDEO_AT}},
    {IDC_XVID_COMPAT_RENDERING, ControlType::CheckBox, {IDC_XVID_COMPAT_RENDERING_AT}},
    {.id = IDC_XVID_COLOUR_SPACE, .type = ControlType::DropDownCombo, .besideId = IDC_XVID_COLOUR_SPACE_TITLE},
    {IDC_XVID_COLOUR_SPACE_TITLE, ControlType::Static, {IDC_XVID_COLOUR_SPACE_TITLE_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kXvidBanner, 0, 0},
    {skin::kXvidPostProcessingTitle, 10, 30},
    {skin::kXvidOutputTitle, 10, 240},
    {skin::kXvidFourccTitle, 200, 30},
};

inline constexpr PageDescription kPage{
    .templateId = IDD_VIDEO_XVID, .decoder = Decoder::Xvid, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps};

}  // namespace zelora::video_xvid
