// The FilterData reader over registrations as the filter mapper writes them and over those
// same blobs damaged (bytes flipped, counts and offsets set to edge values, cut short or
// grown) or replaced by noise: it never reads outside the blob (the sanitizers watch), an
// undamaged blob gives back exactly its input pins' types, and whatever it returns is no
// larger than the blob could hold. Now and then the damaged blob is registered and the
// page's whole fill runs over it, which must write nothing.
#include "fuzz/FuzzRegistry.h"
#include "support/PreferredFixture.h"

namespace zelora::fuzz {
namespace {

using zelora::PinSpec;

constexpr std::uint32_t kEdges[] = {0, 1, 2, 3, 15, 16, 17, 0x7FFFFFFF, 0x80000000, 0xFFFFFFF0, 0xFFFFFFFF};

Guid RandomGuid(Random& random)
{
    if (random.Chance(50)) return random.Pick(MediaFormats().data()[random.Below(MediaFormats().size())].subtypes);
    Guid guid;
    for (auto& byte : guid.bytes) byte = static_cast<std::uint8_t>(random.Below(256));
    return guid;
}

std::vector<PinSpec> RandomPins(Random& random)
{
    std::vector<PinSpec> pins(random.Below(5));
    for (PinSpec& pin : pins) {
        pin.output = random.Chance(40);
        pin.category = random.Chance(30);
        pin.mediums = static_cast<std::uint32_t>(random.Below(3));
        pin.types.resize(random.Below(6));
        for (PinMediaType& type : pin.types) type = {RandomGuid(random), RandomGuid(random)};
    }
    return pins;
}

void Damage(Random& random, std::vector<unsigned char>& blob)
{
    const std::size_t edits = 1 + random.Below(4);
    for (std::size_t i = 0; i < edits && !blob.empty(); ++i) {
        const std::size_t at = random.Below(blob.size());
        switch (random.Below(4)) {
        case 0: blob[at] ^= static_cast<unsigned char>(1u << random.Below(8)); break;
        case 1: {
            const std::uint32_t edge = random.Pick(kEdges) + static_cast<std::uint32_t>(random.Chance(50) ? blob.size() : 0);
            for (std::size_t b = 0; b < 4 && at + b < blob.size(); ++b) blob[at + b] = static_cast<unsigned char>(edge >> (8 * b));
            break;
        }
        case 2: blob.resize(at); break;
        default: blob.resize(blob.size() + random.Below(64), static_cast<unsigned char>(random.Below(256))); break;
        }
    }
}

void CheckFill(const std::vector<unsigned char>& blob)
{
    MemoryRegistry bits32;
    testing::RegisterFilter(bits32, "{55555555-5555-5555-5555-555555555555}", "Fuzzed", "C:\\f.ax", blob);
    const auto before = testing::Snapshot(bits32);
    const testing::EveryFile files;
    const std::vector<FormatRow> rows = ReadPreferredDecoders({&bits32, nullptr}, files);
    Require(rows.size() == MediaFormats().size() && !rows[0].views[1], "the fill lost a row or made a view");
    Require(testing::Snapshot(bits32) == before, "the fill wrote to the registry");
}

void OneInput(Random& random)
{
    const std::vector<PinSpec> pins = RandomPins(random);
    std::vector<unsigned char> blob = random.Chance(50) ? FilterDataV2(pins) : FilterDataV1(pins);
    const bool noise = random.Chance(5);
    const bool damaged = noise || random.Chance(85);
    if (noise) blob = random.Bytes(random.Below(2048));
    else if (damaged) Damage(random, blob);
    const auto types = ReadInputPinTypes(blob);
    if (types) Require(types->size() <= blob.size() / 16, "more types than the blob can hold");
    if (!damaged) {
        std::vector<PinMediaType> expected;
        for (const PinSpec& pin : pins)
            if (!pin.output) expected.insert(expected.end(), pin.types.begin(), pin.types.end());
        Require(types == expected, "a well-formed blob was not read back as written");
    }
    if (random.Chance(3)) CheckFill(blob);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "filter_data", zelora::fuzz::OneInput);
}
