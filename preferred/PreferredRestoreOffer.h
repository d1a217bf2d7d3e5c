#pragma once
// What the uninstaller asks of Zelora.exe before it removes the program: when Zelora changed
// the Windows preferred decoders (a saved copy of a Preferred key is there), offer to give
// back exactly what it found, as "Windows 기본값으로" does. With nothing saved it asks
// nothing.

#include "preferred/PreferredDecoders.h"

#include <string_view>

namespace zelora {

// Zelora.exe /restore-preferred [/quiet]
inline constexpr std::wstring_view kRestorePreferredSwitch = L"/restore-preferred";
inline constexpr std::wstring_view kQuietSwitch = L"/quiet";

enum class RestoreOffer {
    Ask,
    // A silent uninstall: nobody is there to answer, so nothing is asked and everything is
    // given back (left as it is, the system keys would keep Zelora's choice, and their
    // original owner and DACL, after the only program that can restore them is gone).
    Quiet,
};

// The uninstaller's exit code: 0 when nothing was saved, all was given back, or the user
// chose to keep Zelora's choice (the saved copy then stays, for a later Zelora to give
// back); 1 when giving back failed (told unless quiet; the copy stays).
int OfferPreferredRestore(const RegistryViews& views, RestoreOffer offer);

}  // namespace zelora
