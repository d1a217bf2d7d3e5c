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
    finding.fileThere = recordedThere;
    const FilterRegistration* other = nullptr;
    bool otherWorks = false;
    if (const std::vector<FilterRegistration>* named = servers.Find(ServerFileName(recordedPath))) {
        for (const FilterRegistration& registration : *named) {
            if (SamePath(registration.server, recordedPath)) {
                finding.own = &registration;
            } else if (!otherWorks) {
                // A working registration elsewhere is the one that plays, so it is the one
                // worth naming.
                otherWorks = files.Exists(registration.server);
                if (!other || otherWorks) other = &registration;
            }
        }
    }
    if (finding.own) {
        if (!recordedThere) finding.health = DecoderHealth::FileMissing;
    } else if (other) {
        finding.registeredPath = other->server;
        finding.health = otherWorks      ? DecoderHealth::RegisteredElsewhere
                         : recordedThere ? DecoderHealth::RegisteredFileMissing
                                         : DecoderHealth::FileMissing;
    } else if (!recordedThere) {
        finding.health = DecoderHealth::FileMissing;
    } else if (recordedAsInstalled) {
        finding.health = DecoderHealth::NotRegistered;
    }
    return finding;
}

Decision Decide(RegsvrAction action, const InventoryRow& shown, const HealthFinding& now)
{
    if (now.health != shown.health || now.registeredPath != shown.registeredPath)
        return {ActionStep::Refuse, Refusal::StateChanged};
    if (action == RegsvrAction::Register) {
        // regsvr32 on an absent file fails, and the row would show a registration never made.
        if (!now.fileThere) return {ActionStep::Refuse, Refusal::FileGone};
        return {ActionStep::Regsvr};
    }
    switch (now.health) {
    case DecoderHealth::Healthy:
        return {ActionStep::Regsvr};
    case DecoderHealth::FileMissing:
        if (now.own) return {ActionStep::RemoveDeadRegistration};
        return {ActionStep::Refuse, now.registeredPath.empty() ? Refusal::NothingToUnregister
                                                         : Refusal::OtherDeadRegistration};
    case DecoderHealth::RegisteredElsewhere:
        // The filter unregisters its class, whichever copy regsvr32 is given: the other
        // folder's working registration would go.
        return {ActionStep::Refuse, Refusal::RegisteredElsewhere};
    case DecoderHealth::NotRegistered:
    case DecoderHealth::RegisteredFileMissing:
        break;
    }
    return {ActionStep::Refuse, Refusal::NothingToUnregister};
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

FilterRegistrationList FilterRegistrationList::Read(RegistryStore& store)
{
    FilterRegistrationList list = Walk(store, 0, nullptr);
    list.ReadServers(store);
    return list;
}

FilterRegistrationList FilterRegistrationList::Read(RegistryStore& store, std::size_t maxFilterData,
                                                    FilterDataVisitor filterData)
{
    return Walk(store, maxFilterData, &filterData);
}

FilterRegistrationView FilterRegistrationList::operator[](std::size_t registration) const
{
    const Entry& entry = m_entries[registration];
    return {Of(entry.instance), Of(entry.clsid), Of(entry.server), Of(entry.friendlyName)};
}

FilterRegistrationList FilterRegistrationList::Walk(RegistryStore& store, std::size_t maxFilterData,
                                                    const FilterDataVisitor* filterData)
{
    RegistryBackend& backend = store.Backend();
    std::vector<std::string> filters;
    backend.EnumSubkeyNames(RegRoot::ClassesRoot, kFilterCategoryPath, KeyOpen::ExistingOnly,
                            filters);

    // Each registration's name, class and (when asked) FilterData in one walk that opens
    // its key once, each text decoded as it comes, into the list's one buffer (the servers
    // follow in ReadServers' walk relative to CLSID). A buffer that fits any readable string
    // fits every usual FilterData too: only the few larger ones are read again, at their own
    // size.
    const std::size_t perFilter = filterData ? 3 : 2;
    std::vector<SubkeyValueQuery> queries;
    queries.reserve(filters.size() * perFilter);
    for (const std::string& filter : filters) {
        queries.push_back({filter, "FriendlyName"});
        queries.push_back({filter, "CLSID"});
        if (filterData) queries.push_back({filter, "FilterData"});
    }
    FilterRegistrationList list;
    list.m_entries.reserve(filters.size());
    list.m_texts.reserve(filters.size() * 160);  // about a usual registration's four texts
    std::size_t listed = filters.size();  // the filter whose registration is the list's last
    std::vector<std::pair<std::size_t, std::size_t>> larger;  // registration, FilterData query
    backend.VisitSubkeyValues(
        RegRoot::ClassesRoot, kFilterCategoryPath, queries, RegistryStore::kStringQueryBytes,
        [&](std::size_t query, const ValueView& value) {
            const std::size_t filter = query / perFilter;
            if (query % perFilter == 0) {
                const Text name = list.Append(value);
                if (list.Of(name) == RegistryStore::MissingString) {  // no FriendlyName: skipped
                    list.m_texts.resize(name.at);
                    return;
                }
                Entry& entry = list.m_entries.emplace_back();
                entry.friendlyName = name;
                entry.instance = {list.m_texts.size(), filters[filter].size()};
                list.m_texts += filters[filter];
                listed = filter;
                return;
            }
            if (listed != filter) return;  // skipped
            if (query % perFilter == 1) {
                list.m_entries.back().clsid = list.Append(value);
            } else if (value.status == RegStatus::Ok && value.data.size() <= maxFilterData) {
                (*filterData)(list.m_entries.size() - 1, value.data);
            } else if (value.status == RegStatus::MoreData &&
                       maxFilterData > RegistryStore::kStringQueryBytes) {
                larger.push_back({list.m_entries.size() - 1, query});
            }
        });
    for (const auto& [registration, query] : larger)
        backend.VisitSubkeyValues(RegRoot::ClassesRoot, kFilterCategoryPath,
                                  std::span(&queries[query], 1), static_cast<std::uint32_t>(maxFilterData),
                                  [&](std::size_t, const ValueView& value) {
                                      if (value.status == RegStatus::Ok && value.data.size() <= maxFilterData)
                                          (*filterData)(registration, value.data);
                                  });

    return list;
}

void FilterRegistrationList::ReadServers(RegistryStore& store)
{
    // The servers' keys in one text that the queries view, made whole before any is viewed.
    constexpr std::string_view kServerKey = "\\InprocServer32";
    std::string serverKeys;
    serverKeys.reserve(m_entries.size() * (38 + kServerKey.size()));
    for (const Entry& entry : m_entries) (serverKeys += Of(entry.clsid)) += kServerKey;
    std::vector<SubkeyValueQuery> serverQueries;
    serverQueries.reserve(m_entries.size());
    std::size_t at = 0;
    for (const Entry& entry : m_entries) {
        const std::size_t size = entry.clsid.size + kServerKey.size();
        serverQueries.push_back({std::string_view(serverKeys).substr(at, size), ""});
        at += size;
    }
    // An unreadable CLSID or server still yields a name ("ERROR"), as a per-decoder
    // comparison of the same reads would.
    store.Backend().VisitSubkeyValues(RegRoot::ClassesRoot, "CLSID", serverQueries,
                                      RegistryStore::kStringQueryBytes,
                                      [&](std::size_t query, const ValueView& value) {
                                          m_entries[query].server = Append(value);
                                      });
}

FilterRegistrationList::Text FilterRegistrationList::Append(const ValueView& value)
{
    Text text{m_texts.size()};
    RegistryStore::AppendStringOf(value, m_texts);
    text.size = m_texts.size() - text.at;
    return text;
}

std::vector<FilterRegistration> ReadFilterRegistrations(RegistryStore& store)
{
    const FilterRegistrationList list = FilterRegistrationList::Read(store);
    std::vector<FilterRegistration> registrations;
    registrations.reserve(list.Size());
    for (std::size_t r = 0; r < list.Size(); ++r) {
        const FilterRegistrationView one = list[r];
        registrations.push_back({std::string(one.instance), std::string(one.clsid), std::string(one.server),
                                 std::string(one.friendlyName)});
    }
    return registrations;
}

RegisteredServers RegisteredServers::Read(RegistryStore& store)
{
    RegisteredServers servers;
    for (FilterRegistration& registration : ReadFilterRegistrations(store)) {
        std::string key = FoldedPath(ServerFileName(registration.server));
        servers.m_byFileName[std::move(key)].push_back(std::move(registration));
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
    row.recordedAsInstalled = recordedAsInstalled;
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
        // A decoder with no registration of its file name, or one whose registered file
        // elsewhere is gone, belongs with the unregistered, where "register" mends it.
        if (Servers().Contains(ServerFileName(row.path)) &&
            row.health != DecoderHealth::RegisteredFileMissing)
            rows.push_back(std::move(row));
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
    case DecoderHealth::RegisteredFileMissing:
        return row.registeredPath.empty() ? "파일 없음" : "파일 없음: " + row.registeredPath;
    case DecoderHealth::RegisteredElsewhere:
        return "다른 위치에 등록됨: " + row.registeredPath + " (설치: " + row.path + ")";
    }
    return {};
}

std::string RowTipText(const InventoryRow& row)
{
    const std::string state = HealthText(row);
    return state.empty() ? std::string() : row.displayText + "\n" + state;
}

namespace {

std::string_view FolderOf(std::string_view path)
{
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

constexpr std::string_view kAsAdministrator =
    " 관리자 권한으로 Zelora를 실행한 뒤 다시 시도하십시오.";

std::string Reason(const RefusedRow& refused)
{
    const InventoryRow& row = refused.row;
    switch (refused.why) {
    case Refusal::StateChanged: {
        const std::string state = HealthText(row);
        return "목록을 만든 뒤 등록 상태가 바뀌었습니다. 지금 상태: " +
               (state.empty() ? std::string("문제 없음") : state) + ". 확인한 뒤 다시 누르십시오.";
    }
    case Refusal::RegisteredElsewhere:
        return "이 디코더는 " + std::string(FolderOf(row.registeredPath)) +
               " 폴더에서 등록되어 있습니다. 이 팩의 등록이 아니므로 해제하지 않았습니다. 그 폴더의 "
               "프로그램에서 해제하십시오.";
    case Refusal::OtherDeadRegistration:
        return "등록이 가리키는 파일(" + row.registeredPath +
               ")이 없지만 이 팩의 등록이 아니므로 지우지 않았습니다. 설치된 파일(" + row.path +
               ")도 없으니 코덱을 다시 설치하십시오.";
    case Refusal::UnverifiedRegistration:
        return "등록 정보가 온전하지 않아 이 팩의 등록인지 확인할 수 없으므로 지우지 않았습니다.";
    case Refusal::NothingToUnregister:
        return "이 팩의 파일(" + row.path + ")로 된 등록이 없어 해제할 것이 없습니다.";
    case Refusal::FileGone:
        return "파일(" + row.path + ")이 없어 등록할 수 없습니다. 코덱을 다시 설치하십시오.";
    case Refusal::PathUnreadable:
        return "기록된 파일 경로를 읽지 못했습니다.";
    case Refusal::PathWithQuote:
        return "파일 경로에 따옴표(\")가 있어 regsvr32에 넘기지 않았습니다.";
    case Refusal::BooksRefused:
        return "HKEY_LOCAL_MACHINE의 설치 기록에 쓸 권한이 없습니다." + std::string(kAsAdministrator);
    case Refusal::ClassesRefused:
        return "HKEY_CLASSES_ROOT에 쓸 권한이 없어 등록 정보를 지우지 못했습니다." +
               std::string(kAsAdministrator);
    case Refusal::NoUninstaller:
        return "제거 프로그램이 기록되어 있지 않습니다.";
    }
    return {};
}

}  // namespace

std::string RefusalMessage(const std::vector<RefusedRow>& refused)
{
    if (refused.empty()) return {};
    std::string message = "다음 코덱은 아무것도 바꾸지 않았습니다.";
    for (const RefusedRow& row : refused) message += "\n\n" + row.row.displayText + ": " + Reason(row);
    return message;
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

std::optional<Refusal> FilterInventory::Unregister(const InventoryRow& row)
{
    return Move(row, RegsvrAction::Unregister, kCodecDelKey, kInstallKey);
}

std::optional<Refusal> FilterInventory::Register(const InventoryRow& row)
{
    return Move(row, RegsvrAction::Register, kInstallKey, kCodecDelKey);
}

std::optional<Refusal> FilterInventory::Move(const InventoryRow& row, RegsvrAction action,
                                             std::string_view toKey, std::string_view fromKey)
{
    if (row.path == RegistryStore::MissingString) return Refusal::PathUnreadable;
    // A path regsvr32 is never given: moving its row would record a change that never ran.
    const std::optional<std::string> line = RegsvrCommandLine(m_regsvr32Path, action, row.path);
    if (!line) return Refusal::PathWithQuote;
    const std::string& name = row.valueName;
    // Recorded first: a refused record leaves the filter and both keys as they were.
    if (!m_store.WriteString(RegRoot::LocalMachine, toKey, name, row.path))
        return Refusal::BooksRefused;
    m_launcher.StartHidden(*line);
    m_store.DeleteValue(RegRoot::LocalMachine, fromKey, name);
    return std::nullopt;
}

namespace {

void TakeFinding(InventoryRow& row, const HealthFinding& finding)
{
    row.health = finding.health;
    row.registeredPath = finding.registeredPath;
    row.registrationInstance = finding.own ? finding.own->instance : std::string();
    row.registrationClsid = finding.own ? finding.own->clsid : std::string();
}

}  // namespace

std::optional<Refusal> FilterInventory::Act(InventoryRow& row, RegsvrAction action)
{
    const HealthFinding now = FindHealth(Servers(), m_files, row.path, row.recordedAsInstalled);
    const Decision decision = Decide(action, row, now);
    TakeFinding(row, now);  // the row shows what was found, whatever happens next
    switch (decision.step) {
    case ActionStep::Refuse:
        return decision.why;
    case ActionStep::RemoveDeadRegistration:
        switch (RemoveDeadRegistration(row)) {
        case RepairResult::Removed:
            // Its books are kept; what is left (perhaps another folder's registration of the
            // same file name) is read again for the row's state.
            m_servers.reset();
            TakeFinding(row, FindHealth(Servers(), m_files, row.path, row.recordedAsInstalled));
            return std::nullopt;
        case RepairResult::Refused:
            return Refusal::ClassesRefused;
        case RepairResult::NotOwn:
            break;
        }
        {
            // Changed in the instant since the registrations were read, or not one whose
            // keys can be trusted to be the pack's alone: left, and shown as it is now.
            const InventoryRow before = row;
            m_servers.reset();
            TakeFinding(row, FindHealth(Servers(), m_files, row.path, row.recordedAsInstalled));
            return row == before ? Refusal::UnverifiedRegistration : Refusal::StateChanged;
        }
    case ActionStep::Regsvr:
        break;
    }
    const bool registering = action == RegsvrAction::Register;
    if (const auto refused = registering ? Register(row) : Unregister(row)) return refused;
    // What regsvr32 was just started to do; the books now name the other key.
    TakeFinding(row, HealthFinding{});
    row.recordedAsInstalled = registering;
    return std::nullopt;
}

RowsTaken FilterInventory::MoveChosen(std::vector<InventoryRow>& from,
                                      std::vector<InventoryRow>& to, RegsvrAction action)
{
    RowsTaken taken{std::vector<bool>(from.size(), false), {}};
    m_servers.reset();  // read again at the first chosen row: another installer may have run
    for (std::size_t i = from.size(); i-- > 0;) {
        if (!IsChosen(from[i])) continue;
        if (const std::optional<Refusal> refused = Act(from[i], action)) {
            taken.refused.push_back({from[i], *refused});
            continue;
        }
        InventoryRow row = std::move(from[i]);
        from.erase(from.begin() + static_cast<std::ptrdiff_t>(i));
        row.checkMark = std::string(kUnchecked);
        to.push_back(std::move(row));
        taken.taken[i] = true;
    }
    std::reverse(taken.refused.begin(), taken.refused.end());  // in the list's order
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
    RowsTaken dropped{std::vector<bool>(lower.size(), false), {}};
    const bool anyKnown = !ValueNames(m_store, kUnInstallKey).empty();
    for (std::size_t i = lower.size(); i-- > 0;) {
        if (!IsChosen(lower[i])) continue;
        const std::string command =
            anyKnown ? m_store.ReadString(RegRoot::LocalMachine, kUnInstallKey, lower[i].valueName)
                     : std::string();
        // A missing uninstaller reads as "ERROR"; started as a command, that would run any
        // "ERROR.exe" found beside the program or on the path.
        if (command == RegistryStore::MissingString || command.empty()) {
            dropped.refused.push_back({lower[i], Refusal::NoUninstaller});
            continue;
        }
        m_launcher.StartHidden(command);
        lower.erase(lower.begin() + static_cast<std::ptrdiff_t>(i));
        dropped.taken[i] = true;
    }
    std::reverse(dropped.refused.begin(), dropped.refused.end());
    return dropped;
}

}  // namespace zelora
