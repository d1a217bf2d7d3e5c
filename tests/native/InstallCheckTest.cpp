// The first-run claim of the install check.
#include "FakePageControls.h"
#include "shell/InstallCheck.h"

#include <gtest/gtest.h>

#include <optional>

namespace zelora {
namespace {

TEST(InstallCheck, OnlyAStoredZeroThatCanBeSetToOneClaimsTheFirstRun)
{
    struct Case {
        std::optional<std::int32_t> stored;
        bool refused;
        FirstRun result;
        std::int32_t after;
    };
    const Case cases[] = {
        {0, false, FirstRun::Claimed, 1},
        {0, true, FirstRun::Refused, 0},  // a standard user: no reset, every start alike
        {1, false, FirstRun::No, 1},
        {7, false, FirstRun::No, 7},
        {std::nullopt, false, FirstRun::No, RegistryStore::MissingDword},
    };
    for (const Case& c : cases) {
        pagetest::RecordingRegistry registry;
        RegistryStore store(registry);
        if (c.stored) store.WriteDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall", *c.stored);
        if (c.refused) registry.refuseWritesUnder = RegRoot::LocalMachine;
        EXPECT_EQ(ClaimFirstRun(store), c.result) << c.stored.value_or(-1);
        EXPECT_EQ(store.ReadDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall"), c.after);
    }
}

}  // namespace
}  // namespace zelora
