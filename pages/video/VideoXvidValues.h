#pragma once
// The Xvid page (template 234): its controls and the decoder's values under
// HKCU "Software\GNU\XviD".

#include "pages/PageFrame.h"
#include "pages/ValueRow.h"

namespace zelora::video_xvid {

inline constexpr int kDialogId = 234;

inline constexpr int kDeblockY = 1027;
inline constexpr int kDeblockUV = 1028;
inline constexpr int kFilmEffect = 1029;
inline constexpr int kCodeDivx = 1030;
inline constexpr int kCodeDx50 = 1031;
inline constexpr int kCodeMp4v = 1032;
inline constexpr int kFlipVideo = 1033;
inline constexpr int kCompatRendering = 1034;
inline constexpr int kColourSpace = 1035;
inline constexpr int kColourSpaceTitle = 1036;

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
inline constexpr MaskSpec kFourccMaskSpec{kFourccBoxes, UnknownMask::Clear};

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
    MaskRow(kFourccMask, Xvid("Supported_4CC"), kFourccMaskSpec, 0, 0),
    CheckRow(kFlipVideo, Xvid("FlipVideo"), 0, 0),
    CheckRow(kCompatRendering, Xvid("Videoinfo_Compat"), 0, 0),
    ComboRow(kColourSpace, Xvid("ForceColorspace"), kColourSpaceMap, 0, 3),
};

// Every control the page manages, all disabled without the decoder. The combo box keeps
// its template place.
inline constexpr PageControl kControls[] = {
    {kDeblockY, ControlType::CheckBox, "블록 현상 제거(Y)", {10, 70, 115, 13}},
    {kDeblockUV, ControlType::CheckBox, "블록 현상 제거(UV)", {10, 100, 125, 13}},
    {kFilmEffect, ControlType::CheckBox, "필름 효과 사용", {10, 130, 100, 13}},
    {kCodeDivx, ControlType::CheckBox, "DIVX", {210, 70, 50, 13}},
    {kCodeDx50, ControlType::CheckBox, "DX50", {210, 100, 50, 13}},
    {kCodeMp4v, ControlType::CheckBox, "mp4v", {210, 130, 50, 13}},
    {kFlipVideo, ControlType::CheckBox, "화면 상하 반전", {10, 275, 98, 13}},
    {kCompatRendering, ControlType::CheckBox, "호환되는 랜더링 소프트웨어", {180, 275, 180, 13}},
    {kColourSpace, ControlType::DropDownCombo, "", {}},
    {kColourSpaceTitle, ControlType::Static, "출력 색상 :", {15, 305, 65, 13}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {178, {0, 0, 408, 13}},
    {177, {10, 30, 112, 18}},
    {176, {10, 240, 106, 18}},
    {175, {200, 30, 111, 18}},
};

}  // namespace zelora::video_xvid
