#pragma once
// SHA-256 of a file through the system's cryptographic provider.

#include <windows.h>

#include <optional>
#include <string>

namespace zelora::updater {

// 64 lower-case hex digits; nothing when the file cannot be read or hashed.
std::optional<std::string> Sha256OfFile(const std::wstring& path);
// The same from an open file (read from its start): the bytes of the very handle held.
std::optional<std::string> Sha256OfOpenFile(HANDLE file);

}  // namespace zelora::updater
