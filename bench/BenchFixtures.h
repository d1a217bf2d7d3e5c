#pragma once
// What the registry benches share to build their registries: a string value written as the
// registry holds it, and a file probe that finds every file (the benches time the registry).

#include "codecs/FilterInventory.h"
#include "platform/registry/RegistryBackend.h"
#include "platform/text/Text.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace zelora::bench {

class EveryFileExists final : public FileProbe {
public:
    bool Exists(std::string_view) const override { return true; }
};

inline void SetString(RegistryBackend& registry, RegRoot root, const std::string& path,
                      std::string_view name, std::string_view text)
{
    std::u16string wide = Utf8ToUtf16(text);
    wide += u'\0';
    registry.SetValue(root, path, name, RegType::String, wide.data(),
                      static_cast<std::uint32_t>(wide.size() * 2));
}

}  // namespace zelora::bench
