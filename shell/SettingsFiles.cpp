#include "shell/SettingsFiles.h"

#include "pages/SettingsTransfer.h"
#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"

#include <commdlg.h>

#include <optional>
#include <string>
#include <vector>

namespace zelora {
namespace {

constexpr wchar_t kFilter[] = L"레지스트리 파일 (*.reg)\0*.reg\0모든 파일 (*.*)\0*.*\0";
constexpr DWORD kPathUnits = 32768;  // the longest path the system takes

void Tell(HWND owner, const std::string& text, UINT icon)
{
    ::MessageBoxW(owner, win::Wide(text).c_str(), L"Zelora", MB_OK | icon);
}

// The path the user chose, or nothing when the dialog was cancelled.
std::optional<std::wstring> AskPath(HWND owner, bool save, const std::wstring& initialName)
{
    std::vector<wchar_t> path(kPathUnits, L'\0');
    initialName.copy(path.data(), kPathUnits - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = kFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = path.data();
    dialog.nMaxFile = kPathUnits;
    dialog.lpstrDefExt = L"reg";
    dialog.lpstrTitle = save ? L"설정 내보내기" : L"설정 가져오기";
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen) return std::nullopt;
    return std::wstring(path.data());
}

std::wstring TodaysFileName()
{
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return win::Wide(DefaultSettingsFileName(now.wYear, now.wMonth, now.wDay));
}

bool WriteWholeFile(const std::wstring& path, const std::vector<unsigned char>& bytes)
{
    const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr,
                                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    return ::WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                       nullptr) &&
           written == bytes.size();
}

// The file's bytes, read only when it is small enough to be a settings file; `size` is
// its size on disk either way.
bool ReadSmallFile(const std::wstring& path, std::vector<unsigned char>& bytes, std::size_t& size)
{
    const win::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                             OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    LARGE_INTEGER length{};
    if (!::GetFileSizeEx(file.Get(), &length) || length.QuadPart < 0) return false;
    if (static_cast<unsigned long long>(length.QuadPart) > kMaxSettingsFileBytes) {
        size = kMaxSettingsFileBytes + 1;
        return true;
    }
    size = static_cast<std::size_t>(length.QuadPart);
    bytes.resize(size);
    DWORD read = 0;
    if (size > 0 && !::ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(size), &read, nullptr))
        return false;
    bytes.resize(read);
    return true;
}

}  // namespace

void ExportSettingsFile(HWND owner, RegistryBackend& registry)
{
    const std::optional<std::wstring> path = AskPath(owner, true, TodaysFileName());
    if (!path) return;
    const SettingsExport exported = ExportSettings(registry);
    if (!WriteWholeFile(*path, exported.file)) {
        Tell(owner, "설정 파일을 저장하지 못했습니다.\n" + win::Narrow(*path), MB_ICONEXCLAMATION);
        return;
    }
    Tell(owner, ExportMessage(exported),
         exported.leftOut.empty() ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
}

bool ImportSettingsFile(HWND owner, RegistryBackend& registry)
{
    const std::optional<std::wstring> path = AskPath(owner, false, L"");
    if (!path) return false;
    std::vector<unsigned char> bytes;
    std::size_t size = 0;
    if (!ReadSmallFile(*path, bytes, size)) {
        Tell(owner, "설정 파일을 읽지 못했습니다.\n설정은 하나도 바뀌지 않았습니다.\n" +
                        win::Narrow(*path), MB_ICONEXCLAMATION);
        return false;
    }
    const SettingsImport imported = ImportSettings(bytes, size, registry);
    const bool clean = imported.refusal == ImportRefusal::None && imported.refusedWrites.empty();
    Tell(owner, ImportMessage(imported), clean ? MB_ICONINFORMATION : MB_ICONEXCLAMATION);
    return imported.refusal == ImportRefusal::None;
}

}  // namespace zelora
