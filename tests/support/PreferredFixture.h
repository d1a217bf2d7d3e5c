#pragma once
// What the preferred-decoder tests and fuzz driver share: filters registered in a memory
// registry as the filter mapper leaves them, and whole-registry snapshots.

#include "codecs/FilterInventory.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/text/Text.h"
#include "preferred/FilterDataWriter.h"
#include "preferred/PreferredDecoders.h"

#include <map>
#include <string>
#include <vector>

namespace zelora::testing {

inline void SetText(RegistryBackend& registry, RegRoot root, const std::string& key, std::string_view name, std::string_view text)
{
    std::u16string wide = Utf8ToUtf16(text);
    wide += u'\0';
    registry.SetValue(root, key, name, RegType::String, wide.data(), static_cast<std::uint32_t>(wide.size() * 2));
}

// Registers a filter as the filter mapper and regsvr32 leave it.
inline void RegisterFilter(RegistryBackend& registry, const std::string& clsid, std::string_view name,
                           std::string_view server, const std::vector<unsigned char>& filterData)
{
    const std::string instance = std::string(kFilterCategoryPath) + "\\" + clsid;
    SetText(registry, RegRoot::ClassesRoot, instance, "FriendlyName", name);
    SetText(registry, RegRoot::ClassesRoot, instance, "CLSID", clsid);
    registry.SetValue(RegRoot::ClassesRoot, instance, "FilterData", RegType::Binary, filterData.data(),
                      static_cast<std::uint32_t>(filterData.size()));
    SetText(registry, RegRoot::ClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", "", server);
}

// Every key, value and descriptor of a memory registry, to compare before and after.
inline std::map<std::string, std::vector<unsigned char>> Snapshot(MemoryRegistry& registry)
{
    std::map<std::string, std::vector<unsigned char>> all;
    registry.Visit(
        [&](RegRoot root, const std::string& path) {
            std::vector<unsigned char> descriptor;
            registry.Security()->ReadDescriptor(root, path, descriptor);
            all["K" + std::to_string(static_cast<int>(root)) + path] = descriptor;
        },
        [&](RegRoot root, const std::string& path, std::string_view name, RegType type,
            std::span<const unsigned char> data) {
            std::vector<unsigned char> typed(data.begin(), data.end());
            typed.push_back(static_cast<unsigned char>(type));
            all["V" + std::to_string(static_cast<int>(root)) + path + "|" + std::string(name)] = typed;
        });
    return all;
}

class EveryFile final : public FileProbe {
public:
    bool Exists(std::string_view path) const override { return path.find("gone") == std::string_view::npos; }
};

}  // namespace zelora::testing
