// The map bridge's plot geometry, without Win32: fits a longitude/latitude view to the points
// and converts between milliseconds of arc and client pixels (north up, east right, longitude
// shortened by the cosine of the latitude so distances look as on a map).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vondrel::tarvix {

// A position in milliseconds of arc (Tokyo datum; north and east are positive).
struct GeoPoint {
    std::int32_t lat = 0;
    std::int32_t lon = 0;
    bool operator==(const GeoPoint& other) const { return lat == other.lat && lon == other.lon; }
};

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

struct Pixel {
    int x = 0;
    int y = 0;
};

// The area shown when there are no points: around Tokyo Station.
inline constexpr GeoPoint kDefaultCentre{35 * 3600000 + 40 * 60000 + 52000, 139 * 3600000 + 46 * 60000 + 1000};

class MapView {
public:
    // The view showing every point inside `plot`, with a margin; the default area around Tokyo
    // when there are none. A single point (or points close together) get a minimum area.
    static MapView Fit(const std::vector<GeoPoint>& points, PixelRect plot);

    Pixel ToScreen(GeoPoint point) const;
    // The position under a pixel, rounded to whole milliseconds and kept within
    // 0..90 degrees of latitude and 0..180 degrees of longitude.
    GeoPoint FromScreen(int x, int y) const;
    GeoPoint Centre() const { return centre; }
    PixelRect Plot() const { return plot; }

    // Grid line positions inside the plot, a round step apart (at least kMinGridPixels).
    std::vector<std::int32_t> LatitudeGrid() const;
    std::vector<std::int32_t> LongitudeGrid() const;
    std::int32_t GridStep() const;

    static constexpr int kMinGridPixels = 70;

private:
    GeoPoint centre = kDefaultCentre;
    PixelRect plot;
    double msPerPixel = 1.0;  // of latitude
    double lonFactor = 1.0;   // cosine of the centre's latitude
};

// A grid label: "35.41" (degrees.minutes) for steps of whole minutes, "35.41.05" below that.
std::string GridLabel(std::int32_t milliseconds, std::int32_t step);

}  // namespace vondrel::tarvix
