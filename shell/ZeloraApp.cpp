// Zelora's application object: runs the main window modally; the process ends with it.

#include "platform/registry/Win32Registry.h"
#include "platform/win/Notices.h"
#include "platform/win/WindowDpi.h"
#include "shell/MainWindow.h"
#include "shell/SingleInstance.h"

#include <commctrl.h>

#include <optional>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    // A second copy ends silently, before it has made any window.
    const zelora::SingleInstance instance;
    if (instance.AlreadyRunning()) return 0;
    zelora::win::NameProgram(zelora::kProgramName);

    // The pages use the common controls; the finder starts OLE for its browser itself.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    zelora::win::DeclareDpiAwareness();
    ::InitCommonControlsEx(&controls);

    {
        // The program's registry backend: every window and page reads and writes it. The
        // 64-bit view exists on 64-bit Windows only; it holds nothing of ours, just what
        // 64-bit players read their preferred decoders from (the preferred-decoder page).
        zelora::Win32Registry registry;
        std::optional<zelora::Win32Registry> registry64;
        if (zelora::Win32Registry::HasView(zelora::RegistryView::Bits64))
            registry64.emplace(zelora::RegistryView::Bits64);
        zelora::MainWindow window(registry, registry64 ? &*registry64 : nullptr);
        window.RunModal(nullptr);
    }
    return 0;
}
