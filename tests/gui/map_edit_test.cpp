// Editing on the map between the real main window and the real bridge program: a bridge whose
// window opens late is still asked to close; 地図表示 right after the bridge was closed or
// crashed shows the map; a point dragged on the map moves its row (one undo step, which the map
// follows), Esc cancels, a click selects the row; stray edit messages are dropped.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "gui/gui_harness.h"
#include "protocol/edit_protocol.h"
#include "resource.h"
#include "os/win32_text.h"
#include "support/temp_dir.h"
#include "support/tile_server.h"
#include "win/list_view.h"

namespace vondrel {
namespace {

class MapEdit : public ::testing::Test {
protected:
    void SetUp() override {
        for (auto [name, value] : {std::pair{L"TARVIX_LOG", log}, {L"TARVIX_EDIT_LOG", editLog}}) {
            SetEnvironmentVariableW(name, os::ToWide(value).c_str());
        }
        test::UseTiles(server.UrlTemplate(), dir.Path("tiles"));
    }
    void TearDown() override {
        for (const wchar_t* name : {L"TARVIX_LOG", L"TARVIX_EDIT_LOG", L"TARVIX_LATE_WINDOW"}) SetEnvironmentVariableW(name, nullptr);
        test::RestoreTileDefaults();
    }
    std::unique_ptr<test::MainWindow> Open(int points) {
        const std::string path = dir.Path("points.xml");
        test::WriteFileBytes(path, test::PointFileBytes(test::NumberedNames("P", points)));
        return std::make_unique<test::MainWindow>(path, "SOFTWARE\\Zarn\\VondrelMapEditTests");
    }
    static bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
        for (const DWORD start = GetTickCount(); !done(); Sleep(10)) {
            if (GetTickCount() - start > milliseconds) return false;
            test::Pump();
        }
        return true;
    }
    int Count(const std::string& path, const std::string& part) const {
        std::istringstream in(test::ReadFileBytes(path));
        int count = 0;
        for (std::string line; std::getline(in, line);) count += line.find(part) != std::string::npos;
        return count;
    }
    static HWND Bridge() { return FindWindowW(nullptr, L"Tarvix"); }
    // Shows row `row` alone on the map and waits until the bridge lets it be edited.
    HWND ShowRow(test::MainWindow& window, int row) {
        window.MainList().SelectAndFocus(row);
        const int sets = Count(editLog, "EDIT 17 ");
        window.Command(IDC_MAIN_SHOW_MAP);
        EXPECT_TRUE(PumpUntil([&] { return Count(editLog, "EDIT 17 ") > sets; })) << "the bridge edits";
        return Bridge();
    }
    static POINT PlotCentre(HWND bridge) {
        RECT client{};
        GetClientRect(bridge, &client);
        return {client.right / 2, (client.bottom - 24) / 2};  // the status line is 24 pixels
    }
    static void Mouse(HWND bridge, UINT message, int x, int y) {
        SendMessageW(bridge, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(x, y));
    }
    test::TileServer server;
    test::TempDir dir;
    const std::string log = dir.Path("bridge.log");
    const std::string editLog = dir.Path("edit.log");
};

TEST_F(MapEdit, ABridgeWhoseWindowOpensLateIsAskedToCloseNotKilled) {
    SetEnvironmentVariableW(L"TARVIX_LATE_WINDOW", L"1500");
    auto window = Open(1);
    window->MainList().SelectAndFocus(0);
    window->Command(IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(PumpUntil([&] { return Count(log, "SUB_ADD_TEXT_EX") == 1; })) << "the commands reach the late window";
    const DWORD start = GetTickCount();
    window.reset();
    EXPECT_LT(GetTickCount() - start, 4000u) << "closed, not waited for and killed";
    EXPECT_EQ(Count(log, "WM_CLOSE"), 1);
}

TEST_F(MapEdit, ShowMapRightAfterTheBridgeClosedOrCrashedShowsTheMap) {
    server.SetMode("hang");  // a closing bridge waits for its fetches a while after its window has gone
    auto window = Open(1);
    window->MainList().SelectAndFocus(0);
    window->Command(IDC_MAIN_SHOW_MAP);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ASSERT_TRUE(PumpUntil([] { return Bridge() != nullptr; }));
        DWORD id = 0;
        GetWindowThreadProcessId(Bridge(), &id);
        if (attempt % 2 == 0) {
            PostMessageW(Bridge(), WM_CLOSE, 0, 0);  // the user closes the map
            PumpUntil([] { return Bridge() == nullptr; }, 3000);
        } else {
            HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id);
            TerminateProcess(process, 3);
            CloseHandle(process);
        }
        const int shown = Count(log, "SUB_ADD_TEXT_EX");
        window->Command(IDC_MAIN_SHOW_MAP);
        EXPECT_TRUE(PumpUntil([&] { return Count(log, "SUB_ADD_TEXT_EX") > shown && Bridge(); }, 5000))
            << "attempt " << attempt << (attempt % 2 ? ": after a crash" : ": after a close");
    }
}

