#pragma once
// Starts a downloaded installer with the shell's "open" verb and waits until it has ended,
// so installers never run side by side and a file is deleted only after its run.

#include <windows.h>

#include <string>

namespace zelora::updater {

enum class InstallerOutcome {
    Ended,       // started and has exited
    NotStarted,  // the shell could not start it
    Untracked,   // started, but the shell gave no process to wait for
    Cancelled,   // `cancelEvent` was set while it ran (it keeps running)
};

InstallerOutcome RunInstaller(const std::wstring& path, const std::wstring& folder,
                              HANDLE cancelEvent);

}  // namespace zelora::updater
