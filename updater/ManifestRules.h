#pragma once
// What makes a signed manifest current, and the bounds every transfer keeps. The signature
// proves who wrote a manifest; these rules refuse an old one replayed (its serial is below
// the highest accepted, or equal to it with other bytes), one kept past its expiry (a frozen view of the releases), and
// numbers that would silence later notices.

#include "updater/ManifestReader.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zelora::updater {

inline constexpr std::size_t kMaxManifestBytes = 64 * 1024;
inline constexpr std::size_t kMaxSignatureBytes = 1024;
inline constexpr std::uint64_t kMaxInstallerBytes = 512ull * 1024 * 1024;

// Time bounds. A read that waits longer than kStallMs for a byte ends its download; the
// manifest and its signature together get kManifestDeadlineMs; an installer gets a minute
// plus its SIZE at kSlowestBytesPerSecond. A download ends at the latest one stall after
// its deadline.
inline constexpr std::uint32_t kStallMs = 20000;
inline constexpr std::uint32_t kManifestDeadlineMs = 30000;
inline constexpr std::uint64_t kSlowestBytesPerSecond = 32 * 1024;
std::uint64_t InstallerDeadlineMs(std::uint64_t size);

// A positive decimal number of at most 18 digits (no sign, no blanks, no leading zero).
std::optional<std::uint64_t> ParseSerial(std::string_view text);
// yyyymmdd, exactly eight digits forming a calendar date from 1900 on.
std::optional<std::uint32_t> ParseDate(std::string_view text);
// A byte count: 1 to kMaxInstallerBytes, decimal digits only.
std::optional<std::uint64_t> ParseSize(std::string_view text);

enum class ManifestVerdict {
    Current,    // take it
    Malformed,  // no valid SERIAL, EXPIRES or 8-digit VER in [ZELORADATE]
    Replayed,   // SERIAL below the highest one accepted, or equal to it with other bytes
    Expired,    // today is past EXPIRES
};

struct ManifestStamp {
    std::uint64_t serial = 0;
    std::uint32_t expires = 0;
};

// The manifest this user's updater took last: its serial, and the SHA-256 of its bytes
// (64 lower-case hex digits; empty when none was recorded).
struct AcceptedManifest {
    std::uint64_t serial = 0;
    std::string sha256;
};

// Judges a manifest whose signature has been verified; `sha256` is the digest of its bytes
// (lower-case hex). `today` is yyyymmdd (UTC). An equal serial is taken again only for the
// same bytes: two manifests signed with one serial are never both taken.
ManifestVerdict JudgeManifest(const ManifestReader& manifest, const AcceptedManifest& accepted,
                              std::string_view sha256, std::uint32_t today,
                              ManifestStamp* stamp = nullptr);

}  // namespace zelora::updater
