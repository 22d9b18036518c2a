// The address search's request and the reading of its reply (simdjson On-Demand, no exceptions).
#include "net/geocoder.h"

#include <simdjson.h>

#include <cmath>
#include <cstdlib>

namespace vondrel::net {

namespace {

namespace od = simdjson::ondemand;

// Errors that make a feature useless but leave the array readable.
bool SkipsFeature(simdjson::error_code error) {
    return error == simdjson::INCORRECT_TYPE || error == simdjson::NO_SUCH_FIELD || error == simdjson::NUMBER_ERROR ||
           error == simdjson::NUMBER_OUT_OF_RANGE;
}

simdjson::error_code ReadFeature(od::value element, Place& place) {
    od::object feature;
    if (auto error = element.get_object().get(feature)) return error;
    double lon = 0;
    double lat = 0;
    std::string_view title;
    // The fields in any order: properties may come before or after geometry.
    for (auto field : feature) {
        std::string_view key;
        if (auto error = field.unescaped_key().get(key)) return error;
        if (key == "geometry") {
            od::array coordinates;
            if (auto error = field.value().find_field_unordered("coordinates").get_array().get(coordinates)) return error;
            std::size_t count = 0;
            for (auto number : coordinates) {
                double value = 0;
                if (auto error = number.get_double().get(value)) return error;
                if (count == 0) lon = value;
                if (count == 1) lat = value;
                ++count;
            }
            if (count < 2) return simdjson::NO_SUCH_FIELD;
        } else if (key == "properties") {
            if (auto error = field.value().find_field_unordered("title").get_string().get(title)) return error;
        }
    }
    if (title.empty() || !std::isfinite(lat) || !std::isfinite(lon) || std::fabs(lat) > 90 || std::fabs(lon) > 180) {
        return simdjson::NO_SUCH_FIELD;
    }
    place = {std::string(title), {lat, lon}};
    return simdjson::SUCCESS;
}

GeocodeResult Failure(std::string detail) {
    GeocodeResult result;
    result.detail = std::move(detail);
    return result;
}

}  // namespace

std::string GeocoderBase() {
    const char* set = std::getenv(kGeocoderBaseVariable);
    std::string base = set && *set ? set : kGeocoderDefaultBase;
    while (!base.empty() && base.back() == '/') base.pop_back();
    return base;
}

std::string GeocoderUrl(std::string_view base, std::string_view query) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string url = std::string(base) + "/address-search/AddressSearch?q=";
    for (const char c : query) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
            byte == '-' || byte == '.' || byte == '_' || byte == '~') {
            url += c;
        } else {
            url += '%';
            url += kHex[byte >> 4];
            url += kHex[byte & 15];
        }
    }
    return url;
}

std::string GeocoderUserAgent() { return "Vondrel/" VONDREL_VERSION; }

GeocodeResult ParseGeocoderReply(std::string_view body) {
    if (body.size() > kGeocoderMaxReply) return Failure("too large");
    // On-Demand reads and skips values without recursion: a deep nest costs no stack.
    od::parser parser;
    const simdjson::padded_string json(body);
    od::document document;
    if (parser.iterate(json).get(document)) return Failure("not a JSON array");
    od::array features;
    if (document.get_array().get(features)) return Failure("not a JSON array");
    GeocodeResult result;
    for (auto element : features) {
        od::value value;
        simdjson::error_code error = element.get(value);
        Place place;
        if (!error) error = ReadFeature(value, place);
        if (!error) {
            result.places.push_back(std::move(place));
        } else if (!SkipsFeature(error)) {
            return Failure("not a JSON array");
        }
    }
    const char* rest = nullptr;
    if (!document.current_location().get(rest)) return Failure("not a JSON array");  // bytes after it
    result.ok = true;
    return result;
}

GeocodeResult Geocode(HttpClient& client, std::string_view query) {
    const HttpReply reply = client.Get(GeocoderUrl(GeocoderBase(), query), kGeocoderMaxReply);
    if (reply.kind != HttpReply::Kind::kOk) return Failure(reply.detail);
    return ParseGeocoderReply(reply.body);
}

}  // namespace vondrel::net
