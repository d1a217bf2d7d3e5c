#pragma once
// The ffdshow video page (template 241): 25 check boxes, each one DWORD under HKCU. The
// tray-icon box edits the ffdshow audio decoder's value, the same one the audio page shows.

#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "resources/pages/VideoFFDShowRes.h"

namespace zelora::video_ffdshow {

// Key names are matched without regard to case, so the first two lie in one tree.
inline constexpr std::string_view kCodecsKey = "SOFTWARE\\GNU\\ffdshow";
inline constexpr std::string_view kVideoKey = "Software\\GNU\\ffdshow\\default";
inline constexpr std::string_view kAudioKey = "Software\\GNU\\ffdshow_audio\\default";

constexpr RegValue Codec(std::string_view name)
{
    return {RegRoot::CurrentUser, kCodecsKey, name};
}
constexpr RegValue Video(std::string_view name)
{
    return {RegRoot::CurrentUser, kVideoKey, name};
}
constexpr RegValue Audio(std::string_view name)
{
    return {RegRoot::CurrentUser, kAudioKey, name};
}

// In the order of Load and SaveAll; the stored number is the check state, and a reset
// stores the same default that a missing value gets.
inline constexpr ValueRow kValues[] = {
    CheckRow(IDC_VFF_XVID, Codec("xvid"), 1, 1),
    CheckRow(IDC_VFF_DIV3, Codec("div3"), 1, 1),
    CheckRow(IDC_VFF_DIVX, Codec("divx"), 1, 1),
    CheckRow(IDC_VFF_DX50, Codec("dx50"), 1, 1),
    CheckRow(IDC_VFF_MP43, Codec("mp43"), 1, 1),
    CheckRow(IDC_VFF_MP42, Codec("mp42"), 1, 1),
    CheckRow(IDC_VFF_MP41, Codec("mp41"), 1, 1),
    CheckRow(IDC_VFF_WMV1, Codec("wmv1"), 0, 0),
    CheckRow(IDC_VFF_WMV2, Codec("wmv2"), 0, 0),
    CheckRow(IDC_VFF_MPG1, Codec("mpg1"), 1, 1),
    CheckRow(IDC_VFF_MPG2, Codec("mpg2"), 1, 1),
    CheckRow(IDC_VFF_H264, Codec("h264"), 1, 1),
    CheckRow(IDC_VFF_OUTI420, Video("outI420"), 0, 0),
    CheckRow(IDC_VFF_OUTYV12, Video("outYV12"), 0, 0),
    CheckRow(IDC_VFF_OUTYUY2, Video("outYUY2"), 1, 1),
    CheckRow(IDC_VFF_OUTYVYU, Video("outYVYU"), 1, 1),
    CheckRow(IDC_VFF_OUTUYVY, Video("outUYVY"), 1, 1),
    CheckRow(IDC_VFF_OUTRGB32, Video("outRGB32"), 1, 1),
    CheckRow(IDC_VFF_OUTRGB24, Video("outRGB24"), 1, 1),
    CheckRow(IDC_VFF_OUTRGB565, Video("outRGB565"), 1, 1),
    CheckRow(IDC_VFF_OUTRGB555, Video("outRGB555"), 1, 1),
    CheckRow(IDC_VFF_TRAYICON, Audio("trayIcon"), 0, 0),
    CheckRow(IDC_VFF_ISPOSTPROC, Video("isPostproc"), 0, 0),
    CheckRow(IDC_VFF_ISBLUR, Video("isBlur"), 0, 0),
    CheckRow(IDC_VFF_ISNOISE, Video("isNoise"), 0, 0),
};

// Three columns: input formats, output formats, tray icon and picture filters. All 25 are
// disabled without the decoder.
inline constexpr PageControl kControls[] = {
    {IDC_VFF_XVID, ControlType::CheckBox, {IDC_VFF_XVID_AT}},
    {IDC_VFF_DIV3, ControlType::CheckBox, {IDC_VFF_DIV3_AT}},
    {IDC_VFF_DIVX, ControlType::CheckBox, {IDC_VFF_DIVX_AT}},
    {IDC_VFF_DX50, ControlType::CheckBox, {IDC_VFF_DX50_AT}},
    {IDC_VFF_MP43, ControlType::CheckBox, {IDC_VFF_MP43_AT}},
    {IDC_VFF_MP42, ControlType::CheckBox, {IDC_VFF_MP42_AT}},
    {IDC_VFF_MP41, ControlType::CheckBox, {IDC_VFF_MP41_AT}},
    {IDC_VFF_WMV1, ControlType::CheckBox, {IDC_VFF_WMV1_AT}},
    {IDC_VFF_WMV2, ControlType::CheckBox, {IDC_VFF_WMV2_AT}},
    {IDC_VFF_MPG1, ControlType::CheckBox, {IDC_VFF_MPG1_AT}},
    {IDC_VFF_MPG2, ControlType::CheckBox, {IDC_VFF_MPG2_AT}},
    {IDC_VFF_H264, ControlType::CheckBox, {IDC_VFF_H264_AT}},
    {IDC_VFF_OUTI420, ControlType::CheckBox, {IDC_VFF_OUTI420_AT}},
    {IDC_VFF_OUTYV12, ControlType::CheckBox, {IDC_VFF_OUTYV12_AT}},
    {IDC_VFF_OUTYUY2, ControlType::CheckBox, {IDC_VFF_OUTYUY2_AT}},
    {IDC_VFF_OUTYVYU, ControlType::CheckBox, {IDC_VFF_OUTYVYU_AT}},
    {IDC_VFF_OUTUYVY, ControlType::CheckBox, {IDC_VFF_OUTUYVY_AT}},
    {IDC_VFF_OUTRGB32, ControlType::CheckBox, {IDC_VFF_OUTRGB32_AT}},
    {IDC_VFF_OUTRGB24, ControlType::CheckBox, {IDC_VFF_OUTRGB24_AT}},
    {IDC_VFF_OUTRGB565, ControlType::CheckBox, {IDC_VFF_OUTRGB565_AT}},
    {IDC_VFF_OUTRGB555, ControlType::CheckBox, {IDC_VFF_OUTRGB555_AT}},
    {IDC_VFF_TRAYICON, ControlType::CheckBox, {IDC_VFF_TRAYICON_AT}},
    {IDC_VFF_ISPOSTPROC, ControlType::CheckBox, {IDC_VFF_ISPOSTPROC_AT}},
    {IDC_VFF_ISBLUR, ControlType::CheckBox, {IDC_VFF_ISBLUR_AT}},
    {IDC_VFF_ISNOISE, ControlType::CheckBox, {IDC_VFF_ISNOISE_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kVideoFFDShowBanner, 0, 0},
    {skin::kVideoFFDShowInputTitle, 10, 30},
    {skin::kVideoFFDShowOutputTitle, 110, 30},
    {skin::kVideoFFDShowExtrasTitle, 210, 30},
};

inline constexpr PageDescription kPage{
    .templateId = IDD_VIDEO_FFDSHOW, .decoder = Decoder::FFDShow, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps};

}  // namespace zelora::video_ffdshow
