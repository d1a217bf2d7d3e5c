#include "shell/InstallCheck.h"

namespace zelora {

FirstRun ClaimFirstRun(RegistryStore& store)
{
    if (store.ReadDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall") != 0)
        return FirstRun::No;
    return store.WriteDword(RegRoot::LocalMachine, kSetupKey, "CheckInstall", 1)
               ? FirstRun::Claimed
               : FirstRun::Refused;
}

}  // namespace zelora
