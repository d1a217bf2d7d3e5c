// Every settings page's Load, control changes and ResetDefaults over a registry holding
// values of every type and size: Load writes only the values it could not read, each with
// its row's default in the row's own type (a DWORD, or a gain text); a second Load writes
// nothing and shows the same; a control change writes only its own row's values; and
// ResetDefaults writes each row's reset values once and nothing else, which load back to
// the same controls. A refused write changes nothing, and the controls show what is stored.
#include "fuzz/FuzzRegistry.h"
#include "native/FakePageControls.h"

#include "pages/LevelConversions.h"
#include "pages/PageModel.h"
#include "pages/audio/SoundAC3Values.h"
#include "pages/audio/SoundFFDShowValues.h"
#include "pages/audio/SoundKorrinValues.h"
#include "pages/subtitle/CaptionDivxG400Values.h"
#include "pages/subtitle/CaptionVSFilterValues.h"
#include "pages/video/VideoDivxValues.h"
#include "pages/video/VideoFFDShowValues.h"
#include "pages/video/VideoXvidValues.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <optional>

namespace zelora::fuzz {
namespace {

struct FuzzedPage {
    std::string_view name;
    std::span<const ValueRow> values;
};

// One line per page.
constexpr FuzzedPage kPages[] = {
    {"Xvid", video_xvid::kValues},
    {"ffdshow video", video_ffdshow::kValues},
    {"DTS speaker", sound_korrin::kValues},
    {"VSFilter", caption_vsfilter::kValues},
    {"DivX G400", caption_divxg400::kValues},
    {"DivX", video_divx::kValues},
    {"ffdshow audio", sound_ffdshow::kValues},
    {"AC3Filter", sound_ac3::kValues},
};

using pagetest::FakePageControls;

// What the controls show, for comparing two moments of the same page.
struct Shown {
    std::map<int, int> checks;
    std::map<int, std::vector<std::string>> comboItems;
    std::map<int, int> comboSelection;
    std::map<int, int> radios;
    std::map<int, std::string> members;
    std::map<NumberKey, std::int32_t> numbers;

    bool operator==(const Shown&) const = default;
};

// A box never ticked shows unticked, a number never kept reads 0: as if set so.
template <class Map>
Map WithoutZeros(Map map)
{
    std::erase_if(map, [](const auto& entry) { return entry.second == 0; });
    return map;
}

Shown ShownBy(const FakePageControls& c)
{
    return {WithoutZeros(c.checks), c.comboItems, c.comboSelection,
            c.radios,               c.members,    WithoutZeros(c.numbers)};
}

template <class Map>
void DescribeDifference(const char* what, const Map& before, const Map& after, std::string& out)
{
    for (const auto& [id, value] : before) {
        const auto other = after.find(id);
        if (other == after.end() || !(other->second == value))
            out += std::string(" ") + what + " " + std::to_string(static_cast<int>(id));
    }
    for (const auto& [id, value] : after)
        if (!before.count(id))
            out += std::string(" ") + what + " " + std::to_string(static_cast<int>(id));
}

// Which controls show otherwise, for a failure's message.
std::string Difference(const Shown& a, const Shown& b)
{
    std::string out;
    DescribeDifference("check", a.checks, b.checks, out);
    DescribeDifference("list", a.comboSelection, b.comboSelection, out);
    DescribeDifference("radio", a.radios, b.radios, out);
    DescribeDifference("edit", a.members, b.members, out);
    DescribeDifference("number", a.numbers, b.numbers, out);
    return out;
}

// What the controls mean: an edit's text as the number it stores ("12abc" and "12" alike).
Shown Meaning(Shown shown)
{
    for (auto& [id, text] : shown.members) text = std::to_string(DecimalTextToInt(text));
    return shown;
}

struct Fixture {
    explicit Fixture(const FuzzedPage& fuzzed) : page(fuzzed)
    {
        // As the Win32 page does: an edit's change notification reaches the model.
        controls.onEditChange = [this](int id) { model.OnControlChanged(page.values, id); };
    }

    const FuzzedPage& page;
    MemoryRegistry memory;
    CountingRegistry counting{memory};
    RegistryStore store{counting};
    FakePageControls controls;
    PageModel model{store, controls};
    RegistrySnapshot current;  // the registry as the last check left it
    bool loaded = false;       // every row's value is readable, or refused its default
    std::optional<RegRoot> refusedRoot;  // every write under it is refused

