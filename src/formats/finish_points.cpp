// Raw points into the point table's terms: positions read and shifted to the Tokyo datum,
// texts in code page 932, the CSV-only fields checked, and one warning line per kind of
// trouble listing the points it concerns.
#include <charconv>
#include <cmath>

#include "core/coordinate_text.h"
#include "core/datum.h"
#include "core/direction.h"
#include "core/point_table.h"
#include "core/text_number.h"
#include "formats/point_reading.h"
#include "formats/text_encoding.h"

namespace vondrel::formats {

namespace {

constexpr int kLastMark = 55;       // marks 1 to 55 have icons; 0 is the default mark
constexpr int kLastSound = 60;      // sound ids 0 to 60
constexpr std::size_t kListedPoints = 10;

// The points one warning is about, and its line: "TEXT (N 件): A、B、… ほか M 件".
class PointList {
public:
    explicit PointList(const char* text) : text(text) {}
    void Add(const std::string& label) { labels.push_back(label); }
    void AppendLine(std::vector<std::string>& lines) const {
        if (labels.empty()) return;
        std::string line = text;
        line += " (" + std::to_string(labels.size()) + " 件): ";
        for (std::size_t i = 0; i < labels.size() && i < kListedPoints; ++i) {
            if (i > 0) line += "、";
            line += labels[i];
        }
        if (labels.size() > kListedPoints) line += " ほか " + std::to_string(labels.size() - kListedPoints) + " 件";
        lines.push_back(line);
    }

private:
    const char* text;
    std::vector<std::string> labels;
};

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

bool InRange(LatLon p, double minimum) {
    return p.lat >= minimum && p.lon >= minimum && p.lat <= 90 && p.lon <= 180;
}

}  // namespace

bool ParseCoordinate(std::string_view text, double& degrees) {
    text = Trim(text);
    if (text.empty()) return false;
    std::size_t periods = 0;
    for (char c : text) periods += c == '.';
    if (periods >= 2) {
        // The display form: degrees.minutes.seconds.milliseconds.
        for (char c : text) {
            if (c != '.' && (c < '0' || c > '9')) return false;
        }
        degrees = TypedToMilliseconds(text) / 3600000.0;
        return true;
    }
    const bool negative = text.front() == '-';
    if (text.front() == '-' || text.front() == '+') text.remove_prefix(1);
    if (text.empty() || !((text.front() >= '0' && text.front() <= '9') || text.front() == '.')) return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), degrees);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() || !std::isfinite(degrees)) return false;
    if (negative) degrees = -degrees;
    return true;
}

ReadResult FinishPoints(const std::vector<RawPoint>& raw, const ReadOptions& options) {
    ReadResult result;
    PointList noPosition("位置が読めないため読み込まなかった地点");
    PointList outOfRange("位置が東経・北緯の範囲外のため読み込まなかった地点");
    PointList unmappable("Shift_JIS にない文字を「?」にした地点");
    PointList longNames("名称が16バイトを超え、切り詰められる地点");
    PointList badValues("マーク・音・方向の値が読めないため既定値にした地点");
    result.points.reserve(raw.size());
    for (const RawPoint& r : raw) {
        FormatPoint point;
        bool replaced = false;
        point.name = ToPointText(Trim(r.name), replaced);
        point.reading = ToPointText(Trim(r.reading), replaced);
        point.tel = ToPointText(Trim(r.tel), replaced);
        const std::string& label = point.name.empty() ? r.place : point.name;
        LatLon position;
        if (!ParseCoordinate(r.lat, position.lat) || !ParseCoordinate(r.lon, position.lon)) {
            noPosition.Add(label);
            continue;
        }
        if (!InRange(position, -180) || std::fabs(position.lat) > 90) {
            outOfRange.Add(label);
            continue;
        }
        if (options.datum == Datum::Wgs84) position = Wgs84ToTokyo(position);
        // The point forms carry no sign: only positions east and north are kept.
        if (!InRange(position, 0)) {
            outOfRange.Add(label);
            continue;
        }
        point.lat = position.lat;
        point.lon = position.lon;
        if (replaced) unmappable.Add(label);
        if (point.name.size() > kNameLimit) longNames.Add(label);
        if (!ReadOptionalFields(r, point)) badValues.Add(label);
        result.points.push_back(std::move(point));
    }
    for (const PointList* list : {&noPosition, &outOfRange, &unmappable, &longNames, &badValues}) {
        list->AppendLine(result.warnings);
    }
    if (result.points.empty()) result.error = raw.empty() ? "地点がありません" : "読み込める地点がありません";
    return result;
}

ReadResult Refusal(std::string message) {
    ReadResult result;
    result.error = std::move(message);
    return result;
}

}  // namespace vondrel::formats
