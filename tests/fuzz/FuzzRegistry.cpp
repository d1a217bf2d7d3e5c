#include "fuzz/FuzzRegistry.h"

#include "platform/text/Text.h"
#include "platform/registry/RegistryStore.h"

#include <algorithm>
#include <limits>

namespace zelora::fuzz {
namespace {

char Upper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string Fold(std::string_view text)
{
    std::string folded(text);
    std::transform(folded.begin(), folded.end(), folded.begin(), Upper);
    return folded;
}

// Numbers that break arithmetic and comparisons, and the stores' own marker.
constexpr std::int32_t kInterestingNumbers[] = {
    0,
    1,
    2,
    3,
    -1,
    -2,
    4,
    7,
    8,
    15,
    100,
    255,
    256,
    1000,
    65535,
    65536,
    -11550,
    -11549,
    std::numeric_limits<std::int32_t>::min(),
    std::numeric_limits<std::int32_t>::min() + 1,
    std::numeric_limits<std::int32_t>::max(),
    std::numeric_limits<std::int32_t>::max() - 1,
};

// Texts the readers treat specially, numbers past every bound, and paths and names of the
// shapes the programs store.
constexpr std::string_view kSentinelTexts[] = {
    "ERROR",       "error",
    "-11550",      "",
    " ",           "0",
    "1",           "-1",
    "2147483647",  "2147483648",
    "-2147483648", "-2147483649",
    "4294967295",  "99999999999999999999999999",
    "0x10",        "1e9",
    "  42abc",     "+7",
    "--3",         "필터",
    "코덱 1.0",    "C:\\Program Files\\Codec\\filter.ax",
    "filter.ax",   "a(b)",
    "(",           "Xvid (1.2)",
    "\"quoted\"",  "\\",
    "CON",         "..\\..\\x",
};

std::u16string RandomUnits(Random& random, std::size_t count)
{
    std::u16string text;
    text.reserve(count);
    const unsigned flavour = static_cast<unsigned>(random.Below(4));
    for (std::size_t i = 0; i < count; ++i) {
        switch (flavour == 3 ? random.Below(5) : flavour) {
            case 0: text += static_cast<char16_t>(random.Between(0x20, 0x7E)); break;
            case 1: text += static_cast<char16_t>(random.Between(0xAC00, 0xD7A3)); break;
            case 2: text += static_cast<char16_t>(random.Between(0xD800, 0xDFFF)); break;
            default: text += static_cast<char16_t>(random.Below(0x10000)); break;
        }
    }
    return text;
}

// Mostly short, sometimes around the readers' limits (1,024 code page 949 bytes, a 2,048
// byte query), sometimes up to 5,000 bytes.
std::size_t RandomUnitCount(Random& random)
{
    switch (random.Below(4)) {
        case 0: return static_cast<std::size_t>(random.Below(17));
        case 1: return static_cast<std::size_t>(random.Between(0, 600));
        case 2:
            return static_cast<std::size_t>(
                random.Pick({510, 511, 512, 1021, 1022, 1023, 1024, 1025, 2047, 2048}));
        default: return static_cast<std::size_t>(random.Between(0, 2500));
    }
}

RegType RandomType(Random& random)
{
    constexpr RegType kTypes[] = {
        RegType::None,  RegType::String,      RegType::ExpandString, RegType::Binary,
        RegType::Dword, RegType::MultiString, RegType::Qword,        static_cast<RegType>(0x7FFF)};
    return random.Pick(kTypes);
}

}  // namespace

std::string FoldedKey(std::string_view key)
{
    std::string folded;
    std::size_t start = 0;
    while (start <= key.size()) {
        std::size_t end = key.find('\\', start);
        if (end == std::string_view::npos) end = key.size();
        if (end > start) {
            if (!folded.empty()) folded += '\\';
            folded += Fold(key.substr(start, end - start));
        }
        start = end + 1;
    }
    return folded;
}

ValueAddress AddressOf(RegRoot root, std::string_view key, std::string_view name)
{
    return {root, FoldedKey(key), Fold(name)};
}

RegistrySnapshot TakeSnapshot(const MemoryRegistry& registry)
{
    RegistrySnapshot snapshot;
    std::string folded;  // of the key being visited: its values follow it
    registry.Visit(
        [&](RegRoot root, const std::string& path) {
            folded = FoldedKey(path);
            snapshot.keys.insert({root, folded});
        },
        [&](RegRoot root, const std::string&, std::string_view name, RegType type,
            std::span<const unsigned char> data) {
            snapshot.values[ValueAddress{root, folded, Fold(name)}] =
                StoredValue{type, {data.begin(), data.end()}};
        });
    return snapshot;
}

std::set<ValueAddress> ChangedValues(const RegistrySnapshot& before, const RegistrySnapshot& after)
{
    std::set<ValueAddress> changed;
    for (const auto& [address, value] : before.values) {
        const auto found = after.values.find(address);
        if (found == after.values.end() || !(found->second == value)) changed.insert(address);
    }
    for (const auto& [address, value] : after.values)
        if (!before.values.count(address)) changed.insert(address);
    return changed;
}

std::set<std::pair<RegRoot, std::string>> AddedKeys(const RegistrySnapshot& before,
                                                    const RegistrySnapshot& after)
{
    std::set<std::pair<RegRoot, std::string>> added;
    for (const auto& key : after.keys)
        if (!before.keys.count(key)) added.insert(key);
    return added;
}

void CheckWrites(const RegistrySnapshot& before, const RegistrySnapshot& after,
                 const ExpectedWrites& expected, const RegistryCallCounts& counts,
                 const std::string& what)
{
    for (const ValueAddress& address : ChangedValues(before, after))
        Require(expected.values.count(address) != 0, what + " wrote " + Describe(address));
    for (const auto& [address, value] : expected.values) {
        const auto stored = after.values.find(address);
        Require(stored != after.values.end() && stored->second == value,
                what + " did not store the expected value in " + Describe(address));
    }
    Require(counts.setValue == expected.calls, what + " wrote " + std::to_string(counts.setValue) +
                                                   " times, not " + std::to_string(expected.calls));
    Require(counts.deleteValue + counts.deleteTree == 0, what + " deleted something");
}

std::optional<std::int32_t> NumberIn(const std::optional<StoredValue>& value)
{
    if (!value) return std::nullopt;
    std::vector<unsigned char> bytes = value->data;
    // Text reaches a number read in the decoders' code page, as the memory registry has it.
    if (value->type == RegType::String || value->type == RegType::ExpandString ||
        value->type == RegType::MultiString) {
        std::u16string units;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
            units += static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8);
        const std::string text = ApproximateCp949(units);
        bytes.assign(text.begin(), text.end());
    }
    if (bytes.size() > 4) return std::nullopt;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) bits |= std::uint32_t{bytes[i]} << (8 * i);
    return static_cast<std::int32_t>(bits);
}

