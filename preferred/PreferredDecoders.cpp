#include "preferred/PreferredDecoders.h"

#include "preferred/FilterData.h"
#include "platform/registry/RegistryStore.h"

#include <algorithm>
#include <map>

namespace zelora {
namespace {

constexpr std::string_view kWindowsDefault = "Windows 기본";

// A registry string as ASCII when it is one (GUID texts are), up to its first NUL;
// nothing for another type or a character beyond ASCII.
std::optional<std::string> AsciiString(const RawValue& value)
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

// The values a format's subtypes name in one key, in the format's subtype order: the key
// resolved once for all of them.
std::vector<RawValue> SubtypeValues(RegistryBackend& backend, std::string_view key,
                                    const MediaFormat& format)
{
    constexpr std::uint32_t kValueBytes = 256;  // a GUID text needs 78
    std::vector<std::string> names;
    names.reserve(format.subtypes.size());
    for (const Guid& subtype : format.subtypes) names.push_back(GuidText(subtype));
    std::vector<SubkeyValueQuery> queries;
    for (const std::string& name : names) queries.push_back({"", name});
    std::vector<RawValue> values;
    backend.QuerySubkeyValues(RegRoot::LocalMachine, key, queries, kValueBytes, values);
    values.resize(queries.size());
    return values;
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
    const FilterRegistration* registration;
    Guid clsid;
    std::string clsidText;  // as the page writes it
    std::string packDecoder;
};

// Which format each subtype of the table belongs to (each belongs to one).
const std::map<Guid, std::size_t>& FormatOfSubtype()
{
    static const std::map<Guid, std::size_t> formatOf = [] {
        std::map<Guid, std::size_t> map;
        const auto formats = MediaFormats();
        for (std::size_t f = 0; f < formats.size(); ++f)
            for (const Guid& subtype : formats[f].subtypes) map.emplace(subtype, f);
        return map;
    }();
    return formatOf;
}

struct InstallRecord {
    std::string name;
    std::string path;
};

// One view's registrations and Preferred values, and the cells they give.
class ViewReader {
public:
    ViewReader(RegistryBackend& backend, const std::vector<InstallRecord>& pack,
               const FileProbe& files)
        : m_backend(backend), m_store(backend, RegistryStore::ReadKeys::ExistingOnly),
          m_files(files), m_registrations(ReadFilterRegistrations(m_store, kMaxFilterDataBytes))
    {
        m_filters.reserve(m_registrations.size());  // m_byClsid and m_takers point into it
        m_takers.resize(MediaFormats().size());
        for (const FilterRegistration& registration : m_registrations) {
            const std::optional<Guid> clsid = ParseGuid(registration.clsid);
            if (!clsid) continue;
            KnownFilter& known = m_filters.emplace_back(KnownFilter{&registration, *clsid, GuidText(*clsid), {}});
            for (const InstallRecord& record : pack)
                if (SamePath(record.path, registration.server)) known.packDecoder = record.name;
            // Each blob parsed once and each of its types looked up once, rather than each
            // format asking every filter.
            const auto types = ReadInputPinTypes(registration.filterData);
            if (!types) continue;
            for (const PinMediaType& type : *types) {
                const auto format = FormatOfSubtype().find(type.sub);
                if (format == FormatOfSubtype().end()) continue;
                std::vector<const KnownFilter*>& takers = m_takers[format->second];
                if (takers.empty() || takers.back() != &known) takers.push_back(&known);
            }
        }
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
        for (const RawValue& value : SubtypeValues(m_backend, kPreferredKey, format))
            cell.bySubtype.push_back(ChoiceOf(value));
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

    Choice ChoiceOf(const RawValue& value) const
    {
        if (value.status == RegStatus::NotFound) return {};
        const std::optional<std::string> text = AsciiString(value);
        const std::optional<Guid> clsid = text ? ParseGuid(*text) : std::nullopt;
        if (!clsid) return {ChoiceState::Unknown};
        const std::string clsidText = GuidText(*clsid);
        if (const KnownFilter* known = Find(*clsid)) {
            if (!ServerThere(m_files, known->registration->server)) return {ChoiceState::Dead, clsidText};
            return {ChoiceState::Filter, clsidText, known->registration->friendlyName};
        }
        // A class outside the filter category still works when its server is there.
        const std::string classKey = "CLSID\\" + clsidText;
        const std::string server = m_store.ReadString(RegRoot::ClassesRoot, classKey + "\\InprocServer32", "");
        if (!ServerThere(m_files, server)) return {ChoiceState::Dead, clsidText};
        const std::string name = m_store.ReadString(RegRoot::ClassesRoot, classKey, "");
        return {ChoiceState::Filter, clsidText,
                name == RegistryStore::MissingString || name.empty() ? clsidText : name};
    }

    std::string MediaFoundationText(const MediaFormat& format) const
    {
        std::vector<Choice> choices;
        for (const RawValue& value : SubtypeValues(m_backend, kMfPreferredKey, format)) {
            const std::optional<std::string> text = AsciiString(value);
            const std::optional<Guid> clsid = text ? ParseGuid(*text) : std::nullopt;
            if (value.status == RegStatus::NotFound) choices.push_back({});
            else if (!clsid) choices.push_back({ChoiceState::Unknown});
            else choices.push_back({ChoiceState::Filter, GuidText(*clsid), ClassName(*clsid)});
        }
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

    // The pack's decoders first, then the others, each in the category's order.
    static std::vector<Candidate> Candidates(const std::vector<const KnownFilter*>& takers)
    {
        std::vector<Candidate> candidates;
        candidates.reserve(takers.size() + 1);
        for (bool pack : {true, false})
            for (const KnownFilter* known : takers)
                if (known->packDecoder.empty() != pack)
                    candidates.push_back({known->clsidText, known->registration->friendlyName, known->packDecoder});
        candidates.push_back({"", std::string(kWindowsDefault)});
        return candidates;
    }

    RegistryBackend& m_backend;
    mutable RegistryStore m_store;
    const FileProbe& m_files;
    std::vector<FilterRegistration> m_registrations;
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
    const std::vector<InstallRecord> pack = PackDecoders(*views.bits32);
    for (PlayerView view : kPlayerViews) {
        RegistryBackend* backend = views.Of(view);
        if (!backend) continue;
        const ViewReader reader(*backend, pack, files);
        for (FormatRow& row : rows) row.views[static_cast<std::size_t>(view)] = reader.Cell(*row.format);
    }
    return rows;
}

}  // namespace zelora
