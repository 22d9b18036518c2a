// Tarvix2.exe driven from outside: the test plays the editor with a hidden top-level window
// titled "Kestrova", starts the bridge as a process of its own, posts commands to it with real
// PostMessage, pumps its own queue for the mark and reply messages, reads the bridge's log and
// closes it. Every wait is bounded.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "bridge/bridge_state.h"
#include "protocol/bridge_protocol.h"
#include "os/win32_text.h"
#include "support/temp_dir.h"

namespace vondrel::bridge {
namespace {

constexpr DWORD kStartTimeout = 30000;  // a first Wine start can be slow
constexpr DWORD kTimeout = 10000;

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

// What the editor window has received.
struct Inbox {
    MessageNumbers numbers;
    int marks = 0;
    ReplyAssembler assembler;
    std::vector<ReceivedCoordinate> received;
};
Inbox* theInbox = nullptr;

LRESULT CALLBACK EditorProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (theInbox && message == kMarkReadyMessage) ++theInbox->marks;
    if (theInbox && message == kReplyMessage) {
        if (auto coordinate = theInbox->assembler.OnReply(wParam, lParam, theInbox->numbers)) {
            theInbox->received.push_back(*coordinate);
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Dispatches this thread's messages until `done` holds or `timeout` has passed.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (done()) return true;
        if (GetTickCount() - start > timeout) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
}

// Moves this thread to a desktop of its own before it has windows; the bridge starts there too.
// Windows titled "Kestrova" or "Tarvix" of programs running meanwhile are then out of reach of
// both sides' FindWindow.
std::wstring OwnDesktop() {
    static const std::wstring name = [] {
        const std::wstring desktop = L"VondrelBridgeTests" + std::to_wstring(GetCurrentProcessId());
        HDESK handle = CreateDesktopW(desktop.c_str(), nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        return handle && SetThreadDesktop(handle) ? desktop : std::wstring();
    }();
    return name;
}

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream stream(bytes);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

// Display form to milliseconds of arc.
std::int32_t Milliseconds(const std::string& display) {
    return WireToMilliseconds(ToBridgeCoordinate(display)).value_or(-1);
}

class BridgeProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        desktop = OwnDesktop();
        inbox.numbers = RegisterNames([](const char* name) { return RegisterWindowMessageW(Widen(name).c_str()); });
        theInbox = &inbox;
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = EditorProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VondrelBridgeTestEditor";
        RegisterClassW(&windowClass);
        editor = CreateWindowW(windowClass.lpszClassName, Widen(kEditorTitle).c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200,
                               100, nullptr, nullptr, windowClass.hInstance, nullptr);
        ASSERT_NE(editor, nullptr);
    }

    void TearDown() override {
        if (process.hProcess) {
            // No test leaves a bridge behind.
            if (!Ended(0)) TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, kTimeout);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        if (editor) DestroyWindow(editor);
        theInbox = nullptr;
    }

    // Starts Tarvix2.exe from the build folder (the working folder) and waits for its window.
    void Start(const std::wstring& arguments) {
        std::wstring commandLine = L"Tarvix2.exe " + arguments;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        if (!desktop.empty()) startup.lpDesktop = &desktop[0];
        ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        WaitForInputIdle(process.hProcess, kStartTimeout);
        auto found = [&] {
            bridge = FindWindowW(nullptr, Widen(kBridgeTitle).c_str());
            DWORD owner = 0;
            if (bridge) GetWindowThreadProcessId(bridge, &owner);
            return owner == process.dwProcessId;
        };
        ASSERT_TRUE(PumpUntil(found, kStartTimeout)) << "no window titled Tarvix appeared";
    }

    void Send(Name command, const std::string& text) { SendNumber(inbox.numbers[command], text); }
    void SendNumber(std::uint32_t command, const std::string& text) {
        for (const Post& post : EncodeCommand(inbox.numbers, command, text)) {
            ASSERT_TRUE(PostMessageW(bridge, inbox.numbers[Name::kWmTarvix], post.wParam, post.lParam));
        }
    }

    // Asks for the mark's latitude and longitude and returns what arrived.
    std::vector<ReceivedCoordinate> AskMark() {
        inbox.received.clear();
        Send(Name::kGetMarkLat, "");
        Send(Name::kGetMarkLon, "");
        EXPECT_TRUE(PumpUntil([&] { return inbox.received.size() >= 2; }, kTimeout)) << "no complete reply";
        return inbox.received;
    }

    // The log once it has `count` lines (or after the timeout), read while the bridge runs.
    std::vector<std::string> Log(std::size_t count) {
        std::vector<std::string> lines;
        PumpUntil([&] { return (lines = Lines(test::ReadFileBytes(logPath))).size() >= count; }, kTimeout);
        return lines;
    }

    bool Ended(DWORD timeout) { return WaitForSingleObject(process.hProcess, timeout) == WAIT_OBJECT_0; }

    test::TempDir folder;
    const std::string logPath = folder.Path("bridge.log");
    const std::wstring logOption = L"\"--log=" + os::ToWide(logPath) + L"\"";
    std::wstring desktop;
    Inbox inbox;
    HWND editor = nullptr;
    HWND bridge = nullptr;
    PROCESS_INFORMATION process{};
};

TEST_F(BridgeProgramTest, LaunchPointsMarkRepliesAndClose) {
    Start(logOption);
    Send(Name::kSetLayer, "4");
    Send(Name::kObjectName, "ProAtlasSV.Map");
    Send(Name::kInitMap, "");
    Send(Name::kDeleteText, "");
    Send(Name::kAddTextEx, PointText(" 35.41.05.007", "139.45.30.123", "東京駅"));
    Send(Name::kAddTextEx, PointText(" 35.39.30.000", "139.42.00.000", "ｼﾌﾞﾔ 渋谷"));
    Send(Name::kAddTextEx, PointText(" 35.43.40.500", "139.48.10.250", "浅草,雷門"));

    // Without a mark the bridge answers with the centre of its view: the middle of the points.
    std::vector<ReceivedCoordinate> centre = AskMark();
    ASSERT_EQ(centre.size(), 2u);
    EXPECT_EQ(centre[0].axis, Axis::kLatitude);
    EXPECT_EQ(centre[0].display, " 35.41.35.250");
    EXPECT_EQ(centre[1].axis, Axis::kLongitude);
    EXPECT_EQ(centre[1].display, "139.45.05.125");

    // A click in the middle of the plot (between the header and footer lines) sets the mark there.
    RECT client{};
    ASSERT_TRUE(GetClientRect(bridge, &client));
    PostMessageW(bridge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right / 2, client.bottom / 2));
    ASSERT_TRUE(PumpUntil([&] { return inbox.marks == 1; }, kTimeout)) << "no mark message after a click";
    std::vector<ReceivedCoordinate> clicked = AskMark();
    ASSERT_EQ(clicked.size(), 2u);
    EXPECT_NEAR(Milliseconds(clicked[0].display), Milliseconds(" 35.41.35.250"), 2000) << clicked[0].display;
    EXPECT_NEAR(Milliseconds(clicked[1].display), Milliseconds("139.45.05.125"), 2000) << clicked[1].display;

