// Map commands between the real main window and the real bridge program (Tarvix2.exe, started
// as a process of its own): the launch sequence, points sent in row order, a mark set in the
// bridge coming back into the window and the edit dialog, captured points, the bridge's end and
// relaunch, and the map object chooser against the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "resource.h"
#include "gui/gui_harness.h"
#include "protocol/bridge_protocol.h"
#include "win/controls.h"
#include "win/list_view.h"
#include "win/registry.h"
#include "os/win32_owned.h"
#include "os/win32_text.h"
#include "support/temp_dir.h"
#include "support/tile_server.h"

namespace vondrel {
namespace {
using test::MainWindow;

const char kRegistryBase[] = "SOFTWARE\\Zarn\\VondrelMapTests";

class MapCommands : public ::testing::Test {
protected:
    void SetUp() override {
        logPath = dir.Path("bridge.log");
        SetEnvironmentVariableW(L"TARVIX_LOG", os::ToWide(logPath).c_str());
        SetEnvironmentVariableW(L"TARVIX_IGNORE_CLOSE", nullptr);
        ClearRegistry();
        Settings().WriteStringValue("MapObject", "Foo.Map");
    }
    void TearDown() override {
        SetEnvironmentVariableW(L"TARVIX_LOG", nullptr);
        SetEnvironmentVariableW(L"TARVIX_IGNORE_CLOSE", nullptr);
        ClearRegistry();
    }
    static win::RegistrySettings Settings() { return win::RegistrySettings(std::string(kRegistryBase) + "\\Vondrel"); }
    static void ClearRegistry() {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, os::ToWide(kRegistryBase).c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, os::ToWide(kRegistryBase).c_str());
    }
    std::unique_ptr<MainWindow> Open(int points) {
        const std::string path = dir.Path("points.xml");
        std::vector<std::string> names = test::NumberedNames("P", points);
        test::WriteFileBytes(path, test::PointFileBytes(names));
        return std::make_unique<MainWindow>(path, kRegistryBase);
    }
    std::vector<std::string> LogLines() const {
        std::vector<std::string> lines;
        std::istringstream in(test::ReadFileBytes(logPath));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        return lines;
    }
    // Pumps messages until `done` holds, at most `milliseconds`.
    static bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 10000) {
        const DWORD start = GetTickCount();
        while (!done()) {
            if (GetTickCount() - start > milliseconds) return false;
            test::Pump();
            Sleep(20);
        }
        return true;
    }
    bool WaitForLogLines(std::size_t count) {
        return PumpUntil([&] { return LogLines().size() >= count; });
    }
    static HWND BridgeWindow() { return FindWindowW(nullptr, L"Tarvix"); }
    // Sets the bridge's mark as a click would (latitude and longitude in milliseconds of arc).
    static void SetMark(int latitude, int longitude) {
        static const UINT setMark = RegisterWindowMessageW(L"TARVIX_TEST_SET_MARK");
        PostMessageW(BridgeWindow(), setMark, static_cast<WPARAM>(latitude), static_cast<LPARAM>(longitude));
    }
    // The process of the bridge window (0 when there is none).
    static DWORD BridgeProcessId() {
        DWORD id = 0;
        if (HWND bridge = BridgeWindow()) GetWindowThreadProcessId(bridge, &id);
        return id;
    }
    // Posts `wire` to the window as the bridge's answer to both questions.
    static void PostReply(MainWindow& window, const std::string& wire) {
        const bridge::MessageNumbers numbers =
            bridge::RegisterNames([](const char* name) { return RegisterWindowMessageW(os::ToWide(name).c_str()); });
        for (bridge::Name asked : {bridge::Name::kGetMarkLat, bridge::Name::kGetMarkLon}) {
            for (const bridge::Post& post : bridge::EncodeReply(numbers, numbers[asked], wire)) {
                window->Self().Post(bridge::kReplyMessage, static_cast<WPARAM>(post.wParam), static_cast<LPARAM>(post.lParam));
            }
        }
    }
    static bool ProcessEnded(DWORD id, DWORD milliseconds) {
        const os::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, id));
        return !process || WaitForSingleObject(process.Get(), milliseconds) == WAIT_OBJECT_0;
    }
    test::TempDir dir;
    std::string logPath;
};

const std::vector<std::string> kLaunch = {"SUB_SET_LAYER \"4\"", "SUB_OBJECT_NAME \"Foo.Map\"", "SUB_INIT_MAP \"\""};

