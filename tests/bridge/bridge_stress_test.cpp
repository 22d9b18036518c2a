// Tarvix2.exe under load, with loopback tiles: 1,000 wheel, click and drag events at random over
// many zoom levels leave it alive, answering and under 300 MB; dragging a point among 700 at zoom
// 16 is timed (each step is drawn before the move returns, as a pan is).
#include <gtest/gtest.h>

#include <windows.h>
#include <psapi.h>

#include <cmath>
#include <random>

#include "protocol/edit_protocol.h"
#include "support/bridge_process.h"
#include "support/tile_server.h"

namespace vondrel::bridge {
namespace {

constexpr std::int32_t kStationLat = 128463948;  // Tokyo Station, Tokyo datum
constexpr std::int32_t kStationLon = 503150112;

class BridgeStressTest : public BridgeProcessTest {
protected:
    // 700 points on a 35 x 20 grid 1.5 seconds of arc apart, the middle one on the station;
    // the editor takes edits and names them set 1.
    void StartWithPoints() {
        ASSERT_TRUE(server.Started());
        test::UseTiles(server.UrlTemplate(), folder.Path("tiles"));
        SetEnvironmentVariableW(L"TARVIX_EDIT_LOG", Widen(editLogPath.c_str()).c_str());
        Start(logOption + L" " + tileLogOption);
        SetEnvironmentVariableW(L"TARVIX_EDIT_LOG", nullptr);
        ASSERT_FALSE(HasFatalFailure());
        Send(Name::kDeleteText, "");
        Edit(EditStep::kReady, 1);
        Edit(EditStep::kSetBegins, 1);
        for (int i = 0; i < 700; ++i) {
            const std::int32_t lat = kStationLat + (i / 35 - 10) * 1500;
            const std::int32_t lon = kStationLon + (i % 35 - 17) * 1500;
            Send(Name::kAddTextEx, MillisecondsToWire(lat, Axis::kLatitude) + "," +
                                       MillisecondsToWire(lon, Axis::kLongitude) + ",P" + std::to_string(i));
            Edit(EditStep::kShowMark, i, 1 + i % 55);
        }
        ASSERT_FALSE(TileLogLines("VIEW std ").empty());
    }
    void Edit(EditStep step, std::int64_t value, std::optional<std::int32_t> mark = {}) {
        static const UINT toMap = RegisterWindowMessageW(Widen(kEditToMapName).c_str());
        EditMessage message;
        message.step = step;
        message.value = value;
        message.mark = mark;
        for (const Post& post : EncodeEdit(message)) PostMessageW(bridge, toMap, post.wParam, post.lParam);
    }
    // Sends an event; false when the bridge did not take it within 5 s (hung or gone).
    bool Event(UINT message, WPARAM wParam, int x, int y) const {
        DWORD_PTR result = 0;
        return SendMessageTimeoutW(bridge, message, wParam, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }
    SIZE_T PeakMemory() const {
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        return memory.PeakWorkingSetSize;
    }
    test::TileServer server;
    const std::string editLogPath = folder.Path("edit.log");
};

TEST_F(BridgeStressTest, AThousandRandomWheelClickAndDragEventsLeaveTheMapAliveAndSmall) {
    StartWithPoints();
    ASSERT_FALSE(HasFatalFailure());
    RECT client{};
    GetClientRect(bridge, &client);
    std::mt19937 random(22);
    auto any = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    int taken = 0;
    for (int i = 0; i < 1000; ++i) {
        const int x = any(client.right);
        const int y = any(client.bottom);
        bool ok = true;
        switch (any(4)) {
            case 0: {  // a wheel of 1 to 3 notches either way, or a fine-grained part of one
                POINT screen{x, y};
                ClientToScreen(bridge, &screen);
                const int delta = (any(2) ? 1 : -1) * (any(4) == 0 ? 40 : 120 * (1 + any(3)));
                ok = Event(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), screen.x, screen.y);
                break;
            }
            case 1:  // a click: the mark
                ok = Event(WM_LBUTTONDOWN, MK_LBUTTON, x, y) && Event(WM_LBUTTONUP, 0, x, y);
                break;
            default: {  // a drag of a few steps (a pan, or a point moved), now and then cancelled
                ok = Event(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
                const int dx = any(81) - 40;
                const int dy = any(81) - 40;
                for (int step = 1; step <= 4 && ok; ++step) ok = Event(WM_MOUSEMOVE, MK_LBUTTON, x + dx * step, y + dy * step);
                if (ok && any(8) == 0) ok = Event(WM_KEYDOWN, VK_ESCAPE, 0, 0);
                ok = ok && Event(WM_LBUTTONUP, 0, x + dx * 4, y + dy * 4);
                break;
            }
        }
        ASSERT_TRUE(ok && IsWindow(bridge)) << "the map went away at event " << i;
        taken += ok;
        if (i % 50 == 0) PumpUntil([] { return false; }, 1);  // the marks and edits it posts
    }
    EXPECT_EQ(taken, 1000);
    EXPECT_EQ(AskMark().size(), 2u) << "it still answers";
    const SIZE_T peak = PeakMemory();
    std::printf("[ size ] Map's peak memory over 1000 random events: %lu MB\n", static_cast<unsigned long>(peak >> 20));
    EXPECT_LT(peak, SIZE_T{300} << 20);
    EXPECT_TRUE(Close(5000));
}

TEST_F(BridgeStressTest, DraggingAPointAmong700AtZoom16) {
    StartWithPoints();
    ASSERT_FALSE(HasFatalFailure());
    RECT client{};
    GetClientRect(bridge, &client);
    const int cx = client.right / 2;
    const int cy = (client.bottom - 24) / 2;
    // Zoom 16 at the middle, where the station's point stands (the view fits the grid's middle).
    LogOf(logPath, 701);  // every point taken
    PumpUntil([] { return false; }, 1000);
    const std::vector<std::string> views = TileLogLines("VIEW std ");
    int zoom = 0;
    ASSERT_FALSE(views.empty());
    ASSERT_EQ(std::sscanf(views.back().c_str(), "VIEW std z%d", &zoom), 1) << views.back();
    for (; zoom != 16; zoom += zoom < 16 ? 1 : -1) ASSERT_TRUE(Event(WM_CHAR, zoom < 16 ? L'+' : L'-', 0, 0));
    PumpUntil([] { return false; }, 1000);  // the tiles drawn
    constexpr int kFrames = 200;
    // The station's point stands 750 ms of arc (half a row) north of the grid's middle.
    const double pixelsPerDegree = 256.0 * (1 << 16) / 360 / std::cos(35.68 * 3.14159265 / 180);
    const int y = cy - static_cast<int>(std::lround(750 / 3600000.0 * pixelsPerDegree));
    ASSERT_TRUE(Event(WM_LBUTTONDOWN, MK_LBUTTON, cx, y));
    LARGE_INTEGER start, end, frequency;
    QueryPerformanceCounter(&start);
    for (int i = 1; i <= kFrames; ++i) Event(WM_MOUSEMOVE, MK_LBUTTON, cx + 6 + i % 40, y + i % 30);
    QueryPerformanceCounter(&end);
    QueryPerformanceFrequency(&frequency);
    Event(WM_LBUTTONUP, 0, cx + 6 + kFrames % 40, y + kFrames % 30);
    const double ms = static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
    std::printf("[ time ] Dragging a point among 700 at zoom 16: %d frames of %ldx%ld in %.0f ms, %.0f frames per second\n",
                kFrames, client.right, client.bottom, ms, kFrames * 1000.0 / ms);
    EXPECT_GT(kFrames * 1000.0 / ms, 60.0);
    const std::vector<std::string> edits = LogOf(editLogPath, 4);
    EXPECT_EQ(edits.back().rfind("TO EDITOR EDIT 32 ", 0), 0u) << "the point was moved: " << edits.back();
}

}  // namespace
}  // namespace vondrel::bridge
