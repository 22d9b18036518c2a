// Editing on the map between the real main window and the real bridge program: a bridge whose
// window opens late is still asked to close; 地図表示 right after the bridge closed or crashed
// shows the map; the edit dialog's capture takes a mark set before it opened; a point dragged
// on the map moves its row as one undo step (Esc cancels, a click selects); stray moves dropped.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "gui/gui_harness.h"
#include "os/win32_text.h"
#include "protocol/edit_protocol.h"
#include "resource.h"
#include "support/tile_server.h"

namespace vondrel {
namespace {

class MapEdit : public ::testing::Test {
protected:
    void SetUp() override {
        SetEnvironmentVariableW(L"TARVIX_LOG", os::ToWide(log).c_str());
        SetEnvironmentVariableW(L"TARVIX_EDIT_LOG", os::ToWide(editLog).c_str());
        test::UseTiles(server.UrlTemplate(), dir.Path("tiles"));
        const std::string path = dir.Path("points.xml");
        test::WriteFileBytes(path, test::PointFileBytes(test::NumberedNames("P", 3)));
        window = std::make_unique<test::MainWindow>(path, "SOFTWARE\\Zarn\\VondrelMapEditTests");
    }
    void TearDown() override {
        window.reset();
        for (const wchar_t* name : {L"TARVIX_LOG", L"TARVIX_EDIT_LOG", L"TARVIX_LATE_WINDOW"}) SetEnvironmentVariableW(name, nullptr);
        test::RestoreTileDefaults();
    }
    static bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
        for (const DWORD start = GetTickCount(); !done(); test::Pump()) if (GetTickCount() - start > milliseconds) return false;
        return true;
    }
    int Count(const std::string& path, const std::string& part) const {
        std::istringstream in(test::ReadFileBytes(path));
        int count = 0;
        for (std::string line; std::getline(in, line);) count += line.find(part) != std::string::npos;
        return count;
    }
    static HWND Bridge() { return FindWindowW(nullptr, L"Tarvix"); }
    // Shows row `row` alone on the map and waits until the bridge edits; the middle of its plot.
    POINT ShowRow(int row) {
        window->MainList().SelectAndFocus(row);
        const int sets = Count(editLog, "EDIT 17 ");
        window->Command(IDC_MAIN_SHOW_MAP);
        EXPECT_TRUE(PumpUntil([&] { return Count(editLog, "EDIT 17 ") > sets; })) << "the bridge edits";
        RECT client{};
        GetClientRect(Bridge(), &client);
        return {client.right / 2, (client.bottom - 24) / 2};  // above the 24-pixel status line
    }
    static void Mouse(UINT message, int x, int y) { SendMessageW(Bridge(), message, MK_LBUTTON, MAKELPARAM(x, y)); }
    PointFields Row(int row) const { return window->Document().Fields(row); }

    test::TileServer server;
    test::TempDir dir;
    const std::string log = dir.Path("bridge.log");
    const std::string editLog = dir.Path("edit.log");
    std::unique_ptr<test::MainWindow> window;
};

TEST_F(MapEdit, ABridgeWhoseWindowOpensLateIsAskedToCloseNotKilled) {
    SetEnvironmentVariableW(L"TARVIX_LATE_WINDOW", L"1500");
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
    window->MainList().SelectAndFocus(0);
    window->Command(IDC_MAIN_SHOW_MAP);
    for (int attempt = 0; attempt < 6; ++attempt) {
        ASSERT_TRUE(PumpUntil([] { return Bridge() != nullptr; }));
        DWORD id = 0;
        GetWindowThreadProcessId(Bridge(), &id);
        const HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id);
        if (attempt % 2 == 0) PostMessageW(Bridge(), WM_CLOSE, 0, 0);  // the user closes the map, or it crashes
        if (attempt % 2 == 0) PumpUntil([] { return Bridge() == nullptr; }, 3000);
        if (attempt % 2 == 1) TerminateProcess(process, 3);
        CloseHandle(process);
        const int shown = Count(log, "SUB_ADD_TEXT_EX");
        window->Command(IDC_MAIN_SHOW_MAP);
        EXPECT_TRUE(PumpUntil([&] { return Count(log, "SUB_ADD_TEXT_EX") > shown && Bridge(); }, 5000))
            << "attempt " << attempt << (attempt % 2 ? ": after a crash" : ": after a close");
    }
}

