// Web Mercator as map tiles use it: WGS 84 positions to "world pixels" of a zoom level (the whole
// world is 256 * 2^zoom pixels square, x east from 180 W, y south from 85.05 N) and back, tile
// numbers, and the ground distance of a pixel.
#pragma once

#include "core/datum.h"

namespace vondrel::tarvix {

inline constexpr int kTileSize = 256;
inline constexpr int kMinZoom = 5;
inline constexpr int kMaxZoom = 18;
// The latitude where the square world ends, north and south.
inline constexpr double kMaxMercatorLatitude = 85.05112877980659;

struct WorldPoint {
    double x = 0;
    double y = 0;
};

int ClampZoom(int zoom);
double WorldSize(int zoom);
// Latitudes beyond the square world are clamped to its edge.
WorldPoint Project(LatLon wgs84, int zoom);
LatLon Unproject(WorldPoint point, int zoom);
// Metres on the ground per pixel along a parallel at `latitude` (degrees).
double MetresPerPixel(double latitude, int zoom);

}  // namespace vondrel::tarvix
