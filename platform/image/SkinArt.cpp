#include "platform/image/SkinArt.h"

#include "platform/image/Inflate.h"
#include "platform/image/LittleEndian.h"
#include "platform/ui/Dpi.h"

#include <algorithm>
#include <cstring>

namespace zelora {
namespace {

using little_endian::Read16;
using little_endian::Read32;

// How much of each source pixel one target pixel covers, along one axis, in units of
// 1 / kWhole of a target pixel: target t spans [t * from, (t + 1) * from) and source s
// spans [s * to, (s + 1) * to) of from * to units. The weights of a target add up to
// exactly kWhole, so a plain colour stays exactly itself.
constexpr std::uint32_t kWholeBits = 14;
constexpr std::uint32_t kWhole = 1u << kWholeBits;

// Every target's weights, `taps` of them each (the widest target's count; narrower
// targets end with zero weights), from source `first[t]` on.
struct Spans {
    std::size_t taps = 1;
    std::vector<int> first;
    std::vector<std::uint32_t> weights;  // taps per target

    Spans(int from, int to) : first(static_cast<std::size_t>(to))
    {
        taps = static_cast<std::size_t>(std::min((from + to - 1) / to + 1, from));
        weights.assign(taps * static_cast<std::size_t>(to), 0);
        for (int t = 0; t < to; ++t) {
            const long long begin = static_cast<long long>(t) * from;
            const long long end = begin + from;
            const auto start = static_cast<int>(begin / to);
            // The last targets' windows stay inside the source, ending at its edge.
            const int at = std::min(start, from - static_cast<int>(taps));
            first[static_cast<std::size_t>(t)] = std::max(at, 0);
            std::uint32_t* w = &weights[static_cast<std::size_t>(t) * taps];
            std::uint32_t total = 0;
            std::size_t largest = 0;
            for (long long s = start; s * to < end && s < from; ++s) {
                const long long covered = std::min(end, (s + 1) * to) - std::max(begin, s * to);
                const auto weight = static_cast<std::uint32_t>((covered * kWhole + from / 2) / from);
                const auto k = static_cast<std::size_t>(s - first[static_cast<std::size_t>(t)]);
                if (weight > w[largest]) largest = k;
                w[k] = weight;
                total += weight;
            }
            w[largest] += kWhole - total;  // what rounding took or gave
        }
    }
};

}  // namespace

std::optional<std::vector<std::uint32_t>> DecodeSkinPalettes(std::span<const std::uint8_t> block)
{
    if (block.size() < 4) return std::nullopt;
    const std::uint32_t count = Read32(block, 0);
    if (count == 0 || count > skin_art::kMaxColours) return std::nullopt;
    const auto bytes = Inflate(block.subspan(4), std::size_t{count} * 3);
    if (!bytes) return std::nullopt;
    std::vector<std::uint32_t> colours(count);
    for (std::size_t i = 0; i < count; ++i)
        colours[i] = static_cast<std::uint32_t>((*bytes)[3 * i]) << 16 |
                     static_cast<std::uint32_t>((*bytes)[3 * i + 1]) << 8 | (*bytes)[3 * i + 2];
    return colours;
}

namespace {

struct PictureHeader {
    int width = 0;
    int height = 0;
    int baseWidth = 0;
    int baseHeight = 0;
    std::span<const std::uint32_t> palette;
};

std::optional<PictureHeader> ReadPictureHeader(std::span<const std::uint8_t> picture,
                                               std::span<const std::uint32_t> palettes)
{
    using namespace skin_art;
    if (picture.size() < kHeaderBytes) return std::nullopt;
    PictureHeader header;
    header.width = static_cast<int>(Read16(picture, kWidthAt));
    header.height = static_cast<int>(Read16(picture, kHeightAt));
    header.baseWidth = static_cast<int>(Read16(picture, kBaseWidthAt));
    header.baseHeight = static_cast<int>(Read16(picture, kBaseHeightAt));
    const std::uint32_t first = Read32(picture, kFirstColourAt);
    const std::uint32_t colours = Read16(picture, kColoursAt);
    if (header.width <= 0 || header.height <= 0 || header.width > kMaxDibSide || header.height > kMaxDibSide)
        return std::nullopt;
    if (colours == 0 || colours > 256 || first > palettes.size() || colours > palettes.size() - first)
        return std::nullopt;
    header.palette = palettes.subspan(first, colours);
    return header;
}

// The picture's indices inflated into the last quarter of `pixels`, then turned into
// colours from the front: pixel i is written after index i is read, and never reaches an
// index not yet read, so no second buffer is needed.
bool DecodePixels(std::span<const std::uint8_t> picture, const PictureHeader& header, std::uint32_t* pixels)
{
    const std::size_t count = static_cast<std::size_t>(header.width) * static_cast<std::size_t>(header.height);
    auto* const indices = reinterpret_cast<std::uint8_t*>(pixels) + 3 * count;
    if (!InflateInto(picture.subspan(skin_art::kHeaderBytes), {indices, count})) return false;
    const std::size_t colours = header.palette.size();
    const std::uint32_t* const palette = header.palette.data();
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t index = indices[i];
        if (index >= colours) return false;
        pixels[i] = palette[index];
    }
    return true;
}

}  // namespace

