// The fixture that plays the editor to a real bridge process.
#include "support/bridge_process.h"

#include <cstdio>
#include <cstring>
#include <sstream>

#include "os/win32_text.h"

namespace vondrel::bridge {

namespace {

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

}  // namespace

std::wstring Widen(const char* ascii) { return std::wstring(ascii, ascii + std::strlen(ascii)); }

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

std::vector<std::string> Lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::istringstream stream(bytes);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

BridgeProcessTest::BridgeProcessTest()
    : logOption(L"\"--log=" + os::ToWide(logPath) + L"\""),
      tileLogOption(L"\"--tile-log=" + os::ToWide(tileLogPath) + L"\"") {}

void BridgeProcessTest::SetUp() {
    desktop = OwnDesktop();
    inbox.numbers = RegisterNames([](const char* name) { return RegisterWindowMessageW(Widen(name).c_str()); });
    theInbox = &inbox;
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = EditorProcedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"VondrelBridgeTestEditor";
    RegisterClassW(&windowClass);
    editor = CreateWindowW(windowClass.lpszClassName, Widen(kEditorTitle).c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                           nullptr, nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(editor, nullptr);
}

void BridgeProcessTest::TearDown() {
    if (HasFailure()) {
        // What the bridge did with its tiles, to see why.
        const std::vector<std::string> tiles = Lines(test::ReadFileBytes(tileLogPath));
        for (std::size_t i = tiles.size() > 60 ? tiles.size() - 60 : 0; i < tiles.size(); ++i) {
            std::printf("tile log: %s\n", tiles[i].c_str());
        }
    }
    if (process.hProcess) {
        // No test leaves a bridge behind.
        if (!Ended(0)) TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, kTimeout);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = PROCESS_INFORMATION{};
    }
    if (editor) DestroyWindow(editor);
    theInbox = nullptr;
}

void BridgeProcessTest::Start(const std::wstring& arguments) {
    if (process.hProcess) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        process = PROCESS_INFORMATION{};
    }
    std::wstring commandLine = L"Tarvix2.exe " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!desktop.empty()) startup.lpDesktop = &desktop[0];
    ASSERT_TRUE(CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process))
        << "error " << GetLastError();
    WaitForInputIdle(process.hProcess, kStartTimeout);
    auto found = [&] {
        bridge = FindWindowW(nullptr, Widen(kBridgeTitle).c_str());
        DWORD owner = 0;
        if (bridge) GetWindowThreadProcessId(bridge, &owner);
        return owner == process.dwProcessId;
    };
    ASSERT_TRUE(PumpUntil(found, kStartTimeout)) << "no window titled Tarvix appeared";
}

bool BridgeProcessTest::Close(DWORD timeout) {
    PostMessageW(bridge, WM_CLOSE, 0, 0);
    return Ended(timeout);
}

void BridgeProcessTest::SendNumber(std::uint32_t command, const std::string& text) {
    for (const Post& post : EncodeCommand(inbox.numbers, command, text)) {
        ASSERT_TRUE(PostMessageW(bridge, inbox.numbers[Name::kWmTarvix], post.wParam, post.lParam));
    }
}

std::vector<ReceivedCoordinate> BridgeProcessTest::AskMark() {
    inbox.received.clear();
    Send(Name::kGetMarkLat, "");
    Send(Name::kGetMarkLon, "");
    EXPECT_TRUE(PumpUntil([&] { return inbox.received.size() >= 2; }, kTimeout)) << "no complete reply";
    return inbox.received;
}

void BridgeProcessTest::Click(int x, int y) const {
    PostMessageW(bridge, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    PostMessageW(bridge, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

std::vector<std::string> BridgeProcessTest::LogOf(const std::string& path, std::size_t count) {
    std::vector<std::string> lines;
    PumpUntil([&] { return (lines = Lines(test::ReadFileBytes(path))).size() >= count; }, kTimeout);
    return lines;
}

std::vector<std::string> BridgeProcessTest::TileLogLines(const std::string& part, std::size_t count, DWORD timeout) {
    return TileLogLinesWhere([&](const std::string& line) { return line.find(part) != std::string::npos; }, count,
                             timeout);
}

std::vector<std::string> BridgeProcessTest::TileLogLinesWhere(const std::function<bool(const std::string&)>& wanted,
                                                              std::size_t count, DWORD timeout) {
    std::vector<std::string> found;
    PumpUntil(
        [&] {
            found.clear();
            for (const std::string& line : Lines(test::ReadFileBytes(tileLogPath))) {
                if (wanted(line)) found.push_back(line);
            }
            return found.size() >= count;
        },
        timeout);
    return found;
}

}  // namespace vondrel::bridge
