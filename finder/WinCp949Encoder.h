#pragma once
// Code page 949 through the system's own conversion table.

#include "finder/SiteCatalogue.h"

#include <windows.h>

namespace zelora {

class WinCp949Encoder final : public Cp949Encoder {
public:
    bool Encode(char32_t ch, std::string& bytes) const override
    {
        wchar_t units[2];
        int count = 1;
        if (ch >= 0x10000) {
            units[0] = static_cast<wchar_t>(0xD800 + ((ch - 0x10000) >> 10));
            units[1] = static_cast<wchar_t>(0xDC00 + ((ch - 0x10000) & 0x3FF));
            count = 2;
        } else {
            units[0] = static_cast<wchar_t>(ch);
        }
        char out[8];
        BOOL usedDefault = FALSE;
        // No best fit: a character the code page lacks must not turn into a look-alike.
        const int length = ::WideCharToMultiByte(949, WC_NO_BEST_FIT_CHARS, units, count, out,
                                                 sizeof out, nullptr, &usedDefault);
        if (length <= 0 || usedDefault) return false;
        bytes.append(out, static_cast<std::size_t>(length));
        return true;
    }
};

}  // namespace zelora