std::optional<SkinPicture> DecodeSkinPicture(std::span<const std::uint8_t> picture,
                                             std::span<const std::uint32_t> palettes)
{
    const std::optional<PictureHeader> header = ReadPictureHeader(picture, palettes);
    if (!header) return std::nullopt;
    SkinPicture out;
    out.baseWidth = header->baseWidth;
    out.baseHeight = header->baseHeight;
    out.image.width = header->width;
    out.image.height = header->height;
    out.image.pixels.resize(static_cast<std::size_t>(header->width) * static_cast<std::size_t>(header->height));
    if (!DecodePixels(picture, *header, out.image.pixels.data())) return std::nullopt;
    return out;
}

DibImage ResampleArea(const DibImage& image, int width, int height)
{
    DibImage out;
    out.width = width;
    out.height = height;
    out.pixels.assign(static_cast<std::size_t>(std::max(width, 0)) * static_cast<std::size_t>(std::max(height, 0)), 0);
    ResampleAreaInto(image, width, height, out.pixels.data());
    return out;
}

void ResampleAreaInto(const DibImage& image, int width, int height, std::uint32_t* out)
{
    if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0) return;
    const auto w = static_cast<std::size_t>(width);
    const Spans across(image.width, width);
    const Spans down(image.height, height);
    // Rows first, each channel kept with 8 more bits (at most 255 << 8), then columns. A
    // source row is needed by a few neighbouring target rows only: the rows made across are
    // kept in a small ring rather than all at once.
    constexpr std::size_t kChannels = 3;
    const std::size_t stride = w * kChannels;
    const std::size_t slots = down.taps + 1;
    std::vector<std::uint16_t> ring(slots * stride);
    std::vector<int> held(slots, -1);  // which source row each slot holds
    const auto acrossRow = [&](int y) -> const std::uint16_t* {
        const std::size_t slot = static_cast<std::size_t>(y) % slots;
        std::uint16_t* row = ring.data() + slot * stride;
        if (held[slot] == y) return row;
        held[slot] = y;
        const std::uint32_t* source = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        const std::uint32_t* weights = across.weights.data();
        for (std::size_t x = 0; x < w; ++x, weights += across.taps, row += kChannels) {
            const std::uint32_t* from = source + across.first[x];
            // Where a target lies on one colour (most of a skin), it is that colour.
            bool plain = true;
            for (std::size_t k = 1; k < across.taps; ++k) plain = plain && (from[k] == from[0] || weights[k] == 0);
            if (plain && weights[0] != 0) {
                row[0] = static_cast<std::uint16_t>((from[0] & 0xFF) << 8);
                row[1] = static_cast<std::uint16_t>((from[0] >> 8 & 0xFF) << 8);
                row[2] = static_cast<std::uint16_t>((from[0] >> 16 & 0xFF) << 8);
                continue;
            }
            std::uint32_t blue = 0;
            std::uint32_t green = 0;
            std::uint32_t red = 0;
            for (std::size_t k = 0; k < across.taps; ++k) {
                const std::uint32_t pixel = from[k];
                blue += weights[k] * (pixel & 0xFF);
                green += weights[k] * (pixel >> 8 & 0xFF);
                red += weights[k] * (pixel >> 16 & 0xFF);
            }
            constexpr std::uint32_t kHalf = 1u << (kWholeBits - 9);
            row[0] = static_cast<std::uint16_t>((blue + kHalf) >> (kWholeBits - 8));
            row[1] = static_cast<std::uint16_t>((green + kHalf) >> (kWholeBits - 8));
            row[2] = static_cast<std::uint16_t>((red + kHalf) >> (kWholeBits - 8));
        }
        return ring.data() + slot * stride;
    };
    std::vector<std::uint32_t> sums(stride);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const std::uint32_t* weights = &down.weights[y * down.taps];
        std::uint32_t* target = out + y * w;
        // Where the rows a target row covers are alike (most of a skin's), it is that row.
        const std::uint16_t* alike = nullptr;
        for (std::size_t k = 0; k < down.taps; ++k) {
            if (weights[k] == 0) continue;
            const std::uint16_t* row = acrossRow(down.first[y] + static_cast<int>(k));
            if (!alike) {
                alike = row;
            } else if (std::memcmp(row, alike, stride * sizeof *row) != 0) {
                alike = nullptr;
                break;
            }
        }
        if (alike) {
            constexpr std::uint32_t kRowHalf = 1u << 7;
            for (std::size_t x = 0; x < w; ++x) {
                const std::uint16_t* c = alike + x * kChannels;
                target[x] = (c[0] + kRowHalf) >> 8 | ((c[1] + kRowHalf) >> 8) << 8 | ((c[2] + kRowHalf) >> 8) << 16;
            }
            continue;
        }
        std::fill(sums.begin(), sums.end(), 0u);
        for (std::size_t k = 0; k < down.taps; ++k) {
            if (weights[k] == 0) continue;
            const std::uint16_t* row = acrossRow(down.first[y] + static_cast<int>(k));
            std::uint32_t* sum = sums.data();
            for (std::size_t i = 0; i < stride; ++i) sum[i] += weights[k] * row[i];
        }
        constexpr std::uint32_t kHalf = 1u << (kWholeBits + 7);
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t* sum = sums.data() + x * kChannels;
            target[x] = (sum[0] + kHalf) >> (kWholeBits + 8) | ((sum[1] + kHalf) >> (kWholeBits + 8)) << 8 |
                        ((sum[2] + kHalf) >> (kWholeBits + 8)) << 16;
        }
    }
}

