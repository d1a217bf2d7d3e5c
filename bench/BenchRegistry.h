#pragma once
// Where the registry benchmarks get the machine's own registry and file system. Each build
// supplies this: the portable one has none, a Windows build returns its Win32 backend and the
// programs' own file check, so the same code can be timed against the real ones (under Wine
// or on Windows).

#include "codecs/FilterInventory.h"
#include "platform/registry/RegistryBackend.h"
#include "platform/registry/RegistryView.h"

#include <cstdint>
#include <memory>

namespace zelora::bench {

// nullptr when this build cannot reach a real registry, or this Windows has no such view.
std::unique_ptr<RegistryBackend> CreateRealRegistry(RegistryView view = RegistryView::Bits32);

// The file check the programs use for "file missing", with a word on what it calls; nullptr
// when this build has none.
struct RealFiles {
    std::unique_ptr<FileProbe> probe;
    const char* what = "";
};
RealFiles CreateRealFiles();

// The least work any installed scan must do on `registry`: enumerate the DirectShow filter
// registrations, open each registration key once (the instance key, then the CLSID's
// InprocServer32 key) and read its values, with nothing else around it. The Windows build
// makes the raw registry calls itself when `registry` is the real one. Returns the number
// of registry calls made.
std::uint64_t BareRegistrationWalk(RegistryBackend& registry);

}  // namespace zelora::bench
