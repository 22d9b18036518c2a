// Tarvix2.exe's map against the tests' loopback tile server: the tiles it asks for hold the
// shown points at the zoom it chose, a second run draws them from its cache with the server
// stopped, a server that never answers, answers garbage or trickles leaves it responsive and
// closable, image bombs are refused undecoded, redirects stay on the host, the layer, size and
// position are remembered, and it opens beside the editor. Prints the median time to the first
// full view from the server and from the cache, and the peak memory under the bombs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

#include <windows.h>
#include <psapi.h>

#include "map/bridge_state.h"
#include "core/datum.h"
#include "support/bridge_process.h"
#include "os/win32_text.h"
#include "support/tile_server.h"

namespace vondrel::bridge {
namespace {

const std::string kUserAgent = " Tarvix/" VONDREL_VERSION " (Vondrel)";

struct SamplePoint {
    std::int32_t lat;  // Tokyo datum, milliseconds of arc
    std::int32_t lon;
    const char* name;
};
// Three points of samples/tokyo_points.xml and two further away.
const SamplePoint kTower{128382516, 503072064, "東京タワー"};
const SamplePoint kTemple{128584656, 503256420, "浅草寺"};
const SamplePoint kStation{128463948, 503150112, "東京駅"};
const SamplePoint kFarAway[] = {{155052000, 508860000, "札幌"}, {123930000, 487980000, "大阪"},
                                {120348000, 469188000, "福岡"}, {126648000, 493020000, "名古屋"},
                                {137160000, 507492000, "仙台"}};

std::string PointTextOf(const SamplePoint& p) {
    return PointText(FromBridgeCoordinate(MillisecondsToWire(p.lat, Axis::kLatitude)),
                     FromBridgeCoordinate(MillisecondsToWire(p.lon, Axis::kLongitude)), p.name);
}

// The request path of the tile holding a point at `zoom` (the usual tile numbering, worked out
// here on its own from the point's WGS 84 position).
std::string TilePath(const SamplePoint& p, int zoom, const char* layer = "std", const char* ext = "png") {
    const LatLon wgs = TokyoToWgs84({p.lat / 3600000.0, p.lon / 3600000.0});
    const double n = std::ldexp(1.0, zoom);
    const double pi = 3.14159265358979323846;
    const int x = static_cast<int>(std::floor((wgs.lon + 180) / 360 * n));
    const int y = static_cast<int>(std::floor((1 - std::asinh(std::tan(wgs.lat * pi / 180)) / pi) / 2 * n));
    return "/" + std::string(layer) + "/" + std::to_string(zoom) + "/" + std::to_string(x) + "/" + std::to_string(y) +
           "." + ext;
}

int ZoomOf(const std::string& viewLine) {
    int zoom = -1;
    std::sscanf(viewLine.c_str(), "VIEW %*s z%d", &zoom);
    return zoom;
}
long Milliseconds(const std::string& viewLine) {
    long ms = -1;
    std::sscanf(viewLine.c_str(), "VIEW %*s z%*d %*d tiles %ld ms", &ms);
    return ms;
}
long Median(std::vector<long> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

bool Requested(const test::TileServer& server, const std::string& path) {
    const auto requests = server.Requests();
    return std::find(requests.begin(), requests.end(), path + kUserAgent) != requests.end();
}

std::size_t FilesIn(const std::string& folder) {
    std::error_code error;
    std::size_t count = 0;
    for (std::filesystem::recursive_directory_iterator it(os::ToWide(folder), error), end; !error && it != end;
         it.increment(error)) {
        count += it->is_regular_file() ? 1 : 0;
    }
    return count;
}

class BridgeMapTest : public BridgeProcessTest {
protected:
    void TearDown() override {
        BridgeProcessTest::TearDown();
        test::RestoreTileDefaults();
    }
    void Show(const std::vector<SamplePoint>& points) {
        Send(Name::kDeleteText, "");
        for (const SamplePoint& p : points) Send(Name::kAddTextEx, PointTextOf(p));
    }
    // Starts the bridge with the test's tile server and cache folder.
    void StartWithServer() {
        ASSERT_TRUE(server.Started()) << "the tile server did not start";
        test::UseTiles(server.UrlTemplate(), cache);
        Start(logOption + L" " + tileLogOption);
    }
    // Shows Tokyo Station alone and waits until its view is drawn whole.
    void ShowStation() {
        Show({kStation});
        ASSERT_EQ(TileLogLines("VIEW std z16 ").size(), 1u);
    }
    DWORD CloseAndTimeExit() {  // milliseconds from the window's end to the process's
        PostMessageW(bridge, WM_CLOSE, 0, 0);
        PumpUntil([&] { return !IsWindow(bridge); }, kTimeout);
        const DWORD gone = GetTickCount();
        return Ended(kTimeout) ? GetTickCount() - gone : kTimeout;
    }
    test::TileServer server;
    test::TempDir cacheFolder;
    const std::string cache = cacheFolder.Path("tiles");
};

TEST_F(BridgeMapTest, TilesHoldTheShownPointsAndTheCacheServesThemOffline) {
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    Send(Name::kInitMap, "");
    Show({kStation});
    // (A view of no points, around Tokyo at zoom 11, may come between the commands of a show.)
    ASSERT_EQ(TileLogLines("VIEW std z16 ").size(), 1u);
    EXPECT_TRUE(Requested(server, TilePath(kStation, 16))) << TilePath(kStation, 16);

    Show({kTower, kTemple, kStation});
    const auto zoomOfThree = [](const std::string& line) { return ZoomOf(line) >= 12 && ZoomOf(line) <= 14; };
    const auto three = TileLogLinesWhere(zoomOfThree, 1);
    ASSERT_EQ(three.size(), 1u);
    const int zoom = ZoomOf(three[0]);
    for (const SamplePoint& p : {kTower, kTemple, kStation}) EXPECT_TRUE(Requested(server, TilePath(p, zoom))) << p.name;
    for (const std::string& request : server.Requests()) {
        EXPECT_NE(request.find(kUserAgent), std::string::npos) << request;
    }
    EXPECT_TRUE(Close());
    const std::size_t cached = FilesIn(cache);
    EXPECT_GT(cached, 10u);

    // Offline: the server is gone, the cache draws the same views.
    server.Stop();
    Start(logOption + L" " + tileLogOption);
    ASSERT_FALSE(HasFatalFailure());
    Show({kTower, kTemple, kStation});
    const auto offline = TileLogLinesWhere(zoomOfThree, 2);
    ASSERT_EQ(offline.size(), 2u);
    EXPECT_EQ(ZoomOf(offline[1]), zoom);
    EXPECT_NE(offline[1].find("network 0)"), std::string::npos) << offline[1];
    EXPECT_EQ(FilesIn(cache), cached);
}

TEST_F(BridgeMapTest, ATileOlderThan30DaysIsShownAndFetchedAgain) {
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    ShowStation();
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(Close());

    // The middle tile's file, dated 31 days back.
    const std::string path = TilePath(kStation, 16);
    std::string file = cache + path;
    std::replace(file.begin(), file.end(), '/', '\\');
    FILETIME written;
    GetSystemTimeAsFileTime(&written);
    ULARGE_INTEGER time{{written.dwLowDateTime, written.dwHighDateTime}};
    time.QuadPart -= 31ULL * 24 * 3600 * 10000000;
    written = {time.LowPart, time.HighPart};
    {
        HANDLE handle = CreateFileW(os::ToWide(file).c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << file;
        SetFileTime(handle, nullptr, nullptr, &written);
        CloseHandle(handle);
    }
    std::remove(tileLogPath.c_str());
    Start(logOption + L" " + tileLogOption);
    ASSERT_FALSE(HasFatalFailure());
    Show({kStation});
    const std::string name = "TILE std" + path.substr(4, path.size() - 8);
    EXPECT_EQ(TileLogLines(name + " stale cache").size(), 1u);
    EXPECT_EQ(TileLogLines(name + " network").size(), 1u);
    const auto fetched = TileLogLinesWhere(
        [](const std::string& line) {
            return line.find("std/16/") != std::string::npos && line.find(" network") != std::string::npos;
        },
        1);
    EXPECT_EQ(fetched.size(), 1u) << "only the old tile is fetched again";
    WIN32_FILE_ATTRIBUTE_DATA now{};
    GetFileAttributesExW(os::ToWide(file).c_str(), GetFileExInfoStandard, &now);
    EXPECT_GT(CompareFileTime(&now.ftLastWriteTime, &written), 0) << "the cache keeps the old copy";
}

TEST_F(BridgeMapTest, AServerThatNeverAnswersOrAnswersGarbageLeavesTheBridgeResponsive) {
    server.SetMode("hang");
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    Show({kStation});
    PumpUntil([&] { return server.Requests().size() >= 4; }, kTimeout);  // every fetch thread waits
    const DWORD asked = GetTickCount();
    EXPECT_EQ(AskMark().size(), 2u);
    EXPECT_LT(GetTickCount() - asked, 2000u) << "the bridge answered slowly while tiles hang";
    DWORD_PTR result = 0;
    EXPECT_TRUE(SendMessageTimeoutW(bridge, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &result));

    // Garbage instead of images: reported as failed in the log, nothing cached, no message box.
    // (The fetch threads are free again once the hanging requests time out after 10 s.)
    server.SetMode("garbage");
    for (int i = 0; i < 3; ++i) PostMessageW(bridge, WM_KEYDOWN, VK_RIGHT, 0);
    EXPECT_FALSE(TileLogLines("failed: not an image", 1, 20000).empty());
    EXPECT_FALSE(TileLogLines("failed: timeout").empty());
    EXPECT_EQ(FilesIn(cache), 0u);
    EXPECT_EQ(AskMark().size(), 2u);
    HWND box = FindWindowW(L"#32770", nullptr);
    EXPECT_EQ(box, nullptr) << "a message box appeared";
    // Redirects: not followed to another host, followed on the same one.
    server.SetMode("redirect-away");
    PostMessageW(bridge, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(TileLogLines(" failed: redirect to another host").empty());
    server.SetMode("redirect-here");
    PostMessageW(bridge, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_FALSE(TileLogLines(" network").empty());

    // Closing while requests still hang ends the bridge promptly and cleanly.
    const DWORD closing = GetTickCount();
    EXPECT_TRUE(Close(5000));
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    std::printf("[ time ] Bridge closed with tile requests hanging: %lu ms\n",
                static_cast<unsigned long>(GetTickCount() - closing));
}

TEST_F(BridgeMapTest, ImageBombsAreRefusedUndecodedAndTheMapClosesPromptly) {
    for (const char* bomb : {"bomb-png", "bomb-jpg"}) {  // 30000 and 65500 pixels square
        server.SetMode(bomb);
        std::remove(tileLogPath.c_str());  // each bomb's own line, not the one before's
        StartWithServer();
        ASSERT_FALSE(HasFatalFailure());
        Show({kStation});
        EXPECT_EQ(TileLogLines(" failed: ", 1, 60000).size(), 1u) << bomb;
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        const DWORD exit = CloseAndTimeExit();
        std::printf("[ size ] Map's peak memory under %s: %lu MB; ended %lu ms after its window\n", bomb,
                    static_cast<unsigned long>(memory.PeakWorkingSetSize >> 20), static_cast<unsigned long>(exit));
        EXPECT_LT(memory.PeakWorkingSetSize, 256u << 20) << bomb;
        EXPECT_LT(exit, 2000u) << bomb;
    }
}

TEST_F(BridgeMapTest, ATricklingServerHoldsNoFetchForeverAndLeavesAThreadForNewTiles) {
    server.SetMode("trickle");  // one byte every 5 s, of the headers or of the body
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    Show({kStation});
    PumpUntil([&] { return server.Requests().size() >= 4; }, kTimeout);
    server.SetMode("serve");  // the trickles started go on
    EXPECT_FALSE(TileLogLines(" network", 1, 15000).empty()) << "no thread took new requests";
    EXPECT_EQ(TileLogLines(" failed: deadline", 4, 45000).size(), 4u) << "trickling requests never ended";
    EXPECT_EQ(TileLogLines("VIEW std z16 ", 1).size(), 1u);
    EXPECT_LT(CloseAndTimeExit(), 2000u) << "closed while the given-up fetches still trickle";
}

TEST_F(BridgeMapTest, OpensBesideTheEditorAndRemembersLayerSizeAndPosition) {
    const std::wstring key = L"SOFTWARE\\Zarn\\VondrelTests\\TarvixPlacement";
    auto clear = [&] {
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
        RegDeleteTreeW(HKEY_CURRENT_USER, key.c_str());
    };
    clear();
    SetEnvironmentVariableW(L"TARVIX_SETTINGS_KEY", key.c_str());
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    RECT editorRect{}, bridgeRect{};
    GetWindowRect(editor, &editorRect);
    GetWindowRect(bridge, &bridgeRect);
    EXPECT_TRUE(bridgeRect.left >= editorRect.right || bridgeRect.right <= editorRect.left ||
                bridgeRect.top >= editorRect.bottom || bridgeRect.bottom <= editorRect.top)
        << "the bridge opened over the editor";

    // The photo layer, as its menu item chooses it: its .jpg tiles are asked for.
    PostMessageW(bridge, WM_COMMAND, tarvix::kLayerCommandFirst + 2, 0);
    const auto shown = TileLogLines("VIEW seamlessphoto z11");
    EXPECT_EQ(shown.size(), 1u);
    EXPECT_TRUE(Requested(server, TilePath({kStation.lat, kStation.lon, ""}, 11, "seamlessphoto", "jpg")));

    SetWindowPos(bridge, nullptr, 640, 120, 500, 400, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(Close());
    std::remove(tileLogPath.c_str());
    Start(logOption + L" " + tileLogOption);
    ASSERT_FALSE(HasFatalFailure());
    GetWindowRect(bridge, &bridgeRect);
    EXPECT_EQ(bridgeRect.left, 640);
    EXPECT_EQ(bridgeRect.top, 120);
    EXPECT_EQ(bridgeRect.right - bridgeRect.left, 500);
    EXPECT_EQ(bridgeRect.bottom - bridgeRect.top, 400);
    EXPECT_FALSE(TileLogLines("TILE seamlessphoto/11/").empty()) << "the layer was not remembered";
    EXPECT_TRUE(Close());
    SetEnvironmentVariableW(L"TARVIX_SETTINGS_KEY", L"SOFTWARE\\Zarn\\VondrelTests\\Tarvix");
    clear();
}

TEST_F(BridgeMapTest, ADragPansTheWheelZoomsAtTheCursorAndNeitherSetsTheMark) {
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    ShowStation();
    ASSERT_FALSE(HasFatalFailure());
    const auto before = AskMark();
    ASSERT_EQ(before.size(), 2u);

    // Dragged 60 pixels east and 30 south: the map shows what lay west and north.
    PostMessageW(bridge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    PostMessageW(bridge, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 115));
    PostMessageW(bridge, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(160, 130));
    PostMessageW(bridge, WM_LBUTTONUP, 0, MAKELPARAM(160, 130));
    const auto after = AskMark();
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(inbox.marks, 0) << "a drag set the mark";
    // One pixel at zoom 16 is 360 / 2^24 degrees of longitude, 0.81 times that of latitude here.
    const double pixel = 360.0 / (1 << 24) * 3600000;
    auto ms = [](const ReceivedCoordinate& c) { return WireToMilliseconds(ToBridgeCoordinate(c.display)).value_or(0); };
    EXPECT_NEAR(ms(before[1]) - ms(after[1]), 60 * pixel, pixel);
    EXPECT_NEAR(ms(after[0]) - ms(before[0]), 30 * pixel * std::cos(35.68 * 3.14159265 / 180), pixel);

    // The wheel zooms in at the cursor: zoom 17's tiles are asked for.
    POINT cursor{200, 150};
    ClientToScreen(bridge, &cursor);
    PostMessageW(bridge, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(cursor.x, cursor.y));
    EXPECT_FALSE(TileLogLines("TILE std/17/").empty());
    PostMessageW(bridge, WM_CHAR, L'-', 0);
    EXPECT_EQ(AskMark().size(), 2u);
    EXPECT_EQ(inbox.marks, 0);
}

TEST_F(BridgeMapTest, MeasuresTheFirstFullView) {
    StartWithServer();
    ASSERT_FALSE(HasFatalFailure());
    // From the server: places not drawn before, one after another.
    std::vector<long> network;
    for (const SamplePoint& place : kFarAway) {
        Show({place});
        const auto views = TileLogLines("VIEW std z16 ", network.size() + 1);
        ASSERT_EQ(views.size(), network.size() + 1);
        EXPECT_NE(views.back().find("(cache 0,"), std::string::npos) << views.back();
        network.push_back(Milliseconds(views.back()));
    }
    // Panning: each step of a drag is drawn before the move returns, so the moves sent one
    // after another time whole frames.
    constexpr int kFrames = 200;
    SendMessageW(bridge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(300, 200));
    const DWORD panStart = GetTickCount();
    for (int i = 1; i <= kFrames; ++i) SendMessageW(bridge, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300 + 5 + i % 2, 200 - i));
    const DWORD panTime = std::max<DWORD>(GetTickCount() - panStart, 1);
    SendMessageW(bridge, WM_LBUTTONUP, 0, MAKELPARAM(300, 200 - kFrames));
    RECT client{};
    GetClientRect(bridge, &client);
    std::printf("[ time ] Panning: %d frames of %ldx%ld in %lu ms, %.0f frames per second\n", kFrames, client.right,
                client.bottom, static_cast<unsigned long>(panTime), kFrames * 1000.0 / panTime);
    EXPECT_TRUE(Close());
    // From the cache: a fresh bridge each time (nothing in its memory), the server stopped.
    server.Stop();
    std::vector<long> cached;
    for (const SamplePoint& place : kFarAway) {
        std::remove(tileLogPath.c_str());
        Start(tileLogOption);
        ASSERT_FALSE(HasFatalFailure());
        Show({place});
        const auto views = TileLogLines("VIEW std z16 ");
        ASSERT_EQ(views.size(), 1u);
        EXPECT_NE(views[0].find("network 0)"), std::string::npos) << views[0];
        cached.push_back(Milliseconds(views[0]));
        EXPECT_TRUE(Close());
    }
    std::printf("[ time ] First full view at zoom 16 from the loopback server: median %ld ms of %zu\n", Median(network),
                network.size());
    std::printf("[ time ] First full view at zoom 16 from the disk cache: median %ld ms of %zu\n", Median(cached),
                cached.size());
}

}  // namespace
}  // namespace vondrel::bridge
