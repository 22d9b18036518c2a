// MapCommands: the main window's map part: the bridge client, the map object the bridge opens,
// whether the bridge program is at hand, and the last position received from the map. The
// window hands it the points to show and the bridge's messages; it hands back positions.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/settings_store.h"
#include "core/point_fields.h"
#include "mapbridge/bridge_client.h"

namespace vondrel {

// A position taken from the map, in display forms.
struct MapPosition {
    std::string lonDms;
    std::string latDms;
};

// A change asked for on the map, checked against the points sent: the row it names (for a click
// or a move, with the name the row had when sent) and the position in display forms.
struct MapEdit {
    bridge::EditStep step = bridge::EditStep::kClicked;
    int row = -1;
    std::string name;
    MapPosition at;
};

class MapCommands {
public:
    // At the window's creation: registers the bridge's messages, reads the chosen map object
    // from `settings` and looks for the bridge program.
    void Start(const SettingsStore& settings);
    // Ends the bridge, if one was launched (at the window's end).
    void Stop() { bridge.Close(); }

    bool BridgePresent() const { return bridgePresent; }

    // 地図表示: starts the bridge when needed, clears the map and draws `points` in order;
    // `rows` are the document rows they come from.
    void ShowPoints(const std::vector<MapPoint>& points, const std::vector<int>& rows = {});
    // The edit dialog's 地図表示: the point as the dialog was opened with it (none without both
    // coordinates).
    void ShowPoint(const PointFields& fields);
    // 位置取り込み: starts the bridge when needed; the last received position when both of its
    // coordinates have arrived.
    std::optional<MapPosition> TakePosition();
    // オブジェクト: the map object chooser; a new choice (or the same one while no bridge runs)
    // restarts the bridge with it.
    void ChooseObject(HWND owner, const SettingsStore& settings);

    // The bridge's messages, received by the window.
    void OnMarkReady() { bridge.OnMarkReady(); }
    std::optional<bridge::ReceivedCoordinate> OnReply(std::uintptr_t wParam, std::intptr_t lParam);
    // Asks a running bridge for its mark; the answer comes as replies.
    void AskForMark() { bridge.AskForMarkNow(); }

    // Editing on the map: the bridge's hello and edit steps (edit_protocol.h).
    void OnHello(std::uintptr_t version, std::intptr_t processId) { bridge.OnHello(version, processId); }
    std::optional<MapEdit> OnEditStep(std::uintptr_t wParam, std::intptr_t lParam);
    // Highlights on the map the points of the shown set that stand in `selectedRows`.
    void Highlight(const std::vector<int>& selectedRows) const;
    // After a change of the document: each point of the shown set whose row still holds it
    // (`fieldsOf(row)` gives the same name) and whose position changed is moved on the map.
    void Follow(int rowCount, const std::function<PointFields(int)>& fieldsOf);

private:
    BridgeClient bridge;
    bool bridgePresent = false;
    std::string objectName;
    MapPosition received;
    // The shown set: the row, name and position each point had when sent or last placed.
    struct SentPoint {
        int row;
        std::string name;
        MapPosition at;
    };
    std::vector<SentPoint> sent;
};

}  // namespace vondrel
