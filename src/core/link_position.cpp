// Reading positions out of map links and copied texts. The text is first folded to ASCII in the
// parts that matter (full-width forms, degree, minute and second marks, hemisphere words, a few
// percent escapes); every other character becomes a byte that no rule takes, so it cannot join
// two numbers into a position.
#include "core/link_position.h"

#include <charconv>
#include <cmath>
#include <string>
#include <utility>

namespace vondrel {

namespace {

constexpr std::size_t kLongestText = 16 * 1024;  // links are far shorter; the rest is not read
constexpr char kDegree = '\x01';
constexpr char kOther = '\x02';

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The next code point of `text` at `pos`, advancing past it; U+FFFD for a malformed byte.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
    if (length == 0 || pos + length > text.size()) return ++pos, 0xFFFD;
    char32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(pos + k) & 0xC0) != 0x80) return ++pos, 0xFFFD;
        cp = (cp << 6) | (byte(pos + k) & 0x3F);
    }
    pos += length;
    return cp;
}

int HexValue(char c) {
    if (IsDigit(c)) return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// The text with the characters that can spell a position as ASCII: full-width forms, the degree,
// minute and second signs (and 度分秒), 北緯 南緯 東経 西経 as N S E W, and the URL escapes of
// the separators links use.
std::string Fold(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t cp = NextCodePoint(text, pos);
        if (cp == '%' && pos + 1 < text.size() && HexValue(text[pos]) >= 0 && HexValue(text[pos + 1]) >= 0) {
            const char decoded = static_cast<char>(HexValue(text[pos]) * 16 + HexValue(text[pos + 1]));
            if (std::string_view(",!@/ ").find(decoded) != std::string_view::npos) {
                out += decoded;
                pos += 2;
                continue;
            }
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp >= 0xFF01 && cp <= 0xFF5E) {
            out += static_cast<char>(cp - 0xFEE0);
        } else if (cp == 0x3000) {
            out += ' ';
        } else if (cp == 0x3001) {
            out += ',';
        } else if (cp == 0xB0 || cp == 0xBA || cp == 0x2DA || cp == 0x5EA6) {  // ° º ˚ 度
            out += kDegree;
        } else if (cp == 0x2032 || cp == 0x2019 || cp == 0x5206) {  // ′ ’ 分
            out += '\'';
        } else if (cp == 0x2033 || cp == 0x201D || cp == 0x79D2) {  // ″ ” 秒
            out += '"';
        } else {
            // 北緯 南緯 東経 西経: the hemisphere; the second character is read with the first.
            std::size_t next = pos;
            const char32_t second = pos < text.size() ? NextCodePoint(text, next) : 0;
            const char hemisphere = second == 0x7DEF ? (cp == 0x5317 ? 'N' : cp == 0x5357 ? 'S' : 0)
                                  : second == 0x7D4C ? (cp == 0x6771 ? 'E' : cp == 0x897F ? 'W' : 0)
                                                     : 0;
            if (hemisphere) {
                out += hemisphere;
                pos = next;
            } else {
                out += kOther;
            }
        }
    }
    return out;
}

// A decimal number with an optional sign at `pos` (no exponent); advances `pos` past it.
std::optional<double> ReadNumber(std::string_view text, std::size_t& pos, bool signAllowed = true) {
    std::size_t i = pos;
    const bool negative = signAllowed && i < text.size() && text[i] == '-';
    if (signAllowed && i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t start = i;
    bool digits = false;
    while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i, digits = true;
    }
    if (!digits) return std::nullopt;
    double value = 0;
    if (std::from_chars(text.data() + start, text.data() + i, value, std::chars_format::fixed).ec != std::errc()) {
        return std::nullopt;
    }
    pos = i;
    return negative ? -value : value;
}

bool InRange(LatLon p) { return std::fabs(p.lat) <= 90 && std::fabs(p.lon) <= 180; }

