#include "pages/LevelConversions.h"

#include "pages/NumericEdit.h"
#include "platform/text/Text.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

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
    // What the decoder writes itself, printf's "%.6f", spelled out: in a static build printf
    // and std::to_chars each bring a whole floating-point formatter. Six decimals of a gain
    // of at most 10 are exact in a long double's 64 bits.
    const auto millionths = static_cast<std::uint64_t>(std::llround(static_cast<long double>(gain) * 1e6L));
    const std::string fraction = std::to_string(millionths % 1000000);
    return std::to_string(millionths / 1000000) + '.' + std::string(6 - fraction.size(), '0') + fraction;
}

namespace {

// The common logarithm of the decimal number at the start of `text` (digits with an
// optional point, then an optional exponent), read as std::from_chars reads it: a number
// beyond a double, or one that rounds to 0, is out of range. Nothing for a text that does
// not start with a positive number ("-1", "0", "inf", "nan", "").
std::optional<double> Log10OfLeadingNumber(std::string_view text)
{
    constexpr int kKeptDigits = 19;  // fit in 64 bits
    std::uint64_t mantissa = 0;
    int kept = 0;
    long long exponent = 0;  // of the last kept digit
    bool digits = false;
    std::size_t at = 0;
    const auto isDigit = [&](std::size_t i) { return i < text.size() && text[i] >= '0' && text[i] <= '9'; };
    const auto take = [&](bool afterPoint) {
        for (; isDigit(at); ++at) {
            digits = true;
            const int digit = text[at] - '0';
            if (mantissa == 0 && digit == 0) {
                if (afterPoint) --exponent;
            } else if (kept < kKeptDigits) {
                mantissa = mantissa * 10 + static_cast<std::uint64_t>(digit);
                ++kept;
                if (afterPoint) --exponent;
            } else if (!afterPoint) {
                ++exponent;  // a digit beyond those kept only scales the number
            }
        }
    };
    take(false);
    if (at < text.size() && text[at] == '.') {
        ++at;
        take(true);
    }
    if (!digits || mantissa == 0) return std::nullopt;
    if (at < text.size() && (text[at] == 'e' || text[at] == 'E')) {
        std::size_t e = at + 1;
        const bool negative = e < text.size() && text[e] == '-';
        if (e < text.size() && (text[e] == '-' || text[e] == '+')) ++e;
        long long value = 0;
        for (; isDigit(e); ++e) value = std::min(value * 10 + (text[e] - '0'), 100000LL);
        if (isDigit(e - 1)) exponent += negative ? -value : value;  // "1e" and "1e+" end at the e
    }
    const double log10 = std::log10(static_cast<double>(mantissa)) + static_cast<double>(exponent);
    // Beyond the largest double, or below half the smallest one.
    if (log10 > 308.25471555991675 || log10 < -323.60724533877976) return std::nullopt;
    return log10;
}

}  // namespace

std::int32_t Ac3DecibelsFromGainText(std::string_view text)
{
    std::size_t start = text.find_first_not_of(" \t\n\v\f\r");
    if (start == std::string_view::npos) return kAc3MinDecibels;
    if (text[start] == '+') {
        ++start;
        if (start < text.size() && text[start] == '-') return kAc3MinDecibels;
    }
    const std::optional<double> log10 = Log10OfLeadingNumber(text.substr(start));
    if (!log10) return kAc3MinDecibels;
    return Truncate(std::round(*log10 * 20));
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
