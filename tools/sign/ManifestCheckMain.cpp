// zelora_manifest_check: the updater's own reading of a manifest, for the signing tool.
//
//   zelora_manifest_check layout FILE
//       the sections and keys the updater reads, one per line (tab-separated):
//       "program LINE", "codec LINE LOCALNAME" (empty when the URL names none) and
//       "key LINE SECTIONLINE KEY"; repeated sections and keys, which it skips, are left out
//   zelora_manifest_check check --today yyyymmdd FILE
//       every reason the updater would refuse the manifest or pass over a line or section of
//       it; exit status 0 when there is none, 1 otherwise (2: usage or an unreadable file)

#include "updater/AddressRules.h"
#include "updater/ManifestCheck.h"
#include "updater/ManifestRules.h"

#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using namespace zelora::updater;

std::optional<std::string> ReadFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    // One byte past the updater's bound is enough to know it is too long.
    std::string bytes;
    bytes.resize(kMaxManifestBytes + 1);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return std::nullopt;
    if (bytes.size() > kMaxManifestBytes) bytes.append(std::istreambuf_iterator<char>(in), {});
    return bytes;
}

int Layout(const std::string& bytes)
{
    const ManifestText manifest(bytes);
    for (const ManifestLine& line : manifest.Lines()) {
        if (!line.counted) continue;
        if (line.kind == ManifestLine::Kind::Section) {
            const SectionRole role = RoleOf(line.section);
            if (role == SectionRole::Program) std::cout << "program\t" << line.number << "\n";
            if (role != SectionRole::Codec) continue;
            const std::string url = manifest.Value(line.section, "URL").value_or("");
            std::cout << "codec\t" << line.number << "\t" << LocalFileName(url).value_or("") << "\n";
        } else if (line.kind == ManifestLine::Kind::Entry && RoleOf(line.section) != SectionRole::Unknown) {
            std::cout << "key\t" << line.number << "\t" << line.sectionLine << "\t" << line.key << "\n";
        }
    }
    return 0;
}

int Check(const std::string& bytes, std::uint32_t today)
{
    const std::vector<ManifestProblem> problems = CheckManifest(bytes, today);
    for (const ManifestProblem& problem : problems) {
        if (problem.line == 0) std::cout << "manifest: " << problem.text << "\n";
        else std::cout << "line " << problem.line << ": " << problem.text << "\n";
    }
    return problems.empty() ? 0 : 1;
}

int Usage()
{
    std::cerr << "usage: zelora_manifest_check layout FILE\n"
                 "       zelora_manifest_check check --today yyyymmdd FILE\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string command = argc > 1 ? argv[1] : "";
    const bool layout = command == "layout" && argc == 3;
    const bool check = command == "check" && argc == 5 && std::string(argv[2]) == "--today";
    if (!layout && !check) return Usage();
    const std::optional<std::uint32_t> today = check ? ParseDate(argv[3]) : std::optional<std::uint32_t>(0);
    if (!today) return Usage();
    const std::optional<std::string> bytes = ReadFile(argv[argc - 1]);
    if (!bytes) {
        std::cerr << argv[argc - 1] << ": cannot be read\n";
        return 2;
    }
    return layout ? Layout(*bytes) : Check(*bytes, *today);
}