// Two numbers at `pos` separated by a comma and blanks, or by blanks alone ('+' too in a link).
std::optional<LatLon> ReadPair(std::string_view text, std::size_t& pos, bool link) {
    const auto first = ReadNumber(text, pos);
    if (!first) return std::nullopt;
    std::size_t i = pos;
    while (i < text.size() && IsBlank(text[i])) ++i;
    const bool comma = i < text.size() && text[i] == ',';
    if (comma) ++i;
    while (i < text.size() && (IsBlank(text[i]) || (link && text[i] == '+'))) ++i;
    if (!comma && i == pos) return std::nullopt;  // the numbers must be separated
    const auto second = ReadNumber(text, i);
    if (!second) return std::nullopt;
    pos = i;
    LatLon p{*first, *second};
    if (std::fabs(p.lat) > 90 && std::fabs(p.lon) <= 90) std::swap(p.lat, p.lon);
    return InRange(p) ? std::optional<LatLon>(p) : std::nullopt;
}

// One angle: an optional hemisphere letter, degrees with the degree sign, optional minutes (')
// and seconds (" or ''), an optional hemisphere letter after; without a degree sign only with a
// hemisphere letter. `axis` is the letter (N, S, E, W) or 0.
std::optional<double> ReadAngle(std::string_view text, std::size_t& pos, char& axis) {
    const auto skipBlanks = [&] { while (pos < text.size() && IsBlank(text[pos])) ++pos; };
    const auto letterAt = [&](std::size_t i) {
        return i < text.size() && std::string_view("NSEW").find(text[i]) != std::string_view::npos ? text[i] : 0;
    };
    skipBlanks();
    axis = letterAt(pos);
    if (axis) ++pos, skipBlanks();
    const std::size_t start = pos;
    auto degrees = ReadNumber(text, pos, false);
    if (!degrees) return std::nullopt;
    bool fraction = text.substr(start, pos - start).find('.') != std::string_view::npos;
    const bool marked = pos < text.size() && text[pos] == kDegree;
    if (marked) ++pos;
    double value = *degrees;
    for (int part = 0; marked && part < 2; ++part) {
        std::size_t i = pos;
        while (i < text.size() && IsBlank(text[i])) ++i;
        const std::size_t numberStart = i;
        const auto number = ReadNumber(text, i, false);
        if (!number) break;
        std::size_t unit = 0;
        bool seconds = true;
        if (text.compare(i, 2, "''") == 0) {
            unit = 2;
        } else if (i < text.size() && text[i] == '"') {
            unit = 1;
        } else if (part == 0 && i < text.size() && text[i] == '\'') {
            unit = 1, seconds = false;
        }
        if (unit == 0) break;  // a number of the next angle
        if (fraction || *number >= 60) return std::nullopt;
        value += *number / (seconds ? 3600 : 60);
        fraction = text.substr(numberStart, i - numberStart).find('.') != std::string_view::npos;
        pos = i + unit;
        if (seconds) break;
    }
    if (!axis) {
        skipBlanks();
        axis = letterAt(pos);
        if (axis) ++pos;
    }
    if (!marked && !axis) return std::nullopt;
    return (axis == 'S' || axis == 'W') ? -value : value;
}

// A whole text of two angles; the hemisphere letters tell which is which, else latitude first.
std::optional<LatLon> ReadAnglePair(std::string_view text) {
    std::size_t pos = 0;
    char firstAxis = 0, secondAxis = 0;
    const auto first = ReadAngle(text, pos, firstAxis);
    if (!first) return std::nullopt;
    while (pos < text.size() && (IsBlank(text[pos]) || text[pos] == ',')) ++pos;
    const auto second = ReadAngle(text, pos, secondAxis);
    if (!second || pos != text.size()) return std::nullopt;
    const auto isLon = [](char axis) { return axis == 'E' || axis == 'W'; };
    const auto isLat = [](char axis) { return axis == 'N' || axis == 'S'; };
    LatLon p{*first, *second};
    if (isLon(firstAxis) || isLat(secondAxis)) {
        if (isLat(firstAxis) || isLon(secondAxis)) return std::nullopt;  // both on one axis
        std::swap(p.lat, p.lon);
    }
    return InRange(p) ? std::optional<LatLon>(p) : std::nullopt;
}

