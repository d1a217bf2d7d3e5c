#pragma once
// The manifest read from the very bytes whose signature was checked (never from a file that
// could change in between): INI lines, "[section]" then "key=value", names without regard
// to case, blanks around names and values dropped, the first occurrence winning (of a key, and of
// a section), lines
// starting with ";" ignored, as the system's private-profile reader treats them.

#include "updater/ManifestReader.h"

#include <string>
#include <vector>

namespace zelora::updater {

class ManifestText final : public ManifestReader {
public:
    explicit ManifestText(std::string_view bytes);
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;

private:
    struct Entry {
        std::string section;  // lower case
        std::string key;      // lower case
        std::string value;
    };
    std::vector<Entry> m_entries;
    std::vector<std::string> m_sections;  // every section seen (lower case), so a repeat is known
};

}  // namespace zelora::updater
