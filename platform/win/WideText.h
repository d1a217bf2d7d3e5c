#pragma once
// The one conversion at the Win32 boundary: the core's UTF-8 to and from wchar_t text.

#include "platform/text/Text.h"

#include <string>
#include <string_view>

namespace zelora::win {

// Windows' wchar_t is a UTF-16 code unit: the copies below are one-for-one.
static_assert(sizeof(wchar_t) == sizeof(char16_t));

inline std::wstring Wide(std::string_view utf8)
{
    const std::u16string units = Utf8ToUtf16(utf8);
    return std::wstring(units.begin(), units.end());
}

inline std::string Narrow(std::wstring_view wide)
{
    return Utf16ToUtf8(std::u16string(wide.begin(), wide.end()));
}

}  // namespace zelora::win
