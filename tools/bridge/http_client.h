// HTTP GET with WinHTTP, synchronous, for the fetch threads: one session per thread (its
// connections are kept alive between tiles), timeouts on every step, and a request slot through
// which another thread can cancel the request in flight.
#pragma once

#include <mutex>
#include <string>

#include <windows.h>
#include <winhttp.h>

#include "win/owned_handle.h"

namespace vondrel::tarvix {

struct CloseInternetHandle {
    void operator()(HINTERNET handle) const { WinHttpCloseHandle(handle); }
};
using InternetHandle = win::Owned<HINTERNET, CloseInternetHandle>;

struct HttpReply {
    enum class Kind { kOk, kNotFound, kFailed };
    Kind kind = Kind::kFailed;
    std::string body;
    std::string detail;  // why it failed: "timeout", "HTTP 500", ...
};

// The request a thread has in flight. Cancel closes it (its blocking call then returns) and
// refuses later ones; the thread takes it back to close it itself when it is done.
class RequestSlot {
public:
    bool Put(HINTERNET request);  // false (and the request closed) once cancelled
    InternetHandle Take();
    void Cancel();

private:
    std::mutex mutex;
    HINTERNET request = nullptr;
    bool cancelled = false;
};

class HttpSession {
public:
    HttpSession(const std::wstring& userAgent, DWORD timeoutMs);
    HttpReply Get(const std::wstring& url, RequestSlot& slot, std::size_t maxBytes) const;

private:
    InternetHandle session;
};

}  // namespace vondrel::tarvix
