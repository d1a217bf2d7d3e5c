#pragma once
// A bench's seed in the machine's own registry, for one run. The seed writes through a
// recorder that notes, for each write, the first key on its path that was not there (the
// write creates it) or else the value it overwrites; on the way out those keys are deleted
// and those values put back, so the registry is left as it was found. The seed is the same
// function that fills a memory registry: the recorder learns what it touched by watching.

#include "platform/FunctionRef.h"
#include "platform/registry/ForwardingRegistry.h"

#include <set>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

namespace zelora::bench {

class RealSeed {
public:
    // `seed` only sets values.
    RealSeed(RegistryBackend& registry, FunctionRef<void(RegistryBackend&)> seed) : m_registry(registry)
    {
        Recorder recorder(*this);
        seed(recorder);
    }
    ~RealSeed()
    {
        for (auto value = m_saved.rbegin(); value != m_saved.rend(); ++value) {
            if (value->existed)
                m_registry.SetValue(value->root, value->key, value->name, value->type, value->data.data(),
                                    static_cast<std::uint32_t>(value->data.size()));
            else
                m_registry.DeleteValue(value->root, value->key, KeyOpen::ExistingOnly, value->name);
        }
        for (auto key = m_createdOrder.rbegin(); key != m_createdOrder.rend(); ++key)
            m_registry.DeleteTree(key->first, key->second);
    }
    RealSeed(const RealSeed&) = delete;
    RealSeed& operator=(const RealSeed&) = delete;

private:
    using Key = std::pair<RegRoot, std::string>;

    class Recorder final : public ForwardingRegistry {
    public:
        explicit Recorder(RealSeed& seed) : ForwardingRegistry(seed.m_registry), m_seed(seed) {}
        RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name, RegType type,
                           const void* data, std::uint32_t size) override
        {
            m_seed.Note(root, path, name);
            return ForwardingRegistry::SetValue(root, path, name, type, data, size);
        }

    private:
        RealSeed& m_seed;
    };

    struct SavedValue {
        RegRoot root;
        std::string key;
        std::string name;
        bool existed = false;
        RegType type = RegType::None;
        std::vector<unsigned char> data{};
    };

    // Before a write of `name` in `path`: what undoes it.
    void Note(RegRoot root, std::string_view path, std::string_view name)
    {
        for (std::size_t end = path.find('\\');; end = path.find('\\', end + 1)) {
            Key key{root, std::string(path.substr(0, end))};
            if (m_created.count(key)) return;  // goes with that key
            if (!m_existing.count(key)) {
                // Only a key found missing is ever deleted: one that cannot be read is kept.
                std::vector<std::string> names;
                if (m_registry.EnumValueNames(root, key.second, KeyOpen::ExistingOnly, names) ==
                    RegStatus::NotFound) {
                    m_created.insert(key);
                    m_createdOrder.push_back(std::move(key));
                    return;
                }
                m_existing.insert(std::move(key));
            }
            if (end == std::string_view::npos) break;
        }
        if (m_savedNames.emplace(root, std::string(path), std::string(name)).second) Save(root, path, name);
    }

    void Save(RegRoot root, std::string_view path, std::string_view name)
    {
        SavedValue value{root, std::string(path), std::string(name)};
        value.data.resize(4096);
        auto size = static_cast<std::uint32_t>(value.data.size());
        RegStatus status =
            m_registry.QueryValue(root, path, KeyOpen::ExistingOnly, name, value.data.data(), size, &value.type);
        if (status == RegStatus::MoreData) {
            value.data.resize(size);
            status = m_registry.QueryValue(root, path, KeyOpen::ExistingOnly, name, value.data.data(), size,
                                           &value.type);
        }
        value.existed = status == RegStatus::Ok;
        value.data.resize(value.existed ? size : 0);
        m_saved.push_back(std::move(value));
    }

    RegistryBackend& m_registry;
    std::set<Key> m_existing;
    std::set<Key> m_created;
    std::vector<Key> m_createdOrder;
    std::set<std::tuple<RegRoot, std::string, std::string>> m_savedNames;
    std::vector<SavedValue> m_saved;
};

}  // namespace zelora::bench
