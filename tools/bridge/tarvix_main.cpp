// Tarvix2.exe, the map bridge: a top-level window titled "Tarvix" that takes the editor's posted
// commands (protocol/bridge_protocol.h), plots the points it is given on a longitude/latitude
// grid with their names, and lets the user set a mark by clicking. A click posts 0x0800 to the
// window titled "Kestrova"; SUB_GET_MARK_LAT / _LON are answered there with 0x0801 steps
// carrying the mark's wire form (the view's centre while no mark is set).
//
// Test options:
//   --log=PATH      (or environment TARVIX_LOG=PATH) appends one ASCII line per event to PATH,
//                   each written and flushed at once:
//                     SUB_SET_LAYER "4"                            a received command and its text
//                     SUB_ADD_TEXT_EX "x,y" rejected               a point text that was not usable
//                     UNKNOWN 0xC0F3 ""                            an unregistered sub-command
//                     MARK " 35/41/05007,139/45/30123" posted      the mark set (0x0800 "posted",
//                                                                  or "no editor" without Kestrova)
//                     REPLY SUB_GET_MARK_LAT " 35/41/05007" posted the answer to a question
//                     WM_CLOSE  /  WM_CLOSE ignored
//                   Texts are in double quotes; bytes outside printable ASCII, " and \ are
//                   written as \xHH (a name "地" is \x92\x6E).
//   --ignore-close  (or TARVIX_IGNORE_CLOSE=1) ignores WM_CLOSE, to test an editor's bounded wait.
// Setting the mark without a mouse: post WM_LBUTTONDOWN with client coordinates (what a click
// does), or the registered message "TARVIX_TEST_SET_MARK" with wParam = latitude and
// lParam = longitude in milliseconds of arc.
#include <windows.h>
#include <windowsx.h>

#include <cstring>
#include <string>
#include <vector>

#include "bridge/bridge_state.h"
#include "bridge/map_view.h"
#include "bridge/test_options.h"
#include "protocol/bridge_protocol.h"
#include "os/win32_text.h"

namespace {

using namespace vondrel;
using bridge::Axis;
using bridge::Name;
using tarvix::Effect;
using tarvix::GeoPoint;
using tarvix::LogFile;
using tarvix::Options;
using tarvix::ReadOptions;

constexpr wchar_t kClassName[] = L"VondrelMapBridgePlot";
constexpr int kBandHeight = 24;  // the header and footer lines

constexpr COLORREF kBackground = RGB(247, 245, 238);
constexpr COLORREF kBand = RGB(44, 62, 92);
constexpr COLORREF kGrid = RGB(214, 210, 198);
constexpr COLORREF kGridText = RGB(130, 126, 116);
constexpr COLORREF kPointFill = RGB(214, 48, 40);
constexpr COLORREF kPointText = RGB(30, 30, 30);
constexpr COLORREF kMark = RGB(20, 90, 220);

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

class BridgeWindow {
public:
    bool Create(HINSTANCE instance, int show, const Options& startOptions);
    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnTarvix(WPARAM subCommand, LPARAM lParam);
    void Refit();
    void SetMark(GeoPoint at);
    void Reply(Axis axis, std::uint32_t asked);
    RECT PlotRect() const;
    void Paint(HDC target);
    void PlotText(HDC dc, int x, int y, const std::string& cp932) const;

    HWND hwnd = nullptr;
    Options options;
    LogFile log;
    bridge::MessageNumbers numbers;
    UINT testSetMark = 0;
    bridge::TextAssembler text;
    tarvix::BridgeState state;
    tarvix::MapView view;
    HFONT font = nullptr;
    HFONT smallFont = nullptr;
};

BridgeWindow theBridge;

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return theBridge.Handle(window, message, wParam, lParam);
}

HFONT JapaneseFont(int height) {
    return CreateFontW(-height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, L"ＭＳ Ｐゴシック");
}