TEST_F(MapCommands, ShowMapLaunchesTheBridgeThenSendsTheSelectedRowsInOrder) {
    auto window = Open(5);
    EXPECT_TRUE((*window)->Item(IDC_MAIN_SHOW_MAP).IsEnabled()) << "Tarvix2.exe stands beside the program";
    const win::ListView list = window->MainList();
    for (int row : {4, 0, 2}) list.SetState(row, LVIS_SELECTED, LVIS_SELECTED);
    const DWORD start = GetTickCount();
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(7));
    const DWORD elapsed = GetTickCount() - start;
    std::vector<std::string> expected = kLaunch;
    expected.push_back("SUB_DELETE_TEXT \"\"");
    for (const char* name : {"P0", "P2", "P4"}) {
        expected.push_back(std::string("SUB_ADD_TEXT_EX \" 35/30/00000,139/30/00000,") + name + "\"");
    }
    EXPECT_EQ(LogLines(), expected);
    EXPECT_NE(BridgeWindow(), nullptr);
    std::printf("[ time ] Show map to the points drawn in the bridge (launch included): %lu ms\n",
                static_cast<unsigned long>(elapsed));

    // Again while the bridge runs: no relaunch, the same four commands.
    const DWORD again = GetTickCount();
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(11));
    std::printf("[ time ] Show map to the points drawn in the running bridge: %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - again));
    const std::vector<std::string> lines = LogLines();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 7, lines.end()),
              std::vector<std::string>(expected.begin() + 3, expected.end()));

    // With nothing selected, Show map clears the map only.
    for (int row : {0, 2, 4}) list.SetState(row, 0, LVIS_SELECTED);
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(12));
    EXPECT_EQ(LogLines().back(), "SUB_DELETE_TEXT \"\"");
    EXPECT_EQ(LogLines().size(), 12u) << "no relaunch while the bridge runs";

    const DWORD id = BridgeProcessId();
    window.reset();  // closing the program closes the bridge
    EXPECT_TRUE(ProcessEnded(id, 5000));
    EXPECT_EQ(LogLines().back(), "WM_CLOSE");
}

TEST_F(MapCommands, MarkReadyBeforeAnyLaunchOnlyEnablesCapture) {
    auto window = Open(1);
    EXPECT_FALSE((*window)->Item(IDC_MAIN_CAPTURE).IsEnabled());
    (*window)->Self().Send(bridge::kMarkReadyMessage);
    EXPECT_TRUE((*window)->Item(IDC_MAIN_CAPTURE).IsEnabled());
    test::Pump();
    EXPECT_EQ(BridgeWindow(), nullptr) << "no bridge was started";
    EXPECT_TRUE(LogLines().empty());
}

TEST_F(MapCommands, AMarkSetInTheBridgeComesBackIntoTheWindowAndTheEditDialog) {
    auto window = Open(2);
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(4));
    // 35 41 05.007 north, 139 45 30.123 east
    SetMark(((35 * 60 + 41) * 60 + 5) * 1000 + 7, ((139 * 60 + 45) * 60 + 30) * 1000 + 123);
    const win::Window latEdit = (*window)->Item(IDC_MAIN_LAT);
    const win::Window lonEdit = (*window)->Item(IDC_MAIN_LON);
    ASSERT_TRUE(PumpUntil([&] { return !lonEdit.GetText().empty() && !latEdit.GetText().empty(); }));
    EXPECT_EQ(latEdit.GetText(), " 35.41.05.007");
    EXPECT_EQ(lonEdit.GetText(), "139.45.30.123");
    EXPECT_TRUE((*window)->Item(IDC_MAIN_CAPTURE).IsEnabled());

    // While the edit dialog is open, the next mark fills its received-position fields too.
    window->MainList().SelectAndFocus(1);
    std::string mapLat, mapLon, takenLat, takenLon;
    const bool opened = test::WithModalWindow("#32770", "編集", [&](HWND dialog) {
        SetMark(((35 * 60 + 30) * 60 + 0) * 1000 + 500, ((139 * 60 + 40) * 60 + 0) * 1000 + 250);
        PumpUntil([&] { return !test::ItemText(dialog, IDC_EDIT_MAP_LAT).empty() && test::ItemText(dialog, IDC_EDIT_MAP_LAT) != " 35.41.05.007"; });
        PumpUntil([&] { return test::ItemText(dialog, IDC_EDIT_MAP_LON) == "139.40.00.250"; }, 3000);
        mapLat = test::ItemText(dialog, IDC_EDIT_MAP_LAT);
        mapLon = test::ItemText(dialog, IDC_EDIT_MAP_LON);
        test::Click(dialog, IDC_EDIT_CAPTURE);
        takenLat = test::ItemText(dialog, IDC_EDIT_LAT);
        takenLon = test::ItemText(dialog, IDC_EDIT_LON);
        test::Click(dialog, IDOK);
    }, [&] { (*window)->Self().Send(WM_COMMAND, IDC_MAIN_CHANGE); });
    ASSERT_TRUE(opened);
    EXPECT_EQ(mapLat, " 35.30.00.500");
    EXPECT_EQ(mapLon, "139.40.00.250");
    EXPECT_EQ(takenLat, mapLat);
    EXPECT_EQ(takenLon, mapLon);
    EXPECT_EQ(window->Document().Points().Row(1).lat, "35.50014");
    EXPECT_EQ(window->Document().Points().Row(1).lon, "139.66674");
    // After the dialog has closed, a mark reaches the window alone.
    SetMark(((35 * 60 + 20) * 60 + 0) * 1000, ((139 * 60 + 20) * 60 + 0) * 1000);
    EXPECT_TRUE(PumpUntil([&] { return latEdit.GetText() == " 35.20.00.000"; }));
}

