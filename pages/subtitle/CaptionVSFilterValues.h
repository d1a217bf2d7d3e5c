#pragma once
// The VSFilter page (template 237): DWORDs under HKCU in three keys of
// "Software\Gorvash\VSFilter".

#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "resources/pages/CaptionVSFilterRes.h"

namespace zelora::caption_vsfilter {

inline constexpr std::string_view kGeneralKey = "Software\\Gorvash\\VSFilter\\General";
inline constexpr std::string_view kTimingKey = "Software\\Gorvash\\VSFilter\\Timing";
inline constexpr std::string_view kTextKey = "Software\\Gorvash\\VSFilter\\Text";

constexpr RegValue General(std::string_view name)
{
    return {RegRoot::CurrentUser, kGeneralKey, name};
}

// The two crops are stored as 129 and 130; -1 shows the 16:9 bars, and any other number
// that is an index selects that entry.
inline constexpr ChoiceItem kExtpicItems[] = {
    {"원본 동영상의 세로 길이로 표시 (자막:화면에 겹침)", 0},
    {"가로 세로 비율 16:9 가 되도록 검은 여백 추가 (자막:반정도 겹침)", 1},
    {"가로 세로 비율 4:3 이 되도록 검은 여백 추가 (자막:화면 아래로)", 2},
    {"동영상의 세로 길이를 480 주사선으로 고정", 3},
    {"동영상의 세로 길이를 576 주사선으로 고정", 4},
    {"가로 세로 비율이 16:9 가 되도록 화면 자르기", 129},
    {"가로 세로 비율이 4:3 이 되도록 화면 자르기", 130},
};
inline constexpr ChoiceMap kExtpicMap{kExtpicItems, 1, kSavedAsIndex};

inline constexpr ListIndex kDoubleWhenSmaller{2};
inline constexpr ChoiceItem kResX2Items[] = {
    {"원본 해상도로 표시", 0},
    {"항상 가로와 세로 길이를 2배로 늘림", 1},
    {"지정 해상도 보다 작으면 2배로 늘림", Index(kDoubleWhenSmaller)},
};
inline constexpr ChoiceMap kResX2Map{kResX2Items, Index(kDoubleWhenSmaller), kSavedAsIndex};

// In the order of Load. The doubling mode is stored the moment it is chosen, as every
// other control stores its value; otherwise the next show would put the old mode back.
inline constexpr ValueRow kValues[] = {
    ComboRow(IDC_VSF_EXTPIC, General("Extpic"), kExtpicMap, 1, 1),
    CheckRow(IDC_VSF_MOD32, General("Mod32Fix"), 0, 0),
    ComboRow(IDC_VSF_RESX2, General("ResX2Mode"), kResX2Map, 2, 2),
    NumberTextRow(IDC_VSF_MIN_WIDTH, General("ResX2MinWidth"), {0, 2048, IDC_VSF_MIN_WIDTH_SPIN},
                  10, 0),
    NumberTextRow(IDC_VSF_MIN_HEIGHT, General("ResX2MinHeight"),
                  {0, 2048, IDC_VSF_MIN_HEIGHT_SPIN}, 10, 0),
    CheckRow(IDC_VSF_FLIP_PICTURE, General("FlipPicture"), 0, 0),
    CheckRow(IDC_VSF_FLIP_SUBTITLES, General("FlipSubtitles"), 0, 0),
    CheckRow(IDC_VSF_HIDE, General("Hide"), 0, 0),
    CheckRow(IDC_VSF_OSD_STATS, General("ShowOSDStats"), 0, 0),
    NumberTextRow(IDC_VSF_DELAY, {RegRoot::CurrentUser, kTimingKey, "Subtitle Delay"},
                  {-10000, 10000, IDC_VSF_DELAY_SPIN}, 0, 0),
    NumberTextRow(IDC_VSF_XPERC, {RegRoot::CurrentUser, kTextKey, "XPerc"},
                  {-20, 120, IDC_VSF_XPERC_SPIN}, 50, 50),
    NumberTextRow(IDC_VSF_YPERC, {RegRoot::CurrentUser, kTextKey, "YPerc"},
                  {-20, 120, IDC_VSF_YPERC_SPIN}, 90, 90),
};

// The width and height edits matter only to "double when smaller": they follow the mode
// when it is chosen, loaded or reset (a stored 2 enables them again).
inline constexpr int kDoublingControls[] = {IDC_VSF_MIN_WIDTH, IDC_VSF_MIN_WIDTH_SPIN,
                                            IDC_VSF_MIN_HEIGHT, IDC_VSF_MIN_HEIGHT_SPIN};
inline constexpr EnableRule kEnables[] = {
    EnableWhileSelected(IDC_VSF_RESX2, kDoubleWhenSmaller, kDoublingControls,
                        kOnClick | kOnLoad | kOnReset),
};

inline constexpr PageControl kControls[] = {
    {IDC_VSF_EXTPIC_TITLE, ControlType::Static, {IDC_VSF_EXTPIC_TITLE_AT}},
    // Its entries are sentences too long for the room beside the title: the list sits below
    // it, across the page, so each shows whole (the height is that of the dropped list).
    {IDC_VSF_EXTPIC, ControlType::DropDownCombo, {IDC_VSF_EXTPIC_AT}},
    {IDC_VSF_FILL_H_TITLE, ControlType::Static, {IDC_VSF_FILL_H_TITLE_AT}},
    {IDC_VSF_MOD32, ControlType::CheckBox, {IDC_VSF_MOD32_AT}},
    {IDC_VSF_RESX2_TITLE, ControlType::Static, {IDC_VSF_RESX2_TITLE_AT}},
    {.id = IDC_VSF_RESX2, .type = ControlType::DropDownCombo, .besideId = IDC_VSF_RESX2_TITLE},
    {IDC_VSF_MIN_WIDTH, ControlType::NumericEdit, {IDC_VSF_MIN_WIDTH_AT}},
    {IDC_VSF_MIN_WIDTH_SPIN, ControlType::Spin, {IDC_VSF_MIN_WIDTH_SPIN_AT}},
    {IDC_VSF_TIMES, ControlType::Static, {IDC_VSF_TIMES_AT}},
    {IDC_VSF_MIN_HEIGHT, ControlType::NumericEdit, {IDC_VSF_MIN_HEIGHT_AT}},
    {IDC_VSF_MIN_HEIGHT_SPIN, ControlType::Spin, {IDC_VSF_MIN_HEIGHT_SPIN_AT}},
    {IDC_VSF_FLIP_PICTURE, ControlType::CheckBox, {IDC_VSF_FLIP_PICTURE_AT}},
    {IDC_VSF_FLIP_SUBTITLES, ControlType::CheckBox, {IDC_VSF_FLIP_SUBTITLES_AT}},
    {IDC_VSF_HIDE, ControlType::CheckBox, {IDC_VSF_HIDE_AT}},
    {IDC_VSF_OSD_STATS, ControlType::CheckBox, {IDC_VSF_OSD_STATS_AT}},
    {IDC_VSF_DELAY_TITLE, ControlType::Static, {IDC_VSF_DELAY_TITLE_AT}},
    {IDC_VSF_DELAY, ControlType::NumericEdit, {IDC_VSF_DELAY_AT}},
    {IDC_VSF_DELAY_SPIN, ControlType::Spin, {IDC_VSF_DELAY_SPIN_AT}},
    {IDC_VSF_XPERC_TITLE, ControlType::Static, {IDC_VSF_XPERC_TITLE_AT}},
    {IDC_VSF_XPERC, ControlType::NumericEdit, {IDC_VSF_XPERC_AT}},
    {IDC_VSF_XPERC_SPIN, ControlType::Spin, {IDC_VSF_XPERC_SPIN_AT}},
    {IDC_VSF_YPERC_TITLE, ControlType::Static, {IDC_VSF_YPERC_TITLE_AT}},
    {IDC_VSF_YPERC, ControlType::NumericEdit, {IDC_VSF_YPERC_AT}},
    {IDC_VSF_YPERC_SPIN, ControlType::Spin, {IDC_VSF_YPERC_SPIN_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kVSFilterBanner, 0, 0},
    {skin::kCaptionScreenTitle, 10, 30},
    {skin::kCaptionTimingTitle, 10, 280},
};

inline constexpr PageDescription kPage{
    .templateId = IDD_CAPTION_VSFILTER, .decoder = Decoder::VSFilter, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps, .enables = kEnables, .resetNeedsDecoder = true};

}  // namespace zelora::caption_vsfilter
