#pragma once
// What the drivers share about the registry: random values of every type and size, and
// whole-registry snapshots, so an invariant can say exactly which values an operation was
// allowed to change and find every other change, whatever code path made it.

#include "fuzz/FuzzHarness.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/registry/RegistryBackend.h"

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zelora::fuzz {

struct StoredValue {
    RegType type = RegType::None;
    std::vector<unsigned char> data;

    bool operator==(const StoredValue&) const = default;
};

// A value's address with the registry's own equivalences folded away: names in upper case
// (ASCII, as the registry compares them), empty path components dropped.
struct ValueAddress {
    RegRoot root = RegRoot::CurrentUser;
    std::string key;
    std::string name;

    auto operator<=>(const ValueAddress&) const = default;
};
ValueAddress AddressOf(RegRoot root, std::string_view key, std::string_view name);
// The folded form of a key path alone.
std::string FoldedKey(std::string_view key);

// Every key and every value of the three roots.
struct RegistrySnapshot {
    std::set<std::pair<RegRoot, std::string>> keys;  // folded paths, roots included as ""
    std::map<ValueAddress, StoredValue> values;
};
RegistrySnapshot TakeSnapshot(const MemoryRegistry& registry);

// Addresses of the values that differ between two snapshots: added, removed or changed.
std::set<ValueAddress> ChangedValues(const RegistrySnapshot& before, const RegistrySnapshot& after);
// Keys present after and not before.
std::set<std::pair<RegRoot, std::string>> AddedKeys(const RegistrySnapshot& before,
                                                    const RegistrySnapshot& after);

// What an operation may write: the values it may change, each with its content afterwards,
// and how many writes that takes (a value written twice is written twice).
struct ExpectedWrites {
    std::map<ValueAddress, StoredValue> values;
    std::uint64_t calls = 0;
};
// Throws unless exactly the expected values changed to their expected contents, with the
// expected number of writes and no deletion.
void CheckWrites(const RegistrySnapshot& before, const RegistrySnapshot& after,
                 const ExpectedWrites& expected, const RegistryCallCounts& counts,
                 const std::string& what);

// Which kinds of values RandomValue makes.
struct ValueRecipe {
    // Numbers the code under test treats specially (a table's item values, its defaults),
    // offered as DWORDs beside the generic interesting numbers.
    std::span<const std::int32_t> numbers{};
};

// A value as a user's registry might hold it: DWORDs of interesting numbers, values of
// 0 to 8 bytes of any type, strings (sentinel texts, huge numbers, Korean text, random
// UTF-16 with or without a terminator, odd lengths, lengths around the readers' limits),
// and random bytes up to 5,000 of any type code.
StoredValue RandomValue(Random& random, const ValueRecipe& recipe = {});

// The number a DWORD read finds in a value: its first bytes, little-endian, when it has at
// most four (whatever its type); nothing for a longer or absent value.
std::optional<std::int32_t> NumberIn(const std::optional<StoredValue>& value);
// The number a load keeps from the value at `address`: nothing when the value is absent,
// too long, or the store's marker for a missing number (the load writes its default then).
std::optional<std::int32_t> LoadedNumber(const RegistrySnapshot& snapshot,
                                         const ValueAddress& address);

// The UTF-16 units a string read finds in a value, up to its first NUL (an odd last byte
// ignored); nothing for an absent value or one longer than the string reads take.
std::optional<std::u16string> UnitsIn(const std::optional<StoredValue>& value);
// The text a string load keeps from the value at `address`, whatever its type: nothing when
// the value cannot be read, is too long for the decoders' buffer, or reads as the store's
// marker for a missing string (the load writes its default then).
std::optional<std::string> LoadedText(const RegistrySnapshot& snapshot,
                                      const ValueAddress& address);

// Encodings as the store writes them.
StoredValue DwordValue(std::int32_t number);
StoredValue StringValue(std::u16string_view text);  // terminating NUL added

// A name from `names` with its letters' case changed at random (the registry ignores it).
std::string CaseVariant(Random& random, std::string_view name);
// A key path with case changed, and doubled or trailing separators added at random.
std::string PathVariant(Random& random, std::string_view path);

// Whether `text` is well-formed UTF-8 (no overlong forms, surrogates or code points past
// U+10FFFF): what every text handed to the rest of the program must be.
bool IsValidUtf8(std::string_view text);

std::string Describe(const ValueAddress& address);

}  // namespace zelora::fuzz
