#pragma once
// The ffdshow video page (template 241): 25 check boxes, each one DWORD under HKCU. The
// tray-icon box edits the ffdshow audio decoder's value, the same one the audio page shows.

#include "pages/PageFrame.h"
#include "pages/ValueRow.h"

namespace zelora::video_ffdshow {

inline constexpr int kDialogId = 241;

inline constexpr int kFirstBox = 1003;
inline constexpr int kTrayIcon = 1024;
inline constexpr int kLastBox = 1027;

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
    CheckRow(1003, Codec("xvid"), 1, 1),
    CheckRow(1004, Codec("div3"), 1, 1),
    CheckRow(1005, Codec("divx"), 1, 1),
    CheckRow(1006, Codec("dx50"), 1, 1),
    CheckRow(1007, Codec("mp43"), 1, 1),
    CheckRow(1008, Codec("mp42"), 1, 1),
    CheckRow(1009, Codec("mp41"), 1, 1),
    CheckRow(1010, Codec("wmv1"), 0, 0),
    CheckRow(1011, Codec("wmv2"), 0, 0),
    CheckRow(1012, Codec("mpg1"), 1, 1),
    CheckRow(1013, Codec("mpg2"), 1, 1),
    CheckRow(1014, Codec("h264"), 1, 1),
    CheckRow(1015, Video("outI420"), 0, 0),
    CheckRow(1016, Video("outYV12"), 0, 0),
    CheckRow(1017, Video("outYUY2"), 1, 1),
    CheckRow(1018, Video("outYVYU"), 1, 1),
    CheckRow(1019, Video("outUYVY"), 1, 1),
    CheckRow(1020, Video("outRGB32"), 1, 1),
    CheckRow(1021, Video("outRGB24"), 1, 1),
    CheckRow(1022, Video("outRGB565"), 1, 1),
    CheckRow(1023, Video("outRGB555"), 1, 1),
    CheckRow(kTrayIcon, Audio("trayIcon"), 0, 0),
    CheckRow(1025, Video("isPostproc"), 0, 0),
    CheckRow(1026, Video("isBlur"), 0, 0),
    CheckRow(1027, Video("isNoise"), 0, 0),
};

// Three columns: input formats, output formats, tray icon and picture filters. All 25 are
// disabled without the decoder.
inline constexpr PageControl kControls[] = {
    {1003, ControlType::CheckBox, "Xvid", {20, 60, 41, 13}},
    {1004, ControlType::CheckBox, "Divx3", {20, 90, 48, 13}},
    {1005, ControlType::CheckBox, "Divx4", {20, 120, 48, 13}},
    {1006, ControlType::CheckBox, "Divx5", {20, 150, 48, 13}},
    {1007, ControlType::CheckBox, "MP43", {20, 180, 48, 13}},
    {1008, ControlType::CheckBox, "MP42", {20, 210, 48, 13}},
    {1009, ControlType::CheckBox, "MP41", {20, 240, 48, 13}},
    {1010, ControlType::CheckBox, "WMV1/7", {20, 270, 65, 13}},
    {1011, ControlType::CheckBox, "WMV2/8", {20, 300, 65, 13}},
    {1012, ControlType::CheckBox, "MPEG1", {20, 330, 59, 13}},
    {1013, ControlType::CheckBox, "MPEG2", {20, 360, 59, 13}},
    {1014, ControlType::CheckBox, "X/h.264", {20, 390, 60, 13}},
    {1015, ControlType::CheckBox, "I420", {120, 60, 39, 13}},
    {1016, ControlType::CheckBox, "YV12", {120, 90, 49, 13}},
    {1017, ControlType::CheckBox, "YUY2", {120, 120, 49, 13}},
    {1018, ControlType::CheckBox, "YVYU", {120, 150, 49, 13}},
    {1019, ControlType::CheckBox, "UYVY", {120, 180, 49, 13}},
    {1020, ControlType::CheckBox, "RGB32", {120, 210, 54, 13}},
    {1021, ControlType::CheckBox, "RGB24", {120, 240, 54, 13}},
    {1022, ControlType::CheckBox, "RGB16", {120, 270, 54, 13}},
    {1023, ControlType::CheckBox, "RGB15", {120, 300, 54, 13}},
    {kTrayIcon, ControlType::CheckBox, "실행시 트레이 아이콘 보이기", {220, 60, 172, 13}},
    {1025, ControlType::CheckBox, "화질, 색상 강화 재생", {220, 90, 128, 13}},
    {1026, ControlType::CheckBox, "블록현상 제거 재생", {220, 120, 121, 13}},
    {1027, ControlType::CheckBox, "DIVX 노이즈 제거 재생", {220, 150, 137, 13}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {174, {0, 0, 408, 13}},
    {173, {10, 30, 88, 18}},
    {171, {110, 30, 88, 18}},
    {172, {210, 30, 88, 18}},
};

}  // namespace zelora::video_ffdshow
