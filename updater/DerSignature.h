#pragma once
// The signature file's form: what `openssl dgst -sha256 -sign` writes for a P-256 key, a
// DER SEQUENCE of the two INTEGERs r and s. The system's verifier takes r||s, 32 bytes each.

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace zelora::updater {

using P256Signature = std::array<std::uint8_t, 64>;

// r||s from exactly one DER SEQUENCE of two positive, minimally encoded INTEGERs of at most
// 32 significant bytes each, with nothing before or after; nothing for anything else.
std::optional<P256Signature> P256SignatureFromDer(std::span<const std::uint8_t> der);

}  // namespace zelora::updater
