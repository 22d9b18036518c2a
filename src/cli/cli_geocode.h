// vondrel-cli geocode: the address search of the edit dialog, one candidate a line.
#pragma once

#include <string>

#include "cli/cli_app.h"

namespace vondrel::cli {

// Searches for `text` (code page 932) and writes "title<TAB>lat<TAB>lon" per candidate, in
// decimal degrees with six decimals, on the Tokyo datum unless `wgs84`. 0 with candidates, 1 with
// none, 3 when the service could not be reached or gave no list (with the reason on the error
// output).
int Geocode(const std::string& text, bool wgs84, Output& output);

}  // namespace vondrel::cli
