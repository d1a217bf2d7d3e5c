#include "updater/RunFolder.h"

#include <windows.h>

#include <string>

namespace zelora::updater {

std::unique_ptr<RunFolder> RunFolder::Create(const std::wstring& parent)
{
    std::wstring base = parent;
    if (base.empty()) {
        wchar_t temp[MAX_PATH + 1] = L"";
        const DWORD length = ::GetTempPathW(MAX_PATH + 1, temp);
        if (length == 0 || length > MAX_PATH) return nullptr;
        base.assign(temp, length);
    }
    if (base.back() != L'\\' && base.back() != L'/') base += L'\\';
    // A name no earlier run or other program has: created here, never reused.
    const std::wstring stem = base + L"ZeloraUpdate-" + std::to_wstring(::GetCurrentProcessId()) +
                              L"-" + std::to_wstring(::GetTickCount64());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring path = stem + L"-" + std::to_wstring(attempt);
        if (::CreateDirectoryW(path.c_str(), nullptr)) return std::unique_ptr<RunFolder>(new RunFolder(path));
        if (::GetLastError() != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
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
