#pragma once
// The manifest read from the very bytes whose signature was checked (never from a file that
// could change in between): INI lines, "[section]" then "key=value", names without regard
// to case, blanks around names and values dropped, the first occurrence winning (of a key, and of
// a section), lines starting with ";" ignored, as the system's private-profile reader treats
// them. The signing tool's checker reads every manifest through this same class, so what it
// signs is what the updater reads.

#include "updater/ManifestReader.h"

#include <cstddef>
#include <string>
#include <vector>

namespace zelora::updater {

// One line of the text as read. Only lines marked `counted` are ever seen through Value().
struct ManifestLine {
    enum class Kind { Blank, Comment, Section, Entry, Stray };
    Kind kind = Kind::Blank;
    std::size_t number = 0;     // 1-based, lines split at "\n"
    std::string section;        // lower case: the section header itself, or the entry's
    std::string key;            // lower case (entries)
    std::string value;          // entries
    std::size_t sectionLine = 0;  // entries: the header line of their section
    bool counted = false;       // the first header of its name; the first key of its section
};

class ManifestText final : public ManifestReader {
public:
    explicit ManifestText(std::string_view bytes);
    std::optional<std::string> Value(std::string_view section, std::string_view key) const override;

    const std::vector<ManifestLine>& Lines() const { return m_lines; }

private:
    std::vector<ManifestLine> m_lines;
};

// ASCII lower case, as the reader compares names.
std::string LowerAscii(std::string_view text);

}  // namespace zelora::updater
