#include "updater/RunFolder.h"

#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"

#include <windows.h>

#include <sddl.h>

#include <string>
#include <vector>

namespace zelora::updater {
namespace {

constexpr wchar_t kPrefix[] = L"ZeloraUpdate-";

void FreeLocal(void* memory) { ::LocalFree(memory); }
using UniqueLocal = win::UniqueHandle<void*, FreeLocal>;
void CloseFind(HANDLE find) { ::FindClose(find); }
using UniqueFind = win::UniqueHandle<HANDLE, CloseFind, win::InvalidFileHandle>;

// The folder the run folders go in, ending in a backslash; empty when there is none.
std::wstring ParentFolder(const std::wstring& parent)
{
    std::wstring base = parent;
    if (base.empty()) {
        wchar_t temp[MAX_PATH + 1] = L"";
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
        if (length == 0 || length > MAX_PATH) return {};
        base.assign(temp, length);
    }
    if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
    return base;
}

// The user's SID as text ("S-1-5-21-..."), from the process token.
std::wstring UserSid()
{
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &rawToken)) return {};
    const win::UniqueKernelHandle token(rawToken);
    DWORD size = 0;
    ::GetTokenInformation(token.Get(), TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> buffer(size);
    if (size == 0 || !::GetTokenInformation(token.Get(), TokenUser, buffer.data(), size, &size)) return {};
    wchar_t* text = nullptr;
    if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) return {};
    const UniqueLocal owner(text);
    return text;
}

// Full control for SYSTEM, the Administrators and the user, for the folder and what is
// created in it; protected, so nothing of the temporary folder's own list is inherited.
UniqueLocal RunFolderSecurity()
{
    const std::wstring user = UserSid();
    if (user.empty()) return UniqueLocal();
    const std::wstring sddl = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FA;;;" + user + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!::ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return UniqueLocal();
    return UniqueLocal(descriptor);
}

// "ZeloraUpdate-<pid>-<ticks>-<attempt>", as Create names its folders.
bool IsRunFolderName(const std::wstring& name)
{
    if (name.rfind(kPrefix, 0) != 0) return false;
    int numbers = 0;
    bool digit = false;
    for (std::size_t i = std::wstring(kPrefix).size(); i <= name.size(); ++i) {
        if (i == name.size() || name[i] == L'-') {
            if (!digit) return false;
            ++numbers;
            digit = false;
        } else if (name[i] >= L'0' && name[i] <= L'9') {
            digit = true;
        } else {
            return false;
        }
    }
    return numbers == 3;
}

std::uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Deletes the plain files in `folder` (never following a link out of it), then the folder.
bool RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &entry));
    if (find) {
        do {
            constexpr DWORD kSkip = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
            if (!(entry.dwFileAttributes & kSkip)) ::DeleteFileW((folder + L"\\" + entry.cFileName).c_str());
        } while (::FindNextFileW(find.Get(), &entry));
    }
    find.Reset();
    return ::RemoveDirectoryW(folder.c_str()) != FALSE;
}

}  // namespace

std::unique_ptr<RunFolder> RunFolder::Create(const std::wstring& parent)
{
    const std::wstring base = ParentFolder(parent);
    if (base.empty()) return nullptr;
    const UniqueLocal security = RunFolderSecurity();
    if (!security) return nullptr;  // never a folder others could write to
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security.Get(), FALSE};
    // A name no earlier run or other program has: created here, never reused.
    const std::wstring stem = base + kPrefix + win::Wide(std::to_string(::GetCurrentProcessId())) + L"-" +
                              win::Wide(std::to_string(::GetTickCount64()));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring path = stem + L"-" + win::Wide(std::to_string(attempt));
        if (::CreateDirectoryW(path.c_str(), &attributes)) return std::unique_ptr<RunFolder>(new RunFolder(path));
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
}

int RunFolder::RemoveStale(const std::wstring& parent)
{
    const std::wstring base = ParentFolder(parent);
    if (base.empty()) return 0;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    constexpr std::uint64_t kTicksPerMs = 10000;
    std::vector<std::wstring> stale;
    WIN32_FIND_DATAW entry{};
    UniqueFind find(::FindFirstFileW((base + kPrefix + L"*").c_str(), &entry));
    if (!find) return 0;
    do {
        const bool folder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                            !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
        const std::uint64_t written = Ticks(entry.ftLastWriteTime);
        if (folder && IsRunFolderName(entry.cFileName) && Ticks(now) > written &&
            Ticks(now) - written > kStaleRunFolderMs * kTicksPerMs)
            stale.push_back(base + entry.cFileName);
    } while (::FindNextFileW(find.Get(), &entry));
    find.Reset();
    int removed = 0;
    for (const std::wstring& folder : stale) removed += RemoveFolder(folder) ? 1 : 0;
    return removed;
}

RunFolder::~RunFolder() { CleanUp(); }

std::wstring RunFolder::Claim(const std::wstring& name)
{
    std::lock_guard lock(m_mutex);
    m_files.insert(name);
    m_files.insert(name + L".part");
    return m_path + L"\\" + name;
}

bool RunFolder::Delete(const std::wstring& name)
{
    std::lock_guard lock(m_mutex);
    const std::wstring path = m_path + L"\\" + name;
    if (!::DeleteFileW(path.c_str()) && ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return false;
    m_files.erase(name);
    return true;
}

void RunFolder::Release(const std::wstring& name)
{
    std::lock_guard lock(m_mutex);
    m_files.erase(name);
}

void RunFolder::CleanUp()
{
    std::lock_guard lock(m_mutex);
    if (m_path.empty()) return;
    for (auto file = m_files.begin(); file != m_files.end();) {
        const std::wstring path = m_path + L"\\" + *file;
        if (::DeleteFileW(path.c_str()) || ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
            file = m_files.erase(file);
        else
            ++file;
    }
    ::RemoveDirectoryW(m_path.c_str());
}

}  // namespace zelora::updater
