// Tarvix2.exe with loopback tiles and 700 points with marks: a point's drag at zoom 16 timed (as the
// pan is), then 1,000 random wheel, click and drag events leave it alive, answering, under 300 MB.
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

class BridgeStressTest : public BridgeProcessTest {
protected:
    void Edit(EditStep step, std::int64_t value, std::optional<std::int32_t> mark = {}) {
        static const UINT toMap = RegisterWindowMessageW(Widen(kEditToMapName).c_str());
        for (const Post& post : EncodeEdit({step, value, {}, {}, {}, mark})) PostMessageW(bridge, toMap, post.wParam, post.lParam);
    }
    // Sends an event; false when the bridge did not take it within 5 s (hung or gone).
    bool Event(UINT message, WPARAM wParam, int x, int y) const {
        return SendMessageTimeoutW(bridge, message, wParam, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 5000, nullptr) != 0;
    }
    test::TileServer server;
};

TEST_F(BridgeStressTest, DragAPointAmong700ThenAThousandRandomEvents) {
    test::UseTiles(server.UrlTemplate(), folder.Path("tiles"));
    const std::string editLog = folder.Path("edit.log");
    SetEnvironmentVariableW(L"TARVIX_EDIT_LOG", Widen(editLog.c_str()).c_str());
    Start(logOption + L" " + tileLogOption);
    SetEnvironmentVariableW(L"TARVIX_EDIT_LOG", nullptr);
    ASSERT_FALSE(HasFatalFailure());
    // A 35 x 20 grid 1.5 seconds of arc apart around Tokyo Station, which stands half a row north
    // of the grid's middle; the editor takes edits and names the points set 1.
    Send(Name::kDeleteText, "");
    Edit(EditStep::kReady, 1);
    Edit(EditStep::kSetBegins, 1);
    for (int i = 0; i < 700; ++i) {
        Send(Name::kAddTextEx, MillisecondsToWire(128463948 + (i / 35 - 10) * 1500, Axis::kLatitude) + "," +
                                   MillisecondsToWire(503150112 + (i % 35 - 17) * 1500, Axis::kLongitude) + ",P" + std::to_string(i));
        Edit(EditStep::kShowMark, i, 1 + i % 55);
    }
    Log(701);  // every point taken
    PumpUntil([] { return false; }, 1000);
    int zoom = 0;
    ASSERT_EQ(std::sscanf(TileLogLines("VIEW std ").back().c_str(), "VIEW std z%d", &zoom), 1);
    for (; zoom != 16; zoom += zoom < 16 ? 1 : -1) ASSERT_TRUE(Event(WM_CHAR, zoom < 16 ? L'+' : L'-', 0, 0));
    PumpUntil([] { return false; }, 1000);  // the tiles drawn
    RECT client{};
    GetClientRect(bridge, &client);
    const int cx = client.right / 2;
    const int cy = (client.bottom - 24) / 2 - static_cast<int>(std::lround(750 / 3600000.0 * 256 * (1 << 16) / 360 / std::cos(0.6227)));
    constexpr int kFrames = 200;
    ASSERT_TRUE(Event(WM_LBUTTONDOWN, MK_LBUTTON, cx, cy));
    const DWORD start = GetTickCount();
    for (int i = 1; i <= kFrames; ++i) Event(WM_MOUSEMOVE, MK_LBUTTON, cx + 6 + i % 40, cy + i % 30);
    const double ms = std::max<DWORD>(GetTickCount() - start, 1);
    Event(WM_LBUTTONUP, 0, cx + 6 + kFrames % 40, cy + kFrames % 30);
    std::printf("[ time ] Dragging a point among 700 at zoom 16: %d frames of %ldx%ld in %.0f ms, %.0f frames per second\n",
                kFrames, client.right, client.bottom, ms, kFrames * 1000.0 / ms);
    EXPECT_GT(kFrames * 1000.0 / ms, 60.0);
    EXPECT_EQ(LogOf(editLog, 4).back().rfind("TO EDITOR EDIT 32 367 ", 0), 0u) << "the station's point was moved";

    std::mt19937 random(22);
    auto any = [&](int below) { return std::uniform_int_distribution<int>(0, below - 1)(random); };
    for (int i = 0; i < 1000; ++i) {
        const int x = any(client.right);
        const int y = any(client.bottom);
        bool ok = true;
        if (const int kind = any(4); kind == 0) {  // 1 to 3 notches either way, or part of one
            POINT screen{x, y};
            ClientToScreen(bridge, &screen);
            const int delta = (any(2) ? 1 : -1) * (any(4) == 0 ? 40 : 120 * (1 + any(3)));
            ok = Event(WM_MOUSEWHEEL, MAKEWPARAM(0, delta), screen.x, screen.y);
        } else if (kind == 1) {  // a click: the mark, or a point's row
            ok = Event(WM_LBUTTONDOWN, MK_LBUTTON, x, y) && Event(WM_LBUTTONUP, 0, x, y);
        } else {  // a drag of a few steps (a pan, or a point moved), now and then cancelled
            const int dx = any(81) - 40;
            const int dy = any(81) - 40;
            ok = Event(WM_LBUTTONDOWN, MK_LBUTTON, x, y);
            for (int step = 1; step <= 4 && ok; ++step) ok = Event(WM_MOUSEMOVE, MK_LBUTTON, x + dx * step, y + dy * step);
            if (ok && any(8) == 0) ok = Event(WM_KEYDOWN, VK_ESCAPE, 0, 0);
            ok = ok && Event(WM_LBUTTONUP, 0, x + dx * 4, y + dy * 4);
        }
        ASSERT_TRUE(ok && IsWindow(bridge)) << "the map went away at event " << i;
    }
    EXPECT_EQ(AskMark().size(), 2u) << "it still answers";
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
    std::printf("[ size ] Map's peak memory over 1000 random events: %lu MB\n", static_cast<unsigned long>(memory.PeakWorkingSetSize >> 20));
    EXPECT_LT(memory.PeakWorkingSetSize, SIZE_T{300} << 20);
}

}  // namespace
}  // namespace vondrel::bridge
