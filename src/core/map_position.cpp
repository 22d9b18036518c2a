// Reading and writing positions in map apps' text forms.
#include "core/map_position.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/coordinate_text.h"

namespace vondrel {

namespace {

constexpr double kMsPerDegree = 3600000.0;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A decimal number with an optional sign at `pos` (no exponent); advances `pos` past it.
std::optional<double> ReadNumber(std::string_view text, std::size_t& pos) {
    std::size_t i = pos;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t start = i;
    bool digits = false;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && text[i] >= '0' && text[i] <= '9') ++i, digits = true;
    }
    if (!digits) return std::nullopt;
    double value = 0;
    if (std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed).ec != std::errc()) {
        return std::nullopt;
    }
    pos = i;
    return negative ? -value : value;
}

// Two numbers at `pos` separated by a comma (or its URL form %2C) and blanks, or by blanks alone.
std::optional<LatLon> ReadPair(std::string_view text, std::size_t& pos, bool urlComma) {
    const auto first = ReadNumber(text, pos);
    if (!first) return std::nullopt;
    std::size_t i = pos;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool comma = false;
    if (i < text.size() && text[i] == ',') {
        ++i, comma = true;
    } else if (urlComma && (text.compare(i, 3, "%2C") == 0 || text.compare(i, 3, "%2c") == 0)) {
        i += 3, comma = true;
    }
    while (i < text.size() && (IsBlank(text[i]) || (urlComma && text[i] == '+'))) ++i;
    if (!comma && i == pos) return std::nullopt;  // the numbers must be separated
    const auto second = ReadNumber(text, i);
    if (!second) return std::nullopt;
    pos = i;
    LatLon p{*first, *second};
    if (std::fabs(p.lat) > 90 && std::fabs(p.lon) <= 90) std::swap(p.lat, p.lon);
    if (std::fabs(p.lat) > 90 || std::fabs(p.lon) > 180) return std::nullopt;
    return p;
}

// A pair after "@", or after "q=" / "ll=" that starts a query parameter, in a map link.
std::optional<LatLon> FromLink(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t start = std::string_view::npos;
        if (text[i] == '@') {
            start = i + 1;
        } else if (i > 0 && (text[i - 1] == '?' || text[i - 1] == '&')) {
            if (text.compare(i, 2, "q=") == 0) start = i + 2;
            if (text.compare(i, 3, "ll=") == 0) start = i + 3;
        }
        if (start == std::string_view::npos) continue;
        std::size_t pos = start;
        if (auto p = ReadPair(text, pos, true)) return p;
    }
    return std::nullopt;
}

std::string FormatDisplay(double degrees, const char* format) {
    const long long t = std::llround(degrees * kMsPerDegree);
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, format, static_cast<int>(t / 3600000), static_cast<int>(t / 60000 % 60),
                  static_cast<int>(t / 1000 % 60), static_cast<int>(t % 1000));
    return buffer;
}

}  // namespace

std::optional<LatLon> ParseMapPosition(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    text = text.substr(begin, end - begin);
    std::size_t pos = 0;
    if (auto p = ReadPair(text, pos, false); p && pos == text.size()) return p;
    return FromLink(text);
}

std::string FormatMapPosition(LatLon position) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.6f, %.6f", position.lat, position.lon);
    return buffer;
}

std::optional<DisplayPosition> PastedPositionToDisplay(std::string_view text) {
    const auto wgs84 = ParseMapPosition(text);
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
