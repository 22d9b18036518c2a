// HTTP GET with WinHTTP, synchronous, for threads that may wait: one session per thread (its
// connections are kept alive between requests), timeouts on every step, redirects followed on
// the same host only (net/url.h), and a request slot through which another thread can cancel the
// request in flight or end it at its deadline.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include <windows.h>
#include <winhttp.h>

#include "net/http_client.h"
#include "os/win32_owned.h"

namespace vondrel::net {

using os::InternetHandle;

// The request a thread has in flight. Cancel closes it (its blocking call then returns) and
// refuses later ones; Expire does the same to a request that has run too long, until the next
// begins. The thread takes its request back to close it itself when it is done.
class RequestSlot {
public:
    void Begin(std::uint64_t nowMs);  // a request with its redirects
    bool Put(HINTERNET request);      // false (and the request closed) once cancelled or expired
    InternetHandle Take();
    void Finish();
    void Cancel();
    // Ends the request begun `limitMs` or longer before `nowMs`.
    void Expire(std::uint64_t nowMs, std::uint64_t limitMs);
    bool Expired() const;
    // When the request in flight began, or 0 when none is.
    std::uint64_t BusySince() const;

private:
    mutable std::mutex mutex;
    InternetHandle request;
    std::uint64_t began = 0;
    bool cancelled = false;
    bool expired = false;
};

class HttpSession {
public:
    HttpSession(const std::wstring& userAgent, DWORD timeoutMs);
    HttpReply Get(const std::wstring& url, RequestSlot& slot, std::size_t maxBytes) const;

private:
    // One request; a redirect's target in `location` (and a failed reply).
    HttpReply GetOnce(const std::wstring& url, RequestSlot& slot, std::size_t maxBytes, std::string& location) const;

    InternetHandle session;
};

}  // namespace vondrel::net
