#pragma once
// Decodes a device-independent bitmap as stored in a bitmap resource (the info header,
// the colour table, then the pixels; no file header) into plain 0x00RRGGBB pixels. The
// skin is stored run-length encoded to keep the programs small, and decoding it here
// means no system loader's support for that encoding is relied on.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace zelora {

struct DibImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // top row first, 0x00RRGGBB
};

// 8-bit (uncompressed or BI_RLE8), 24-bit and 32-bit uncompressed DIBs. Anything else,
// or data that ends early, runs outside the picture or is larger than kMaxDibSide on a
// side, gives nothing.
std::optional<DibImage> DecodeDib(std::span<const std::uint8_t> data);

inline constexpr int kMaxDibSide = 4096;

// Where the decoder finds what it reads: the info header's fields (little-endian, no
// padding) and the colour table's entries (blue, green, red, reserved). The Windows side
// checks these against the system's own structures, in either build.
namespace dib {
inline constexpr std::size_t kHeaderSizeAt = 0;
inline constexpr std::size_t kWidthAt = 4;
inline constexpr std::size_t kHeightAt = 8;
inline constexpr std::size_t kPlanesAt = 12;
inline constexpr std::size_t kBitCountAt = 14;
inline constexpr std::size_t kCompressionAt = 16;
inline constexpr std::size_t kColoursUsedAt = 32;
inline constexpr std::size_t kInfoHeaderBytes = 40;
inline constexpr std::size_t kColourEntryBytes = 4;
inline constexpr std::uint32_t kRgb = 0;   // uncompressed
inline constexpr std::uint32_t kRle8 = 1;  // 8-bit run-length encoded
}  // namespace dib

}  // namespace zelora
