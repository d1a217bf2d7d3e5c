#pragma once
// The updater's two decisions, taken once from the manifest and the registry: is there a
// newer settings centre to announce, and which codec installers to fetch.

#include "ProductVersion.h"
#include "platform/registry/RegistryStore.h"
#include "updater/ManifestReader.h"
#include "updater/ManifestRules.h"
#include "updater/UpdateCodecs.h"

#include <cstdint>
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

// A manifest counts only with a program version that is an 8-digit date: a longer number
// would stay "newer" than every later release and silence their notices for good.
bool IsUsableManifest(const ManifestReader& manifest);

// The updater's own records live under HKEY_CURRENT_USER at kSetupKey: it needs no rights
// of its own and writes nothing machine-wide.
inline constexpr std::string_view kVersionValue = "Zelora-ver";
inline constexpr std::string_view kSerialValue = "Manifest-serial";
// The SHA-256 of the manifest accepted with that serial: its serial again is taken only for
// the very same bytes.
inline constexpr std::string_view kDigestValue = "Manifest-sha256";

// The highest manifest serial this user's updater accepted (0: none yet) with its digest
// (empty when none is recorded, as by earlier releases), and their record.
AcceptedManifest ReadAccepted(RegistryStore& store);
void RecordAccepted(RegistryStore& store, std::uint64_t serial, std::string_view sha256);

struct MainProgramNotice {
    std::string version;  // the manifest's text, as announced
    std::string pageUrl;  // checked web address, or the home page
};

// Compares the recorded "Zelora-ver" with the manifest's version and records the result
// (the newer version counts as announced from now on). Returns what to tell the user. The
// record is the user's; until it exists the machine-wide value of earlier releases is the
// starting point, and a record that is no 8-digit date counts as the program's own build.
std::optional<MainProgramNotice> CheckMainProgram(RegistryStore& store,
                                                  const ManifestReader& manifest,
                                                  std::string_view homePage);

// Texts of the two boxes of the announcement.
std::string NewVersionText(std::string_view version);
std::string ReminderText(std::string_view homeHost);

struct CodecUpdate {
    std::string name;
    std::string category;  // key word: video, audio or caption
    std::string version;   // the new build, as the manifest names it
    std::string url;
    std::string sha256;    // 64 lower-case hex digits
    std::uint64_t size = 0;  // exact byte count
};

// Why a codec's section cannot be offered, in the order the rules are applied.
enum class EntryFault {
    None,
    NoVersion,     // VER missing or empty
    LongVersion,   // VER over kMaxVersionLength
    NoAddress,     // URL missing or empty
    LongAddress,   // URL over kMaxAddressLength
    BadAddress,    // not a download address
    BadFileName,   // its last segment is no safe local file name
    NotInstaller,  // neither .exe nor .msi
    BadSha256,     // not 64 hex digits
    BadSize,       // not 1 to kMaxInstallerBytes
};

// A codec's section as the updater takes it (the registry aside): `entry` is filled only
// when the fault is None.
EntryFault ReadCodecEntry(const ManifestReader& manifest, const CodecCategory& category,
                          std::string_view name, CodecUpdate& entry);

// Selected codecs whose recorded build differs from the manifest's, in download order:
// video, then audio, then caption, each in reverse table order. A codec is offered only
// when its section pins the file (SHA256 and SIZE) and names an .exe or .msi installer; an
// unusable entry (no build, no address, oversize, malformed hash or size) is not offered.
std::vector<CodecUpdate> CollectCodecUpdates(RegistryStore& store,
                                             const ManifestReader& manifest);

// The offer's line: "설치할 코덱 (새 빌드): Xvid 1.1, AC3filter 0.9" for the first `shown`
// updates, then " 외 N개" (and N more) for the rest.
std::string OfferText(const std::vector<CodecUpdate>& updates, std::size_t shown);

// The same rows in the order of the window's hidden list: caption, audio, video, each in
// table order (every category's rows go in above the previous categories').
std::vector<CodecUpdate> ListOrder(std::vector<CodecUpdate> downloadOrder);

// Whether `text` is 64 hexadecimal digits (either case).
bool IsSha256Text(std::string_view text);

}  // namespace zelora::updater
