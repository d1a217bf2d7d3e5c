#include "codecs/FilterInventory.h"

#include "pages/InstalledDecoders.h"

#include <algorithm>
#include <utility>

namespace zelora {
namespace {

// The installer keeps a value of this name in its keys that is not a decoder.
constexpr std::string_view kNotADecoder = "0";

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

char FoldPathChar(char c)
{
    if (c == '/') return '\\';
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string FoldedPath(std::string_view path)
{
    std::string folded(path);
    for (char& c : folded) c = FoldPathChar(c);
    return folded;
}

// A class name as the registry writes one: "{" 36 characters "}". Anything else (the
// "ERROR" of an unreadable value, an empty text, a path) is never joined to "CLSID\\" for a
// removal, which could name the whole class tree.
bool IsClassName(std::string_view clsid)
{
    return clsid.size() == 38 && clsid.front() == '{' && clsid.back() == '}' &&
           clsid.find('\\') == std::string_view::npos;
}

std::vector<std::string> ValueNames(RegistryStore& store, std::string_view key)
{
    std::vector<std::string> names;
    store.Backend().EnumValueNames(RegRoot::LocalMachine, key, KeyOpen::CreateIfMissing, names);
    return names;
}

}  // namespace

std::string NameOf(std::string_view displayText)
{
    const std::size_t paren = displayText.find('(');
    if (paren == std::string_view::npos || paren == 0) return {};
    // One character, not one byte: a Korean character before "(" must not be split.
    std::size_t end = paren - 1;
    while (end > 0 && IsUtf8Continuation(displayText[end])) --end;
    return std::string(displayText.substr(0, end));
}

std::string DisplayTextOf(std::string_view name, std::string_view version)
{
    std::string text(name);
    if (version != RegistryStore::MissingString) {
        text += ' ';
        text += version;
    }
    return text;
}

std::string_view ServerFileName(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool SamePath(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldPathChar(a[i]) != FoldPathChar(b[i])) return false;
    return true;
}

HealthFinding FindHealth(const RegisteredServers& servers, const FileProbe& files,
                         std::string_view recordedPath, bool recordedAsInstalled)
{
    HealthFinding finding;
    const bool recordedThere = files.Exists(recordedPath);
    const std::vector<FilterRegistration>* named = servers.Find(ServerFileName(recordedPath));
    if (!named) {
        if (!recordedThere) finding.health = DecoderHealth::FileMissing;
        else if (recordedAsInstalled) finding.health = DecoderHealth::NotRegistered;
        return finding;
    }
    for (const FilterRegistration& registration : *named)
        if (SamePath(registration.server, recordedPath)) finding.own = &registration;
    if (finding.own) {
        if (!recordedThere) finding.health = DecoderHealth::FileMissing;
        return finding;
    }
    const FilterRegistration& other = named->front();
    finding.registeredPath = other.server;
    finding.health = files.Exists(other.server) ? DecoderHealth::RegisteredElsewhere
                                                : DecoderHealth::FileMissing;
    return finding;
}

bool IsChosen(const InventoryRow& row) { return row.checkMark == kChecked; }

void ToggleCheck(InventoryRow& row)
{
    row.checkMark = std::string(row.checkMark == kUnchecked ? kChecked : kUnchecked);
}

int CheckImage(const InventoryRow& row) { return IsChosen(row) ? 1 : 0; }

std::optional<std::string> RegsvrCommandLine(std::string_view regsvr32Path, RegsvrAction action,
                                             std::string_view filterPath)
{
    if (filterPath.find('"') != std::string_view::npos) return std::nullopt;
    std::string line = "\"";
    line += regsvr32Path;
    line += action == RegsvrAction::Unregister ? "\" /s /u \"" : "\" /s \"";
    line += filterPath;
    return line;
}

RegisteredServers RegisteredServers::Read(RegistryStore& store)
{
    RegisteredServers servers;
    std::vector<std::string> filters;
    store.Backend().EnumSubkeyNames(RegRoot::ClassesRoot, kFilterCategoryPath,
                                    KeyOpen::ExistingOnly, filters);

    // Each registration's name and class, then each named filter's server: two walks that
    // open every key once, relative to the category and to CLSID.
    std::vector<SubkeyValueQuery> registrations;
    registrations.reserve(filters.size() * 2);
    for (const std::string& filter : filters) {
        registrations.push_back({filter, "FriendlyName"});
        registrations.push_back({filter, "CLSID"});
    }
    std::vector<std::string> texts =
        store.ReadStrings(RegRoot::ClassesRoot, kFilterCategoryPath, registrations);

    std::vector<SubkeyValueQuery> serverQueries;
    for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
        if (texts[i] == RegistryStore::MissingString) continue;  // no FriendlyName: skipped
        serverQueries.push_back({texts[i + 1] + "\\InprocServer32", ""});
    }
    // An unreadable CLSID or server still yields a name ("ERROR"), as a per-decoder
    // comparison of the same reads would.
    std::vector<std::string> serverPaths =
        store.ReadStrings(RegRoot::ClassesRoot, "CLSID", serverQueries);
    std::size_t server = 0;
    for (std::size_t i = 0; i + 1 < texts.size() && server < serverPaths.size(); i += 2) {
        if (texts[i] == RegistryStore::MissingString) continue;
        std::string& path = serverPaths[server++];
        servers.m_byFileName[FoldedPath(ServerFileName(path))].push_back(
            {std::move(filters[i / 2]), std::move(texts[i + 1]), std::move(path)});
    }
    return servers;
}

const std::vector<FilterRegistration>* RegisteredServers::Find(std::string_view fileName) const
{
    const auto found = m_byFileName.find(FoldedPath(fileName));
    return found == m_byFileName.end() ? nullptr : &found->second;
}

FilterInventory::FilterInventory(RegistryStore& store, ProcessLauncher& launcher,
                                 std::string regsvr32Path, const FileProbe& files)
    : m_store(store), m_launcher(launcher), m_regsvr32Path(std::move(regsvr32Path)),
      m_files(files)
{
}

const RegisteredServers& FilterInventory::Servers()
{
    if (!m_servers) m_servers = RegisteredServers::Read(m_store);
    return *m_servers;
}

InventoryRow FilterInventory::RowWithHealth(std::string name, std::string version,
                                            std::string path, bool recordedAsInstalled)
{
    HealthFinding finding = FindHealth(Servers(), m_files, path, recordedAsInstalled);
    InventoryRow row{DisplayTextOf(name, version), std::move(path), std::string(kUnchecked),
                     std::move(name)};
    row.health = finding.health;
    row.registeredPath = std::move(finding.registeredPath);
    if (finding.own) {
        row.registrationInstance = finding.own->instance;
        row.registrationClsid = finding.own->clsid;
    }
    return row;
}

CategoryAccess FilterInventory::ProbeCategory() const
{
    return m_store.Backend().ProbeFullAccess(RegRoot::ClassesRoot, kFilterCategoryPath) ==
                   RegStatus::Ok
               ? CategoryAccess::Granted
               : CategoryAccess::Refused;
}

InstalledScan FilterInventory::PrepareInstalled()
{
    InstalledScan scan;
    scan.access = ProbeCategory();
    if (scan.access == CategoryAccess::Granted) scan.rows = ScanInstalled(&scan.notRegistered);
    return scan;
}

std::vector<InventoryRow> FilterInventory::ScanInstalled(std::vector<InventoryRow>* notRegistered)
{
    std::vector<InventoryRow> rows;
    m_servers.reset();  // read afresh, when the first decoder needs it
    for (const std::string& name : ValueNames(m_store, kInstallKey)) {
        if (name == kNotADecoder) continue;
        std::string path = m_store.ReadString(RegRoot::LocalMachine, kInstallKey, name);
        const std::string version =
            m_store.ReadString(RegRoot::LocalMachine, kCodecVersionKey, name);
        // The flag follows the version record alone: an installed decoder whose filter is
        // not registered still has its settings page enabled.
        if (version != RegistryStore::MissingString) InstalledDecoders::MarkInstalled(name);
        InventoryRow row = RowWithHealth(name, version, std::move(path), true);
        // A decoder with no registration of its file name belongs with the unregistered.
        if (Servers().Contains(ServerFileName(row.path))) rows.push_back(std::move(row));
        else if (notRegistered) notRegistered->push_back(std::move(row));
    }
    return rows;
}

std::vector<InventoryRow> FilterInventory::ScanRemoved()
{
    std::vector<InventoryRow> rows;
    for (const std::string& name : ValueNames(m_store, kCodecDelKey)) {
        if (name == kNotADecoder) continue;
        const std::string version =
            m_store.ReadString(RegRoot::LocalMachine, kCodecVersionKey, name);
        rows.push_back(RowWithHealth(name, version,
                                     m_store.ReadString(RegRoot::LocalMachine, kCodecDelKey, name),
                                     false));
    }
    return rows;
}

std::string HealthText(const InventoryRow& row)
{
    switch (row.health) {
    case DecoderHealth::Healthy:
        return {};
    case DecoderHealth::NotRegistered:
        return "등록 안 됨";
    case DecoderHealth::FileMissing:
        return row.registeredPath.empty() ? "파일 없음" : "파일 없음: " + row.registeredPath;
    case DecoderHealth::RegisteredElsewhere:
        return "다른 위치에 등록됨: " + row.registeredPath + " (설치: " + row.path + ")";
    }
    return {};
}

RepairResult FilterInventory::RemoveDeadRegistration(const InventoryRow& row)
{
    if (row.health != DecoderHealth::FileMissing || !IsClassName(row.registrationClsid) ||
        row.registrationInstance.empty() ||
        row.registrationInstance.find('\\') != std::string::npos)
        return RepairResult::NotOwn;
    // Read again: the registration may have been changed since the scan.
    const std::string instanceKey =
        std::string(kFilterCategoryPath) + "\\" + row.registrationInstance;
    const std::string classKey = "CLSID\\" + row.registrationClsid;
    const std::string clsid = m_store.ReadString(RegRoot::ClassesRoot, instanceKey, "CLSID");
    const std::string server =
        m_store.ReadString(RegRoot::ClassesRoot, classKey + "\\InprocServer32", "");
    if (!SamePath(clsid, row.registrationClsid) || !SamePath(server, row.path) ||
        m_files.Exists(row.path))
        return RepairResult::NotOwn;
    // The category entry first: refused there (a standard user), nothing has changed.
    if (m_store.Backend().DeleteTree(RegRoot::ClassesRoot, instanceKey) != RegStatus::Ok)
        return RepairResult::Refused;
    m_store.Backend().DeleteTree(RegRoot::ClassesRoot, classKey);
    return RepairResult::Removed;
}

std::size_t RowsTaken::Count() const
{
    return static_cast<std::size_t>(std::count(taken.begin(), taken.end(), true));
}

bool FilterInventory::Unregister(const InventoryRow& row)
{
    return Move(row, RegsvrAction::Unregister, kCodecDelKey, kInstallKey);
}

bool FilterInventory::Register(const InventoryRow& row)
{
    return Move(row, RegsvrAction::Register, kInstallKey, kCodecDelKey);
}

bool FilterInventory::Move(const InventoryRow& row, RegsvrAction action, std::string_view toKey,
                           std::string_view fromKey)
{
    if (row.path == RegistryStore::MissingString) return false;
    // regsvr32 on an absent file would fail and the books would record a change never made.
    if (row.health == DecoderHealth::FileMissing) return false;
    // A path regsvr32 is never given: moving its row would record a change that never ran.
    const std::optional<std::string> line = RegsvrCommandLine(m_regsvr32Path, action, row.path);
    if (!line) return false;
    const std::string& name = row.valueName;
    // Recorded first: a refused record leaves the filter and both keys as they were.
    if (!m_store.WriteString(RegRoot::LocalMachine, toKey, name, row.path)) return false;
    m_launcher.StartHidden(*line);
    m_store.DeleteValue(RegRoot::LocalMachine, fromKey, name);
    return true;
}

RowsTaken FilterInventory::MoveChosen(std::vector<InventoryRow>& from,
                                      std::vector<InventoryRow>& to, RegsvrAction action)
{
    RowsTaken taken{std::vector<bool>(from.size(), false)};
    for (std::size_t i = from.size(); i-- > 0;) {
        if (!IsChosen(from[i])) continue;
        bool moved = false;
        if (action == RegsvrAction::Unregister && from[i].health == DecoderHealth::FileMissing) {
            const RepairResult repair = RemoveDeadRegistration(from[i]);
            taken.refused = taken.refused || repair == RepairResult::Refused;
            moved = repair == RepairResult::Removed;
        } else {
            moved = action == RegsvrAction::Unregister ? Unregister(from[i]) : Register(from[i]);
        }
        if (!moved) continue;
        InventoryRow row = std::move(from[i]);
        from.erase(from.begin() + static_cast<std::ptrdiff_t>(i));
        row.checkMark = std::string(kUnchecked);
        row.registrationInstance.clear();  // gone, or no longer the row's to remove
        row.registrationClsid.clear();
        if (action == RegsvrAction::Register) {  // what regsvr32 was just started to mend
            row.health = DecoderHealth::Healthy;
            row.registeredPath.clear();
        }
        to.push_back(std::move(row));
        taken.taken[i] = true;
    }
    return taken;
}

RowsTaken FilterInventory::UnregisterChosen(std::vector<InventoryRow>& upper,
                                            std::vector<InventoryRow>& lower)
{
    return MoveChosen(upper, lower, RegsvrAction::Unregister);
}

RowsTaken FilterInventory::RegisterChosen(std::vector<InventoryRow>& lower,
                                          std::vector<InventoryRow>& upper)
{
    return MoveChosen(lower, upper, RegsvrAction::Register);
}

RowsTaken FilterInventory::UninstallChosen(std::vector<InventoryRow>& lower)
{
    RowsTaken dropped{std::vector<bool>(lower.size(), false)};
    if (ValueNames(m_store, kUnInstallKey).empty()) return dropped;
    for (std::size_t i = lower.size(); i-- > 0;) {
        if (!IsChosen(lower[i])) continue;
        const std::string command =
            m_store.ReadString(RegRoot::LocalMachine, kUnInstallKey, lower[i].valueName);
        // A missing uninstaller reads as "ERROR"; started as a command, that would run any
        // "ERROR.exe" found beside the program or on the path.
        if (command != RegistryStore::MissingString && !command.empty())
            m_launcher.StartHidden(command);
        lower.erase(lower.begin() + static_cast<std::ptrdiff_t>(i));
        dropped.taken[i] = true;
    }
    return dropped;
}

}  // namespace zelora
