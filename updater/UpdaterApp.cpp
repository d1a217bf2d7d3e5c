// ZeloraUpdate: the decoder updater, started at logon. One copy at a time; its window runs
// modally and the process ends with it.

#include "platform/win/WindowDpi.h"
#include "platform/registry/Win32Registry.h"
#include "platform/win/LateImports.h"
#include "platform/win/Notices.h"
#include "platform/win/UniqueHandle.h"
#include "updater/UpdaterDialog.h"

#include <commctrl.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    zelora::win::UniqueKernelHandle mutex(::CreateMutexW(nullptr, TRUE, L"ZeloraUpdate by rukhel"));
    if (!mutex || ::GetLastError() == ERROR_ALREADY_EXISTS) return 0;  // another copy runs
    zelora::win::NameProgram(zelora::updater::kUpdaterName);

    const HRESULT ole = zelora::win::late::OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    zelora::win::DeclareDpiAwareness();
    ::InitCommonControlsEx(&controls);
    {
        zelora::Win32Registry registry;
        // Reads of the machine-wide keys never create one: the updater writes only its own
        // records, under HKEY_CURRENT_USER.
        zelora::RegistryStore store(registry, zelora::RegistryStore::ReadKeys::ExistingOnly);
        zelora::updater::UpdaterSettings settings;
        settings.site = zelora::updater::ProductUpdateSite();
        zelora::updater::UpdaterDialog dialog(store, std::move(settings));
        dialog.RunModal(nullptr);
    }
    if (SUCCEEDED(ole)) zelora::win::late::OleUninitialize();
    return 0;
}
