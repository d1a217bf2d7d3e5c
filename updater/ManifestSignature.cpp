#include "updater/ManifestSignature.h"

#include "UpdateKey.h"
#include "platform/win/UniqueHandle.h"
#include "updater/DerSignature.h"

#include <windows.h>

#include <bcrypt.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace zelora::updater {
namespace {

void CloseAlgorithm(BCRYPT_ALG_HANDLE algorithm) { ::BCryptCloseAlgorithmProvider(algorithm, 0); }
void DestroyHash(BCRYPT_HASH_HANDLE hash) { ::BCryptDestroyHash(hash); }
void DestroyKey(BCRYPT_KEY_HANDLE key) { ::BCryptDestroyKey(key); }
using UniqueAlgorithm = win::UniqueHandle<BCRYPT_ALG_HANDLE, CloseAlgorithm>;
using UniqueHash = win::UniqueHandle<BCRYPT_HASH_HANDLE, DestroyHash>;
using UniqueKey = win::UniqueHandle<BCRYPT_KEY_HANDLE, DestroyKey>;

bool Succeeded(NTSTATUS status) { return status >= 0; }

bool Sha256(std::string_view data, std::uint8_t (&digest)[32])
{
    UniqueAlgorithm algorithm;
    if (!Succeeded(::BCryptOpenAlgorithmProvider(algorithm.Put(), BCRYPT_SHA256_ALGORITHM, nullptr, 0)))
        return false;
    UniqueHash hash;
    if (!Succeeded(::BCryptCreateHash(algorithm.Get(), hash.Put(), nullptr, 0, nullptr, 0, 0)))
        return false;
    // BCryptHashData takes a non-const pointer but only reads.
    std::vector<UCHAR> bytes(data.begin(), data.end());
    return Succeeded(::BCryptHashData(hash.Get(), bytes.data(), static_cast<ULONG>(bytes.size()), 0)) &&
           Succeeded(::BCryptFinishHash(hash.Get(), digest, sizeof digest, 0));
}

}  // namespace

P256PublicKey ProductUpdateKey()
{
    P256PublicKey key{};
    std::copy(std::begin(updatekey::kPoint), std::end(updatekey::kPoint), key.begin());
    return key;
}

bool IsSignedManifest(std::string_view manifest, std::string_view signatureFile,
                      const P256PublicKey& key)
{
    const auto* der = reinterpret_cast<const std::uint8_t*>(signatureFile.data());
    std::optional<P256Signature> signature = P256SignatureFromDer({der, signatureFile.size()});
    if (!signature) return false;
    std::uint8_t digest[32];
    if (!Sha256(manifest, digest)) return false;

    UniqueAlgorithm algorithm;
    if (!Succeeded(::BCryptOpenAlgorithmProvider(algorithm.Put(), BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0)))
        return false;
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + key.size());
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::memcpy(blob.data(), &header, sizeof header);
    std::copy(key.begin(), key.end(), blob.begin() + sizeof header);
    UniqueKey publicKey;
    if (!Succeeded(::BCryptImportKeyPair(algorithm.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, publicKey.Put(),
                                         blob.data(), static_cast<ULONG>(blob.size()), 0)))
        return false;
    // Only STATUS_SUCCESS is a valid signature (STATUS_INVALID_SIGNATURE is negative).
    return ::BCryptVerifySignature(publicKey.Get(), nullptr, digest, sizeof digest, signature->data(),
                                   static_cast<ULONG>(signature->size()), 0) == 0;
}

}  // namespace zelora::updater
