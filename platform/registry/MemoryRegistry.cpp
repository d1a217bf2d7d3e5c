#include "platform/registry/MemoryRegistry.h"

#include "platform/text/Text.h"

#include <algorithm>
#include <cstring>

namespace zelora {
namespace {

std::string BytesKey(std::span<const unsigned char> bytes) { return {bytes.begin(), bytes.end()}; }

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool SameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](char x, char y) { return FoldCase(x) == FoldCase(y); });
}

struct NameLess {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const
    {
        return std::lexicographical_compare(
            a.begin(), a.end(), b.begin(), b.end(),
            [](char x, char y) { return FoldCase(x) < FoldCase(y); });
    }
};

// "A\B\\C\" -> {"A", "B", "C"}: the registry ignores empty components.
std::vector<std::string_view> SplitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

// Calls `part` with each component of `path` in turn, until it returns false; no copies.
template <class Part>
bool EachPart(std::string_view path, Part part)
{
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start && !part(path.substr(start, end - start))) return false;
        start = end + 1;
    }
    return true;
}

}  // namespace

struct MemoryRegistry::Key {
    struct Value {
        std::string name;
        RegType type;
        std::vector<unsigned char> data;
    };
    std::vector<Value> values;  // creation order, as the registry enumerates them
    std::map<std::string, std::unique_ptr<Key>, NameLess> subkeys;
    bool denyFullAccess = false;
    std::vector<unsigned char> descriptor;  // empty: the default, which allows everything

    Value* FindValue(std::string_view name)
    {
        for (auto& v : values)
            if (SameName(v.name, name)) return &v;
        return nullptr;
    }
    // The key at `path` below this one; null when a part is missing.
    Key* Below(std::string_view path)
    {
        Key* key = this;
        const bool found = EachPart(path, [&](std::string_view part) {
            const auto it = key->subkeys.find(part);
            key = it == key->subkeys.end() ? nullptr : it->second.get();
            return key != nullptr;
        });
        return found ? key : nullptr;
    }
};

MemoryRegistry::MemoryRegistry()
{
    for (auto& root : m_roots) root = std::make_unique<Key>();
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::Find(RegRoot root, std::string_view path) const
{
    Key* key = m_roots[static_cast<int>(root)].get();
    for (auto part : SplitPath(path)) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end()) return nullptr;
        key = it->second.get();
    }
    return key;
}

MemoryRegistry::Key* MemoryRegistry::Open(RegRoot root, std::string_view path, KeyOpen open)
{
    if (open == KeyOpen::ExistingOnly) return Find(root, path);
    Key* key = m_roots[static_cast<int>(root)].get();
    for (auto part : SplitPath(path)) {
        auto it = key->subkeys.find(part);
        if (it == key->subkeys.end())
            it = key->subkeys.emplace(std::string(part), std::make_unique<Key>()).first;
        key = it->second.get();
    }
    return key;
}

RegStatus MemoryRegistry::QueryValue(RegRoot root, std::string_view path, KeyOpen open,
                                     std::string_view name, void* buffer, std::uint32_t& size,
                                     RegType* type)
{
    return QueryIn(Open(root, path, open), name, buffer, size, type);
}

