#pragma once
// FilterData written as the filter mapper writes it, from pins: the reader's counterpart,
// so the tests and the bench state pins and types rather than bytes. Not used by the
// programs, which only ever read registrations.

#include "preferred/FilterData.h"

#include <cstdint>
#include <vector>

namespace zelora {

struct PinSpec {
    bool output = false;
    std::vector<PinMediaType> types;
    bool category = false;
    std::uint32_t mediums = 0;
};

class BlobWriter {
public:
    void Dword(std::uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i))); }
    void Tag(char index, const char* rest) { bytes.push_back(static_cast<unsigned char>(index)); bytes.insert(bytes.end(), rest, rest + 3); }
    void GuidBytes(const Guid& g) { bytes.insert(bytes.end(), g.bytes.begin(), g.bytes.end()); }
    std::vector<unsigned char> bytes;
};

// Version 2: pins and types inline, the GUIDs in a pool after them, named by offset.
inline std::vector<unsigned char> FilterDataV2(const std::vector<PinSpec>& pins)
{
    std::size_t mainSize = 16;
    for (const PinSpec& pin : pins) mainSize += 24 + (pin.category ? 4 : 0) + pin.types.size() * 16 + pin.mediums * 4;
    BlobWriter out, pool;
    const auto offsetOf = [&](const Guid& g) {
        const auto at = static_cast<std::uint32_t>(mainSize + pool.bytes.size());
        pool.GuidBytes(g);
        return at;
    };
    out.Dword(2); out.Dword(0x600000); out.Dword(static_cast<std::uint32_t>(pins.size())); out.Dword(0);
    for (std::size_t i = 0; i < pins.size(); ++i) {
        const PinSpec& pin = pins[i];
        out.Tag(static_cast<char>('0' + i), "pi3");
        out.Dword(pin.output ? 8 : 0); out.Dword(1);
        out.Dword(static_cast<std::uint32_t>(pin.types.size())); out.Dword(pin.mediums); out.Dword(pin.category);
        if (pin.category) out.Dword(offsetOf(Guid{}));
        for (std::size_t t = 0; t < pin.types.size(); ++t) {
            out.Tag(static_cast<char>('0' + t), "ty3"); out.Dword(0);
            out.Dword(offsetOf(pin.types[t].major)); out.Dword(offsetOf(pin.types[t].sub));
        }
        for (std::uint32_t m = 0; m < pin.mediums; ++m) out.Dword(static_cast<std::uint32_t>(mainSize));
    }
    out.bytes.insert(out.bytes.end(), pool.bytes.begin(), pool.bytes.end());
    return out.bytes;
}

// Version 1: a header of three DWORDs, the pins, then each pin's types with both GUIDs.
inline std::vector<unsigned char> FilterDataV1(const std::vector<PinSpec>& pins)
{
    BlobWriter out;
    out.Dword(1); out.Dword(0x600000); out.Dword(static_cast<std::uint32_t>(pins.size()));
    std::size_t typesAt = 12 + pins.size() * 40;
    for (const PinSpec& pin : pins) {
        out.Tag('0', "pin"); out.Dword(pin.output ? 8 : 0); out.GuidBytes(Guid{});
        out.Dword(static_cast<std::uint32_t>(pin.types.size())); out.Dword(static_cast<std::uint32_t>(typesAt));
        out.Dword(0); out.Dword(0);
        typesAt += pin.types.size() * 36;
    }
    for (const PinSpec& pin : pins)
        for (const PinMediaType& type : pin.types) { out.Tag('0', "typ"); out.GuidBytes(type.major); out.GuidBytes(type.sub); }
    return out.bytes;
}

}  // namespace zelora
