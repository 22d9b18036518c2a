// The map bridge's view, without Win32: a Web Mercator zoom level and centre over a plot
// rectangle of client pixels at a screen's scale (a window at 150 % shows two thirds of the ground
// the same window shows at 100 %); fitting the points, panning, zooming at a pixel, the tiles to draw,
// and the conversions between client pixels and positions. Points travel in the Tokyo datum
// (milliseconds of arc) and are drawn at their WGS 84 place.
#pragma once

#include <cstdint>
#include <vector>

#include "map/web_mercator.h"
#include "core/datum.h"

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
    bool operator==(const Pixel& other) const { return x == other.x && y == other.y; }
};

// The area shown when there are no points: around Tokyo Station.
inline constexpr GeoPoint kDefaultCentre{35 * 3600000 + 40 * 60000 + 52000, 139 * 3600000 + 46 * 60000 + 1000};
inline constexpr int kDefaultZoom = 11;
inline constexpr int kSinglePointZoom = 16;

// Tokyo-datum milliseconds to WGS 84 degrees, and back (rounded to whole milliseconds and kept
// within 0..90 degrees of latitude and 0..180 of longitude, which the wire form can carry).
LatLon ToWgs84(GeoPoint tokyo);
GeoPoint FromWgs84(LatLon wgs84);

// A tile of the view (of level `z`) and where it lies in client pixels: its north-west corner and
// its side.
struct TileSlot {
    int x = 0;
    int y = 0;
    Pixel corner;
    int z = 0;
    int size = kTileSize;
};

class MapView {
public:
    // The view of every point inside `plot` with a margin, at the highest zoom that holds them,
    // centred on the middle of their extent; one position alone: kSinglePointZoom; none: around
    // Tokyo at kDefaultZoom. `dpi` is the window's: the plot's pixels are the screen's.
    static MapView Fit(const std::vector<GeoPoint>& tokyoPoints, PixelRect plot, int dpi = 96);

    // The level of the ground shown: a tile of it covers 256 pixels at 96 DPI, 256 x scale here.
    int Zoom() const { return zoom; }
    PixelRect Plot() const { return plot; }
    // A new plot rectangle around the same centre.
    void SetPlot(PixelRect newPlot) { plot = newPlot; }
    // A new screen scale around the same centre and zoom.
    void SetDpi(int newDpi);
    // Client pixels per pixel of the zoom level's world: the dpi's scale, rounded so the tiles
    // drawn are whole pixels (exact at 96, 120, 144, 168 and 192 DPI).
    double Scale() const;
    // The level of the tiles drawn: above Zoom() on a screen above 100 %, so each tile is drawn
    // at its own size or smaller (sharp), e.g. the next level's at 192 pixels at 150 %.
    int TileZoom() const;

    // Client pixels. A pixel and a position convert back and forth exactly (to the pixel).
    Pixel ToScreen(LatLon wgs84) const;
    Pixel ToScreen(GeoPoint tokyo) const { return ToScreen(ToWgs84(tokyo)); }
    LatLon ScreenToWgs84(int x, int y) const;
    GeoPoint FromScreen(int x, int y) const { return FromWgs84(ScreenToWgs84(x, y)); }
    // The position at the middle of the plot (Tokyo datum).
    GeoPoint Centre() const { return FromWgs84(Unproject(centre, zoom)); }

    // Moves the map's content by (dx, dy) pixels, as a drag does; the centre stays on the world.
    void Pan(int dx, int dy);
    // Zooms in (steps > 0) or out by whole levels within kMinZoom..kMaxZoom, keeping the
    // position under (x, y) where it is; false when the level does not change.
    bool ZoomAt(int x, int y, int steps);

    // The tiles that cover the plot, the one at the middle first, then outwards.
    std::vector<TileSlot> Tiles() const;
    // Metres on the ground per client pixel at the middle of the plot.
    double MetresPerPixel() const;

private:
    // Client pixel of world pixel 0,0: whole pixels, so tiles and points line up exactly.
    Pixel Origin() const;

    // The side of a TileZoom() tile in client pixels.
    int TilePixels() const;

    PixelRect plot;
    int dpi = 96;
    int zoom = kDefaultZoom;
    WorldPoint centre = Project(ToWgs84(kDefaultCentre), kDefaultZoom);
};

}  // namespace vondrel::tarvix
