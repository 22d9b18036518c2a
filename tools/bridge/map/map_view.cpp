// The map bridge's Web Mercator view.
#include "map/map_view.h"

#include <algorithm>
#include <cmath>

namespace vondrel::tarvix {

namespace {
constexpr double kMsPerDegree = 3600000.0;
constexpr int kMarginPixels = 40;  // room around the points for their symbols and names

std::int32_t ClampRound(double value, double high) {
    if (!(value > 0)) return 0;
    if (value >= high) return static_cast<std::int32_t>(high);
    return static_cast<std::int32_t>(std::llround(value));
}

int ToPixel(double value) {
    // Far-away positions stay far away without overflowing the drawing functions.
    return static_cast<int>(std::floor(std::clamp(value, -1.0e6, 1.0e6) + 0.5));
}
}  // namespace

LatLon ToWgs84(GeoPoint tokyo) { return TokyoToWgs84({tokyo.lat / kMsPerDegree, tokyo.lon / kMsPerDegree}); }

GeoPoint FromWgs84(LatLon wgs84) {
    const LatLon tokyo = Wgs84ToTokyo(wgs84);
    return {ClampRound(tokyo.lat * kMsPerDegree, 90 * kMsPerDegree), ClampRound(tokyo.lon * kMsPerDegree, 180 * kMsPerDegree)};
}

MapView MapView::Fit(const std::vector<GeoPoint>& tokyoPoints, PixelRect plot, int detail) {
    MapView view;
    view.plot = plot;
    if (tokyoPoints.empty()) {
        view.zoom = ClampZoom(kDefaultZoom + detail);
        view.centre = Project(ToWgs84(kDefaultCentre), view.zoom);
        return view;
    }
    const auto [south, north] = std::minmax_element(tokyoPoints.begin(), tokyoPoints.end(),
                                                    [](const GeoPoint& a, const GeoPoint& b) { return a.lat < b.lat; });
    const auto [west, east] = std::minmax_element(tokyoPoints.begin(), tokyoPoints.end(),
                                                  [](const GeoPoint& a, const GeoPoint& b) { return a.lon < b.lon; });
    // The middle of the extent in the points' own datum, so it is the position the bridge
    // answers for the view's centre.
    const GeoPoint middle{static_cast<std::int32_t>((static_cast<std::int64_t>(south->lat) + north->lat) / 2),
                          static_cast<std::int32_t>((static_cast<std::int64_t>(west->lon) + east->lon) / 2)};
    const LatLon middleWgs = ToWgs84(middle);
    if (south->lat == north->lat && west->lon == east->lon) {
        view.zoom = ClampZoom(kSinglePointZoom + detail);
        view.centre = Project(middleWgs, view.zoom);
        return view;
    }
    // The largest distance of a point from the middle, in pixels at the highest zoom.
    const WorldPoint at = Project(middleWgs, kMaxZoom);
    double halfWidth = 0;
    double halfHeight = 0;
    for (const GeoPoint& point : tokyoPoints) {
        const WorldPoint p = Project(ToWgs84(point), kMaxZoom);
        halfWidth = std::max(halfWidth, std::abs(p.x - at.x));
        halfHeight = std::max(halfHeight, std::abs(p.y - at.y));
    }
    const double roomX = std::max((plot.right - plot.left) / 2.0 - kMarginPixels, 1.0);
    const double roomY = std::max((plot.bottom - plot.top) / 2.0 - kMarginPixels, 1.0);
    view.zoom = kMaxZoom;
    while (view.zoom > kMinZoom && (halfWidth > roomX || halfHeight > roomY)) {
        --view.zoom;
        halfWidth /= 2;
        halfHeight /= 2;
    }
    view.centre = Project(middleWgs, view.zoom);
    return view;
}

Pixel MapView::Origin() const {
    // At most 2^26 pixels from the plot at the top zoom: no clamp needed.
    return {static_cast<int>(std::floor((plot.left + plot.right) / 2.0 - centre.x + 0.5)),
            static_cast<int>(std::floor((plot.top + plot.bottom) / 2.0 - centre.y + 0.5))};
}

Pixel MapView::ToScreen(LatLon wgs84) const {
    const WorldPoint world = Project(wgs84, zoom);
    const Pixel origin = Origin();
    return {ToPixel(origin.x + world.x), ToPixel(origin.y + world.y)};
}

LatLon MapView::ScreenToWgs84(int x, int y) const {
    const Pixel origin = Origin();
    return Unproject({static_cast<double>(x) - origin.x, static_cast<double>(y) - origin.y}, zoom);
}

void MapView::Pan(int dx, int dy) {
    const double size = WorldSize(zoom);
    centre.x = std::clamp(centre.x - dx, 0.0, size);
    centre.y = std::clamp(centre.y - dy, 0.0, size);
}

bool MapView::ZoomAt(int x, int y, int steps) {
    const int newZoom = ClampZoom(zoom + steps);
    if (newZoom == zoom) return false;
    const Pixel origin = Origin();
    const double scale = std::ldexp(1.0, newZoom - zoom);
    // The world position under (x, y), at the new level.
    const double wx = (static_cast<double>(x) - origin.x) * scale;
    const double wy = (static_cast<double>(y) - origin.y) * scale;
    const double size = WorldSize(newZoom);
    centre.x = std::clamp(wx - (x - (plot.left + plot.right) / 2.0), 0.0, size);
    centre.y = std::clamp(wy - (y - (plot.top + plot.bottom) / 2.0), 0.0, size);
    zoom = newZoom;
    return true;
}

std::vector<TileSlot> MapView::Tiles() const {
    std::vector<TileSlot> tiles;
    if (plot.right <= plot.left || plot.bottom <= plot.top) return tiles;
    const Pixel origin = Origin();
    const int last = (1 << zoom) - 1;
    auto tileAt = [&](int pixel, int originPixel) {
        return static_cast<int>(std::floor((static_cast<double>(pixel) - originPixel) / kTileSize));
    };
    const int x0 = std::max(tileAt(plot.left, origin.x), 0);
    const int x1 = std::min(tileAt(plot.right - 1, origin.x), last);
    const int y0 = std::max(tileAt(plot.top, origin.y), 0);
    const int y1 = std::min(tileAt(plot.bottom - 1, origin.y), last);
    for (int ty = y0; ty <= y1; ++ty) {
        for (int tx = x0; tx <= x1; ++tx) tiles.push_back({tx, ty, {origin.x + tx * kTileSize, origin.y + ty * kTileSize}});
    }
    const double cx = (plot.left + plot.right) / 2.0 - kTileSize / 2.0;
    const double cy = (plot.top + plot.bottom) / 2.0 - kTileSize / 2.0;
    std::stable_sort(tiles.begin(), tiles.end(), [&](const TileSlot& a, const TileSlot& b) {
        return std::hypot(a.corner.x - cx, a.corner.y - cy) < std::hypot(b.corner.x - cx, b.corner.y - cy);
    });
    return tiles;
}

double MapView::MetresPerPixel() const { return tarvix::MetresPerPixel(Unproject(centre, zoom).lat, zoom); }

}  // namespace vondrel::tarvix
