// Every settings page's Load, control changes and ResetDefaults over a registry holding
// values of every type and size: Load writes only the values it could not read, each with
// its row's default; a second Load writes nothing and shows the same; a control change
// writes only its own row's values; ResetDefaults writes each row's reset value once and
// nothing else; and what it wrote loads back to the same controls.
#include "fuzz/FuzzRegistry.h"
#include "native/FakePageControls.h"

#include "pages/PageModel.h"
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

// Every page whose rows each hold one DWORD: one line per page. (The ffdshow audio and
// AC3Filter pages also store gain texts and paired values, which the checks below do not
// model yet.)
constexpr FuzzedPage kPages[] = {
    {"Xvid", video_xvid::kValues},
    {"ffdshow video", video_ffdshow::kValues},
    {"DTS speaker", sound_korrin::kValues},
    {"VSFilter", caption_vsfilter::kValues},
    {"DivX G400", caption_divxg400::kValues},
    {"DivX", video_divx::kValues},
};

using pagetest::FakePageControls;

// What the controls show, for comparing two moments of the same page.
struct Shown {
    std::map<int, int> checks;
    std::map<int, std::vector<std::string>> comboItems;
    std::map<int, int> comboSelection;
    std::map<int, int> radios;
    std::map<int, std::string> members;
    std::map<int, std::int32_t> numbers;

    bool operator==(const Shown&) const = default;
};

Shown ShownBy(const FakePageControls& c)
{
    return {c.checks, c.comboItems, c.comboSelection, c.radios, c.members, c.numbers};
}

template <class Map>
void DescribeDifference(const char* what, const Map& before, const Map& after, std::string& out)
{
    for (const auto& [id, value] : before) {
        const auto other = after.find(id);
        if (other == after.end() || !(other->second == value))
            out += std::string(" ") + what + " " + std::to_string(id);
    }
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
    bool refused = false;      // every write to the page's root is refused
};

ValueAddress AddressOf(const ValueRow& row)
{
    return fuzz::AddressOf(row.value.root, row.value.key, row.value.name);
}

