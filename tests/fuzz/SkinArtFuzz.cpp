// The skin's decoding over mutated committed pictures and palettes blocks and random
// bytes: inflate never reads or writes outside its buffers and gives exactly the size asked
// or nothing; a decoded picture has one pixel of its palette per place; the area filter
// gives the size asked with every channel within the source's range.
#include "fuzz/FuzzHarness.h"

#include "platform/image/Inflate.h"
#include "platform/image/SkinArt.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#ifndef ZELORA_RESOURCES_DIR
#error "compile with -DZELORA_RESOURCES_DIR=\"<path of the resources folder>\""
#endif

namespace zelora::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes ReadSkin(const std::string& name)
{
    std::ifstream in(std::string(ZELORA_RESOURCES_DIR) + "/skin/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Real streams to start from: dynamic Huffman blocks of every kind the generator writes.
const std::vector<Bytes>& Seeds()
{
    static const std::vector<Bytes> seeds = [] {
        std::vector<Bytes> all;
        for (const char* name : {"upd_palettes_96.zsk", "art_146_96.zsk", "art_146_192.zsk", "upd_art_137_96.zsk"}) {
            all.push_back(ReadSkin(name));
            Require(all.back().size() > 20, std::string("cannot read the seed ") + name);
        }
        return all;
    }();
    return seeds;
}

const std::vector<std::uint32_t>& Palettes()
{
    static const std::vector<std::uint32_t> palettes = *DecodeSkinPalettes(ReadSkin("palettes_96.zsk"));
    return palettes;
}

Bytes Mutated(Random& random, Bytes input)
{
    const auto edits = 1 + random.Below(4);
    for (std::uint64_t e = 0; e < edits && !input.empty(); ++e) {
        const auto at = static_cast<std::size_t>(random.Below(input.size()));
        switch (random.Below(4)) {
        case 0: input[at] ^= static_cast<std::uint8_t>(1u << random.Below(8)); break;
        case 1: input[at] = static_cast<std::uint8_t>(random.Next()); break;
        case 2: input.erase(input.begin() + static_cast<std::ptrdiff_t>(at)); break;
        default: input.resize(at); break;
        }
    }
    if (random.Chance(5)) input = random.Bytes(static_cast<std::size_t>(random.Below(200)));
    return input;
}

void CheckDecoding(Random& random)
{
    const Bytes& seed = random.Pick(std::span<const Bytes>(Seeds()));
    const Bytes input = Mutated(random, seed);
    // An exact-size copy: the sanitizer catches any read past it.
    const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[input.size()]);
    std::copy(input.begin(), input.end(), exact.get());
    const std::span<const std::uint8_t> bytes(exact.get(), input.size());

    const std::size_t size = static_cast<std::size_t>(random.Below(1u << 16));
    if (const auto out = Inflate(bytes.subspan(std::min<std::size_t>(input.size(), 16)), size))
        Require(out->size() == size, "inflate gave another size than asked");
    if (const auto picture = DecodeSkinPicture(bytes, Palettes())) {
        const DibImage& image = picture->image;
        Require(image.pixels.size() == static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height),
                "picture pixels do not fill it");
    }
    if (const auto palettes = DecodeSkinPalettes(bytes)) Require(!palettes->empty(), "an empty palettes block");
}

void CheckResample(Random& random)
{
    DibImage image;
    image.width = static_cast<int>(random.Between(1, 12));
    image.height = static_cast<int>(random.Between(1, 12));
    std::uint32_t low = 0xFF;
    std::uint32_t high = 0;
    for (int i = 0; i < image.width * image.height; ++i) {
        image.pixels.push_back(static_cast<std::uint32_t>(random.Next()) & 0xFFFFFF);
        low = std::min(low, image.pixels.back() & 0xFF);
        high = std::max(high, image.pixels.back() & 0xFF);
    }
    const int width = static_cast<int>(random.Between(1, 30));
    const int height = static_cast<int>(random.Between(1, 30));
    const DibImage out = ResampleArea(image, width, height);
    Require(out.width == width && out.height == height &&
                out.pixels.size() == static_cast<std::size_t>(width) * static_cast<std::size_t>(height),
            "resampled to another size");
    for (std::uint32_t pixel : out.pixels)
        Require((pixel & 0xFF) >= low && (pixel & 0xFF) <= high && pixel <= 0xFFFFFF, "a channel left the source's range");
}

void One(Random& random)
{
    if (random.Chance(80)) CheckDecoding(random);
    else CheckResample(random);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv) { return zelora::fuzz::RunDriver(argc, argv, "skin_art", zelora::fuzz::One); }
