// The registry store's reads and loads over values of every type and size: what each read
// returns follows from the stored bytes alone, the single and the batched string reads
// agree, reads change no value, and a load writes only the default of a value it could
// not read, and only where writing is allowed.
#include "fuzz/FuzzRegistry.h"

#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/text/Text.h"
#include "platform/registry/RegistryStore.h"

#include <optional>

namespace zelora::fuzz {
namespace {

constexpr RegRoot kRoots[] = {RegRoot::CurrentUser, RegRoot::LocalMachine, RegRoot::ClassesRoot};
constexpr std::string_view kKeys[] = {"Software\\Zelora\\Fuzz", "Software\\Zelora\\Fuzz\\Sub",
                                      "Software\\Other"};
constexpr std::string_view kNames[] = {"", "Value", "Deblock_Y", "값", "Subtitle Delay", "0"};
constexpr std::string_view kDefaultTexts[] = {
    "", "0", "12", "-5", "abc", "99999999999", "-99999999999", " 7", "기본값"};

struct Fixture {
    MemoryRegistry memory;
    CountingRegistry counting{memory};
    RegistryStore store{counting};
    bool refused = false;  // writes under the fuzzed root are refused
};

std::optional<StoredValue> Raw(MemoryRegistry& memory, RegRoot root, std::string_view key,
                               std::string_view name)
{
    std::uint32_t size = 0;
    if (memory.QueryValue(root, key, KeyOpen::ExistingOnly, name, nullptr, size, nullptr) !=
        RegStatus::Ok)
        return std::nullopt;
    StoredValue value;
    value.data.resize(size);
    memory.QueryValue(root, key, KeyOpen::ExistingOnly, name, value.data.data(), size, &value.type);
    return value;
}

// A string read's text against the stored UTF-16 up to its first NUL: the same units,
// except that a lone surrogate (no text) comes back as U+FFFD; "ERROR" for what cannot be
// read or is too long for the decoders' buffer.
void CheckStringRead(const std::optional<StoredValue>& raw, const std::string& text,
                     const std::string& where)
{
    Require(IsValidUtf8(text), where + ": read text is not UTF-8");
    Require(text.find('\0') == std::string::npos, where + ": read text holds a NUL");
    const auto stored = UnitsIn(raw);
    if (!stored) {
        Require(text == RegistryStore::MissingString, where + ": unreadable value read as text");
        return;
    }
    const std::u16string& units = *stored;
    const std::string decoded = Utf16ToUtf8(units);
    if (Cp949Length(decoded) + 1 > RegistryStore::kStringBufferBytes) {
        Require(text == RegistryStore::MissingString, where + ": over-long text read");
        return;
    }
    const std::u16string read = Utf8ToUtf16(text);
    Require(read.size() == units.size(), where + ": read text has another length");
    for (std::size_t i = 0; i < units.size(); ++i) {
        const bool surrogate = units[i] >= 0xD800 && units[i] < 0xE000;
        Require(surrogate ? (read[i] == units[i] || read[i] == 0xFFFD) : read[i] == units[i],
                where + ": read text differs from the stored one");
    }
}

// Reads change no value; under HKEY_CLASSES_ROOT they create no key either.
void CheckNothingWritten(Fixture& f, const RegistrySnapshot& before, const std::string& what)
{
    const RegistrySnapshot after = TakeSnapshot(f.memory);
    Require(ChangedValues(before, after).empty(), what + " changed a value");
    for (const auto& [root, key] : AddedKeys(before, after))
        Require(root != RegRoot::ClassesRoot, what + " created a key under HKCR: " + key);
}

// After a load that could not read its value: the default alone is written, where the store
// writes (not under HKCR), and nothing else changes.
void CheckDefaultWritten(Fixture& f, const RegistrySnapshot& before, RegRoot root,
                         std::string_view key, std::string_view name,
                         const std::optional<StoredValue>& expected, const std::string& what)
{
    ExpectedWrites writes;
    if (expected) {
        if (!f.refused) writes.values[AddressOf(root, key, name)] = *expected;
        writes.calls = 1;  // tried once, refused or not
    }
    CheckWrites(before, TakeSnapshot(f.memory), writes, f.counting.Counts(), what);
}

void PlantValues(Random& random, MemoryRegistry& memory)
{
    const auto count = random.Below(8);
    for (std::uint64_t i = 0; i < count; ++i) {
        const StoredValue value = RandomValue(random);
        memory.SetValue(random.Pick(kRoots), PathVariant(random, random.Pick(kKeys)),
                        CaseVariant(random, random.Pick(kNames)), value.type, value.data.data(),
                        static_cast<std::uint32_t>(value.data.size()));
    }
}

void FuzzReads(Random& random, Fixture& f, RegRoot root, std::string_view key,
               std::string_view name)
{
    const auto raw = Raw(f.memory, root, key, name);
    const RegistrySnapshot before = TakeSnapshot(f.memory);

    const std::int32_t number = f.store.ReadDword(root, key, name);
    const auto expected = NumberIn(raw);
    Require(number == (expected ? *expected : RegistryStore::MissingDword),
            "ReadDword differs from the stored bytes");

    const std::string text = f.store.ReadString(root, key, name);
    CheckStringRead(raw, text, "ReadString");

    // The batched read of the same value, beside values of other subkeys, agrees with it.
    std::vector<SubkeyValueQuery> queries;
    std::vector<std::string> singles;
    const std::string base(key.substr(0, key.rfind('\\')));
    const std::string subkey(key.substr(key.rfind('\\') + 1));
    const auto extra = random.Below(4);
    for (std::uint64_t i = 0; i <= extra; ++i) {
        const bool same = i == 0 || random.Chance(30);
        const std::string_view other = same ? std::string_view(subkey) : random.Pick(kNames);
        const std::string_view otherName = same ? name : random.Pick(kNames);
        queries.push_back({other, otherName});
        singles.push_back(f.store.ReadString(root, base + "\\" + std::string(other), otherName));
    }
    // The single reads above may create keys (not under HKCR); the batch must create none.
    const RegistrySnapshot beforeBatch = TakeSnapshot(f.memory);
    const std::vector<std::string> batch = f.store.ReadStrings(root, base, queries);
    Require(batch == singles, "ReadStrings differs from ReadString");
    Require(AddedKeys(beforeBatch, TakeSnapshot(f.memory)).empty(), "ReadStrings created a key");

    Require(f.counting.Counts().setValue + f.counting.Counts().deleteValue == 0, "a read wrote");
    CheckNothingWritten(f, before, "a read");
}

void FuzzLoad(Random& random, Fixture& f, RegRoot root, std::string_view key, std::string_view name)
{
    const auto raw = Raw(f.memory, root, key, name);
    const auto number = NumberIn(raw);
    const bool numberMissing = !number || *number == RegistryStore::MissingDword;
    const bool writable = root != RegRoot::ClassesRoot;
    const RegistrySnapshot before = TakeSnapshot(f.memory);
    f.counting.ResetCounts();

    switch (random.Below(4)) {
        case 0:
        case 1: {
            // A check box's state or any number: both read a DWORD and store the default.
            const bool check = random.Chance(50);
            const std::int32_t fallback =
                check ? static_cast<std::int32_t>(random.Between(-3, 3))
                      : static_cast<std::int32_t>(static_cast<std::uint32_t>(random.Next()));
            std::int32_t value = 0;
            if (check)
                value = f.store.LoadCheck(root, key, name, fallback);
            else
                f.store.LoadDword(root, key, name, value, fallback);
            const std::string what = check ? "LoadCheck" : "LoadDword";
            Require(value == (numberMissing ? fallback : *number), what + " gives another number");
            CheckDefaultWritten(
                f, before, root, key, name,
                numberMissing && writable ? std::optional(DwordValue(fallback)) : std::nullopt,
                what);
            break;
        }
        case 2: {
            const std::string fallback(random.Pick(kDefaultTexts));
            std::string text;
            f.store.LoadDwordText(root, key, name, text, fallback);
            Require(text == (numberMissing ? fallback : std::to_string(*number)),
                    "LoadDwordText gives another text");
            CheckDefaultWritten(f, before, root, key, name,
                                numberMissing && writable
                                    ? std::optional(DwordValue(DecimalTextToInt(fallback)))
                                    : std::nullopt,
                                "LoadDwordText");
            break;
        }
        default: {
            const std::string stored = f.store.ReadString(root, key, name);
            f.counting.ResetCounts();
            const std::string fallback(random.Pick(kDefaultTexts));
            std::string text;
            f.store.LoadString(root, key, name, text, fallback);
            const bool missing = stored == RegistryStore::MissingString;
            Require(text == (missing ? fallback : stored), "LoadString gives another text");
            // Only HKEY_CURRENT_USER gets a missing string's default written back.
            CheckDefaultWritten(f, before, root, key, name,
                                missing && root == RegRoot::CurrentUser
                                    ? std::optional(StringValue(Utf8ToUtf16(fallback)))
                                    : std::nullopt,
                                "LoadString");
            break;
        }
    }
}

// What the store writes, it reads back as written.
void FuzzRoundTrip(Random& random, Fixture& f, RegRoot root, std::string_view key,
                   std::string_view name)
{
    if (root == RegRoot::ClassesRoot) return;
    // A refused write reports it and leaves the value as it was.
    const std::int32_t storedNumber = f.store.ReadDword(root, key, name);
    const auto number = static_cast<std::int32_t>(static_cast<std::uint32_t>(random.Next()));
    Require(f.store.WriteDword(root, key, name, number) != f.refused,
            "WriteDword reports another result");
    Require(f.store.ReadDword(root, key, name) == (f.refused ? storedNumber : number),
            "a written DWORD reads back otherwise");
    Require(DecimalTextToInt(std::to_string(number)) == number, "decimal text round trip");

    std::string text;
    const std::int64_t units =
        random.Below(3) == 0 ? random.Between(1000, 1100) : random.Between(0, 40);
    for (std::int64_t i = 0; i < units; ++i)
        text += random.Chance(70) ? std::string(1, static_cast<char>(random.Between(0x20, 0x7E)))
                                  : std::string("한");
    const std::string storedText = f.store.ReadString(root, key, name);
    Require(f.store.WriteString(root, key, name, text) != f.refused,
            "WriteString reports another result");
    const std::string read = f.store.ReadString(root, key, name);
    const bool fits = Cp949Length(text) + 1 <= RegistryStore::kStringBufferBytes;
    const std::string expected = fits ? text : std::string(RegistryStore::MissingString);
    Require(read == (f.refused ? storedText : expected), "a written string reads back otherwise");
}

// Random bytes through both text conversions: always well-formed, and lossless for
// well-formed input.
void FuzzTextConversions(Random& random)
{
    const auto bytes = random.Bytes(random.Below(64));
    const std::string junk(bytes.begin(), bytes.end());
    const std::string utf8 = Utf16ToUtf8(Utf8ToUtf16(junk));
    Require(IsValidUtf8(utf8), "UTF-8 -> UTF-16 -> UTF-8 of random bytes is not UTF-8");
    Require(Utf16ToUtf8(Utf8ToUtf16(utf8)) == utf8, "well-formed UTF-8 does not round-trip");
    (void)DecimalTextToInt(junk);
}

void OneInput(Random& random)
{
    Fixture f;
    PlantValues(random, f.memory);
    const RegRoot root = random.Pick(kRoots);
    const std::string key = PathVariant(random, random.Pick(kKeys));
    const std::string name = CaseVariant(random, random.Pick(kNames));
    if (random.Chance(60)) {
        // Most inputs read a value that is there, of any kind.
        const StoredValue value = RandomValue(random);
        f.memory.SetValue(root, key, name, value.type, value.data.data(),
                          static_cast<std::uint32_t>(value.data.size()));
    }
    if (random.Chance(15)) {  // a standard user under HKEY_LOCAL_MACHINE, say
        f.refused = true;
        f.memory.RefuseWrites(root);
    }
    FuzzReads(random, f, root, key, name);
    FuzzLoad(random, f, root, key, name);
    FuzzRoundTrip(random, f, root, key, name);
    FuzzTextConversions(random);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "registry_store", zelora::fuzz::OneInput);
}
