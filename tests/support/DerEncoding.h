#pragma once
// Test side of the signature file's form: r||s written as the DER that openssl writes, so
// tests can make valid signature files and vary them.

#include <cstdint>
#include <string>

namespace zelora::testsupport {

// One DER INTEGER of a 32-byte big-endian number: leading zeros dropped, one zero put back
// when the top bit is set (the number is positive).
inline std::string DerInteger(const std::uint8_t* number)
{
    std::size_t first = 0;
    while (first < 31 && number[first] == 0) ++first;
    std::string value(reinterpret_cast<const char*>(number) + first, 32 - first);
    if (static_cast<std::uint8_t>(value[0]) & 0x80) value.insert(value.begin(), '\0');
    return std::string{'\x02', static_cast<char>(value.size())} + value;
}

inline std::string DerFromRawSignature(const std::uint8_t* rs)
{
    const std::string body = DerInteger(rs) + DerInteger(rs + 32);
    return std::string{'\x30', static_cast<char>(body.size())} + body;
}

}  // namespace zelora::testsupport