RegStatus MemoryRegistry::QueryIn(Key* key, std::string_view name, void* buffer,
                                  std::uint32_t& size, RegType* type)
{
    if (!key) return RegStatus::NotFound;
    Key::Value* value = key->FindValue(name);
    if (!value) return RegStatus::NotFound;
    if (type) *type = value->type;
    const auto length = static_cast<std::uint32_t>(value->data.size());
    if (buffer && length > size) {
        size = length;
        return RegStatus::MoreData;
    }
    if (buffer && length > 0) std::memcpy(buffer, value->data.data(), length);
    size = length;
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::SetValue(RegRoot root, std::string_view path, std::string_view name,
                                   RegType type, const void* data, std::uint32_t size)
{
    if (m_refuseWrites[static_cast<int>(root)] || !Writable(Find(root, path)))
        return RegStatus::Denied;
    Key* key = Open(root, path, KeyOpen::CreateIfMissing);
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::vector<unsigned char> copy(bytes, bytes + size);
    if (Key::Value* value = key->FindValue(name)) {
        value->type = type;
        value->data = std::move(copy);
    } else {
        key->values.push_back({std::string(name), type, std::move(copy)});
    }
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                                      std::string_view name)
{
    if (m_refuseWrites[static_cast<int>(root)]) return RegStatus::Denied;
    Key* key = Open(root, path, open);
    if (!key) return RegStatus::NotFound;
    if (!Writable(key)) return RegStatus::Denied;
    auto it = std::find_if(key->values.begin(), key->values.end(),
                           [&](const Key::Value& v) { return SameName(v.name, name); });
    if (it == key->values.end()) return RegStatus::NotFound;
    key->values.erase(it);
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::EnumValueNames(RegRoot root, std::string_view path, KeyOpen open,
                                         std::vector<std::string>& names)
{
    names.clear();
    Key* key = Open(root, path, open);
    if (!key) return RegStatus::NotFound;
    for (const auto& v : key->values) names.push_back(v.name);
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::EnumSubkeyNames(RegRoot root, std::string_view path, KeyOpen open,
                                          std::vector<std::string>& names)
{
    names.clear();
    Key* key = Open(root, path, open);
    if (!key) return RegStatus::NotFound;
    for (const auto& [name, sub] : key->subkeys) names.push_back(name);
    return RegStatus::Ok;
}

void MemoryRegistry::VisitSubkeyValues(RegRoot root, std::string_view basePath,
                                       std::span<const SubkeyValueQuery> queries,
                                       std::uint32_t maxBytes, SubkeyValueVisitor visit)
{
    // The base resolved once and each subkey below it once per run of queries on it, as the
    // real registry's walk opens them; the bytes are lent where they are kept.
    Key* base = Find(root, basePath);
    Key* key = nullptr;
    const std::string_view* resolved = nullptr;
    for (std::size_t i = 0; i < queries.size(); ++i) {
        if (!resolved || *resolved != queries[i].subkey) {
            key = base ? base->Below(queries[i].subkey) : nullptr;
            resolved = &queries[i].subkey;
        }
        const Key::Value* value = key ? key->FindValue(queries[i].name) : nullptr;
        if (!value) visit(i, {});
        else if (value->data.size() > maxBytes) visit(i, {RegStatus::MoreData, value->type});
        else visit(i, {RegStatus::Ok, value->type, value->data});
    }
}

std::string MemoryRegistry::CodePageBytes(std::u16string_view units) const
{
    return ApproximateCp949(units);
}

RegStatus MemoryRegistry::ProbeFullAccess(RegRoot root, std::string_view path)
{
    Key* key = Find(root, path);
    if (!key) return RegStatus::NotFound;
    return key->denyFullAccess || !Writable(key) ? RegStatus::Denied : RegStatus::Ok;
}

RegStatus MemoryRegistry::DeleteTree(RegRoot root, std::string_view path)
{
    auto parts = SplitPath(path);
    if (parts.empty()) return RegStatus::Denied;
    std::string parentPath;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        parentPath += parts[i];
        parentPath += '\\';
    }
    Key* parent = Find(root, parentPath);
    if (!parent) return RegStatus::NotFound;
    auto it = parent->subkeys.find(parts.back());
    if (it == parent->subkeys.end()) return RegStatus::NotFound;
    parent->subkeys.erase(it);
    return RegStatus::Ok;
}

void MemoryRegistry::Visit(const KeyVisitor& onKey, const ValueVisitor& onValue) const
{
    for (RegRoot root : {RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::ClassesRoot})
        VisitKey(*m_roots[static_cast<int>(root)], root, "", onKey, onValue);
}

void MemoryRegistry::VisitKey(const Key& key, RegRoot root, const std::string& path,
                              const KeyVisitor& onKey, const ValueVisitor& onValue)
{
    onKey(root, path);
    for (const auto& value : key.values) onValue(root, path, value.name, value.type, value.data);
    for (const auto& [name, sub] : key.subkeys)
        VisitKey(*sub, root, path.empty() ? name : path + '\\' + name, onKey, onValue);
}

void MemoryRegistry::RefuseWrites(RegRoot root) { m_refuseWrites[static_cast<int>(root)] = true; }

void MemoryRegistry::DenyFullAccess(RegRoot root, std::string_view path)
{
    Open(root, path, KeyOpen::CreateIfMissing)->denyFullAccess = true;
}

void MemoryRegistry::SetKeySecurity(RegRoot root, std::string_view path,
                                    std::span<const unsigned char> descriptor,
                                    DescriptorRights rights)
{
    Key* key = Open(root, path, KeyOpen::CreateIfMissing);
    key->descriptor.assign(descriptor.begin(), descriptor.end());
    m_rightsOf[BytesKey(key->descriptor)] = rights;
}

const MemoryRegistry::DescriptorRights& MemoryRegistry::RightsOf(const Key& key) const
{
    static const DescriptorRights kDefault{true, true, false};
    const auto found = m_rightsOf.find(BytesKey(key.descriptor));
    return key.descriptor.empty() || found == m_rightsOf.end() ? kDefault : found->second;
}

bool MemoryRegistry::Writable(const Key* key) const
{
    return !key || RightsOf(*key).administratorsWrite;
}

void MemoryRegistry::Derive(Key& key, unsigned char mark, DescriptorRights rights)
{
    key.descriptor.push_back(mark);
    m_rightsOf[BytesKey(key.descriptor)] = rights;
}

bool MemoryRegistry::Elevated() const
{
    return !m_standardUser && !m_refuseWrites[static_cast<int>(RegRoot::LocalMachine)];
}

RegStatus MemoryRegistry::EnablePrivileges() { return Elevated() ? RegStatus::Ok : RegStatus::Denied; }

RegStatus MemoryRegistry::ReadDescriptor(RegRoot root, std::string_view path,
                                         std::vector<unsigned char>& descriptor)
{
    const Key* key = Find(root, path);
    if (!key) return RegStatus::NotFound;
    descriptor = key->descriptor;
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::WriteDescriptor(RegRoot root, std::string_view path,
                                          std::span<const unsigned char> descriptor)
{
    Key* key = Find(root, path);
    if (!key) return RegStatus::NotFound;
    if (!RightsOf(*key).administratorsOwn) return RegStatus::Denied;
    std::vector<unsigned char> bytes(descriptor.begin(), descriptor.end());
    // Bytes no step made and no test gave are not a descriptor the system would take.
    if (!bytes.empty() && !m_rightsOf.contains(BytesKey(bytes))) return RegStatus::Failed;
    key->descriptor = std::move(bytes);
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::TakeOwnership(RegRoot root, std::string_view path)
{
    Key* key = Find(root, path);
    if (!key) return RegStatus::NotFound;
    DescriptorRights rights = RightsOf(*key);
    if (!Elevated() || rights.ownershipRefused) return RegStatus::Denied;
    if (rights.administratorsOwn) return RegStatus::Ok;
    rights.administratorsOwn = true;
    Derive(*key, 'O', rights);
    return RegStatus::Ok;
}

RegStatus MemoryRegistry::GrantAdministratorsWrite(RegRoot root, std::string_view path)
{
    Key* key = Find(root, path);
    if (!key) return RegStatus::NotFound;
    DescriptorRights rights = RightsOf(*key);
    if (!rights.administratorsOwn) return RegStatus::Denied;
    if (rights.administratorsWrite) return RegStatus::Ok;
    rights.administratorsWrite = true;
    Derive(*key, 'W', rights);
    return RegStatus::Ok;
}

bool MemoryRegistry::KeyExists(RegRoot root, std::string_view path) const
{
    return Find(root, path) != nullptr;
}

}  // namespace zelora
