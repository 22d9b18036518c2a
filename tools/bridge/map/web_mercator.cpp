// Web Mercator projection (spherical, on the WGS 84 semi-major axis, as the tile servers use it).
#include "map/web_mercator.h"

#include <algorithm>
#include <cmath>

namespace vondrel::tarvix {

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kEarthRadius = 6378137.0;
}  // namespace

int ClampZoom(int zoom) { return std::clamp(zoom, kMinZoom, kMaxZoom); }

double WorldSize(int zoom) { return std::ldexp(static_cast<double>(kTileSize), zoom); }

WorldPoint Project(LatLon wgs84, int zoom) {
    const double size = WorldSize(zoom);
    const double lat = std::clamp(wgs84.lat, -kMaxMercatorLatitude, kMaxMercatorLatitude) * kPi / 180;
    return {(wgs84.lon + 180) / 360 * size, (1 - std::log(std::tan(lat) + 1 / std::cos(lat)) / kPi) / 2 * size};
}

LatLon Unproject(WorldPoint point, int zoom) {
    const double size = WorldSize(zoom);
    const double n = kPi * (1 - 2 * point.y / size);
    return {std::atan(std::sinh(n)) * 180 / kPi, point.x / size * 360 - 180};
}

double MetresPerPixel(double latitude, int zoom) {
    return 2 * kPi * kEarthRadius * std::cos(latitude * kPi / 180) / WorldSize(zoom);
}

}  // namespace vondrel::tarvix
