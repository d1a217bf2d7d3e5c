#pragma once
// Carrying every decoder setting to another PC: an export writes the values of the eight
// pages that exist now into one regedit file; an import takes back only what an export
// can hold, which is what the pages themselves can write (a check box's 0 or 1, a list's
// own numbers, a number within its edit's range). One line the import cannot take refuses
// the whole file before anything is written; a value the registry refuses while writing
// is named, the others stay written.

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
    BrokenLine,    // a NUL or a lone carriage return inside a line
    OtherKey,      // a key no page's value lives under (an empty key above them is skipped)
    UnknownValue,  // a name the key's pages do not have
    WrongType,     // the value's type or size is not what its page stores
    BadText,       // a text that does not end in its one NUL
    OutOfRange,    // a number or text the page's controls cannot write
    Repeated,      // the same value twice
};

struct SettingsImport {
    ImportRefusal refusal = ImportRefusal::None;
    int line = 0;  // the first line refused
    // What that line is about, as the file spells it, when it says: its key
    // ("HKEY_CURRENT_USER\Software\GNU\XviD"), its value (empty for the default value).
    std::string key;
    bool hasName = false;
    std::string name;
    std::string accepted;  // OutOfRange: what the value may be (Korean)
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