TEST_F(MapEdit, CaptureInTheEditDialogTakesAMarkSetBeforeItOpened) {
    ShowRow(0);
    const UINT setMark = RegisterWindowMessageW(L"TARVIX_TEST_SET_MARK");
    PostMessageW(Bridge(), setMark, ((35 * 60 + 41) * 60 + 5) * 1000 + 7, ((139 * 60 + 45) * 60 + 30) * 1000 + 123);
    ASSERT_TRUE(PumpUntil([&] { return (*window)->Item(IDC_MAIN_LON).GetText() == "139.45.30.123"; }));
    ASSERT_TRUE(test::WithEditDialog(*window, IDC_MAIN_CHANGE, [&](HWND dialog) {
        test::Click(dialog, IDC_EDIT_CAPTURE);  // at once: the answer to the dialog's question is on its way
        EXPECT_TRUE(PumpUntil([&] { return test::ItemText(dialog, IDC_EDIT_LAT) + test::ItemText(dialog, IDC_EDIT_LON) == " 35.41.05.007139.45.30.123"; }, 5000));
    }, false));
}

TEST_F(MapEdit, APointDraggedOnTheMapMovesItsRowAsOneUndoStep) {
    const POINT c = ShowRow(1);
    const PointFields before = Row(1);
    Mouse(WM_LBUTTONDOWN, c.x, c.y);  // Esc during a drag: nothing changes
    Mouse(WM_MOUSEMOVE, c.x + 40, c.y);
    SendMessageW(Bridge(), WM_KEYDOWN, VK_ESCAPE, 0);
    Mouse(WM_LBUTTONUP, c.x + 40, c.y);
    Mouse(WM_LBUTTONDOWN, c.x, c.y);  // a drag of 120 pixels east and 80 north, in steps
    for (int step = 1; step <= 8; ++step) Mouse(WM_MOUSEMOVE, c.x + 15 * step, c.y - 10 * step);
    const DWORD released = GetTickCount();
    Mouse(WM_LBUTTONUP, c.x + 120, c.y - 80);  // returns once the move is posted
    PumpUntil([&] { return Row(1).lat != before.lat; }, 5000);
    std::printf("[ time ] Release on the map to the row redrawn in the editor: %lu ms\n", GetTickCount() - released);
    EXPECT_EQ(Count(editLog, "TO EDITOR EDIT 32 "), 1) << "one move: the cancelled drag sent nothing";
    auto ms = [](const std::string& display) { return bridge::WireToMilliseconds(bridge::ToBridgeCoordinate(display)).value_or(-1); };
    const double pixel = 360.0 / (1 << 24) * 3600000;  // of longitude at zoom 16
    EXPECT_NEAR(ms(Row(1).lon) - ms(before.lon), 120 * pixel, pixel);
    EXPECT_NEAR(ms(Row(1).lat) - ms(before.lat), 80 * pixel * std::cos(35.5 * 3.14159265 / 180), pixel);
    EXPECT_EQ(Row(0).lat, before.lat) << "other rows stay";
    const std::vector<std::string> shown = test::ColumnTexts(window->MainList().Hwnd(), 5);  // 北緯
    EXPECT_EQ(shown[1], Row(1).lat) << "the row shows the new position";
    window->Command(ID_EDIT_UNDO);  // one step back, and the map follows
    EXPECT_EQ(Row(1).lat + Row(1).lon, before.lat + before.lon);
    EXPECT_TRUE(PumpUntil([&] { return Count(editLog, "EDIT 21 0 ") == 2; })) << "placed as stored, then back";

    window->MainList().SelectAndFocus(2);  // a click on the point selects its row
    Mouse(WM_LBUTTONDOWN, c.x, c.y), Mouse(WM_LBUTTONUP, c.x, c.y);
    EXPECT_TRUE(PumpUntil([&] { return window->MainList().LowestSelectedRow() == 1 && window->MainList().SelectedCount() == 1; }));

    // Moves for a point not in the set (row 1 alone is, as point 0), of another set, or out of
    // range are dropped; the last one counts.
    const UINT fromMap = RegisterWindowMessageW(L"TARVIX_EDIT_FROM_MAP");
    const bridge::EditMessage moves[] = {  // set 1: the first, named once the bridge said hello
        {bridge::EditStep::kMoved, 1, 1u, 128000000, 502000000, {}}, {bridge::EditStep::kMoved, 0, 2u, 128000000, 502000000, {}},
        {bridge::EditStep::kMoved, 0, 1u, bridge::kMaxLatitudeMs + 1, 502000000, {}},
        {bridge::EditStep::kMoved, 0, 1u, 128000000, -1, {}}, {bridge::EditStep::kMoved, 0, 1u, 128001000, 502000000, {}}};
    for (const bridge::EditMessage& move : moves) {
        for (const bridge::Post& p : bridge::EncodeEdit(move)) {
            PostMessageW(window->Hwnd(), fromMap, p.wParam, p.lParam);
        }
    }
    ASSERT_TRUE(PumpUntil([&] { return Row(1).lat.rfind(" 35.33.2", 0) == 0; })) << Row(1).lat;
    EXPECT_EQ(Row(0).lat + Row(2).lat, before.lat + before.lat) << "rows not sent stay";
    window->Command(ID_EDIT_UNDO);
    EXPECT_EQ(Row(1).lat, before.lat) << "one change only";
}

}  // namespace
}  // namespace vondrel
