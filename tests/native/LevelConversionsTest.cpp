// Level <-> knob position for every slider scale, with the decoders' truncation, and the
// typed levels' clamping.
#include "pages/LevelConversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include <climits>
#include <span>

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

    // Every level the page can store is written as printf's "%.6f" writes its gain, and
    // comes back as typed.
    for (std::int32_t decibels = -20; decibels <= 20; ++decibels) {
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.6f", std::pow(10.0, decibels * 0.05));
        EXPECT_EQ(Ac3GainText(decibels), printed);
        EXPECT_EQ(Ac3DecibelsFromGainText(Ac3GainText(decibels)), decibels);
    }

    const std::pair<const char*, std::int32_t> shown[] = {
        {"1.778279", 5}, {"  +2.5x", 8}, {"1000", 60}, {"1e-300", -6000},
        {"0", -20},      {"-1", -20},    {"abc", -20}, {"nan", -20},
        {"inf", -20},    {"", -20},      {"1e400", -20}, {"+-1", -20}, {"   ", -20},
        {".5", -6},      {"1e+", 0},     {"1ex5", 0},    {"5.62341e-1", -5}, {"1e-400", -20},
        {"1778279000000000000000000e-24", 5}, {"0.00000000000000000000001778279e23", 5},
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

}  // namespace
}  // namespace zelora
