#pragma once
// SHA-256 of a file through the system's cryptographic provider.

#include <optional>
#include <string>

namespace zelora::updater {

// 64 lower-case hex digits; nothing when the file cannot be read or hashed.
std::optional<std::string> Sha256OfFile(const std::wstring& path);

}  // namespace zelora::updater
