#include "updater/ProfileManifest.h"

#include "platform/win/WideText.h"

#include <windows.h>

#include <vector>

namespace zelora::updater {
namespace {

// GetPrivateProfileString into a buffer that grows until the answer fits: a value is never
// cut. `key` null lists the section's keys, each ended by a NUL.
std::wstring ReadWhole(const std::wstring& path, const std::wstring& section, const wchar_t* key)
{
    std::vector<wchar_t> buffer(512);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetPrivateProfileStringW(section.c_str(), key, L"", buffer.data(),
                                                        size, path.c_str());
        // A full buffer is reported as size - 1 (a value) or size - 2 (a key list).
        if (length + 2 < size) return std::wstring(buffer.data(), length);
        if (buffer.size() >= (1u << 24)) return {};
        buffer.resize(buffer.size() * 4);
    }
}

bool SameTextNoCase(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                  static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::optional<std::string> ProfileManifest::Value(std::string_view section, std::string_view key) const
{
    const std::wstring wideSection = win::Wide(section);
    const std::wstring wideKey = win::Wide(key);
    // Absent and empty are different answers: look for the key among the section's keys.
    const std::wstring keys = ReadWhole(m_path, wideSection, nullptr);
    bool present = false;
    for (std::size_t start = 0; start < keys.size() && !present;) {
        const std::size_t end = keys.find(L'\0', start);
        const std::wstring name = keys.substr(start, end - start);
        present = SameTextNoCase(name, wideKey);
        if (end == std::wstring::npos) break;
        start = end + 1;
    }
    if (!present) return std::nullopt;
    return win::Narrow(ReadWhole(m_path, wideSection, wideKey.c_str()));
}

}  // namespace zelora::updater
