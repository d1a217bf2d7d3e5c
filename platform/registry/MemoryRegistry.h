#pragma once
// An in-memory registry with the real one's semantics: names matched without regard to
// case, values kept as raw bytes and type, short buffers answered with MoreData. Tests run
// the same contract suite against it and against the real registry, so it cannot drift.

#include "platform/registry/KeySecurity.h"
#include "platform/registry/RegistryBackend.h"

#include <functional>
#include <map>
#include <memory>

namespace zelora {

class MemoryRegistry final : public RegistryBackend, private KeySecurity {
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
    void VisitSubkeyValues(RegRoot root, std::string_view basePath,
                           std::span<const SubkeyValueQuery> queries, std::uint32_t maxBytes,
                           SubkeyValueVisitor visit) override;
    // Exact for ASCII only (ApproximateCp949): the contract suite's cases are ASCII.
    std::string CodePageBytes(std::u16string_view units) const override;
    RegStatus ProbeFullAccess(RegRoot root, std::string_view path) override;
    RegStatus DeleteTree(RegRoot root, std::string_view path) override;
    KeySecurity* Security() override { return this; }

    // What a descriptor lets an elevated administrator do. The bytes are opaque here: each
    // descriptor a test gives (or a step makes) is recorded with its rights, so writing back
    // the original bytes gives back the original rights, as the real registry's do.
    struct DescriptorRights {
        bool administratorsWrite = true;  // the DACL lets Administrators set values
        bool administratorsOwn = false;   // Administrators own the key (may change its DACL)
        bool ownershipRefused = false;    // taking ownership fails (TrustedInstaller under Wine)
    };
    // Gives a key (made if missing) this descriptor. A key never given one has the empty
    // descriptor, which allows everything.
    void SetKeySecurity(RegRoot root, std::string_view path,
                        std::span<const unsigned char> descriptor, DescriptorRights rights);
    // As a standard user: Elevated() is false (RefuseWrites(LocalMachine) implies it too).
    void RunAsStandardUser() { m_standardUser = true; }

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
    bool Elevated() const override;
    RegStatus EnablePrivileges() override;
    RegStatus ReadDescriptor(RegRoot root, std::string_view path,
                             std::vector<unsigned char>& descriptor) override;
    RegStatus WriteDescriptor(RegRoot root, std::string_view path,
                              std::span<const unsigned char> descriptor) override;
    RegStatus TakeOwnership(RegRoot root, std::string_view path) override;
    RegStatus GrantAdministratorsWrite(RegRoot root, std::string_view path) override;

    struct Key;
    const DescriptorRights& RightsOf(const Key& key) const;
    // A step's new descriptor: the old bytes and a mark, recorded with their rights.
    void Derive(Key& key, unsigned char mark, DescriptorRights rights);
    bool Writable(const Key* key) const;
    Key* Find(RegRoot root, std::string_view path) const;
    static RegStatus QueryIn(Key* key, std::string_view name, void* buffer, std::uint32_t& size,
                             RegType* type);
    Key* Open(RegRoot root, std::string_view path, KeyOpen open);
    static void VisitKey(const Key& key, RegRoot root, const std::string& path,
                         const KeyVisitor& onKey, const ValueVisitor& onValue);

    std::unique_ptr<Key> m_roots[3];
    bool m_refuseWrites[3] = {false, false, false};
    bool m_standardUser = false;
    std::map<std::string, DescriptorRights> m_rightsOf;  // by the descriptor's bytes
};

}  // namespace zelora
