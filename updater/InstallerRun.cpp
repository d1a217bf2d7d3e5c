#include "updater/InstallerRun.h"

#include "platform/win/LateImports.h"
#include "platform/win/UniqueHandle.h"


namespace zelora::updater {
namespace {

std::wstring SystemFolder()
{
    wchar_t folder[MAX_PATH] = L"";
    const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(folder, length);
}

}  // namespace

InstallerOutcome RunInstaller(InstallerKind kind, const std::wstring& path, DownloadCancel& cancel)
{
    // The working folder is the system's own: a library the installer looks for there is
    // the system's, never one planted beside a download.
    const std::wstring system = SystemFolder();
    if (system.empty()) return InstallerOutcome::NotStarted;
    std::wstring file = path;
    std::wstring parameters;
    if (kind == InstallerKind::Package) {
        file = system + L"\\msiexec.exe";
        parameters = L"/i \"" + path + L"\"";  // a path never contains a quote
    }
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = system.c_str();
    info.nShow = SW_SHOWNORMAL;
    // Checked at the last moment, but not held during the start: the shell may wait for the
    // user's answer to an elevation prompt, and a cancel must never wait for that.
    if (cancel.Cancelled()) return InstallerOutcome::Cancelled;
    if (!win::late::ShellExecuteExW(&info)) return InstallerOutcome::NotStarted;
    if (!info.hProcess) return InstallerOutcome::Untracked;
    win::UniqueKernelHandle process(info.hProcess);
    const HANDLE waits[] = {process.Get(), cancel.Event()};
    const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    return woke == WAIT_OBJECT_0 ? InstallerOutcome::Ended : InstallerOutcome::Cancelled;
}

}  // namespace zelora::updater
