// WinHTTP requests, one at a time per session.
#include "net/win32_http.h"

#include <optional>
#include <utility>
#include <vector>

#include "net/url.h"

namespace vondrel::net {

namespace {

std::string ErrorText(DWORD error) {
    switch (error) {
        case ERROR_WINHTTP_TIMEOUT:
        case WSAETIMEDOUT:  // what Wine reports
            return "timeout";
        case ERROR_WINHTTP_CANNOT_CONNECT:
            return "cannot connect";
        case ERROR_WINHTTP_NAME_NOT_RESOLVED:
            return "name not resolved";
        case ERROR_WINHTTP_OPERATION_CANCELLED:
            return "cancelled";
        case ERROR_WINHTTP_INVALID_URL:
        case ERROR_WINHTTP_UNRECOGNIZED_SCHEME:
            return "invalid URL";
        default:
            return "error " + std::to_string(error);
    }
}

HttpReply Failure(std::string detail) {
    HttpReply reply;
    reply.detail = std::move(detail);
    return reply;
}

constexpr int kMaxRedirects = 3;

// A header's or URL's text when it is ASCII, else "".
std::string Ascii(const std::wstring& text) {
    for (wchar_t c : text) {
        if (c <= 0 || c >= 0x80) return {};
    }
    return std::string(text.begin(), text.end());
}

bool IsRedirect(DWORD status) { return status == 301 || status == 302 || status == 303 || status == 307 || status == 308; }

bool IsLoopback(const std::wstring& host) {
    return host == L"localhost" || host.compare(0, 4, L"127.") == 0 || host == L"[::1]" || host == L"::1";
}

}  // namespace

void RequestSlot::Begin(std::uint64_t nowMs) {
    std::lock_guard<std::mutex> lock(mutex);
    began = nowMs;
    expired = false;
}

bool RequestSlot::Put(HINTERNET handle) {
    InternetHandle given(handle);
    std::lock_guard<std::mutex> lock(mutex);
    if (cancelled || expired) return false;
    request = std::move(given);
    return true;
}

InternetHandle RequestSlot::Take() {
    std::lock_guard<std::mutex> lock(mutex);
    return std::move(request);
}

void RequestSlot::Finish() {
    std::lock_guard<std::mutex> lock(mutex);
    began = 0;
}

void RequestSlot::Cancel() {
    std::lock_guard<std::mutex> lock(mutex);
    cancelled = true;
    request.Reset();
}

void RequestSlot::Expire(std::uint64_t nowMs, std::uint64_t limitMs) {
    std::lock_guard<std::mutex> lock(mutex);
    if (began == 0 || expired || nowMs - began < limitMs) return;
    expired = true;
    request.Reset();
}

bool RequestSlot::Expired() const {
    std::lock_guard<std::mutex> lock(mutex);
    return expired;
}

std::uint64_t RequestSlot::BusySince() const {
    std::lock_guard<std::mutex> lock(mutex);
    return began;
}

HttpSession::HttpSession(const std::wstring& userAgent, DWORD timeoutMs)
    : session(WinHttpOpen(userAgent.c_str(), WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                          WINHTTP_NO_PROXY_BYPASS, 0)) {
    const int timeout = static_cast<int>(timeoutMs);
    if (!session) return;
    WinHttpSetTimeouts(session.Get(), timeout, timeout, timeout, timeout);
    // Waiting for the response headers has a timeout of its own (90 s unless set).
    DWORD headers = timeoutMs;
    WinHttpSetOption(session.Get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headers, sizeof headers);
    // The tile server speaks TLS 1.2 and later only; Windows 7's WinHTTP offers TLS 1.0 unless
    // asked (it takes the option once its TLS 1.2 update is installed). A system that does not
    // know TLS 1.3 refuses the combined flags, so ask for TLS 1.2 alone then.
    DWORD protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2 | WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_3;
    if (!WinHttpSetOption(session.Get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols)) {
        protocols = WINHTTP_FLAG_SECURE_PROTOCOL_TLS1_2;
        WinHttpSetOption(session.Get(), WINHTTP_OPTION_SECURE_PROTOCOLS, &protocols, sizeof protocols);
    }
}

HttpReply HttpSession::Get(const std::wstring& url, RequestSlot& slot, std::size_t maxBytes) const {
    if (!session) return Failure("no WinHTTP session");
    slot.Begin(GetTickCount64());
    std::wstring current = url;
    HttpReply reply;
    for (int redirects = 0;; ++redirects) {
        std::string location;
        reply = GetOnce(current, slot, maxBytes, location);
        if (location.empty()) break;
        // Redirects stay on the tile server's host (WinHTTP would follow them anywhere).
        const std::optional<std::string> next = SameHostRedirect(Ascii(current), location);
        if (!next || redirects == kMaxRedirects) {
            reply = Failure(next ? "too many redirects" : "redirect to another host");
            break;
        }
        current.assign(next->begin(), next->end());
    }
    slot.Finish();
    return reply;
}

HttpReply HttpSession::GetOnce(const std::wstring& url, RequestSlot& slot, std::size_t maxBytes,
                               std::string& location) const {
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) return Failure(ErrorText(GetLastError()));
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    const InternetHandle connection(WinHttpConnect(session.Get(), host.c_str(), parts.nPort, 0));
    if (!connection) return Failure(ErrorText(GetLastError()));
    HINTERNET opened = WinHttpOpenRequest(connection.Get(), L"GET", path.c_str(), nullptr, WINHTTP_NO_REFERER,
                                          WINHTTP_DEFAULT_ACCEPT_TYPES,
                                          parts.nScheme == INTERNET_SCHEME_HTTPS ? WINHTTP_FLAG_SECURE : 0);
    if (!opened) return Failure(ErrorText(GetLastError()));
    DWORD noRedirects = WINHTTP_DISABLE_REDIRECTS;
    WinHttpSetOption(opened, WINHTTP_OPTION_DISABLE_FEATURE, &noRedirects, sizeof noRedirects);
    if (IsLoopback(host)) {
        // A proxy has no business with the machine's own servers.
        WINHTTP_PROXY_INFO direct{WINHTTP_ACCESS_TYPE_NO_PROXY, nullptr, nullptr};
        WinHttpSetOption(opened, WINHTTP_OPTION_PROXY, &direct, sizeof direct);
    }
    if (!slot.Put(opened)) return Failure(slot.Expired() ? "deadline" : "cancelled");

