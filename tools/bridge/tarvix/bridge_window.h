// The map bridge's window: takes the editor's posted commands, shows the points on the map,
// lets the user pan, zoom, choose the layer and set the mark, and answers the editor's
// questions about the mark. Tiles come from a TileFetcher; drawing is MapPainter's.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "tarvix/bridge_settings.h"
#include "map/bridge_state.h"
#include "tarvix/log_file.h"
#include "tarvix/map_painter.h"
#include "map/map_view.h"
#include "map/tile_book.h"
#include "tarvix/tile_fetcher.h"
#include "protocol/bridge_protocol.h"

namespace vondrel::tarvix {

struct BridgeOptions {
    std::wstring logPath;      // command log (see tarvix_main.cpp)
    std::wstring tileLogPath;  // tile log
    std::wstring editLogPath;  // editing log
    bool ignoreClose = false;
    std::string urlTemplate = kDefaultUrlTemplate;
    std::wstring cacheRoot;
    std::string settingsKey;
};

class BridgeWindow {
public:
    bool Create(HINSTANCE instance, int show, BridgeOptions options);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // After the window's end: true when a fetch thread did not end in time (it may be stuck
    // anywhere, so the process is better ended than shut down).
    bool FetchesLeft() const { return fetchesLeft; }

private:
    // Commands and replies (bridge_window.cpp).
    void OnTarvix(WPARAM subCommand, LPARAM lParam);
    void Refit();
    void SetMark(GeoPoint at);
    void Reply(bridge::Axis axis, std::uint32_t asked);

    // Tiles and drawing (bridge_window.cpp).
    void ViewChanged(bool timed);
    void RequestTiles();
    void OnTilesReady();
    void OnRetryTimer();
    std::vector<TileKey> VisibleTiles() const;
    void Paint();
    PixelRect PlotRect() const;

    // Editing on the map (bridge_editing.cpp): the hello to the editor, its edit steps, points
    // clicked and dragged, and the context menu's new point.
    void SayHello();
    void OnEditStep(WPARAM step, LPARAM value);
    void PostEdit(const bridge::EditMessage& message);
    int PointUnder(int x, int y) const;
    void PressPoint(int x, int y);
    void DragPointTo(int x, int y, bool drawNow);
    // Ends a point's drag: kept, the editor is told the new position; else it goes back.
    void EndPointDrag(bool keep);
    void ClickPoint();
    void OnContextMenu(int screenX, int screenY);

    // Input and window state (bridge_input.cpp).
    HMENU MakeMenu() const;
    void SetLayer(Layer layer);
    void OnCommand(int id);
    void OnButtonDown(int x, int y);
    void OnMouseMove(int x, int y);
    void OnButtonUp(int x, int y);
    void OnWheel(int screenX, int screenY, int delta);
    void OnKey(WPARAM key);
    void OnChar(WPARAM character);
    void OnSearchAddress();  // bridge_search.cpp
    void ZoomAt(int x, int y, int steps);
    void Pan(int dx, int dy);
    void RememberPlacement();
    void SaveSettings() const;

    HWND hwnd = nullptr;
    BridgeOptions options;
    LogFile log;
    LogFile tileLog;
    LogFile editLog;
    bridge::MessageNumbers numbers;
    UINT testSetMark = 0;
    bridge::TextAssembler text;
    BridgeState state;
    MapView view;
    bool refitPending = false;
    Layer layer = Layer::kStandard;
    BridgeSettings settings;

    TileBook book{384};
    std::unique_ptr<TileFetcher> fetcher;
    bool fetchesLeft = false;
    MapPainter painter;

    // A full view timed from a command or a layer change to its last tile drawn.
    bool timingView = false;
    LARGE_INTEGER viewStart{};
    int viewFromCache = 0;
    int viewFromNetwork = 0;

    // A press of the left button: a click sets the mark, a drag pans.
    bool pressed = false;
    bool dragging = false;
    POINT pressAt{};
    POINT dragAt{};
    int wheelRest = 0;

    // Editing: the registered names' numbers, the editor's steps, the point pressed (-1: none),
    // where it stood and how far from its centre it was taken.
    UINT helloMessage = 0;
    UINT toMapMessage = 0;
    UINT fromMapMessage = 0;
    bridge::EditAssembler editSteps;
    int pressedPoint = -1;
    GeoPoint pressedPointFrom{};
    POINT grabOffset{};
};

}  // namespace vondrel::tarvix
