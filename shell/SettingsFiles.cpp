#include "shell/SettingsFiles.h"

#include "pages/SettingsTransfer.h"
#include "platform/win/ComPtr.h"
#include "platform/win/LateImports.h"
#include "platform/win/Notices.h"
#include "platform/win/OleSession.h"
#include "platform/win/UniqueHandle.h"
#include "platform/win/WideText.h"

#include <shobjidl.h>

#include <optional>
#include <string>
#include <vector>

namespace zelora {
namespace {

void Tell(HWND owner, const std::string& text, win::Notice notice)
{
    win::Tell(owner, win::Wide(text).c_str(), notice);
}

// The path the user chose, or nothing when the dialog was cancelled. The system's item
// dialog, reached through COM: the older common-dialog calls would link comdlg32, and with it
// the print spooler, whose start-up costs every start of the program about 8 ms under Wine.
std::optional<std::wstring> AskPath(HWND owner, bool save, const std::wstring& initialName)
{
    const win::OleSession ole;  // the dialog needs a single-threaded apartment
    win::ComPtr<IFileDialog> dialog;
    if (FAILED(win::late::CoCreateInstance(save ? CLSID_FileSaveDialog : CLSID_FileOpenDialog, nullptr,
                                  CLSCTX_INPROC_SERVER, IID_IFileDialog, dialog.PutVoid())))
        return std::nullopt;
    const COMDLG_FILTERSPEC types[] = {{L"레지스트리 파일 (*.reg)", L"*.reg"},
                                       {L"모든 파일 (*.*)", L"*.*"}};
    dialog->SetFileTypes(2, types);
    dialog->SetFileTypeIndex(1);
    dialog->SetDefaultExtension(L"reg");
    dialog->SetTitle(save ? L"설정 내보내기" : L"설정 가져오기");
    FILEOPENDIALOGOPTIONS options = 0;
    dialog->GetOptions(&options);
    dialog->SetOptions(options | FOS_NOCHANGEDIR | FOS_PATHMUSTEXIST | FOS_FORCEFILESYSTEM |
                       (save ? FOS_OVERWRITEPROMPT : FOS_FILEMUSTEXIST));
    if (!initialName.empty()) dialog->SetFileName(initialName.c_str());
    if (FAILED(dialog->Show(owner))) return std::nullopt;  // cancelled, or no dialog

    win::ComPtr<IShellItem> item;
    PWSTR chosen = nullptr;
    if (FAILED(dialog->GetResult(item.Put())) ||
        FAILED(item->GetDisplayName(SIGDN_FILESYSPATH, &chosen)) || !chosen)
        return std::nullopt;
    std::wstring path(chosen);
    win::late::CoTaskMemFree(chosen);
    return path;
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
        Tell(owner, "설정 파일을 저장하지 못했습니다.\n" + win::Narrow(*path), win::Notice::Warning);
        return;
    }
    Tell(owner, ExportMessage(exported),
         exported.leftOut.empty() ? win::Notice::Information : win::Notice::Warning);
}

bool ImportSettingsFile(HWND owner, RegistryBackend& registry)
{
    const std::optional<std::wstring> path = AskPath(owner, false, L"");
    if (!path) return false;
    std::vector<unsigned char> bytes;
    std::size_t size = 0;
    if (!ReadSmallFile(*path, bytes, size)) {
        Tell(owner, "설정 파일을 읽지 못했습니다.\n설정은 하나도 바뀌지 않았습니다.\n" +
                        win::Narrow(*path), win::Notice::Warning);
        return false;
    }
    const SettingsImport imported = ImportSettings(bytes, size, registry);
    const bool clean = imported.refusal == ImportRefusal::None && imported.refusedWrites.empty();
    Tell(owner, ImportMessage(imported), clean ? win::Notice::Information : win::Notice::Warning);
    return imported.refusal == ImportRefusal::None;
}

}  // namespace zelora
