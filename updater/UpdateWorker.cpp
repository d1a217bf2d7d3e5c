#include "updater/UpdateWorker.h"

#include "platform/win/WideText.h"
#include "updater/AddressRules.h"
#include "updater/FileHash.h"
#include "updater/InstallerRun.h"
#include "updater/ManifestRules.h"

namespace zelora::updater {

UpdateWorker::UpdateWorker(HWND window, std::vector<CodecUpdate> rows,
                           std::shared_ptr<RunFolder> folder, DownloadOptions options)
    : m_window(window), m_rows(std::move(rows)), m_folder(std::move(folder)), m_options(std::move(options))
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

bool UpdateWorker::Ended(DWORD ms) const
{
    return !m_thread || ::WaitForSingleObject(m_thread.Get(), ms) == WAIT_OBJECT_0;
}

DWORD WINAPI UpdateWorker::ThreadProc(void* self)
{
    auto* worker = static_cast<UpdateWorker*>(self);
    RunEnd end;
    try {
        end = worker->Run();
    } catch (...) {
        // Reported as a failed row; nothing may escape a thread procedure.
    }
    worker->Post(kWorkerFinished, static_cast<WPARAM>(end.outcome), static_cast<LPARAM>(end.cause));
    return 0;
}

void UpdateWorker::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    ::PostMessageW(m_window, message, wParam, lParam);
}

namespace {

// The downloaded file, opened for reading with a share mode that refuses every writer and
// every deletion or rename, from the hash check until the installer has ended.
win::UniqueFile HoldFile(const std::wstring& path)
{
    return win::UniqueFile(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                         OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

}  // namespace

// The row's installer into `path`, within its SIZE and time bound; how the run ends when
// it did not arrive whole.
std::optional<RunEnd> UpdateWorker::Download(const CodecUpdate& update, const std::wstring& path)
{
    m_received = 0;
    m_total = 0;
    DownloadOptions options = m_options;
    options.maxBytes = update.size;
    options.exactSize = true;
    options.deadlineMs = InstallerDeadlineMs(update.size);
    const DownloadOutcome downloaded = DownloadFile(
        update.url, path, options, &m_cancel, [this](std::uint64_t received, std::uint64_t total) {
            m_received = received;
            m_total = total;
            if (!m_progressPosted.exchange(true)) Post(kWorkerProgress, 0);
        });
    if (downloaded == DownloadResult::Cancelled) return RunEnd{WorkerOutcome::Cancelled};
    if (downloaded != DownloadResult::Ok) return RunEnd{WorkerOutcome::RowFailed, downloaded.cause};
    return std::nullopt;
}

RunEnd UpdateWorker::Run()
{
    LocalNames names;
    for (std::size_t row = 0; row < m_rows.size(); ++row) {
        const CodecUpdate& update = m_rows[row];
        if (m_cancel.Cancelled()) return {WorkerOutcome::Cancelled};
        Post(kWorkerRowStarted, row);
        const std::optional<std::string> name = names.Claim(update.url);
        const std::optional<InstallerKind> kind = name ? InstallerKindOf(*name) : std::nullopt;
        // Before anything touches the disk.
        if (!kind) return {WorkerOutcome::RowFailed, FailureCause::AddressRefused};
        const std::wstring fileName = win::Wide(*name);
        const std::wstring path = m_folder->Claim(fileName);
        if (const std::optional<RunEnd> failed = Download(update, path)) return *failed;

        InstallerOutcome outcome = InstallerOutcome::NotStarted;
        {
            win::UniqueFile held = HoldFile(path);
            if (!held || Sha256OfOpenFile(held.Get()) != update.sha256) {
                // Not what the manifest pinned: never started, and gone.
                const FailureCause cause = held ? FailureCause::HashMismatch : FailureCause::FileWrite;
                held.Reset();
                m_folder->Delete(fileName);
                return {WorkerOutcome::RowFailed, cause};
            }
            Post(kWorkerRowDone, row);
            outcome = RunInstaller(*kind, path, m_cancel);
        }
        switch (outcome) {
        case InstallerOutcome::Ended:
            m_folder->Delete(fileName);
            break;
        case InstallerOutcome::NotStarted:  // nothing installed: never "finished"
            m_folder->Delete(fileName);
            return {WorkerOutcome::InstallerFailed, FailureCause::InstallerNotStarted};
        case InstallerOutcome::Untracked:
            m_folder->Release(fileName);  // may still run: never deleted under it
            break;
        case InstallerOutcome::Cancelled:
            m_folder->Release(fileName);
            return {WorkerOutcome::Cancelled};
        }
    }
    return {WorkerOutcome::AllInstalled};
}

}  // namespace zelora::updater
