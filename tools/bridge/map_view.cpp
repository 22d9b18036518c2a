// Plot geometry of the map bridge.
#include "bridge/map_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vondrel::tarvix {

namespace {
constexpr std::int32_t kMsPerDegree = 3600000;
constexpr std::int32_t kMaxLat = 90 * kMsPerDegree;
constexpr std::int32_t kMaxLon = 180 * kMsPerDegree;
constexpr double kDefaultSpan = 20 * 60000.0;  // 20 minutes of arc
constexpr double kMinSpan = 2 * 60000.0;       // the area around a single point
constexpr int kMarginPixels = 40;              // room for the names beside the points
constexpr double kPi = 3.14159265358979323846;

constexpr std::int32_t kGridSteps[] = {1000,    2000,    5000,    10000,    15000,    30000,    60000,
                                       120000,  300000,  600000,  900000,   1800000,  3600000,  7200000,
                                       18000000, 36000000, 108000000};

std::int32_t ClampRound(double value, std::int32_t high) {
    if (!(value > 0)) return 0;
    if (value >= high) return high;
    return static_cast<std::int32_t>(std::llround(value));
}

int ToPixel(double value) {
    // Far-away positions stay far away without overflowing the drawing functions.
    return static_cast<int>(std::lround(std::clamp(value, -1.0e6, 1.0e6)));
}

std::vector<std::int32_t> GridBetween(double low, double high, std::int32_t step, std::int32_t limit) {
    std::vector<std::int32_t> values;
    low = std::max(low, 0.0);
    high = std::min(high, static_cast<double>(limit));
    for (double v = std::ceil(low / step) * step; v <= high && values.size() < 200; v += step) values.push_back(static_cast<std::int32_t>(v));
    return values;
}
}  // namespace

MapView MapView::Fit(const std::vector<GeoPoint>& points, PixelRect plot) {
    MapView view;
    view.plot = plot;
    double latSpan = kDefaultSpan;
    double lonSpan = 0;  // measured in latitude units once the factor is known
    if (!points.empty()) {
        auto [minLat, maxLat] = std::minmax_element(points.begin(), points.end(),
                                                    [](const GeoPoint& a, const GeoPoint& b) { return a.lat < b.lat; });
        auto [minLon, maxLon] = std::minmax_element(points.begin(), points.end(),
                                                    [](const GeoPoint& a, const GeoPoint& b) { return a.lon < b.lon; });
        view.centre.lat = static_cast<std::int32_t>((static_cast<std::int64_t>(minLat->lat) + maxLat->lat) / 2);
        view.centre.lon = static_cast<std::int32_t>((static_cast<std::int64_t>(minLon->lon) + maxLon->lon) / 2);
        latSpan = std::max(static_cast<double>(maxLat->lat) - minLat->lat, kMinSpan);
        lonSpan = static_cast<double>(maxLon->lon) - minLon->lon;
    }
    view.lonFactor = std::max(std::cos(view.centre.lat / static_cast<double>(kMsPerDegree) * kPi / 180.0), 0.05);
    lonSpan = points.empty() ? kDefaultSpan : std::max(lonSpan * view.lonFactor, kMinSpan);
    const int innerWidth = std::max(plot.right - plot.left - 2 * kMarginPixels, 1);
    const int innerHeight = std::max(plot.bottom - plot.top - 2 * kMarginPixels, 1);
    view.msPerPixel = std::max(latSpan / innerHeight, lonSpan / innerWidth);
    return view;
}

Pixel MapView::ToScreen(GeoPoint point) const {
    const double cx = (plot.left + plot.right) / 2.0;
    const double cy = (plot.top + plot.bottom) / 2.0;
    return {ToPixel(cx + (static_cast<double>(point.lon) - centre.lon) * lonFactor / msPerPixel),
            ToPixel(cy - (static_cast<double>(point.lat) - centre.lat) / msPerPixel)};
}

GeoPoint MapView::FromScreen(int x, int y) const {
    const double cx = (plot.left + plot.right) / 2.0;
    const double cy = (plot.top + plot.bottom) / 2.0;
    return {ClampRound(centre.lat - (y - cy) * msPerPixel, kMaxLat),
            ClampRound(centre.lon + (x - cx) * msPerPixel / lonFactor, kMaxLon)};
}

std::int32_t MapView::GridStep() const {
    // Longitude lines are the closer ones (shortened by the factor): they decide.
    for (std::int32_t step : kGridSteps) {
        if (step * lonFactor / msPerPixel >= kMinGridPixels) return step;
    }
    return kGridSteps[std::size(kGridSteps) - 1];
}

std::vector<std::int32_t> MapView::LatitudeGrid() const {
    const double cy = (plot.top + plot.bottom) / 2.0;
    return GridBetween(centre.lat - (plot.bottom - cy) * msPerPixel, centre.lat - (plot.top - cy) * msPerPixel,
                       GridStep(), kMaxLat);
}

std::vector<std::int32_t> MapView::LongitudeGrid() const {
    const double cx = (plot.left + plot.right) / 2.0;
    return GridBetween(centre.lon + (plot.left - cx) * msPerPixel / lonFactor,
                       centre.lon + (plot.right - cx) * msPerPixel / lonFactor, GridStep(), kMaxLon);
}

std::string GridLabel(std::int32_t milliseconds, std::int32_t step) {
    const int degrees = milliseconds / kMsPerDegree;
    const int minutes = milliseconds % kMsPerDegree / 60000;
    const int seconds = milliseconds % 60000 / 1000;
    char buffer[32];
    if (step % 60000 == 0) {
        std::snprintf(buffer, sizeof buffer, "%d.%02d", degrees, minutes);
    } else {
        std::snprintf(buffer, sizeof buffer, "%d.%02d.%02d", degrees, minutes, seconds);
    }
    return buffer;
}

}  // namespace vondrel::tarvix
