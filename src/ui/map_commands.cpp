// Map commands: points to the map, positions from it, and the choice of the map object.
#include "ui/map_commands.h"

#include "dialogs/map_object_dialog.h"
#include "editing/map_object_list.h"

namespace vondrel {

void MapCommands::Start(const SettingsStore& settings) {
    bridge.RegisterMessages();
    objectName = settings.ReadStringValue(kChosenObjectValue);
    bridgePresent = BridgeClient::ProgramPresent();
}

void MapCommands::ShowPoints(const std::vector<MapPoint>& points) {
    bridge.EnsureRunning(objectName);
    if (bridge.Connected()) bridge.ShowPoints(points);
}

void MapCommands::ShowPoint(const PointFields& fields) {
    std::vector<MapPoint> points;
    if (!fields.lat.empty() && !fields.lon.empty()) points.push_back({fields.lat, fields.lon, fields.name});
    ShowPoints(points);
}

std::optional<MapPosition> MapCommands::TakePosition() {
    bridge.EnsureRunning(objectName);
    if (received.latDms.empty() || received.lonDms.empty()) return std::nullopt;
    return received;
}

void MapCommands::ChooseObject(HWND owner, const SettingsStore& settings) {
    const std::optional<std::string> chosen = ChooseMapObject(owner, settings);
    if (!chosen || (*chosen == objectName && bridge.Connected())) return;
    bridge.Close();
    objectName = *chosen;
    bridge.Launch(objectName);
}

std::optional<bridge::ReceivedCoordinate> MapCommands::OnReply(std::uintptr_t wParam, std::intptr_t lParam) {
    auto coordinate = bridge.OnReply(wParam, lParam);
    if (coordinate) (coordinate->axis == bridge::Axis::kLatitude ? received.latDms : received.lonDms) = coordinate->display;
    return coordinate;
}

}  // namespace vondrel