    // The test hook sets an exact mark.
    PostMessageW(bridge, RegisterWindowMessageW(Widen(tarvix::kTestSetMarkName).c_str()), 128465007, 503130123);
    ASSERT_TRUE(PumpUntil([&] { return inbox.marks == 2; }, kTimeout));
    std::vector<ReceivedCoordinate> exact = AskMark();
    ASSERT_EQ(exact.size(), 2u);
    EXPECT_EQ(exact[0].display, " 35.41.05.007");
    EXPECT_EQ(exact[1].display, "139.45.30.123");

    PostMessageW(bridge, WM_CLOSE, 0, 0);
    EXPECT_TRUE(Ended(kTimeout)) << "the bridge did not end after WM_CLOSE";
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);

    const std::vector<std::string> log = Log(22);
    ASSERT_EQ(log.size(), 22u);
    const std::vector<std::string> head = {
        R"(SUB_SET_LAYER "4")",
        R"(SUB_OBJECT_NAME "ProAtlasSV.Map")",
        R"(SUB_INIT_MAP "")",
        R"(SUB_DELETE_TEXT "")",
        R"(SUB_ADD_TEXT_EX " 35/41/05007,139/45/30123,\x93\x8C\x8B\x9E\x89\x77")",
        R"(SUB_ADD_TEXT_EX " 35/39/30000,139/42/00000,\xBC\xCC\xDE\xD4 \x8F\x61\x92\x4A")",
        R"(SUB_ADD_TEXT_EX " 35/43/40500,139/48/10250,\x90\xF3\x91\x90,\x97\x8B\x96\xE5")",
        R"(SUB_GET_MARK_LAT "")",
        R"(REPLY SUB_GET_MARK_LAT " 35/41/35250" posted)",
        R"(SUB_GET_MARK_LON "")",
        R"(REPLY SUB_GET_MARK_LON "139/45/05125" posted)",
    };
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + head.size()), head);
    EXPECT_EQ(log[11].rfind("MARK \" 35/41/", 0), 0u) << log[11];
    EXPECT_EQ(log[16], R"(MARK " 35/41/05007,139/45/30123" posted)");
    EXPECT_EQ(log[21], "WM_CLOSE");
}

