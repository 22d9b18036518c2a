// BridgeClient: the editor's side of the map bridge program: starting and ending its process,
// posting commands to its window, and assembling its replies. It knows nothing of the main
// window: the window hands it the bridge's messages (OnMarkReady, OnReply) and takes what they
// bring as return values.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "protocol/bridge_protocol.h"
#include "protocol/edit_protocol.h"
#include "protocol/mark_questions.h"
#include "win/child_process.h"

namespace vondrel {

// A point as the map shows it: display forms and name (code page 932).
struct MapPoint {
    std::string latDms;
    std::string lonDms;
    std::string name;
    int mark = 0;  // the mark number drawn for it where the bridge can
};

class BridgeClient {
public:
    // The bridge program, beside the editor's own program.
    static constexpr const wchar_t* kProgram = L"Tarvix2.exe";
    // How long a starting bridge is given to be ready for input, and a closing one to end.
    static constexpr DWORD kInputIdleWait = 10000;
    static constexpr DWORD kCloseWait = 5000;
    // The map layer the editor's points are drawn on.
    static constexpr const char* kPointLayer = "4";

    BridgeClient() = default;
    ~BridgeClient() { Close(); }
    BridgeClient(const BridgeClient&) = delete;
    BridgeClient& operator=(const BridgeClient&) = delete;

    // Where the bridge program is: in the folder of the editor's program (never the current
    // folder or the PATH, where anyone could put a program of that name).
    static os::Path ProgramPath();
    // True when the bridge program stands there; what is checked is what is started.
    static bool ProgramPresent();
    // Registers the protocol's message names; done once before anything is sent or received.
    void RegisterMessages();

    // Starts the bridge and opens the map: the point layer, the map object `objectName`, the
    // map's initialisation. A bridge started before is let go (not ended). Waits (at most
    // kInputIdleWait) for the bridge's window, so the first commands reach it.
    void Launch(const std::string& objectName);
    // Launches the bridge unless the one launched last still runs with its window open and
    // answering; one that is closing or hangs is ended first.
    void EnsureRunning(const std::string& objectName);
    // True from a launch until the bridge is closed or has ended.
    bool Connected() const { return connected && process.Running(); }
    // True when a bridge was launched and not closed since (it may have ended by itself).
    bool Launched() const { return bridgeWindow != nullptr || static_cast<bool>(process); }
    // Asks the bridge to close and waits for it, at most kCloseWait; one that has not ended by
    // then is terminated. Nothing happens when no bridge was launched.
    void Close();
    // The process id of the bridge launched last (0 when none runs from here).
    DWORD ProcessId() const { return process.Id(); }

    // Clears the map's points and draws `points`, in order; with a bridge that edits, they
    // form a new set (edit_protocol.h) with their marks.
    void ShowPoints(const std::vector<MapPoint>& points);
    // Asks the bridge for its mark (both axes) when connected and no question is out.
    void AskForMarkNow();

    // Editing on the map (edit_protocol.h). The bridge's hello: true when it came from the
    // bridge launched here, which then edits.
    bool OnHello(std::uintptr_t version, std::intptr_t processId);
    bool Edits() const { return Connected() && edits; }
    // One step from the bridge: a click, move or add request that passed the checks.
    std::optional<bridge::EditMessage> OnEditStep(std::uintptr_t wParam, std::intptr_t lParam);
    const bridge::SentSet& Set() const { return set; }
    // Highlights the points of the current set at `indices`.
    void Highlight(const std::vector<int>& indices) const;
    // Tells the bridge where point `index` of the current set now stands.
    void Place(int index, std::int32_t lat, std::int32_t lon) const;

    // The bridge's message that the user has set a mark: asks for its position when connected
    // and no question is out (mark_questions.h).
    void OnMarkReady();
    // One step of a reply; returns the coordinate when the step completes one that was asked
    // for, from the bridge launched here while it runs.
    std::optional<bridge::ReceivedCoordinate> OnReply(std::uintptr_t wParam, std::intptr_t lParam);

private:
    void Send(bridge::Name command, const std::string& text) const;
    void SendEdit(const bridge::EditMessage& message) const;
    void BeginSet(const std::vector<MapPoint>& points);
    void ShowMarks() const;
    void AskForMark() const;
    // The bridge's window: the top-level "Tarvix" window of the process launched here, looked
    // up anew (a late window, or one that has closed); any "Tarvix" window when none is.
    HWND Target() const;
    HWND OwnWindow() const;

    bridge::MessageNumbers messages;
    bridge::MarkQuestions questions;
    win::ChildProcess process;
    bridge::EditAssembler editSteps;
    bridge::SentSet set;
    std::vector<MapPoint> shown;  // the points sent last, in order
    UINT toMapMessage = 0;
    mutable HWND bridgeWindow = nullptr;  // the window last found, kept to notice its end
    bool connected = false;
    bool edits = false;
};

}  // namespace vondrel
