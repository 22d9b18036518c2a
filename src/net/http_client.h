// One small interface for HTTP GET, the same on every system: libcurl natively (curl_http.cpp),
// WinHTTP on Windows (win32_http_client.cpp over win32_http.h). A client runs one request at a
// time on the calling thread; another thread may cancel it.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace vondrel::net {

struct HttpReply {
    enum class Kind { kOk, kNotFound, kFailed };
    Kind kind = Kind::kFailed;
    std::string body;
    std::string detail;  // why it failed: "timeout", "HTTP 500", "too large", ...
};

class HttpClient {
public:
    virtual ~HttpClient() = default;
    // Fetches `url` (ASCII): the body of a 200 reply of at most `maxBytes`, else a failure. Ends
    // within the client's overall time limit, redirects (on the same host) included.
    virtual HttpReply Get(const std::string& url, std::size_t maxBytes) = 0;
    // From any thread: ends the request in flight soon and refuses later ones.
    virtual void Cancel() = 0;
};

// A client that sends `userAgent` and gives up on a request after `timeoutMs` in all.
std::unique_ptr<HttpClient> MakeHttpClient(const std::string& userAgent, int timeoutMs);

}  // namespace vondrel::net
