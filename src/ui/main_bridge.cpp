// The editor's side of the map bridge: registering the messages, streaming commands to the
// bridge window, launching and closing the bridge process, and taking in its replies.
#include <windows.h>

#include "resource.h"
#include "os/win32_text.h"
#include "ui/main_dialog.h"

namespace vondrel {

using bridge::Name;

void MainDialog::RegisterBridgeMessages() {
    bridgeMessages = bridge::RegisterNames([](const char* name) { return RegisterWindowMessageW(os::ToWide(name).c_str()); });
}

void MainDialog::SendCommand(Name command, const std::string& text) {
    HWND target = FindWindowW(nullptr, os::ToWide(bridge::kBridgeTitle).c_str());
    if (!target) return;  // no bridge window: the command is lost, as posts to no window are
    const UINT message = bridgeMessages[Name::kWmTarvix];
    for (const bridge::Post& post : bridge::EncodeCommand(bridgeMessages, bridgeMessages[command], text)) {
        PostMessageW(target, message, static_cast<WPARAM>(post.wParam), static_cast<LPARAM>(post.lParam));
    }
}

bool MainDialog::BridgeRunning() const {
    return bridgeProcess.hProcess && WaitForSingleObject(bridgeProcess.hProcess, 0) == WAIT_TIMEOUT;
}

int MainDialog::LaunchBridge() {
    if (bridgeProcess.hProcess) CloseHandle(bridgeProcess.hProcess);
    if (bridgeProcess.hThread) CloseHandle(bridgeProcess.hThread);
    bridgeProcess = PROCESS_INFORMATION{};
    std::wstring commandLine = L"Tarvix2.exe";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &bridgeProcess)) {
        WaitForInputIdle(bridgeProcess.hProcess, 10000);
    } else {
        bridgeProcess = PROCESS_INFORMATION{};
    }
    SendCommand(Name::kSetLayer, "4");
    bridgeWindow = FindWindowW(nullptr, os::ToWide(bridge::kBridgeTitle).c_str());
    SendCommand(Name::kObjectName, mapObjectName);
    bridgeConnected = 1;
    SendCommand(Name::kInitMap, "");
    // Keep the focus here after the bridge has opened its window.
    if (HWND self = FindWindowW(nullptr, os::ToWide(bridge::kEditorTitle).c_str())) SetForegroundWindow(self);
    return 1;
}

void MainDialog::EnsureBridge() {
    // A bridge the user closed (or one that never started) is started again instead of
    // commands going nowhere.
    if (bridgeConnected != 1 || !BridgeRunning()) LaunchBridge();
}

void MainDialog::CloseBridge(DWORD milliseconds) {
    if (bridgeWindow && IsWindow(bridgeWindow)) PostMessageW(bridgeWindow, WM_CLOSE, 0, 0);
    if (bridgeProcess.hProcess) {
        if (WaitForSingleObject(bridgeProcess.hProcess, milliseconds) == WAIT_TIMEOUT) {
            // A bridge that ignores the request must not keep the editor waiting.
            TerminateProcess(bridgeProcess.hProcess, 1);
            WaitForSingleObject(bridgeProcess.hProcess, 1000);
        }
        CloseHandle(bridgeProcess.hProcess);
        if (bridgeProcess.hThread) CloseHandle(bridgeProcess.hThread);
    }
    bridgeProcess = PROCESS_INFORMATION{};
    bridgeWindow = nullptr;
}

LRESULT MainDialog::OnBridgeMarkReady(WPARAM, LPARAM) {
    if (bridgeConnected == 1) {
        SendCommand(Name::kGetMarkLat, "");
        SendCommand(Name::kGetMarkLon, "");
    }
    Item(IDC_MAIN_CAPTURE).Enable(true);
    return 0;
}

LRESULT MainDialog::OnBridgeReply(WPARAM subCommand, LPARAM character) {
    const auto received = receiveBuffer.OnReply(static_cast<std::uintptr_t>(subCommand), static_cast<std::intptr_t>(character),
                                                bridgeMessages);
    if (!received) return 0;
    const bool latitude = received->axis == bridge::Axis::kLatitude;
    (latitude ? capturedLat : capturedLon) = received->display;
    (latitude ? latEdit : lonEdit).SetText(received->display);
    if (editDialog.isOpen == 1) editDialog.Item(latitude ? IDC_EDIT_MAP_LAT : IDC_EDIT_MAP_LON).SetText(received->display);
    return 0;
}

}  // namespace vondrel
