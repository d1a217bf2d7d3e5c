// Zelora's application object: runs the main window modally; the process ends with it.

#include "platform/registry/Win32Registry.h"
#include "platform/win/Notices.h"
#include "platform/win/WindowDpi.h"
#include "preferred/PreferredRestoreOffer.h"
#include "shell/MainWindow.h"
#include "shell/SingleInstance.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string_view>

namespace {

// Whether the command line holds `option` as one of its blank-separated words, in any case.
bool HasSwitch(std::wstring_view line, std::wstring_view option)
{
    while (!line.empty()) {
        const std::size_t start = line.find_first_not_of(L" \t");
        if (start == std::wstring_view::npos) return false;
        line.remove_prefix(start);
        const std::wstring_view word = line.substr(0, line.find_first_of(L" \t"));
        line.remove_prefix(word.size());
        if (word.size() == option.size() &&
            std::equal(word.begin(), word.end(), option.begin(),
                       [](wchar_t a, wchar_t b) { return std::towlower(a) == std::towlower(b); }))
            return true;
    }
    return false;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    // A second copy ends silently, before it has made any window.
    const zelora::SingleInstance instance;
    if (instance.AlreadyRunning()) return 0;
    zelora::win::NameProgram(zelora::kProgramName);

    // The program's registry backend: every window and page reads and writes it. The 64-bit
    // view exists on 64-bit Windows only; it holds nothing of ours, just what 64-bit players
    // read their preferred decoders from (the preferred-decoder page).
    zelora::Win32Registry registry;
    std::optional<zelora::Win32Registry> registry64;
    if (zelora::Win32Registry::HasView(zelora::RegistryView::Bits64))
        registry64.emplace(zelora::RegistryView::Bits64);
    const std::wstring_view line = commandLine ? commandLine : L"";
    // The uninstaller's question, and no window.
    if (HasSwitch(line, zelora::kRestorePreferredSwitch))
        return zelora::OfferPreferredRestore(
            {&registry, registry64 ? &*registry64 : nullptr},
            HasSwitch(line, zelora::kQuietSwitch) ? zelora::RestoreOffer::Quiet : zelora::RestoreOffer::Ask);

    // The pages use the common controls; the finder starts OLE for its browser itself.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    zelora::win::DeclareDpiAwareness();
    ::InitCommonControlsEx(&controls);
    zelora::MainWindow window(registry, registry64 ? &*registry64 : nullptr);
    window.RunModal(nullptr);
    return 0;
}
