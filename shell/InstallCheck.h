#pragma once
// The first start after installation: the installer leaves "CheckInstall" = 0 under the
// product's Setup key, and that start makes every settings page store its defaults.

#include "platform/registry/RegistryStore.h"

namespace zelora {

inline constexpr std::string_view kSetupKey = "Software\\Tarnwick\\Quellmark\\Setup\\";

enum class FirstRun {
    No,       // "CheckInstall" is anything but 0, or missing
    Claimed,  // it was 0 and now is 1: this start resets the pages
    Refused,  // it is 0 but cannot be set to 1 (a standard user): reset nothing
};

// "CheckInstall" is 0: the next claim is this start's to make (or to be refused).
bool FirstRunPending(RegistryStore& store);

// Marks the first run as done before anything is reset. Were the pages reset first, a
// start whose mark is refused would reset every page's settings again on every start.
FirstRun ClaimFirstRun(RegistryStore& store);

}  // namespace zelora