TEST_F(MapCommands, AClickOnTheMapGivesItsTokyoDatumPositionInTheEditor) {
    test::TileServer server;
    ASSERT_TRUE(server.Started()) << "the tile server did not start";
    test::TempDir cache;
    test::UseTiles(server.UrlTemplate(), cache.Path("tiles"));
    auto window = Open(1);  // P0 at 35.30.00 N, 139.30.00 E (Tokyo datum)
    window->MainList().SelectAndFocus(0);
    const win::Window latEdit = (*window)->Item(IDC_MAIN_LAT);
    const win::Window lonEdit = (*window)->Item(IDC_MAIN_LON);
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(5));
    test::RestoreTileDefaults();
    HWND bridge = BridgeWindow();
    ASSERT_NE(bridge, nullptr);
    RECT client{};
    GetClientRect(bridge, &client);
    // The map fills the client area above the 24-pixel status line and shows one point at zoom 16
    // in its middle. A click 120 pixels east and 80 north of it,
    // the pointer there first so that a move the system reports in between is no drag:
    const int x = client.right / 2 + 120;
    const int y = (client.bottom - 24) / 2 - 80;
    POINT at{x, y};
    if (ClientToScreen(bridge, &at)) SetCursorPos(at.x, at.y);
    PostMessageW(bridge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(bridge, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    ASSERT_TRUE(PumpUntil([&] { return !latEdit.GetText().empty() && !lonEdit.GetText().empty(); }));
    auto ms = [](const std::string& display) {
        return bridge::WireToMilliseconds(bridge::ToBridgeCoordinate(display)).value_or(-1);
    };
    // A pixel at zoom 16 spans 360 / 2^24 degrees of longitude, and cos(latitude) times that of
    // latitude (Web Mercator); the datum shift is the same for both positions 100 m apart.
    const double pixel = 360.0 / (1 << 24) * 3600000;
    const double latitude = 35.5 * 3.14159265358979 / 180;
    EXPECT_NEAR(ms(latEdit.GetText()), 127800000 + 80 * pixel * std::cos(latitude), pixel * std::cos(latitude))
        << latEdit.GetText();
    EXPECT_NEAR(ms(lonEdit.GetText()), 502200000 + 120 * pixel, pixel) << lonEdit.GetText();

    // Panning on the screen, the tiles loaded: each drag step is drawn before the move returns.
    PumpUntil([&] { return server.Requests().size() >= 9; });
    constexpr int kFrames = 200;
    SendMessageW(bridge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    const DWORD start = GetTickCount();
    for (int i = 1; i <= kFrames; ++i) SendMessageW(bridge, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(306 + i % 2, 200 - i));
    const DWORD elapsed = std::max<DWORD>(GetTickCount() - start, 1);
    SendMessageW(bridge, WM_LBUTTONUP, 0, MAKELPARAM(307, 200 - kFrames));
    std::printf("[ time ] Panning the bridge's map on screen: %d frames of %ldx%ld in %lu ms, %.0f frames per second\n",
                kFrames, client.right, client.bottom, static_cast<unsigned long>(elapsed), kFrames * 1000.0 / elapsed);
}

TEST_F(MapCommands, RepliesNobodyAskedForAreIgnoredAndAFloodOfMarksAsksOnce) {
    auto window = Open(1);
    const win::Window latEdit = (*window)->Item(IDC_MAIN_LAT);
    PostReply(*window, " 35/41/05007");  // from a third program, with no bridge, then nothing asked
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    PostReply(*window, " 35/41/05007");
    test::Pump();
    EXPECT_EQ(latEdit.GetText(), "");
    // A flood of mark notifications, markup as the reply: the bridge's own answer is taken.
    for (int i = 0; i < 1000; ++i) (*window)->Self().Post(bridge::kMarkReadyMessage);
    PostReply(*window, "<b>1</b>");
    PumpUntil([] { return false; }, 2000);
    EXPECT_TRUE(bridge::WireToMilliseconds(bridge::ToBridgeCoordinate(latEdit.GetText()))) << latEdit.GetText();
    const std::vector<std::string> lines = LogLines();
    EXPECT_LE(std::count(lines.begin(), lines.end(), "SUB_GET_MARK_LAT \"\""), 2) << "one question and one more";
}

TEST_F(MapCommands, CaptureMakesANewPointUpTo700) {
    for (int points : {699, 700}) {
        auto window = Open(points);
        (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);  // the bridge runs when it returns
        SetMark(((35 * 60 + 41) * 60 + 5) * 1000 + 7, ((139 * 60 + 45) * 60 + 30) * 1000 + 123);
        ASSERT_TRUE(PumpUntil([&] { return (*window)->Item(IDC_MAIN_LON).GetText() == "139.45.30.123"; }));
        window->MainList().SelectAndFocus(3);
        (*window)->Self().Send(WM_COMMAND, IDC_MAIN_CAPTURE);
        if (points == 699) {
            ASSERT_EQ(window->Document().Points().GetCount(), 700);
            EXPECT_EQ(window->Document().Points().Row(699).name, "新しいポイント");
            EXPECT_EQ(window->Document().Points().Row(699).lat, "35.68472");
            EXPECT_EQ(window->Document().Points().Row(699).lon, "139.75837");
            EXPECT_EQ(window->Document().Points().Row(699).mark, "01") << "a new point's mark";
            const win::ListView list = window->MainList();
            EXPECT_EQ(list.CellText(699, 1), "新しいポイント");
            EXPECT_EQ(list.LowestSelectedRow(), 699);
            EXPECT_EQ(list.SelectedCount(), 1);
            EXPECT_EQ(window->StatusText(2), "地点登録数  700");
            EXPECT_EQ(window->StatusText(0), os::DisplayPath(window->Document().FileName()));
            EXPECT_TRUE(window->prompts.messages.empty());
        } else {
            EXPECT_EQ(window->Document().Points().GetCount(), 700);
            ASSERT_EQ(window->prompts.messages.size(), 1u);
            EXPECT_EQ(window->prompts.messages[0].text, "700地点以上は登録出来ません");
        }
    }
}

TEST_F(MapCommands, ABridgeClosedByTheUserIsStartedAgain) {
    auto window = Open(1);
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(4));
    const DWORD first = BridgeProcessId();
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, first);
    TerminateProcess(process, 0);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(8));
    const std::vector<std::string> lines = LogLines();
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 4, lines.begin() + 7), kLaunch);
    EXPECT_NE(BridgeProcessId(), first);
}

