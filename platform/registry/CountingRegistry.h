#pragma once
// A registry backend that passes every call on to another and counts the calls by kind.
// Every call opens one key, and batched queries are counted by the keys they open, so the
// total is the number of key opens: what the inventory benchmark and its tests measure.

#include "platform/registry/RegistryBackend.h"

#include <cstdint>

namespace zelora {

struct RegistryCallCounts {
    std::uint64_t queryValue = 0;
    std::uint64_t setValue = 0;
    std::uint64_t deleteValue = 0;
    std::uint64_t enumValueNames = 0;
    std::uint64_t enumSubkeyNames = 0;
    std::uint64_t probeFullAccess = 0;
    std::uint64_t deleteTree = 0;
    // Keys opened by batched subkey queries: the base, then one per run on a subkey.
    std::uint64_t batchKeyOpens = 0;

    std::uint64_t Total() const
    {
        return queryValue + setValue + deleteValue + enumValueNames + enumSubkeyNames +
               probeFullAccess + deleteTree + batchKeyOpens;
    }
};

class CountingRegistry final : public RegistryBackend {
public:
    explicit CountingRegistry(RegistryBackend& inner) : m_inner(inner) {}

    const RegistryCallCounts& Counts() const { return m_counts; }
    void ResetCounts() { m_counts = {}; }

    RegStatus QueryValue(RegRoot root, std::string_view path, KeyOpen open,
                         std::string_view name, void* buffer, std::uint32_t& size,
                         RegType* type) override
    {
        ++m_counts.queryValue;
        return m_inner.QueryValue(root, path, open, name, buffer, size, type);
    }
    RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                       const void* data, std::uint32_t size) override
    {
        ++m_counts.setValue;
        return m_inner.SetValue(root, path, name, type, data, size);
    }
    RegStatus DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                          std::string_view name) override
    {
        ++m_counts.deleteValue;
        return m_inner.DeleteValue(root, path, open, name);
    }
    RegStatus EnumValueNames(RegRoot root, std::string_view path, KeyOpen open,
                             std::vector<std::string>& names) override
    {
        ++m_counts.enumValueNames;
        return m_inner.EnumValueNames(root, path, open, names);
    }
    RegStatus EnumSubkeyNames(RegRoot root, std::string_view path, KeyOpen open,
                              std::vector<std::string>& names) override
    {
        ++m_counts.enumSubkeyNames;
        return m_inner.EnumSubkeyNames(root, path, open, names);
    }
    void VisitSubkeyValues(RegRoot root, std::string_view basePath,
                           std::span<const SubkeyValueQuery> queries, std::uint32_t maxBytes,
                           SubkeyValueVisitor visit) override
    {
        ++m_counts.batchKeyOpens;
        for (std::size_t i = 0; i < queries.size(); ++i)
            if (i == 0 || queries[i].subkey != queries[i - 1].subkey) ++m_counts.batchKeyOpens;
        m_inner.VisitSubkeyValues(root, basePath, queries, maxBytes, visit);
    }
    std::string CodePageBytes(std::u16string_view units) const override
    {
        return m_inner.CodePageBytes(units);  // no registry call
    }
    RegStatus ProbeFullAccess(RegRoot root, std::string_view path) override
    {
        ++m_counts.probeFullAccess;
        return m_inner.ProbeFullAccess(root, path);
    }
    RegStatus DeleteTree(RegRoot root, std::string_view path) override
    {
        ++m_counts.deleteTree;
        return m_inner.DeleteTree(root, path);
    }
    KeySecurity* Security() override { return m_inner.Security(); }

private:
    RegistryBackend& m_inner;
    RegistryCallCounts m_counts;
};

}  // namespace zelora
