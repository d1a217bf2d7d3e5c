#include "updater/HttpDownload.h"

#include "platform/win/WideText.h"
#include "updater/AddressRules.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace zelora::updater {
namespace {

void CloseInternet(HINTERNET handle) { ::InternetCloseHandle(handle); }
using UniqueInternet = win::UniqueHandle<HINTERNET, CloseInternet>;

constexpr DWORD kRequestFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                                INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_KEEP_CONNECTION |
                                INTERNET_FLAG_NO_AUTO_REDIRECT;
constexpr DWORD kReadChunk = 64 * 1024;

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = 0;
    std::wstring object;  // path and query
    bool secure = false;
};

bool CrackUrl(const std::wstring& url, UrlParts& parts)
{
    URL_COMPONENTSW components{};
    components.dwStructSize = sizeof components;
    components.dwHostNameLength = 1;
    components.dwUrlPathLength = 1;
    components.dwExtraInfoLength = 1;
    if (!::InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &components))
        return false;
    if (components.nScheme != INTERNET_SCHEME_HTTP && components.nScheme != INTERNET_SCHEME_HTTPS)
        return false;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    parts.port = components.nPort;
    parts.object.assign(components.lpszUrlPath, components.dwUrlPathLength);
    // The fragment is never sent.
    std::wstring extra(components.lpszExtraInfo ? components.lpszExtraInfo : L"",
                       components.dwExtraInfoLength);
    parts.object += extra.substr(0, extra.find(L'#'));
    if (parts.object.empty()) parts.object = L"/";
    parts.secure = components.nScheme == INTERNET_SCHEME_HTTPS;
    return !parts.host.empty();
}

DWORD StatusCode(HINTERNET request)
{
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                          &size, nullptr))
        return 0;
    return status;
}

// The announced length, read as text so sizes past 4 GB are exact. Nothing when absent.
bool ContentLength(HINTERNET request, std::uint64_t& length)
{
    wchar_t text[32] = L"";
    DWORD size = sizeof text;
    if (!::HttpQueryInfoW(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr)) return false;
    length = 0;
    const wchar_t* p = text;
    if (!*p) return false;
    for (; *p; ++p) {
        if (*p < L'0' || *p > L'9' || length > (UINT64_MAX - 9) / 10) return false;
        length = length * 10 + static_cast<unsigned>(*p - L'0');
    }
    return true;
}

}  // namespace

// The file being written, deleted unless committed, and at once by a cancel from another
// thread (which then closes it under the lock every write takes).
class PartFile {
public:
    PartFile(std::wstring path, DownloadCancel* cancel) : m_path(std::move(path)), m_cancel(cancel)
    {
        m_file.Reset(::CreateFileW(m_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file && m_cancel && !m_cancel->BindFile(this)) Abandon();
    }
    ~PartFile()
    {
        if (m_cancel) m_cancel->UnbindFile();
        std::lock_guard lock(m_mutex);
        m_file.Reset();
        if (!m_committed) ::DeleteFileW(m_path.c_str());
    }
    PartFile(const PartFile&) = delete;
    PartFile& operator=(const PartFile&) = delete;

    bool IsOpen() const { return static_cast<bool>(m_file); }
    bool Write(const void* data, DWORD size)
    {
        std::lock_guard lock(m_mutex);
        DWORD written = 0;
        return m_file && ::WriteFile(m_file.Get(), data, size, &written, nullptr) && written == size;
    }
    bool CommitAs(const std::wstring& destination)
    {
        std::lock_guard lock(m_mutex);
        if (!m_file || !::FlushFileBuffers(m_file.Get())) return false;
        m_file.Reset();
        m_committed = ::MoveFileExW(m_path.c_str(), destination.c_str(),
                                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
        return m_committed;
    }
    // Closed and gone; every later write fails.
    void Abandon()
    {
        std::lock_guard lock(m_mutex);
        if (!m_file) return;
        m_file.Reset();
        ::DeleteFileW(m_path.c_str());
    }

private:
    std::wstring m_path;
    DownloadCancel* m_cancel;
    std::mutex m_mutex;
    win::UniqueFile m_file;
    bool m_committed = false;
};

DownloadCancel::DownloadCancel() : m_event(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

void DownloadCancel::Cancel()
{
    std::lock_guard lock(m_mutex);
    m_cancelled = true;
    ::SetEvent(m_event.Get());
    if (m_file) m_file->Abandon();
    if (m_bound) ::InternetCloseHandle(std::exchange(m_bound, nullptr));
}

bool DownloadCancel::BindFile(PartFile* file)
{
    std::lock_guard lock(m_mutex);
    if (m_cancelled) return false;
    m_file = file;
    return true;
}

void DownloadCancel::UnbindFile()
{
    std::lock_guard lock(m_mutex);
    m_file = nullptr;
}

bool DownloadCancel::Cancelled() const
{
    std::lock_guard lock(m_mutex);
    return m_cancelled;
}

bool DownloadCancel::Bind(HINTERNET request)
{
    std::lock_guard lock(m_mutex);
    if (m_cancelled) return false;
    m_bound = request;
    return true;
}

bool DownloadCancel::Unbind()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_bound, nullptr) != nullptr;
}

// The request handle, closed by whichever side gets to it first: the download when it
// ends, or a Cancel from another thread.
class BoundRequest {
public:
    BoundRequest(HINTERNET request, DownloadCancel* cancel) : m_request(request), m_cancel(cancel)
    {
        m_live = request && (!cancel || cancel->Bind(request));
        if (request && !m_live) ::InternetCloseHandle(request);
    }
    ~BoundRequest()
    {
        if (m_live && (!m_cancel || m_cancel->Unbind())) ::InternetCloseHandle(m_request);
    }
    BoundRequest(const BoundRequest&) = delete;
    BoundRequest& operator=(const BoundRequest&) = delete;

