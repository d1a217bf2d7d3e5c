#pragma once
// A value table with a row of every kind, for the tests of the page machinery; the choices,
// masks and ranges mirror those of the decoder pages.

#include "pages/RowKinds.h"

#include <string_view>

namespace zelora::pagetest {

inline constexpr std::string_view kKey = "Software\\Test\\Page";
constexpr RegValue At(std::string_view name) { return {RegRoot::CurrentUser, kKey, name}; }

inline constexpr ChoiceItem kAspectItems[] = {
    {"1 : 1", 1, 1}, {"4 : 3", 4, 3}, {"16 : 9", 16, 9}, {"source", 0, 0}};
inline constexpr ChoiceMap kAspect{kAspectItems, kLikeOther, kKeepSelection};

inline constexpr ChoiceItem kModeItems[] = {{"a", 0}, {"b", 1},   {"c", 2},  {"d", 3},
                                     {"e", 4}, {"f", 129}, {"g", 130}};
inline constexpr ChoiceMap kModes{kModeItems, 1, kSavedAsIndex};

inline constexpr ChoiceItem kLayoutItems[] = {{"mono", 0}, {"stereo", 1}, {"quad", 2}};
inline constexpr ChoiceMap kLayouts{kLayoutItems, kLikeOther, 1};

// PCM is written as 30 but recognised only as 1020 when read.
inline constexpr MaskBox kFormatBoxes[] = {{.id = 20, .part = 30, .readPart = 1020},
                                    {.id = 21, .part = 4096},
                                    {.id = 22, .part = 8192},
                                    {.id = 23, .part = 16384},
                                    {.id = 24, .part = 1024}};
inline constexpr MaskBoxes kFormats{kFormatBoxes, UnknownMask::KeepBoxes};

inline constexpr NumberKey kFormatsKey{1};
inline constexpr NumberKey kLevelKey{10};  // the same number as the check box's id, on purpose

inline constexpr ValueRow kRows[] = {
    CheckRow(10, At("check"), 1, 0),
    FlagCheckRow(11, At("mp3"), 6, 0, 6),
    FlagCheckRow(12, At("wma"), 1, 0, 1),
    MaskRow(kFormatsKey, At("formats"), kFormats, 13312, 13312),
    ComboRow(13, At("mode"), kModes, 1, 1),
    RadioRow(30, At("AspectX"), kAspect, 1, 0, "AspectY"),
    NumberTextRow(40, At("width"), {0, 2048, 41}, 10, 0),
    NumberTextRow(42, At("delay"), {-10000, 10000, 43}, 0, 0),
    NumberRow(kLevelKey, At("level"), {-128, 127}, 7, 0),
};

}  // namespace zelora::pagetest
