#include "bench/BenchRegistry.h"

#include "codecs/FilterInventory.h"

#include <string>
#include <vector>

namespace zelora::bench {

std::unique_ptr<RegistryBackend> CreateRealRegistry(RegistryView) { return nullptr; }

RealFiles CreateRealFiles() { return {}; }

// A memory registry has no handles to open: each value costs one query.
std::uint64_t BareRegistrationWalk(RegistryBackend& registry)
{
    std::uint64_t calls = 1;
    std::vector<std::string> instances;
    registry.EnumSubkeyNames(RegRoot::ClassesRoot, kFilterCategoryPath, KeyOpen::ExistingOnly, instances);
    char buffer[520];
    for (const std::string& instance : instances) {
        const std::string key = std::string(kFilterCategoryPath) + "\\" + instance;
        std::uint32_t size = sizeof buffer;
        registry.QueryValue(RegRoot::ClassesRoot, key, KeyOpen::ExistingOnly, "FriendlyName", buffer, size, nullptr);
        size = sizeof buffer;
        const RegStatus clsid =
            registry.QueryValue(RegRoot::ClassesRoot, key, KeyOpen::ExistingOnly, "CLSID", buffer, size, nullptr);
        calls += 2;
        if (clsid != RegStatus::Ok) continue;
        std::string server = "CLSID\\";
        for (std::uint32_t i = 0; i + 1 < size; i += 2) server += buffer[i];  // ASCII CLSID text
        server += "\\InprocServer32";
        size = sizeof buffer;
        registry.QueryValue(RegRoot::ClassesRoot, server, KeyOpen::ExistingOnly, "", buffer, size, nullptr);
        ++calls;
    }
    return calls;
}

}  // namespace zelora::bench
