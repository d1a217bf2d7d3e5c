#include "bench/BenchRegistry.h"

namespace zelora::bench {

std::unique_ptr<RegistryBackend> CreateRealRegistry() { return nullptr; }

}  // namespace zelora::bench