// The numbers a page's table treats specially, offered as stored values.
std::vector<std::int32_t> TableNumbers(std::span<const ValueRow> rows)
{
    std::vector<std::int32_t> numbers;
    for (const ValueRow& row : rows) {
        numbers.insert(numbers.end(), {row.defaultValue, row.resetValue, row.onValue, row.range.min,
                                       row.range.max});
        if (row.choice)
            for (const ChoiceItem& item : row.choice->items) numbers.push_back(item.value);
        if (row.mask)
            for (const MaskBox& box : row.mask->boxes)
                numbers.insert(numbers.end(), {box.part, box.ReadPart()});
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
    const std::vector<std::int32_t> numbers = TableNumbers(f.page.values);
    const ValueRecipe recipe{numbers};
    for (const ValueRow& row : f.page.values) {
        const RegValue& at = row.value;
        if (random.Chance(75)) Plant(random, f.memory, at.root, at.key, at.name, recipe);
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

// The writes a Load makes once it has run: none, or when the registry refuses them, one per
// row whose value still holds no number (tried again, once, at every Load).
std::uint64_t LoadWritesAfterLoad(const Fixture& f)
{
    if (!f.refused) return 0;
    return static_cast<std::uint64_t>(
        std::count_if(f.page.values.begin(), f.page.values.end(), [&](const ValueRow& row) {
            return !LoadedNumber(f.current, AddressOf(row)) &&
                   row.value.root != RegRoot::ClassesRoot;
        }));
}

void CheckLoad(Fixture& f)
{
    std::span<const ValueRow> rows = f.page.values;
    const RegistrySnapshot& before = f.current;
    // The value each unreadable row's load stores: the first row's default wins when rows
    // share a value, since later rows then read it.
    ExpectedWrites expected;
    for (const ValueRow& row : rows) {
        const ValueAddress address = AddressOf(row);
        if (!LoadedNumber(before, address) && row.value.root != RegRoot::ClassesRoot)
            expected.values.emplace(address, DwordValue(row.defaultValue));
    }
    expected.calls = expected.values.size();
    if (f.refused) {
        expected.calls = LoadWritesAfterLoad(f);
        expected.values.clear();
    }
    f.counting.ResetCounts();
    f.model.Load(rows);
    RegistrySnapshot after = TakeSnapshot(f.memory);
    CheckWrites(before, after, expected, f.counting.Counts(), "Load");
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

// One control of one row changes as a user would change it; only that row's values may be
// written.
void CheckControlChange(Random& random, Fixture& f)
{
    std::span<const ValueRow> rows = f.page.values;
    const ValueRow& row = rows[static_cast<std::size_t>(random.Below(rows.size()))];
    f.counting.ResetCounts();
    bool nothingChosen = false;  // the list then shows nothing until it is loaded again
    if (row.kind == &kCheckKind || row.kind == &kFlagCheckKind) {
        f.controls.SetCheck(row.controlId, f.controls.GetCheck(row.controlId) ? 0 : 1);
        f.model.OnControlChanged(rows, row.controlId);
    } else if (row.kind == &kMaskKind) {
        const MaskBox& box = random.Pick(row.mask->boxes);
        f.controls.SetCheck(box.id, f.controls.GetCheck(box.id) ? 0 : 1);
        f.model.OnControlChanged(rows, box.id);
    } else if (row.kind == &kComboKind) {
        // One past the list selects nothing, as -1 does: that writes nothing.
        const auto count = static_cast<std::int64_t>(row.choice->items.size());
        const auto index = random.Between(-1, count);
        f.controls.SetComboIndex(row.controlId, static_cast<int>(index));
        f.model.OnControlChanged(rows, row.controlId);
        nothingChosen = index < 0 || index == count;
        Require(!nothingChosen || f.counting.Counts().setValue == 0,
                "a list left with nothing selected wrote");
    } else if (row.kind == &kRadioKind) {
        const int index = static_cast<int>(random.Below(row.choice->items.size()));
        f.controls.SetRadio(row.controlId, index);
        f.model.OnControlChanged(rows, row.controlId + index);
    } else if (row.kind == &kNumberTextKind) {
        constexpr std::string_view kTyped[] = {"",      "0",          "-",           "5",
                                               "150",   "-20",        "99999999999", "-99999999999",
                                               "12abc", "2147483648", "1.5"};
        f.controls.Type(row.controlId, std::string(random.Pick(kTyped)));
    } else {
        return;  // a number no control shows
    }
    const ValueAddress own = AddressOf(row);
    const ValueAddress second = fuzz::AddressOf(row.value.root, row.value.key, row.secondName);
    RegistrySnapshot after = TakeSnapshot(f.memory);
    for (const ValueAddress& address : ChangedValues(f.current, after))
        Require(
            address == own || (!row.secondName.empty() && address == second),
            "a change of control " + std::to_string(row.controlId) + " wrote " + Describe(address));
    Require(f.counting.Counts().setValue <= 2, "a control change wrote more than its row");
    f.current = std::move(after);

    // What the change stored shows the same when the page is shown again.
    if (!f.loaded) return;
    const Shown changed = Meaning(ShownBy(f.controls));
    f.counting.ResetCounts();
    f.model.Load(rows);
    Require(f.counting.Counts().setValue == LoadWritesAfterLoad(f),
            "Load after a control change wrote");
    const Shown loaded = Meaning(ShownBy(f.controls));
    Require(loaded == changed || nothingChosen,
            "after a change of control " + std::to_string(row.controlId) +
                ", loading again shows otherwise:" + Difference(changed, loaded));
}

void CheckResetDefaults(Fixture& f)
{
    std::span<const ValueRow> rows = f.page.values;
    ExpectedWrites expected;  // later rows win, as SaveAll writes in table order
    for (const ValueRow& row : rows) {
        expected.values[AddressOf(row)] = DwordValue(row.resetValue);
        ++expected.calls;
        if (row.secondName.empty()) continue;
        const auto item =
            std::find_if(row.choice->items.begin(), row.choice->items.end(),
                         [&](const ChoiceItem& i) { return i.value == row.resetValue; });
        Require(item != row.choice->items.end(),
                "row " + std::to_string(row.controlId) + ": reset value is no item's");
        expected.values[fuzz::AddressOf(row.value.root, row.value.key, row.secondName)] =
            DwordValue(item->secondValue);
        ++expected.calls;
    }
    if (f.refused) {  // each row tries once, is refused and shows the stored value again
        expected.values.clear();
        expected.calls = rows.size();
    }
    f.counting.ResetCounts();
    f.model.ResetDefaults(rows);
    CheckWrites(f.current, TakeSnapshot(f.memory), expected, f.counting.Counts(), "ResetDefaults");

    // The reset values load back to the controls the reset showed, writing nothing.
    const Shown reset = ShownBy(f.controls);
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
            f.refused = true;
            f.memory.RefuseWrites(f.page.values.front().value.root);
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