std::optional<std::int32_t> LoadedNumber(const RegistrySnapshot& snapshot,
                                         const ValueAddress& address)
{
    const auto found = snapshot.values.find(address);
    if (found == snapshot.values.end()) return std::nullopt;
    const auto number = NumberIn(found->second);
    if (number == RegistryStore::MissingDword) return std::nullopt;
    return number;
}

std::optional<std::u16string> UnitsIn(const std::optional<StoredValue>& value)
{
    if (!value || value->data.size() > 2 * RegistryStore::kStringBufferBytes) return std::nullopt;
    std::u16string units;
    for (std::size_t i = 0; i + 1 < value->data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(value->data[i] | value->data[i + 1] << 8);
        if (unit == 0) break;
        units += unit;
    }
    return units;
}

std::optional<std::string> LoadedText(const RegistrySnapshot& snapshot,
                                      const ValueAddress& address)
{
    const auto found = snapshot.values.find(address);
    if (found == snapshot.values.end()) return std::nullopt;
    const auto units = UnitsIn(found->second);
    if (!units) return std::nullopt;
    std::string text = Utf16ToUtf8(*units);
    if (Cp949Length(text) + 1 > RegistryStore::kStringBufferBytes ||
        text == RegistryStore::MissingString)
        return std::nullopt;
    return text;
}

StoredValue DwordValue(std::int32_t number)
{
    const auto bits = static_cast<std::uint32_t>(number);
    return {RegType::Dword,
            {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
             static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)}};
}

StoredValue StringValue(std::u16string_view text)
{
    StoredValue value{RegType::String, {}};
    for (char16_t unit : text) {
        value.data.push_back(static_cast<unsigned char>(unit & 0xFF));
        value.data.push_back(static_cast<unsigned char>(unit >> 8));
    }
    value.data.push_back(0);
    value.data.push_back(0);
    return value;
}

StoredValue RandomValue(Random& random, const ValueRecipe& recipe)
{
    switch (random.Below(6)) {
        case 0: return DwordValue(random.Pick(kInterestingNumbers));
        case 1:
            if (!recipe.numbers.empty()) {
                // A table's own numbers, and their neighbours.
                const auto near =
                    static_cast<std::int64_t>(random.Pick(recipe.numbers)) + random.Between(-1, 1);
                return DwordValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(near)));
            }
            return DwordValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(random.Next())));
        case 2: {
            StoredValue value{RandomType(random), random.Bytes(random.Below(9))};
            return value;
        }
        case 3: {
            StoredValue value = StringValue(Utf8ToUtf16(random.Pick(kSentinelTexts)));
            if (random.Chance(20)) value.type = RegType::ExpandString;
            if (random.Chance(10)) value.data.resize(value.data.size() - 2);  // no terminator
            return value;
        }
        case 4: {
            StoredValue value = StringValue(RandomUnits(random, RandomUnitCount(random)));
            if (random.Chance(15)) value.data.resize(value.data.size() - 2);
            if (random.Chance(10) && !value.data.empty()) value.data.pop_back();  // odd length
            if (random.Chance(10)) value.type = RandomType(random);
            return value;
        }
        default:
            return {RandomType(random),
                    random.Bytes(static_cast<std::size_t>(random.Between(0, 5000)))};
    }
}

std::string CaseVariant(Random& random, std::string_view name)
{
    std::string variant(name);
    if (random.Chance(70)) return variant;
    for (char& c : variant) {
        if (!random.Chance(50)) continue;
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return variant;
}

std::string PathVariant(Random& random, std::string_view path)
{
    std::string variant;
    for (char c : CaseVariant(random, path)) {
        variant += c;
        if (c == '\\' && random.Chance(10)) variant += '\\';
    }
    if (random.Chance(10)) variant += '\\';
    return variant;
}

bool IsValidUtf8(std::string_view text)
{
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t cp = 0;
        char32_t least = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            cp = lead & 0x1F;
            least = 0x80;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            cp = lead & 0x0F;
            least = 0x800;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            cp = lead & 0x07;
            least = 0x10000;
        } else
            return false;
        if (i + extra >= text.size()) return false;
        for (std::size_t k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp < 0xE000)) return false;
        i += extra + 1;
    }
    return true;
}

std::string Describe(const ValueAddress& address)
{
    const char* root = address.root == RegRoot::CurrentUser    ? "HKCU"
                       : address.root == RegRoot::LocalMachine ? "HKLM"
                                                               : "HKCR";
    return std::string(root) + "\\" + address.key + " [" + address.name + "]";
}

}  // namespace zelora::fuzz
