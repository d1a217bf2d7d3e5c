#pragma once
// The manifest's signature, checked with the system's own cryptography (bcrypt): ECDSA
// P-256 over SHA-256 of the manifest's exact bytes, against the key built into the program.

#include <array>
#include <cstdint>
#include <string_view>

namespace zelora::updater {

// X then Y of a P-256 public key, big-endian.
using P256PublicKey = std::array<std::uint8_t, 64>;

// The key this build was configured with (ZELORA_UPDATE_KEY_FILE).
P256PublicKey ProductUpdateKey();

// Whether `signatureFile` (DER, as the signing tool writes it) is a valid signature of
// `manifest` by `key`. Anything malformed is simply not valid.
bool IsSignedManifest(std::string_view manifest, std::string_view signatureFile,
                      const P256PublicKey& key);

}  // namespace zelora::updater
