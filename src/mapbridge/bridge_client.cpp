// The editor's side of the map bridge: the process, the posted commands, the replies.
#include "mapbridge/bridge_client.h"

#include "os/file_io.h"
#include "os/win32_text.h"
#include "win/program_folder.h"

namespace vondrel {

using bridge::EditMessage;
using bridge::EditStep;
using bridge::Name;

namespace {
constexpr DWORD kLookStepMs = 20;
constexpr UINT kAnswerWaitMs = 2000;  // a bridge that does not answer within this hangs

HWND FindByTitle(const char* title) { return FindWindowW(nullptr, os::ToWide(title).c_str()); }

struct WindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM searchParam) {
    auto* search = reinterpret_cast<WindowSearch*>(searchParam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    wchar_t title[16];
    if (owner != search->processId || GetWindowTextW(window, title, 16) <= 0) return TRUE;
    if (os::ToWide(bridge::kBridgeTitle) != title) return TRUE;
    search->found = window;
    return FALSE;
}
}  // namespace

os::Path BridgeClient::ProgramPath() { return win::ProgramFolder() / kProgram; }

bool BridgeClient::ProgramPresent() { return os::FileExists(ProgramPath()); }

void BridgeClient::RegisterMessages() {
    messages = bridge::RegisterNames([](const char* name) { return RegisterWindowMessageW(os::ToWide(name).c_str()); });
    toMapMessage = RegisterWindowMessageW(os::ToWide(bridge::kEditToMapName).c_str());
}

HWND BridgeClient::OwnWindow() const {
    if (!process) return nullptr;
    WindowSearch search{process.Id(), nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) bridgeWindow = search.found;
    return search.found;
}

HWND BridgeClient::Target() const {
    // The window found before while it stands (a show sends a command per point).
    DWORD owner = 0;
    if (bridgeWindow && IsWindow(bridgeWindow) && GetWindowThreadProcessId(bridgeWindow, &owner) && owner == process.Id()) {
        return bridgeWindow;
    }
    if (HWND own = OwnWindow()) return own;
    // A program standing in for the bridge may open its window from another process.
    return FindByTitle(bridge::kBridgeTitle);
}

void BridgeClient::Send(Name command, const std::string& text) const {
    HWND target = Target();
    if (!target) return;  // no bridge window: the command is lost, as posts to no window are
    const UINT message = messages[Name::kWmTarvix];
    for (const bridge::Post& post : bridge::EncodeCommand(messages, messages[command], text)) {
        PostMessageW(target, message, static_cast<WPARAM>(post.wParam), static_cast<LPARAM>(post.lParam));
    }
}

void BridgeClient::SendEdit(const EditMessage& message) const {
    HWND target = Target();
    DWORD owner = 0;
    if (!target || !edits || !GetWindowThreadProcessId(target, &owner) || owner != process.Id()) return;
    for (const bridge::Post& post : bridge::EncodeEdit(message)) {
        PostMessageW(target, toMapMessage, static_cast<WPARAM>(post.wParam), static_cast<LPARAM>(post.lParam));
    }
}

void BridgeClient::Launch(const std::string& objectName) {
    questions.Reset();
    set.Clear();
    shown.clear();
    edits = false;
    bridgeWindow = nullptr;
    process = win::ChildProcess::Start(ProgramPath());
    process.WaitUntilIdle(kInputIdleWait);
    // Ready for input is not always with a window: one opened late would miss the commands.
    for (DWORD waited = 0; waited < kInputIdleWait && process.Running() && !Target(); waited += kLookStepMs) {
        Sleep(kLookStepMs);
    }
    Send(Name::kSetLayer, kPointLayer);
    Send(Name::kObjectName, objectName);
    connected = true;
    Send(Name::kInitMap, "");
    // Keep the focus here after the bridge has opened its window.
    if (HWND editor = FindByTitle(bridge::kEditorTitle)) SetForegroundWindow(editor);
}

void BridgeClient::EnsureRunning(const std::string& objectName) {
    if (Connected()) {
        // A window that was seen and is gone means a bridge on its way out; one that does not
        // answer hangs (a crash dialog, say). Either shows nothing: end it and start anew.
        const HWND seen = bridgeWindow;
        const HWND now = OwnWindow();
        DWORD_PTR result = 0;
        const bool closing = seen && !now;
        const bool hung = now && !SendMessageTimeoutW(now, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerWaitMs, &result);
        if (!closing && !hung) return;
        Close();
    }
    // A bridge the user closed (or one that never started) is started again instead of
    // commands going nowhere.
    Launch(objectName);
}

void BridgeClient::Close() {
    if (!Launched()) return;
    // The window is looked up again until it is found: one opened after the launch's look-up
    // is asked to close too, so it can store what it remembers.
    bool asked = false;
    for (DWORD waited = 0; waited < kCloseWait; waited += kLookStepMs) {
        if (!asked) {
            HWND window = OwnWindow();
            if (!window && !process && bridgeWindow && IsWindow(bridgeWindow)) window = bridgeWindow;
            asked = window && PostMessageW(window, WM_CLOSE, 0, 0);
        }
        if (process.WaitForEnd(kLookStepMs)) break;
    }
    if (!process.WaitForEnd(0)) {
        // A bridge that ignores the request must not keep the editor waiting.
        process.Terminate(1);
        process.WaitForEnd(1000);
    }
    process = win::ChildProcess();
    bridgeWindow = nullptr;
    connected = false;
    edits = false;
    set.Clear();
}

void BridgeClient::ShowPoints(const std::vector<MapPoint>& points) {
    Send(Name::kDeleteText, "");
    if (edits) BeginSet(points);
    for (const MapPoint& point : points) Send(Name::kAddTextEx, bridge::PointText(point.latDms, point.lonDms, point.name));
    shown = points;
    if (edits) ShowMarks();
}

void BridgeClient::BeginSet(const std::vector<MapPoint>& points) {
    EditMessage begin;
    begin.step = EditStep::kSetBegins;
    begin.value = set.Begin(static_cast<int>(points.size()));
    SendEdit(begin);
}

void BridgeClient::ShowMarks() const {
    const std::vector<MapPoint>& points = shown;
    for (std::size_t i = 0; i < points.size(); ++i) {
        EditMessage mark;
        mark.step = EditStep::kShowMark;
        mark.value = static_cast<std::int64_t>(i);
        mark.mark = points[i].mark;
        SendEdit(mark);
    }
}

void BridgeClient::Highlight(const std::vector<int>& indices) const {
    EditMessage message;
    message.step = EditStep::kSelectNone;
    SendEdit(message);
    message.step = EditStep::kSelect;
    for (int index : indices) {
        message.value = index;
        SendEdit(message);
    }
}

void BridgeClient::Place(int index, std::int32_t lat, std::int32_t lon) const {
    EditMessage message;
    message.step = EditStep::kPlace;
    message.value = index;
    message.lat = lat;
    message.lon = lon;
    SendEdit(message);
}

bool BridgeClient::OnHello(std::uintptr_t version, std::intptr_t processId) {
    // Only the bridge started here, while it runs, and a version this editor speaks.
    if (!Connected() || version < bridge::kEditVersion || static_cast<DWORD>(processId) != process.Id()) return false;
    edits = true;
    editSteps = bridge::EditAssembler();
    EditMessage ready;
    ready.step = EditStep::kReady;
    ready.value = bridge::kEditVersion;
    SendEdit(ready);
    // Points shown before the hello came (the first show starts the bridge and sends them at
    // once) are named a set now: they are on the map in the order sent.
    if (!shown.empty()) {
        BeginSet(shown);
        ShowMarks();
    }
    return true;
}

std::optional<EditMessage> BridgeClient::OnEditStep(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!Edits()) return std::nullopt;
    std::optional<EditMessage> message = editSteps.Step(wParam, lParam);
    if (!message) return std::nullopt;
    switch (message->step) {
        case EditStep::kMoved:
            if (set.TakeMove(*message)) return message;
            break;
        case EditStep::kClicked:
            if (set.Member(*message)) return message;
            break;
        case EditStep::kAddHere:
            if (bridge::InRange(message->lat, message->lon)) return message;
            break;
        default:
            break;
    }
    return std::nullopt;
}

void BridgeClient::AskForMark() const {
    Send(Name::kGetMarkLat, "");
    Send(Name::kGetMarkLon, "");
}

void BridgeClient::AskForMarkNow() {
    if (Connected() && questions.OnMarkReady(static_cast<std::int64_t>(GetTickCount64()))) AskForMark();
}

void BridgeClient::OnMarkReady() { AskForMarkNow(); }

std::optional<bridge::ReceivedCoordinate> BridgeClient::OnReply(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!Connected()) return std::nullopt;
    const auto now = static_cast<std::int64_t>(GetTickCount64());
    std::optional<bridge::ReceivedCoordinate> coordinate = questions.OnReply(wParam, lParam, messages, now);
    if (questions.AskAgain(now)) AskForMark();
    return coordinate;
}

}  // namespace vondrel
