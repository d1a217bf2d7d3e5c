#include "updater/UpdateDecisions.h"

#include "updater/AddressRules.h"
#include "updater/ManifestRules.h"
#include "updater/UpdateCodecs.h"

#include <algorithm>

namespace zelora::updater {
namespace {

std::optional<std::string> ProgramVersion(const ManifestReader& manifest)
{
    std::optional<std::string> version = manifest.Value(kProgramSection, "VER");
    if (!version || !ParseDate(*version)) return std::nullopt;
    return version;
}

// The recorded version: the user's, else the machine-wide one earlier releases wrote.
std::string RecordedVersion(RegistryStore& store)
{
    std::string recorded = store.ReadString(RegRoot::CurrentUser, kSetupKey, kVersionValue);
    if (recorded == RegistryStore::MissingString)
        recorded = store.ReadString(RegRoot::LocalMachine, kSetupKey, kVersionValue);
    return ParseDate(recorded) ? recorded : std::string(kOwnBuild);
}

char LowerHex(char c) { return c >= 'A' && c <= 'F' ? static_cast<char>(c - 'A' + 'a') : c; }

std::optional<CodecUpdate> OfferFor(RegistryStore& store, const ManifestReader& manifest,
                                    const CodecCategory& category, std::string_view name)
{
    CodecUpdate update;
    if (ReadCodecEntry(manifest, category, name, update) != EntryFault::None) return std::nullopt;

    const std::string buildKey = std::string(kBuildNumKey) + std::string(category.keyWord);
    // Exact text: "1.0" and "1.00" are different builds.
    if (store.ReadString(RegRoot::LocalMachine, buildKey, name) == update.version) return std::nullopt;

    // The Codec Update page writes DWORD 1 for a selected codec; 0, a missing value and
    // anything else mean not selected.
    const std::string selectionKey = std::string(kSelectionKey) + std::string(category.keyWord);
    if (store.ReadDword(RegRoot::LocalMachine, selectionKey, name) != 1) return std::nullopt;
    return update;
}

}  // namespace

bool IsUsableManifest(const ManifestReader& manifest) { return ProgramVersion(manifest).has_value(); }

EntryFault ReadCodecEntry(const ManifestReader& manifest, const CodecCategory& category,
                          std::string_view name, CodecUpdate& entry)
{
    const std::optional<std::string> version = manifest.Value(name, "VER");
    if (!version || version->empty()) return EntryFault::NoVersion;
    if (version->size() > kMaxVersionLength) return EntryFault::LongVersion;
    std::optional<std::string> url = manifest.Value(name, "URL");
    if (!url || url->empty()) return EntryFault::NoAddress;
    if (url->size() > kMaxAddressLength) return EntryFault::LongAddress;
    if (!IsDownloadAddress(*url)) return EntryFault::BadAddress;
    const std::optional<std::string> fileName = LocalFileName(*url);
    if (!fileName) return EntryFault::BadFileName;
    if (!InstallerKindOf(*fileName)) return EntryFault::NotInstaller;
    std::string hash = manifest.Value(name, "SHA256").value_or("");
    if (!IsSha256Text(hash)) return EntryFault::BadSha256;
    std::transform(hash.begin(), hash.end(), hash.begin(), LowerHex);
    const std::optional<std::uint64_t> size = ParseSize(manifest.Value(name, "SIZE").value_or(""));
    if (!size) return EntryFault::BadSize;
    entry = CodecUpdate{std::string(name), std::string(category.keyWord), *version,
                        std::move(*url), std::move(hash), *size};
    return EntryFault::None;
}

std::optional<MainProgramNotice> CheckMainProgram(RegistryStore& store,
                                                  const ManifestReader& manifest,
                                                  std::string_view homePage)
{
    const std::optional<std::string> version = ProgramVersion(manifest);
    if (!version) return std::nullopt;

    const std::string recorded = RecordedVersion(store);
    // Both are 8-digit dates: text order is number order.
    if (recorded >= *version) {
        store.WriteString(RegRoot::CurrentUser, kSetupKey, kVersionValue, recorded);
        return std::nullopt;
    }
    store.WriteString(RegRoot::CurrentUser, kSetupKey, kVersionValue, *version);
    const std::string page = manifest.Value(kProgramSection, "URL").value_or("");
    return MainProgramNotice{*version,
                             IsOpenableWebAddress(page) ? page : std::string(homePage)};
}

std::string NewVersionText(std::string_view version)
{
    return "Zelora " + std::string(version) +
           " 최신 버젼이 나왔습니다. 확인을 누르시면 홈페이지로 접속합니다.";
}

std::string ReminderText(std::string_view homeHost)
{
    return " 항상 최신 버전을 사용하시는 것이 좋습니다. 차후에라도 " + std::string(homeHost) +
           "을 방문하여 최신 버전으로 교체해주세요.";
}

AcceptedManifest ReadAccepted(RegistryStore& store)
{
    AcceptedManifest accepted;
    accepted.serial = ParseSerial(store.ReadString(RegRoot::CurrentUser, kSetupKey, kSerialValue)).value_or(0);
    const std::string digest = store.ReadString(RegRoot::CurrentUser, kSetupKey, kDigestValue);
    if (accepted.serial != 0 && IsSha256Text(digest)) accepted.sha256 = digest;
    return accepted;
}

void RecordAccepted(RegistryStore& store, std::uint64_t serial, std::string_view sha256)
{
    if (serial < ReadAccepted(store).serial) return;  // never lowered
    // The digest first: cut off between the two writes, the old serial stays beside a digest
    // it does not bind, and the next manifest, of a higher serial, rewrites both.
    store.WriteString(RegRoot::CurrentUser, kSetupKey, kDigestValue, sha256);
    store.WriteString(RegRoot::CurrentUser, kSetupKey, kSerialValue, std::to_string(serial));
}

std::vector<CodecUpdate> CollectCodecUpdates(RegistryStore& store, const ManifestReader& manifest)
{
    std::vector<CodecUpdate> updates;
    for (const CodecCategory& category : kCodecCategories) {
        for (auto name = category.names.rbegin(); name != category.names.rend(); ++name) {
            if (auto update = OfferFor(store, manifest, category, *name))
                updates.push_back(std::move(*update));
        }
    }
    return updates;
}

std::string OfferText(const std::vector<CodecUpdate>& updates, std::size_t shown)
{
    shown = std::min(shown, updates.size());
    std::string text = "설치할 코덱 (새 빌드):";
    for (std::size_t i = 0; i < shown; ++i)
        text += (i == 0 ? " " : ", ") + updates[i].name + " " + updates[i].version;
    if (shown < updates.size()) text += " 외 " + std::to_string(updates.size() - shown) + "개";
    return text;
}

std::vector<CodecUpdate> ListOrder(std::vector<CodecUpdate> downloadOrder)
{
    std::reverse(downloadOrder.begin(), downloadOrder.end());
    return downloadOrder;
}

bool IsSha256Text(std::string_view text)
{
    return text.size() == 64 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
           });
}

}  // namespace zelora::updater
