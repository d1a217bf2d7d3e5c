#pragma once
// Where the inventory benchmark gets the machine's own registry. Each build supplies this:
// the portable one has none, a Windows build returns its Win32 backend so the same scan can
// be timed against the real registry (under Wine or on Windows).

#include "platform/registry/RegistryBackend.h"

#include <cstdint>
#include <memory>

namespace zelora::bench {

// nullptr when this build cannot reach a real registry.
std::unique_ptr<RegistryBackend> CreateRealRegistry();

// The least work any installed scan must do on `registry`: enumerate the DirectShow filter
// registrations, open each registration key once (the instance key, then the CLSID's
// InprocServer32 key) and read its values, with nothing else around it. The Windows build
// makes the raw registry calls itself when `registry` is the real one. Returns the number
// of registry calls made.
std::uint64_t BareRegistrationWalk(RegistryBackend& registry);

}  // namespace zelora::bench
