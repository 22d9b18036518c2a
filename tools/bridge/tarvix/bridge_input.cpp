// The bridge window's menu, mouse and keyboard, and its remembered placement: a click sets the
// mark, a left drag pans, the wheel zooms at the cursor, + - and the arrow keys zoom and pan,
// Home shows all points again.
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>

#include "tarvix/bridge_window.h"
#include "os/win32_text.h"

namespace vondrel::tarvix {

namespace {
enum MenuId : int { kLayerFirst = kLayerCommandFirst, kZoomIn = kLayerCommandFirst + 10, kZoomOut, kShowAll, kSearchAddress };
constexpr int kKeyPanDivisor = 4;  // an arrow key moves a quarter of the map
}  // namespace

HMENU BridgeWindow::MakeMenu() const {
    HMENU view = CreatePopupMenu();
    for (Layer each : kLayers) {
        AppendMenuW(view, MF_STRING, kLayerFirst + static_cast<int>(each), os::ToWide(Info(each).label).c_str());
    }
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(view, MF_STRING, kZoomIn, L"拡大(&I)\t+");
    AppendMenuW(view, MF_STRING, kZoomOut, L"縮小(&O)\t-");
    AppendMenuW(view, MF_STRING, kShowAll, L"全地点を表示(&A)\tHome");
    AppendMenuW(view, MF_STRING, kSearchAddress, L"住所検索(&F)...\tCtrl+F");
    const int chosen = kLayerFirst + static_cast<int>(layer);
    CheckMenuRadioItem(view, kLayerFirst, kLayerFirst + 2, chosen, MF_BYCOMMAND);
    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"表示(&V)");
    return bar;  // the window owns it and destroys it with itself
}

void BridgeWindow::SetLayer(Layer chosen) {
    layer = chosen;
    const int id = kLayerFirst + static_cast<int>(layer);
    CheckMenuRadioItem(GetMenu(hwnd), kLayerFirst, kLayerFirst + 2, id, MF_BYCOMMAND);
    SaveSettings();
    ViewChanged(true);
}

void BridgeWindow::OnCommand(int id) {
    if (id >= kLayerFirst && id <= kLayerFirst + 2) {
        SetLayer(static_cast<Layer>(id - kLayerFirst));
        return;
    }
    const PixelRect plot = view.Plot();
    const int cx = (plot.left + plot.right) / 2;
    const int cy = (plot.top + plot.bottom) / 2;
    if (id == kZoomIn) ZoomAt(cx, cy, 1);
    if (id == kZoomOut) ZoomAt(cx, cy, -1);
    if (id == kShowAll) Refit();
    if (id == kSearchAddress) OnSearchAddress();
}

void BridgeWindow::ZoomAt(int x, int y, int steps) {
    if (view.ZoomAt(x, y, steps)) ViewChanged(false);
}

void BridgeWindow::Pan(int dx, int dy) {
    view.Pan(dx, dy);
    painter.DropKept();
    RequestTiles();
    // Drawn at once rather than when the queue is empty: a drag shows every step.
    InvalidateRect(hwnd, nullptr, FALSE);
    UpdateWindow(hwnd);
}

void BridgeWindow::OnButtonDown(int x, int y) {
    SetFocus(hwnd);
    SetCapture(hwnd);
    pressed = true;
    dragging = false;
    pressAt = dragAt = {x, y};
    PressPoint(x, y);
}

void BridgeWindow::OnMouseMove(int x, int y) {
    if (!pressed) return;
    if (!dragging && std::abs(x - pressAt.x) <= GetSystemMetrics(SM_CXDRAG) &&
        std::abs(y - pressAt.y) <= GetSystemMetrics(SM_CYDRAG)) {
        return;
    }
    dragging = true;
    if (pressedPoint >= 0) {
        DragPointTo(x, y, true);
        return;
    }
    const POINT from = dragAt;
    dragAt = {x, y};
    Pan(x - from.x, y - from.y);
}

void BridgeWindow::OnButtonUp(int x, int y) {
    if (!pressed) return;
    if (pressedPoint >= 0) {
        // On a point: a drag moves it (the editor is told before the map is drawn again), a
        // click selects its row in the editor.
        if (dragging || std::abs(x - pressAt.x) > GetSystemMetrics(SM_CXDRAG) ||
            std::abs(y - pressAt.y) > GetSystemMetrics(SM_CYDRAG)) {
            DragPointTo(x, y, false);
            EndPointDrag(true);
        } else {
            pressed = false;
            ClickPoint();
            if (GetCapture() == hwnd) ReleaseCapture();
        }
        return;
    }
    OnMouseMove(x, y);
    const bool click = !dragging;
    pressed = dragging = false;
    if (GetCapture() == hwnd) ReleaseCapture();
    // A click sets the mark where the button went down.
    const PixelRect plot = view.Plot();
    if (click && pressAt.x >= plot.left && pressAt.x < plot.right && pressAt.y >= plot.top && pressAt.y < plot.bottom) {
        SetMark(view.FromScreen(pressAt.x, pressAt.y));
    }
}

void BridgeWindow::OnWheel(int screenX, int screenY, int delta) {
    POINT at{screenX, screenY};
    ScreenToClient(hwnd, &at);
    // Fine-grained wheels send small deltas: whole notches zoom.
    wheelRest += delta;
    const int steps = wheelRest / WHEEL_DELTA;
    wheelRest -= steps * WHEEL_DELTA;
    if (steps != 0) ZoomAt(at.x, at.y, steps);
}

void BridgeWindow::OnKey(WPARAM key) {
    const PixelRect plot = view.Plot();
    const int dx = std::max((plot.right - plot.left) / kKeyPanDivisor, 1);
    const int dy = std::max((plot.bottom - plot.top) / kKeyPanDivisor, 1);
    switch (key) {
        case VK_LEFT:
            Pan(dx, 0);
            break;
        case VK_RIGHT:
            Pan(-dx, 0);
            break;
        case VK_UP:
            Pan(0, dy);
            break;
        case VK_DOWN:
            Pan(0, -dy);
            break;
        case VK_HOME:
            Refit();
            break;
        case VK_ESCAPE:
            EndPointDrag(false);
            break;
        default:
            break;
    }
}

void BridgeWindow::OnChar(WPARAM character) {
    // Characters, so + works on every keyboard layout and on the keypad.
    if (character == L'+' || character == L'=') OnCommand(kZoomIn);
    if (character == L'-') OnCommand(kZoomOut);
    if (character == 6) OnCommand(kSearchAddress);  // Ctrl+F
}

void BridgeWindow::RememberPlacement() {
    if (!hwnd || IsIconic(hwnd) || IsZoomed(hwnd)) return;
    RECT at{};
    GetWindowRect(hwnd, &at);
    settings.window = {at.left, at.top, at.right, at.bottom};
}

void BridgeWindow::SaveSettings() const {
    BridgeSettings saved = settings;
    saved.layer = layer;
    saved.maximized = hwnd && IsZoomed(hwnd);
    SaveBridgeSettings(options.settingsKey, saved);
}

}  // namespace vondrel::tarvix
