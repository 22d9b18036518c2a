// Positions exchanged with map apps through the clipboard: the text or link a map app copies,
// read as WGS 84 (core/link_position.h); and the "lat, lon" text written for a map app to look up.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/datum.h"

namespace vondrel {

// "lat, lon" with six decimals.
std::string FormatMapPosition(LatLon position);

// The edit dialog's longitude and latitude fields in their display forms.
struct DisplayPosition {
    std::string lon;  // "139.45.58.339"
    std::string lat;  // " 35.40.40.584"
};

// The WGS 84 position of a pasted text or link (UTF-8, read by ParseLinkPosition) shifted to the
// Tokyo datum, in display forms (to the nearest millisecond of arc). Nothing when the text holds no position, or one west or south of
// Greenwich and the equator, which the point forms cannot hold.
std::optional<DisplayPosition> PastedPositionToDisplay(std::string_view text);

// The text to copy for the typed (Tokyo datum) longitude and latitude: their WGS 84 position
// formatted by FormatMapPosition.
std::string TypedPositionToMapText(std::string_view typedLon, std::string_view typedLat);

}  // namespace vondrel
