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

// Fetches `url`, following redirects by the rules, and hands the body to `sink` chunk by
// chunk. Ok only for a whole 200 answer within the options' bounds.
DownloadResult Transfer(const std::string& url, const DownloadOptions& options,
                        DownloadCancel* cancel, const ChunkSink& sink,
                        const DownloadProgress& progress)
{
    const auto outcome = [cancel](bool ok) {
        if (cancel && cancel->Cancelled()) return DownloadResult::Cancelled;
        return ok ? DownloadResult::Ok : DownloadResult::Failed;
    };
    const std::uint64_t start = ::GetTickCount64();
    // What is left of the deadline, as a timeout for the next blocking call (never 0,
    // which the internet layer takes as "no timeout").
    const auto remaining = [&](DWORD limit) -> DWORD {
        if (options.deadlineMs == 0) return limit;
        const std::uint64_t spent = ::GetTickCount64() - start;
        if (spent >= options.deadlineMs) return 0;
        return static_cast<DWORD>(std::min<std::uint64_t>(limit, options.deadlineMs - spent));
    };

    UniqueInternet session(::InternetOpenW(
        L"ZeloraUpdate/1.0", options.proxy.empty() ? INTERNET_OPEN_TYPE_PRECONFIG : INTERNET_OPEN_TYPE_PROXY,
        options.proxy.empty() ? nullptr : options.proxy.c_str(), nullptr, 0));
    if (!session) return outcome(false);

    std::string current = url;
    for (int hop = 0;; ++hop) {
        UrlParts parts;
        if (!IsDownloadAddress(current) || !CrackUrl(win::Wide(current), parts)) return outcome(false);
        UniqueInternet connection(::InternetConnectW(session.Get(), parts.host.c_str(), parts.port,
                                                     nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
        if (!connection) return outcome(false);
        const DWORD flags = kRequestFlags | (parts.secure ? INTERNET_FLAG_SECURE : 0);
        BoundRequest request(::HttpOpenRequestW(connection.Get(), L"GET", parts.object.c_str(),
                                                nullptr, nullptr, nullptr, flags, 0),
                             cancel);
        if (!request) return outcome(false);
        // Set on the request itself: that is where every implementation takes them from.
        DWORD connectMs = remaining(options.connectMs);
        DWORD receiveMs = remaining(options.receiveMs);
        if (connectMs == 0 || receiveMs == 0) return outcome(false);
        ::InternetSetOptionW(request.Get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectMs, sizeof connectMs);
        ::InternetSetOptionW(request.Get(), INTERNET_OPTION_SEND_TIMEOUT, &receiveMs, sizeof receiveMs);
        ::InternetSetOptionW(request.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);

        if (!::HttpSendRequestW(request.Get(), nullptr, 0, nullptr, 0)) return outcome(false);
        const DWORD status = StatusCode(request.Get());
        if (IsRedirect(status)) {
            if (hop == kMaxRedirects) return outcome(false);
            const std::optional<std::string> next = RedirectTarget(current, Location(request.Get()));
            if (!next) return outcome(false);
            current = *next;
            continue;
        }
        if (status != HTTP_STATUS_OK) return outcome(false);
        std::uint64_t total = 0;
        const bool announced = ContentLength(request.Get(), total);
        if (announced && (total > options.maxBytes || (options.exactSize && total != options.maxBytes)))
            return outcome(false);

        std::vector<unsigned char> buffer(kReadChunk);
        std::uint64_t received = 0;
        if (progress) progress(0, announced ? total : 0);
        for (;;) {
            if (cancel && cancel->Cancelled()) return DownloadResult::Cancelled;
            // A trickle of bytes never outlasts the deadline: each wait gets only what is left.
            receiveMs = remaining(options.receiveMs);
            if (receiveMs == 0) return outcome(false);
            ::InternetSetOptionW(request.Get(), INTERNET_OPTION_RECEIVE_TIMEOUT, &receiveMs, sizeof receiveMs);
            // Asking what is there first keeps a read from waiting for a full buffer.
            DWORD available = 0;
            if (!::InternetQueryDataAvailable(request.Get(), &available, 0, 0)) return outcome(false);
            if (available == 0) break;  // the end, whole or cut short: the count tells
            DWORD read = 0;
            if (!::InternetReadFile(request.Get(), buffer.data(), std::min(available, kReadChunk), &read))
                return outcome(false);
            if (read == 0) break;
            received += read;
            if (received > options.maxBytes || (announced && received > total)) return outcome(false);
            if (!sink(buffer.data(), read)) return outcome(false);
            if (progress) progress(received, announced ? total : 0);
        }
        if (announced && received != total) return outcome(false);
        if (options.exactSize && received != options.maxBytes) return outcome(false);
        return DownloadResult::Ok;
    }
}

}  // namespace

DownloadResult DownloadFile(const std::string& url, const std::wstring& destination,
                            const DownloadOptions& options, DownloadCancel* cancel,
                            const DownloadProgress& progress)
{
    if (!IsDownloadAddress(url)) return DownloadResult::Failed;
    PartFile part(destination + L".part", cancel);
    if (!part.IsOpen()) return cancel && cancel->Cancelled() ? DownloadResult::Cancelled : DownloadResult::Failed;
    const DownloadResult result = Transfer(
        url, options, cancel,
        [&part](const unsigned char* data, DWORD size) { return part.Write(data, size); }, progress);
    if (result != DownloadResult::Ok) return result;
    return part.CommitAs(destination) ? DownloadResult::Ok : DownloadResult::Failed;
}

DownloadResult DownloadBytes(const std::string& url, std::string& bytes,
                             const DownloadOptions& options, DownloadCancel* cancel)
{
    bytes.clear();
    const DownloadResult result = Transfer(
        url, options, cancel,
        [&bytes](const unsigned char* data, DWORD size) {
            bytes.append(reinterpret_cast<const char*>(data), size);
            return true;
        },
        {});
    if (result != DownloadResult::Ok) bytes.clear();
    return result;
}

}  // namespace zelora::updater
