#include "updater/ManifestText.h"

#include <algorithm>

namespace zelora::updater {
namespace {

std::string_view Trim(std::string_view text)
{
    const std::size_t start = text.find_first_not_of(" \t\r");
    if (start == std::string_view::npos) return {};
    return text.substr(start, text.find_last_not_of(" \t\r") - start + 1);
}

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

}  // namespace

ManifestText::ManifestText(std::string_view bytes)
{
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    std::string section;
    bool inSection = false;
    while (!bytes.empty()) {
        const std::size_t end = bytes.find('\n');
        const std::string_view line = Trim(bytes.substr(0, end));
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            section = Lower(Trim(line.substr(1, close == std::string_view::npos ? line.npos : close - 1)));
            // A repeated section is not read: only the first of a name counts.
            inSection = std::find(m_sections.begin(), m_sections.end(), section) == m_sections.end();
            if (inSection) m_sections.push_back(section);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inSection || equals == std::string_view::npos) continue;
        m_entries.push_back({section, Lower(Trim(line.substr(0, equals))),
                             std::string(Trim(line.substr(equals + 1)))});
    }
}

std::optional<std::string> ManifestText::Value(std::string_view section, std::string_view key) const
{
    const std::string wantedSection = Lower(section);
    const std::string wantedKey = Lower(key);
    for (const Entry& entry : m_entries)
        if (entry.section == wantedSection && entry.key == wantedKey) return entry.value;
    return std::nullopt;
}

}  // namespace zelora::updater