int ArtDpiFor(int dpi, std::span<const int> artDpis)
{
    for (int stored : artDpis)
        if (stored >= dpi) return stored;
    return artDpis.back();
}

const std::vector<std::uint32_t>* SkinArt::PalettesOf(int artDpi)
{
    auto found = m_palettes.find(artDpi);
    if (found == m_palettes.end()) found = m_palettes.emplace(artDpi, DecodeSkinPalettes(m_source.Palettes(artDpi))).first;
    return found->second ? &*found->second : nullptr;
}

std::optional<DibImage> SkinArt::Load(int id, int dpi)
{
    DibImage image;
    const auto place = [&image](int width, int height) {
        image.width = width;
        image.height = height;
        image.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
        return image.pixels.data();
    };
    if (!LoadInto(id, dpi, place)) return std::nullopt;
    return image;
}

bool SkinArt::LoadInto(int id, int dpi, PlaceFor place)
{
    if (dpi <= 0 || m_artDpis.empty()) return false;
    const int artDpi = ArtDpiFor(dpi, m_artDpis);
    const std::vector<std::uint32_t>* palettes = PalettesOf(artDpi);
    if (!palettes) return false;
    const std::span<const std::uint8_t> picture = m_source.Picture(id, artDpi);
    const std::optional<PictureHeader> header = ReadPictureHeader(picture, *palettes);
    // A stored picture must have exactly the size the layout gives it, or it would be
    // cut off or leave a gap.
    if (!header || header->width != ScaleForDpi(header->baseWidth, artDpi) ||
        header->height != ScaleForDpi(header->baseHeight, artDpi))
        return false;
    if (artDpi == dpi) {
        std::uint32_t* pixels = place(header->width, header->height);
        return pixels && DecodePixels(picture, *header, pixels);
    }
    const int width = ScaleForDpi(header->baseWidth, dpi);
    const int height = ScaleForDpi(header->baseHeight, dpi);
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return false;
    const std::optional<SkinPicture> stored = DecodeSkinPicture(picture, *palettes);
    if (!stored) return false;
    std::uint32_t* pixels = place(width, height);
    if (!pixels) return false;
    ResampleAreaInto(stored->image, width, height, pixels);
    return true;
}

}  // namespace zelora
