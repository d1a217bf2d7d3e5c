// The skin decoder: every picture of both programs goes through it, so a slip in the
// run-length escapes would show as a shifted or missing bitmap. Malformed data must give
// nothing rather than read or write outside its buffers.

#include "platform/image/DibImage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kWhite = 0xFFFFFF;

void Put32(Bytes& b, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Info header, then a four-colour table (0 white, 1 red, 2 green, 3 blue), then `bits`.
Bytes Dib(int width, int height, std::uint16_t bitCount, std::uint32_t compression,
          std::initializer_list<std::uint8_t> bits, std::uint32_t coloursUsed = 4) {
    Bytes b;
    Put32(b, 40);
    Put32(b, static_cast<std::uint32_t>(width));
    Put32(b, static_cast<std::uint32_t>(height));
    b.insert(b.end(), {1, 0, static_cast<std::uint8_t>(bitCount), 0});
    Put32(b, compression);
    for (int i = 0; i < 3; ++i) Put32(b, 0);
    Put32(b, coloursUsed);
    Put32(b, 0);
    if (bitCount == 8)
        for (std::uint32_t c : {kWhite, kRed, kGreen, kBlue}) Put32(b, c);
    b.insert(b.end(), bits);
    return b;
}

TEST(DibImage, Rle8EscapesLandEveryPixelInItsPlace) {
    // 5 x 3, bottom-up: bottom row a run and an odd absolute block (padded), middle row a
    // delta over two pixels, top row a run ended by end-of-bitmap without end-of-line.
    const Bytes data = Dib(5, 3, 8, 1,
                           {2, 1, 0, 3, 2, 3, 2, 0, 0, 0,   // red red | green blue green (+pad)
                            1, 3, 0, 2, 2, 0, 1, 3, 0, 0,   // blue, skip 2, blue (x 4 stays colour 0)
                            5, 2, 0, 1});                   // green x 5
    const auto image = zelora::DecodeDib(data);
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 5);
    EXPECT_EQ(image->height, 3);
    const std::vector<std::uint32_t> expected = {
        kGreen, kGreen, kGreen, kGreen, kGreen,
        kBlue, kWhite, kWhite, kBlue, kWhite,
        kRed, kRed, kGreen, kBlue, kGreen,
    };
    EXPECT_EQ(image->pixels, expected);
}

TEST(DibImage, UncompressedRowsOfEitherOrderAndDepth) {
    // 3 x 2 at 8 bits: rows padded to 4 bytes; at 24 bits: blue, green, red per pixel.
    const auto bottomUp = zelora::DecodeDib(Dib(3, 2, 8, 0, {1, 2, 3, 0, 0, 0, 1, 0}));
    ASSERT_TRUE(bottomUp);
    EXPECT_EQ(bottomUp->pixels, (std::vector<std::uint32_t>{kWhite, kWhite, kRed, kRed, kGreen, kBlue}));
    const auto topDown = zelora::DecodeDib(Dib(1, -2, 24, 0, {0xFF, 0, 0, 0, 0, 0, 0xFF, 0}, 0));
    ASSERT_TRUE(topDown);
    EXPECT_EQ(topDown->pixels, (std::vector<std::uint32_t>{kBlue, kRed}));
}

TEST(DibImage, MalformedDataGivesNothing) {
    const struct {
        const char* what;
        Bytes data;
    } cases[] = {
        {"no end-of-bitmap mark", Dib(2, 1, 8, 1, {2, 1})},
        {"run past the row's end", Dib(2, 1, 8, 1, {3, 1, 0, 1})},
        {"rows past the top", Dib(1, 1, 8, 1, {1, 1, 0, 0, 1, 1, 0, 1})},
        {"absolute block cut off", Dib(4, 1, 8, 1, {0, 4, 1, 2})},
        {"delta out of the picture", Dib(2, 2, 8, 1, {0, 2, 3, 0, 0, 1})},
        {"delta cut off", Dib(2, 2, 8, 1, {0, 2, 1})},
        {"top-down run-length", Dib(1, -1, 8, 1, {1, 1, 0, 1})},
        {"uncompressed rows missing", Dib(3, 2, 8, 0, {1, 2, 3, 0})},
        {"colour table past the end", Dib(1, 1, 8, 0, {0, 0, 0, 0}, 300)},
        {"4-bit", Dib(1, 1, 4, 0, {0, 0, 0, 0})},
        {"zero width", Dib(0, 1, 24, 0, {0, 0, 0, 0}, 0)},
        {"absurd height", Dib(1, 1 << 20, 24, 0, {0, 0, 0, 0}, 0)},
        {"header cut short", Bytes(39, 0)},
    };
    for (const auto& c : cases) EXPECT_FALSE(zelora::DecodeDib(c.data)) << c.what;
}

}  // namespace
