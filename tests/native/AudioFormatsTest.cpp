// How the audio decoders' format numbers are read and changed.
#include "EveryKindRows.h"
#include "pages/AudioFormats.h"

#include <gtest/gtest.h>

namespace zelora {
namespace {

using namespace pagetest;

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

TEST(MaskBoxes, OnlyExactSumsOfEitherPartAreRecognised)
{
    EXPECT_EQ(MatchMaskEitherPart(kFormats, 13312), 0b10110u);  // AC3, MPEG, PES
    EXPECT_EQ(MatchMaskEitherPart(kFormats, 0), 0u);
    EXPECT_EQ(MatchMaskEitherPart(kFormats, 1020 + 16384), 0b01001u);
    EXPECT_EQ(MatchMaskEitherPart(kFormats, 13312 + 30), 0b10111u);  // PCM as ticking writes it
    EXPECT_FALSE(MatchMaskEitherPart(kFormats, 2048));
    EXPECT_FALSE(MatchMaskEitherPart(kFormats, -1));
}

}  // namespace
}  // namespace zelora
