// The updater's decisions over random manifests and registries, and its file-name rule over
// random addresses: a codec is offered only when selected, with a usable build that differs
// from the recorded one, a usable address naming an .exe or .msi, a well-formed hash and a
// size; collecting writes nothing; the program check writes only the user's "Zelora-ver",
// an 8-digit date; a local name is the address's last
// path segment, safe on every Windows file system, and no two rows of a run share one.
#include "fuzz/FuzzRegistry.h"
#include "support/MapManifest.h"

#include "platform/text/Text.h"
#include "updater/AddressRules.h"
#include "updater/ManifestRules.h"
#include "updater/UpdateCodecs.h"
#include "updater/UpdateDecisions.h"

#include <algorithm>
#include <set>

namespace zelora::fuzz {
namespace {

using namespace zelora::updater;

constexpr RegRoot kHklm = RegRoot::LocalMachine;
constexpr std::string_view kHome = "http://home.example.invalid/";

std::string Lower(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

// Last path segments, safe and not.
constexpr std::string_view kSegments[] = {
    "setup.exe",     "xvid-1.2_b.exe", "a.b.c",   "",        ".",        "..",      "..\\x.exe",
    "%5c..%5cx.exe", "a:b.exe",        "CON.exe", "con",     "LPT1.txt", "com9.ax", "COM0",
    "한글.exe",      ".hidden",        "name.",   "a b.exe", "a\"b.exe", "x?y",     "nul.tar.gz",
    "CONIN.exe",     "run.cmd",        "a.hta",   "pkg.MSI", "x.exe.bat", "setup.EXE"};

std::string RandomUrl(Random& random)
{
    constexpr std::string_view kSchemes[] = {"http://",  "https://", "HTTP://", "ftp://",
                                             "file:///", "",         "http:/"};
    constexpr std::string_view kHosts[] = {"dl.example.invalid", "", "user@h", "h:8080", "a b"};
    constexpr std::string_view kTails[] = {"", "?q=1", "#f", "?a=/b.exe", "/"};
    std::string url = std::string(random.Pick(kSchemes)) + std::string(random.Pick(kHosts));
    const auto depth = random.Below(3);
    for (std::uint64_t i = 0; i < depth; ++i) url += "/" + std::string(random.Pick(kSegments));
    if (random.Chance(80)) {
        url += '/';
        url += random.Chance(10)
                   ? std::string(static_cast<std::size_t>(random.Between(60, 70)), 'n')
                   : std::string(random.Pick(kSegments));
    }
    url += random.Pick(kTails);
    if (random.Chance(5)) url += std::string(2100, 'x');
    return url;
}

bool IsDevice(std::string_view name)
{
    const std::string stem = Lower(name.substr(0, name.find('.')));
    if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
    return stem.size() == 4 && (stem.starts_with("com") || stem.starts_with("lpt")) &&
           stem[3] >= '0' && stem[3] <= '9';
}

// What a local name must be: letters, digits, ".", "-", "_" only, no leading or trailing
// ".", no device, at most 64 characters.
bool IsSafeName(std::string_view name)
{
    const bool characters = std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '.' || c == '-' || c == '_';
    });
    return characters && !name.empty() && name.size() <= kMaxLocalNameLength &&
           name.front() != '.' && name.back() != '.' && !IsDevice(name);
}

void CheckFileNames(Random& random)
{
    LocalNames names;
    std::set<std::string> claimed;
    const auto count = random.Below(8) + 1;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::string url = RandomUrl(random);
        const std::optional<std::string> name = LocalFileName(url);
        if (name) {
            Require(IsSafeName(*name), "unsafe local name \"" + *name + "\" from " + url);
            // The address's last path segment, query and fragment dropped.
            const std::string path = url.substr(0, url.find_first_of("?#"));
            Require(path.size() > name->size() && path.ends_with("/" + *name),
                    "\"" + *name + "\" is not the last segment of " + url);
        }
        const std::optional<std::string> local = names.Claim(url);
        Require(local.has_value() == name.has_value(), "Claim and LocalFileName disagree");
        if (local) {
            Require(IsSafeName(*local), "unsafe claimed name \"" + *local + "\"");
            Require(claimed.insert(Lower(*local)).second, "two rows share " + *local);
        }
        if (IsDownloadAddress(url)) {
            Require(url.starts_with("http://") || url.starts_with("https://") ||
                        Lower(url).starts_with("http://") || Lower(url).starts_with("https://"),
                    "a download address that is no web address: " + url);
            Require(std::none_of(
                        url.begin(), url.end(),
                        [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '"'; }),
                    "a download address with a blank, quote or control character");
        }
    }
}

// Each codec's manifest entry and recorded state, usable or not.
void FillCodec(Random& random, MapManifest& manifest, MemoryRegistry& memory,
               std::string_view category, std::string_view name)
{
    constexpr std::string_view kVersions[] = {"1.0", "1.00", "", "20051013", "  ", "버전2"};
    const std::string version =
        random.Chance(10) ? std::string(65, '9') : std::string(random.Pick(kVersions));
    if (random.Chance(85)) manifest.Set(name, "VER", version);
    if (random.Chance(85)) manifest.Set(name, "URL", RandomUrl(random));
    if (random.Chance(70)) {
        constexpr std::string_view kSizes[] = {"1", "4096", "0", "-5", "+7", "536870912", "536870913",
                                               "99999999999", "12ab", ""};
        manifest.Set(name, "SIZE", std::string(random.Pick(kSizes)));
    }
    if (random.Chance(70)) {
        constexpr std::string_view kHashes[] = {
            "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef",
            "0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF0123456789ABCDEF", "0123456789abcdef",
            "g123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef", ""};
        manifest.Set(name, "SHA256", std::string(random.Pick(kHashes)));
    }
    const std::string buildKey = std::string(kBuildNumKey) + std::string(category);
    if (random.Chance(60)) {
        const StoredValue recorded =
            random.Chance(50) ? StringValue(Utf8ToUtf16(version)) : RandomValue(random);
        memory.SetValue(kHklm, buildKey, name, recorded.type, recorded.data.data(),
                        static_cast<std::uint32_t>(recorded.data.size()));
    }
    const std::string selectionKey = std::string(kSelectionKey) + std::string(category);
    if (random.Chance(80)) {
        constexpr std::int32_t kStates[] = {0, 1, 2, -1};
        const StoredValue state = RandomValue(random, {kStates});
        memory.SetValue(kHklm, selectionKey, CaseVariant(random, name), state.type,
                        state.data.data(), static_cast<std::uint32_t>(state.data.size()));
    }
}

