#pragma once
// A manifest judged before it is signed, by the very rules the updater applies after it has
// verified the signature: everything the updater would refuse or silently pass over is a
// problem here, so that the publisher never signs what the updater then ignores.

#include "updater/ManifestText.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zelora::updater {

struct ManifestProblem {
    std::size_t line = 0;  // 0: the manifest as a whole
    std::string text;      // for the publisher, in English like the tool's other messages
};

// Every problem of `bytes` for an updater running on `today` (yyyymmdd, UTC) that has
// accepted no manifest yet. Empty: the updater takes the manifest and every codec section.
std::vector<ManifestProblem> CheckManifest(std::string_view bytes, std::uint32_t today);

// Which section a header line opens, as the updater looks sections up: the program's, a
// codec's (by its category), or none the updater reads.
enum class SectionRole { Program, Codec, Unknown };
SectionRole RoleOf(std::string_view lowerName);

}  // namespace zelora::updater