TEST_F(MapCommands, ABridgeThatIgnoresCloseDoesNotHangTheEditor) {
    SetEnvironmentVariableW(L"TARVIX_IGNORE_CLOSE", L"1");
    auto window = Open(1);
    (*window)->Self().Send(WM_COMMAND, IDC_MAIN_SHOW_MAP);
    ASSERT_TRUE(WaitForLogLines(4));
    const DWORD id = BridgeProcessId();
    const DWORD start = GetTickCount();
    window.reset();
    const DWORD waited = GetTickCount() - start;
    EXPECT_LT(waited, 15000u);
    EXPECT_TRUE(ProcessEnded(id, 2000)) << "the bridge is ended after the bounded wait";
}

TEST_F(MapCommands, MapObjectChooserAgainstTheRegistry) {
    ClearRegistry();
    auto window = Open(1);
    const win::RegistrySettings settings = Settings();
    auto entries = [](HWND dialog) {
        std::vector<std::string> names;
        const win::ListBox list(GetDlgItem(dialog, IDC_OBJECTS_LIST));
        for (int i = 0; i < list.Count(); ++i) names.push_back(list.EntryText(i));
        return names;
    };
    auto choose = [&](std::function<void(HWND)> act) {
        return test::WithModalWindow("#32770", "オブジェクト", act,
                                     [&] { (*window)->Self().Send(WM_COMMAND, ID_MAP_SELECT); });
    };
    const std::vector<std::string> defaults = {"ProAtlasW2.Map", "ProAtlasW3.Map", "ProAtlasSV.Map", "Mapple.Document"};

    // First opening with an empty key; Foo.Map and a duplicate default are added; Cancel.
    ASSERT_TRUE(choose([&](HWND dialog) {
        EXPECT_EQ(entries(dialog), defaults);
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OBJECTS_LIST, LB_GETCURSEL, 0, 0), LB_ERR);
        test::SetItemText(dialog, IDC_OBJECTS_NEW_NAME, "Foo.Map");
        test::Click(dialog, IDC_OBJECTS_ADD);
        test::SetItemText(dialog, IDC_OBJECTS_NEW_NAME, "Mapple.Document");
        test::Click(dialog, IDC_OBJECTS_ADD);
        EXPECT_EQ(test::ItemText(dialog, IDC_OBJECTS_NEW_NAME), "");
        EXPECT_EQ(entries(dialog).size(), 6u);
        test::Click(dialog, IDCANCEL);
    }));
    EXPECT_EQ(settings.ReadDwordValue("o-cnt"), 6u);
    EXPECT_EQ(settings.ReadStringValue("MapObject04"), "Foo.Map");

    // The next opening drops the duplicate; fill up to 15; Add then does nothing.
    ASSERT_TRUE(choose([&](HWND dialog) {
        std::vector<std::string> expected = defaults;
        expected.push_back("Foo.Map");
        EXPECT_EQ(entries(dialog), expected);
        for (int i = 0; i < 11; ++i) {
            test::SetItemText(dialog, IDC_OBJECTS_NEW_NAME, "Extra" + std::to_string(i));
            test::Click(dialog, IDC_OBJECTS_ADD);
        }
        EXPECT_EQ(entries(dialog).size(), 15u);
        EXPECT_EQ(test::ItemText(dialog, IDC_OBJECTS_NEW_NAME), "Extra10") << "the 16th name stays typed";
        // Deleting the second entry renumbers the stored names.
        SendDlgItemMessageW(dialog, IDC_OBJECTS_LIST, LB_SETCURSEL, 1, 0);
        test::Click(dialog, IDC_OBJECTS_DELETE);
        // Choose Foo.Map with OK.
        SendDlgItemMessageW(dialog, IDC_OBJECTS_LIST, LB_SETCURSEL, 3, 0);
        test::Click(dialog, IDOK);
    }));
    EXPECT_EQ(settings.ReadDwordValue("o-cnt"), 14u);
    EXPECT_EQ(settings.ReadStringValue("MapObject01"), "ProAtlasSV.Map");
    EXPECT_EQ(settings.ReadStringValue("MapObject14"), "");
    EXPECT_EQ(settings.ReadStringValue("MapObject"), "Foo.Map");
    ASSERT_TRUE(WaitForLogLines(3)) << "the chosen object starts the bridge";
    EXPECT_EQ(LogLines()[1], "SUB_OBJECT_NAME \"Foo.Map\"");

    // Choosing the object in use again while the bridge runs restarts nothing; the current
    // choice is selected at opening.
    const DWORD id = BridgeProcessId();
    ASSERT_TRUE(choose([&](HWND dialog) {
        // The deleted default is back in front, so Foo.Map is the fifth entry.
        EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_OBJECTS_LIST, LB_GETCURSEL, 0, 0), 4);
        test::Click(dialog, IDOK);
    }));
    EXPECT_EQ(BridgeProcessId(), id);

    // OK with nothing selected hands back an empty name and keeps the stored choice.
    ASSERT_TRUE(choose([&](HWND dialog) {
        SendDlgItemMessageW(dialog, IDC_OBJECTS_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        test::Click(dialog, IDOK);
    }));
    EXPECT_EQ(settings.ReadStringValue("MapObject"), "Foo.Map");
    EXPECT_TRUE(ProcessEnded(id, 5000)) << "the bridge was restarted";
    ASSERT_TRUE(WaitForLogLines(7));
    EXPECT_EQ(LogLines()[3], "WM_CLOSE");
    EXPECT_EQ(LogLines()[5], "SUB_OBJECT_NAME \"\"") << "the restarted bridge opens no object";
}
}  // namespace
}  // namespace vondrel
