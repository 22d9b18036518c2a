// The HTTP client natively: libcurl's easy interface, one transfer at a time, redirects followed
// by hand on the same host only (net/url.h), as the WinHTTP client does.
#include <curl/curl.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <optional>

#include "net/http_client.h"
#include "net/url.h"

namespace vondrel::net {

namespace {

constexpr int kMaxRedirects = 3;

struct Transfer {
    std::string body;
    std::size_t maxBytes = 0;
    bool tooLarge = false;
    const std::atomic<bool>* cancelled = nullptr;
};

std::size_t Receive(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    if (transfer->body.size() + bytes > transfer->maxBytes) {
        transfer->tooLarge = true;
        return 0;  // ends the transfer with CURLE_WRITE_ERROR
    }
    transfer->body.append(data, bytes);
    return bytes;
}

// Called at least once a second while a transfer runs, so a cancel ends even a silent one.
int Progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return static_cast<Transfer*>(user)->cancelled->load() ? 1 : 0;
}

HttpReply Failure(std::string detail) {
    HttpReply reply;
    reply.detail = std::move(detail);
    return reply;
}

class CurlClient : public HttpClient {
public:
    CurlClient(std::string agent, int timeout) : userAgent(std::move(agent)), timeoutMs(timeout) {
        static std::once_flag initialised;
        std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    }

    HttpReply Get(const std::string& url, std::size_t maxBytes) override {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        std::string current = url;
        for (int redirects = 0;; ++redirects) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return Failure("timeout");
            std::string location;
            HttpReply reply = GetOnce(current, maxBytes, left.count(), location);
            if (location.empty()) return reply;
            const std::optional<std::string> next = SameHostRedirect(current, location);
            if (!next || redirects == kMaxRedirects) return Failure(next ? "too many redirects" : "redirect to another host");
            current = *next;
        }
    }

    void Cancel() override { cancelled = true; }

private:
    HttpReply GetOnce(const std::string& url, std::size_t maxBytes, long leftMs, std::string& location) {
        if (cancelled) return Failure("cancelled");
        const std::unique_ptr<CURL, void (*)(CURL*)> easy(curl_easy_init(), curl_easy_cleanup);
        if (!easy) return Failure("no libcurl handle");
        Transfer transfer;
        transfer.maxBytes = maxBytes;
        transfer.cancelled = &cancelled;
        CURL* e = easy.get();
        curl_easy_setopt(e, CURLOPT_URL, url.c_str());
        curl_easy_setopt(e, CURLOPT_USERAGENT, userAgent.c_str());
        curl_easy_setopt(e, CURLOPT_PROTOCOLS_STR, "http,https");
        curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(e, CURLOPT_TIMEOUT_MS, leftMs);
        curl_easy_setopt(e, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(maxBytes));
        // A proxy has no business with the machine's own servers.
        curl_easy_setopt(e, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
        curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, Receive);
        curl_easy_setopt(e, CURLOPT_WRITEDATA, &transfer);
        curl_easy_setopt(e, CURLOPT_XFERINFOFUNCTION, Progress);
        curl_easy_setopt(e, CURLOPT_XFERINFODATA, &transfer);
        curl_easy_setopt(e, CURLOPT_NOPROGRESS, 0L);
        const CURLcode code = curl_easy_perform(e);
        if (cancelled) return Failure("cancelled");
        if (transfer.tooLarge || code == CURLE_FILESIZE_EXCEEDED) return Failure("too large");
        if (code == CURLE_OPERATION_TIMEDOUT) return Failure("timeout");
        if (code == CURLE_COULDNT_CONNECT) return Failure("cannot connect");
        if (code == CURLE_COULDNT_RESOLVE_HOST) return Failure("name not resolved");
        if (code != CURLE_OK) return Failure(curl_easy_strerror(code));
        long status = 0;
        curl_easy_getinfo(e, CURLINFO_RESPONSE_CODE, &status);
        HttpReply reply;
        if (status == 301 || status == 302 || status == 303 || status == 307 || status == 308) {
            const char* target = nullptr;
            curl_easy_getinfo(e, CURLINFO_REDIRECT_URL, &target);
            if (target) location = target;
            reply.detail = "HTTP " + std::to_string(status);
        } else if (status != 200) {
            reply.kind = status == 404 || status == 410 ? HttpReply::Kind::kNotFound : HttpReply::Kind::kFailed;
            reply.detail = "HTTP " + std::to_string(status);
        } else {
            reply.kind = HttpReply::Kind::kOk;
            reply.body = std::move(transfer.body);
        }
        return reply;
    }

    const std::string userAgent;
    const int timeoutMs;
    std::atomic<bool> cancelled{false};
};

}  // namespace

std::unique_ptr<HttpClient> MakeHttpClient(const std::string& userAgent, int timeoutMs) {
    return std::make_unique<CurlClient>(userAgent, timeoutMs);
}

}  // namespace vondrel::net
