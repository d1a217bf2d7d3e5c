#pragma once
// Decodes a device-independent bitmap as stored in a bitmap resource (the info header,
// the colour table, then the pixels; no file header) into plain 0x00RRGGBB pixels. The
// skin is stored run-length encoded to keep the programs small, and decoding it here
// means no system loader's support for that encoding is relied on.

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

}  // namespace zelora
