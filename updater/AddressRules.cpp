#include "updater/AddressRules.h"

#include <algorithm>
#include <array>

namespace zelora::updater {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), Lower);
    return lower;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && LowerText(text.substr(0, prefix.size())) == prefix;
}

bool IsNameCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           c == '.' || c == '-' || c == '_';
}

// Names Windows maps to devices whatever their extension ("CON.exe" is the console).
bool IsDeviceName(std::string_view name)
{
    const std::string stem = LowerText(name.substr(0, name.find('.')));
    static constexpr std::array<std::string_view, 4> kPlain = {"con", "prn", "aux", "nul"};
    if (std::find(kPlain.begin(), kPlain.end(), stem) != kPlain.end()) return true;
    return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
           stem[3] >= '0' && stem[3] <= '9';
}

// "." or "..", also spelt with "%2e" in either case: the internet layer folds such a
// segment into the path it fetches, so the address would name another file than it shows.
bool IsDotSegment(std::string_view segment)
{
    const std::string lower = LowerText(segment);
    for (std::string_view dots : {".", "..", "%2e", ".%2e", "%2e.", "%2e%2e"})
        if (lower == dots) return true;
    return false;
}

bool HasDotSegment(std::string_view url, std::size_t hostStart)
{
    const std::size_t pathStart = url.find('/', hostStart);
    if (pathStart == std::string_view::npos) return false;
    std::string_view path = url.substr(pathStart + 1);
    path = path.substr(0, path.find_first_of("?#"));
    for (;;) {
        const std::size_t slash = path.find('/');
        if (IsDotSegment(path.substr(0, slash))) return true;
        if (slash == std::string_view::npos) return false;
        path.remove_prefix(slash + 1);
    }
}

bool IsWebAddress(std::string_view url)
{
    std::size_t hostStart = 0;
    if (StartsWithNoCase(url, "http://")) hostStart = 7;
    else if (StartsWithNoCase(url, "https://")) hostStart = 8;
    else return false;
    if (hostStart >= url.size() || url[hostStart] == '/') return false;  // no host
    // A backslash, plain or "%5c", is a path separator to the internet layer too.
    if (LowerText(url).find("%5c") != std::string::npos || HasDotSegment(url, hostStart)) return false;
    return std::none_of(url.begin(), url.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte <= ' ' || byte == 0x7F || c == '"' || c == '\'' || c == '\\';
    });
}

bool IsSafeLocalName(std::string_view name)
{
    return !name.empty() && name.size() <= kMaxLocalNameLength && name.front() != '.' &&
           name.back() != '.' && std::all_of(name.begin(), name.end(), IsNameCharacter) &&
           !IsDeviceName(name);
}

}  // namespace

std::optional<std::string> LocalFileName(std::string_view url)
{
    url = url.substr(0, url.find_first_of("?#"));
    const std::size_t schemeEnd = url.find("://");
    const std::size_t pathStart =
        schemeEnd == std::string_view::npos ? std::string_view::npos : url.find('/', schemeEnd + 3);
    if (pathStart == std::string_view::npos) return std::nullopt;  // no path, no name
    const std::string_view name = url.substr(url.rfind('/') + 1);
    if (!IsSafeLocalName(name)) return std::nullopt;
    return std::string(name);
}

std::optional<InstallerKind> InstallerKindOf(std::string_view localName)
{
    const std::string lower = LowerText(localName);
    if (lower.size() > 4 && lower.ends_with(".exe")) return InstallerKind::Program;
    if (lower.size() > 4 && lower.ends_with(".msi")) return InstallerKind::Package;
    return std::nullopt;
}

std::optional<std::string> RedirectTarget(std::string_view from, std::string_view location)
{
    std::string target(location);
    if (location.starts_with("/") && !location.starts_with("//")) {
        const std::size_t hostStart = from.find("://");
        if (hostStart == std::string_view::npos) return std::nullopt;
        const std::size_t pathStart = from.find('/', hostStart + 3);
        target = std::string(from.substr(0, pathStart)) + target;
    }
    if (!IsWebAddress(target) || !IsWebAddress(from)) return std::nullopt;
    if (StartsWithNoCase(from, "https://") && !StartsWithNoCase(target, "https://")) return std::nullopt;
    return target;
}

bool IsDownloadAddress(std::string_view url) { return IsWebAddress(url); }

bool IsOpenableWebAddress(std::string_view url) { return IsWebAddress(url); }

std::optional<std::string> ZeloraProgramPath(std::string_view installDir)
{
    const bool drive = installDir.size() >= 3 &&
                       ((installDir[0] >= 'A' && installDir[0] <= 'Z') ||
                        (installDir[0] >= 'a' && installDir[0] <= 'z')) &&
                       installDir[1] == ':' && (installDir[2] == '\\' || installDir[2] == '/');
    const bool unc = installDir.size() > 2 && installDir.starts_with("\\\\") &&
                     installDir[2] != '\\' && installDir[2] != '?' && installDir[2] != '.';
    if (!drive && !unc) return std::nullopt;
    if (std::any_of(installDir.begin(), installDir.end(), [](char c) {
            return static_cast<unsigned char>(c) < ' ' || c == '"';
        }))
        return std::nullopt;
    std::string path(installDir);
    if (path.back() != '\\' && path.back() != '/') path += '\\';
    return path + "Zelora.exe";
}

std::optional<std::string> LocalNames::Claim(std::string_view url)
{
    const std::optional<std::string> name = LocalFileName(url);
    if (!name) return std::nullopt;
    const std::size_t dot = name->rfind('.');
    const std::string stem = dot == std::string::npos ? *name : name->substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : name->substr(dot);
    std::string candidate = *name;
    for (int n = 2; !m_taken.insert(LowerText(candidate)).second; ++n) {
        // The number goes before the extension, the stem giving way so that the name stays
        // within the length rule; a name with no room left for a number fails its row.
        std::string suffix = "-";
        suffix += std::to_string(n);
        if (suffix.size() + extension.size() >= kMaxLocalNameLength) return std::nullopt;
        const std::size_t room = kMaxLocalNameLength - suffix.size() - extension.size();
        candidate = stem.substr(0, room) + suffix + extension;
        if (!IsSafeLocalName(candidate)) return std::nullopt;
    }
    return candidate;
}

}  // namespace zelora::updater
