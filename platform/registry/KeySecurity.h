#pragma once
// A key's security descriptor, for the few system keys the programs must change although
// their descriptor refuses it (the decoders' Preferred keys, owned by TrustedInstaller).
// The descriptor is opaque bytes (self-relative: owner, group, DACL) read before any change
// and written back byte for byte afterwards. Each step can fail on its own, and the caller
// names the failed step to the user.

#include "platform/registry/RegistryBackend.h"

#include <span>
#include <string_view>
#include <vector>

namespace zelora {

class KeySecurity {
public:
    virtual ~KeySecurity() = default;

    // Whether the program runs as an elevated administrator; nothing is tried otherwise.
    virtual bool Elevated() const = 0;
    // SeTakeOwnershipPrivilege and SeRestorePrivilege for this process: Denied when the
    // token lacks either.
    virtual RegStatus EnablePrivileges() = 0;

    virtual RegStatus ReadDescriptor(RegRoot root, std::string_view path,
                                     std::vector<unsigned char>& descriptor) = 0;
    // Owner, group and DACL as `descriptor` has them.
    virtual RegStatus WriteDescriptor(RegRoot root, std::string_view path,
                                      std::span<const unsigned char> descriptor) = 0;
    // Makes BUILTIN\Administrators (S-1-5-32-544, never looked up by name: a Korean Windows
    // names the group differently) the key's owner.
    virtual RegStatus TakeOwnership(RegRoot root, std::string_view path) = 0;
    // Adds full control for Administrators to the key's DACL (the owner may always do so).
    virtual RegStatus GrantAdministratorsWrite(RegRoot root, std::string_view path) = 0;
};

}  // namespace zelora