TEST_F(MapEdit, APointDraggedOnTheMapMovesItsRowAsOneUndoStep) {
    auto window = Open(3);
    HWND bridge = ShowRow(*window, 1);
    ASSERT_NE(bridge, nullptr);
    const PointFields before = window->Document().Fields(1);
    const POINT c = PlotCentre(bridge);
    // Esc during a drag: nothing changes.
    Mouse(bridge, WM_LBUTTONDOWN, c.x, c.y);
    Mouse(bridge, WM_MOUSEMOVE, c.x + 40, c.y);
    SendMessageW(bridge, WM_KEYDOWN, VK_ESCAPE, 0);
    Mouse(bridge, WM_LBUTTONUP, c.x + 40, c.y);
    // A drag of 120 pixels east and 80 north, in steps.
    Mouse(bridge, WM_LBUTTONDOWN, c.x, c.y);
    for (int step = 1; step <= 8; ++step) Mouse(bridge, WM_MOUSEMOVE, c.x + 15 * step, c.y - 10 * step);
    LARGE_INTEGER released, changed, frequency;
    QueryPerformanceCounter(&released);
    Mouse(bridge, WM_LBUTTONUP, c.x + 120, c.y - 80);  // returns once the move is posted
    for (const DWORD start = GetTickCount(); window->Document().Fields(1).lat == before.lat && GetTickCount() - start < 5000;) {
        test::Pump();
    }
    QueryPerformanceCounter(&changed);
    QueryPerformanceFrequency(&frequency);
    std::printf("[ time ] Release on the map to the row redrawn in the editor: %.1f ms\n",
                static_cast<double>(changed.QuadPart - released.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    ASSERT_NE(window->Document().Fields(1).lat, before.lat);
    EXPECT_EQ(Count(editLog, "TO EDITOR EDIT 32 "), 1) << "one move: the cancelled drag sent nothing";
    const PointFields after = window->Document().Fields(1);
    auto ms = [](const std::string& display) { return bridge::WireToMilliseconds(bridge::ToBridgeCoordinate(display)).value_or(-1); };
    const double pixel = 360.0 / (1 << 24) * 3600000;  // of longitude at zoom 16
    EXPECT_NEAR(ms(after.lon) - ms(before.lon), 120 * pixel, pixel);
    EXPECT_NEAR(ms(after.lat) - ms(before.lat), 80 * pixel * std::cos(35.5 * 3.14159265 / 180), pixel);
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(window->Document().Fields(0).lat, before.lat) << "other rows stay";
    std::string row;
    for (int column = 0; column < 6; ++column) row += window->MainList().CellText(1, column) + "|";
    EXPECT_NE(row.find(after.lat), std::string::npos) << "the row shows the new position: " << row;
    // One undo step puts it back, and the map follows.
    window->Command(ID_EDIT_UNDO);
    EXPECT_EQ(window->Document().Fields(1).lat, before.lat);
    EXPECT_EQ(window->Document().Fields(1).lon, before.lon);
    EXPECT_TRUE(PumpUntil([&] { return Count(editLog, "EDIT 21 0 ") == 2; }))
        << "the map takes the stored position after the move and the old one after the undo";

    // A click on the point selects its row.
    window->MainList().SelectAndFocus(2);
    Mouse(bridge, WM_LBUTTONDOWN, c.x, c.y);
    Mouse(bridge, WM_LBUTTONUP, c.x, c.y);
    EXPECT_TRUE(PumpUntil([&] { return window->MainList().LowestSelectedRow() == 1 && window->MainList().SelectedCount() == 1; }));
}

TEST_F(MapEdit, CaptureInTheEditDialogTakesAMarkSetBeforeItOpened) {
    auto window = Open(2);
    ShowRow(*window, 0);
    const UINT setMark = RegisterWindowMessageW(L"TARVIX_TEST_SET_MARK");
    PostMessageW(Bridge(), setMark, ((35 * 60 + 41) * 60 + 5) * 1000 + 7, ((139 * 60 + 45) * 60 + 30) * 1000 + 123);
    ASSERT_TRUE(PumpUntil([&] { return (*window)->Item(IDC_MAIN_LON).GetText() == "139.45.30.123"; }));
    std::string lat, lon;
    ASSERT_TRUE(test::WithEditDialog(*window, IDC_MAIN_CHANGE, [&](HWND dialog) {
        test::Click(dialog, IDC_EDIT_CAPTURE);  // at once: the answer to the dialog's question is on its way
        PumpUntil([&] { return test::ItemText(dialog, IDC_EDIT_LON) == "139.45.30.123"; }, 5000);
        lat = test::ItemText(dialog, IDC_EDIT_LAT);
        lon = test::ItemText(dialog, IDC_EDIT_LON);
    }, false));
    EXPECT_EQ(lat, " 35.41.05.007");
    EXPECT_EQ(lon, "139.45.30.123");
}

TEST_F(MapEdit, EditMessagesForPointsNotInTheSetOrOutOfRangeAreDropped) {
    auto window = Open(3);
    ASSERT_NE(ShowRow(*window, 0), nullptr);
    const UINT fromMap = RegisterWindowMessageW(L"TARVIX_EDIT_FROM_MAP");
    std::istringstream in(test::ReadFileBytes(editLog));
    unsigned serial = 0;
    for (std::string line; std::getline(in, line);) std::sscanf(line.c_str(), "EDIT 17 %u", &serial);
    auto post = [&](std::int64_t index, std::uint32_t set, std::int32_t lat, std::int32_t lon) {
        bridge::EditMessage move;
        move.step = bridge::EditStep::kMoved;
        move.value = index;
        move.serial = set;
        move.lat = lat;
        move.lon = lon;
        for (const bridge::Post& p : bridge::EncodeEdit(move)) PostMessageW(window->Hwnd(), fromMap, p.wParam, p.lParam);
    };
    const std::int32_t lat = 128000000;
    const std::int32_t lon = 502000000;
    post(1, serial, lat, lon);       // row 1 was not sent
    post(0, serial + 1, lat, lon);   // no such set
    post(0, serial, bridge::kMaxLatitudeMs + 1, lon);
    post(0, serial, lat, -lon);
    post(0, serial, lat + 1000, lon);  // the one that counts, last
    ASSERT_TRUE(PumpUntil([&] { return window->Document().Fields(0).lat.rfind(" 35.33.2", 0) == 0; }))
        << window->Document().Fields(0).lat;
    EXPECT_EQ(window->Document().Fields(1).lat, window->Document().Fields(2).lat);
    window->Command(ID_EDIT_UNDO);
    EXPECT_EQ(window->Document().Fields(0).lat, window->Document().Fields(1).lat) << "one change only";
}

}  // namespace
}  // namespace vondrel
