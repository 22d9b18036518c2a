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

MapView MapView::Fit(const std::vector<GeoPoint>& tokyoPoints, PixelRect plot, int dpi) {
    MapView view;
    view.plot = plot;
    view.SetDpi(dpi);
    if (tokyoPoints.empty()) {
        view.zoom = kDefaultZoom;
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
        view.zoom = kSinglePointZoom;
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
    // The room in the zoom level's pixels; symbols and names grow with the scale as well.
    view.zoom = kMaxZoom;
    auto room = [&](int low, int high) { return std::max((high - low) / 2.0 / view.Scale() - kMarginPixels, 1.0); };
    while (view.zoom > kMinZoom && (halfWidth > room(plot.left, plot.right) || halfHeight > room(plot.top, plot.bottom))) {
        --view.zoom;
        halfWidth /= 2;
        halfHeight /= 2;
    }
    view.centre = Project(middleWgs, view.zoom);
    return view;
}

void MapView::SetDpi(int newDpi) { dpi = std::clamp(newDpi, 24, 960); }

int MapView::TileZoom() const {
    int levels = 0;
    while ((96 << levels) < dpi) ++levels;
    return std::min(zoom + levels, kMaxZoom);
}

int MapView::TilePixels() const {
    const int levels = TileZoom() - zoom;
    return std::max(static_cast<int>(std::lround(kTileSize * dpi / (96.0 * (1 << levels)))), 1);
}

double MapView::Scale() const { return std::ldexp(TilePixels(), TileZoom() - zoom) / kTileSize; }

Pixel MapView::Origin() const {
    // At most 2^26 world pixels at the top zoom, times the scale: no clamp needed.
    const double scale = Scale();
    return {static_cast<int>(std::floor((plot.left + plot.right) / 2.0 - centre.x * scale + 0.5)),
            static_cast<int>(std::floor((plot.top + plot.bottom) / 2.0 - centre.y * scale + 0.5))};
}

Pixel MapView::ToScreen(LatLon wgs84) const {
    const WorldPoint world = Project(wgs84, zoom);
    const Pixel origin = Origin();
    const double scale = Scale();
    return {ToPixel(origin.x + world.x * scale), ToPixel(origin.y + world.y * scale)};
}

LatLon MapView::ScreenToWgs84(int x, int y) const {
    const Pixel origin = Origin();
    const double scale = Scale();
    return Unproject({(static_cast<double>(x) - origin.x) / scale, (static_cast<double>(y) - origin.y) / scale}, zoom);
}

void MapView::Pan(int dx, int dy) {
    const double size = WorldSize(zoom);
    const double scale = Scale();
    centre.x = std::clamp(centre.x - dx / scale, 0.0, size);
    centre.y = std::clamp(centre.y - dy / scale, 0.0, size);
}

bool MapView::ZoomAt(int x, int y, int steps) {
    const int newZoom = ClampZoom(zoom + steps);
    if (newZoom == zoom) return false;
    const Pixel origin = Origin();
    const double before = Scale();
    const double factor = std::ldexp(1.0, newZoom - zoom);
    // The world position under (x, y), at the new level.
    const double wx = (static_cast<double>(x) - origin.x) / before * factor;
    const double wy = (static_cast<double>(y) - origin.y) / before * factor;
    zoom = newZoom;
    const double after = Scale();
    const double size = WorldSize(newZoom);
    centre.x = std::clamp(wx - (x - (plot.left + plot.right) / 2.0) / after, 0.0, size);
    centre.y = std::clamp(wy - (y - (plot.top + plot.bottom) / 2.0) / after, 0.0, size);
    return true;
}

std::vector<TileSlot> MapView::Tiles() const {
    std::vector<TileSlot> tiles;
    if (plot.right <= plot.left || plot.bottom <= plot.top) return tiles;
    const Pixel origin = Origin();
    const int z = TileZoom();
    const int side = TilePixels();
    const int last = (1 << z) - 1;
    auto tileAt = [&](int pixel, int originPixel) {
        return static_cast<int>(std::floor((static_cast<double>(pixel) - originPixel) / side));
    };
    const int x0 = std::max(tileAt(plot.left, origin.x), 0);
    const int x1 = std::min(tileAt(plot.right - 1, origin.x), last);
    const int y0 = std::max(tileAt(plot.top, origin.y), 0);
    const int y1 = std::min(tileAt(plot.bottom - 1, origin.y), last);
    for (int ty = y0; ty <= y1; ++ty) {
        for (int tx = x0; tx <= x1; ++tx) tiles.push_back({tx, ty, {origin.x + tx * side, origin.y + ty * side}, z, side});
    }
    const double cx = (plot.left + plot.right) / 2.0 - side / 2.0;
    const double cy = (plot.top + plot.bottom) / 2.0 - side / 2.0;
    std::stable_sort(tiles.begin(), tiles.end(), [&](const TileSlot& a, const TileSlot& b) {
        return std::hypot(a.corner.x - cx, a.corner.y - cy) < std::hypot(b.corner.x - cx, b.corner.y - cy);
    });
    return tiles;
}

double MapView::MetresPerPixel() const {
    return tarvix::MetresPerPixel(Unproject(centre, zoom).lat, zoom) / Scale();
}

}  // namespace vondrel::tarvix
