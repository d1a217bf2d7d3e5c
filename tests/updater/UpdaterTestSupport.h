#pragma once
// Shared by the updater's Win32 tests: the loopback web server's root (files and routes),
// scratch folders, the fake installer, and a message pump that waits for a condition.

#include "support/DerEncoding.h"
#include "updater/ManifestSignature.h"

#include <windows.h>

#include <bcrypt.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

namespace zelora::updatertest {

namespace fs = std::filesystem;

inline std::wstring Environment(const wchar_t* name)
{
    wchar_t value[2048] = L"";
    const DWORD length = ::GetEnvironmentVariableW(name, value, 2048);
    return length > 0 && length < 2048 ? std::wstring(value, length) : std::wstring();
}

inline std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteText(const fs::path& file, const std::string& text)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

// The loopback server scripts/test.sh started (http_proxy points at it).
class Loopback {
public:
    Loopback() : m_root(Environment(L"ZELORA_LOOPBACK_ROOT")) {}
    bool Available() const { return !m_root.empty() && !Environment(L"http_proxy").empty(); }
    fs::path Root() const { return m_root; }
    // Serves `text` at http://<host><path>.
    void Serve(const std::string& host, const std::string& path, const std::string& text) const
    {
        WriteText(m_root / host / path.substr(1), text);
    }
    void ServeFile(const std::string& host, const std::string& path, const fs::path& file) const
    {
        const fs::path target = m_root / host / path.substr(1);
        fs::create_directories(target.parent_path());
        fs::remove(target);  // this library's copy_file cannot overwrite
        fs::copy_file(file, target);
    }
    // routes.json: the server re-reads it on every request.
    void Routes(const std::string& json) const { WriteText(m_root / "routes.json", json); }
    std::string Log() const { return ReadText(Environment(L"ZELORA_LOOPBACK_LOG")); }

private:
    fs::path m_root;
};

// A folder of the test's own, removed with everything in it at the end.
class ScratchFolder {
public:
    explicit ScratchFolder(const std::wstring& name)
        : m_path(fs::temp_directory_path() / (name + L"-" + std::to_wstring(::GetCurrentProcessId())))
    {
        fs::remove_all(m_path);
        fs::create_directories(m_path);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& Path() const { return m_path; }

private:
    fs::path m_path;
};

inline fs::path TestProgramFolder()
{
    wchar_t module[MAX_PATH] = L"";
    ::GetModuleFileNameW(nullptr, module, MAX_PATH);
    return fs::path(module).parent_path();
}

// The stand-in installer built beside the tests.
inline fs::path FakeInstaller() { return TestProgramFolder() / L"zelora_fake_installer.exe"; }

// A P-256 key of the test's own, made with the system's cryptography, that signs manifests
// as the signing tool does (DER over SHA-256 of the exact bytes).
class TestSigner {
public:
    TestSigner()
    {
        ::BCryptOpenAlgorithmProvider(&m_algorithm, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0);
        ::BCryptGenerateKeyPair(m_algorithm, &m_key, 256, 0);
        ::BCryptFinalizeKeyPair(m_key, 0);
        UCHAR blob[sizeof(BCRYPT_ECCKEY_BLOB) + 64];
        ULONG size = 0;
        ::BCryptExportKey(m_key, nullptr, BCRYPT_ECCPUBLIC_BLOB, blob, sizeof blob, &size, 0);
        std::copy(blob + sizeof(BCRYPT_ECCKEY_BLOB), blob + sizeof blob, m_public.begin());
    }
    ~TestSigner()
    {
        if (m_key) ::BCryptDestroyKey(m_key);
        if (m_algorithm) ::BCryptCloseAlgorithmProvider(m_algorithm, 0);
    }
    TestSigner(const TestSigner&) = delete;
    TestSigner& operator=(const TestSigner&) = delete;

    const updater::P256PublicKey& PublicKey() const { return m_public; }
    std::string Sign(const std::string& bytes) const
    {
        BCRYPT_ALG_HANDLE sha = nullptr;
        ::BCryptOpenAlgorithmProvider(&sha, BCRYPT_SHA256_ALGORITHM, nullptr, 0);
        BCRYPT_HASH_HANDLE hash = nullptr;
        ::BCryptCreateHash(sha, &hash, nullptr, 0, nullptr, 0, 0);
        std::string copy = bytes;
        ::BCryptHashData(hash, reinterpret_cast<UCHAR*>(copy.data()), static_cast<ULONG>(copy.size()), 0);
        UCHAR digest[32];
        ::BCryptFinishHash(hash, digest, sizeof digest, 0);
        ::BCryptDestroyHash(hash);
        ::BCryptCloseAlgorithmProvider(sha, 0);
        UCHAR rs[64];
        ULONG size = 0;
        ::BCryptSignHash(m_key, nullptr, digest, sizeof digest, rs, sizeof rs, &size, 0);
        return testsupport::DerFromRawSignature(rs);
    }

private:
    BCRYPT_ALG_HANDLE m_algorithm = nullptr;
    BCRYPT_KEY_HANDLE m_key = nullptr;
    updater::P256PublicKey m_public{};
};

// Runs the thread's messages until `done` holds or `seconds` pass; returns `done()`.
inline bool PumpUntil(const std::function<bool()>& done, double seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

}  // namespace zelora::updatertest
