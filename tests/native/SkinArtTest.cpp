// The skin's own decoding: the strict inflate, the picture container, the area filter that
// makes the scales not stored, and which stored scale a DPI is made from. The committed
// pictures themselves are decoded at every scale by SkinFilesTest.
#include "platform/image/Inflate.h"
#include "platform/image/SkinArt.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zelora {
namespace {

using Bytes = std::vector<std::uint8_t>;

const std::string kText = "abcabcabcabcabcabc hello hello hello";
// kText deflated by zlib: as one stored block, and with the fixed codes (back references).
const Bytes kStored = [] {
    Bytes b = {0x01, 0x24, 0x00, 0xdb, 0xff};
    b.insert(b.end(), kText.begin(), kText.end());
    return b;
}();
const Bytes kFixed = {0x4b, 0x4c, 0x4a, 0x4e, 0x44, 0x45, 0x0a, 0x19, 0xa9, 0x39, 0x39, 0xf9, 0xc8, 0x24, 0x00};

// One final stored block holding `data` (under 64 KB).
Bytes Stored(const Bytes& data)
{
    const auto n = static_cast<std::uint16_t>(data.size());
    Bytes b = {0x01, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
               static_cast<std::uint8_t>(~n), static_cast<std::uint8_t>(~n >> 8)};
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

TEST(Inflate, DecodesStoredAndFixedBlocksToExactlyTheExpectedSize)
{
    for (const Bytes* stream : {&kStored, &kFixed}) {
        const auto out = Inflate(*stream, kText.size());
        ASSERT_TRUE(out);
        EXPECT_EQ(std::string(out->begin(), out->end()), kText);
        EXPECT_FALSE(Inflate(*stream, kText.size() - 1)) << "more data than expected";
        EXPECT_FALSE(Inflate(*stream, kText.size() + 1)) << "less data than expected";
        for (std::size_t cut = 0; cut < stream->size(); ++cut)
            EXPECT_FALSE(Inflate(std::span(*stream).first(cut), kText.size())) << "cut at " << cut;
    }
}

TEST(Inflate, RefusesMalformedStreams)
{
    const struct {
        const char* what;
        Bytes data;
    } cases[] = {
        {"stored length check wrong", {0x01, 0x01, 0x00, 0x00, 0x00, 'x'}},
        {"reserved block type", {0x07}},
        {"back reference before the start", {0x03, 0x02, 0x00}},  // fixed: distance 1 first
        {"too many literal codes", {0xfd, 0xff, 0x00}},
    };
    for (const auto& c : cases) EXPECT_FALSE(Inflate(c.data, 4)) << c.what;
}

// A picture of 2 x 1 pixels from palette entries first.. of `palettes`.
Bytes Picture(std::uint16_t colours, std::uint32_t first, const Bytes& indices)
{
    Bytes b = {2, 0, 1, 0, 1, 0, 1, 0, static_cast<std::uint8_t>(first), 0, 0, 0,
               static_cast<std::uint8_t>(colours), 0, 0, 0};
    const Bytes deflated = Stored(indices);
    b.insert(b.end(), deflated.begin(), deflated.end());
    return b;
}

TEST(SkinPicture, TakesItsColoursFromItsPartOfThePalettes)
{
    const std::vector<std::uint32_t> palettes = {0x111111, 0x222222, 0x333333};
    const auto good = DecodeSkinPicture(Picture(2, 1, {1, 0}), palettes);
    ASSERT_TRUE(good);
    EXPECT_EQ(good->image.pixels, (std::vector<std::uint32_t>{0x333333, 0x222222}));
    EXPECT_EQ(good->baseWidth, 1);
    EXPECT_FALSE(DecodeSkinPicture(Picture(2, 1, {2, 0}), palettes)) << "index past its colours";
    EXPECT_FALSE(DecodeSkinPicture(Picture(2, 2, {1, 0}), palettes)) << "palette past the block";
    EXPECT_FALSE(DecodeSkinPicture(Picture(2, 0, {1}), palettes)) << "too few pixels";
    EXPECT_FALSE(DecodeSkinPicture(Picture(2, 0, {1, 0}), {})) << "no palettes";

    const auto block = DecodeSkinPalettes([] {
        Bytes b = {2, 0, 0, 0};
        const Bytes rgb = Stored({1, 2, 3, 4, 5, 6});
        b.insert(b.end(), rgb.begin(), rgb.end());
        return b;
    }());
    ASSERT_TRUE(block);
    EXPECT_EQ(*block, (std::vector<std::uint32_t>{0x010203, 0x040506}));
}

DibImage Row(std::vector<std::uint32_t> pixels)
{
    return {static_cast<int>(pixels.size()), 1, std::move(pixels)};
}

TEST(ResampleArea, AveragesTheAreaEachPixelCovers)
{
    const struct {
        const char* what;
        DibImage from;
        int width;
        std::vector<std::uint32_t> expected;
    } cases[] = {
        {"same size", Row({0x102030, 0x405060}), 2, {0x102030, 0x405060}},
        {"halved", Row({0x000000, 0x0000c8, 0x646464, 0x646464}), 2, {0x000064, 0x646464}},
        // 3 to 2: each target is two thirds of one source pixel and a third of the next.
        {"fractional", Row({0x000000, 0x00005a, 0x0000b4}), 2, {0x00001e, 0x000096}},
        {"enlarged", Row({0x0a0b0c}), 3, {0x0a0b0c, 0x0a0b0c, 0x0a0b0c}},
    };
    for (const auto& c : cases) EXPECT_EQ(ResampleArea(c.from, c.width, 1).pixels, c.expected) << c.what;

    // A plain colour stays exactly that colour at any size: no rounding drift.
    const DibImage plain{5, 7, std::vector<std::uint32_t>(35, 0xe9e9e9)};
    const DibImage made = ResampleArea(plain, 4, 6);
    EXPECT_EQ(made.pixels, std::vector<std::uint32_t>(24, 0xe9e9e9));
}

TEST(ArtDpiFor, TakesTheNearestStoredScaleAtOrAboveElseTheLargest)
{
    const int stored[] = {96, 192};
    const struct {
        int dpi;
        int art;
    } cases[] = {{72, 96}, {96, 96}, {120, 192}, {168, 192}, {192, 192}, {288, 192}};
    for (const auto& c : cases) EXPECT_EQ(ArtDpiFor(c.dpi, stored), c.art) << c.dpi;
}

}  // namespace
}  // namespace zelora
