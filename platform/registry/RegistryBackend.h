#pragma once
// The registry as the programs need it, without <windows.h>: keys addressed by root and
// path, values as raw bytes with their type. Every call opens its key, does one thing and
// closes it again, so no handle outlives a call.

#include "platform/FunctionRef.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zelora {

class KeySecurity;

enum class RegRoot { CurrentUser, LocalMachine, ClassesRoot };

// The registry's own type codes, so raw values round-trip unchanged.
enum class RegType : std::uint32_t {
    None = 0,
    String = 1,        // REG_SZ, stored as UTF-16LE with its terminating NUL
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    MultiString = 7,
    Qword = 11,
};

enum class RegStatus {
    Ok,
    NotFound,   // key or value absent
    MoreData,   // the value is larger than the caller's buffer
    Denied,     // the key exists but cannot be opened as asked
    Failed,
};

// How a call opens its key.
enum class KeyOpen {
    CreateIfMissing,  // creates the key and every missing parent first
    ExistingOnly,     // fails with NotFound when the key is absent
};

// One value of a key below a common base key (see QuerySubkeyValues). Views: a batch of
// thousands of queries names texts its caller holds rather than copying each one.
struct SubkeyValueQuery {
    std::string_view subkey;  // relative to the base key
    std::string_view name;
};

// One answer of a batched read, its bytes lent for the visitor's call only: they are the
// backend's own or its one reused buffer, so a walk copies no value it does not keep.
struct ValueView {
    RegStatus status = RegStatus::NotFound;
    RegType type = RegType::None;
    std::span<const unsigned char> data{};  // empty unless status is Ok
};

// The answer to query `query` of a batch (its index in the batch).
using SubkeyValueVisitor = FunctionRef<void(std::size_t query, const ValueView& value)>;

struct RawValue {
    RegStatus status = RegStatus::NotFound;
    RegType type = RegType::None;
    std::vector<unsigned char> data;  // empty unless status is Ok
};

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;

    // Queries a value into `buffer` of `size` bytes, as the registry's query does: on Ok and
    // on MoreData `size` becomes the value's length; `type` (if given) receives its type.
    virtual RegStatus QueryValue(RegRoot root, std::string_view path, KeyOpen open,
                                 std::string_view name, void* buffer, std::uint32_t& size,
                                 RegType* type) = 0;

    // Sets a value, creating the key when it is missing.
    virtual RegStatus SetValue(RegRoot root, std::string_view path, std::string_view name,
                               RegType type, const void* data, std::uint32_t size) = 0;

    virtual RegStatus DeleteValue(RegRoot root, std::string_view path, KeyOpen open,
                                  std::string_view name) = 0;

    // Names of a key's values and subkeys in the registry's index order.
    virtual RegStatus EnumValueNames(RegRoot root, std::string_view path, KeyOpen open,
                                     std::vector<std::string>& names) = 0;
    virtual RegStatus EnumSubkeyNames(RegRoot root, std::string_view path, KeyOpen open,
                                      std::vector<std::string>& names) = 0;

    // Answers each query as QueryValue would with a buffer of `maxBytes`, opening the base
    // key once and each subkey once per run of queries on it, and never creating a key.
    // Walking many registrations this way spares resolving every full path from the root.
    // `visit` is called once per query, in the queries' order (a missing base answers each
    // NotFound); it reads, and must not change this registry.
    virtual void VisitSubkeyValues(RegRoot root, std::string_view basePath,
                                   std::span<const SubkeyValueQuery> queries,
                                   std::uint32_t maxBytes, SubkeyValueVisitor visit) = 0;
    // The same answers copied out, for a caller that keeps them.
    void QuerySubkeyValues(RegRoot root, std::string_view basePath,
                           std::span<const SubkeyValueQuery> queries, std::uint32_t maxBytes,
                           std::vector<RawValue>& results)
    {
        results.assign(queries.size(), RawValue{});
        VisitSubkeyValues(root, basePath, queries, maxBytes, [&](std::size_t query, const ValueView& value) {
            results[query] = {value.status, value.type, {value.data.begin(), value.data.end()}};
        });
    }

    // A string value's UTF-16 units as the registry's multibyte calls hand them to the
    // decoders: in code page 949 (see ApproximateCp949 for what the memory registry knows).
    virtual std::string CodePageBytes(std::u16string_view units) const = 0;

    // Whether the key can be opened with every access right (not just read).
    virtual RegStatus ProbeFullAccess(RegRoot root, std::string_view path) = 0;

    // Removes a key and everything below it. Tests and demo data use it; the programs
    // don't, but for the keys they made themselves (a backup restored).
    virtual RegStatus DeleteTree(RegRoot root, std::string_view path) = 0;

    // The keys' security descriptors, where this backend can reach them; null where it
    // cannot, and a change then goes only as far as the keys' present rights let it.
    virtual KeySecurity* Security() { return nullptr; }
};

}  // namespace zelora
