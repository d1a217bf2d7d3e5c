#include "preferred/PreferredDecoders.h"

#include "preferred/FilterData.h"
#include "platform/registry/RegistryStore.h"

#include <algorithm>
#include <cstring>

namespace zelora {
namespace {

constexpr std::string_view kWindowsDefault = "Windows 기본";

// A registry string as ASCII when it is one (GUID texts are), up to its first NUL;
// nothing for another type or a character beyond ASCII.
std::optional<std::string> AsciiString(const ValueView& value)
{
    if (value.status != RegStatus::Ok || value.type != RegType::String) return std::nullopt;
    std::string text;
    for (std::size_t i = 0; i + 1 < value.data.size(); i += 2) {
        const unsigned unit = value.data[i] | (value.data[i + 1] << 8);
        if (unit == 0) break;
        if (unit > 0x7F) return std::nullopt;
        text += static_cast<char>(unit);
    }
    return text;
}

// The class a Preferred value names: nothing for a value that is not a GUID text.
std::optional<Guid> ClassOf(const ValueView& value)
{
    const std::optional<std::string> text = AsciiString(value);
    return text ? ParseGuid(*text) : std::nullopt;
}

// The values a format's subtypes name in one key, in the format's subtype order, each
// handed to `each`: the key resolved once for all of them.
void VisitSubtypeValues(RegistryBackend& backend, std::string_view key, const MediaFormat& format,
                        FunctionRef<void(const ValueView& value)> each)
{
    constexpr std::uint32_t kValueBytes = 256;  // a GUID text needs 78
    std::vector<std::string> names;
    names.reserve(format.subtypes.size());
    for (const Guid& subtype : format.subtypes) names.push_back(GuidText(subtype));
    std::vector<SubkeyValueQuery> queries;
    queries.reserve(names.size());
    for (const std::string& name : names) queries.push_back({"", name});
    backend.VisitSubkeyValues(RegRoot::LocalMachine, key, queries, kValueBytes,
                              [&](std::size_t, const ValueView& value) { each(value); });
}

// A server path the loader resolves itself (a bare file name, found in the system folder,
// or one with %variables%) cannot be checked here, and is taken as there.
bool ServerThere(const FileProbe& files, std::string_view server)
{
    if (server.empty() || server == RegistryStore::MissingString) return false;
    if (server.find('%') != std::string_view::npos ||
        server.find_first_of("\\/") == std::string_view::npos)
        return true;
    return files.Exists(server);
}

struct KnownFilter {
    FilterRegistrationView registration;  // its server left unread
    Guid clsid;
    mutable std::optional<std::string> server{};  // read when a Preferred value names it
};

// Which format each subtype of the table belongs to (each belongs to one). Every input
// type of every filter is looked up, and most are no format's: an open-addressed table at
// most half full answers with a hash and a compare or two.
class SubtypeFormats {
public:
    SubtypeFormats()
    {
        const auto formats = MediaFormats();
        std::size_t subtypes = 0;
        for (const MediaFormat& format : formats) subtypes += format.subtypes.size();
        std::size_t slots = 16;
        while (slots < 2 * subtypes) slots *= 2;
        m_slots.assign(slots, Slot{{}, kNone});
        for (std::size_t f = 0; f < formats.size(); ++f)
            for (const Guid& subtype : formats[f].subtypes) {
                const Key key = KeyOf(subtype);
                std::size_t at = Hash(key);
                while (m_slots[at].format != kNone) at = (at + 1) & (slots - 1);
                m_slots[at] = {key, f};
            }
    }

    std::optional<std::size_t> Find(const Guid& subtype) const
    {
        const Key key = KeyOf(subtype);
        for (std::size_t at = Hash(key);; at = (at + 1) & (m_slots.size() - 1)) {
            const Slot& slot = m_slots[at];
            if (slot.format == kNone) return std::nullopt;
            if (slot.key.low == key.low && slot.key.high == key.high) return slot.format;
        }
    }

private:
    static constexpr std::size_t kNone = ~std::size_t{0};
    // A GUID's 16 bytes as two words, compared and hashed as such.
    struct Key {
        std::uint64_t low, high;
    };
    struct Slot {
        Key key;
        std::size_t format;
    };

