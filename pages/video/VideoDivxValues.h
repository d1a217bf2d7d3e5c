#pragma once
// The DivX decoder page (template 233): DWORDs under HKCU "SOFTWARE\DivXNetworks\DivX4Windows";
// six of them are levels set with page-painted sliders.

#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "pages/SliderDrag.h"
#include "resources/pages/VideoDivxRes.h"

namespace zelora::video_divx {

inline constexpr std::string_view kKey = "SOFTWARE\\DivXNetworks\\DivX4Windows";

constexpr RegValue Divx(std::string_view name) { return {RegRoot::CurrentUser, kKey, name}; }

// The keys under which the page keeps its six levels, in slider-table level order.
inline constexpr NumberKey kDeblock{1};
inline constexpr NumberKey kDering{2};
inline constexpr NumberKey kWarmth{3};
inline constexpr NumberKey kBrightness{4};
inline constexpr NumberKey kSaturation{5};
inline constexpr NumberKey kContrast{6};
inline constexpr NumberKey kLevelKeys[] = {kDeblock, kDering, kWarmth, kBrightness, kSaturation, kContrast};

// "AspectRatio_X" alone selects the button; a number that names none leaves the selection
// as it was (none on a first show).
inline constexpr ChoiceItem kAspectItems[] = {{"", 1, 1}, {"", 4, 3}, {"", 16, 9}, {"", 0, 0}};
inline constexpr ChoiceMap kAspectMap{kAspectItems, kLikeOther, kKeepSelection};

// In the order of Load.
inline constexpr ValueRow kValues[] = {
    CheckRow(IDC_DIVX_DISABLE_PP, Divx("Disable PP"), 0, 0),
    CheckRow(IDC_DIVX_WARMTH, Divx("Warmth Filter"), 0, 0),
    CheckRow(IDC_DIVX_SMOOTH, Divx("Smooth Playback"), 0, 0),
    CheckRow(IDC_DIVX_DOUBLE_BUFFER, Divx("Double Buffering"), 0, 0),
    CheckRow(IDC_DIVX_NO_LOGO, Divx("Disable Logo"), 0, 1),
    CheckRow(IDC_DIVX_OVERLAY, Divx("Extended Overlay Mode"), 0, 1),
    CheckRow(IDC_DIVX_YUV, Divx("Extended Yuv Mode"), 0, 0),
    CheckRow(IDC_DIVX_MPEG4, Divx("Support Generic Mpeg-4"), 0, 1),
    NumberRow(kDeblock, Divx("Deblock PP Level"), LevelRange(kDivxDeblockScale), 0, 0),
    NumberRow(kDering, Divx("Dering PP Level"), LevelRange(kDivxDeringScale), 0, 0),
    NumberRow(kWarmth, Divx("Warmth Strength"), LevelRange(kDivxWarmthScale), 0, 0),
    NumberRow(kBrightness, Divx("Brightness"), LevelRange(kDivxPictureScale), 0, 0),
    NumberRow(kContrast, Divx("Contrast"), LevelRange(kDivxPictureScale), 0, 0),
    NumberRow(kSaturation, Divx("Saturation"), LevelRange(kDivxPictureScale), 0, 0),
    RadioRow(IDC_DIVX_ASPECT_1_1, Divx("AspectRatio_X"), kAspectMap, 1, 0, "AspectRatio_Y"),
};

inline constexpr int kAspectButtons[] = {IDC_DIVX_ASPECT_1_1, IDC_DIVX_ASPECT_4_3,
                                         IDC_DIVX_ASPECT_16_9, IDC_DIVX_ASPECT_SOURCE};
// The aspect buttons follow the overlay box when the page loads or is reset, and at once
// when the box is clicked (otherwise the click would show only on the next visit).
inline constexpr EnableRule kEnables[] = {
    EnableWhileTicked(IDC_DIVX_OVERLAY, kAspectButtons, kOnClick | kOnLoad | kOnReset),
};

inline constexpr SliderStrip kLargeStrip = StripOf(skin::kLargeStripLive, skin::kLargeStripGreyed);
inline constexpr SliderStrip kSmallStrip = StripOf(skin::kSmallStripLive, skin::kSmallStripGreyed);

constexpr SliderRow Slider(Rect rect, const SliderStrip& strip, const LevelScale& scale,
                            SliderGate gate, LevelIndex level, int label)
{
    return {{rect, SliderAxis::Horizontal, &strip}, &scale, gate, level, 0, label};
}
inline constexpr SliderGate kWhilePostProcessing{SliderGate::Kind::Unticked, IDC_DIVX_DISABLE_PP};
inline constexpr SliderGate kWhileWarmth{SliderGate::Kind::Ticked, IDC_DIVX_WARMTH};
inline constexpr SliderGate kWhileNotYuv{SliderGate::Kind::Unticked, IDC_DIVX_YUV};

// Hit-test order; level = index into kLevelKeys.
inline constexpr SliderRow kSliders[] = {
    Slider({119, 90, 363, 110}, kLargeStrip, kDivxDeblockScale, kWhilePostProcessing, LevelIndex{0},
           IDC_DIVX_DEBLOCK_TITLE),
    Slider({119, 130, 363, 150}, kLargeStrip, kDivxDeringScale, kWhilePostProcessing, LevelIndex{1},
           IDC_DIVX_DERING_TITLE),
    Slider({119, 170, 363, 190}, kLargeStrip, kDivxWarmthScale, kWhileWarmth, LevelIndex{2}, IDC_DIVX_WARMTH_TITLE),
    Slider({119, 350, 227, 370}, kSmallStrip, kDivxPictureScale, kWhileNotYuv, LevelIndex{3},
           IDC_DIVX_BRIGHTNESS_TITLE),
    Slider({119, 420, 227, 440}, kSmallStrip, kDivxPictureScale, kWhileNotYuv, LevelIndex{4},
           IDC_DIVX_SATURATION_TITLE),
    Slider({119, 385, 227, 405}, kSmallStrip, kDivxPictureScale, kWhileNotYuv, LevelIndex{5},
           IDC_DIVX_CONTRAST_TITLE),
};

inline constexpr PageControl kControls[] = {
    {IDC_DIVX_DISABLE_PP, ControlType::CheckBox, {IDC_DIVX_DISABLE_PP_AT}},
    {IDC_DIVX_WARMTH, ControlType::CheckBox, {IDC_DIVX_WARMTH_AT}},
    {IDC_DIVX_DEBLOCK_TITLE, ControlType::Static, {IDC_DIVX_DEBLOCK_TITLE_AT}},
    {IDC_DIVX_DERING_TITLE, ControlType::Static, {IDC_DIVX_DERING_TITLE_AT}},
    {IDC_DIVX_WARMTH_TITLE, ControlType::Static, {IDC_DIVX_WARMTH_TITLE_AT}},
    {IDC_DIVX_SMOOTH, ControlType::CheckBox, {IDC_DIVX_SMOOTH_AT}},
    {IDC_DIVX_DOUBLE_BUFFER, ControlType::CheckBox, {IDC_DIVX_DOUBLE_BUFFER_AT}},
    {IDC_DIVX_NO_LOGO, ControlType::CheckBox, {IDC_DIVX_NO_LOGO_AT}},
    {IDC_DIVX_OVERLAY, ControlType::CheckBox, {IDC_DIVX_OVERLAY_AT}},
    {IDC_DIVX_YUV, ControlType::CheckBox, {IDC_DIVX_YUV_AT}},
    {IDC_DIVX_MPEG4, ControlType::CheckBox, {IDC_DIVX_MPEG4_AT}},
    {IDC_DIVX_BRIGHTNESS_TITLE, ControlType::Static, {IDC_DIVX_BRIGHTNESS_TITLE_AT}},
    {IDC_DIVX_CONTRAST_TITLE, ControlType::Static, {IDC_DIVX_CONTRAST_TITLE_AT}},
    {IDC_DIVX_SATURATION_TITLE, ControlType::Static, {IDC_DIVX_SATURATION_TITLE_AT}},
    {IDC_DIVX_ASPECT_1_1, ControlType::RadioButton, {IDC_DIVX_ASPECT_1_1_AT}},
    {IDC_DIVX_ASPECT_4_3, ControlType::RadioButton, {IDC_DIVX_ASPECT_4_3_AT}},
    {IDC_DIVX_ASPECT_16_9, ControlType::RadioButton, {IDC_DIVX_ASPECT_16_9_AT}},
    {IDC_DIVX_ASPECT_SOURCE, ControlType::RadioButton, {IDC_DIVX_ASPECT_SOURCE_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kDivxBanner, 0, 0},           {skin::kDivxPostProcessingTitle, 10, 30},
    {skin::kDivxPlaybackTitle, 10, 225}, {skin::kDivxLevelsTitle, 10, 315},
    {skin::kDivxAspectTitle, 255, 315},  {skin::kDivxLargeScales, 124, 110},
    {skin::kDivxSmallScales, 124, 375},
};

inline constexpr PageDescription kPage{
    .templateId = IDD_VIDEO_DIVX, .decoder = Decoder::Divx5, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps, .enables = kEnables, .sliders = kSliders, .levelKeys = kLevelKeys};

}  // namespace zelora::video_divx
