#pragma once
// What the Win32 registry backend and its keys' security share: the roots, the view flag
// every open carries, and the system's answers as the core's statuses.

#include <windows.h>

#include "platform/registry/RegistryBackend.h"
#include "platform/registry/RegistryView.h"
#include "platform/win/UniqueHandle.h"

#include <string_view>

namespace zelora::win {

HKEY RootKey(RegRoot root);
REGSAM ViewAccess(RegistryView view);
RegStatus ToStatus(LSTATUS status);
// Opens (or, with CreateIfMissing, creates) `path` in `view` with `access`.
RegStatus OpenKey(RegRoot root, std::string_view path, KeyOpen open, REGSAM access,
                  RegistryView view, UniqueKey& key);

}  // namespace zelora::win
