#pragma once
// The real registry through the W functions, in one view. Every key is opened in that
// view: the 32-bit one unless told otherwise, so the 64-bit build reads and writes exactly
// what the shipped 32-bit build and the 32-bit decoders see.

#include "platform/registry/RegistryBackend.h"
#include "platform/registry/RegistryView.h"
#include "platform/registry/Win32KeySecurity.h"

namespace zelora {

class Win32Registry final : public RegistryBackend {
public:
    explicit Win32Registry(RegistryView view = RegistryView::Bits32)
        : m_view(view), m_security(view)
    {
    }
    // Whether this Windows has the view: the 64-bit one only on 64-bit Windows, whichever
    // build asks.
    static bool HasView(RegistryView view);

    RegStatus QueryValue(RegRoot root, std::string_view path, KeyOpen open,
                         std::string_view name, void* buffer, std::uint32_t& size,
                         RegType* type) override;
    RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                       const void* data, std::uint32_t size) override;
    RegStatus DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                          std::string_view name) override;
    RegStatus EnumValueNames(RegRoot root, std::string_view path, KeyOpen open,
                             std::vector<std::string>& names) override;
    RegStatus EnumSubkeyNames(RegRoot root, std::string_view path, KeyOpen open,
                              std::vector<std::string>& names) override;
    void VisitSubkeyValues(RegRoot root, std::string_view basePath,
                           std::span<const SubkeyValueQuery> queries, std::uint32_t maxBytes,
                           SubkeyValueVisitor visit) override;
    std::string CodePageBytes(std::u16string_view units) const override;
    RegStatus ProbeFullAccess(RegRoot root, std::string_view path) override;
    RegStatus DeleteTree(RegRoot root, std::string_view path) override;
    KeySecurity* Security() override { return &m_security; }

private:
    RegistryView m_view;
    Win32KeySecurity m_security;
};

}  // namespace zelora