TEST_F(BridgeProgramTest, CommandsChangeWhatTheBridgeAnswers) {
    Start(logOption);
    Send(Name::kAddTextEx, PointText(" 36.00.00.000", "140.00.00.000", "A"));
    Send(Name::kDeleteText, "");
    // Unusable points change nothing: the answer is the default area's centre near Tokyo.
    Send(Name::kAddTextEx, "no coordinates here");
    Send(Name::kAddTextEx, "35.41.05.007,139.45.30.123,display forms");
    SendNumber(0x1234, "odd");
    std::vector<ReceivedCoordinate> answer = AskMark();
    ASSERT_EQ(answer.size(), 2u);
    EXPECT_EQ(answer[0].display, " 35.40.52.000");
    EXPECT_EQ(answer[1].display, "139.46.01.000");

    // An overlong object name arrives cut below the buffer size, whole characters only.
    Send(Name::kObjectName, std::string(1022, 'N') + "地図");
    const std::vector<std::string> log = Log(10);
    ASSERT_EQ(log.size(), 10u);
    EXPECT_EQ(log[2], R"(SUB_ADD_TEXT_EX "no coordinates here" rejected)");
    EXPECT_EQ(log[3], R"(SUB_ADD_TEXT_EX "35.41.05.007,139.45.30.123,display forms" rejected)");
    EXPECT_EQ(log[4], R"(UNKNOWN 0x1234 "odd")");
    EXPECT_EQ(log[9], "SUB_OBJECT_NAME \"" + std::string(1022, 'N') + "\"");
}

TEST_F(BridgeProgramTest, IgnoresCloseWhenToldByItsEnvironment) {
    SetEnvironmentVariableW(L"TARVIX_LOG", os::ToWide(logPath).c_str());
    SetEnvironmentVariableW(L"TARVIX_IGNORE_CLOSE", L"1");
    Start(L"");
    SetEnvironmentVariableW(L"TARVIX_LOG", nullptr);
    SetEnvironmentVariableW(L"TARVIX_IGNORE_CLOSE", nullptr);
    if (HasFatalFailure()) return;

    PostMessageW(bridge, WM_CLOSE, 0, 0);
    EXPECT_EQ(Log(1), std::vector<std::string>{"WM_CLOSE ignored"});
    EXPECT_FALSE(Ended(1000)) << "the bridge ended although told to ignore WM_CLOSE";
    EXPECT_EQ(AskMark().size(), 2u) << "no longer serving after the ignored close";
}

}  // namespace
}  // namespace vondrel::bridge
