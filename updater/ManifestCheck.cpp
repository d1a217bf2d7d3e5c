#include "updater/ManifestCheck.h"

#include "updater/AddressRules.h"
#include "updater/ManifestRules.h"
#include "updater/UpdateDecisions.h"

#include <algorithm>
#include <array>

namespace zelora::updater {
namespace {

const CodecCategory* CategoryOf(std::string_view lowerName, std::string_view* name)
{
    for (const CodecCategory& category : kCodecCategories)
        for (std::string_view codec : category.names)
            if (LowerAscii(codec) == lowerName) {
                *name = codec;
                return &category;
            }
    return nullptr;
}

struct KnownKeys {
    SectionRole role;
    std::array<std::string_view, 4> keys;
};
constexpr KnownKeys kKnownKeys[] = {
    {SectionRole::Program, {"serial", "expires", "ver", "url"}},
    {SectionRole::Codec, {"ver", "url", "sha256", "size"}},
};

bool IsKnownKey(SectionRole role, std::string_view key)
{
    for (const KnownKeys& known : kKnownKeys)
        if (known.role == role && std::find(known.keys.begin(), known.keys.end(), key) != known.keys.end())
            return true;
    return false;
}

std::string FaultText(EntryFault fault)
{
    switch (fault) {
    case EntryFault::None: return {};
    case EntryFault::NoVersion: return "no VER";
    case EntryFault::LongVersion: return "VER longer than " + std::to_string(kMaxVersionLength) + " characters";
    case EntryFault::NoAddress: return "no URL";
    case EntryFault::LongAddress: return "URL longer than " + std::to_string(kMaxAddressLength) + " characters";
    case EntryFault::BadAddress:
        return "URL is no plain http:// or https:// address (blanks, quotes, backslashes and . or .. segments are refused)";
    case EntryFault::BadFileName:
        return "URL does not end in a plain file name (letters, digits, '.', '-', '_', at most " +
               std::to_string(kMaxLocalNameLength) + ")";
    case EntryFault::NotInstaller: return "URL names no .exe or .msi";
    case EntryFault::BadSha256: return "SHA256 is not 64 hex digits";
    case EntryFault::BadSize: return "SIZE is not a byte count from 1 to " + std::to_string(kMaxInstallerBytes);
    }
    return {};
}

std::string Quoted(std::string_view name) { return "[" + std::string(name) + "]"; }

// The whole-manifest rules: size, the stamp and the program version, as JudgeManifest and
// CheckMainProgram read them.
void CheckProgram(const ManifestText& manifest, std::size_t size, std::uint32_t today, std::size_t line,
                  std::vector<ManifestProblem>& problems)
{
    if (size > kMaxManifestBytes)
        problems.push_back({0, std::to_string(size) + " bytes; the updater takes at most " +
                                   std::to_string(kMaxManifestBytes)});
    const auto value = [&](std::string_view key) { return manifest.Value(kProgramSection, key).value_or(""); };
    if (!ParseSerial(value("SERIAL")))
        problems.push_back({line, "[ZELORADATE] SERIAL is not a positive number of at most 18 digits"});
    if (!ParseDate(value("EXPIRES")))
        problems.push_back({line, "[ZELORADATE] EXPIRES is not a date yyyymmdd"});
    if (!IsUsableManifest(manifest))
        problems.push_back({line, "[ZELORADATE] VER is not an 8-digit date yyyymmdd"});
    const AcceptedManifest none;
    if (problems.empty() && JudgeManifest(manifest, none, "", today) == ManifestVerdict::Expired)
        problems.push_back({line, "[ZELORADATE] EXPIRES is past"});
    const std::optional<std::string> page = manifest.Value(kProgramSection, "URL");
    if (page && !IsOpenableWebAddress(*page))
        problems.push_back({line, "[ZELORADATE] URL is no plain http:// or https:// address: the home page would open instead"});
}

}  // namespace

SectionRole RoleOf(std::string_view lowerName)
{
    if (lowerName == LowerAscii(kProgramSection)) return SectionRole::Program;
    std::string_view name;
    return CategoryOf(lowerName, &name) ? SectionRole::Codec : SectionRole::Unknown;
}

std::vector<ManifestProblem> CheckManifest(std::string_view bytes, std::uint32_t today)
{
    const ManifestText manifest(bytes);
    std::vector<ManifestProblem> problems;
    std::size_t programLine = 0;
    for (const ManifestLine& line : manifest.Lines()) {
        switch (line.kind) {
        case ManifestLine::Kind::Blank:
        case ManifestLine::Kind::Comment:
            break;
        case ManifestLine::Kind::Stray:
            problems.push_back({line.number, "neither [section] nor key=value in a section: the updater skips it"});
            break;
        case ManifestLine::Kind::Section: {
            if (!line.counted) {
                problems.push_back({line.number, Quoted(line.section) +
                                                     " again: the updater reads only its first section of a name"});
                break;
            }
            const SectionRole role = RoleOf(line.section);
            if (role == SectionRole::Program) programLine = line.number;
            if (role == SectionRole::Unknown)
                problems.push_back({line.number, Quoted(line.section) + " is no codec the updater knows"});
            if (role != SectionRole::Codec) break;
            std::string_view name;
            const CodecCategory* category = CategoryOf(line.section, &name);
            CodecUpdate entry;
            const EntryFault fault = ReadCodecEntry(manifest, *category, name, entry);
            if (fault != EntryFault::None)
                problems.push_back({line.number, Quoted(name) + " is never offered: " + FaultText(fault)});
            break;
        }
        case ManifestLine::Kind::Entry:
            if (line.counted && !IsKnownKey(RoleOf(line.section), line.key) && RoleOf(line.section) != SectionRole::Unknown)
                problems.push_back({line.number, Quoted(line.section) + " " + line.key + ": the updater reads no such key"});
            else if (!line.counted && manifest.Lines()[line.sectionLine - 1].counted)
                problems.push_back({line.number, Quoted(line.section) + " " + line.key +
                                                     " again: the updater reads only the first"});
            break;
        }
    }
    if (programLine == 0) problems.push_back({0, "no [ZELORADATE] section"});
    CheckProgram(manifest, bytes.size(), today, programLine, problems);
    std::stable_sort(problems.begin(), problems.end(),
                     [](const ManifestProblem& a, const ManifestProblem& b) { return a.line < b.line; });
    return problems;
}

}  // namespace zelora::updater
