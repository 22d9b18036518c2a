// The rules for the URLs the HTTP client is given and led to: where a redirect may lead.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vondrel::net {

// Where a redirect from `url` to `location` (its Location header) leads when it stays on the same
// host: an absolute http or https URL naming the host (on any port), or a path from the host's
// root. Nothing for another host, a step down from https to http, user information or any other
// form.
std::optional<std::string> SameHostRedirect(std::string_view url, std::string_view location);

}  // namespace vondrel::net
