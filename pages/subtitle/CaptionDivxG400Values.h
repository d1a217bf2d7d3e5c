#pragma once
// The DivX G400 page (template 238): nineteen DWORDs under HKEY_LOCAL_MACHINE
// "SOFTWARE\KVX\DivXG400", the only decoder page whose values are machine-wide (a standard
// user's writes are refused, and the page then shows what is stored).

#include "pages/PageDescription.h"
#include "pages/PageFrame.h"
#include "pages/RowKinds.h"
#include "resources/pages/CaptionDivxG400Res.h"

namespace zelora::caption_divxg400 {

inline constexpr std::string_view kKey = "SOFTWARE\\KVX\\DivXG400";

constexpr RegValue G400(std::string_view name) { return {RegRoot::LocalMachine, kKey, name}; }

// Index = stored number; -1 shows the first entry, other numbers none.
inline constexpr ChoiceItem kFlipItems[] = {
    {"아무것도 뒤집지 않음", 0},
    {"영상을 뒤집음", 1},
    {"영상과 자막을 뒤집음", 2},
    {"자막만 뒤집음", 3},
};
inline constexpr ChoiceMap kFlipMap{kFlipItems, 0, kNoSelection};
inline constexpr ChoiceItem kTvItems[] = {{"4 : 3", 0}, {"16 : 9", 1}};
inline constexpr ChoiceMap kTvMap{kTvItems, 0, kNoSelection};

// In the order of Load; a reset stores the same defaults that missing values get.
inline constexpr ValueRow kValues[] = {
    CheckRow(IDC_G400_OVERSCAN_ON, G400("bOverscan"), 0, 0),
    NumberTextRow(IDC_G400_OVERSCAN, G400("Overscan"), {0, 100}, 8, 8),
    CheckRow(IDC_G400_FILL_ON, G400("bFill"), 0, 0),
    NumberTextRow(IDC_G400_FILL, G400("Fill"), {0, 100}, 75, 75),
    CheckRow(IDC_G400_FILLH_ON, G400("bFillH"), 0, 0),
    NumberTextRow(IDC_G400_FILLH, G400("FillH"), {0, 100}, 100, 100),
    CheckRow(IDC_G400_FILL2, G400("bFill2"), 1, 1),
    CheckRow(IDC_G400_DOUBLE_ON, G400("bDouble"), 0, 0),
    NumberTextRow(IDC_G400_DOUBLE, G400("Double"), {0, 2048}, 352, 352),
    CheckRow(IDC_G400_YSHIFT, G400("YShift"), 0, 0),
    CheckRow(IDC_G400_ECONOMIC, G400("Economic"), 0, 0),
    ComboRow(IDC_G400_FLIP, G400("Flip"), kFlipMap, 0, 0),
    ComboRow(IDC_G400_TV, G400("TV"), kTvMap, 0, 0),
    CheckRow(IDC_G400_TRANSPARENT, G400("SubTransparent"), 1, 1),
    NumberTextRow(IDC_G400_DELAY, G400("SubDelay"), {-10000, 10000, IDC_G400_DELAY_SPIN}, 0, 0),
    NumberTextRow(IDC_G400_XPOS, G400("SubXPos"), {0, 100, IDC_G400_XPOS_SPIN}, 50, 50),
    NumberTextRow(IDC_G400_SPEED, G400("SubSpeed"), {-10000, 10000, IDC_G400_SPEED_SPIN}, 1000,
                  1000),
    NumberTextRow(IDC_G400_YPOS, G400("SubYPos"), {0, 100, IDC_G400_YPOS_SPIN}, 8, 8),
    NumberTextRow(IDC_G400_MARGIN, G400("SubDeadZone"), {0, 100, IDC_G400_MARGIN_SPIN}, 1, 1),
};

// A click on a picture option's box enables its edit exactly while ticked; loading and
// resetting leave the edits as they are.
inline constexpr int kOverscanEdit[] = {IDC_G400_OVERSCAN};
inline constexpr int kFillEdit[] = {IDC_G400_FILL};
inline constexpr int kFillHEdit[] = {IDC_G400_FILLH};
inline constexpr int kDoubleEdit[] = {IDC_G400_DOUBLE};
inline constexpr EnableRule kEnables[] = {
    EnableWhileTicked(IDC_G400_OVERSCAN_ON, kOverscanEdit, kOnClick),
    EnableWhileTicked(IDC_G400_FILL_ON, kFillEdit, kOnClick),
    EnableWhileTicked(IDC_G400_FILLH_ON, kFillHEdit, kOnClick),
    EnableWhileTicked(IDC_G400_DOUBLE_ON, kDoubleEdit, kOnClick),
};

inline constexpr PageControl kControls[] = {
    {IDC_G400_OVERSCAN_ON, ControlType::CheckBox, {IDC_G400_OVERSCAN_ON_AT}},
    {IDC_G400_OVERSCAN, ControlType::NumericEdit, {IDC_G400_OVERSCAN_AT}},
    {IDC_G400_OVERSCAN_UNIT, ControlType::Static, {IDC_G400_OVERSCAN_UNIT_AT}},
    {IDC_G400_FILL_ON, ControlType::CheckBox, {IDC_G400_FILL_ON_AT}},
    {IDC_G400_FILL, ControlType::NumericEdit, {IDC_G400_FILL_AT}},
    {IDC_G400_FILL_UNIT, ControlType::Static, {IDC_G400_FILL_UNIT_AT}},
    {IDC_G400_FILLH_ON, ControlType::CheckBox, {IDC_G400_FILLH_ON_AT}},
    {IDC_G400_FILLH, ControlType::NumericEdit, {IDC_G400_FILLH_AT}},
    {IDC_G400_FILLH_UNIT, ControlType::Static, {IDC_G400_FILLH_UNIT_AT}},
    {IDC_G400_FILL2, ControlType::CheckBox, {IDC_G400_FILL2_AT}},
    {IDC_G400_DOUBLE_ON, ControlType::CheckBox, {IDC_G400_DOUBLE_ON_AT}},
    {IDC_G400_DOUBLE, ControlType::NumericEdit, {IDC_G400_DOUBLE_AT}},
    {IDC_G400_YSHIFT, ControlType::CheckBox, {IDC_G400_YSHIFT_AT}},
    {IDC_G400_ECONOMIC, ControlType::CheckBox, {IDC_G400_ECONOMIC_AT}},
    {IDC_G400_FLIP_TITLE, ControlType::Static, {IDC_G400_FLIP_TITLE_AT}},
    {.id = IDC_G400_FLIP, .type = ControlType::DropDownCombo, .besideId = IDC_G400_FLIP_TITLE},
    {IDC_G400_TV_TITLE, ControlType::Static, {IDC_G400_TV_TITLE_AT}},
    {.id = IDC_G400_TV, .type = ControlType::DropDownCombo, .besideId = IDC_G400_TV_TITLE},
    {IDC_G400_DELAY_TITLE, ControlType::Static, {IDC_G400_DELAY_TITLE_AT}},
    {IDC_G400_DELAY, ControlType::NumericEdit, {IDC_G400_DELAY_AT}},
    {IDC_G400_DELAY_SPIN, ControlType::Spin, {IDC_G400_DELAY_SPIN_AT}},
    {IDC_G400_XPOS_TITLE, ControlType::Static, {IDC_G400_XPOS_TITLE_AT}},
    {IDC_G400_XPOS, ControlType::NumericEdit, {IDC_G400_XPOS_AT}},
    {IDC_G400_XPOS_SPIN, ControlType::Spin, {IDC_G400_XPOS_SPIN_AT}},
    {IDC_G400_SPEED_TITLE, ControlType::Static, {IDC_G400_SPEED_TITLE_AT}},
    {IDC_G400_SPEED, ControlType::NumericEdit, {IDC_G400_SPEED_AT}},
    {IDC_G400_SPEED_SPIN, ControlType::Spin, {IDC_G400_SPEED_SPIN_AT}},
    {IDC_G400_YPOS_TITLE, ControlType::Static, {IDC_G400_YPOS_TITLE_AT}},
    {IDC_G400_YPOS, ControlType::NumericEdit, {IDC_G400_YPOS_AT}},
    {IDC_G400_YPOS_SPIN, ControlType::Spin, {IDC_G400_YPOS_SPIN_AT}},
    {IDC_G400_TRANSPARENT, ControlType::CheckBox, {IDC_G400_TRANSPARENT_AT}},
    {IDC_G400_MARGIN_TITLE, ControlType::Static, {IDC_G400_MARGIN_TITLE_AT}},
    {IDC_G400_MARGIN, ControlType::NumericEdit, {IDC_G400_MARGIN_AT}},
    {IDC_G400_MARGIN_SPIN, ControlType::Spin, {IDC_G400_MARGIN_SPIN_AT}},
};

inline constexpr SkinBitmap kBitmaps[] = {
    {skin::kDivxG400Banner, 0, 0},
    {skin::kCaptionScreenTitle, 10, 30},
    {skin::kCaptionTimingTitle, 10, 300},
};

inline constexpr PageDescription kPage{
    .templateId = IDD_CAPTION_DIVXG400, .decoder = Decoder::DivxG400, .values = kValues, .controls = kControls,
    .bitmaps = kBitmaps, .enables = kEnables};

}  // namespace zelora::caption_divxg400
