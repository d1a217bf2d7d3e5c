#pragma once
// Read access to the update manifest (INI format: sections, then key=value lines; names
// matched without regard to case). Values are returned whole, whatever their length.

#include <optional>
#include <string>
#include <string_view>

namespace zelora::updater {

class ManifestReader {
public:
    virtual ~ManifestReader() = default;
    // Nothing when the section or the key is absent; an empty text when the key is there
    // with nothing after its "=".
    virtual std::optional<std::string> Value(std::string_view section,
                                             std::string_view key) const = 0;
};

}  // namespace zelora::updater
