#include "updater/FileHash.h"

#include "platform/win/UniqueHandle.h"

#include <wincrypt.h>

#include <vector>

namespace zelora::updater {
namespace {

void ReleaseProvider(HCRYPTPROV provider) { ::CryptReleaseContext(provider, 0); }
void DestroyHash(HCRYPTHASH hash) { ::CryptDestroyHash(hash); }
using UniqueProvider = win::UniqueHandle<HCRYPTPROV, ReleaseProvider>;
using UniqueHash = win::UniqueHandle<HCRYPTHASH, DestroyHash>;

}  // namespace

std::optional<std::string> Sha256OfFile(const std::wstring& path)
{
    const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    return Sha256OfOpenFile(file.Get());
}

std::optional<std::string> Sha256OfOpenFile(HANDLE file)
{
    LARGE_INTEGER origin{};
    if (!::SetFilePointerEx(file, origin, nullptr, FILE_BEGIN)) return std::nullopt;
    UniqueProvider provider;
    if (!::CryptAcquireContextW(provider.Put(), nullptr, nullptr, PROV_RSA_AES,
                                CRYPT_VERIFYCONTEXT | CRYPT_SILENT))
        return std::nullopt;
    UniqueHash hash;
    if (!::CryptCreateHash(provider.Get(), CALG_SHA_256, 0, 0, hash.Put())) return std::nullopt;

    std::vector<BYTE> buffer(64 * 1024);
    DWORD read = 0;
    while (::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) &&
           read > 0) {
        if (!::CryptHashData(hash.Get(), buffer.data(), read, 0)) return std::nullopt;
    }
    BYTE digest[32];
    DWORD size = sizeof digest;
    if (!::CryptGetHashParam(hash.Get(), HP_HASHVAL, digest, &size, 0) || size != sizeof digest)
        return std::nullopt;
    static constexpr char kHex[] = "0123456789abcdef";
    std::string text;
    for (BYTE byte : digest) {
        text += kHex[byte >> 4];
        text += kHex[byte & 15];
    }
    return text;
}

}  // namespace zelora::updater
