// Entry point of the Win32-side tests, run under Wine.
#include "platform/win/WindowDpi.h"
#include "platform/win/Notices.h"
#include "shell/MainWindow.h"

#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

int wmain(int argc, wchar_t** argv)
{
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    zelora::win::DeclareDpiAwareness();
    ::InitCommonControlsEx(&controls);
    zelora::win::NameProgram(zelora::kProgramName);  // the boxes of the windows under test
    // The finder's browser control needs OLE, and must be gone before it is uninitialised.
    const HRESULT ole = ::OleInitialize(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    if (SUCCEEDED(ole)) ::OleUninitialize();
    return result;
}
