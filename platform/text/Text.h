#pragma once
// Text conversions of the portable core. The core speaks UTF-8; the registry and Win32
// speak UTF-16LE; the decoders and the original bookkeeping think in code page 949 bytes.

#include <cstdint>
#include <string>
#include <string_view>

namespace zelora {

// UTF-16 code units, as std::u16string so the core stays independent of wchar_t's width.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Bytes the text occupies in code page 949, without a terminator: ASCII takes one byte,
// every other character two (Hangul, Hanja and symbols are all double-byte there).
std::size_t Cp949Length(std::string_view utf8);

// UTF-16 units in code page 949 as far as the core knows it without the code page's
// tables: ASCII (NUL included) byte for byte, every other character as two bytes "??", the
// length Cp949Length gives. The system's conversion (Win32 layer) gives the real bytes.
std::string ApproximateCp949(std::u16string_view units);

// The hexadecimal digit of the low four bits of `nibble`.
constexpr char HexDigit(unsigned nibble, bool upper = false)
{
    return (upper ? "0123456789ABCDEF" : "0123456789abcdef")[nibble & 15u];
}

// The C library's decimal conversion (atoi): leading blanks, an optional sign, then digits
// up to the first non-digit; no digits gives 0. Out-of-range results clamp to int32 bounds.
std::int32_t DecimalTextToInt(std::string_view text);

}  // namespace zelora
