// The editor's side of the map bridge: the process, the posted commands, the replies.
#include "mapbridge/bridge_client.h"

#include "os/file_io.h"
#include "os/win32_text.h"
#include "win/program_folder.h"

namespace vondrel {

using bridge::Name;

namespace {
HWND FindByTitle(const char* title) { return FindWindowW(nullptr, os::ToWide(title).c_str()); }
}  // namespace

os::Path BridgeClient::ProgramPath() { return win::ProgramFolder() / kProgram; }

bool BridgeClient::ProgramPresent() { return os::FileExists(ProgramPath()); }

void BridgeClient::RegisterMessages() {
    messages = bridge::RegisterNames([](const char* name) { return RegisterWindowMessageW(os::ToWide(name).c_str()); });
}

void BridgeClient::Send(Name command, const std::string& text) const {
    HWND target = FindByTitle(bridge::kBridgeTitle);
    if (!target) return;  // no bridge window: the command is lost, as posts to no window are
    const UINT message = messages[Name::kWmTarvix];
    for (const bridge::Post& post : bridge::EncodeCommand(messages, messages[command], text)) {
        PostMessageW(target, message, static_cast<WPARAM>(post.wParam), static_cast<LPARAM>(post.lParam));
    }
}

void BridgeClient::Launch(const std::string& objectName) {
    questions.Reset();
    process = win::ChildProcess::Start(ProgramPath());
    process.WaitUntilIdle(kInputIdleWait);
    Send(Name::kSetLayer, kPointLayer);
    bridgeWindow = FindByTitle(bridge::kBridgeTitle);
    Send(Name::kObjectName, objectName);
    connected = true;
    Send(Name::kInitMap, "");
    // Keep the focus here after the bridge has opened its window.
    if (HWND editor = FindByTitle(bridge::kEditorTitle)) SetForegroundWindow(editor);
}

void BridgeClient::EnsureRunning(const std::string& objectName) {
    // A bridge the user closed (or one that never started) is started again instead of
    // commands going nowhere.
    if (!Connected()) Launch(objectName);
}

void BridgeClient::Close() {
    if (!Launched()) return;
    if (bridgeWindow && IsWindow(bridgeWindow)) PostMessageW(bridgeWindow, WM_CLOSE, 0, 0);
    if (!process.WaitForEnd(kCloseWait)) {
        // A bridge that ignores the request must not keep the editor waiting.
        process.Terminate(1);
        process.WaitForEnd(1000);
    }
    process = win::ChildProcess();
    bridgeWindow = nullptr;
    connected = false;
}

void BridgeClient::ShowPoints(const std::vector<MapPoint>& points) const {
    Send(Name::kDeleteText, "");
    for (const MapPoint& point : points) Send(Name::kAddTextEx, bridge::PointText(point.latDms, point.lonDms, point.name));
}

void BridgeClient::AskForMark() const {
    Send(Name::kGetMarkLat, "");
    Send(Name::kGetMarkLon, "");
}

void BridgeClient::OnMarkReady() {
    if (Connected() && questions.OnMarkReady(static_cast<std::int64_t>(GetTickCount64()))) AskForMark();
}

std::optional<bridge::ReceivedCoordinate> BridgeClient::OnReply(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!Connected()) return std::nullopt;
    const auto now = static_cast<std::int64_t>(GetTickCount64());
    std::optional<bridge::ReceivedCoordinate> coordinate = questions.OnReply(wParam, lParam, messages, now);
    if (questions.AskAgain(now)) AskForMark();
    return coordinate;
}

}  // namespace vondrel
