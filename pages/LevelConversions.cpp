#include "pages/LevelConversions.h"

#include "pages/NumericEdit.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace zelora {
namespace {

using Limits = std::numeric_limits<std::int32_t>;

// Truncation toward zero, as the decoders' own pages convert; numbers beyond 32 bits (a
// stored INT_MIN times a scale) saturate instead of being undefined.
std::int32_t Truncate(double x)
{
    if (std::isnan(x)) return 0;
    if (x >= -static_cast<double>(Limits::min())) return Limits::max();
    if (x <= static_cast<double>(Limits::min()) - 1.0) return Limits::min();
    return static_cast<std::int32_t>(x);
}

std::int32_t Saturate(std::int64_t x)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(x, Limits::min(), Limits::max()));
}

constexpr std::int32_t kAc3MinDecibels = -20;
constexpr std::int32_t kAc3MaxDecibels = 20;

}  // namespace

int DivxDeblockPosition(std::int32_t level) { return Truncate(level * 15.533333333333333); }
std::int32_t DivxDeblockLevel(int position) { return Truncate(position * 0.06437768240343347); }
int DivxDeringPosition(std::int32_t level) { return Truncate(level * 4.854166666666667); }
std::int32_t DivxDeringLevel(int position) { return Truncate(position * 0.20600858369098712); }
int DivxWarmthPosition(std::int32_t level) { return Truncate(level * 58.25); }
std::int32_t DivxWarmthLevel(int position) { return Truncate(position * 0.017167381974248927); }

int DivxPicturePosition(std::int32_t level)
{
    return Truncate((static_cast<double>(level) + 129) * 0.3803921568627451);
}

std::int32_t DivxPictureLevel(int position)
{
    return Truncate(position * 2.6288659793814433 - 128);
}

int FFDShowLevelPosition(std::int32_t level)
{
    return Truncate((300 - static_cast<double>(level)) * 0.17);
}

std::int32_t FFDShowLevelAt(int position) { return Truncate(300 - position * 5.88235294117648); }

int FFDShowHeadphonePosition(std::int32_t level)
{
    return Truncate((100 - static_cast<double>(level)) * 0.51);
}

std::int32_t FFDShowHeadphoneAt(int position)
{
    return Truncate(100 - position * 1.96078431372549);
}

int Ac3Position(std::int32_t decibels) { return Saturate((20 - std::int64_t{decibels}) * 2); }

std::int32_t Ac3DecibelsAt(int position)
{
    // Integer division truncates toward zero: positions 1 and 79 give 19 and -19.
    return Saturate(-((std::int64_t{position} - 40) / 2));
}

std::string Ac3GainText(std::int32_t decibels)
{
    const std::int32_t clamped = std::clamp(decibels, kAc3MinDecibels, kAc3MaxDecibels);
    const double gain = std::pow(10.0, clamped * 0.05);
    // printf's "%f" is what the decoder writes itself, and costs nothing to link, unlike the
    // floating-point std::to_chars (about 190 KB of tables in a static build). Its point
    // follows the locale: the text only ever holds digits and that one point.
    char buffer[32];
    const int length = std::snprintf(buffer, sizeof buffer, "%.6f", gain);
    std::string text(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
    for (char& ch : text)
        if (ch < '0' || ch > '9') ch = '.';
    return text;
}

std::int32_t Ac3DecibelsFromGainText(std::string_view text)
{
    std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) return kAc3MinDecibels;
    if (text[start] == '+') {
        ++start;
        if (start < text.size() && text[start] == '-') return kAc3MinDecibels;
    }
    double gain = 0;
    const char* first = text.data() + start;
    const auto result = std::from_chars(first, text.data() + text.size(), gain,
                                        std::chars_format::general);
    // Out of range means a gain beyond any double (infinite) or below the smallest one (0).
    if (result.ec != std::errc() || !std::isfinite(gain) || gain <= 0) return kAc3MinDecibels;
    return Truncate(std::round(std::log10(gain) * 20));
}

bool IsAc3GainText(std::string_view text)
{
    constexpr std::size_t kDecimals = 6;
    const std::size_t point = text.find('.');
    if (point == std::string_view::npos || point == 0 || text.size() != point + 1 + kDecimals)
        return false;
    if (text[0] == '0' && point > 1) return false;
    bool positive = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (i == point) continue;
        if (text[i] < '0' || text[i] > '9') return false;
        positive = positive || text[i] != '0';
    }
    return positive;
}

LevelStep StepTo(const LevelScale& scale, int position)
{
    const std::int32_t level = scale.level(position);
    const int knob = scale.knob == KnobAfterDrag::AtLevel ? scale.position(level) : position;
    return {level, knob};
}

void ClampLevelText(const LevelScale& scale, std::string& text)
{
    ClampEditNumber(text, std::to_string(scale.maxLevel), std::to_string(scale.minLevel));
}

int KnobForLevelText(const LevelScale& scale, std::string_view text)
{
    return scale.position(DecimalTextToInt(text));
}

}  // namespace zelora
