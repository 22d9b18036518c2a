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

// The distance in metres between two positions on the Tokyo datum (the Bessel ellipsoid), by the
// ellipsoid's radii of curvature at their mean latitude: within a millimetre of the geodesic up
// to a few kilometres, which is what telling near points apart needs.
double TokyoDistanceMeters(LatLon a, LatLon b);

}  // namespace vondrel
