#include "updater/InstallerRun.h"

#include "platform/win/UniqueHandle.h"

#include <shellapi.h>

namespace zelora::updater {

InstallerOutcome RunInstaller(const std::wstring& path, const std::wstring& folder,
                              HANDLE cancelEvent)
{
    SHELLEXECUTEINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
    info.lpVerb = L"open";
    info.lpFile = path.c_str();
    info.lpDirectory = folder.c_str();
    info.nShow = SW_SHOWNORMAL;
    if (!::ShellExecuteExW(&info)) return InstallerOutcome::NotStarted;
    if (!info.hProcess) return InstallerOutcome::Untracked;
    win::UniqueKernelHandle process(info.hProcess);
    const HANDLE waits[] = {process.Get(), cancelEvent};
    const DWORD count = cancelEvent ? 2 : 1;
    const DWORD woke = ::WaitForMultipleObjects(count, waits, FALSE, INFINITE);
    return woke == WAIT_OBJECT_0 ? InstallerOutcome::Ended : InstallerOutcome::Cancelled;
}

}  // namespace zelora::updater
