#include "updater/DerSignature.h"

#include <algorithm>

namespace zelora::updater {
namespace {

constexpr std::uint8_t kSequence = 0x30;
constexpr std::uint8_t kInteger = 0x02;
constexpr std::size_t kHalf = 32;

// One INTEGER at `at`, copied right-aligned into `out`; `at` moves past it.
bool ReadInteger(std::span<const std::uint8_t> der, std::size_t& at, std::uint8_t* out)
{
    if (der.size() - at < 2 || der[at] != kInteger) return false;
    const std::size_t length = der[at + 1];
    at += 2;
    // Short form only: a P-256 integer never needs more than 33 bytes.
    if (length == 0 || length > kHalf + 1 || der.size() - at < length) return false;
    const std::span<const std::uint8_t> value = der.subspan(at, length);
    if (value[0] & 0x80) return false;                                // negative
    if (value[0] == 0 && (length == 1 || !(value[1] & 0x80))) return false;  // zero or not minimal
    const std::span<const std::uint8_t> digits = value[0] == 0 ? value.subspan(1) : value;
    if (digits.size() > kHalf) return false;
    std::fill(out, out + kHalf, std::uint8_t{0});
    std::copy(digits.begin(), digits.end(), out + (kHalf - digits.size()));
    at += length;
    return true;
}

}  // namespace

std::optional<P256Signature> P256SignatureFromDer(std::span<const std::uint8_t> der)
{
    if (der.size() < 2 || der[0] != kSequence) return std::nullopt;
    const std::size_t length = der[1];
    if (length >= 0x80 || der.size() != 2 + length) return std::nullopt;  // short form, nothing after
    P256Signature signature{};
    std::size_t at = 2;
    if (!ReadInteger(der, at, signature.data()) || !ReadInteger(der, at, signature.data() + kHalf))
        return std::nullopt;
    if (at != der.size()) return std::nullopt;
    return signature;
}

}  // namespace zelora::updater
