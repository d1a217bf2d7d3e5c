#pragma once
// The Xvid page (template 234): its controls and the decoder's values under
// HKCU "Software\GNU\XviD".

#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "resources/pages/VideoXvidRes.h"

namespace zelora::video_xvid {

inline constexpr int kDeblockY = IDC_XVID_DEBLOCK_Y;
inline constexpr int kDeblockUV = IDC_XVID_DEBLOCK_UV;
inline constexpr int kFilmEffect = IDC_XVID_FILM_EFFECT;
inline constexpr int kCodeDivx = IDC_XVID_CODE_DIVX;
inline constexpr int kCodeDx50 = IDC_XVID_CODE_DX50;
inline constexpr int kCodeMp4v = IDC_XVID_CODE_MP4V;
inline constexpr int kFlipVideo = IDC_XVID_FLIP_VIDEO;
inline constexpr int kCompatRendering = IDC_XVID_COMPAT_RENDERING;
inline constexpr int kColourSpace = IDC_XVID_COLOUR_SPACE;
inline constexpr int kColourSpaceTitle = IDC_XVID_COLOUR_SPACE_TITLE;

// Key of `fourccMask`, the page's copy of "Supported_4CC", among the page's numbers.
inline constexpr int kFourccMask = 1;

inline constexpr std::string_view kKey = "Software\\GNU\\XviD";

constexpr RegValue Xvid(std::string_view name) { return {RegRoot::CurrentUser, kKey, name}; }

// Which four-character codes the decoder claims. Every number from 0 to 7 is a sum of the
// three bits; anything else reads as 0 and stays stored until a box is clicked.
inline constexpr MaskBox kFourccBoxes[] = {
    {.id = kCodeDivx, .part = 2},
    {.id = kCodeDx50, .part = 1},
    {.id = kCodeMp4v, .part = 4},
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
    CheckRow(kDeblockY, Xvid("Deblock_Y"), 0, 0),
    CheckRow(kDeblockUV, Xvid("Deblock_UV"), 0, 0),
    CheckRow(kFilmEffect, Xvid("FilmEffect"), 0, 0),
    MaskRow(kFourccMask, Xvid("Supported_4CC"), kFourccMaskBoxes, 0, 0),
    CheckRow(kFlipVideo, Xvid("FlipVideo"), 0, 0),
    CheckRow(kCompatRendering, Xvid("Videoinfo_Compat"), 0, 0),
    ComboRow(kColourSpace, Xvid("ForceColorspace"), kColourSpaceMap, 0, 3),
};

// Every control the page manages, all disabled without the decoder. The combo box keeps
// its template place.
inline constexpr PageControl kControls[] = {
    {kDeblockY, ControlType::CheckBox, {10, 70, 115, 13}},
    {kDeblockUV, ControlType::CheckBox, {10, 100, 125, 13}},
    {kFilmEffect, ControlType::CheckBox, {10, 130, 100, 13}},
    {kCodeDivx, ControlType::CheckBox, {210, 70, 50, 13}},
    {kCodeDx50, ControlType::CheckBox, {210, 100, 50, 13}},
    {kCodeMp4v, ControlType::CheckBox, {210, 130, 50, 13}},
    {kFlipVideo, ControlType::CheckBox, {10, 275, 98, 13}},
    {kCompatRendering, ControlType::CheckBox, {180, 275, 180, 13}},
    {.id = kColourSpace, .type = ControlType::DropDownCombo, .besideId = kColourSpaceTitle},
    {kColourSpaceTitle, ControlType::Static, {15, 305, 65, 13}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {178, {0, 0, 408, 13}},
    {177, {10, 30, 112, 18}},
    {176, {10, 240, 106, 18}},
    {175, {200, 30, 111, 18}},
};

}  // namespace zelora::video_xvid
