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
