#include "shell/InstallCheck.h"

namespace zelora {

bool FirstRunPending(RegistryStore& store)
{
    return store.ReadDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall") == 0;
}

FirstRun ClaimFirstRun(RegistryStore& store)
{
    if (!FirstRunPending(store)) return FirstRun::No;
    return store.WriteDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall", 1)
               ? FirstRun::Claimed
               : FirstRun::Refused;
}

}  // namespace zelora
