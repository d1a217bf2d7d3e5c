#pragma once
// The skin's pictures as tools/skin stores them, one set per stored scale (DPI), and the
// picture for any DPI made from them.
//
// A picture: a 16-byte header of little-endian fields (width, height, its 96-DPI width and
// height: 16 bits each; its first colour in the scale's palettes block: 32 bits; its
// number of colours, 1..256, and a zero: 16 bits each), then its palette indices, one
// byte per pixel, top row first, raw-deflated. The palettes block of a scale: a 32-bit
// count of colours, then count (red, green, blue) bytes, raw-deflated.

#include "platform/FunctionRef.h"
#include "platform/image/DibImage.h"

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace zelora {

namespace skin_art {
inline constexpr std::size_t kHeaderBytes = 16;
inline constexpr std::size_t kWidthAt = 0;
inline constexpr std::size_t kHeightAt = 2;
inline constexpr std::size_t kBaseWidthAt = 4;
inline constexpr std::size_t kBaseHeightAt = 6;
inline constexpr std::size_t kFirstColourAt = 8;
inline constexpr std::size_t kColoursAt = 12;
inline constexpr std::uint32_t kMaxColours = 1u << 16;  // in one palettes block
}  // namespace skin_art

// The colours of a palettes block as 0x00RRGGBB; nothing when the block is malformed.
std::optional<std::vector<std::uint32_t>> DecodeSkinPalettes(std::span<const std::uint8_t> block);

struct SkinPicture {
    DibImage image;
    int baseWidth = 0;  // its size at 96 DPI
    int baseHeight = 0;
};

// One picture with the colours of its scale; nothing when it is malformed, its indices do
// not fill it exactly or name a colour outside its palette, or its palette lies outside
// `palettes`.
std::optional<SkinPicture> DecodeSkinPicture(std::span<const std::uint8_t> picture,
                                             std::span<const std::uint32_t> palettes);

// `image` at width x height (each at least 1, at most kMaxDibSide), every target pixel the
// average of the source area it covers (a box filter, exact in both directions).
DibImage ResampleArea(const DibImage& image, int width, int height);
// The same into `out`, width x height pixels.
void ResampleAreaInto(const DibImage& image, int width, int height, std::uint32_t* out);

// The stored scale to make a picture for `dpi` from: the smallest stored at or above it,
// else the largest (artDpis ascending, not empty).
int ArtDpiFor(int dpi, std::span<const int> artDpis);

// Where the stored pictures come from: the program's resources, or files in tests.
class SkinArtSource {
public:
    virtual ~SkinArtSource() = default;
    // Empty when there is no such picture or block.
    virtual std::span<const std::uint8_t> Picture(int id, int artDpi) = 0;
    virtual std::span<const std::uint8_t> Palettes(int artDpi) = 0;
};

// Pictures for any DPI: a stored scale's picture as it is, any other DPI made from the
// nearest larger stored scale (or, above the largest, from the largest), always at
// ScaleForDpi of the 96-DPI size. Each scale's palettes are decoded once and kept.
class SkinArt {
public:
    SkinArt(SkinArtSource& source, std::span<const int> artDpis) : m_source(source), m_artDpis(artDpis) {}

    std::optional<DibImage> Load(int id, int dpi);

    // Gives the picture's pixels a place of their own: width x height of them, top row
    // first, or null to give up.
    using PlaceFor = FunctionRef<std::uint32_t*(int width, int height)>;
    // The picture for `dpi` written straight into the place `place` gives (a bitmap's own
    // memory: a large picture is then never copied); false when there is no such picture,
    // it is malformed, or no place was given. A false after a place was given leaves it
    // holding anything.
    bool LoadInto(int id, int dpi, PlaceFor place);

private:
    const std::vector<std::uint32_t>* PalettesOf(int artDpi);

    SkinArtSource& m_source;
    std::span<const int> m_artDpis;
    std::map<int, std::optional<std::vector<std::uint32_t>>> m_palettes;  // by stored DPI
};

}  // namespace zelora
