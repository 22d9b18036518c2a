// Reading and writing positions in map apps' text forms.
#include "core/map_position.h"

#include <cmath>
#include <cstdio>

#include "core/coordinate_text.h"
#include "core/link_position.h"

namespace vondrel {

namespace {

constexpr double kMsPerDegree = 3600000.0;

std::string FormatDisplay(double degrees, const char* format) {
    const long long t = std::llround(degrees * kMsPerDegree);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, static_cast<int>(t / 3600000), static_cast<int>(t / 60000 % 60),
                  static_cast<int>(t / 1000 % 60), static_cast<int>(t % 1000));
    return buffer;
}

}  // namespace

std::string FormatMapPosition(LatLon position) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f, %.6f", position.lat, position.lon);
    return buffer;
}

std::optional<DisplayPosition> PastedPositionToDisplay(std::string_view text) {
    const auto wgs84 = ParseLinkPosition(text);
    if (!wgs84) return std::nullopt;
    const LatLon tokyo = Wgs84ToTokyo(*wgs84);
    if (tokyo.lat < 0 || tokyo.lon < 0 || tokyo.lat > 90 || tokyo.lon > 180) return std::nullopt;
    return DisplayPosition{FormatDisplay(tokyo.lon, "%03d.%02d.%02d.%03d"), FormatDisplay(tokyo.lat, " %02d.%02d.%02d.%03d")};
}

std::string TypedPositionToMapText(std::string_view typedLon, std::string_view typedLat) {
    const LatLon tokyo{TypedToMilliseconds(typedLat) / kMsPerDegree, TypedToMilliseconds(typedLon) / kMsPerDegree};
    return FormatMapPosition(TokyoToWgs84(tokyo));
}

}  // namespace vondrel
