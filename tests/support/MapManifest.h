#pragma once
// A manifest held in a map, for the tests and fuzz drivers of the updater's decisions:
// sections and keys found without regard to case, as the INI reader finds them.
#include "updater/ManifestReader.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace zelora::updater {

class MapManifest final : public ManifestReader {
public:
    MapManifest& Set(std::string_view section, std::string_view key, std::string_view value)
    {
        m_values[Key(section, key)] = std::string(value);
        return *this;
    }
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override
    {
        const auto found = m_values.find(Key(section, key));
        if (found == m_values.end()) return std::nullopt;
        return found->second;
    }

private:
    static std::string Key(std::string_view section, std::string_view key)
    {
        std::string joined = std::string(section) + "\n" + std::string(key);
        for (char& c : joined)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        return joined;
    }

    std::map<std::string, std::string> m_values;
};

}  // namespace zelora::updater
