// URL rules, on the text of absolute http and https URLs.
#include "net/url.h"

namespace vondrel::net {

namespace {
struct UrlParts {
    std::string scheme;     // lower case
    std::string authority;  // host and port as written
    std::string host;       // lower case
};

// An absolute http or https URL's scheme, authority and host.
std::optional<UrlParts> SplitUrl(std::string_view url) {
    const auto lower = [](std::string_view text) {
        std::string result(text);
        for (char& c : result) c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        return result;
    };
    const std::size_t colon = url.find("://");
    if (colon == std::string_view::npos) return std::nullopt;
    UrlParts parts{lower(url.substr(0, colon)), {}, {}};
    const std::size_t start = colon + 3;
    parts.authority = std::string(url.substr(start, url.find_first_of("/?#", start) - start));
    const std::size_t hostEnd =
        parts.authority.compare(0, 1, "[") == 0 ? parts.authority.find(']') + 1 : parts.authority.find(':');
    parts.host = lower(std::string_view(parts.authority).substr(0, hostEnd));
    if ((parts.scheme != "http" && parts.scheme != "https") || parts.host.empty() ||
        parts.authority.find('@') != std::string::npos) {
        return std::nullopt;
    }
    return parts;
}
}  // namespace

std::optional<std::string> SameHostRedirect(std::string_view url, std::string_view location) {
    const std::optional<UrlParts> from = SplitUrl(url);
    if (!from) return std::nullopt;
    if (location.compare(0, 1, "/") == 0 && location.compare(0, 2, "//") != 0) {
        return from->scheme + "://" + from->authority + std::string(location);
    }
    const std::string target = location.compare(0, 2, "//") == 0 ? from->scheme + ":" + std::string(location)
                                                                   : std::string(location);
    const std::optional<UrlParts> to = SplitUrl(target);
    if (!to || to->host != from->host || (from->scheme == "https" && to->scheme != "https")) return std::nullopt;
    return target;
}

}  // namespace vondrel::net