    // Whether a write under `root` reaches the registry's values.
    bool Lands(RegRoot root) const { return root != refusedRoot; }
};

ValueAddress AddressOf(const ValueRow& row)
{
    return fuzz::AddressOf(row.value.root, row.value.key, row.value.name);
}

ValueAddress SecondAddressOf(const ValueRow& row)
{
    return fuzz::AddressOf(row.value.root, row.value.key, row.secondName);
}

const FormatPairControls& FormatPairOf(const ValueRow& row)
{
    return static_cast<const FormatPairControls&>(*row.extra);
}

// ---------------------------------------------------------------------------------------
// What each kind of row writes, modelled from the stored bytes alone.

struct RowWrite {
    ValueAddress address;
    StoredValue value;
};

bool IsGainText(const ValueRow& row) { return row.kind == &kGainTextKind; }

StoredValue GainTextValue(std::int32_t decibels)
{
    return StringValue(Utf8ToUtf16(Ac3GainText(decibels)));
}

// The writes that store `value` (what the row's controls hold: a number, an entry's index
// for a list of pairs, decibels for a gain), in order; the first refused one ends them.
std::vector<RowWrite> StoreWrites(const ValueRow& row, std::int32_t value)
{
    if (IsGainText(row)) return {{AddressOf(row), GainTextValue(value)}};
    if (row.kind == &kChoicePairKind) {
        Require(value >= 0 && static_cast<std::size_t>(value) < row.choice->items.size(),
                "row " + std::to_string(row.controlId) + ": no entry " + std::to_string(value));
        const ChoiceItem& item = row.choice->items[static_cast<std::size_t>(value)];
        return {{AddressOf(row), DwordValue(item.value)},
                {SecondAddressOf(row), DwordValue(item.secondValue)}};
    }
    std::vector<RowWrite> writes{{AddressOf(row), DwordValue(value)}};
    if (row.secondName.empty()) return writes;
    const auto item = std::find_if(row.choice->items.begin(), row.choice->items.end(),
                                   [&](const ChoiceItem& i) { return i.value == value; });
    Require(item != row.choice->items.end(),
            "row " + std::to_string(row.controlId) + ": " + std::to_string(value) +
                " is no entry's value");
    writes.push_back({SecondAddressOf(row), DwordValue(item->secondValue)});
    return writes;
}

// The writes a Load of `row` tries over `state`: the default of each value it reads and
// cannot, where the store writes defaults back.
std::vector<RowWrite> LoadWrites(const ValueRow& row, const RegistrySnapshot& state)
{
    const ValueAddress own = AddressOf(row);
    if (row.value.root == RegRoot::ClassesRoot) return {};
    if (IsGainText(row)) {
        if (LoadedText(state, own) || row.value.root != RegRoot::CurrentUser) return {};
        return StoreWrites(row, row.defaultValue);
    }
    if (row.kind == &kChoicePairKind) {
        // The second number is read only when several entries share the first.
        const ChoiceItem& fallback = row.choice->items[static_cast<std::size_t>(row.defaultValue)];
        std::vector<RowWrite> writes;
        const auto first = LoadedNumber(state, own);
        if (!first) writes.push_back({own, DwordValue(fallback.value)});
        const std::int32_t shown = first.value_or(fallback.value);
        const auto sharing =
            std::count_if(row.choice->items.begin(), row.choice->items.end(),
                          [&](const ChoiceItem& item) { return item.value == shown; });
        if (sharing > 1 && !LoadedNumber(state, SecondAddressOf(row)))
            writes.push_back({SecondAddressOf(row), DwordValue(fallback.secondValue)});
        return writes;
    }
    // A list's second value is written, never read.
    if (LoadedNumber(state, own)) return {};
    return {{own, DwordValue(row.defaultValue)}};
}

// What a Load over `state` writes, row by row in table order: a later row reads what an
// earlier one stored, and a refused default is tried again by every row that reads it.
ExpectedWrites LoadWritesOver(const Fixture& f, RegistrySnapshot state)
{
    ExpectedWrites expected;
    for (const ValueRow& row : f.page.values) {
        for (const RowWrite& write : LoadWrites(row, state)) {
            ++expected.calls;
            if (!f.Lands(write.address.root)) continue;
            state.values[write.address] = write.value;
            expected.values[write.address] = write.value;
        }
    }
    return expected;
}

// Whether the value at `at` is of the type the row writes: a DWORD, or a readable REG_SZ.
bool IsRowsOwnType(const ValueRow& row, const RegistrySnapshot& state, const ValueAddress& at)
{
    const auto found = state.values.find(at);
    if (found == state.values.end()) return false;
    if (IsGainText(row)) return found->second.type == RegType::String && LoadedText(state, at);
    return found->second.type == RegType::Dword && found->second.data.size() == 4;
}

// The numbers a page's table treats specially, offered as stored values.
std::vector<std::int32_t> TableNumbers(std::span<const ValueRow> rows)
{
    std::vector<std::int32_t> numbers;
    for (const ValueRow& row : rows) {
        numbers.insert(numbers.end(), {row.defaultValue, row.resetValue, row.onValue, row.range.min,
                                       row.range.max});
        if (row.choice)
            for (const ChoiceItem& item : row.choice->items)
                numbers.insert(numbers.end(), {item.value, item.secondValue});
        if (row.mask)
            for (const MaskBox& box : row.mask->boxes)
                numbers.insert(numbers.end(), {box.part, box.ReadPart()});
        if (row.kind == &kFormatPairKind) {
            const FormatPair& pair = FormatPairOf(row).pair;
            numbers.insert(numbers.end(), {pair.decoded, pair.passedThrough});
        }
    }
    return numbers;
}

void Plant(Random& random, MemoryRegistry& memory, RegRoot root, std::string_view key,
           std::string_view name, const ValueRecipe& recipe)
{
    const StoredValue value = RandomValue(random, recipe);
    memory.SetValue(root, PathVariant(random, key), CaseVariant(random, name), value.type,
                    value.data.data(), static_cast<std::uint32_t>(value.data.size()));
}

// Each row's value (and second value) present or not, of any kind; strangers beside them
// and in an unrelated key, which no operation may touch.
void FillRegistry(Random& random, Fixture& f)
{
    // Gains as the decoder writes them, and texts that are no gain.
    constexpr std::string_view kGainTexts[] = {
        "1.000000", "0.100000", "10.000000", "1.778279", "3.16", "1e9",  "1e-300", "1e400",
        "0",        "-1",       "nan",       "inf",      "+-1", " 2.5", "0x10",   "1.5junk"};
    const std::vector<std::int32_t> numbers = TableNumbers(f.page.values);
    const ValueRecipe recipe{numbers};
    for (const ValueRow& row : f.page.values) {
        const RegValue& at = row.value;
        if (IsGainText(row) && random.Chance(40)) {
            const StoredValue gain = StringValue(Utf8ToUtf16(random.Pick(kGainTexts)));
            f.memory.SetValue(at.root, PathVariant(random, at.key), CaseVariant(random, at.name),
                              gain.type, gain.data.data(),
                              static_cast<std::uint32_t>(gain.data.size()));
        } else if (random.Chance(75)) {
            Plant(random, f.memory, at.root, at.key, at.name, recipe);
        }
        if (!row.secondName.empty() && random.Chance(50))
            Plant(random, f.memory, at.root, at.key, row.secondName, recipe);
        if (random.Chance(10)) Plant(random, f.memory, at.root, at.key, "Stranger", recipe);
    }
    if (random.Chance(50))
        Plant(random, f.memory, RegRoot::CurrentUser, "Software\\Unrelated", "Deblock_Y", recipe);
}

// Keys a page's reads may create: its rows' keys and their parents.
bool IsRowKeyOrParent(std::span<const ValueRow> rows, RegRoot root, const std::string& key)
{
    return std::any_of(rows.begin(), rows.end(), [&](const ValueRow& row) {
        const std::string rowKey = FoldedKey(row.value.key);
        return row.value.root == root &&
               (rowKey == key ||
                (rowKey.size() > key.size() && rowKey.compare(0, key.size(), key) == 0 &&
                 (key.empty() || rowKey[key.size()] == '\\')));
    });
}

// The writes a Load makes once it has run: none, or when the registry refuses them, the
// same defaults tried again.
std::uint64_t LoadWritesAfterLoad(const Fixture& f)
{
    const ExpectedWrites again = LoadWritesOver(f, f.current);
    Require(again.values.empty(), "a value Load stored does not load: " +
                                      (again.values.empty() ? std::string()
                                                            : Describe(again.values.begin()->first)));
    return again.calls;
}

void CheckLoad(Fixture& f)
{
    std::span<const ValueRow> rows = f.page.values;
    const RegistrySnapshot& before = f.current;
    f.counting.ResetCounts();
    f.model.Load(rows);
    RegistrySnapshot after = TakeSnapshot(f.memory);
    CheckWrites(before, after, LoadWritesOver(f, before), f.counting.Counts(), "Load");
    for (const auto& [root, key] : AddedKeys(before, after))
        Require(IsRowKeyOrParent(rows, root, key), "Load created an unrelated key " + key);
    f.current = std::move(after);
    f.loaded = true;

    // Everything is readable now (or refused): a second Load writes nothing (tries the same
    // writes again) and shows the same.
    const Shown first = ShownBy(f.controls);
    f.counting.ResetCounts();
    f.model.Load(rows);
    Require(f.counting.Counts().setValue == LoadWritesAfterLoad(f), "a second Load wrote");
    Require(ShownBy(f.controls) == first,
            "a second Load shows otherwise:" + Difference(first, ShownBy(f.controls)));
}

// The writes of `row` storing `value`, added to `expected`: up to the first refused one.
void AddStore(const Fixture& f, const ValueRow& row, std::int32_t value, ExpectedWrites& expected)
{
    for (const RowWrite& write : StoreWrites(row, value)) {
        if (write.address.root == RegRoot::ClassesRoot) return;  // refused before the registry
        ++expected.calls;
        if (!f.Lands(write.address.root)) return;
        expected.values[write.address] = write.value;
    }
}

// What a control change makes its row store, as far as the driver can tell from the
// control alone: a known value, nothing, or (a mask's number, a typed text) some value of
// the row's own type that the reload check then judges.
struct ChangeOutcome {
    enum class Kind { Stores, Nothing, OwnValue } kind = Kind::OwnValue;
    std::int32_t value = 0;
};

ChangeOutcome Stores(std::int32_t value) { return {ChangeOutcome::Kind::Stores, value}; }

// Clicks or types into one control of `row` as a user would.
std::optional<ChangeOutcome> ChangeControl(Random& random, Fixture& f, const ValueRow& row)
{
    std::span<const ValueRow> rows = f.page.values;
    FakePageControls& c = f.controls;
    auto toggle = [&](int id) {
        const int ticked = c.GetCheck(id) ? 0 : 1;
        c.SetCheck(id, ticked);
        f.model.OnControlChanged(rows, id);
        return ticked != 0;
    };
    if (row.kind == &kCheckKind) return Stores(toggle(row.controlId) ? 1 : 0);
    if (row.kind == &kFlagCheckKind) return Stores(toggle(row.controlId) ? row.onValue : 0);
    if (row.kind == &kMaskKind) {
        toggle(random.Pick(row.mask->boxes).id);
        return ChangeOutcome{};
    }
    if (row.kind == &kFormatPairKind) {
        // The S/PDIF box takes clicks only while it is enabled.
        const FormatPairControls& formatRow = FormatPairOf(row);
        const bool spdifClicked = random.Chance(50) && c.IsEnabled(formatRow.spdifId);
        toggle(spdifClicked ? formatRow.spdifId : row.controlId);
        const bool format = c.GetCheck(row.controlId) != 0;
        const bool spdif = c.GetCheck(formatRow.spdifId) != 0;
        // 0 not taken, 1 passed through only, or decoded with or without pass-through.
        return Stores(format ? (spdif ? formatRow.pair.passedThrough : formatRow.pair.decoded)
                             : (spdif ? 1 : 0));
    }
    if (row.kind == &kComboKind || row.kind == &kChoicePairKind) {
        // One past the list selects nothing, as -1 does, and so does anything in a list
        // never filled (a page reset before it was shown): that writes nothing.
        const auto count = static_cast<std::int64_t>(row.choice->items.size());
        c.SetComboIndex(row.controlId, static_cast<int>(random.Between(-1, count)));
        const int index = c.GetComboIndex(row.controlId);
        f.model.OnControlChanged(rows, row.controlId);
        if (index < 0) return ChangeOutcome{ChangeOutcome::Kind::Nothing};
        if (row.kind == &kChoicePairKind) return Stores(index);
        return Stores(row.choice->items[static_cast<std::size_t>(index)].value);
    }
    if (row.kind == &kRadioKind) {
        const int index = static_cast<int>(random.Below(row.choice->items.size()));
        c.SetRadio(row.controlId, index);
        f.model.OnControlChanged(rows, row.controlId + index);
        return Stores(row.choice->items[static_cast<std::size_t>(index)].value);
    }
    if (row.kind == &kNumberTextKind || IsGainText(row)) {
        constexpr std::string_view kTyped[] = {"",      "0",          "-",           "5",
                                               "150",   "-20",        "99999999999", "-99999999999",
                                               "12abc", "2147483648", "1.5",         "-7"};
        c.Type(row.controlId, std::string(random.Pick(kTyped)));
        return ChangeOutcome{};
    }
    return std::nullopt;  // a number no control shows
}

// One control of one row changes; only that row's values may be written, and with a known
// outcome exactly those values.
void CheckControlChange(Random& random, Fixture& f)
{
    std::span<const ValueRow> rows = f.page.values;
    const ValueRow& row = rows[static_cast<std::size_t>(random.Below(rows.size()))];
    f.counting.ResetCounts();
    const auto outcome = ChangeControl(random, f, row);
    if (!outcome) return;
    const std::string what = "a change of control " + std::to_string(row.controlId);
    RegistrySnapshot after = TakeSnapshot(f.memory);
    if (outcome->kind == ChangeOutcome::Kind::OwnValue) {
        for (const ValueAddress& address : ChangedValues(f.current, after))
            Require(address == AddressOf(row) && IsRowsOwnType(row, after, address),
                    what + " wrote " + Describe(address));
        Require(f.counting.Counts().setValue <= 1, what + " wrote more than its value");
        Require(f.counting.Counts().deleteValue + f.counting.Counts().deleteTree == 0,
                what + " deleted something");
    } else {
        ExpectedWrites expected;
        if (outcome->kind == ChangeOutcome::Kind::Stores) AddStore(f, row, outcome->value, expected);
        CheckWrites(f.current, after, expected, f.counting.Counts(), what);
    }
    f.current = std::move(after);

    // What the change stored (or, refused, put back) shows the same when loaded again.
    if (!f.loaded) return;
    const Shown changed = Meaning(ShownBy(f.controls));
    f.counting.ResetCounts();
    f.model.Load(rows);
    Require(f.counting.Counts().setValue == LoadWritesAfterLoad(f),
            "Load after a control change wrote");
    const Shown loaded = Meaning(ShownBy(f.controls));
    Require(loaded == changed || outcome->kind == ChangeOutcome::Kind::Nothing,
            "after " + what + ", loading again shows otherwise:" + Difference(changed, loaded));
}

void CheckResetDefaults(Fixture& f)
{
    std::span<const ValueRow> rows = f.page.values;
    ExpectedWrites expected;  // later rows win, as SaveAll writes in table order
    for (const ValueRow& row : rows) AddStore(f, row, row.resetValue, expected);
    f.counting.ResetCounts();
    f.model.ResetDefaults(rows);
    CheckWrites(f.current, TakeSnapshot(f.memory), expected, f.counting.Counts(), "ResetDefaults");

    // The reset values load back to the controls the reset showed, writing nothing.
    const Shown reset = ShownBy(f.controls);
    f.current = TakeSnapshot(f.memory);
    f.counting.ResetCounts();
    f.model.Load(rows);
    Require(f.counting.Counts().setValue == LoadWritesAfterLoad(f),
            "Load after ResetDefaults wrote");
    Require(ShownBy(f.controls) == reset,
            "the reset values load back otherwise:" + Difference(reset, ShownBy(f.controls)));
}

void OneInput(Random& random)
{
    Fixture f(random.Pick(kPages));
    try {
        FillRegistry(random, f);
        if (random.Chance(15)) {  // a standard user: say HKEY_LOCAL_MACHINE is read only
            f.refusedRoot = f.page.values.front().value.root;
            f.memory.RefuseWrites(*f.refusedRoot);
        }
        f.current = TakeSnapshot(f.memory);
        if (random.Chance(80)) CheckLoad(f);
        const auto changes = random.Below(4);
        for (std::uint64_t i = 0; i < changes; ++i) CheckControlChange(random, f);
        CheckResetDefaults(f);
    } catch (const Failure& failure) {
        throw Failure(std::string(f.page.name) + " page: " + failure.what());
    }
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "pages", zelora::fuzz::OneInput);
}
