// A test fixture playing the editor to a real Tarvix2.exe: a hidden top-level window titled
// "Kestrova" on a desktop of the test's own, the bridge started as a process there, commands
// posted with real PostMessage, the mark and reply messages pumped in, and the bridge's logs
// read while it runs. Every wait is bounded.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "protocol/bridge_protocol.h"
#include "support/temp_dir.h"

namespace vondrel::bridge {

inline constexpr DWORD kStartTimeout = 30000;  // a first Wine start can be slow
inline constexpr DWORD kTimeout = 10000;

std::wstring Widen(const char* ascii);
// Dispatches this thread's messages until `done` holds or `timeout` has passed.
bool PumpUntil(const std::function<bool()>& done, DWORD timeout);
std::vector<std::string> Lines(const std::string& bytes);

// What the editor window has received.
struct Inbox {
    MessageNumbers numbers;
    int marks = 0;
    ReplyAssembler assembler;
    std::vector<ReceivedCoordinate> received;
};

class BridgeProcessTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts Tarvix2.exe from the build folder (the working folder) and waits for its window.
    void Start(const std::wstring& arguments);
    // Posts WM_CLOSE and waits for the bridge to end; false if it did not within `timeout`.
    bool Close(DWORD timeout = kTimeout);
    void Send(Name command, const std::string& text) { SendNumber(inbox.numbers[command], text); }
    void SendNumber(std::uint32_t command, const std::string& text);
    // Asks for the mark's latitude and longitude and returns what arrived.
    std::vector<ReceivedCoordinate> AskMark();
    // A click (button down and up) at client coordinates of the bridge.
    void Click(int x, int y) const;
    // The log once it has `count` lines (or after the timeout), read while the bridge runs.
    std::vector<std::string> Log(std::size_t count) { return LogOf(logPath, count); }
    std::vector<std::string> LogOf(const std::string& path, std::size_t count);
    // The tile log's lines that contain `part`, once there are `count` of them (or after `timeout`).
    std::vector<std::string> TileLogLines(const std::string& part, std::size_t count = 1, DWORD timeout = kTimeout);
    std::vector<std::string> TileLogLinesWhere(const std::function<bool(const std::string&)>& wanted, std::size_t count,
                                               DWORD timeout = kTimeout);
    bool Ended(DWORD timeout) { return WaitForSingleObject(process.hProcess, timeout) == WAIT_OBJECT_0; }

    test::TempDir folder;
    const std::string logPath = folder.Path("bridge.log");
    const std::string tileLogPath = folder.Path("tiles.log");
    const std::wstring logOption;
    const std::wstring tileLogOption;
    std::wstring desktop;
    Inbox inbox;
    HWND editor = nullptr;
    HWND bridge = nullptr;
    PROCESS_INFORMATION process{};

public:
    BridgeProcessTest();
};

}  // namespace vondrel::bridge
