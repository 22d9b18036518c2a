// vondrel-cli geocode.
#include "cli/cli_geocode.h"

#include <cstdio>

#include "core/datum.h"
#include "net/geocoder.h"
#include "os/text_codec.h"

namespace vondrel::cli {

int Geocode(const std::string& text, bool wgs84, Output& output) {
    std::string query;
    os::Cp932ToUtf8(text, query);
    const std::unique_ptr<net::HttpClient> client = net::MakeHttpClient(net::GeocoderUserAgent(), net::kGeocoderTimeoutMs);
    const net::GeocodeResult result = net::Geocode(*client, query);
    if (!result.ok) {
        output.err += "vondrel-cli: the address search failed (" + result.detail + ")\n";
        return 3;
    }
    for (const net::Place& place : result.places) {
        const LatLon at = wgs84 ? place.wgs84 : Wgs84ToTokyo(place.wgs84);
        bool replaced = false;
        char position[64];
        std::snprintf(position, sizeof position, "\t%.6f\t%.6f\n", at.lat, at.lon);
        output.out += EscapeListField(os::Utf8ToCp932Text(place.title, replaced)) + position;
    }
    return result.places.empty() ? 1 : 0;
}

}  // namespace vondrel::cli
