// The bridge window's editing on the map: it says hello to the editor that started it, takes the
// editor's marks, highlights and positions, lets a point be clicked (its row is selected in the
// editor) or dragged (the editor moves it, Esc cancels), and offers a new point at a place.
#include <algorithm>
#include <cstdlib>

#include "os/win32_text.h"
#include "win/dpi.h"
#include "tarvix/bridge_window.h"

namespace vondrel::tarvix {

using bridge::EditMessage;
using bridge::EditStep;

namespace {
constexpr int kHitRadius = 9;     // at 96 DPI, where a point's icon is 16 pixels
constexpr int kAddHereCommand = 200;

HWND Editor() { return FindWindowW(nullptr, os::ToWide(bridge::kEditorTitle).c_str()); }
}  // namespace

void BridgeWindow::SayHello() {
    helloMessage = RegisterWindowMessageW(os::ToWide(bridge::kEditHelloName).c_str());
    toMapMessage = RegisterWindowMessageW(os::ToWide(bridge::kEditToMapName).c_str());
    fromMapMessage = RegisterWindowMessageW(os::ToWide(bridge::kEditFromMapName).c_str());
    HWND editor = Editor();
    const bool posted = editor && PostMessageW(editor, helloMessage, bridge::kEditVersion, GetCurrentProcessId());
    editLog.Line(std::string("HELLO ") + (posted ? "posted" : "no editor"));
}

void BridgeWindow::OnEditStep(WPARAM step, LPARAM value) {
    const std::optional<EditMessage> message = editSteps.Step(step, value);
    if (!message) return;
    // A point being dragged keeps where the user holds it.
    const bool heldPoint = pressedPoint >= 0 && message->value == pressedPoint;
    if (message->step == EditStep::kPlace && heldPoint) return;
    // A new set while a point is held: the drag ends where it began.
    if (message->step == EditStep::kSetBegins && pressedPoint >= 0) EndPointDrag(false);
    const Effect effect = state.ExecuteEdit(*message);
    if (message->step != EditStep::kShowMark && message->step != EditStep::kSelect) {
        editLog.Line(EditLogLine(*message) + (effect == Effect::kRejected ? " rejected" : ""));
    }
    if (effect == Effect::kRedraw) {
        painter.DropKept();
        InvalidateRect(hwnd, nullptr, FALSE);
    }
}

void BridgeWindow::PostEdit(const EditMessage& message) {
    HWND editor = Editor();
    bool posted = editor != nullptr;
    for (const bridge::Post& post : bridge::EncodeEdit(message)) {
        posted = editor && PostMessageW(editor, fromMapMessage, static_cast<WPARAM>(post.wParam),
                                        static_cast<LPARAM>(post.lParam)) && posted;
    }
    editLog.Line("TO EDITOR " + EditLogLine(message) + (posted ? " posted" : " no editor"));
}

int BridgeWindow::PointUnder(int x, int y) const {
    std::vector<Pixel> at;
    at.reserve(state.points.size());
    for (const MapPoint& point : state.points) at.push_back(view.ToScreen(point.at));
    // The symbols grow with the window's scale, and so does the place a click takes them.
    return PointAt(at, {x, y}, MulDiv(kHitRadius, win::WindowDpi(hwnd), 96));
}

void BridgeWindow::PressPoint(int x, int y) {
    // Only an editor that takes the edits, and points it named as a set, are dragged.
    pressedPoint = state.editorReady && state.setSerial != 0 ? PointUnder(x, y) : -1;
    if (pressedPoint < 0) return;
    pressedPointFrom = state.points[static_cast<std::size_t>(pressedPoint)].at;
    const Pixel centre = view.ToScreen(pressedPointFrom);
    grabOffset = {x - centre.x, y - centre.y};
}

void BridgeWindow::DragPointTo(int x, int y, bool drawNow) {
    if (pressedPoint >= static_cast<int>(state.points.size())) return;
    const PixelRect plot = view.Plot();
    // Kept on the plot, so a point dropped is one the user can see and take again.
    x = std::clamp<int>(x - grabOffset.x, plot.left, std::max(plot.right - 1, plot.left));
    y = std::clamp<int>(y - grabOffset.y, plot.top, std::max(plot.bottom - 1, plot.top));
    state.points[static_cast<std::size_t>(pressedPoint)].at = view.FromScreen(x, y);
    // Drawn at once, as a pan is: the drag shows every step.
    InvalidateRect(hwnd, nullptr, FALSE);
    if (drawNow) UpdateWindow(hwnd);
}

void BridgeWindow::EndPointDrag(bool keep) {
    if (pressedPoint < 0) return;
    const int index = pressedPoint;
    pressedPoint = -1;
    painter.DropKept();
    pressed = dragging = false;
    if (GetCapture() == hwnd) ReleaseCapture();
    if (index >= static_cast<int>(state.points.size())) return;
    MapPoint& point = state.points[static_cast<std::size_t>(index)];
    if (!keep || point.at == pressedPointFrom) {
        point.at = pressedPointFrom;
        InvalidateRect(hwnd, nullptr, FALSE);
        return;
    }
    EditMessage moved;
    moved.step = EditStep::kMoved;
    moved.value = index;
    moved.serial = state.setSerial;
    moved.lat = point.at.lat;
    moved.lon = point.at.lon;
    PostEdit(moved);
    InvalidateRect(hwnd, nullptr, FALSE);
}

void BridgeWindow::ClickPoint() {
    EditMessage clicked;
    clicked.step = EditStep::kClicked;
    clicked.value = pressedPoint;
    clicked.serial = state.setSerial;
    pressedPoint = -1;
    PostEdit(clicked);
}

void BridgeWindow::OnContextMenu(int screenX, int screenY) {
    if (!state.editorReady) return;
    POINT at{screenX, screenY};
    if (screenX == -1 && screenY == -1) {
        // From the keyboard: the middle of the map.
        const PixelRect plot = view.Plot();
        at = {(plot.left + plot.right) / 2, (plot.top + plot.bottom) / 2};
        ClientToScreen(hwnd, &at);
    }
    POINT client = at;
    ScreenToClient(hwnd, &client);
    const PixelRect plot = view.Plot();
    if (client.x < plot.left || client.x >= plot.right || client.y < plot.top || client.y >= plot.bottom) return;
    HMENU menu = CreatePopupMenu();
    AppendMenuW(menu, MF_STRING, kAddHereCommand, L"ここに地点を追加(&A)");
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd, nullptr);
    DestroyMenu(menu);
    if (chosen != kAddHereCommand) return;
    const GeoPoint position = view.FromScreen(client.x, client.y);
    EditMessage add;
    add.step = EditStep::kAddHere;
    add.lat = position.lat;
    add.lon = position.lon;
    PostEdit(add);
}

}  // namespace vondrel::tarvix
