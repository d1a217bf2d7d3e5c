// The registry contract against the real registry, and the memory registry built with the
// Windows compiler, so the fake and the real thing answer alike.
#include "contract/RegistryContract.h"

#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/Win32Registry.h"

namespace zelora::contract {
namespace {

std::unique_ptr<RegistryBackend> MakeMemory() { return std::make_unique<MemoryRegistry>(); }
std::unique_ptr<RegistryBackend> MakeReal() { return std::make_unique<Win32Registry>(); }

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract, ::testing::Values(&MakeMemory));
INSTANTIATE_TEST_SUITE_P(Real, RegistryContract, ::testing::Values(&MakeReal));

}  // namespace
}  // namespace zelora::contract
