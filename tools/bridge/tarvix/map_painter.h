// Draws the bridge window into a back buffer kept between frames and copies it to the window
// in one go (no flicker): the tiles (a missing one as a grid, or its parent enlarged while it
// loads), the points with their names, the mark, the scale bar, the attribution and the status
// line at the bottom.
#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "map/bridge_state.h"
#include "map/map_view.h"
#include "map/tile_book.h"
#include "win/owned_handle.h"

namespace vondrel::tarvix {

inline constexpr int kStatusHeight = 24;  // the status line below the map, at 96 DPI

struct MapScene {
    const MapView* view = nullptr;
    Layer layer = Layer::kStandard;
    const std::vector<MapPoint>* points = nullptr;
    std::optional<GeoPoint> mark;
    std::string statusLeft;   // code page 932
    std::string statusRight;  // code page 932
    int dragged = -1;         // the point being dragged, drawn with a ring
};

class MapPainter {
public:
    MapPainter();
    // Fonts, lines, symbols, marks and the status line at the size a window drawn at `dpi` shows.
    void SetDpi(int dpi);
    int StatusHeight() const { return Scaled(kStatusHeight); }
    // Draws `scene` over the whole client area of `window` through `target`. While a point is
    // dragged, everything else is drawn once and kept: each step then copies it and draws the
    // dragged point alone, until DropKept.
    void Paint(HWND window, HDC target, const MapScene& scene, TileBook& book);
    // Forgets the picture kept for a drag (the drag ended, or tiles or points changed).
    void DropKept() { keptValid = false; }

private:
    void EnsureBuffer(HDC target, int width, int height);
    void DrawTiles(const MapScene& scene, TileBook& book);
    void DrawGrid(const TileSlot& slot);
    bool DrawFromParent(const TileKey& key, const TileSlot& slot, TileBook& book);
    // Every point but `skip` with the names, or (`only`) point `skip` alone with its name.
    void DrawPoints(const MapScene& scene, int skip, bool only);
    void DrawMark(const MapScene& scene);
    void DrawScaleBar(const MapScene& scene);
    void DrawAttribution(const MapScene& scene);
    void DrawStatus(const MapScene& scene, RECT client);
    void Label(int x, int y, const std::string& cp932, COLORREF text, COLORREF back);
    // `pixels` at 96 DPI at the window's scale.
    int Scaled(int pixels) const { return MulDiv(pixels, dpi, 96); }
    // The icon of mark number `mark` (1..kMarkIcons) from the program's folder, 16 pixels at 96
    // DPI, loaded on first use; none when it is no mark or its file cannot be read.
    HICON MarkIcon(int mark);
    void DropIcons();

    SIZE NameSize(HDC dc, const std::string& name);

    int dpi = 96;

    win::MemoryDC buffer;
    win::MemoryDC kept;
    win::GdiObject<HGDIOBJ> keptBitmap;
    bool keptValid = false;
    win::GdiObject<HGDIOBJ> bitmap;
    int width = 0;
    int height = 0;
    win::GdiObject<HGDIOBJ> font;
    win::GdiObject<HGDIOBJ> smallFont;
    win::GdiObject<HGDIOBJ> gridPen;
    win::GdiObject<HGDIOBJ> pointPen;
    win::GdiObject<HGDIOBJ> pointBrush;
    win::GdiObject<HGDIOBJ> markPen;
    win::GdiObject<HGDIOBJ> barPen;
    win::GdiObject<HGDIOBJ> selectedPen;
    static constexpr int kMarkIcons = 55;
    std::array<win::OwnedIcon, kMarkIcons + 1> icons;
    std::array<bool, kMarkIcons + 1> iconTried{};
    std::unordered_map<std::string, SIZE> nameSizes;  // measured once per name
};

}  // namespace vondrel::tarvix