    static Key KeyOf(const Guid& guid)
    {
        Key key;
        std::memcpy(&key.low, guid.bytes.data(), 8);
        std::memcpy(&key.high, guid.bytes.data() + 8, 8);
        return key;
    }
    std::size_t Hash(const Key& key) const
    {
        // Subtypes made from a FOURCC or a wave tag differ in their first bytes alone.
        const std::uint64_t mixed = (key.low ^ (key.high * 0xC2B2AE3D27D4EB4Full)) * 0x9E3779B97F4A7C15ull;
        return static_cast<std::size_t>(mixed >> 32) & (m_slots.size() - 1);
    }

    std::vector<Slot> m_slots;
};

std::optional<std::size_t> FormatOfSubtype(const Guid& subtype)
{
    static const SubtypeFormats formats;
    return formats.Find(subtype);
}

struct InstallRecord {
    std::string name;
    std::string path;
};

// One view's registrations and Preferred values, and the cells they give.
class ViewReader {
public:
    ViewReader(RegistryBackend& backend, const FileProbe& files)
        : m_backend(backend), m_store(backend, RegistryStore::ReadKeys::ExistingOnly), m_files(files)
    {
        // Each blob parsed as the walk reads it, into one buffer, and each of its types looked
        // up once, rather than each format asking every filter: what is kept is which formats
        // each registration takes.
        std::vector<PinMediaType> types;
        std::vector<std::vector<std::size_t>> taken(MediaFormats().size());  // by format: registrations
        m_registrations = FilterRegistrationList::Read(
            m_store, kMaxFilterDataBytes, [&](std::size_t registration, std::span<const unsigned char> data) {
                if (!ReadInputPinTypes(data, types)) return;  // a malformed blob takes nothing
                for (const PinMediaType& type : types)
                    if (const std::optional<std::size_t> format = FormatOfSubtype(type.sub)) {
                        std::vector<std::size_t>& takers = taken[*format];
                        if (takers.empty() || takers.back() != registration) takers.push_back(registration);
                    }
            });
        // The walk hands most blobs over in the category's order, a large one read again later.
        for (std::vector<std::size_t>& takers : taken)
            if (!std::is_sorted(takers.begin(), takers.end())) {
                std::sort(takers.begin(), takers.end());
                takers.erase(std::unique(takers.begin(), takers.end()), takers.end());
            }

        // The servers are left unread: opening every candidate's class key again costs as
        // much as the category's walk, and only the format in view needs them, to tell the
        // pack's decoders in its drop lists (MarkPackDecoders). A Preferred value's filter
        // has its server read with the value (ServerOf).
        std::vector<const KnownFilter*> knownOf(m_registrations.Size(), nullptr);
        m_filters.reserve(m_registrations.Size());  // knownOf, m_byClsid and m_takers point into it
        for (std::size_t r = 0; r < m_registrations.Size(); ++r) {
            const FilterRegistrationView registration = m_registrations[r];
            const std::optional<Guid> clsid = ParseGuid(registration.clsid);
            if (!clsid) continue;
            knownOf[r] = &m_filters.emplace_back(KnownFilter{registration, *clsid});
        }
        m_takers.resize(taken.size());
        for (std::size_t format = 0; format < taken.size(); ++format) {
            m_takers[format].reserve(taken[format].size());
            for (std::size_t registration : taken[format])
                if (const KnownFilter* known = knownOf[registration]) m_takers[format].push_back(known);
        }

        m_byClsid.reserve(m_filters.size());
        for (const KnownFilter& known : m_filters) m_byClsid.push_back(&known);
        std::stable_sort(m_byClsid.begin(), m_byClsid.end(),
                         [](const KnownFilter* a, const KnownFilter* b) { return a->clsid < b->clsid; });
        std::vector<std::string> refused;
        m_backend.EnumValueNames(RegRoot::LocalMachine, kMfDoNotUseKey, KeyOpen::ExistingOnly, refused);
        for (const std::string& name : refused)
            if (const std::optional<Guid> clsid = ParseGuid(name)) m_refused.push_back(*clsid);
    }

    ViewReader(const ViewReader&) = delete;
    ViewReader& operator=(const ViewReader&) = delete;

