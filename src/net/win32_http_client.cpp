// The HTTP client on Windows: a WinHTTP session of its own per client, and a watchdog thread
// that ends the request at the client's overall time limit (WinHTTP's own timeouts are per step,
// so a reply that trickles in would never end).
#include <windows.h>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "net/http_client.h"
#include "net/win32_http.h"

namespace vondrel::net {

namespace {

std::wstring Widen(const std::string& utf8) {
    std::wstring wide(utf8.size(), L'\0');
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0],
                                           static_cast<int>(wide.size()));
    wide.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    return wide;
}

class WinHttpClient : public HttpClient {
public:
    WinHttpClient(const std::string& userAgent, int timeout)
        : session(Widen(userAgent), static_cast<DWORD>(timeout)), timeoutMs(timeout) {}

    HttpReply Get(const std::string& url, std::size_t maxBytes) override {
        bool done = false;
        std::thread watchdog([&] {
            std::unique_lock<std::mutex> lock(mutex);
            if (!ended.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return done; })) {
                slot.Expire(GetTickCount64(), 0);
            }
        });
        HttpReply reply = session.Get(Widen(url), slot, maxBytes);
        {
            std::lock_guard<std::mutex> lock(mutex);
            done = true;
        }
        ended.notify_all();
        watchdog.join();
        if (reply.detail == "deadline") reply.detail = "timeout";
        return reply;
    }

    void Cancel() override { slot.Cancel(); }

private:
    HttpSession session;
    RequestSlot slot;
    const int timeoutMs;
    std::mutex mutex;
    std::condition_variable ended;
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient(const std::string& userAgent, int timeoutMs) {
    return std::make_unique<WinHttpClient>(userAgent, timeoutMs);
}

}  // namespace vondrel::net
