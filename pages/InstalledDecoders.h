#pragma once
// Which of the pack's decoders are installed, as the installed scan found them. The flags
// are process-wide: the scan sets them once at start-up, before any settings page lays
// itself out, and nothing clears them afterwards (the actions never rescan).

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace zelora {

enum class Decoder { FFDShow, Divx5, Xvid, AC3Filter, KorrinsDts, VSFilter, DivxG400 };

// The installer's value names, in the order of `Decoder`. Compared byte for byte: "xvid"
// is not "Xvid".
inline constexpr std::array<std::string_view, 7> kDecoderNames = {
    "FFDShow", "Divx5", "Xvid", "AC3Filter", "Korrins DTS", "VSFilter", "DivxG400"};

class InstalledDecoders {
public:
    static std::optional<Decoder> Find(std::string_view name);

    // Sets the flag of a known decoder; other names are not the pack's and change nothing.
    static void MarkInstalled(std::string_view name);

    static bool IsInstalled(Decoder decoder);
    static bool IsInstalled(std::string_view name);

    // Only tests start over; the program never clears a flag.
    static void ResetForTests();
};

}  // namespace zelora
