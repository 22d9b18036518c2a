// Address and place search at the Geospatial Information Authority of Japan's service:
// GET {base}/address-search/AddressSearch?q={UTF-8, percent-encoded}, answered by a JSON array of
// features whose geometry.coordinates are [lon, lat] (JGD2011, taken as WGS 84) and whose
// properties.title names the place; [] when nothing was found.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/datum.h"
#include "net/http_client.h"

namespace vondrel::net {

inline constexpr char kGeocoderDefaultBase[] = "https://msearch.gsi.go.jp";
inline constexpr char kGeocoderBaseVariable[] = "VONDREL_GEOCODER_URL";  // a stand-in's base
inline constexpr std::size_t kGeocoderMaxReply = 4 * 1024 * 1024;
inline constexpr int kGeocoderTimeoutMs = 10000;

struct Place {
    std::string title;  // UTF-8
    LatLon wgs84;
};

struct GeocodeResult {
    bool ok = false;  // false: no answer, an error status or a reply that is no JSON array
    std::vector<Place> places;
    std::string detail;  // why it failed: "timeout", "HTTP 500", "not a JSON array", ...
};

// The service's base: the variable's value when set, else the default; no trailing "/".
std::string GeocoderBase();
// The request URL for `query` (UTF-8).
std::string GeocoderUrl(std::string_view base, std::string_view query);
// "Vondrel/<version>".
std::string GeocoderUserAgent();

// The places in a reply: features without a title or a position in range are left out.
GeocodeResult ParseGeocoderReply(std::string_view body);

// Asks the service at GeocoderBase() through `client` (made with GeocoderUserAgent() and
// kGeocoderTimeoutMs).
GeocodeResult Geocode(HttpClient& client, std::string_view query);

}  // namespace vondrel::net