void CheckDecisions(Random& random)
{
    MapManifest manifest;
    MemoryRegistry memory;
    CountingRegistry counting(memory);
    RegistryStore store(counting);
    for (const CodecCategory& category : kCodecCategories)
        for (std::string_view name : category.names)
            FillCodec(random, manifest, memory, category.keyWord, name);
    constexpr std::string_view kProgramVersions[] = {"20051014", "20051013", "1",        " 7x", "abc",
                                                     "99999999999999", "-5", "20991231", "20060230", ""};
    if (random.Chance(90))
        manifest.Set(kProgramSection, "VER", std::string(random.Pick(kProgramVersions)));
    if (random.Chance(50)) manifest.Set(kProgramSection, "URL", RandomUrl(random));
    if (random.Chance(50)) {
        const StoredValue recorded = random.Chance(50)
                                         ? StringValue(Utf8ToUtf16(random.Pick(kProgramVersions)))
                                         : RandomValue(random);
        memory.SetValue(random.Chance(50) ? kHklm : RegRoot::CurrentUser, kSetupKey, "Zelora-ver",
                        recorded.type, recorded.data.data(), static_cast<std::uint32_t>(recorded.data.size()));
    }

    // Collecting reads only.
    const RegistrySnapshot before = TakeSnapshot(memory);
    const std::vector<CodecUpdate> updates = CollectCodecUpdates(store, manifest);
    CheckWrites(before, TakeSnapshot(memory), {}, counting.Counts(), "CollectCodecUpdates");

    std::size_t previous = 0;  // download order: categories in table order
    std::set<std::string> offered;
    for (const CodecUpdate& update : updates) {
        const auto category =
            std::find_if(kCodecCategories.begin(), kCodecCategories.end(),
                         [&](const CodecCategory& c) { return c.keyWord == update.category; });
        Require(category != kCodecCategories.end(), "an offer of no category");
        const auto index = static_cast<std::size_t>(category - kCodecCategories.begin());
        Require(index >= previous, "offers out of download order");
        previous = index;
        Require(std::find(category->names.begin(), category->names.end(), update.name) !=
                    category->names.end(),
                "an offer of an unknown codec");
        Require(offered.insert(update.name).second, "a codec offered twice");
        const std::string version = manifest.Value(update.name, "VER").value_or("");
        Require(!version.empty() && version.size() <= kMaxVersionLength,
                "an unusable build offered");
        Require(store.ReadString(kHklm, std::string(kBuildNumKey) + update.category, update.name) !=
                    version,
                "the recorded build offered again");
        Require(
            store.ReadDword(kHklm, std::string(kSelectionKey) + update.category, update.name) == 1,
            "a codec offered that is not selected");
        Require(update.url == manifest.Value(update.name, "URL").value_or("") &&
                    !update.url.empty() && update.url.size() <= kMaxAddressLength,
                "an unusable address offered");
        Require(update.sha256.size() == 64 && Lower(update.sha256) == update.sha256 &&
                    IsSha256Text(update.sha256),
                "an offer without a well-formed hash");
        Require(update.size > 0 && update.size <= kMaxInstallerBytes &&
                    std::to_string(update.size) == manifest.Value(update.name, "SIZE").value_or(""),
                "an offer without its exact size");
        const std::optional<std::string> file = LocalFileName(update.url);
        Require(file && InstallerKindOf(*file), "an offer of something that is no installer");
    }

    // The program check: only "Zelora-ver" is written, and a notice's page is safe to open.
    counting.ResetCounts();
    const RegistrySnapshot beforeCheck = TakeSnapshot(memory);
    const std::optional<MainProgramNotice> notice = CheckMainProgram(store, manifest, kHome);
    const RegistrySnapshot after = TakeSnapshot(memory);
    for (const ValueAddress& address : ChangedValues(beforeCheck, after))
        Require(address == AddressOf(RegRoot::CurrentUser, kSetupKey, "Zelora-ver"),
                "the program check wrote " + Describe(address));
    Require(counting.Counts().setValue <= 1, "the program check wrote twice");
    if (!IsUsableManifest(manifest)) {
        Require(!notice && counting.Counts().setValue == 0, "an unusable manifest acted on");
    }
    if (notice) {
        Require(notice->pageUrl == kHome || IsOpenableWebAddress(notice->pageUrl),
                "an unsafe page to open");
        Require(store.ReadString(RegRoot::CurrentUser, kSetupKey, "Zelora-ver") == notice->version,
                "the announced version is not recorded");
        Require(ParseDate(notice->version).has_value(), "a version announced that is no date");
    }
}

void OneInput(Random& random)
{
    CheckFileNames(random);
    CheckDecisions(random);
}

}  // namespace
}  // namespace zelora::fuzz

int main(int argc, char** argv)
{
    return zelora::fuzz::RunDriver(argc, argv, "updater", zelora::fuzz::OneInput);
}
