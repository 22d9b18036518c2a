// Positions in what people copy from maps: map links of the common map sites and apps, and texts
// in decimal degrees or in degrees, minutes and seconds (Latin or Japanese), read as WGS 84.
//
// The text is UTF-8. Every source that reaches this parser has it or converts to it losslessly:
// JSON strings, CSV cells (decoded by the CSV reader), and the clipboard (UTF-16, converted at the
// Win32 boundary). Code page 932 text must be converted first: its bytes for 度, 分, 秒 and the
// full-width forms are not recognised.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/datum.h"

namespace vondrel {

// The position a text or link holds, or nothing. Read, after full-width forms are taken as ASCII:
//   a whole text of two numbers, "35.681236, 139.767125" (separated by a comma, blanks or a tab;
//     when only the first is beyond 90 degrees, the pair is taken as longitude, latitude);
//   a whole text of two angles in degrees, minutes and seconds with hemisphere letters,
//     35°40'52.4"N 139°46'01.6"E, or 北緯35度40分52.4秒 東経139度46分1.6秒;
//   in a link: "!3dLAT!4dLON" (a place), before "@lat,lon" (the view's centre), "q=lat,lon",
//     "ll=lat,lon", "/maps/search/lat,lon", "#zoom/lat/lon", and "lat=…&lon=…" (or lng=).
// A link that names a place only by its id (?cid=, !1s0x…) holds no position.
std::optional<LatLon> ParseLinkPosition(std::string_view utf8);

// Decimal degrees as a plain decimal text, as exact as a double keeps it ("35.681236"); the form
// the readers hand on a position they found in a link.
std::string DegreesText(double degrees);

}  // namespace vondrel
