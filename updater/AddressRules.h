#pragma once
// What the updater accepts from the manifest before it touches the disk or starts
// anything: local file names, download and web-page addresses, the settings centre's path.

#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace zelora::updater {

inline constexpr std::size_t kMaxLocalNameLength = 64;

// The local name of a download: the last segment of the address's path (query and
// fragment dropped), made of letters, digits, ".", "-" and "_" only, not starting or
// ending with ".", not a device name, at most 64 characters. Nothing otherwise. No
// percent-decoding: "%5c" stays three characters, and "%" is refused.
std::optional<std::string> LocalFileName(std::string_view url);

// What the updater starts: an installer program, or a Windows Installer package that the
// system's msiexec.exe installs. Nothing else is ever offered or started.
enum class InstallerKind { Program, Package };
std::optional<InstallerKind> InstallerKindOf(std::string_view localName);

inline constexpr int kMaxRedirects = 5;

// Where a redirect from `from` to its Location header leads: an absolute http:// or https://
// address, or a path ("/...") on the same scheme and host. Nothing when the target is no
// download address or the redirect would leave https for http.
std::optional<std::string> RedirectTarget(std::string_view from, std::string_view location);

// An address the download layer may fetch: http:// or https://, a host, no blanks,
// quotes, control characters or backslashes (nor "%5c"), and no "." or ".." path segment
// (nor one spelt with "%2e").
bool IsDownloadAddress(std::string_view url);

// An address safe to hand to the web browser as its one parameter: the same rule.
bool IsOpenableWebAddress(std::string_view url);

// `<dir>\Zelora.exe` when `installDir` is an absolute path (drive or UNC) without quotes
// or control characters; nothing otherwise. The caller still checks that the file exists.
std::optional<std::string> ZeloraProgramPath(std::string_view installDir);

// Hands out the local names of one run, so two rows never write the same file: a name
// already taken (compared without regard to case, as the file system does) gets "-2",
// "-3", ... before its extension.
class LocalNames {
public:
    std::optional<std::string> Claim(std::string_view url);

private:
    std::set<std::string> m_taken;  // lower case
};

}  // namespace zelora::updater
