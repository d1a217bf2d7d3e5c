#pragma once
// The page-painted level sliders' arithmetic: knob position <-> stored level for every
// slider kind, and the AC3 decibel <-> gain text conversion. Each conversion keeps the
// decoders' own constants and truncation, so the numbers the pages store are the ones the
// decoders' own property pages would store.
//
// Positions are pixels along the slider's travel; what the functions return for a level
// outside its range may lie outside the travel (the painter clamps the knob to its strip).
// No input, however large, overflows.

#include <cstdint>
#include <string>
#include <string_view>

namespace zelora {

// DivX horizontal sliders: position 0 (left) is the smallest level.
int DivxDeblockPosition(std::int32_t level);  // 0..15 over 233 pixels
std::int32_t DivxDeblockLevel(int position);
int DivxDeringPosition(std::int32_t level);   // 0..48 over 233 pixels
std::int32_t DivxDeringLevel(int position);
int DivxWarmthPosition(std::int32_t level);   // 0..4 over 233 pixels
std::int32_t DivxWarmthLevel(int position);
int DivxPicturePosition(std::int32_t level);  // brightness, contrast, saturation: -128..127 over 97
std::int32_t DivxPictureLevel(int position);

// ffdshow audio vertical sliders: position 0 (top) is the largest level. The constants
// make some positions store one less than a round number (17 stores 199, 34 stores 99).
int FFDShowLevelPosition(std::int32_t level);      // 0..300 over 51 pixels
std::int32_t FFDShowLevelAt(int position);
int FFDShowHeadphonePosition(std::int32_t level);  // headphone dimming, 0..100 over 51
std::int32_t FFDShowHeadphoneAt(int position);

// AC3Filter vertical sliders: -20..+20 dB over 80 pixels, 2 pixels a decibel.
int Ac3Position(std::int32_t decibels);
std::int32_t Ac3DecibelsAt(int position);

// The gain text AC3Filter stores for a level: 10^(dB / 20) with six decimals, "." as the
// point whatever the locale ("1.778279" for 5 dB). Levels beyond -20..20 dB store the
// nearer bound's gain.
std::string Ac3GainText(std::int32_t decibels);
// The decibels shown for a stored gain text: 20 log10(gain), rounded to the nearest decibel
// so that what was typed comes back. A gain that is not a positive finite number (0, "-1",
// "abc", "nan", "inf", "") shows -20. The text is read as the C library's atof reads it
// (leading blanks, then the longest number), but never through the locale.
std::int32_t Ac3DecibelsFromGainText(std::string_view text);
// Whether `text` is a positive gain in the form Ac3GainText writes: digits without a sign
// or a leading zero, the point, six digits ("0.891251", "10.000000"), whatever its level.
bool IsAc3GainText(std::string_view text);

// One slider kind: its level range and the two conversions.
enum class KnobAfterDrag {
    AtPointer,  // the knob follows the pointer's position
    AtLevel,    // the knob snaps to the position of the level the pointer chose
};

struct LevelScale {
    std::int32_t minLevel = 0;
    std::int32_t maxLevel = 0;
    int (*position)(std::int32_t level) = nullptr;
    std::int32_t (*level)(int position) = nullptr;
    KnobAfterDrag knob = KnobAfterDrag::AtPointer;
};

inline constexpr LevelScale kDivxDeblockScale{0, 15, DivxDeblockPosition, DivxDeblockLevel,
                                              KnobAfterDrag::AtLevel};
inline constexpr LevelScale kDivxDeringScale{0, 48, DivxDeringPosition, DivxDeringLevel,
                                             KnobAfterDrag::AtLevel};
inline constexpr LevelScale kDivxWarmthScale{0, 4, DivxWarmthPosition, DivxWarmthLevel,
                                             KnobAfterDrag::AtLevel};
inline constexpr LevelScale kDivxPictureScale{-128, 127, DivxPicturePosition, DivxPictureLevel,
                                              KnobAfterDrag::AtPointer};
inline constexpr LevelScale kFFDShowLevelScale{0, 300, FFDShowLevelPosition, FFDShowLevelAt,
                                               KnobAfterDrag::AtPointer};
inline constexpr LevelScale kFFDShowHeadphoneScale{0, 100, FFDShowHeadphonePosition,
                                                   FFDShowHeadphoneAt, KnobAfterDrag::AtLevel};
inline constexpr LevelScale kAc3DecibelScale{-20, 20, Ac3Position, Ac3DecibelsAt,
                                             KnobAfterDrag::AtPointer};

// What a press or drag at knob position `position` stores, and where the knob is drawn.
struct LevelStep {
    std::int32_t level = 0;
    int knob = 0;
};
LevelStep StepTo(const LevelScale& scale, int position);

// A level typed into a slider's edit box: a number beyond the scale's range becomes the
// nearer bound's text ("300", "-20"); anything else is left as typed.
void ClampLevelText(const LevelScale& scale, std::string& text);
// Where the knob of a level shown as text is drawn (the text's leading number; 0 if none).
int KnobForLevelText(const LevelScale& scale, std::string_view text);

}  // namespace zelora