    explicit operator bool() const { return m_live; }
    HINTERNET Get() const { return m_request; }

private:
    HINTERNET m_request;
    DownloadCancel* m_cancel;
    bool m_live = false;
};

namespace {

bool IsRedirect(DWORD status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

std::string Location(HINTERNET request)
{
    std::vector<wchar_t> text(2048);
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (!::HttpQueryInfoW(request, HTTP_QUERY_LOCATION, text.data(), &size, nullptr)) return {};
    return win::Narrow(std::wstring(text.data(), size / sizeof(wchar_t)));
}

using ChunkSink = std::function<bool(const unsigned char* data, DWORD size)>;

// A failed send, wait or read of the internet layer: its timeout, or a lost connection.
FailureCause WaitFailure()
{
    return ::GetLastError() == ERROR_INTERNET_TIMEOUT ? FailureCause::Stalled : FailureCause::NoConnection;
}

// Fetches a URL, following redirects by the rules, and hands the body to its sink chunk by
// chunk. Ok only for a whole 200 answer within the options' bounds.
class Transfer {
public:
    Transfer(const DownloadOptions& options, DownloadCancel* cancel, ChunkSink sink, DownloadProgress progress)
        : m_options(options), m_cancel(cancel), m_sink(std::move(sink)), m_progress(std::move(progress)), m_start(::GetTickCount64())
    {
    }

    DownloadOutcome Run(const std::string& url)
    {
        UniqueInternet session(::InternetOpenW(
            L"ZeloraUpdate/1.0", m_options.proxy.empty() ? INTERNET_OPEN_TYPE_PRECONFIG : INTERNET_OPEN_TYPE_PROXY,
            m_options.proxy.empty() ? nullptr : m_options.proxy.c_str(), nullptr, 0));
        if (!session) return Fail(FailureCause::NoConnection);
        std::string current = url;
        for (int hop = 0;; ++hop) {
            if (!IsDownloadAddress(current))
                return Fail(hop == 0 ? FailureCause::AddressRefused : FailureCause::RedirectRefused);
            UrlParts parts;
            if (!CrackUrl(win::Wide(current), parts)) return Fail(FailureCause::AddressRefused);
            UniqueInternet connection(::InternetConnectW(session.Get(), parts.host.c_str(), parts.port,
                                                         nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
            if (!connection) return Fail(FailureCause::NoConnection);
            const DWORD flags = kRequestFlags | (parts.secure ? INTERNET_FLAG_SECURE : 0);
            BoundRequest request(::HttpOpenRequestW(connection.Get(), L"GET", parts.object.c_str(), nullptr,
                                                    nullptr, nullptr, flags, 0),
                                 m_cancel);
            if (!request) return Fail(FailureCause::NoConnection);
            if (const FailureCause sent = Send(request.Get()); sent != FailureCause::None) return Fail(sent);
            const DWORD status = StatusCode(request.Get());
            if (!IsRedirect(status)) return status == HTTP_STATUS_OK ? Receive(request.Get()) : Fail(FailureCause::HttpStatus);
            if (hop == kMaxRedirects) return Fail(FailureCause::TooManyRedirects);
            const std::optional<std::string> next = RedirectTarget(current, Location(request.Get()));
            if (!next) return Fail(FailureCause::RedirectRefused);
            current = *next;
        }
    }

private:
    DownloadOutcome Fail(FailureCause cause) const
    {
        if (m_cancel && m_cancel->Cancelled()) return {DownloadResult::Cancelled, FailureCause::None};
        return {DownloadResult::Failed, cause};
    }

    // What is left of the deadline, as a timeout for the next blocking call (never 0,
    // which the internet layer takes as "no timeout").
    DWORD Remaining(DWORD limit) const
    {
        if (m_options.deadlineMs == 0) return limit;
        const std::uint64_t spent = ::GetTickCount64() - m_start;
        if (spent >= m_options.deadlineMs) return 0;
        return static_cast<DWORD>(std::min<std::uint64_t>(limit, m_options.deadlineMs - spent));
    }

    // The timeouts, set on the request itself (that is where every implementation takes
    // them from), then the request.
    FailureCause Send(HINTERNET request) const
    {
        DWORD connectMs = Remaining(m_options.connectMs);
        DWORD receiveMs = Remaining(m_options.receiveMs);
        if (connectMs == 0 || receiveMs == 0) return FailureCause::Deadline;
        ::InternetSetOptionW(request, INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
        ::InternetSetOptionW(request, INTERNET_OPTION_SEND_TIMEOUT, &receiveMs, sizeof receiveMs);
        ::InternetSetOptionW(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
        if (::HttpSendRequestW(request, nullptr, 0, nullptr, 0)) return FailureCause::None;
        return WaitFailure();
    }

    // The body of a 200 answer, within the announced and allowed sizes.
    DownloadOutcome Receive(HINTERNET request) const
    {
        std::uint64_t total = 0;
        const bool announced = ContentLength(request, total);
        if (announced && total > m_options.maxBytes) return Fail(FailureCause::Oversize);
        if (announced && m_options.exactSize && total != m_options.maxBytes) return Fail(FailureCause::WrongSize);
        std::vector<unsigned char> buffer(kReadChunk);
        std::uint64_t received = 0;
        if (m_progress) m_progress(0, announced ? total : 0);
        for (;;) {
            if (m_cancel && m_cancel->Cancelled()) return {DownloadResult::Cancelled, FailureCause::None};
            // A trickle of bytes never outlasts the deadline: each wait gets only what is left.
            DWORD receiveMs = Remaining(m_options.receiveMs);
            if (receiveMs == 0) return Fail(FailureCause::Deadline);
            ::InternetSetOptionW(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
            // Asking what is there first keeps a read from waiting for a full buffer.
            DWORD available = 0;
            if (!::InternetQueryDataAvailable(request, &available, 0, 0)) return Fail(WaitFailure());
            if (available == 0) break;  // the end, whole or cut short: the count tells
            DWORD read = 0;
            if (!::InternetReadFile(request, buffer.data(), std::min(available, kReadChunk), &read))
                return Fail(WaitFailure());
            if (read == 0) break;
            received += read;
            if (received > m_options.maxBytes || (announced && received > total)) return Fail(FailureCause::Oversize);
            if (!m_sink(buffer.data(), read)) return Fail(FailureCause::FileWrite);
            if (m_progress) m_progress(received, announced ? total : 0);
        }
        if (announced && received != total) return Fail(FailureCause::WrongSize);
        if (m_options.exactSize && received != m_options.maxBytes) return Fail(FailureCause::WrongSize);
        return {DownloadResult::Ok, FailureCause::None};
    }

    const DownloadOptions& m_options;
    DownloadCancel* m_cancel;
    ChunkSink m_sink;
    DownloadProgress m_progress;
    const std::uint64_t m_start;
};

}  // namespace

DownloadOutcome DownloadFile(const std::string& url, const std::wstring& destination,
                             const DownloadOptions& options, DownloadCancel* cancel,
                             const DownloadProgress& progress)
{
    if (!IsDownloadAddress(url)) return {DownloadResult::Failed, FailureCause::AddressRefused};
    PartFile part(destination + L".part", cancel);
    if (!part.IsOpen()) {
        if (cancel && cancel->Cancelled()) return {DownloadResult::Cancelled, FailureCause::None};
        return {DownloadResult::Failed, FailureCause::FileWrite};
    }
    const ChunkSink write = [&part](const unsigned char* data, DWORD size) { return part.Write(data, size); };
    const DownloadOutcome outcome = Transfer(options, cancel, write, progress).Run(url);
    if (outcome != DownloadResult::Ok) return outcome;
    if (part.CommitAs(destination)) return outcome;
    return {DownloadResult::Failed, FailureCause::FileCommit};
}

DownloadOutcome DownloadBytes(const std::string& url, std::string& bytes,
                              const DownloadOptions& options, DownloadCancel* cancel)
{
    bytes.clear();
    const ChunkSink append = [&bytes](const unsigned char* data, DWORD size) {
        bytes.append(reinterpret_cast<const char*>(data), size);
        return true;
    };
    const DownloadOutcome outcome = Transfer(options, cancel, append, {}).Run(url);
    if (outcome != DownloadResult::Ok) bytes.clear();
    return outcome;
}

}  // namespace zelora::updater
