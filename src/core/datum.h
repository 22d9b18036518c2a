// The shift between the Tokyo datum (Bessel 1841), on which the navigation unit stores points,
// and WGS 84, which map apps, GPS loggers and map tiles use: the three-parameter geocentric
// translation of the Geospatial Information Authority of Japan, with exact geodetic <-> geocentric
// conversions at height 0.
#pragma once

namespace vondrel {

// A position in decimal degrees, north and east positive.
struct LatLon {
    double lat = 0;
    double lon = 0;
};

LatLon TokyoToWgs84(LatLon tokyo);
LatLon Wgs84ToTokyo(LatLon wgs84);

}  // namespace vondrel
