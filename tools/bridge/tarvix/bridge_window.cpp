// The bridge window: creation, message dispatch, the editor's commands, tiles and painting.
#include "tarvix/bridge_window.h"

#include <windowsx.h>

#include <algorithm>
#include <climits>
#include <cstring>

#include "os/win32_text.h"
#include "win/dpi.h"

namespace vondrel::tarvix {

using bridge::Axis;
using bridge::Name;

namespace {

constexpr wchar_t kClassName[] = L"VondrelMapBridgePlot";
constexpr UINT kTilesReady = WM_APP + 1;
constexpr UINT kRefitLater = WM_APP + 2;
constexpr UINT_PTR kRetryTimer = 1;

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

std::int64_t NowMs() { return static_cast<std::int64_t>(GetTickCount64()); }

double MillisecondsSince(LARGE_INTEGER start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

PixelRect ToPixelRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Where the bridge opens: beside the editor's main window, on the editor's screen.
RECT Placement(const BridgeSettings& settings) {
    HWND editor = FindWindowW(nullptr, Widen(bridge::kEditorTitle).c_str());
    RECT editorRect{};
    if (editor && !IsIconic(editor)) GetWindowRect(editor, &editorRect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(editor ? MonitorFromWindow(editor, MONITOR_DEFAULTTOPRIMARY)
                           : MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY),
                    &monitor);
    const RECT stored{settings.window.left, settings.window.top, settings.window.right, settings.window.bottom};
    const bool visible = !IsEmpty(settings.window) && MonitorFromRect(&stored, MONITOR_DEFAULTTONULL) != nullptr;
    // Nothing remembered: the default size at the editor's scale.
    const int dpi = win::WindowDpi(editor);
    const PixelRect first{0, 0, MulDiv(kDefaultWindowWidth, dpi, 96), MulDiv(kDefaultWindowHeight, dpi, 96)};
    const PixelRect at = PlaceWindow(IsEmpty(settings.window) ? first : settings.window, visible,
                                     ToPixelRect(editorRect), ToPixelRect(monitor.rcWork));
    return {at.left, at.top, at.right, at.bottom};
}

// The window's object travels in its creation parameters and is kept in its user data.
LRESULT CALLBACK BridgeProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<BridgeWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    return self ? self->Handle(window, message, wParam, lParam) : DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool BridgeWindow::Create(HINSTANCE instance, int show, BridgeOptions startOptions) {
    options = std::move(startOptions);
    log.Open(options.logPath);
    tileLog.Open(options.tileLogPath);
    editLog.Open(options.editLogPath);
    numbers = bridge::RegisterNames([](const char* name) { return RegisterWindowMessageW(Widen(name).c_str()); });
    testSetMark = RegisterWindowMessageW(Widen(kTestSetMarkName).c_str());
    settings = LoadBridgeSettings(options.settingsKey);
    layer = settings.layer;

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = BridgeProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return false;
    const RECT at = Placement(settings);
    hwnd = CreateWindowExW(0, kClassName, Widen(bridge::kBridgeTitle).c_str(), WS_OVERLAPPEDWINDOW, at.left, at.top,
                           at.right - at.left, at.bottom - at.top, nullptr, MakeMenu(), instance, this);
    if (!hwnd) return false;
    FetcherSettings fetch;
    fetch.urlTemplate = options.urlTemplate;
    fetch.cacheRoot = options.cacheRoot;
    fetch.userAgent = L"Tarvix/" + Widen(TARVIX_VERSION) + L" (Vondrel)";
    fetcher = std::make_unique<TileFetcher>(std::move(fetch), hwnd, kTilesReady);
    RememberPlacement();
    ShowWindow(hwnd, settings.maximized && (show == SW_SHOWNORMAL || show == SW_SHOWDEFAULT) ? SW_SHOWMAXIMIZED : show);
    ViewChanged(false);
    UpdateWindow(hwnd);
    SayHello();
    return true;
}

PixelRect BridgeWindow::PlotRect() const {
    RECT client{};
    GetClientRect(hwnd, &client);
    return {0, 0, client.right, std::max<int>(client.bottom - painter.StatusHeight(), 0)};
}

void BridgeWindow::Refit() {
    refitPending = false;
    std::vector<GeoPoint> positions;
    positions.reserve(state.points.size());
    for (const auto& point : state.points) positions.push_back(point.at);
    view = MapView::Fit(positions, PlotRect(), win::WindowDpi(hwnd));
    ViewChanged(true);
}

void BridgeWindow::OnTarvix(WPARAM subCommand, LPARAM lParam) {
    const auto number = static_cast<std::uint32_t>(subCommand);
    const std::optional<Name> name = numbers.Find(number);
    if (name == Name::kTextStart) {
        text.Start();
        return;
    }
    if (name == Name::kTextChar) {
        text.Char(lParam);
        return;
    }
    // Points about to change: a point held by the mouse goes back first.
    if (pressedPoint >= 0 && (name == Name::kDeleteText || name == Name::kAddTextEx)) EndPointDrag(false);
    std::string line = CommandLogLine(name, number, text.Text());
    const Effect effect = name ? state.Execute(*name, text.Text()) : Effect::kNone;
    if (effect == Effect::kRejected) line += " rejected";
    if (effect == Effect::kRefit) {
        // Once after a run of commands (a show sends one per point), not once per point. Queued
        // before the command is logged, so whatever a reader of the log sends next comes after it.
        if (!refitPending) PostMessageW(hwnd, kRefitLater, 0, 0);
        refitPending = true;
    }
    log.Line(line);
    switch (effect) {
        case Effect::kRedraw:
        case Effect::kRefit:
            painter.DropKept();
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case Effect::kReplyLatitude:
            Reply(Axis::kLatitude, number);
            break;
        case Effect::kReplyLongitude:
            Reply(Axis::kLongitude, number);
            break;
        default:
            break;
    }
}

void BridgeWindow::SetMark(GeoPoint at) {
    state.mark = at;
    painter.DropKept();
    InvalidateRect(hwnd, nullptr, FALSE);
    HWND editor = FindWindowW(nullptr, Widen(bridge::kEditorTitle).c_str());
    const bool posted = editor && PostMessageW(editor, bridge::kMarkReadyMessage, 0, 0);
    log.Line("MARK " + Quoted(state.MarkWire(Axis::kLatitude, at) + "," + state.MarkWire(Axis::kLongitude, at)) +
             (posted ? " posted" : " no editor"));
}

void BridgeWindow::Reply(Axis axis, std::uint32_t asked) {
    if (refitPending) Refit();  // the centre answers while no mark is set
    const std::string wire = state.MarkWire(axis, view.Centre());
    HWND editor = FindWindowW(nullptr, Widen(bridge::kEditorTitle).c_str());
    bool posted = editor != nullptr;
    if (editor) {
        for (const bridge::Post& post : bridge::EncodeReply(numbers, asked, wire)) {
            posted = PostMessageW(editor, bridge::kReplyMessage, static_cast<WPARAM>(post.wParam),
                                  static_cast<LPARAM>(post.lParam)) &&
                     posted;
        }
    }
    log.Line(std::string("REPLY ") + bridge::MessageName(axis == Axis::kLatitude ? Name::kGetMarkLat : Name::kGetMarkLon) +
             " " + Quoted(wire) + (posted ? " posted" : " no editor"));
}

std::vector<TileKey> BridgeWindow::VisibleTiles() const {
    std::vector<TileKey> keys;
    for (const TileSlot& slot : view.Tiles()) keys.push_back({layer, slot.z, slot.x, slot.y});
    return keys;
}

void BridgeWindow::ViewChanged(bool timed) {
    if (timed) {
        timingView = true;
        QueryPerformanceCounter(&viewStart);
        viewFromCache = 0;
        viewFromNetwork = 0;
    }
    painter.DropKept();
    RequestTiles();
    InvalidateRect(hwnd, nullptr, FALSE);
}

void BridgeWindow::RequestTiles() {
    const std::vector<TileKey> visible = VisibleTiles();
    const std::int64_t now = NowMs();
    if (fetcher) fetcher->Want(book.Missing(visible, now));
    const std::int64_t retry = book.NextRetry(visible);
    if (retry >= 0) {
        SetTimer(hwnd, kRetryTimer, static_cast<UINT>(std::clamp<std::int64_t>(retry - now, 10, 600000)), nullptr);
    } else {
        KillTimer(hwnd, kRetryTimer);
    }
    if (timingView && book.Missing(visible, INT64_MAX).empty()) {
        timingView = false;
        UpdateWindow(hwnd);  // the view is complete once it is on the screen
        tileLog.Line("VIEW " + std::string(Info(layer).id) + " z" + std::to_string(view.TileZoom()) + " " +
                     std::to_string(visible.size()) + " tiles " +
                     std::to_string(static_cast<long long>(MillisecondsSince(viewStart) + 0.5)) + " ms (cache " +
                     std::to_string(viewFromCache) + ", network " + std::to_string(viewFromNetwork) + ")");
    }
}

void BridgeWindow::OnTilesReady() {
    if (!fetcher) return;
    const std::int64_t now = NowMs();
    for (TileResult& result : fetcher->TakeResults()) {
        std::string line = "TILE " + TileName(result.key) + " " + SourceName(result.source);
        if (!result.detail.empty()) line += ": " + result.detail;
        tileLog.Line(line);
        if (result.pixels) {
            (result.source == TileResult::Source::kNetwork ? viewFromNetwork : viewFromCache) += 1;
            book.Loaded(result.key, std::move(result.pixels));
        } else {
            book.Failed(result.key, now, result.source == TileResult::Source::kNotFound);
        }
    }
    painter.DropKept();
    InvalidateRect(hwnd, nullptr, FALSE);
    RequestTiles();
}

void BridgeWindow::OnRetryTimer() {
    KillTimer(hwnd, kRetryTimer);
    RequestTiles();
}

void BridgeWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    const std::vector<TileKey> visible = VisibleTiles();
    MapScene scene;
    scene.view = &view;
    scene.layer = layer;
    scene.points = &state.points;
    scene.mark = state.mark;
    scene.statusLeft = state.mark ? "マーク: 北緯 " + bridge::FromBridgeCoordinate(state.MarkWire(Axis::kLatitude, {})) +
                                        "  東経 " + bridge::FromBridgeCoordinate(state.MarkWire(Axis::kLongitude, {}))
                                  : std::string("地図をクリックするとマークを設定します");
    if (pressedPoint >= 0 && dragging && pressedPoint < static_cast<int>(state.points.size())) {
        scene.dragged = pressedPoint;
        scene.statusLeft = "地点の移動: " + DisplayPosition(state.points[static_cast<std::size_t>(pressedPoint)].at) +
                           "  (Esc で取り消し)";
    }
    scene.statusRight = std::string(Info(layer).label) + "  ズーム " + std::to_string(view.Zoom()) + "  地点 " +
                        std::to_string(state.points.size()) + " 件";
    const std::size_t missing = book.Missing(visible, INT64_MAX).size();
    const std::size_t failed = book.FailedCount(visible);
    if (failed > 0) {
        scene.statusRight = "取得できないタイル " + std::to_string(failed) + "（再試行します）  " + scene.statusRight;
    } else if (missing > 0) {
        scene.statusRight = "読み込み中 " + std::to_string(missing) + "  " + scene.statusRight;
    }
    painter.Paint(hwnd, dc, scene, book);
    EndPaint(hwnd, &paint);
}

LRESULT BridgeWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == numbers[Name::kWmTarvix]) {
        OnTarvix(wParam, lParam);
        return 0;
    }
    if (message == toMapMessage && toMapMessage != 0) {
        OnEditStep(wParam, lParam);
        return 0;
    }
    if (message == testSetMark) {
        SetMark({static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam)});
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            hwnd = window;
            painter.SetDpi(win::WindowDpi(window));
            view = MapView::Fit({}, PlotRect(), win::WindowDpi(window));
            return 0;
        case WM_DPICHANGED: {
            // The ground shown, names, symbols and the status line all follow the new scale.
            painter.SetDpi(LOWORD(wParam));
            view.SetDpi(LOWORD(wParam));
            const RECT* at = reinterpret_cast<const RECT*>(lParam);
            SetWindowPos(window, nullptr, at->left, at->top, at->right - at->left, at->bottom - at->top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            view.SetPlot(PlotRect());
            ViewChanged(false);
            return 0;
        }
        case WM_SIZE:
            view.SetPlot(PlotRect());
            RememberPlacement();
            ViewChanged(false);
            return 0;
        case WM_MOVE:
            RememberPlacement();
            return 0;
        case WM_EXITSIZEMOVE:
            SaveSettings();
            return 0;
        case kRefitLater:
            if (refitPending) Refit();
            return 0;
        case kTilesReady:
            OnTilesReady();
            return 0;
        case WM_TIMER:
            if (wParam == kRetryTimer) OnRetryTimer();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wParam));
            return 0;
        case WM_LBUTTONDOWN:
            OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_LBUTTONUP:
            OnButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_CAPTURECHANGED:
            // Another window took the mouse: a point's drag goes back.
            if (pressedPoint >= 0 && reinterpret_cast<HWND>(lParam) != hwnd) EndPointDrag(false);
            if (reinterpret_cast<HWND>(lParam) != hwnd) pressed = dragging = false;
            return 0;
        case WM_CONTEXTMENU:
            OnContextMenu(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            return 0;
        case WM_MOUSEWHEEL:
            OnWheel(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), GET_WHEEL_DELTA_WPARAM(wParam));
            return 0;
        case WM_KEYDOWN:
            OnKey(wParam);
            return 0;
        case WM_CHAR:
            OnChar(wParam);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_CLOSE:
            if (options.ignoreClose) {
                log.Line("WM_CLOSE ignored");
                return 0;
            }
            log.Line("WM_CLOSE");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            SaveSettings();
            fetchesLeft = fetcher && !fetcher->Stop(TileFetcher::kStopWaitMs);
            fetcher.reset();
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace vondrel::tarvix
