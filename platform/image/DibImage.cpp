#include "platform/image/DibImage.h"

#include "platform/image/LittleEndian.h"

#include <algorithm>
#include <cstddef>

namespace zelora {
namespace {

using little_endian::Read16;
using little_endian::Read32;

std::uint32_t Rgb(std::uint8_t blue, std::uint8_t green, std::uint8_t red)
{
    return static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 | blue;
}

// Reads one BI_RLE8 stream into `image`, whose rows are top row first while the stream
// runs bottom-up. Pixels a delta skips keep colour 0 of the table.
bool DecodeRle8(std::span<const std::uint8_t> bits, const std::vector<std::uint32_t>& colours,
                DibImage& image)
{
    const auto colour = [&](std::uint8_t index) { return index < colours.size() ? colours[index] : 0u; };
    std::size_t at = 0;
    int x = 0;
    int row = 0;  // counted from the bottom
    const auto put = [&](std::uint8_t index) {
        if (x >= image.width || row >= image.height) return false;
        image.pixels[static_cast<std::size_t>(image.height - 1 - row) * static_cast<std::size_t>(image.width) +
                     static_cast<std::size_t>(x++)] = colour(index);
        return true;
    };
    std::fill(image.pixels.begin(), image.pixels.end(), colour(0));
    while (at + 2 <= bits.size()) {
        const std::uint8_t count = bits[at];
        const std::uint8_t value = bits[at + 1];
        at += 2;
        if (count > 0) {  // a run of one colour
            for (int i = 0; i < count; ++i)
                if (!put(value)) return false;
        } else if (value == 0) {  // end of line
            x = 0;
            ++row;
        } else if (value == 1) {  // end of bitmap
            return true;
        } else if (value == 2) {  // delta: move right and up
            if (at + 2 > bits.size()) return false;
            x += bits[at];
            row += bits[at + 1];
            at += 2;
            if (x > image.width || row > image.height) return false;
        } else {  // absolute block of `value` indices, padded to a word
            const std::size_t padded = value + (value & 1u);
            if (at + padded > bits.size()) return false;
            for (std::size_t i = 0; i < value; ++i)
                if (!put(bits[at + i])) return false;
            at += padded;
        }
    }
    return false;  // no end-of-bitmap mark
}

bool DecodeRgb(std::span<const std::uint8_t> bits, int bitCount, bool bottomUp,
               const std::vector<std::uint32_t>& colours, DibImage& image)
{
    const std::size_t width = static_cast<std::size_t>(image.width);
    const std::size_t stride = (width * static_cast<std::size_t>(bitCount) + 31) / 32 * 4;
    if (bits.size() < stride * static_cast<std::size_t>(image.height)) return false;
    for (int y = 0; y < image.height; ++y) {
        const std::size_t sourceRow = static_cast<std::size_t>(bottomUp ? image.height - 1 - y : y);
        const std::span<const std::uint8_t> line = bits.subspan(sourceRow * stride, stride);
        std::uint32_t* out = image.pixels.data() + static_cast<std::size_t>(y) * width;
        for (std::size_t x = 0; x < width; ++x) {
            if (bitCount == 8) {
                out[x] = line[x] < colours.size() ? colours[line[x]] : 0u;
            } else {
                const std::size_t p = x * static_cast<std::size_t>(bitCount / 8);
                out[x] = Rgb(line[p], line[p + 1], line[p + 2]);
            }
        }
    }
    return true;
}

}  // namespace

std::optional<DibImage> DecodeDib(std::span<const std::uint8_t> data)
{
    if (data.size() < dib::kInfoHeaderBytes) return std::nullopt;
    const std::uint32_t headerSize = Read32(data, dib::kHeaderSizeAt);
    const auto width = static_cast<std::int32_t>(Read32(data, dib::kWidthAt));
    const auto height = static_cast<std::int32_t>(Read32(data, dib::kHeightAt));
    const std::uint32_t planes = Read16(data, dib::kPlanesAt);
    const auto bitCount = static_cast<int>(Read16(data, dib::kBitCountAt));
    const std::uint32_t compression = Read32(data, dib::kCompressionAt);
    const std::uint32_t coloursUsed = Read32(data, dib::kColoursUsedAt);
    if (headerSize < dib::kInfoHeaderBytes || headerSize > data.size() || planes != 1) return std::nullopt;
    if (width <= 0 || width > kMaxDibSide || height == 0 || height < -kMaxDibSide || height > kMaxDibSide)
        return std::nullopt;
    const bool bottomUp = height > 0;
    const bool rle8 = compression == dib::kRle8 && bitCount == 8 && bottomUp;
    const bool rgb = compression == dib::kRgb && (bitCount == 8 || bitCount == 24 || bitCount == 32);
    if (!rle8 && !rgb) return std::nullopt;

    std::vector<std::uint32_t> colours;
    std::size_t at = headerSize;
    if (bitCount == 8) {
        const std::size_t count = coloursUsed == 0 ? 256 : coloursUsed;
        if (count > 256 || at + count * dib::kColourEntryBytes > data.size()) return std::nullopt;
        for (std::size_t i = 0; i < count; ++i, at += dib::kColourEntryBytes)
            colours.push_back(Rgb(data[at], data[at + 1], data[at + 2]));
    }

    DibImage image;
    image.width = width;
    image.height = bottomUp ? height : -height;
    image.pixels.assign(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height), 0);
    const std::span<const std::uint8_t> bits = data.subspan(at);
    const bool decoded = rle8 ? DecodeRle8(bits, colours, image) : DecodeRgb(bits, bitCount, bottomUp, colours, image);
    if (!decoded) return std::nullopt;
    return image;
}

}  // namespace zelora