    FormatCell Cell(const MediaFormat& format) const
    {
        FormatCell cell;
        cell.bySubtype.reserve(format.subtypes.size());
        VisitSubtypeValues(m_backend, kPreferredKey, format,
                           [&](const ValueView& value) { cell.bySubtype.push_back(ChoiceOf(value)); });
        cell.current = Summary(cell.bySubtype);
        cell.mediaFoundation = MediaFoundationText(format);
        cell.candidates = Candidates(m_takers[static_cast<std::size_t>(&format - MediaFormats().data())]);
        return cell;
    }

private:
    static Choice Summary(const std::vector<Choice>& choices)
    {
        if (choices.empty()) return {};
        for (const Choice& choice : choices)
            if (!(choice == choices.front())) return {ChoiceState::Mixed};
        return choices.front();
    }

    Choice ChoiceOf(const ValueView& value) const
    {
        if (value.status == RegStatus::NotFound) return {};
        const std::optional<Guid> clsid = ClassOf(value);
        if (!clsid) return {ChoiceState::Unknown};
        const std::string clsidText = GuidText(*clsid);
        if (const KnownFilter* known = Find(*clsid)) {
            if (!ServerThere(m_files, ServerOf(*known))) return {ChoiceState::Dead, clsidText};
            return {ChoiceState::Filter, clsidText, std::string(known->registration.friendlyName)};
        }
        // A class outside the filter category still works when its server is there.
        if (!ServerThere(m_files, ServerOfClass(clsidText))) return {ChoiceState::Dead, clsidText};
        const std::string name = m_store.ReadString(RegRoot::ClassesRoot, "CLSID\\" + clsidText, "");
        return {ChoiceState::Filter, clsidText,
                name == RegistryStore::MissingString || name.empty() ? clsidText : name};
    }

    std::string_view ServerOf(const KnownFilter& known) const
    {
        if (!known.server) known.server = ServerOfClass(known.registration.clsid);
        return *known.server;
    }

    std::string ServerOfClass(std::string_view clsid) const
    {
        return m_store.ReadString(RegRoot::ClassesRoot, "CLSID\\" + std::string(clsid) + "\\InprocServer32", "");
    }

    std::string MediaFoundationText(const MediaFormat& format) const
    {
        std::vector<Choice> choices;
        choices.reserve(format.subtypes.size());
        VisitSubtypeValues(m_backend, kMfPreferredKey, format, [&](const ValueView& value) {
            const std::optional<Guid> clsid = ClassOf(value);
            if (value.status == RegStatus::NotFound) choices.push_back({});
            else if (!clsid) choices.push_back({ChoiceState::Unknown});
            else choices.push_back({ChoiceState::Filter, GuidText(*clsid), ClassName(*clsid)});
        });
        const Choice summary = Summary(choices);
        std::string text = ChoiceText(summary);
        if (summary.state == ChoiceState::Filter && Refused(summary.clsid)) text += " (사용 안 함 목록에 있음)";
        return text;
    }

    std::string ClassName(const Guid& clsid) const
    {
        const std::string name = m_store.ReadString(RegRoot::ClassesRoot, "CLSID\\" + GuidText(clsid), "");
        return name == RegistryStore::MissingString || name.empty() ? GuidText(clsid) : name;
    }

    bool Refused(std::string_view clsid) const
    {
        const std::optional<Guid> guid = ParseGuid(clsid);
        return guid && std::find(m_refused.begin(), m_refused.end(), *guid) != m_refused.end();
    }

    const KnownFilter* Find(const Guid& clsid) const
    {
        const auto found = std::lower_bound(m_byClsid.begin(), m_byClsid.end(), clsid,
                                            [](const KnownFilter* known, const Guid& c) { return known->clsid < c; });
        return found != m_byClsid.end() && (*found)->clsid == clsid ? *found : nullptr;
    }

    static std::vector<Candidate> Candidates(const std::vector<const KnownFilter*>& takers)
    {
        std::vector<Candidate> candidates;
        candidates.reserve(takers.size() + 1);
        for (const KnownFilter* known : takers)
            candidates.push_back({GuidText(known->clsid), std::string(known->registration.friendlyName)});
        candidates.push_back({"", std::string(kWindowsDefault)});
        return candidates;
    }

