#pragma once
// Starts a downloaded installer and waits until it has ended, so installers never run side
// by side and a file is deleted only after its run. An installer program is started by its
// path; a package through the system's own msiexec.exe, by its full path. The shell starts
// both, so an installer that asks for elevation gets the system's prompt. Either runs in
// the system folder.

#include "updater/AddressRules.h"
#include "updater/HttpDownload.h"

#include <windows.h>

#include <string>

namespace zelora::updater {

enum class InstallerOutcome {
    Ended,       // started and has exited
    NotStarted,  // the shell could not start it
    Untracked,   // started, but the shell gave no process to wait for
    Cancelled,   // cancelled before the start, or while it ran (it keeps running)
};

// Nothing is started once `cancel` has been cancelled.
InstallerOutcome RunInstaller(InstallerKind kind, const std::wstring& path, DownloadCancel& cancel);

}  // namespace zelora::updater