bool ParameterStart(std::string_view text, std::size_t i) {
    return i > 0 && (text[i - 1] == '?' || text[i - 1] == '&' || text[i - 1] == '#' || text[i - 1] == ';');
}

// "!3dLAT!4dLON": where the place itself is.
std::optional<LatLon> FromPlaceData(std::string_view text) {
    for (std::size_t i = text.find("!3d"); i != std::string_view::npos; i = text.find("!3d", i + 1)) {
        std::size_t pos = i + 3;
        const auto lat = ReadNumber(text, pos);
        if (!lat || text.compare(pos, 3, "!4d") != 0) continue;
        pos += 3;
        const auto lon = ReadNumber(text, pos);
        if (lon && InRange({*lat, *lon})) return LatLon{*lat, *lon};
    }
    return std::nullopt;
}

// "lat=…" and "lon=…" (or "lng=") as parameters of one link.
std::optional<LatLon> FromParameters(std::string_view text) {
    std::optional<double> lat, lon;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!ParameterStart(text, i)) continue;
        std::size_t pos = std::string_view::npos;
        std::optional<double>* target = nullptr;
        if (text.compare(i, 4, "lat=") == 0) pos = i + 4, target = &lat;
        if (text.compare(i, 4, "lon=") == 0 || text.compare(i, 4, "lng=") == 0) pos = i + 4, target = &lon;
        if (!target || *target) continue;
        *target = ReadNumber(text, pos);
    }
    if (lat && lon && InRange({*lat, *lon})) return LatLon{*lat, *lon};
    return std::nullopt;
}

// "#zoom/lat/lon", as the GSI map's links have it.
std::optional<LatLon> FromZoomFragment(std::string_view text) {
    const std::size_t hash = text.find('#');
    if (hash == std::string_view::npos) return std::nullopt;
    std::size_t pos = hash + 1;
    if (!ReadNumber(text, pos, false) || text.compare(pos, 1, "/") != 0) return std::nullopt;
    const auto lat = ReadNumber(text, ++pos);
    if (!lat || text.compare(pos, 1, "/") != 0) return std::nullopt;
    const auto lon = ReadNumber(text, ++pos);
    if (lon && InRange({*lat, *lon})) return LatLon{*lat, *lon};
    return std::nullopt;
}

// A pair after "@", after "q=", "ll=" or "query=" that starts a parameter, or as the path segment
// after "/search/" or "/place/"; the first in the link.
std::optional<LatLon> FromLinkPair(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t start = std::string_view::npos;
        if (text[i] == '@') {
            start = i + 1;
        } else if (ParameterStart(text, i)) {
            for (std::string_view key : {"q=", "ll=", "query="}) {
                if (text.compare(i, key.size(), key) == 0) start = i + key.size();
            }
        } else if (text[i] == '/') {
            for (std::string_view segment : {"/search/", "/place/"}) {
                if (text.compare(i, segment.size(), segment) == 0) start = i + segment.size();
            }
        }
        if (start == std::string_view::npos) continue;
        std::size_t pos = start;
        if (auto p = ReadPair(text, pos, true)) return p;
    }
    return std::nullopt;
}

}  // namespace

std::optional<LatLon> ParseLinkPosition(std::string_view utf8) {
    const std::string folded = Fold(utf8.substr(0, kLongestText));
    std::string_view text = folded;
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    std::size_t pos = 0;
    if (auto p = ReadPair(text, pos, false); p && pos == text.size()) return p;
    if (auto p = ReadAnglePair(text)) return p;
    if (auto p = FromPlaceData(text)) return p;
    if (auto p = FromLinkPair(text)) return p;
    if (auto p = FromZoomFragment(text)) return p;
    return FromParameters(text);
}

std::string DegreesText(double degrees) {
    char buffer[400];  // any double in fixed notation
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed);
    return result.ec == std::errc() ? std::string(buffer, result.ptr) : std::string();
}

}  // namespace vondrel
