#pragma once
// Little-endian fields of the binary formats read here: the skin's pictures, the filters'
// registrations.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zelora::little_endian {

inline std::uint32_t Read16(std::span<const std::uint8_t> b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8;
}

inline std::uint32_t Read32(std::span<const std::uint8_t> b, std::size_t at)
{
    return Read16(b, at) | Read16(b, at + 2) << 16;
}

}  // namespace zelora::little_endian
