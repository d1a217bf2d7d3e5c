#pragma once
// A registry backend that passes every call on to another: the base of backends that
// change or watch a few calls (refuse some writes, record them) and leave the rest alone.

#include "platform/registry/RegistryBackend.h"

namespace zelora {

class ForwardingRegistry : public RegistryBackend {
public:
    // `inner` may be a member of the derived class: it is only stored here.
    explicit ForwardingRegistry(RegistryBackend& inner) : m_inner(inner) {}

    RegStatus QueryValue(RegRoot root, std::string_view path, KeyOpen open,
                         std::string_view name, void* buffer, std::uint32_t& size,
                         RegType* type) override
    {
        return m_inner.QueryValue(root, path, open, name, buffer, size, type);
    }
    RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                       const void* data, std::uint32_t size) override
    {
        return m_inner.SetValue(root, path, name, type, data, size);
    }
    RegStatus DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                          std::string_view name) override
    {
        return m_inner.DeleteValue(root, path, open, name);
    }
    RegStatus EnumValueNames(RegRoot root, std::string_view path, KeyOpen open,
                             std::vector<std::string>& names) override
    {
        return m_inner.EnumValueNames(root, path, open, names);
    }
    RegStatus EnumSubkeyNames(RegRoot root, std::string_view path, KeyOpen open,
                              std::vector<std::string>& names) override
    {
        return m_inner.EnumSubkeyNames(root, path, open, names);
    }
    void VisitSubkeyValues(RegRoot root, std::string_view basePath,
                           std::span<const SubkeyValueQuery> queries, std::uint32_t maxBytes,
                           SubkeyValueVisitor visit) override
    {
        m_inner.VisitSubkeyValues(root, basePath, queries, maxBytes, visit);
    }
    std::string CodePageBytes(std::u16string_view units) const override
    {
        return m_inner.CodePageBytes(units);
    }
    RegStatus ProbeFullAccess(RegRoot root, std::string_view path) override
    {
        return m_inner.ProbeFullAccess(root, path);
    }
    RegStatus DeleteTree(RegRoot root, std::string_view path) override
    {
        return m_inner.DeleteTree(root, path);
    }
    KeySecurity* Security() override { return m_inner.Security(); }

private:
    RegistryBackend& m_inner;
};

}  // namespace zelora
