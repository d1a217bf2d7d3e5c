#pragma once
// Where the inventory benchmark gets the machine's own registry. Each build supplies this:
// the portable one has none, a Windows build returns its Win32 backend so the same scan can
// be timed against the real registry (under Wine or on Windows).

#include "platform/registry/RegistryBackend.h"

#include <memory>

namespace zelora::bench {

// nullptr when this build cannot reach a real registry.
std::unique_ptr<RegistryBackend> CreateRealRegistry();

}  // namespace zelora::bench
