// Raw points into the point table's terms: positions read and shifted to the Tokyo datum,
// texts in code page 932, the CSV-only fields checked, and one warning line per kind of
// trouble listing the points it concerns.
#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/cp932.h"
#include "core/datum.h"
#include "core/direction.h"
#include "core/point_table.h"
#include "core/text_number.h"
#include "formats/point_reading.h"
#include "formats/text_encoding.h"

namespace vondrel::formats {

namespace {

constexpr int kLastMark = 55;   // marks 1 to 55 have icons; 0 is the default mark
constexpr int kLastSound = 60;  // sound ids 0 to 60

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// An integer of at most nine digits with an optional minus sign, and nothing else.
bool ParseWholeInt(std::string_view text, int& value) {
    text = Trim(text);
    if (text.empty() || text.size() > 10) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// The mark, sound and direction columns; false when one holds no value they can take.
bool ReadOptionalFields(const RawPoint& raw, FormatPoint& point) {
    bool ok = true;
    int value = 0;
    if (!Trim(raw.mark).empty()) {
        if (ParseWholeInt(raw.mark, value) && value >= 0 && value <= kLastMark) {
            point.mark = value;
        } else {
            ok = false;
        }
    }
    if (!Trim(raw.sound).empty()) {
        if (ParseWholeInt(raw.sound, value) && value >= 0 && value <= kLastSound) {
            point.sound = FormatInt(value);
        } else {
            ok = false;
        }
    }
    if (!Trim(raw.direction).empty()) {
        if (ParseWholeInt(raw.direction, value)) {
            point.direction = SnapDirectionText(FormatInt(value));
        } else {
            ok = false;
        }
    }
    return ok;
}

// The display form "D.MM.SS.mmm" (degrees, minutes, seconds, milliseconds; a shorter last part
// is a fraction of a second, as the editor takes it typed); false for anything else.
bool ReadDisplayForm(std::string_view text, double& degrees) {
    const std::size_t maxDigits[] = {3, 2, 2, 3};
    int values[4] = {};
    for (std::size_t part = 0; part < 4; ++part) {
        const std::size_t end = std::min(text.find('.'), text.size());
        if (end == 0 || end > maxDigits[part]) return false;
        for (char c : text.substr(0, end)) values[part] = values[part] * 10 + (c - '0');
        for (std::size_t k = end; part == 3 && k < 3; ++k) values[part] *= 10;
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    if (values[1] >= 60 || values[2] >= 60) return false;
    degrees = (values[0] * 3600000.0 + values[1] * 60000.0 + values[2] * 1000.0 + values[3]) / 3600000.0;
    return true;
}

enum class Position { Unreadable, OutOfRange, Usable };

// The point's position on the Tokyo datum. The point forms carry no sign: only positions
// east and north are usable.
Position ReadPosition(const RawPoint& raw, Datum datum, LatLon& position) {
    if (!ParseCoordinate(raw.lat, position.lat) || !ParseCoordinate(raw.lon, position.lon)) return Position::Unreadable;
    if (std::fabs(position.lat) > 90 || std::fabs(position.lon) > 180) return Position::OutOfRange;
    if (datum == Datum::Wgs84) position = Wgs84ToTokyo(position);
    const bool inRange = position.lat >= 0 && position.lon >= 0 && position.lat <= 90 && position.lon <= 180;
    return inRange ? Position::Usable : Position::OutOfRange;
}

}  // namespace

void PointCollector::Add(const RawPoint& raw) {
    ++seen;
    LatLon position;
    if (result.points.size() == options.maxPoints) {
        if (ReadPosition(raw, options.datum, position) == Position::Usable) ++result.total;
        return;
    }
    FormatPoint point;
    bool replaced = false;
    point.name = ToPointText(Trim(raw.name), replaced);
    const std::string& label = point.name.empty() ? raw.place : point.name;
    switch (ReadPosition(raw, options.datum, position)) {
        case Position::Unreadable: noPosition.Add(label); return;
        case Position::OutOfRange: outOfRange.Add(label); return;
        case Position::Usable: break;
    }
    point.lat = position.lat;
    point.lon = position.lon;
    point.reading = ToPointText(Trim(raw.reading), replaced);
    point.tel = ToPointText(Trim(raw.tel), replaced);
    if (replaced) unmappable.Add(label);
    bool cut = false;
    for (std::string* text : {&point.name, &point.reading, &point.tel}) cut = cp932::CapAtCharBoundary(*text, kMaxTextBytes) || cut;
    if (cut) longTexts.Add(label);
    if (point.name.size() > kNameLimit) longNames.Add(label);
    if (!ReadOptionalFields(raw, point)) badValues.Add(label);
    result.points.push_back(std::move(point));
    ++result.total;
}

ReadResult PointCollector::Finish() {
    for (const PointList* list : {&noPosition, &outOfRange, &unmappable, &longTexts, &longNames, &badValues}) {
        list->AppendLine(result.warnings);
    }
    if (result.total > result.points.size()) {
        result.warnings.push_back(std::to_string(result.total) + " 地点のうち最初の " +
                                  std::to_string(result.points.size()) + " 地点だけを読み込みました");
    }
    if (result.points.empty()) {
        result.error = seen == 0 ? "地点がありません" : "読み込める地点がありません";
        result.total = 0;
    }
    return std::move(result);
}

bool ParseCoordinate(std::string_view text, double& degrees) {
    text = Trim(text);
    const bool sign = !text.empty() && (text.front() == '-' || text.front() == '+');
    const bool negative = sign && text.front() == '-';
    if (sign) text.remove_prefix(1);
    if (text.find_first_not_of("0123456789.") != std::string_view::npos) return false;
    const auto periods = std::count(text.begin(), text.end(), '.');
    if (periods == 3 && !sign) return ReadDisplayForm(text, degrees);
    // Decimal degrees: digits with at most one period.
    if (periods > 1 || text.find_first_of("0123456789") == std::string_view::npos) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), degrees, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(degrees)) return false;
    if (negative) degrees = -degrees;
    return true;
}

ReadResult Refusal(std::string message) {
    ReadResult result;
    result.error = std::move(message);
    return result;
}

ReadResult Cancellation() { return Refusal("読み込みを中止しました"); }

}  // namespace vondrel::formats
