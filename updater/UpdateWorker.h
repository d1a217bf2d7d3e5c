#pragma once
// The worker thread: downloads the offered installers one after another into the run's
// folder, each within its SIZE and time bound, opens it so that nobody can write, replace
// or delete it, checks the bytes of that handle against the manifest's hash, starts it
// (still held) and waits until it has ended, then deletes it. It never touches the window: it posts messages, and the window's thread
// draws, shows, sets timers and asks.

#include "platform/win/UniqueHandle.h"
#include "updater/FailureCause.h"
#include "updater/HttpDownload.h"
#include "updater/RunFolder.h"
#include "updater/UpdateDecisions.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace zelora::updater {

// Posted to the window. wParam: the row index (row messages) or a WorkerOutcome, with the
// FailureCause in lParam.
inline constexpr UINT kWorkerRowStarted = WM_APP + 1;
inline constexpr UINT kWorkerProgress = WM_APP + 2;  // read Received()/Total()
inline constexpr UINT kWorkerRowDone = WM_APP + 3;
inline constexpr UINT kWorkerFinished = WM_APP + 4;

class UpdateWorker {
public:
    UpdateWorker(HWND window, std::vector<CodecUpdate> rows, std::shared_ptr<RunFolder> folder,
                 DownloadOptions options);
    ~UpdateWorker();  // cancels and waits
    UpdateWorker(const UpdateWorker&) = delete;
    UpdateWorker& operator=(const UpdateWorker&) = delete;

    bool Start();
    // Stops the current download (its partial file is deleted) and starts nothing more.
    void Cancel() { m_cancel.Cancel(); }
    void Join();
    // Waits at most `ms` for the thread to end; true when it has.
    bool Ended(DWORD ms) const;

    // Progress of the current download; the window reads these on kWorkerProgress.
    std::uint64_t Received() const { return m_received.load(); }
    std::uint64_t Total() const { return m_total.load(); }
    void ProgressShown() { m_progressPosted.store(false); }

private:
    static DWORD WINAPI ThreadProc(void* self);
    RunEnd Run();
    std::optional<RunEnd> Download(const CodecUpdate& update, const std::wstring& path);
    void Post(UINT message, WPARAM wParam, LPARAM lParam = 0) const;

    HWND m_window;
    std::vector<CodecUpdate> m_rows;
    std::shared_ptr<RunFolder> m_folder;
    DownloadOptions m_options;
    DownloadCancel m_cancel;
    win::UniqueKernelHandle m_thread;
    std::atomic<std::uint64_t> m_received{0};
    std::atomic<std::uint64_t> m_total{0};
    // At most one progress message waits in the queue; the window reads the latest values.
    std::atomic<bool> m_progressPosted{false};
};

}  // namespace zelora::updater
