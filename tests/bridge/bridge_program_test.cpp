// Tarvix2.exe driven from outside: the test plays the editor (support/bridge_process.h),
// posts the commands of a launch and a show, sets the mark and asks for it, and checks what the
// bridge answers and logs.
#include <gtest/gtest.h>

#include "map/bridge_state.h"
#include "support/bridge_process.h"
#include "os/win32_text.h"

namespace vondrel::bridge {
namespace {

// Display form to milliseconds of arc.
std::int32_t Milliseconds(const std::string& display) {
    return WireToMilliseconds(ToBridgeCoordinate(display)).value_or(-1);
}

using BridgeProgramTest = BridgeProcessTest;

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

    // A click (button down and up in one place) in the middle of the map, which fills the
    // client area above the 24-pixel status line, sets the mark there.
    RECT client{};
    ASSERT_TRUE(GetClientRect(bridge, &client));
    Click(client.right / 2, (client.bottom - 24) / 2);
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