    RegistryBackend& m_backend;
    mutable RegistryStore m_store;
    const FileProbe& m_files;
    FilterRegistrationList m_registrations;
    std::vector<KnownFilter> m_filters;
    std::vector<const KnownFilter*> m_byClsid;  // by class, the first registration of each
    std::vector<Guid> m_refused;                // Media Foundation's DoNotUse list
    std::vector<std::vector<const KnownFilter*>> m_takers;  // by format, in category order
};

std::vector<InstallRecord> PackDecoders(RegistryBackend& bits32)
{
    RegistryStore store(bits32, RegistryStore::ReadKeys::ExistingOnly);
    std::vector<std::string> names;
    bits32.EnumValueNames(RegRoot::LocalMachine, kInstallKey, KeyOpen::ExistingOnly, names);
    std::vector<InstallRecord> records;
    for (std::string& name : names) {
        std::string path = store.ReadString(RegRoot::LocalMachine, kInstallKey, name);
        if (path != RegistryStore::MissingString) records.push_back({std::move(name), std::move(path)});
    }
    return records;
}

}  // namespace

std::string_view ViewName(PlayerView view) { return view == PlayerView::Bits32 ? "32비트" : "64비트"; }

std::string ChoiceText(const Choice& choice)
{
    switch (choice.state) {
    case ChoiceState::WindowsDefault: return std::string(kWindowsDefault);
    case ChoiceState::Filter: return choice.name;
    case ChoiceState::Dead: return "없는 디코더 " + choice.clsid + " (등록 안 됨 또는 파일 없음)";
    case ChoiceState::Unknown: return "알 수 없음";
    case ChoiceState::Mixed: return "형식마다 다름";
    }
    return {};
}

std::string CandidateText(const Candidate& candidate)
{
    return candidate.packDecoder.empty() ? candidate.name : "[팩] " + candidate.name;
}

std::vector<FormatRow> ReadPreferredDecoders(const RegistryViews& views, const FileProbe& files)
{
    std::vector<FormatRow> rows;
    for (const MediaFormat& format : MediaFormats()) rows.push_back({&format, {}});
    if (!views.bits32) return rows;
    for (PlayerView view : kPlayerViews) {
        RegistryBackend* backend = views.Of(view);
        if (!backend) continue;
        const ViewReader reader(*backend, files);
        for (FormatRow& row : rows) row.views[static_cast<std::size_t>(view)] = reader.Cell(*row.format);
    }
    return rows;
}

void MarkPackDecoders(const RegistryViews& views, FormatRow& row)
{
    if (!views.bits32) return;
    std::optional<std::vector<InstallRecord>> pack;
    for (PlayerView view : kPlayerViews) {
        std::optional<FormatCell>& cell = row.views[static_cast<std::size_t>(view)];
        RegistryBackend* backend = views.Of(view);
        if (!cell || cell->packMarked || !backend) continue;
        cell->packMarked = true;
        if (!pack) pack = PackDecoders(*views.bits32);
        if (pack->empty()) continue;

        // The candidates' servers in one walk of CLSID, their keys made whole before any is viewed.
        std::vector<Candidate>& candidates = cell->candidates;
        std::vector<std::string> keys;
        keys.reserve(candidates.size());
        for (const Candidate& candidate : candidates)
            if (!candidate.clsid.empty()) keys.push_back(candidate.clsid + "\\InprocServer32");
        std::vector<SubkeyValueQuery> queries;
        queries.reserve(keys.size());
        for (const std::string& key : keys) queries.push_back({key, ""});
        std::vector<std::string> servers(keys.size());
        backend->VisitSubkeyValues(RegRoot::ClassesRoot, "CLSID", queries, RegistryStore::kStringQueryBytes,
                                   [&](std::size_t query, const ValueView& value) {
                                       RegistryStore::AppendStringOf(value, servers[query]);
                                   });
        std::size_t query = 0;
        for (Candidate& candidate : candidates) {
            if (candidate.clsid.empty()) continue;
            for (const InstallRecord& record : *pack)
                if (SamePath(record.path, servers[query])) candidate.packDecoder = record.name;
            ++query;
        }
        std::stable_partition(candidates.begin(), candidates.end(),
                              [](const Candidate& candidate) { return !candidate.packDecoder.empty(); });
    }
}

}  // namespace zelora
