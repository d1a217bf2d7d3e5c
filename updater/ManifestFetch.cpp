#include "updater/ManifestFetch.h"

#include "updater/ManifestRules.h"

#include <mutex>

namespace zelora::updater {

struct ManifestFetch::State {
    HWND window = nullptr;
    std::string url;
    DownloadOptions options;
    DownloadCancel cancel;
    std::mutex mutex;
    FetchedManifest result;
};

ManifestFetch::~ManifestFetch()
{
    if (m_state) m_state->cancel.Cancel();
}

bool ManifestFetch::Start(HWND window, const std::string& manifestUrl, DownloadOptions options)
{
    auto state = std::make_shared<State>();
    state->window = window;
    state->url = manifestUrl;
    state->options = std::move(options);
    // The thread holds its own reference: the window may end before the network answers.
    auto* handOver = new std::shared_ptr<State>(state);
    const HANDLE thread = ::CreateThread(nullptr, 0, &ThreadProc, handOver, 0, nullptr);
    if (!thread) {
        delete handOver;
        return false;
    }
    ::CloseHandle(thread);
    m_state = std::move(state);
    return true;
}

FetchedManifest ManifestFetch::Take()
{
    if (!m_state) return {};
    std::lock_guard lock(m_state->mutex);
    return std::move(m_state->result);
}

DWORD WINAPI ManifestFetch::ThreadProc(void* param)
{
    const std::unique_ptr<std::shared_ptr<State>> owner(static_cast<std::shared_ptr<State>*>(param));
    State& state = **owner;
    FetchedManifest fetched;
    try {
        // One deadline for both files: the signature gets what the manifest left.
        DownloadOptions options = state.options;
        const std::uint64_t start = ::GetTickCount64();
        options.maxBytes = kMaxManifestBytes;
        DownloadOutcome outcome = DownloadBytes(state.url, fetched.manifest, options, &state.cancel);
        if (outcome == DownloadResult::Ok) {
            const std::uint64_t spent = ::GetTickCount64() - start;
            options.maxBytes = kMaxSignatureBytes;
            if (options.deadlineMs) options.deadlineMs = spent < options.deadlineMs ? options.deadlineMs - spent : 1;
            outcome = DownloadBytes(state.url + ".sig", fetched.signature, options, &state.cancel);
        }
        fetched.complete = outcome == DownloadResult::Ok;
        fetched.cause = outcome.cause;
    } catch (...) {
        fetched.complete = false;  // nothing may escape a thread procedure
    }
    if (!fetched.complete || state.cancel.Cancelled()) fetched = {false, fetched.cause, {}, {}};
    {
        std::lock_guard lock(state.mutex);
        state.result = std::move(fetched);
    }
    if (!state.cancel.Cancelled()) ::PostMessageW(state.window, kManifestFetched, 0, 0);
    return 0;
}

}  // namespace zelora::updater
