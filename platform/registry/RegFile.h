#pragma once
// Registry files in regedit's own format ("Windows Registry Editor Version 5.00", UTF-16LE
// with a byte-order mark): a writer, and a reader that turns a file into its keys and
// values in file order, stopping at the first line it cannot read. What a file may contain
// is for its caller to decide; the reader only knows the syntax.

#include "platform/registry/RegistryBackend.h"

#include <span>
#include <string>
#include <vector>

namespace zelora {

inline constexpr std::string_view kRegFileHeader = "Windows Registry Editor Version 5.00";

struct RegFileValue {
    RegRoot root = RegRoot::CurrentUser;
    std::string key;   // UTF-8, relative to the root
    std::string name;  // UTF-8; empty for a key's default value ("@")
    RegType type = RegType::None;
    std::vector<unsigned char> data;
};

// One section per run of values under the same key, in the order given. A DWORD of four
// bytes is written "dword:", a string that reads back unchanged as quoted text, anything
// else in the hex forms, wrapped with "\" continuations as regedit wraps them.
std::vector<unsigned char> WriteRegFile(std::span<const RegFileValue> values);

enum class RegFileProblem {
    None,
    NotRegFile,  // no byte-order mark, not UTF-16, or the first line is not the header
    Malformed,   // a line that is no key, value, comment or blank line
    BrokenLine,  // a NUL or a carriage return without its line feed: no text line holds one
    Deletion,    // [-key] or "name"=-
    OtherRoot,   // a key under a root other than HKEY_CURRENT_USER, _LOCAL_MACHINE, _CLASSES_ROOT
};

struct RegFileEntry {
    int line = 0;          // 1-based, where the key or value starts
    bool isKey = false;    // a [key] line: only `root` and `key` of `value` are set
    RegFileValue value;    // a value carries the key of the section it is in
};

struct RegFileContents {
    std::vector<RegFileEntry> entries;  // up to the first problem
    RegFileProblem problem = RegFileProblem::None;
    int problemLine = 0;
    // What the refused line is about, as far as it could be read (UTF-8, as written): the
    // key it names or the key of its section ("HKEY_...\..."), and the value it names.
    std::string problemKey;
    bool problemHasName = false;
    std::string problemName;  // empty for the default value ("@")
};

// A key's path may end in one backslash, which names the same key.
RegFileContents ReadRegFile(std::span<const unsigned char> bytes);

// "HKEY_CURRENT_USER" and its kin.
std::string_view RegRootName(RegRoot root);

}  // namespace zelora
