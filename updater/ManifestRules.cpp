#include "updater/ManifestRules.h"

#include "updater/UpdateDecisions.h"

#include <algorithm>

namespace zelora::updater {
namespace {

bool AllDigits(std::string_view text)
{
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::uint64_t Digits(std::string_view text)
{
    std::uint64_t value = 0;
    for (char c : text) value = value * 10 + static_cast<unsigned>(c - '0');
    return value;
}

}  // namespace

std::uint64_t InstallerDeadlineMs(std::uint64_t size)
{
    return 60000 + std::min(size, kMaxInstallerBytes) * 1000 / kSlowestBytesPerSecond;
}

std::optional<std::uint64_t> ParseSerial(std::string_view text)
{
    if (!AllDigits(text) || text.size() > 18 || text.front() == '0') return std::nullopt;
    return Digits(text);
}

std::optional<std::uint32_t> ParseDate(std::string_view text)
{
    if (text.size() != 8 || !AllDigits(text)) return std::nullopt;
    const auto date = static_cast<std::uint32_t>(Digits(text));
    const std::uint32_t year = date / 10000;
    const std::uint32_t month = date / 100 % 100;
    const std::uint32_t day = date % 100;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    constexpr std::uint32_t kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 1900 || month < 1 || month > 12 || day < 1) return std::nullopt;
    if (day > kDays[month - 1] + (month == 2 && leap ? 1 : 0)) return std::nullopt;
    return date;
}

std::optional<std::uint64_t> ParseSize(std::string_view text)
{
    if (!AllDigits(text) || text.size() > 10 || text.front() == '0') return std::nullopt;
    const std::uint64_t size = Digits(text);
    if (size > kMaxInstallerBytes) return std::nullopt;
    return size;
}

ManifestVerdict JudgeManifest(const ManifestReader& manifest, const AcceptedManifest& accepted,
                              std::string_view sha256, std::uint32_t today, ManifestStamp* stamp)
{
    const auto serial = ParseSerial(manifest.Value(kProgramSection, "SERIAL").value_or(""));
    const auto expires = ParseDate(manifest.Value(kProgramSection, "EXPIRES").value_or(""));
    if (!serial || !expires || !IsUsableManifest(manifest)) return ManifestVerdict::Malformed;
    if (*serial < accepted.serial) return ManifestVerdict::Replayed;
    if (*serial == accepted.serial && !accepted.sha256.empty() && sha256 != accepted.sha256)
        return ManifestVerdict::Replayed;
    if (today > *expires) return ManifestVerdict::Expired;
    if (stamp) *stamp = {*serial, *expires};
    return ManifestVerdict::Current;
}

}  // namespace zelora::updater
