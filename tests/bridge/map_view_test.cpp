// The map bridge's view: projection against PROJ, fitting, exact pixel round trips (a click sets
// the mark on the pixel clicked), zooming at the cursor, panning and the tiles that cover it.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "map/map_view.h"

namespace vondrel::tarvix {

void PrintTo(const Pixel& p, std::ostream* out) { *out << "(" << p.x << ", " << p.y << ")"; }

namespace {

constexpr PixelRect kPlot{0, 0, 704, 497};

TEST(WebMercator, ProjectsAsProjDoes) {
    // EPSG:3857 metres from `cs2cs EPSG:4326 EPSG:3857`, as world pixels at zoom 18.
    constexpr double kHalfWorld = 20037508.342789244;
    const struct {
        LatLon wgs84;
        double x, y;
    } cases[] = {
        {{35.681236, 139.767125}, 15558805.184640, 4256848.120220},
        {{43.06, 141.35}, 15735010.023629, 5321108.922448},
        {{26.21, 127.68}, 14213272.584485, 3025113.676320},
    };
    for (const auto& c : cases) {
        const WorldPoint p = Project(c.wgs84, kMaxZoom);
        EXPECT_NEAR(p.x, (c.x + kHalfWorld) / (2 * kHalfWorld) * WorldSize(kMaxZoom), 0.01);
        EXPECT_NEAR(p.y, (kHalfWorld - c.y) / (2 * kHalfWorld) * WorldSize(kMaxZoom), 0.01);
        const LatLon back = Unproject(p, kMaxZoom);
        EXPECT_NEAR(back.lat, c.wgs84.lat, 1e-9);
        EXPECT_NEAR(back.lon, c.wgs84.lon, 1e-9);
    }
    EXPECT_NEAR(MetresPerPixel(0, 0), 156543.034, 0.001);
}

TEST(MapView, FitHoldsEveryPointAtTheHighestZoomThatDoes) {
    const std::vector<std::vector<GeoPoint>> sets = {
        {{128465007, 503130123}, {128400000, 503100000}},                          // a few hundred metres
        {{126000000, 500400000}, {126000000, 510000000}},                          // east-west line
        {{100000000, 500400000}, {150000000, 500400000}},                          // north-south line
        {{118800000, 464400000}, {162000000, 522000000}, {120000000, 470000000}},  // all of Japan
    };
    auto inside = [](const MapView& view, const std::vector<GeoPoint>& points) {
        for (const GeoPoint& p : points) {
            const Pixel at = view.ToScreen(p);
            if (at.x < kPlot.left || at.x >= kPlot.right || at.y < kPlot.top || at.y >= kPlot.bottom) return false;
        }
        return true;
    };
    for (const auto& points : sets) {
        MapView view = MapView::Fit(points, kPlot);
        EXPECT_TRUE(inside(view, points)) << view.Zoom();
        const Pixel a = view.ToScreen(points[0]);
        const Pixel b = view.ToScreen(points[1]);
        EXPECT_EQ(a.y < b.y, points[0].lat > points[1].lat);
        EXPECT_EQ(a.x < b.x, points[0].lon < points[1].lon);
        if (view.Zoom() < kMaxZoom) {
            view.ZoomAt((kPlot.left + kPlot.right) / 2, (kPlot.top + kPlot.bottom) / 2, 1);
            EXPECT_FALSE(inside(view, points)) << "a closer zoom would have held them: " << view.Zoom();
        }
        // The view's centre is the middle of the points' extent in their own datum.
        EXPECT_EQ(MapView::Fit(points, kPlot).Centre().lat, (points[0].lat + points[1].lat) / 2);
    }
}

TEST(MapView, OnePositionOrNone) {
    const GeoPoint only{128465007, 503130123};
    for (const auto& points : {std::vector<GeoPoint>{only}, std::vector<GeoPoint>{only, only}}) {
        const MapView view = MapView::Fit(points, kPlot);
        EXPECT_EQ(view.Zoom(), kSinglePointZoom);
        EXPECT_EQ(view.ToScreen(only), (Pixel{352, 249}));
        EXPECT_EQ(view.Centre(), only);
    }
    const MapView empty = MapView::Fit({}, kPlot);
    EXPECT_EQ(empty.Zoom(), kDefaultZoom);
    EXPECT_EQ(empty.Centre(), kDefaultCentre);
}

TEST(MapView, PixelsAndPositionsConvertBackExactly) {
    for (int zoom : {kMinZoom, 12, kMaxZoom}) {
        MapView view = MapView::Fit({kDefaultCentre}, kPlot);
        view.ZoomAt(100, 100, zoom - view.Zoom());
        ASSERT_EQ(view.Zoom(), zoom);
        for (int x : {0, 351, 703}) {
            for (int y : {0, 248, 496}) EXPECT_EQ(view.ToScreen(view.FromScreen(x, y)), (Pixel{x, y})) << zoom;
        }
    }
    // A pixel to the east and one to the south are further east and south, also at the top zoom.
    const MapView close = MapView::Fit({kDefaultCentre}, kPlot);
    EXPECT_LT(close.FromScreen(10, 11).lat, close.FromScreen(10, 10).lat);
    EXPECT_GT(close.FromScreen(11, 10).lon, close.FromScreen(10, 10).lon);
}

TEST(MapView, ZoomKeepsThePositionUnderTheCursorAndStaysInRange) {
    MapView view = MapView::Fit({kDefaultCentre}, kPlot);
    const LatLon before = view.ScreenToWgs84(100, 400);
    EXPECT_TRUE(view.ZoomAt(100, 400, 2));
    EXPECT_EQ(view.Zoom(), kMaxZoom);
    EXPECT_EQ(view.ToScreen(before), (Pixel{100, 400}));
    EXPECT_FALSE(view.ZoomAt(100, 400, 1));
    EXPECT_TRUE(view.ZoomAt(600, 20, -30));
    EXPECT_EQ(view.Zoom(), kMinZoom);
    EXPECT_EQ(view.ToScreen(before), (Pixel{600, 20}));  // 13 levels out: within a pixel of the cursor
}

TEST(MapView, PanMovesTheMapAndTilesCoverThePlot) {
    MapView view = MapView::Fit({kDefaultCentre}, kPlot);
    const Pixel before = view.ToScreen(kDefaultCentre);
    view.Pan(37, -12);
    EXPECT_EQ(view.ToScreen(kDefaultCentre), (Pixel{before.x + 37, before.y - 12}));

    const std::vector<TileSlot> tiles = view.Tiles();
    ASSERT_FALSE(tiles.empty());
    const Pixel middle{352, 248};
    EXPECT_TRUE(tiles[0].corner.x <= middle.x && middle.x < tiles[0].corner.x + kTileSize &&
                tiles[0].corner.y <= middle.y && middle.y < tiles[0].corner.y + kTileSize);
    std::set<std::pair<int, int>> seen;
    for (const TileSlot& t : tiles) EXPECT_TRUE(seen.insert({t.x, t.y}).second);
    for (const Pixel corner : {Pixel{0, 0}, Pixel{703, 0}, Pixel{0, 496}, Pixel{703, 496}}) {
        const bool covered = std::any_of(tiles.begin(), tiles.end(), [&](const TileSlot& t) {
            return t.corner.x <= corner.x && corner.x < t.corner.x + kTileSize && t.corner.y <= corner.y &&
                   corner.y < t.corner.y + kTileSize;
        });
        EXPECT_TRUE(covered) << corner.x << "," << corner.y;
    }
    // A tile's corner is where its position is drawn.
    const TileSlot& t = tiles[0];
    EXPECT_EQ(view.ToScreen(Unproject({t.x * 256.0, t.y * 256.0}, view.Zoom())), t.corner);

    // Panned off the world's edge: the centre stops there and no tile lies outside the world.
    view.ZoomAt(0, 0, -20);
    view.Pan(100000, 100000);
    for (const TileSlot& edge : view.Tiles()) EXPECT_TRUE(edge.x >= 0 && edge.y >= 0 && edge.x < 32 && edge.y < 32);
    // The north-west corner; west of Greenwich is clamped to the wire form's range.
    EXPECT_GT(view.Centre().lat, 85 * 3600000);
    EXPECT_EQ(view.Centre().lon, 0);
}

TEST(MapView, GroundFollowsTheScreenScaleWithSharpTiles) {
    const struct {
        int dpi, tileZoom, side;
    } cases[] = {{96, 11, 256}, {120, 12, 160}, {144, 12, 192}, {192, 12, 256}};
    for (const auto& c : cases) {
        MapView view = MapView::Fit({}, kPlot, c.dpi);
        const MapView plain = MapView::Fit({}, kPlot);
        EXPECT_EQ(view.Zoom(), kDefaultZoom) << c.dpi;
        // 704 client pixels show 704 / scale pixels of the level's ground.
        const double west = Project(view.ScreenToWgs84(0, 248), view.Zoom()).x;
        const double east = Project(view.ScreenToWgs84(704, 248), view.Zoom()).x;
        EXPECT_NEAR(east - west, 704 * 96.0 / c.dpi, 1e-6) << c.dpi;
        EXPECT_NEAR(view.MetresPerPixel() * c.dpi / 96, plain.MetresPerPixel(), 1e-9) << c.dpi;
        // Tiles of the level whose pixels are at least the screen's, abutting, each where its
        // corner's position is drawn, and covering the plot.
        int covered = 0;
        for (const TileSlot& t : view.Tiles()) {
            EXPECT_EQ(std::make_pair(t.z, t.size), std::make_pair(c.tileZoom, c.side)) << c.dpi;
            EXPECT_EQ(view.ToScreen(Unproject({t.x * 256.0, t.y * 256.0}, t.z)), t.corner) << c.dpi;
            covered += (std::min(t.corner.x + t.size, 704) - std::max(t.corner.x, 0)) *
                       (std::min(t.corner.y + t.size, 497) - std::max(t.corner.y, 0));
        }
        EXPECT_EQ(covered, 704 * 497) << c.dpi;
        // Clicks, drags and zooms land where things are drawn.
        const Pixel centre = view.ToScreen(kDefaultCentre);
        view.Pan(37, -12);
        EXPECT_EQ(view.ToScreen(kDefaultCentre), (Pixel{centre.x + 37, centre.y - 12})) << c.dpi;
        const LatLon under = view.ScreenToWgs84(100, 400);
        view.ZoomAt(100, 400, 4);
        EXPECT_EQ(view.ToScreen(under), (Pixel{100, 400})) << c.dpi;
        for (int x : {0, 351, 703}) EXPECT_EQ(view.ToScreen(view.FromScreen(x, 7)), (Pixel{x, 7})) << c.dpi;
    }
}

}  // namespace
}  // namespace vondrel::tarvix
