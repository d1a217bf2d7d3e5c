// Entry point of the updater's Win32-side tests, run under Wine.
#include "platform/win/WindowDpi.h"
#include "platform/win/Notices.h"
#include "updater/UpdaterDialog.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_PROGRESS_CLASS};
    zelora::win::DeclareDpiAwareness();
    ::InitCommonControlsEx(&controls);
    zelora::win::NameProgram(zelora::updater::kUpdaterName);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
