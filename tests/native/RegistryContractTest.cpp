#include "contract/RegistryContract.h"

#include "platform/registry/MemoryRegistry.h"

namespace zelora::contract {
namespace {

std::unique_ptr<RegistryBackend> MakeMemory() { return std::make_unique<MemoryRegistry>(); }

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract, ::testing::Values(&MakeMemory));

}  // namespace
}  // namespace zelora::contract
