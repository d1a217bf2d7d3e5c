#pragma once
// The KeySecurity port on the real registry, in one view: the process token's elevation
// and privileges, and each key's owner, group and DACL as self-relative bytes. The owner
// taken is BUILTIN\Administrators by its well-known SID, never looked up by name.

#include "platform/registry/KeySecurity.h"
#include "platform/registry/RegistryView.h"

namespace zelora {

class Win32KeySecurity final : public KeySecurity {
public:
    explicit Win32KeySecurity(RegistryView view) : m_view(view) {}

    // An administrator's elevated token (before Vista, with no elevation to ask about:
    // membership of Administrators alone).
    bool Elevated() const override;
    // Enabled for the rest of the process: each later step of a change needs them.
    RegStatus EnablePrivileges() override;
    RegStatus ReadDescriptor(RegRoot root, std::string_view path,
                             std::vector<unsigned char>& descriptor) override;
    // Bytes that are not one whole self-relative descriptor are refused (Failed) before
    // anything is written; a protected DACL stays protected.
    RegStatus WriteDescriptor(RegRoot root, std::string_view path,
                              std::span<const unsigned char> descriptor) override;
    // Ok without a write when Administrators own the key already.
    RegStatus TakeOwnership(RegRoot root, std::string_view path) override;
    // An explicit allow of full control for Administrators, merged into the DACL in
    // canonical order; a key with no DACL lets everyone write already.
    RegStatus GrantAdministratorsWrite(RegRoot root, std::string_view path) override;

private:
    RegistryView m_view;
};

}  // namespace zelora
