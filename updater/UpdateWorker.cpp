#include "updater/UpdateWorker.h"

#include "platform/win/WideText.h"
#include "updater/AddressRules.h"
#include "updater/FileHash.h"
#include "updater/InstallerRun.h"

namespace zelora::updater {

UpdateWorker::UpdateWorker(HWND window, std::vector<CodecUpdate> rows, RunFolder& folder,
                           DownloadOptions options)
    : m_window(window), m_rows(std::move(rows)), m_folder(folder), m_options(std::move(options))
{
}

UpdateWorker::~UpdateWorker()
{
    Cancel();
    Join();
}

bool UpdateWorker::Start()
{
    m_thread.Reset(::CreateThread(nullptr, 0, &ThreadProc, this, 0, nullptr));
    return static_cast<bool>(m_thread);
}

void UpdateWorker::Join()
{
    if (m_thread) ::WaitForSingleObject(m_thread.Get(), INFINITE);
    m_thread.Reset();
}

DWORD WINAPI UpdateWorker::ThreadProc(void* self)
{
    auto* worker = static_cast<UpdateWorker*>(self);
    WorkerOutcome outcome = WorkerOutcome::RowFailed;
    try {
        outcome = worker->Run();
    } catch (...) {
        // Reported as a failed row; nothing may escape a thread procedure.
    }
    worker->Post(kWorkerFinished, static_cast<WPARAM>(outcome));
    return 0;
}

void UpdateWorker::Post(UINT message, WPARAM wParam) const
{
    ::PostMessageW(m_window, message, wParam, 0);
}

WorkerOutcome UpdateWorker::Run()
{
    LocalNames names;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        if (m_cancel.Cancelled()) return WorkerOutcome::Cancelled;
        Post(kWorkerRowStarted, row);
        const std::optional<std::string> name = names.Claim(m_rows[row].url);
        if (!name) return WorkerOutcome::RowFailed;  // before anything touches the disk
        const std::wstring fileName = win::Wide(*name);
        const std::wstring path = m_folder.Claim(fileName);

        m_received = 0;
        m_total = 0;
        const DownloadResult result = DownloadFile(
            m_rows[row].url, path, m_options, &m_cancel,
            [this](std::uint64_t received, std::uint64_t total) {
                m_received = received;
                m_total = total;
                if (!m_progressPosted.exchange(true)) Post(kWorkerProgress, 0);
            });
        if (result == DownloadResult::Cancelled) return WorkerOutcome::Cancelled;
        if (result != DownloadResult::Ok) return WorkerOutcome::RowFailed;

        if (!m_rows[row].sha256.empty() && Sha256OfFile(path) != m_rows[row].sha256) {
            m_folder.Delete(fileName);
            return WorkerOutcome::RowFailed;
        }
        Post(kWorkerRowDone, row);
        if (m_cancel.Cancelled()) return WorkerOutcome::Cancelled;

        switch (RunInstaller(path, m_folder.Path(), m_cancel.Event())) {
        case InstallerOutcome::Ended:
        case InstallerOutcome::NotStarted:  // as before: a failed start is not reported
            m_folder.Delete(fileName);
            break;
        case InstallerOutcome::Untracked:
            m_folder.Release(fileName);  // may still run: never deleted under it
            break;
        case InstallerOutcome::Cancelled:
            m_folder.Release(fileName);
            return WorkerOutcome::Cancelled;
        }
    }
    return WorkerOutcome::AllInstalled;
}

}  // namespace zelora::updater
