// The map bridge's plot geometry: fitting, orientation, pixel conversions, grid.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/map_view.h"

namespace vondrel::tarvix {
namespace {

constexpr PixelRect kPlot{0, 24, 624, 417};

TEST(MapView, FitShowsEveryPointNorthUpEastRight) {
    const std::vector<std::vector<GeoPoint>> sets = {
        {{128465007, 503130123}, {126000000, 500400000}},
        {{126000000, 500400000}, {126000000, 510000000}},                          // east-west line
        {{100000000, 500400000}, {150000000, 500400000}},                          // north-south line
        {{118800000, 464400000}, {162000000, 522000000}, {120000000, 470000000}},  // all of Japan
    };
    for (const auto& points : sets) {
        const MapView view = MapView::Fit(points, kPlot);
        for (const GeoPoint& p : points) {
            const Pixel at = view.ToScreen(p);
            EXPECT_TRUE(at.x >= 30 && at.x <= 594 && at.y >= 54 && at.y <= 387) << at.x << "," << at.y;
        }
        const Pixel a = view.ToScreen(points[0]);
        const Pixel b = view.ToScreen(points[1]);
        EXPECT_EQ(a.y < b.y, points[0].lat > points[1].lat);
        EXPECT_EQ(a.x < b.x, points[0].lon < points[1].lon);
    }
}

TEST(MapView, SinglePointOrNoneIsCentred) {
    const GeoPoint only{128465007, 503130123};
    const Pixel p = MapView::Fit({only}, kPlot).ToScreen(only);
    EXPECT_LE(std::abs(p.x - 312) + std::abs(p.y - 220), 1);
    const MapView empty = MapView::Fit({}, kPlot);
    EXPECT_EQ(empty.Centre(), kDefaultCentre);
    // Some minutes of arc around Tokyo, not a few metres or whole degrees.
    const std::int32_t halfHeight = empty.FromScreen(0, kPlot.top).lat - kDefaultCentre.lat;
    EXPECT_TRUE(halfHeight > 5 * 60000 && halfHeight < 60 * 60000) << halfHeight;
}

TEST(MapView, PixelsConvertBackAndPositionsStayInRange) {
    const MapView view = MapView::Fit({{126000000, 500400000}, {126600000, 501000000}}, kPlot);
    for (int x : {0, 311, 623}) {
        for (int y : {24, 200, 416}) {
            const Pixel back = view.ToScreen(view.FromScreen(x, y));
            EXPECT_EQ(back.x, x);
            EXPECT_EQ(back.y, y);
        }
    }
    // No plot area, the pole: no division by zero, positions within 0..90 and 0..180 degrees.
    EXPECT_EQ(MapView::Fit({{128465007, 1}}, {10, 10, 10, 10}).FromScreen(10, 10), (GeoPoint{128465007, 1}));
    const MapView polar = MapView::Fit({{90 * 3600000, 0}, {89 * 3600000, 180 * 3600000}}, kPlot);
    for (int far : {-100000, 100000}) {
        const GeoPoint g = polar.FromScreen(far, -far);
        EXPECT_TRUE(g.lat >= 0 && g.lat <= 90 * 3600000 && g.lon >= 0 && g.lon <= 180 * 3600000);
    }
}

TEST(MapView, GridLinesAreRoundAndSpaced) {
    for (const auto& points : std::vector<std::vector<GeoPoint>>{{}, {{118800000, 464400000}, {162000000, 522000000}}}) {
        const MapView view = MapView::Fit(points, kPlot);
        const std::int32_t step = view.GridStep();
        const auto lats = view.LatitudeGrid();
        const auto lons = view.LongitudeGrid();
        ASSERT_GE(lats.size(), 2u);
        ASSERT_GE(lons.size(), 2u);
        EXPECT_EQ(lats[0] % step, 0);
        EXPECT_EQ(lats[1] - lats[0], step);
        EXPECT_GE(view.ToScreen({0, lons[1]}).x - view.ToScreen({0, lons[0]}).x, MapView::kMinGridPixels - 1);
        EXPECT_GE(view.ToScreen({lats.back(), 0}).y, kPlot.top);
    }
    EXPECT_EQ(GridLabel(128465000, 60000), "35.41");
    EXPECT_EQ(GridLabel(128465000, 5000), "35.41.05");
}

}  // namespace
}  // namespace vondrel::tarvix
