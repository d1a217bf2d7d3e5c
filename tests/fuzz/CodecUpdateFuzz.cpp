// The Codec Update page's selections over a registry holding values of every type and size:
// filling a list writes only the defaults of the values it could not read and shows every
// readable number as it is (any non-zero number selected); a click writes exactly its own
// codec's flipped state, a click that hits no filled row writes nothing; a refill writes
// nothing and shows the same.
#include "fuzz/FuzzRegistry.h"

#include "codecs/CodecUpdateSelection.h"
#include "platform/registry/MemoryRegistry.h"

namespace zelora::fuzz {
namespace {

constexpr RegRoot kHklm = RegRoot::LocalMachine;

struct Fixture {
    MemoryRegistry memory;
    CountingRegistry counting{memory};
    RegistryStore store{counting};
    CodecUpdateSelection selection{store};
    RegistrySnapshot current;
    bool refused = false;  // a standard user: every HKEY_LOCAL_MACHINE write is refused
};

ValueAddress AddressOf(const UpdateListTable& table, std::size_t row)
{
    return fuzz::AddressOf(kHklm, table.key, table.codecs[row].name);
}

std::vector<bool> SelectedRows(const Fixture& f, UpdateList list)
{
    std::vector<bool> rows;
    for (std::size_t i = 0; i < f.selection.RowCount(list); ++i)
        rows.push_back(f.selection.Selected(list, i));
    return rows;
}

void FillRegistry(Random& random, MemoryRegistry& memory)
{
    constexpr std::int32_t kStates[] = {0, 1, 2, -1};
    for (const UpdateListTable& table : kUpdateLists) {
        for (const UpdateCodec& codec : table.codecs) {
            if (!random.Chance(70)) continue;
            const StoredValue value = RandomValue(random, {kStates});
            memory.SetValue(kHklm, PathVariant(random, table.key), CaseVariant(random, codec.name),
                            value.type, value.data.data(),
                            static_cast<std::uint32_t>(value.data.size()));
        }
    }
    if (random.Chance(30)) {
        memory.SetValue(kHklm, kUpdateLists[0].key, "Unknown Codec", RegType::Dword, "\1\0\0\0", 4);
    }
}

void CheckFill(Fixture& f, UpdateList list)
{
    const UpdateListTable& table = UpdateListTableOf(list);
    ExpectedWrites expected;
    std::vector<bool> shown;
    for (std::size_t row = 0; row < table.codecs.size(); ++row) {
        const auto number = LoadedNumber(f.current, AddressOf(table, row));
        if (!number)
            expected.values[AddressOf(table, row)] = DwordValue(table.codecs[row].value);
        // Ticked for the one number the updater acts on.
        shown.push_back((number ? *number : table.codecs[row].value) == 1);
    }
    expected.calls = expected.values.size();
    if (f.refused) expected.values.clear();
    f.counting.ResetCounts();
    f.selection.Fill(list);
    RegistrySnapshot after = TakeSnapshot(f.memory);
    CheckWrites(f.current, after, expected, f.counting.Counts(), "Fill");
    Require(SelectedRows(f, list) == shown, "Fill shows other selections");
    f.current = std::move(after);
}

void CheckClick(Random& random, Fixture& f, UpdateList list)
{
    const UpdateListTable& table = UpdateListTableOf(list);
    const std::size_t rows = f.selection.RowCount(list);
    const auto row = static_cast<int>(random.Between(-2, static_cast<std::int64_t>(rows) + 1));
    const bool hit = row >= 0 && static_cast<std::size_t>(row) < rows;
    std::vector<bool> shown = SelectedRows(f, list);
    ExpectedWrites expected;
    if (hit) {  // a refused write leaves the row as stored
        const auto index = static_cast<std::size_t>(row);
        expected.calls = 1;
        if (!f.refused) {
            shown[index] = !shown[index];
            expected.values[AddressOf(table, index)] = DwordValue(shown[index] ? 1 : 0);
        }
    }
    f.counting.ResetCounts();
    Require(f.selection.Toggle(list, row) == hit, "Toggle reports another hit");
    RegistrySnapshot after = TakeSnapshot(f.memory);
    CheckWrites(f.current, after, expected, f.counting.Counts(), "a click");
    Require(SelectedRows(f, list) == shown, "a click shows other selections");
    f.current = std::move(after);
}

void OneInput(Random& random)
{
    Fixture f;
    FillRegistry(random, f.memory);
    if (random.Chance(15)) {
        f.refused = true;
        f.memory.RefuseWrites(kHklm);
    }
    f.current = TakeSnapshot(f.memory);
    const auto list = static_cast<UpdateList>(random.Below(kUpdateLists.size()));
    if (random.Chance(20)) CheckClick(random, f, list);  // before the page was first shown
    CheckFill(f, list);
    const auto clicks = random.Below(5);
    for (std::uint64_t i = 0; i < clicks; ++i) CheckClick(random, f, list);

    // Shown again: what the clicks stored reads back as shown, and nothing is written (but
    // the refused defaults, tried again).
    const UpdateListTable& table = UpdateListTableOf(list);
    std::uint64_t retries = 0;
    for (std::size_t row = 0; row < table.codecs.size(); ++row)
        if (f.refused && !LoadedNumber(f.current, AddressOf(table, row))) ++retries;
    const std::vector<bool> shown = SelectedRows(f, list);
    f.counting.ResetCounts();
    f.selection.Fill(list);
    Require(f.counting.Counts().setValue == retries, "a refill wrote");
    Require(SelectedRows(f, list) == shown, "a refill shows other selections");
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "codec_update", zelora::fuzz::OneInput);
}
