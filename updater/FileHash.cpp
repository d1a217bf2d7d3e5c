#include "updater/FileHash.h"
#include "platform/text/Text.h"

#include "platform/win/UniqueHandle.h"

#include <wincrypt.h>

#include <vector>

namespace zelora::updater {
namespace {

void ReleaseProvider(HCRYPTPROV provider) { ::CryptReleaseContext(provider, 0); }
void DestroyHash(HCRYPTHASH hash) { ::CryptDestroyHash(hash); }
using UniqueProvider = win::UniqueHandle<HCRYPTPROV, ReleaseProvider>;
using UniqueHash = win::UniqueHandle<HCRYPTHASH, DestroyHash>;

// One SHA-256 computation: bytes added in pieces, the digest read once as hex.
class Sha256 {
public:
    Sha256()
    {
        m_ok = ::CryptAcquireContextW(m_provider.Put(), nullptr, nullptr, PROV_RSA_AES,
                                      CRYPT_VERIFYCONTEXT | CRYPT_SILENT) &&
               ::CryptCreateHash(m_provider.Get(), CALG_SHA_256, 0, 0, m_hash.Put());
    }
    void Add(const BYTE* data, DWORD size)
    {
        if (m_ok && size > 0) m_ok = ::CryptHashData(m_hash.Get(), data, size, 0) != FALSE;
    }
    std::optional<std::string> Text()
    {
        BYTE digest[32];
        DWORD size = sizeof digest;
        if (!m_ok || !::CryptGetHashParam(m_hash.Get(), HP_HASHVAL, digest, &size, 0) || size != sizeof digest)
            return std::nullopt;
        std::string text;
        for (BYTE byte : digest) {
            text += HexDigit(byte >> 4u);
            text += HexDigit(byte);
        }
        return text;
    }

private:
    UniqueProvider m_provider;
    UniqueHash m_hash;
    bool m_ok = false;
};

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
    Sha256 hash;
    std::vector<BYTE> buffer(64 * 1024);
    DWORD read = 0;
    while (::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr) && read > 0)
        hash.Add(buffer.data(), read);
    return hash.Text();
}

std::optional<std::string> Sha256Text(std::string_view bytes)
{
    Sha256 hash;
    // Pieces that fit a DWORD; the manifest is far smaller.
    for (std::size_t at = 0; at < bytes.size(); at += 1u << 30) {
        const std::string_view piece = bytes.substr(at, 1u << 30);
        hash.Add(reinterpret_cast<const BYTE*>(piece.data()), static_cast<DWORD>(piece.size()));
    }
    return hash.Text();
}

}  // namespace zelora::updater
