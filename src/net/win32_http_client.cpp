// The HTTP client on Windows: a WinHTTP session of its own per client, its request run on a
// thread of its own while the caller waits until the reply, the client's overall time limit
// (WinHTTP's own timeouts are per step, so a reply that trickles in would never end) or a
// cancel. A blocked synchronous WinHTTP call is not reliably ended by closing its handle (Wine
// keeps it waiting), so at the limit or a cancel the caller returns at once: the request is
// closed, and its thread left to end whenever WinHTTP lets it, holding what it uses.
#include <windows.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "net/http_client.h"
#include "net/win32_http.h"
#include "os/win32_text.h"

namespace vondrel::net {

namespace {

HttpReply Failure(std::string detail) {
    HttpReply reply;
    reply.detail = std::move(detail);
    return reply;
}

struct Shared {
    Shared(const std::string& userAgent, int timeoutMs) : session(os::Utf8ToWide(userAgent), static_cast<DWORD>(timeoutMs)) {}
    HttpSession session;
    RequestSlot slot;
    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;
    int requests = 0;  // started
    int finished = 0;
    HttpReply reply;  // of the last finished
};

class WinHttpClient : public HttpClient {
public:
    WinHttpClient(const std::string& userAgent, int timeout)
        : shared(std::make_shared<Shared>(userAgent, timeout)), timeoutMs(timeout) {}

    HttpReply Get(const std::string& url, std::size_t maxBytes) override {
        std::unique_lock<std::mutex> lock(shared->mutex);
        if (shared->cancelled) return Failure("cancelled");
        const int request = ++shared->requests;
        std::thread([state = shared, wide = os::Utf8ToWide(url), maxBytes, request] {
            HttpReply reply = state->session.Get(wide, state->slot, maxBytes);
            std::lock_guard<std::mutex> done(state->mutex);
            state->finished = request;
            state->reply = std::move(reply);
            state->changed.notify_all();
        }).detach();
        const bool ended = shared->changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
            return shared->finished == request || shared->cancelled;
        });
        if (ended && shared->finished == request) return std::move(shared->reply);
        shared->cancelled = true;  // a thread stays behind: this client takes no more requests
        std::thread([state = shared] { state->slot.Cancel(); }).detach();
        return Failure(ended ? "cancelled" : "timeout");
    }

    void Cancel() override {
        std::lock_guard<std::mutex> lock(shared->mutex);
        shared->cancelled = true;
        shared->changed.notify_all();
    }

private:
    const std::shared_ptr<Shared> shared;
    const int timeoutMs;
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient(const std::string& userAgent, int timeoutMs) {
    return std::make_unique<WinHttpClient>(userAgent, timeoutMs);
}

}  // namespace vondrel::net
