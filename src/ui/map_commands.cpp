// Map commands: points to the map, positions from it, and the choice of the map object.
#include "ui/map_commands.h"

#include <algorithm>

#include "dialogs/map_object_dialog.h"
#include "editing/map_object_list.h"

namespace vondrel {

void MapCommands::Start(const SettingsStore& settings) {
    bridge.RegisterMessages();
    objectName = settings.ReadStringValue(kChosenObjectValue);
    bridgePresent = BridgeClient::ProgramPresent();
}

namespace {
std::string Display(std::int32_t ms, bridge::Axis axis) {
    return bridge::FromBridgeCoordinate(bridge::MillisecondsToWire(ms, axis));
}
std::int32_t Milliseconds(const std::string& display) {
    return bridge::WireToMilliseconds(bridge::ToBridgeCoordinate(display)).value_or(-1);
}
}  // namespace

void MapCommands::ShowPoints(const std::vector<MapPoint>& points, const std::vector<int>& rows) {
    bridge.EnsureRunning(objectName);
    if (!bridge.Connected()) return;
    bridge.ShowPoints(points);
    sent.clear();
    if (rows.size() != points.size()) return;
    for (std::size_t i = 0; i < points.size(); ++i) sent.push_back({rows[i], points[i].name, {points[i].lonDms, points[i].latDms}});
}

std::optional<MapEdit> MapCommands::OnEditStep(std::uintptr_t wParam, std::intptr_t lParam) {
    const std::optional<bridge::EditMessage> message = bridge.OnEditStep(wParam, lParam);
    if (!message) return std::nullopt;
    MapEdit edit;
    edit.step = message->step;
    if (message->lat && message->lon) {
        edit.at = {Display(*message->lon, bridge::Axis::kLongitude), Display(*message->lat, bridge::Axis::kLatitude)};
    }
    if (message->step == bridge::EditStep::kAddHere) return edit;
    // The set's serial and size were checked; its rows are known when it came from the list.
    const auto index = static_cast<std::size_t>(message->value);
    if (index >= sent.size() || static_cast<int>(sent.size()) != bridge.Set().Count()) return std::nullopt;
    edit.row = sent[index].row;
    edit.name = sent[index].name;
    return edit;
}

void MapCommands::Highlight(const std::vector<int>& selectedRows) const {
    if (!bridge.Edits()) return;
    std::vector<int> indices;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        if (std::binary_search(selectedRows.begin(), selectedRows.end(), sent[i].row)) indices.push_back(static_cast<int>(i));
    }
    bridge.Highlight(indices);
}

void MapCommands::Follow(int rowCount, const std::function<PointFields(int)>& fieldsOf) {
    if (!bridge.Edits()) return;
    for (std::size_t i = 0; i < sent.size(); ++i) {
        SentPoint& point = sent[i];
        if (point.row >= rowCount) continue;
        const PointFields fields = fieldsOf(point.row);
        if (fields.name != point.name || (fields.lat == point.at.latDms && fields.lon == point.at.lonDms)) continue;
        point.at = {fields.lon, fields.lat};
        const std::int32_t lat = Milliseconds(fields.lat);
        const std::int32_t lon = Milliseconds(fields.lon);
        if (lat >= 0 && lon >= 0) bridge.Place(static_cast<int>(i), lat, lon);
    }
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
