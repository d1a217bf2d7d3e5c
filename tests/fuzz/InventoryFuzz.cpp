// The filter inventory over random filter registrations and installer bookkeeping: the
// scans write nothing and create no class key, list exactly the installed decoders whose
// filter file is registered (but for those "register" mends), each with its own
// bookkeeping; unregistering and registering again move each chosen decoder's own value between the keys and back, start regsvr32
// with nothing but the row's path, and touch no other value; uninstalling writes nothing
// and starts only recorded uninstallers.
#include "fuzz/FuzzRegistry.h"

#include "codecs/FilterInventory.h"
#include "pages/InstalledDecoders.h"
#include "platform/registry/CountingRegistry.h"
#include "platform/registry/MemoryRegistry.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <unordered_map>

namespace zelora::fuzz {
namespace {

constexpr std::string_view kRegsvr = "C:\\Windows\\SysWOW64\\regsvr32.exe";

// Names the installer's keys might hold: the pack's decoders, case twins, the installer's
// "0", the unnamed value, names with blanks, "(" or Korean letters.
constexpr std::string_view kDecoderNamePool[] = {
    "FFDShow", "Divx5", "Xvid", "AC3Filter",       "Korrins DTS", "VSFilter", "DivxG400",
    "xvid",    "0",     "",     "Name With Space", "Odd(Name",    "코덱",     "Other"};
// Filter files, shared between registrations and bookkeeping so that some match.
constexpr std::string_view kFileNames[] = {"xvid.ax", "ffdshow.ax", "vsfilter.dll", "dts.ax",
                                           "ERROR",   "필터.ax",    "quote\".ax",   "XVID.AX"};
constexpr std::string_view kFolders[] = {"C:\\Codecs\\", "C:\\Program Files\\Pack\\", "", "\\"};
constexpr std::string_view kVersions[] = {"1.0", "", "2.5 beta", "(1)", "ERROR", "버전 3"};
constexpr std::string_view kUninstallers[] = {"C:\\Pack\\uninst.exe /S", "", "ERROR",
                                              "\"C:\\Pack\\un.exe\""};

class RecordingLauncher final : public ProcessLauncher {
public:
    void StartHidden(std::string_view commandLine) override { lines.emplace_back(commandLine); }
    std::vector<std::string> lines;
};

// Some files are there, some are not: the scan's health findings take both branches.
class HalfTheFiles final : public FileProbe {
public:
    bool Exists(std::string_view path) const override { return path.size() % 2 == 0; }
};

struct Fixture {
    MemoryRegistry memory;
    CountingRegistry counting{memory};
    RegistryStore store{counting};
    RecordingLauncher launcher;
    HalfTheFiles files;
    FilterInventory inventory{store, launcher, std::string(kRegsvr), files};
};

void SetText(MemoryRegistry& memory, RegRoot root, std::string_view key, std::string_view name,
             std::string_view text)
{
    const StoredValue value = StringValue(Utf8ToUtf16(text));
    memory.SetValue(root, key, name, value.type, value.data.data(),
                    static_cast<std::uint32_t>(value.data.size()));
}

// A text value most of the time, anything at all otherwise.
void SetTextOrJunk(Random& random, MemoryRegistry& memory, RegRoot root, std::string_view key,
                   std::string_view name, std::string_view text)
{
    if (random.Chance(85)) {
        SetText(memory, root, key, name, text);
        return;
    }
    const StoredValue junk = RandomValue(random);
    memory.SetValue(root, key, name, junk.type, junk.data.data(),
                    static_cast<std::uint32_t>(junk.data.size()));
}

std::string RandomPath(Random& random)
{
    return std::string(random.Pick(kFolders)) + std::string(random.Pick(kFileNames));
}

void FillRegistrations(Random& random, MemoryRegistry& memory)
{
    if (random.Chance(10)) return;  // no filter category at all
    memory.SetValue(RegRoot::ClassesRoot, kFilterCategoryPath, "Stranger", RegType::Dword,
                    "\1\0\0\0", 4);
    if (random.Chance(10)) memory.DenyFullAccess(RegRoot::ClassesRoot, kFilterCategoryPath);
    const auto filters = random.Below(10);
    for (std::uint64_t i = 0; i < filters; ++i) {
        const std::string instance = std::string(kFilterCategoryPath) + "\\{Filter " +
                                     std::to_string(random.Below(12)) + "}";
        const std::string clsid = random.Chance(90)
                                      ? "{Class " + std::to_string(random.Below(8)) + "}"
                                      : std::string(random.Pick({"", "ERROR", "..", "{A}\\B"}));
        if (random.Chance(85))
            SetTextOrJunk(random, memory, RegRoot::ClassesRoot, instance, "FriendlyName",
                          "Filter " + std::to_string(i));
        SetTextOrJunk(random, memory, RegRoot::ClassesRoot, instance, "CLSID", clsid);
        if (random.Chance(90))
            SetTextOrJunk(random, memory, RegRoot::ClassesRoot,
                          "CLSID\\" + clsid + "\\InprocServer32", "", RandomPath(random));
    }
}

void FillBookkeeping(Random& random, MemoryRegistry& memory)
{
    constexpr RegRoot kHklm = RegRoot::LocalMachine;
    for (std::string_view key : {kInstallKey, kCodecDelKey}) {
        const auto count = random.Below(7);
        for (std::uint64_t i = 0; i < count; ++i) {
            const std::string name = CaseVariant(random, random.Pick(kDecoderNamePool));
            SetTextOrJunk(random, memory, kHklm, key, name, RandomPath(random));
            if (random.Chance(70))
                SetTextOrJunk(random, memory, kHklm, kCodecVersionKey, name,
                              random.Pick(kVersions));
            if (random.Chance(40))
                SetTextOrJunk(random, memory, kHklm, kUnInstallKey, name,
                              random.Pick(kUninstallers));
        }
    }
}

std::vector<std::string> AllValueNames(MemoryRegistry& memory, std::string_view key)
{
    std::vector<std::string> names;
    memory.EnumValueNames(RegRoot::LocalMachine, key, KeyOpen::ExistingOnly, names);
    return names;
}

// The decoders a bookkeeping key lists: every value but the installer's "0".
std::vector<std::string> ValueNames(MemoryRegistry& memory, std::string_view key)
{
    std::vector<std::string> names = AllValueNames(memory, key);
    names.erase(std::remove(names.begin(), names.end(), "0"), names.end());
    return names;
}

// A file name as Windows matches one: any case of ASCII letters.
std::string FoldedFileName(std::string_view path)
{
    std::string name(ServerFileName(path));
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name;
}

// The registered servers by file name, one registration at a time.
std::unordered_map<std::string, std::vector<std::string>> RegisteredFiles(RegistryStore& store,
                                                                          MemoryRegistry& memory)
{
    std::unordered_map<std::string, std::vector<std::string>> files;
    std::vector<std::string> instances;
    memory.EnumSubkeyNames(RegRoot::ClassesRoot, kFilterCategoryPath, KeyOpen::ExistingOnly,
                           instances);
    for (const std::string& instance : instances) {
        const std::string key = std::string(kFilterCategoryPath) + "\\" + instance;
        if (store.ReadString(RegRoot::ClassesRoot, key, "FriendlyName") ==
            RegistryStore::MissingString)
            continue;
        const std::string clsid = store.ReadString(RegRoot::ClassesRoot, key, "CLSID");
        const std::string server =
            store.ReadString(RegRoot::ClassesRoot, "CLSID\\" + clsid + "\\InprocServer32", "");
        files[FoldedFileName(server)].push_back(server);
    }
    return files;
}

std::string Text(RegistryStore& store, std::string_view key, std::string_view name)
{
    return store.ReadString(RegRoot::LocalMachine, key, name);
}

void CheckRowsMatch(const std::vector<InventoryRow>& rows,
                    const std::vector<InventoryRow>& expected, const std::string& what)
{
    Require(rows.size() == expected.size(), what + ": " + std::to_string(rows.size()) +
                                                " rows for " + std::to_string(expected.size()));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string& name = expected[i].valueName;
        Require(rows[i].valueName == name,
                what + ": row \"" + rows[i].valueName + "\" for \"" + name + "\"");
        Require(rows[i].path == expected[i].path, what + ": the row of \"" + name +
                                                      "\" has the path \"" + rows[i].path +
                                                      "\" for \"" + expected[i].path + "\"");
        Require(rows[i].checkMark == kUnchecked, what + ": a row starts ticked");
        Require(rows[i].displayText.compare(0, name.size(), name) == 0,
                what + ": the row of \"" + name + "\" shows \"" + rows[i].displayText + "\"");
    }
}

// The scans read only: no value written or deleted, no class key created.
void CheckReadOnly(Fixture& f, const RegistrySnapshot& before, const std::string& what)
{
    const RegistryCallCounts& counts = f.counting.Counts();
    Require(counts.setValue + counts.deleteValue + counts.deleteTree == 0, what + " wrote");
    const RegistrySnapshot after = TakeSnapshot(f.memory);
    Require(ChangedValues(before, after).empty(), what + " changed a value");
    for (const auto& [root, key] : AddedKeys(before, after))
        Require(root != RegRoot::ClassesRoot, what + " created the class key " + key);
}

// Listed above: a decoder whose file name is registered, unless its own file is there and
// every registration of that name points at a file elsewhere that is gone ("register" below
// mends that).
std::vector<InventoryRow> ExpectedInstalled(Fixture& f)
{
    const auto files = RegisteredFiles(f.store, f.memory);
    std::vector<InventoryRow> listed;
    for (const std::string& name : ValueNames(f.memory, kInstallKey)) {
        const std::string path = Text(f.store, kInstallKey, name);
        const auto servers = files.find(FoldedFileName(path));
        if (servers == files.end()) continue;
        const bool mendable =
            f.files.Exists(path) &&
            std::none_of(servers->second.begin(), servers->second.end(), [&](const std::string& s) {
                return SamePath(s, path) || f.files.Exists(s);
            });
        if (!mendable) listed.push_back({name, path, std::string(kUnchecked), name});
    }
    return listed;
}

std::vector<InventoryRow> ExpectedRemoved(Fixture& f)
{
    std::vector<InventoryRow> listed;
    for (const std::string& name : ValueNames(f.memory, kCodecDelKey))
        listed.push_back({name, Text(f.store, kCodecDelKey, name), std::string(kUnchecked), name});
    return listed;
}

// Ticks a random choice of rows; returns them, last first (the order the actions handle
// them in).
std::vector<InventoryRow> TickSome(Random& random, std::vector<InventoryRow>& rows)
{
    std::vector<InventoryRow> chosen;
    for (std::size_t i = rows.size(); i-- > 0;) {
        if (!random.Chance(50)) continue;
        ToggleCheck(rows[i]);
        chosen.push_back(rows[i]);
    }
    return chosen;
}

// The chosen rows an action moves: a row whose path could not be read stays, ticked, since
// moving it would store the placeholder in place of the real path; so does a row whose path
// regsvr32 is never given, or whose file is not there; and unregistering takes only a
// healthy row, never one whose registration is another folder's.
std::vector<InventoryRow> Movable(const std::vector<InventoryRow>& chosen,
                                  const std::vector<InventoryRow>& stayed, RegsvrAction action,
                                  const FileProbe& files, const std::string& what)
{
    std::vector<InventoryRow> movable;
    for (const InventoryRow& row : chosen) {
        const bool healthAllows = action == RegsvrAction::Register
                                      ? files.Exists(row.path)
                                      : row.health == DecoderHealth::Healthy;
        if (row.path != RegistryStore::MissingString && row.path.find('"') == std::string::npos &&
            healthAllows) {
            movable.push_back(row);
            continue;
        }
        const bool kept = std::any_of(stayed.begin(), stayed.end(), [&](const InventoryRow& r) {
            return r.valueName == row.valueName && r.path == row.path && IsChosen(r);
        });
        Require(kept, what + " moved \"" + row.valueName + "\", whose path it could not use");
    }
    return movable;
}

// Unregistering or registering the movable chosen rows: regsvr32 started once per row with
// its path alone; each row's own value moved from one key to the other; nothing else touched.
void CheckMove(Fixture& f, const std::vector<InventoryRow>& chosen, std::size_t handled,
               const RegistrySnapshot& before, RegsvrAction action, std::string_view toKey,
               std::string_view fromKey, const std::string& what)
{
    Require(handled == chosen.size(), what + " handled another number of rows");
    const std::string head = "\"" + std::string(kRegsvr) +
                             (action == RegsvrAction::Unregister ? "\" /s /u \"" : "\" /s \"");
    std::size_t line = 0;
    for (const InventoryRow& listed : chosen) {
        const std::string& path = listed.path;
        Require(line < f.launcher.lines.size() && f.launcher.lines[line] == head + path,
                what + " did not start regsvr32 on \"" + path + "\" alone");
        ++line;
    }
    Require(line == f.launcher.lines.size(), what + " started more than regsvr32 per row");

    // Rows of one name (listed in both keys) end with the path of the one handled last.
    std::map<ValueAddress, std::string> recorded;
    for (const InventoryRow& listed : chosen)
        recorded[AddressOf(RegRoot::LocalMachine, toKey, listed.valueName)] = listed.path;
    std::set<ValueAddress> allowed;
    const RegistrySnapshot after = TakeSnapshot(f.memory);
    for (const InventoryRow& listed : chosen) {
        const ValueAddress to = AddressOf(RegRoot::LocalMachine, toKey, listed.valueName);
        const ValueAddress from = AddressOf(RegRoot::LocalMachine, fromKey, listed.valueName);
        allowed.insert(to);
        allowed.insert(from);
        Require(Text(f.store, toKey, listed.valueName) == recorded[to],
                what + " did not record \"" + listed.valueName + "\" with its path");
        Require(after.values.count(from) == 0,
                what + " left \"" + listed.valueName + "\" in its old key");
    }
    for (const ValueAddress& address : ChangedValues(before, after))
        Require(allowed.count(address) != 0, what + " changed " + Describe(address));
}

void CheckUninstall(Random& random, Fixture& f, std::vector<InventoryRow>& lower)
{
    const std::vector<InventoryRow> chosen = TickSome(random, lower);
    const bool anyUninstaller = !AllValueNames(f.memory, kUnInstallKey).empty();
    std::vector<std::string> commands;  // a row without one stays
    for (const InventoryRow& row : chosen) {
        const std::string command = Text(f.store, kUnInstallKey, row.valueName);
        if (anyUninstaller && command != RegistryStore::MissingString && !command.empty())
            commands.push_back(command);
    }
    const std::size_t rowsBefore = lower.size();
    const RegistrySnapshot before = TakeSnapshot(f.memory);
    f.launcher.lines.clear();
    f.counting.ResetCounts();
    const RowsTaken taken = f.inventory.UninstallChosen(lower);
    const std::size_t handled = taken.Count();
    CheckReadOnly(f, before, "UninstallChosen");
    Require(taken.refused.size() == chosen.size() - handled,
            "UninstallChosen left a row without saying why");
    Require(handled == commands.size() && lower.size() == rowsBefore - commands.size(),
            "UninstallChosen dropped another number of rows");
    Require(f.launcher.lines == commands, "UninstallChosen started other commands");
}

void OneInput(Random& random)
{
    InstalledDecoders::ResetForTests();
    Fixture f;
    FillRegistrations(random, f.memory);
    FillBookkeeping(random, f.memory);

    // The scans.
    const bool granted =
        f.memory.KeyExists(RegRoot::ClassesRoot, kFilterCategoryPath) &&
        f.memory.ProbeFullAccess(RegRoot::ClassesRoot, kFilterCategoryPath) == RegStatus::Ok;
    const std::vector<InventoryRow> installed =
        granted ? ExpectedInstalled(f) : std::vector<InventoryRow>{};
    const std::vector<InventoryRow> removed = ExpectedRemoved(f);
    RegistrySnapshot before = TakeSnapshot(f.memory);
    f.counting.ResetCounts();
    InstalledScan scan = f.inventory.PrepareInstalled();
    std::vector<InventoryRow> lower = f.inventory.ScanRemoved();
    CheckReadOnly(f, before, "the scans");
    Require((scan.access == CategoryAccess::Granted) == granted, "the category probe is wrong");
    CheckRowsMatch(scan.rows, installed, "installed scan");
    CheckRowsMatch(lower, removed, "removed scan");
    for (std::size_t d = 0; d < kDecoderNames.size(); ++d) {
        const std::string_view name = kDecoderNames[d];
        const std::vector<std::string> names = ValueNames(f.memory, kInstallKey);
        const bool recorded = granted &&
                              std::find(names.begin(), names.end(), name) != names.end() &&
                              Text(f.store, kCodecVersionKey, name) != RegistryStore::MissingString;
        Require(InstalledDecoders::IsInstalled(static_cast<Decoder>(d)) == recorded,
                "installed flag of " + std::string(name));
    }

    // Unregister some: they join the lower list, unticked, in the order handled.
    const std::size_t lowerBefore = lower.size();
    const std::vector<InventoryRow> ticked = TickSome(random, scan.rows);
    before = TakeSnapshot(f.memory);
    f.launcher.lines.clear();
    std::size_t handled = f.inventory.UnregisterChosen(scan.rows, lower).Count();
    const std::vector<InventoryRow> unregistered =
        Movable(ticked, scan.rows, RegsvrAction::Unregister, f.files, "UnregisterChosen");
    CheckMove(f, unregistered, handled, before, RegsvrAction::Unregister, kCodecDelKey, kInstallKey,
              "UnregisterChosen");
    Require(lower.size() == lowerBefore + unregistered.size(),
            "unregistered rows did not reach the lower list");
    for (std::size_t i = 0; i < unregistered.size(); ++i) {
        const InventoryRow& moved = lower[lowerBefore + i];
        Require(moved.valueName == unregistered[i].valueName &&
                    moved.path == unregistered[i].path && moved.checkMark == kUnchecked,
                "the lower list got another row for \"" + unregistered[i].valueName + "\"");
    }

    // Then register some of the lower list back (their bookkeeping returns), or uninstall.
    if (random.Chance(50)) {
        const std::vector<InventoryRow> chosen = TickSome(random, lower);
        before = TakeSnapshot(f.memory);
        f.launcher.lines.clear();
        handled = f.inventory.RegisterChosen(lower, scan.rows).Count();
        CheckMove(f, Movable(chosen, lower, RegsvrAction::Register, f.files, "RegisterChosen"), handled,
                  before, RegsvrAction::Register, kInstallKey, kCodecDelKey, "RegisterChosen");
    } else {
        CheckUninstall(random, f, lower);
    }
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "inventory", zelora::fuzz::OneInput);
}
