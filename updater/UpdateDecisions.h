#pragma once
// The updater's two decisions, taken once from the manifest and the registry: is there a
// newer settings centre to announce, and which codec installers to fetch.

#include "ProductVersion.h"
#include "platform/registry/RegistryStore.h"
#include "updater/ManifestReader.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelora::updater {

// The settings centre's own build, as its main window shows it. A fresh install has not
// recorded any announced version yet; it is this build, not an older one.
inline constexpr std::string_view kOwnBuild = ZELORA_BUILD_DATE;

inline constexpr std::string_view kProgramSection = "ZELORADATE";
// Longest accepted manifest values: anything longer would have to be cut, and a cut
// address or build number names something else.
inline constexpr std::size_t kMaxVersionLength = 64;
inline constexpr std::size_t kMaxAddressLength = 2048;

// A fetched file counts as a manifest only with a numeric program version: an error page
// served with status 200 would otherwise offer every selected codec.
bool IsUsableManifest(const ManifestReader& manifest);

struct MainProgramNotice {
    std::string version;  // the manifest's text, as announced
    std::string pageUrl;  // checked web address, or the home page
};

// Compares the recorded "Zelora-ver" with the manifest's version and records the result
// (the newer version counts as announced from now on). Returns what to tell the user.
std::optional<MainProgramNotice> CheckMainProgram(RegistryStore& store,
                                                  const ManifestReader& manifest,
                                                  std::string_view homePage);

// Texts of the two boxes of the announcement.
std::string NewVersionText(std::string_view version);
std::string ReminderText(std::string_view homeHost);

struct CodecUpdate {
    std::string name;
    std::string category;  // key word: video, audio or caption
    std::string url;
    std::string sha256;    // 64 lower-case hex digits, or empty when the manifest has none
};

struct CodecPolicy {
    bool requireHash = false;  // refuse a codec the manifest gives no SHA256 for
};

// Selected codecs whose recorded build differs from the manifest's, in download order:
// video, then audio, then caption, each in reverse table order. A codec whose manifest
// entry is unusable (no build, no address, oversize, malformed hash) is not offered.
std::vector<CodecUpdate> CollectCodecUpdates(RegistryStore& store,
                                             const ManifestReader& manifest,
                                             CodecPolicy policy = {});

// The same rows in the order of the window's hidden list: caption, audio, video, each in
// table order (every category's rows go in above the previous categories').
std::vector<CodecUpdate> ListOrder(std::vector<CodecUpdate> downloadOrder);

// Whether `text` is 64 hexadecimal digits (either case).
bool IsSha256Text(std::string_view text);

}  // namespace zelora::updater