bool BridgeWindow::Create(HINSTANCE instance, int show, const Options& startOptions) {
    options = startOptions;
    log.Open(options.logPath);
    numbers = bridge::RegisterNames([](const char* name) { return RegisterWindowMessageW(Widen(name).c_str()); });
    testSetMark = RegisterWindowMessageW(Widen(tarvix::kTestSetMarkName).c_str());
    font = JapaneseFont(13);
    smallFont = JapaneseFont(11);

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_CROSS);
    windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return false;
    hwnd = CreateWindowExW(0, kClassName, Widen(bridge::kBridgeTitle).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 640, 480, nullptr, nullptr, instance, nullptr);
    if (!hwnd) return false;
    ShowWindow(hwnd, show);
    UpdateWindow(hwnd);
    return true;
}

RECT BridgeWindow::PlotRect() const {
    RECT client{};
    GetClientRect(hwnd, &client);
    client.top += kBandHeight;
    client.bottom -= kBandHeight;
    if (client.bottom < client.top) client.bottom = client.top;
    return client;
}

void BridgeWindow::Refit() {
    std::vector<GeoPoint> positions;
    positions.reserve(state.points.size());
    for (const auto& point : state.points) positions.push_back(point.at);
    const RECT plot = PlotRect();
    view = tarvix::MapView::Fit(positions, {plot.left, plot.top, plot.right, plot.bottom});
    InvalidateRect(hwnd, nullptr, FALSE);
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
    std::string line = tarvix::CommandLogLine(name, number, text.Text());
    const Effect effect = name ? state.Execute(*name, text.Text()) : Effect::kNone;
    if (effect == Effect::kRejected) line += " rejected";
    log.Line(line);
    switch (effect) {
        case Effect::kRedraw:
            InvalidateRect(hwnd, nullptr, FALSE);
            break;
        case Effect::kRefit:
            Refit();
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
    InvalidateRect(hwnd, nullptr, FALSE);
    HWND editor = FindWindowW(nullptr, Widen(bridge::kEditorTitle).c_str());
    const bool posted = editor && PostMessageW(editor, bridge::kMarkReadyMessage, 0, 0);
    log.Line("MARK " +
             tarvix::Quoted(state.MarkWire(Axis::kLatitude, at) + "," + state.MarkWire(Axis::kLongitude, at)) +
             (posted ? " posted" : " no editor"));
}

void BridgeWindow::Reply(Axis axis, std::uint32_t asked) {
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
             " " + tarvix::Quoted(wire) + (posted ? " posted" : " no editor"));
}

int TextWidth(HDC dc, const std::string& cp932) {
    const std::wstring wide = os::ToWide(cp932);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size.cx;
}

