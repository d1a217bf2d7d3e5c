#pragma once
// Carrying every decoder setting to another PC: an export writes the values of the eight
// pages that exist now into one regedit file; an import takes back only what an export
// can hold. One line the import cannot take refuses the whole file before anything is
// written; a value the registry refuses while writing is named, the others stay written.

#include "platform/registry/RegistryBackend.h"

#include <cstddef>
#include <span>
#include <string>
#include <vector>

namespace zelora {

inline constexpr std::size_t kMaxSettingsFileBytes = 1024 * 1024;

struct SettingsExport {
    std::vector<unsigned char> file;
    std::size_t values = 0;
    // Stored in a form no import would take back (a DWORD of the wrong size or type, an
    // overlong text): left out, named as "key\name".
    std::vector<std::string> leftOut;
};

// Reads without creating a key; values that do not exist are not in the file.
SettingsExport ExportSettings(RegistryBackend& registry);

enum class ImportRefusal {
    None,
    TooLarge,      // the file is over kMaxSettingsFileBytes
    NotRegFile,    // no UTF-16 regedit file
    Malformed,
    Deletion,
    OtherKey,      // a key no page's value lives under
    UnknownValue,  // a name the key's pages do not have
    WrongType,     // the value's type or size is not what its page stores
    Repeated,      // the same value twice
};

struct SettingsImport {
    ImportRefusal refusal = ImportRefusal::None;
    int line = 0;  // the first line refused
    std::size_t written = 0;
    std::vector<std::string> refusedWrites;  // "key\name" of each value the registry refused
};

// `fileSize` is the file's size on disk, which may exceed what was read.
SettingsImport ImportSettings(std::span<const unsigned char> file, std::size_t fileSize,
                              RegistryBackend& registry);

// What the user is told (UTF-8).
std::string ExportMessage(const SettingsExport& result);
std::string ImportMessage(const SettingsImport& result);
// "Zelora-설정-20261208.reg"
std::string DefaultSettingsFileName(int year, int month, int day);

}  // namespace zelora
