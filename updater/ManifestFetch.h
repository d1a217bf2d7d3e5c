#pragma once
// Fetches the manifest and its signature on a thread of their own, so the window never
// waits on the network: it answers its cancel and a close at every moment. The result is
// posted to the window; a fetch that is abandoned (the window ended) finishes or fails on
// its own and is freed by its thread.

#include "updater/HttpDownload.h"

#include <memory>
#include <string>

namespace zelora::updater {

// Posted to the window when the fetch has ended; then call Take.
inline constexpr UINT kManifestFetched = WM_APP + 10;

struct FetchedManifest {
    bool complete = false;  // both files arrived whole and within their bounds
    FailureCause cause = FailureCause::None;  // why not
    std::string manifest;
    std::string signature;
};

class ManifestFetch {
public:
    ManifestFetch() = default;
    ~ManifestFetch();  // cancels; never waits
    ManifestFetch(const ManifestFetch&) = delete;
    ManifestFetch& operator=(const ManifestFetch&) = delete;

    // Both files, within kManifestDeadlineMs together; false when no thread could start.
    bool Start(HWND window, const std::string& manifestUrl, DownloadOptions options);
    FetchedManifest Take();

private:
    struct State;
    static DWORD WINAPI ThreadProc(void* state);

    std::shared_ptr<State> m_state;
};

}  // namespace zelora::updater
