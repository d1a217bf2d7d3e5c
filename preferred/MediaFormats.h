#pragma once
// The formats of the preferred-decoder page and the media subtypes each covers: the one
// place these GUIDs are written. A GUID is kept as its 16 bytes in memory order (Data1..3
// least significant byte first), as filter registrations store them.

#include <array>
#include <compare>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelora {

struct Guid {
    std::array<std::uint8_t, 16> bytes{};
    friend constexpr bool operator==(const Guid&, const Guid&) = default;
    friend constexpr auto operator<=>(const Guid&, const Guid&) = default;
};

namespace detail {
constexpr int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
// Each character's value as a hex digit, -1 for one that is none: a page's fill parses
// thousands of class names.
inline constexpr std::array<std::int8_t, 256> kHexValue = [] {
    std::array<std::int8_t, 256> table{};
    for (std::size_t c = 0; c < table.size(); ++c)
        table[c] = static_cast<std::int8_t>(HexDigit(static_cast<char>(c)));
    return table;
}();
// The text's pairs of hex digits in the order written, as byte positions in memory: Data1..3
// are stored least significant byte first.
inline constexpr int kGuidByteOrder[16] = {3, 2, 1, 0, 5, 4, 7, 6, 8, 9, 10, 11, 12, 13, 14, 15};
constexpr bool DashBefore(int pair) { return pair == 4 || pair == 6 || pair == 8 || pair == 10; }
}  // namespace detail

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in either case, as the registry writes a class
// or subtype name; anything else (no braces, blanks, other lengths) is no GUID.
constexpr std::optional<Guid> ParseGuid(std::string_view text)
{
    if (text.size() != 38 || text.front() != '{' || text.back() != '}') return std::nullopt;
    Guid guid;
    std::size_t at = 1;
    for (int pair = 0; pair < 16; ++pair) {
        if (detail::DashBefore(pair)) {
            if (text[at] != '-') return std::nullopt;
            ++at;
        }
        const int high = detail::kHexValue[static_cast<unsigned char>(text[at])];
        const int low = detail::kHexValue[static_cast<unsigned char>(text[at + 1])];
        if (high < 0 || low < 0) return std::nullopt;
        guid.bytes[static_cast<std::size_t>(detail::kGuidByteOrder[pair])] = static_cast<std::uint8_t>(high * 16 + low);
        at += 2;
    }
    return guid;
}

// Upper case with braces, as the class names of the system's own registrations.
std::string GuidText(const Guid& guid);

// Media subtypes derived from a FOURCC or a wave format tag share one base,
// {00000000-0000-0010-8000-00AA00389B71}, with the code in Data1.
constexpr Guid SubtypeOfCode(std::uint32_t code)
{
    Guid guid{{0, 0, 0, 0, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};
    for (std::size_t i = 0; i < 4; ++i) guid.bytes[i] = static_cast<std::uint8_t>(code >> (8 * i));
    return guid;
}
// 'H264' is the DWORD whose bytes in memory are H, 2, 6, 4.
constexpr Guid FourCcSubtype(const char (&code)[5])
{
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(code[i]);
    return SubtypeOfCode(value);
}
constexpr Guid WaveTagSubtype(std::uint16_t tag) { return SubtypeOfCode(tag); }
constexpr Guid KnownGuid(std::string_view text) { return *ParseGuid(text); }

enum class MediaGroup { Video, Audio };

struct MediaFormat {
    std::string_view id;    // stable key for the page and the tests
    MediaGroup group;
    std::string_view name;  // what the page shows
    std::span<const Guid> subtypes;
};

std::span<const MediaFormat> MediaFormats();
const MediaFormat* FindMediaFormat(std::string_view id);

}  // namespace zelora
