#pragma once
// SHA-256 of a file or of bytes through the system's cryptographic provider.

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace zelora::updater {

// 64 lower-case hex digits; nothing when the file cannot be read or hashed.
std::optional<std::string> Sha256OfFile(const std::wstring& path);
// The same from an open file (read from its start): the bytes of the very handle held.
std::optional<std::string> Sha256OfOpenFile(HANDLE file);
// The same of bytes in memory (the manifest whose serial is recorded with it).
std::optional<std::string> Sha256Text(std::string_view bytes);

}  // namespace zelora::updater