    HttpReply reply;
    HINTERNET request = opened;  // the slot holds it until it is taken back below
    DWORD status = 0;
    DWORD statusSize = sizeof status;
    if (!WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(request, nullptr) ||
        !WinHttpQueryHeaders(request, WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER, WINHTTP_HEADER_NAME_BY_INDEX,
                             &status, &statusSize, WINHTTP_NO_HEADER_INDEX)) {
        reply.detail = ErrorText(GetLastError());
    } else if (IsRedirect(status)) {
        reply.detail = "HTTP " + std::to_string(status);
        DWORD size = 0;
        WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, WINHTTP_NO_OUTPUT_BUFFER, &size,
                            WINHTTP_NO_HEADER_INDEX);
        std::wstring target(size / sizeof(wchar_t) + 1, L'\0');
        size = static_cast<DWORD>(target.size() * sizeof(wchar_t));
        if (WinHttpQueryHeaders(request, WINHTTP_QUERY_LOCATION, WINHTTP_HEADER_NAME_BY_INDEX, &target[0], &size,
                                WINHTTP_NO_HEADER_INDEX)) {
            target.resize(size / sizeof(wchar_t));
            location = Ascii(target);
        }
    } else if (status == 404 || status == 410) {
        reply.kind = HttpReply::Kind::kNotFound;
        reply.detail = "HTTP " + std::to_string(status);
    } else if (status != 200) {
        reply.detail = "HTTP " + std::to_string(status);
    } else {
        std::vector<char> chunk(64 * 1024);
        for (;;) {
            DWORD read = 0;
            if (!WinHttpReadData(request, chunk.data(), static_cast<DWORD>(chunk.size()), &read)) {
                reply.detail = ErrorText(GetLastError());
                break;
            }
            if (read == 0) {
                reply.kind = HttpReply::Kind::kOk;
                break;
            }
            if (reply.body.size() + read > maxBytes) {
                reply.detail = "too large";
                break;
            }
            reply.body.append(chunk.data(), read);
        }
    }
    const InternetHandle closed = slot.Take();  // null when Cancel or Expire closed it meanwhile
    if (!closed) {
        location.clear();
        return Failure(slot.Expired() ? "deadline" : "cancelled");
    }
    if (reply.kind != HttpReply::Kind::kOk) reply.body.clear();
    return reply;
}

}  // namespace vondrel::net
