#pragma once
// An in-memory registry with the real one's semantics: names matched without regard to
// case, values kept as raw bytes and type, short buffers answered with MoreData. Tests run
// the same contract suite against it and against the real registry, so it cannot drift.

#include "platform/registry/RegistryBackend.h"

#include <functional>
#include <map>
#include <memory>

namespace zelora {

class MemoryRegistry final : public RegistryBackend {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

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
    void QuerySubkeyValues(RegRoot root, std::string_view basePath,
                           std::span<const SubkeyValueQuery> queries, std::uint32_t maxBytes,
                           std::vector<RawValue>& results) override;
    // Exact for ASCII only (ApproximateCp949): the contract suite's cases are ASCII.
    std::string CodePageBytes(std::u16string_view units) const override;
    RegStatus ProbeFullAccess(RegRoot root, std::string_view path) override;
    RegStatus DeleteTree(RegRoot root, std::string_view path) override;

    // Every key (its path from the root, "" for the root itself) and every value, keys before
    // their values and subkeys: how tests compare the whole registry before and after a
    // change without resolving each path again.
    using KeyVisitor = std::function<void(RegRoot root, const std::string& path)>;
    using ValueVisitor =
        std::function<void(RegRoot root, const std::string& path, std::string_view name,
                           RegType type, std::span<const unsigned char> data)>;
    void Visit(const KeyVisitor& onKey, const ValueVisitor& onValue) const;

    // Makes every write under `root` fail with Denied, as HKLM's do for a standard user.
    void RefuseWrites(RegRoot root);

    // Makes a key refuse full access, as HKCR's filter category does for a plain user.
    void DenyFullAccess(RegRoot root, std::string_view path);
    bool KeyExists(RegRoot root, std::string_view path) const;

private:
    struct Key;
    Key* Find(RegRoot root, std::string_view path) const;
    Key* Open(RegRoot root, std::string_view path, KeyOpen open);
    static void VisitKey(const Key& key, RegRoot root, const std::string& path,
                         const KeyVisitor& onKey, const ValueVisitor& onValue);

    std::unique_ptr<Key> m_roots[3];
    bool m_refuseWrites[3] = {false, false, false};
};

}  // namespace zelora
