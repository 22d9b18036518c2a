// The map bridge's commands and log texts.
#include "map/bridge_state.h"

#include <cstdio>

#include "core/cp932.h"

namespace vondrel::tarvix {

using bridge::Axis;
using bridge::Name;

Effect BridgeState::Execute(Name command, const std::string& text) {
    switch (command) {
        case Name::kSetLayer:
            layer = text;
            return Effect::kRedraw;
        case Name::kObjectName:
            objectName = text;
            return Effect::kRedraw;
        case Name::kInitMap:
            // A fresh map: the view fits the points again and no mark is set.
            mark.reset();
            return Effect::kRefit;
        case Name::kDeleteText:
            points.clear();
            setSerial = 0;
            return Effect::kRefit;
        case Name::kAddTextEx: {
            const auto fields = bridge::ParsePointText(text);
            if (!fields) return Effect::kRejected;
            const auto lat = bridge::WireToMilliseconds(fields->latWire);
            const auto lon = bridge::WireToMilliseconds(fields->lonWire);
            if (!lat || !lon) return Effect::kRejected;
            points.push_back({{*lat, *lon}, fields->name});
            return Effect::kRefit;
        }
        case Name::kGetMarkLat:
            return Effect::kReplyLatitude;
        case Name::kGetMarkLon:
            return Effect::kReplyLongitude;
        default:
            return Effect::kNone;
    }
}

Effect BridgeState::ExecuteEdit(const bridge::EditMessage& message) {
    using bridge::EditStep;
    const bool pointStep = message.step == EditStep::kShowMark || message.step == EditStep::kSelect ||
                           message.step == EditStep::kPlace;
    if (pointStep && (message.value < 0 || message.value >= static_cast<std::int64_t>(points.size()))) {
        return Effect::kRejected;
    }
    MapPoint* point = pointStep ? &points[static_cast<std::size_t>(message.value)] : nullptr;
    switch (message.step) {
        case EditStep::kReady:
            editorReady = true;
            return Effect::kNone;
        case EditStep::kSetBegins:
            setSerial = static_cast<std::uint32_t>(message.value);
            return Effect::kNone;
        case EditStep::kShowMark:
            if (!message.mark || *message.mark < 0 || *message.mark > 99) return Effect::kRejected;
            point->mark = *message.mark;
            return Effect::kRedraw;
        case EditStep::kSelectNone:
            for (MapPoint& each : points) each.selected = false;
            return Effect::kRedraw;
        case EditStep::kSelect:
            point->selected = true;
            return Effect::kRedraw;
        case EditStep::kPlace:
            if (!bridge::InRange(message.lat, message.lon)) return Effect::kRejected;
            point->at = {*message.lat, *message.lon};
            return Effect::kRedraw;
        default:
            return Effect::kRejected;
    }
}

std::string EditLogLine(const bridge::EditMessage& message) {
    std::string line = "EDIT " + std::to_string(static_cast<unsigned>(message.step)) + " " + std::to_string(message.value);
    if (message.serial) line += " serial " + std::to_string(*message.serial);
    if (message.lat) line += " lat " + std::to_string(*message.lat);
    if (message.lon) line += " lon " + std::to_string(*message.lon);
    if (message.mark) line += " mark " + std::to_string(*message.mark);
    return line;
}

std::string BridgeState::MarkWire(Axis axis, GeoPoint fallback) const {
    const GeoPoint at = mark ? *mark : fallback;
    return bridge::MillisecondsToWire(axis == Axis::kLatitude ? at.lat : at.lon, axis);
}

std::string Quoted(std::string_view bytes) {
    std::string line = "\"";
    bool secondByte = false;
    for (char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        // The second byte of a double-byte character is escaped too, even when it looks like ASCII.
        if (!secondByte && byte >= 0x20 && byte <= 0x7E && c != '"' && c != '\\') {
            line += c;
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            line += escape;
        }
        secondByte = !secondByte && cp932::IsLeadByte(byte);
    }
    return line + "\"";
}

std::string CommandLogLine(std::optional<Name> command, std::uint32_t number, std::string_view text) {
    std::string head;
    if (command) {
        head = bridge::MessageName(*command);
    } else {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "UNKNOWN 0x%X", static_cast<unsigned>(number));
        head = buffer;
    }
    return head + " " + Quoted(text);
}

std::string DisplayPosition(GeoPoint point) {
    return bridge::FromBridgeCoordinate(bridge::MillisecondsToWire(point.lat, Axis::kLatitude)) + " / " +
           bridge::FromBridgeCoordinate(bridge::MillisecondsToWire(point.lon, Axis::kLongitude));
}

}  // namespace vondrel::tarvix