void BridgeWindow::PlotText(HDC dc, int x, int y, const std::string& cp932) const {
    const std::wstring wide = os::ToWide(cp932);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

void BridgeWindow::Paint(HDC target) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int width = client.right > 0 ? client.right : 1;
    const int height = client.bottom > 0 ? client.bottom : 1;
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, width, height);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, smallFont);
    SetBkMode(dc, TRANSPARENT);

    HBRUSH background = CreateSolidBrush(kBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);

    const RECT plot = PlotRect();
    IntersectClipRect(dc, plot.left, plot.top, plot.right, plot.bottom);

    // Grid: whole steps of latitude and longitude, labelled along the left and bottom edges.
    HPEN gridPen = CreatePen(PS_SOLID, 1, kGrid);
    HGDIOBJ oldPen = SelectObject(dc, gridPen);
    SetTextColor(dc, kGridText);
    const std::int32_t step = view.GridStep();
    const GeoPoint centre = view.Centre();
    for (std::int32_t lat : view.LatitudeGrid()) {
        const int y = view.ToScreen({lat, centre.lon}).y;
        MoveToEx(dc, plot.left, y, nullptr);
        LineTo(dc, plot.right, y);
        if (y - 13 >= plot.top) PlotText(dc, plot.left + 3, y - 13, tarvix::GridLabel(lat, step));
    }
    for (std::int32_t lon : view.LongitudeGrid()) {
        const int x = view.ToScreen({centre.lat, lon}).x;
        MoveToEx(dc, x, plot.top, nullptr);
        LineTo(dc, x, plot.bottom);
        // Only labels that fit whole: a cut number would read as another one.
        const std::string label = tarvix::GridLabel(lon, step);
        if (x + 3 + TextWidth(dc, label) <= plot.right) PlotText(dc, x + 3, plot.bottom - 14, label);
    }

    // Points with their names.
    SelectObject(dc, font);
    SetTextColor(dc, kPointText);
    HBRUSH pointBrush = CreateSolidBrush(kPointFill);
    HPEN pointPen = CreatePen(PS_SOLID, 1, RGB(120, 20, 16));
    SelectObject(dc, pointPen);
    HGDIOBJ oldBrush = SelectObject(dc, pointBrush);
    for (const auto& point : state.points) {
        const tarvix::Pixel at = view.ToScreen(point.at);
        Ellipse(dc, at.x - 4, at.y - 4, at.x + 5, at.y + 5);
        PlotText(dc, at.x + 8, at.y - 8, point.name);
    }

    // The mark: a cross with its position.
    HPEN markPen = CreatePen(PS_SOLID, 2, kMark);
    SelectObject(dc, markPen);
    if (state.mark) {
        const tarvix::Pixel at = view.ToScreen(*state.mark);
        MoveToEx(dc, at.x - 12, at.y, nullptr);
        LineTo(dc, at.x + 13, at.y);
        MoveToEx(dc, at.x, at.y - 12, nullptr);
        LineTo(dc, at.x, at.y + 13);
        SetTextColor(dc, kMark);
        PlotText(dc, at.x + 8, at.y + 6, tarvix::DisplayPosition(*state.mark));
    }
    SelectClipRgn(dc, nullptr);

    // Header and footer lines.
    HBRUSH band = CreateSolidBrush(kBand);
    RECT header{0, 0, client.right, kBandHeight};
    RECT footer{0, client.bottom - kBandHeight, client.right, client.bottom};
    FillRect(dc, &header, band);
    FillRect(dc, &footer, band);
    DeleteObject(band);
    SetTextColor(dc, RGB(255, 255, 255));
    const std::string none = "（未設定）";
    PlotText(dc, 8, 5,
             "地図: " + (state.objectName.empty() ? none : state.objectName) + "    レイヤー: " +
                 (state.layer.empty() ? none : state.layer) + "    地点: " + std::to_string(state.points.size()) +
                 " 件");
    PlotText(dc, 8, client.bottom - kBandHeight + 5,
             state.mark ? "マーク: 緯度" + bridge::FromBridgeCoordinate(state.MarkWire(Axis::kLatitude, {})) + "  経度 " +
                              bridge::FromBridgeCoordinate(state.MarkWire(Axis::kLongitude, {}))
                        : std::string("マーク: なし（地図をクリックすると設定します）"));

    BitBlt(target, 0, 0, width, height, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(pointBrush);
    DeleteObject(pointPen);
    DeleteObject(markPen);
    DeleteObject(gridPen);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

LRESULT BridgeWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == numbers[Name::kWmTarvix]) {
        OnTarvix(wParam, lParam);
        return 0;
    }
    if (message == testSetMark) {
        SetMark({static_cast<std::int32_t>(wParam), static_cast<std::int32_t>(lParam)});
        return 0;
    }
    switch (message) {
        case WM_CREATE:
            hwnd = window;
            Refit();
            return 0;
        case WM_SIZE:
            Refit();
            return 0;
        case WM_LBUTTONDOWN: {
            const int x = GET_X_LPARAM(lParam);
            const int y = GET_Y_LPARAM(lParam);
            const RECT plot = PlotRect();
            if (x >= plot.left && x < plot.right && y >= plot.top && y < plot.bottom) SetMark(view.FromScreen(x, y));
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            Paint(dc);
            EndPaint(window, &paint);
            return 0;
        }
        case WM_CLOSE:
            if (options.ignoreClose) {
                log.Line("WM_CLOSE ignored");
                return 0;
            }
            log.Line("WM_CLOSE");
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            DeleteObject(font);
            DeleteObject(smallFont);
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    if (!theBridge.Create(instance, show, ReadOptions())) return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
