// The Windows builds' registry for the inventory benchmark (link with zelora_win).
#include "bench/BenchRegistry.h"

#include "platform/registry/Win32Registry.h"

namespace zelora::bench {

std::unique_ptr<RegistryBackend> CreateRealRegistry() { return std::make_unique<Win32Registry>(); }

}  // namespace zelora::bench
