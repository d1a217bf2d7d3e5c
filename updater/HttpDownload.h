#pragma once
// One HTTP download through the system's internet layer. Only a whole answer counts: status
// 200, exactly as many bytes as Content-Length announced, within the byte and time bounds
// asked for. Redirects are followed here, not by the layer: at most five, http or https
// only, never from https to http. Nothing comes from or goes to the cache.

#include "platform/win/UniqueHandle.h"
#include "updater/FailureCause.h"

#include <wininet.h>

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>

namespace zelora::updater {

enum class DownloadResult { Ok, Failed, Cancelled };

// A download's result and, when it failed, why.
struct DownloadOutcome {
    DownloadResult result = DownloadResult::Failed;
    FailureCause cause = FailureCause::None;
    bool operator==(DownloadResult other) const { return result == other; }
    bool operator!=(DownloadResult other) const { return result != other; }
};

struct DownloadOptions {
    DWORD connectMs = 20000;
    DWORD receiveMs = 20000;  // silence that ends a transfer
    std::wstring proxy;       // "host:port"; empty: the system's configuration
    std::uint64_t deadlineMs = 0;         // the whole transfer, redirects included; 0: none
    std::uint64_t maxBytes = UINT64_MAX;  // a longer answer fails as soon as it is seen
    bool exactSize = false;               // the answer must be exactly maxBytes long
};

class PartFile;

// Stops a download from another thread. Closing the request handle wakes a blocked call
// on Windows; where it does not (Wine), the receive timeout ends the wait. The file being
// written is closed and deleted at once, whether or not the blocked call wakes: a cancel
// never leaves a ".part" behind, even when the process ends before the download notices.
class DownloadCancel {
public:
    DownloadCancel();
    void Cancel();
    bool Cancelled() const;
    HANDLE Event() const { return m_event.Get(); }  // signalled once cancelled

private:
    friend class BoundRequest;
    friend class PartFile;
    bool Bind(HINTERNET request);
    bool Unbind();  // true when the handle was not closed by Cancel
    bool BindFile(PartFile* file);  // false once cancelled
    void UnbindFile();

    mutable std::mutex m_mutex;
    bool m_cancelled = false;
    HINTERNET m_bound = nullptr;
    PartFile* m_file = nullptr;
    win::UniqueKernelHandle m_event;
};

// Received bytes so far and the announced total (0: not announced).
using DownloadProgress = std::function<void(std::uint64_t received, std::uint64_t total)>;

// Into "<destination>.part", flushed, then renamed to `destination`.
DownloadOutcome DownloadFile(const std::string& url, const std::wstring& destination,
                             const DownloadOptions& options, DownloadCancel* cancel = nullptr,
                             const DownloadProgress& progress = {});

// Into memory (small files: the manifest and its signature).
DownloadOutcome DownloadBytes(const std::string& url, std::string& bytes,
                              const DownloadOptions& options, DownloadCancel* cancel = nullptr);

}  // namespace zelora::updater
