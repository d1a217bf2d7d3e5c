#include "updater/ManifestText.h"

#include <algorithm>
#include <set>

namespace zelora::updater {
namespace {

// Only these blanks: a no-break space or any other character is part of the name or value.
std::string_view Trim(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(" \t\r") - start + 1);
}

}  // namespace

std::string LowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

ManifestText::ManifestText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::set<std::string> sections;  // every section name seen
    std::set<std::string> keys;      // the keys seen in the current section
    std::size_t header = 0;  // index of the current section's header line, plus one
    for (std::size_t number = 1; !bytes.empty(); ++number) {
        const std::size_t end = bytes.find('\n');
        const std::string_view text = Trim(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        ManifestLine line;
        line.number = number;
        const std::size_t equals = text.find('=');
        if (text.empty()) {
            line.kind = ManifestLine::Kind::Blank;
        } else if (text.front() == ';') {
            line.kind = ManifestLine::Kind::Comment;
        } else if (text.front() == '[') {
            const std::size_t close = text.find(']');
            line.kind = ManifestLine::Kind::Section;
            line.section = LowerAscii(Trim(text.substr(1, close == std::string_view::npos ? text.npos : close - 1)));
            // A repeated section is not read: only the first of a name counts.
            line.counted = sections.insert(line.section).second;
            keys.clear();
        } else if (header != 0 && equals != std::string_view::npos) {
            const ManifestLine& section = m_lines[header - 1];
            line.kind = ManifestLine::Kind::Entry;
            line.section = section.section;
            line.sectionLine = section.number;
            line.key = LowerAscii(Trim(text.substr(0, equals)));
            line.value = std::string(Trim(text.substr(equals + 1)));
            line.counted = keys.insert(line.key).second && section.counted;
        } else {
            line.kind = ManifestLine::Kind::Stray;  // outside any section, or no "="
        }
        const bool isHeader = line.kind == ManifestLine::Kind::Section;
        m_lines.push_back(std::move(line));
        if (isHeader) header = m_lines.size();
    }
}

std::optional<std::string> ManifestText::Value(std::string_view section, std::string_view key) const
{
    const std::string wantedSection = LowerAscii(section);
    const std::string wantedKey = LowerAscii(key);
    for (const ManifestLine& line : m_lines)
        if (line.counted && line.kind == ManifestLine::Kind::Entry && line.section == wantedSection &&
            line.key == wantedKey)
            return line.value;
    return std::nullopt;
}

}  // namespace zelora::updater
