// Tokyo <-> WGS 84: geodetic to geocentric on the source ellipsoid (height 0), translate, and back
// to geodetic on the target ellipsoid by iteration to full double precision; the height the
// translation gives is dropped, as a two-dimensional transformation does.
#include "core/datum.h"

#include <cmath>

namespace vondrel {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180;

struct Ellipsoid {
    double a;   // semi-major axis, metres
    double e2;  // first eccentricity squared
};

constexpr Ellipsoid MakeEllipsoid(double a, double inverseFlattening) {
    const double f = 1 / inverseFlattening;
    return {a, f * (2 - f)};
}

constexpr Ellipsoid kBessel1841 = MakeEllipsoid(6377397.155, 299.1528128);
constexpr Ellipsoid kGrs80 = MakeEllipsoid(6378137.0, 298.257222101);

struct Vector3 {
    double x, y, z;
};

// Tokyo to WGS 84, metres (EPSG:1305 / the operation EPSG:15484).
constexpr Vector3 kTokyoToWgs84{-146.414, 507.337, 680.507};

Vector3 ToGeocentric(LatLon p, const Ellipsoid& e) {
    const double lat = p.lat * kRadians;
    const double lon = p.lon * kRadians;
    const double sinLat = std::sin(lat);
    const double n = e.a / std::sqrt(1 - e.e2 * sinLat * sinLat);
    return {n * std::cos(lat) * std::cos(lon), n * std::cos(lat) * std::sin(lon), n * (1 - e.e2) * sinLat};
}

LatLon ToGeodetic(Vector3 v, const Ellipsoid& e) {
    const double p = std::hypot(v.x, v.y);
    double lat = std::atan2(v.z, p * (1 - e.e2));
    // Fixed-point iteration on the latitude; near the surface each step gains about three
    // digits, so a handful reach the last bit.
    for (int i = 0; i < 10; ++i) {
        const double sinLat = std::sin(lat);
        const double n = e.a / std::sqrt(1 - e.e2 * sinLat * sinLat);
        const double next = std::atan2(v.z + e.e2 * n * sinLat, p);
        if (next == lat) break;
        lat = next;
    }
    return {lat / kRadians, std::atan2(v.y, v.x) / kRadians};
}

LatLon Shift(LatLon p, const Ellipsoid& from, const Ellipsoid& to, double sign) {
    Vector3 v = ToGeocentric(p, from);
    v.x += sign * kTokyoToWgs84.x;
    v.y += sign * kTokyoToWgs84.y;
    v.z += sign * kTokyoToWgs84.z;
    return ToGeodetic(v, to);
}

}  // namespace

LatLon TokyoToWgs84(LatLon tokyo) { return Shift(tokyo, kBessel1841, kGrs80, +1); }
LatLon Wgs84ToTokyo(LatLon wgs84) { return Shift(wgs84, kGrs80, kBessel1841, -1); }

double TokyoDistanceMeters(LatLon a, LatLon b) {
    const Ellipsoid& e = kBessel1841;
    const double sinLat = std::sin((a.lat + b.lat) / 2 * kRadians);
    const double w2 = 1 - e.e2 * sinLat * sinLat;
    const double meridian = e.a * (1 - e.e2) / (w2 * std::sqrt(w2));  // north-south radius
    const double primeVertical = e.a / std::sqrt(w2);                // east-west radius
    const double north = (b.lat - a.lat) * kRadians * meridian;
    const double east = (b.lon - a.lon) * kRadians * primeVertical * std::cos((a.lat + b.lat) / 2 * kRadians);
    return std::hypot(north, east);
}

}  // namespace vondrel
