#pragma once
// The codecs the updater knows: each name is both a manifest section and a registry value
// name, grouped by the category key word of their registry keys, in table order.

#include <array>
#include <span>
#include <string_view>

namespace zelora::updater {

struct CodecCategory {
    std::string_view keyWord;  // last segment of the CodecBuildNum and CodecUpdate keys
    std::span<const std::string_view> names;
};

inline constexpr std::string_view kVideoCodecs[] = {
    "FFDShow", "Divx5", "Xvid", "Mpeg Splitter", "Mpeg 1/2", "Matroska", "Real Media", "h.264",
};
inline constexpr std::string_view kAudioCodecs[] = {
    "AC3filter", "Korrins DTS", "LAME MP3", "OGG Vorbis", "CoreAAC", "MMSwitch",
};
inline constexpr std::string_view kCaptionCodecs[] = {"VSFilter", "DivxG400"};

inline constexpr std::array<CodecCategory, 3> kCodecCategories = {{
    {"video", kVideoCodecs},
    {"audio", kAudioCodecs},
    {"caption", kCaptionCodecs},
}};

// HKEY_LOCAL_MACHINE keys, read only; the updater's own records use the same Setup path
// under HKEY_CURRENT_USER.
inline constexpr std::string_view kSetupKey = "SOFTWARE\\Tarnwick\\Quellmark\\Setup";
inline constexpr std::string_view kBuildNumKey = "SOFTWARE\\Tarnwick\\Quellmark\\CodecBuildNum\\";
inline constexpr std::string_view kSelectionKey = "SOFTWARE\\Tarnwick\\Quellmark\\CodecUpdate\\";

}  // namespace zelora::updater
