// ZeloraUpdate: the decoder updater. Its window runs modally; the process ends with it.

#include "platform/win/Dialog.h"

#include <commctrl.h>

namespace {

constexpr int kUpdaterDialog = 102;

class UpdaterDialog final : public zelora::win::Dialog {
public:
    UpdaterDialog() : Dialog(kUpdaterDialog) {}
};

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&controls);
    UpdaterDialog dialog;
    dialog.RunModal(nullptr);
    return 0;
}
