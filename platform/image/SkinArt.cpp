#include "platform/image/SkinArt.h"

#include "platform/image/Inflate.h"
#include "platform/image/LittleEndian.h"
#include "platform/ui/Dpi.h"

#include <algorithm>

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

struct Span {
    int first = 0;
    std::vector<std::uint32_t> weights;
};

std::vector<Span> Spans(int from, int to)
{
    std::vector<Span> spans(static_cast<std::size_t>(to));
    for (int t = 0; t < to; ++t) {
        const long long begin = static_cast<long long>(t) * from;
        const long long end = begin + from;
        Span& span = spans[static_cast<std::size_t>(t)];
        span.first = static_cast<int>(begin / to);
        std::uint32_t total = 0;
        std::size_t largest = 0;
        for (long long s = span.first; s * to < end && s < from; ++s) {
            const long long covered = std::min(end, (s + 1) * to) - std::max(begin, s * to);
            const auto weight = static_cast<std::uint32_t>((covered * kWhole + from / 2) / from);
            if (span.weights.empty() || weight > span.weights[largest]) largest = span.weights.size();
            span.weights.push_back(weight);
            total += weight;
        }
        span.weights[largest] += kWhole - total;  // what rounding took or gave
    }
    return spans;
}

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

std::optional<SkinPicture> DecodeSkinPicture(std::span<const std::uint8_t> picture,
                                             std::span<const std::uint32_t> palettes)
{
    using namespace skin_art;
    if (picture.size() < kHeaderBytes) return std::nullopt;
    const int width = static_cast<int>(Read16(picture, kWidthAt));
    const int height = static_cast<int>(Read16(picture, kHeightAt));
    const std::uint32_t first = Read32(picture, kFirstColourAt);
    const std::uint32_t colours = Read16(picture, kColoursAt);
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return std::nullopt;
    if (colours == 0 || colours > 256 || first > palettes.size() || colours > palettes.size() - first)
        return std::nullopt;
    const auto indices =
        Inflate(picture.subspan(kHeaderBytes), static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    if (!indices) return std::nullopt;
    SkinPicture out;
    out.baseWidth = static_cast<int>(Read16(picture, kBaseWidthAt));
    out.baseHeight = static_cast<int>(Read16(picture, kBaseHeightAt));
    out.image.width = width;
    out.image.height = height;
    out.image.pixels.resize(indices->size());
    const std::span<const std::uint32_t> palette = palettes.subspan(first, colours);
    for (std::size_t i = 0; i < indices->size(); ++i) {
        const std::uint8_t index = (*indices)[i];
        if (index >= colours) return std::nullopt;
        out.image.pixels[i] = palette[index];
    }
    return out;
}

DibImage ResampleArea(const DibImage& image, int width, int height)
{
    DibImage out;
    out.width = width;
    out.height = height;
    const auto w = static_cast<std::size_t>(width);
    out.pixels.assign(w * static_cast<std::size_t>(height), 0);
    if (image.width <= 0 || image.height <= 0 || width <= 0 || height <= 0) return out;
    const std::vector<Span> across = Spans(image.width, width);
    const std::vector<Span> down = Spans(image.height, height);
    // Rows first, each channel kept with 8 more bits (at most 255 << 8), then columns. A
    // source row is needed by a few neighbouring target rows only: the rows made across are
    // kept in a small ring rather than all at once.
    constexpr std::size_t kChannels = 3;
    const std::size_t stride = w * kChannels;
    std::size_t slots = 1;
    for (const Span& span : down) slots = std::max(slots, span.weights.size() + 1);
    std::vector<std::uint16_t> ring(slots * stride);
    std::vector<int> held(slots, -1);  // which source row each slot holds
    const auto acrossRow = [&](int y) -> const std::uint16_t* {
        const std::size_t slot = static_cast<std::size_t>(y) % slots;
        std::uint16_t* row = ring.data() + slot * stride;
        if (held[slot] == y) return row;
        held[slot] = y;
        const std::uint32_t* source = image.pixels.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width);
        for (std::size_t x = 0; x < w; ++x) {
            const Span& span = across[x];
            const std::uint32_t* from = source + span.first;
            std::uint32_t blue = 0;
            std::uint32_t green = 0;
            std::uint32_t red = 0;
            for (const std::uint32_t weight : span.weights) {
                const std::uint32_t pixel = *from++;
                blue += weight * (pixel & 0xFF);
                green += weight * (pixel >> 8 & 0xFF);
                red += weight * (pixel >> 16 & 0xFF);
            }
            constexpr std::uint32_t kHalf = 1u << (kWholeBits - 9);
            row[x * kChannels] = static_cast<std::uint16_t>((blue + kHalf) >> (kWholeBits - 8));
            row[x * kChannels + 1] = static_cast<std::uint16_t>((green + kHalf) >> (kWholeBits - 8));
            row[x * kChannels + 2] = static_cast<std::uint16_t>((red + kHalf) >> (kWholeBits - 8));
        }
        return row;
    };
    std::vector<std::uint32_t> sums(stride);
    for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y) {
        const Span& span = down[y];
        std::fill(sums.begin(), sums.end(), 0u);
        int source = span.first;
        for (const std::uint32_t weight : span.weights) {
            const std::uint16_t* row = acrossRow(source++);
            std::uint32_t* sum = sums.data();
            for (std::size_t k = 0; k < stride; ++k) sum[k] += weight * row[k];
        }
        std::uint32_t* target = out.pixels.data() + y * w;
        constexpr std::uint32_t kHalf = 1u << (kWholeBits + 7);
        for (std::size_t x = 0; x < w; ++x) {
            const std::uint32_t* sum = sums.data() + x * kChannels;
            target[x] = (sum[0] + kHalf) >> (kWholeBits + 8) | ((sum[1] + kHalf) >> (kWholeBits + 8)) << 8 |
                        ((sum[2] + kHalf) >> (kWholeBits + 8)) << 16;
        }
    }
    return out;
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
    if (dpi <= 0 || m_artDpis.empty()) return std::nullopt;
    const int artDpi = ArtDpiFor(dpi, m_artDpis);
    const std::vector<std::uint32_t>* palettes = PalettesOf(artDpi);
    if (!palettes) return std::nullopt;
    std::optional<SkinPicture> picture = DecodeSkinPicture(m_source.Picture(id, artDpi), *palettes);
    if (!picture) return std::nullopt;
    // A stored picture must have exactly the size the layout gives it, or it would be
    // cut off or leave a gap.
    DibImage& image = picture->image;
    if (image.width != ScaleForDpi(picture->baseWidth, artDpi) || image.height != ScaleForDpi(picture->baseHeight, artDpi))
        return std::nullopt;
    if (artDpi == dpi) return std::move(image);
    const int width = ScaleForDpi(picture->baseWidth, dpi);
    const int height = ScaleForDpi(picture->baseHeight, dpi);
    if (width <= 0 || height <= 0 || width > kMaxDibSide || height > kMaxDibSide) return std::nullopt;
    return ResampleArea(image, width, height);
}

}  // namespace zelora
