#pragma once
// One registry value at a time, for every page of both programs. Nothing is cached and no
// error is reported: a value that cannot be read comes back as a marker (MissingDword,
// "ERROR"), and the load operations replace it with a default that they write back at once.

#include "platform/registry/RegistryBackend.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

// A value's name with a number: its default when loading.
struct NamedDword {
    std::string_view name;
    std::int32_t value;
};

class RegistryStore {
public:
    static constexpr std::int32_t MissingDword = -11550;
    static constexpr std::string_view MissingString = "ERROR";
    // Longest readable string in code page 949 bytes, its terminating NUL included.
    static constexpr std::size_t kStringBufferBytes = 1024;
    // Stored as UTF-16, so a value may take two bytes per character: room for the longest
    // string that fits in kStringBufferBytes code page 949 bytes.
    static constexpr std::uint32_t kStringQueryBytes = kStringBufferBytes * 2;

    // How a read opens its key: the settings centre's reads create missing keys (as its
    // values have always been written); a reader that must write nothing opens only.
    enum class ReadKeys { CreateMissing, ExistingOnly };

    explicit RegistryStore(RegistryBackend& backend, ReadKeys readKeys = ReadKeys::CreateMissing)
        : m_backend(backend), m_readKeys(readKeys)
    {
    }
    virtual ~RegistryStore() = default;
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // Each write reports whether it landed (a standard user's HKLM writes are refused).
    bool WriteDword(RegRoot root, std::string_view path, std::string_view name,
                    std::int32_t value);
    bool WriteString(RegRoot root, std::string_view path, std::string_view name,
                     std::string_view text);
    std::int32_t ReadDword(RegRoot root, std::string_view path, std::string_view name);
    std::string ReadString(RegRoot root, std::string_view path, std::string_view name);
    void DeleteValue(RegRoot root, std::string_view path, std::string_view name);
    // ReadString of each query's value below `basePath`, in one walk that opens each key
    // once (filter registrations). Never creates a key.
    std::vector<std::string> ReadStrings(RegRoot root, std::string_view basePath,
                                         std::span<const SubkeyValueQuery> queries);
    // What ReadString gives for a value a batch read with kStringQueryBytes, so a walk that
    // reads strings and binary values of one key together decodes each string once.
    static std::string StringOf(const ValueView& value);
    // The same text appended to `text`: a walk that keeps thousands keeps them in one buffer.
    static void AppendStringOf(const ValueView& value, std::string& text);

    // Returns the check state to show (0 or 1, or whatever number is stored); a missing
    // value yields `defaultState`, which is written back.
    std::int32_t LoadCheck(RegRoot root, std::string_view path, std::string_view name,
                           std::int32_t defaultState);
    void LoadDword(RegRoot root, std::string_view path, std::string_view name,
                   std::int32_t& value, std::int32_t defaultValue);
    // LoadDword of several values of one key, which the reads open once (a list of flags
    // read before the first paint); returns the numbers in the order asked.
    std::vector<std::int32_t> LoadDwords(RegRoot root, std::string_view path,
                                         std::span<const NamedDword> defaults);
    // Under HKCU a missing string's default is written back; the updater's HKLM reads only
    // fall back to it, leaving the machine-wide key as the installer wrote it.
    void LoadString(RegRoot root, std::string_view path, std::string_view name,
                    std::string& text, std::string_view defaultText);
    // A DWORD shown as decimal text (numeric edit boxes).
    void LoadDwordText(RegRoot root, std::string_view path, std::string_view name,
                       std::string& text, std::string_view defaultText);

    RegistryBackend& Backend() const { return m_backend; }

private:
    KeyOpen ReadMode(RegRoot root) const;

    RegistryBackend& m_backend;
    ReadKeys m_readKeys;
};

// How a read opens its key. HKCU and HKLM reads create a missing key, as every write does;
// reads under HKEY_CLASSES_ROOT never do, so probing a filter's registration cannot leave
// junk keys (say CLSID\ERROR\InprocServer32) among the system's class registrations.
KeyOpen ReadOpenMode(RegRoot root);

}  // namespace zelora
