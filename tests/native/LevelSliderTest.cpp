// The page-painted level sliders: conversions with the decoders' truncation, knob geometry,
// the drag logic, and the audio pages' format numbers.
#include "FakePageControls.h"

#include "pages/AudioFormats.h"
#include "pages/LevelConversions.h"
#include "pages/SliderDrag.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace zelora {
namespace {

// Level -> knob position and knob position -> level, with the index of a failing case.
struct PositionCase {
    int (*position)(std::int32_t);
    std::int32_t level;
    int expected;
};
struct LevelCase {
    std::int32_t (*level)(int);
    int position;
    std::int32_t expected;
};

void Expect(std::span<const PositionCase> positions, std::span<const LevelCase> levels)
{
    for (std::size_t i = 0; i < positions.size(); ++i)
        EXPECT_EQ(positions[i].position(positions[i].level), positions[i].expected) << i;
    for (std::size_t i = 0; i < levels.size(); ++i)
        EXPECT_EQ(levels[i].level(levels[i].position), levels[i].expected) << i;
}

TEST(LevelConversions, DivxSlidersTruncateAndSurviveAnyStoredNumber)
{
    const PositionCase positions[] = {
        {DivxDeblockPosition, 7, 108},           {DivxDeblockPosition, 15, 233},
        {DivxDeringPosition, 48, 233},           {DivxWarmthPosition, 4, 233},
        {DivxPicturePosition, 0, 49},            {DivxPicturePosition, -128, 0},
        {DivxPicturePosition, 127, 97},          {DivxDeblockPosition, INT_MIN, INT_MIN},
        {DivxDeblockPosition, INT_MAX, INT_MAX}, {DivxWarmthPosition, 1000000000, INT_MAX},
        {DivxPicturePosition, INT_MIN, -816885887},
    };
    const LevelCase levels[] = {
        {DivxDeblockLevel, 15, 0},    {DivxDeblockLevel, 108, 6},    {DivxDeblockLevel, 233, 15},
        {DivxDeringLevel, 0, 0},      {DivxDeringLevel, 233, 48},    {DivxWarmthLevel, 233, 4},
        {DivxPictureLevel, 10, -101}, {DivxPictureLevel, 0, -128},   {DivxPictureLevel, 97, 127},
        {DivxDeblockLevel, INT_MAX, 138250020}, {DivxPictureLevel, INT_MIN, INT_MIN},
    };
    Expect(positions, levels);

    // A press on a knob drawn for 7 stores 6; the large sliders' knob snaps to the level,
    // the small ones' stays under the pointer.
    EXPECT_EQ(StepTo(kDivxDeblockScale, 108).level, 6);
    EXPECT_EQ(StepTo(kDivxDeblockScale, 108).knob, 93);
    EXPECT_EQ(StepTo(kDivxPictureScale, 10).knob, 10);
}

TEST(LevelConversions, FFDShowLevelsKeepTheirConstants)
{
    const PositionCase positions[] = {
        {FFDShowLevelPosition, 300, 0},     {FFDShowLevelPosition, 100, 34},
        {FFDShowLevelPosition, 0, 51},      {FFDShowHeadphonePosition, 100, 0},
        {FFDShowHeadphonePosition, 0, 51},  {FFDShowLevelPosition, INT_MIN, 365072271},
        {FFDShowLevelPosition, INT_MAX, -365072168},
        {FFDShowHeadphonePosition, INT_MIN, 1095216711},
    };
    const LevelCase levels[] = {
        {FFDShowLevelAt, 0, 300},     {FFDShowLevelAt, 17, 199},     {FFDShowLevelAt, 34, 99},
        {FFDShowLevelAt, 51, 0},      {FFDShowHeadphoneAt, 0, 100},  {FFDShowHeadphoneAt, 51, 0},
        {FFDShowLevelAt, INT_MIN, INT_MAX}, {FFDShowHeadphoneAt, INT_MAX, INT_MIN},
    };
    Expect(positions, levels);

    EXPECT_EQ(StepTo(kFFDShowLevelScale, 17).knob, 17);
    EXPECT_EQ(StepTo(kFFDShowHeadphoneScale, 25).level, 50);
    EXPECT_EQ(StepTo(kFFDShowHeadphoneScale, 25).knob, 25);
}

TEST(LevelConversions, Ac3PositionsAndGainTexts)
{
    const PositionCase positions[] = {{Ac3Position, 20, 0},
                                      {Ac3Position, -20, 80},
                                      {Ac3Position, 0, 40},
                                      {Ac3Position, INT_MIN, INT_MAX},
                                      {Ac3Position, INT_MAX, INT_MIN}};
    const LevelCase levels[] = {{Ac3DecibelsAt, 0, 20},   {Ac3DecibelsAt, 1, 19},
                                {Ac3DecibelsAt, 79, -19}, {Ac3DecibelsAt, 80, -20},
                                {Ac3DecibelsAt, INT_MIN, 1073741844}};
    Expect(positions, levels);

    const std::pair<std::int32_t, const char*> gains[] = {
        {0, "1.000000"},  {20, "10.000000"}, {-20, "0.100000"}, {5, "1.778279"},
        {-5, "0.562341"}, {1, "1.122018"},   {30, "10.000000"}, {INT_MIN, "0.100000"},
    };
    for (const auto& [decibels, text] : gains) EXPECT_EQ(Ac3GainText(decibels), text) << decibels;

    // Every level the page can store comes back as typed.
    for (std::int32_t decibels = -20; decibels <= 20; ++decibels)
        EXPECT_EQ(Ac3DecibelsFromGainText(Ac3GainText(decibels)), decibels);

    const std::pair<const char*, std::int32_t> shown[] = {
        {"1.778279", 5}, {"  +2.5x", 8}, {"1000", 60}, {"1e-300", -6000},
        {"0", -20},      {"-1", -20},    {"abc", -20}, {"nan", -20},
        {"inf", -20},    {"", -20},      {"1e400", -20}, {"+-1", -20}, {"   ", -20},
    };
    for (const auto& [text, decibels] : shown)
        EXPECT_EQ(Ac3DecibelsFromGainText(text), decibels) << '"' << text << '"';
}

TEST(LevelConversions, TypedLevelsClampToTheScaleAndDrawInsideTheStrip)
{
    const std::tuple<const LevelScale*, const char*, const char*> typed[] = {
        {&kFFDShowLevelScale, "350", "300"},  {&kFFDShowLevelScale, "-5", "0"},
        {&kFFDShowLevelScale, "150", "150"},  {&kFFDShowHeadphoneScale, "101", "100"},
        {&kAc3DecibelScale, "30", "20"},      {&kAc3DecibelScale, "-25", "-20"},
        {&kAc3DecibelScale, "99999999999", "20"},
    };
    for (const auto& [scale, text, clamped] : typed) {
        std::string level = text;
        ClampLevelText(*scale, level);
        EXPECT_EQ(level, clamped);
    }
    EXPECT_EQ(KnobForLevelText(kFFDShowLevelScale, "100"), 34);
    EXPECT_EQ(KnobForLevelText(kAc3DecibelScale, "abc"), 40);
    EXPECT_LT(KnobForLevelText(kFFDShowLevelScale, "99999999999"), 0);  // drawn at the top
}

constexpr SliderStrip kLargeStrip{249, 325, 477, 20};
constexpr SliderStrip kLevelStrip{247, 323, 20, 113};

TEST(SliderGeometry, KnobFollowsThePointerFiveInsideEitherEnd)
{
    const SliderGeometry horizontal{{119, 90, 363, 110}, SliderAxis::Horizontal, &kLargeStrip};
    const SliderGeometry vertical{{51, 189, 80, 251}, SliderAxis::Vertical, &kLevelStrip};
    ASSERT_EQ(horizontal.Travel(), 233);
    ASSERT_EQ(vertical.Travel(), 51);

    const std::pair<int, int> alongX[] = {{-32768, 0}, {124, 0}, {125, 1}, {134, 10},
                                          {357, 233},  {358, 233}, {32767, 233}};
    for (const auto& [x, position] : alongX)
        EXPECT_EQ(horizontal.PositionAt({x, 0}), position) << x;
    const std::pair<int, int> alongY[] = {{194, 0}, {195, 1}, {211, 17}, {245, 51}, {246, 51}};
    for (const auto& [y, position] : alongY)
        EXPECT_EQ(vertical.PositionAt({1000, y}), position) << y;
}

// bitmap, source x, source y, destination left, top, width, height
using CopyFields = std::tuple<int, int, int, int, int, int, int>;
CopyFields Fields(const StripCopy& c)
{
    return {c.bitmap, c.source.x, c.source.y, c.dest.left, c.dest.top, c.dest.Width(),
            c.dest.Height()};
}

TEST(SliderGeometry, CopiesStayInsideTheStrip)
{
    const SliderGeometry large{{119, 90, 363, 110}, SliderAxis::Horizontal, &kLargeStrip};
    EXPECT_EQ(Fields(large.Copy(108, true)), CopyFields(249, 125, 0, 119, 90, 244, 20));
    EXPECT_EQ(Fields(large.Copy(INT_MIN, false)), CopyFields(325, 233, 0, 119, 90, 244, 20));
    EXPECT_EQ(Fields(large.Copy(INT_MAX, true)), CopyFields(249, 0, 0, 119, 90, 244, 20));

    // Wider than its 20-pixel strip: only the strip's columns are copied.
    const SliderGeometry wide{{51, 189, 80, 251}, SliderAxis::Vertical, &kLevelStrip};
    EXPECT_EQ(Fields(wide.Copy(-5, true)), CopyFields(247, 0, 51, 51, 189, 20, 62));
    EXPECT_EQ(Fields(wide.Copy(51, false)), CopyFields(323, 0, 0, 51, 189, 20, 62));
}

// Two sliders sharing a level (gated by nothing), then one gated by a box being ticked,
// one by a combo entry and one that overlaps the first.
constexpr int kBox = 1037;
constexpr int kCombo = 1042;
constexpr SliderRow kSliders[] = {
    {{{56, 88, 80, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale, {}, LevelIndex{0}, 1066},
    {{{100, 88, 120, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale, {}, LevelIndex{0}, 1067},
    {{{140, 88, 160, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale,
     {SliderGate::Kind::Ticked, kBox}, LevelIndex{1}},
    {{{180, 88, 200, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale,
     {SliderGate::Kind::ComboSelects, kCombo, ListIndex{17}}, LevelIndex{2}},
    {{{56, 88, 80, 179}, SliderAxis::Vertical, &kLevelStrip}, &kAc3DecibelScale,
     {SliderGate::Kind::Unticked, kBox}, LevelIndex{3}},
};

TEST(SliderDrag, GatesSharedLevelsAndEditsOfTheTable)
{
    EXPECT_EQ(SlidersOfLevel(kSliders, LevelIndex{0}), 0b00011u);
    EXPECT_EQ(SliderOfEdit(kSliders, 1067), 1);
    EXPECT_EQ(SliderOfEdit(kSliders, 0), -1);

    pagetest::FakePageControls controls;
    EXPECT_EQ(LiveSliders(kSliders, controls, true), 0b10011u);
    controls.SetCheck(kBox, 1);
    controls.FillCombo(kCombo, std::vector<ChoiceItem>(18));
    controls.SetComboIndex(kCombo, 17);
    EXPECT_EQ(LiveSliders(kSliders, controls, true), 0b01111u);
    EXPECT_EQ(LiveSliders(kSliders, controls, false), 0u);
}

// slider, position; -1, -1 for none
std::pair<int, int> Fields(const std::optional<SliderTouch>& touch)
{
    return touch ? std::pair{touch->slider, touch->position} : std::pair{-1, -1};
}

TEST(SliderDrag, PressStartsMovesFollowWhileTheLeftButtonIsHeld)
{
    SliderDrag drag(kSliders);
    constexpr SliderMask kAll = 0b11111;
    constexpr std::pair kNone{-1, -1};
    constexpr DragButtons kLeft = DragButtons::LeftOnly;

    // The first live slider in table order takes the press; moves follow it off the
    // slider and past its ends; a release or lost capture ends it.
    EXPECT_EQ(Fields(drag.Press({60, 94}, kAll)), std::pair(0, 1));
    EXPECT_EQ(Fields(drag.Move({300, 500}, kLeft)), std::pair(0, 80));
    drag.End();
    EXPECT_EQ(Fields(drag.Move({60, 100}, kLeft)), kNone);

    // A closed gate (or no decoder) lets the press fall through to the next slider, or to
    // nothing.
    EXPECT_EQ(Fields(drag.Press({60, 100}, 0b10000)), std::pair(4, 7));
    EXPECT_EQ(Fields(drag.Press({150, 100}, 0b11011)), kNone);
    EXPECT_FALSE(drag.Dragging());

    // A press on bare background after a lost release ends the old drag.
    ASSERT_TRUE(drag.Press({110, 100}, kAll));
    EXPECT_FALSE(drag.Press({10, 10}, kAll));
    EXPECT_EQ(Fields(drag.Move({110, 120}, kLeft)), kNone);

    // Shift or Control held on the way pauses the knob; the left button alone again moves
    // it on. A move without the left button (a lost release) ends the drag.
    ASSERT_TRUE(drag.Press({110, 100}, kAll));
    EXPECT_EQ(Fields(drag.Move({110, 120}, DragButtons::LeftAndMore)), kNone);
    EXPECT_TRUE(drag.Dragging());
    EXPECT_EQ(Fields(drag.Move({110, 130}, kLeft)), std::pair(1, 37));
    EXPECT_EQ(Fields(drag.Move({110, 140}, DragButtons::LeftUp)), kNone);
    EXPECT_EQ(Fields(drag.Move({110, 150}, kLeft)), kNone);
}

TEST(AudioFormats, FFDShowPairsEncodeBothBoxesAndReadBack)
{
    struct Case {
        bool format;
        bool spdif;
        std::int32_t ac3;
        std::int32_t dts;
    };
    const Case cases[] = {
        {true, false, 15, 17}, {true, true, 16, 16}, {false, false, 0, 0}, {false, true, 1, 1}};
    for (const Case& c : cases) {
        EXPECT_EQ(FormatPairValue(kFFDShowAc3Pair, c.format, c.spdif), c.ac3);
        EXPECT_EQ(FormatPairValue(kFFDShowDtsPair, c.format, c.spdif), c.dts);
        for (const auto& [pair, stored] :
             {std::pair{kFFDShowAc3Pair, c.ac3}, std::pair{kFFDShowDtsPair, c.dts}}) {
            const FormatPairBoxes boxes = ShowFormatPair(pair, stored, true);
            EXPECT_EQ(boxes.format, c.format) << stored;
            EXPECT_EQ(boxes.spdif, c.spdif) << stored;
            EXPECT_EQ(boxes.spdifEnabled, c.format) << stored;
        }
    }
    // Unknown codes show ticked, passed through; without the decoder the S/PDIF box still
    // shows its state but cannot be clicked.
    const FormatPairBoxes unknown = ShowFormatPair(kFFDShowAc3Pair, INT_MIN, true);
    EXPECT_TRUE(unknown.format && unknown.spdif && unknown.spdifEnabled);
    const FormatPairBoxes missing = ShowFormatPair(kFFDShowDtsPair, 16, false);
    EXPECT_TRUE(missing.format && missing.spdif);
    EXPECT_FALSE(missing.spdifEnabled);
}

// PCM, AC3 and PES of AC3Filter's input formats.
constexpr MaskBox kBoxes[] = {{.id = 1061, .part = 30, .readPart = 1020},
                              {.id = 1062, .part = 4096},
                              {.id = 1065, .part = 1024}};
constexpr MaskBoxes kMask{kBoxes, UnknownMask::KeepBoxes};

TEST(AudioFormats, Ac3PcmIsReadAsEitherPartAndBitsAreNeverAdded)
{
    const std::pair<std::int32_t, std::optional<std::uint32_t>> reads[] = {
        {5120, 0b110u},       {5150, 0b111u},       {6140, 0b111u},     {0, 0u},
        {1050, std::nullopt}, {2048, std::nullopt}, {-1, std::nullopt}, {INT_MIN, std::nullopt},
    };
    for (const auto& [stored, ticked] : reads)
        EXPECT_EQ(MatchMaskEitherPart(kMask, stored), ticked) << stored;

    EXPECT_EQ(ApplyMaskBoxEitherPart(13312, kBoxes[0], true), 13342);
    EXPECT_EQ(ApplyMaskBoxEitherPart(13342, kBoxes[0], false), 13312);
    EXPECT_EQ(ApplyMaskBoxEitherPart(14332, kBoxes[0], false), 13312);
    EXPECT_EQ(ApplyMaskBoxEitherPart(13342, kBoxes[1], true), 13342);  // not 17438
    EXPECT_EQ(ApplyMaskBoxEitherPart(INT_MIN, kBoxes[2], false), INT_MIN);
}

}  // namespace
}  // namespace zelora
