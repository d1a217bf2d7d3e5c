#include "preferred/FilterData.h"

#include "platform/image/LittleEndian.h"

#include <cstdint>
#include <cstring>

namespace zelora {
namespace {

constexpr std::uint32_t kPinFlagOutput = 0x8;  // REG_PINFLAG_B_OUTPUT, in both layouts

// Layout sizes: version 2 (REGFILTER2 with REGFILTERPINS2) and version 1 (the older pins
// that carry their types inline, each with both GUIDs).
constexpr std::size_t kHeader2 = 16;   // version, merit, pins, reserved
constexpr std::size_t kHeader1 = 12;   // version, merit, pins
constexpr std::size_t kPin2 = 24;      // signature, flags, instances, types, mediums, category
constexpr std::size_t kType2 = 16;     // signature, reserved, major offset, minor offset
constexpr std::size_t kPin1 = 40;      // signature, flags, connects-to CLSID, types, types
                                       // offset, name offset, connects-to pin offset
constexpr std::size_t kType1 = 36;     // signature, major, minor
constexpr std::size_t kGuidBytes = 16;

// A cursor that never reads past the blob: every read says whether it fitted.
class Reader {
public:
    explicit Reader(std::span<const unsigned char> blob) : m_blob(blob) {}

    bool Dword(std::size_t at, std::uint32_t& value) const
    {
        if (!Fits(at, 4)) return false;
        value = little_endian::Read32(m_blob, at);
        return true;
    }
    bool GuidAt(std::size_t at, Guid& guid) const
    {
        if (!Fits(at, kGuidBytes)) return false;
        std::memcpy(guid.bytes.data(), m_blob.data() + at, kGuidBytes);
        return true;
    }
    // The signature's second and third letters ("pi", "ty"), which every writer puts
    // after the pin's or type's index digit.
    bool Signature(std::size_t at, char second, char third) const
    {
        return Fits(at, 4) && m_blob[at + 1] == second && m_blob[at + 2] == third;
    }
    bool Fits(std::size_t at, std::size_t length) const
    {
        return at <= m_blob.size() && length <= m_blob.size() - at;
    }

private:
    std::span<const unsigned char> m_blob;
};

// Counts are checked against what the remaining bytes could hold before any loop runs, so
// a count of four billion is refused at once instead of walked.
bool CountFits(std::uint32_t count, std::size_t each, std::size_t available)
{
    return count <= available / each;
}

bool ReadVersion2(const Reader& in, std::size_t size, std::vector<PinMediaType>& types)
{
    std::uint32_t pins = 0;
    if (!in.Dword(8, pins) || !CountFits(pins, kPin2, size - kHeader2)) return false;
    std::size_t at = kHeader2;
    for (std::uint32_t pin = 0; pin < pins; ++pin) {
        std::uint32_t flags = 0, typeCount = 0, mediums = 0, hasCategory = 0;
        if (!in.Signature(at, 'p', 'i') || !in.Dword(at + 4, flags) ||
            !in.Dword(at + 12, typeCount) || !in.Dword(at + 16, mediums) ||
            !in.Dword(at + 20, hasCategory))
            return false;
        at += kPin2 + (hasCategory ? 4 : 0);
        if (!in.Fits(at, 0) || !CountFits(typeCount, kType2, size - at)) return false;
        for (std::uint32_t t = 0; t < typeCount; ++t, at += kType2) {
            std::uint32_t majorAt = 0, minorAt = 0;
            PinMediaType type;
            if (!in.Signature(at, 't', 'y') || !in.Dword(at + 8, majorAt) ||
                !in.Dword(at + 12, minorAt) || !in.GuidAt(majorAt, type.major) ||
                !in.GuidAt(minorAt, type.sub))
                return false;
            if (!(flags & kPinFlagOutput)) types.push_back(type);
        }
        if (!CountFits(mediums, 4, size - at)) return false;
        at += std::size_t{mediums} * 4;
    }
    return true;
}

bool ReadVersion1(const Reader& in, std::size_t size, std::vector<PinMediaType>& types)
{
    std::uint32_t pins = 0;
    if (!in.Dword(8, pins) || !CountFits(pins, kPin1, size - kHeader1)) return false;
    // The types lie where each pin's offset says, so pins could all name the same ones: no
    // more types in all than the blob could hold once keeps the output as small as the input.
    std::size_t typesInAll = 0;
    for (std::uint32_t pin = 0; pin < pins; ++pin) {
        const std::size_t at = kHeader1 + std::size_t{pin} * kPin1;
        std::uint32_t flags = 0, typeCount = 0, typesAt = 0;
        if (!in.Signature(at, 'p', 'i') || !in.Dword(at + 4, flags) ||
            !in.Dword(at + 24, typeCount) || !in.Dword(at + 28, typesAt) ||
            !in.Fits(typesAt, 0) || !CountFits(typeCount, kType1, size - typesAt))
            return false;
        typesInAll += typeCount;
        if (typesInAll > size / kType1) return false;
        for (std::uint32_t t = 0; t < typeCount; ++t) {
            const std::size_t typeAt = typesAt + std::size_t{t} * kType1;
            PinMediaType type;
            if (!in.Signature(typeAt, 't', 'y') || !in.GuidAt(typeAt + 4, type.major) ||
                !in.GuidAt(typeAt + 20, type.sub))
                return false;
            if (!(flags & kPinFlagOutput)) types.push_back(type);
        }
    }
    return true;
}

}  // namespace

bool ReadInputPinTypes(std::span<const unsigned char> blob, std::vector<PinMediaType>& types)
{
    types.clear();
    if (blob.size() > kMaxFilterDataBytes) return false;
    const Reader in(blob);
    std::uint32_t version = 0;
    if (in.Dword(0, version) && version == 2 && blob.size() >= kHeader2)
        return ReadVersion2(in, blob.size(), types);
    if (version == 1 && blob.size() >= kHeader1) return ReadVersion1(in, blob.size(), types);
    return false;
}

std::optional<std::vector<PinMediaType>> ReadInputPinTypes(std::span<const unsigned char> blob)
{
    std::vector<PinMediaType> types;
    types.reserve(blob.size() / 32);  // about a usual registration's types: one allocation
    if (!ReadInputPinTypes(blob, types)) return std::nullopt;
    return types;
}

}  // namespace zelora
