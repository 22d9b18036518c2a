// Raw points into the point table's terms: positions read and shifted to the Tokyo datum,
// texts in code page 932, the CSV-only fields checked, and one warning line per kind of
// trouble listing the points it concerns.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <initializer_list>
#include <utility>

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

// Roughly where Japan lies, on either datum: points outside it are kept, with a word.
bool InJapan(const LatLon& position) {
    return position.lat >= 20 && position.lat <= 46 && position.lon >= 122 && position.lon <= 154;
}

constexpr std::size_t kUtf8LabelBytes = 60;
constexpr std::size_t kListedNames = 10;  // as many as a warning line names

// `utf8` cut to kUtf8LabelBytes at a character's start, with "…" when cut.
std::string Utf8Label(const std::string& utf8) {
    if (utf8.size() <= kUtf8LabelBytes) return utf8;
    std::size_t keep = kUtf8LabelBytes;
    while (keep > 0 && (static_cast<unsigned char>(utf8[keep]) & 0xC0) == 0x80) --keep;
    return utf8.substr(0, keep) + u8"…";
}

// The reason no point was readable, from the lists that counted points.
std::string NothingReadable(std::initializer_list<std::pair<const NamedPointList*, const char*>> reasons) {
    std::string why;
    for (const auto& [list, text] : reasons) {
        if (list->Count() == 0) continue;
        why += (why.empty() ? "" : "、") + std::string(text) + " " + std::to_string(list->Count()) + " 件";
    }
    return why.empty() ? "読み込める地点がありません" : "読み込める地点がありません (" + why + ")";
}

}  // namespace

void NamedPointList::Add(const std::string& cp932, const std::string& utf8) {
    cp932Lines.Add(cp932);
    if (utf8Names.size() < kListedNames) utf8Names.push_back(Utf8Label(utf8));
    utf8Lines.Add("\x01" + std::to_string(utf8Names.size() - 1) + "\x02");
}

void NamedPointList::AppendLines(ReadResult& out) const {
    cp932Lines.AppendLine(out.warnings);
    std::vector<std::string> lines;
    utf8Lines.AppendLine(lines);
    if (lines.empty()) return;
    const std::string line = Cp932ToUtf8(lines[0]);
    std::string named;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const std::size_t end = line[i] == '\x01' ? line.find('\x02', i) : std::string::npos;
        if (end == std::string::npos) {
            named += line[i];
            continue;
        }
        named += utf8Names.at(std::stoul(line.substr(i + 1, end - i - 1)));
        i = end;
    }
    out.warningsUtf8.push_back(std::move(named));
}

void PointCollector::Add(const RawPoint& raw) {
    ++seen;
    LatLon position;
    const auto usable = [&] { return raw.noPosition || ReadPosition(raw, options.datum, position) == Position::Usable; };
    if (result.points.size() == options.maxPoints) {
        if (usable()) ++result.total;
        return;
    }
    FormatPoint point;
    bool replaced = false;
    bool malformed = false;
    const auto convert = [&](std::string_view text) {
        // Bytes the file's encoding gave no character for are the file's fault, not Shift_JIS's.
        if (!IsUtf8(text) || text.find("\xEF\xBF\xBD") != std::string_view::npos) malformed = true;
        return ToPointText(text, replaced);
    };
    const std::string_view name = Trim(raw.name);
    point.name = convert(name);
    const std::string& label = point.name.empty() ? raw.place : point.name;
    // The point as the file names it, worked out only for a warning.
    const auto note = [&](NamedPointList& list) { list.Add(label, name.empty() ? Cp932ToUtf8(raw.place) : std::string(name)); };
    if (raw.noPosition) {
        point.noPosition = true;
    } else {
        switch (ReadPosition(raw, options.datum, position)) {
            case Position::Unreadable: note(noPosition); return;
            case Position::OutOfRange: note(outOfRange); return;
            case Position::Usable: break;
        }
        point.lat = position.lat;
        point.lon = position.lon;
        if (!InJapan(position)) note(abroad);
    }
    point.reading = convert(Trim(raw.reading));
    point.tel = convert(Trim(raw.tel));
    if (malformed) {
        note(undecodable);
    } else if (replaced) {
        note(unmappable);
    }
    bool cut = false;
    for (std::string* text : {&point.name, &point.reading, &point.tel}) cut = cp932::CapAtCharBoundary(*text, kMaxTextBytes) || cut;
    if (cut) note(longTexts);
    if (point.name.size() > kNameLimit) note(longNames);
    if (!ReadOptionalFields(raw, point)) note(badValues);
    result.points.push_back(std::move(point));
    ++result.total;
}

ReadResult PointCollector::Finish() {
    for (const PointList* list : {&noPosition, &outOfRange, &abroad, &unmappable, &undecodable, &longTexts, &longNames, &badValues}) {
        list->AppendLines(result);
    }
    if (result.total > result.points.size()) {
        const std::string line = std::to_string(result.total) + " 地点のうち最初の " +
                                 std::to_string(result.points.size()) + " 地点だけを読み込みました";
        result.warnings.push_back(line);
        result.warningsUtf8.push_back(Cp932ToUtf8(line));
    }
    if (result.points.empty()) {
        result.error = seen == 0 ? "地点がありません"
                                 : NothingReadable({{&outOfRange, "東経・北緯の範囲外"}, {&noPosition, "位置が読めない"}});
        result.total = 0;
    }
    return std::move(result);
}

namespace {

// A non-negative decimal number at the start of `text`, taken off it.
bool TakeNumber(std::string_view& text, double& value) {
    const std::size_t end = std::min(text.find_first_not_of("0123456789."), text.size());
    if (end == 0 || std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(end), '.') > 1) return false;
    const auto result = std::from_chars(text.data(), text.data() + end, value, std::chars_format::fixed);
    if (result.ec != std::errc() || result.ptr != text.data() + end || !std::isfinite(value)) return false;
    text.remove_prefix(end);
    return true;
}

// Takes `unit` off the start of `text`.
bool TakeUnit(std::string_view& text, std::initializer_list<std::string_view> units) {
    for (std::string_view unit : units) {
        if (text.substr(0, unit.size()) == unit) {
            text.remove_prefix(unit.size());
            return true;
        }
    }
    return false;
}

// Degrees with the signs people write: "35.681236°N", "N35.681236", "35°40′52″N",
// "35°40'52.4\"N" (the primes as apostrophes, the degree sign also as the ordinal sign some
// keyboards give); south and west negative.
bool ReadSignedForm(std::string_view text, double& degrees) {
    const auto hemisphere = [](char c) { return c == 'N' || c == 'S' || c == 'E' || c == 'W'; };
    char side = 0;
    if (!text.empty() && hemisphere(text.back())) {
        side = text.back();
        text.remove_suffix(1);
    } else if (!text.empty() && hemisphere(text.front())) {
        side = text.front();
        text.remove_prefix(1);
    }
    const auto blanks = [&] { text = Trim(text); };
    blanks();
    double parts[3] = {};
    std::size_t count = 0;
    bool marked = false;
    while (!text.empty() && count < 3) {
        if (!TakeNumber(text, parts[count])) return false;
        blanks();
        const bool unit = count == 0   ? TakeUnit(text, {"\xC2\xB0", "\xC2\xBA"})
                          : count == 1 ? TakeUnit(text, {"\xE2\x80\xB2", "'"})
                                       : TakeUnit(text, {"\xE2\x80\xB3", "''", "\""});
        marked = marked || unit;
        ++count;
        blanks();
        if (!unit && !text.empty()) return false;
    }
    if (!text.empty() || count == 0 || (!marked && side == 0) || parts[1] >= 60 || parts[2] >= 60) return false;
    degrees = parts[0] + parts[1] / 60 + parts[2] / 3600;
    if (side == 'S' || side == 'W') degrees = -degrees;
    return true;
}

}  // namespace

bool ParseCoordinate(std::string_view text, double& degrees) {
    text = Trim(text);
    if (text.find_first_of("NSEW\xC2\xE2'\"") != std::string_view::npos) return ReadSignedForm(text, degrees);
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
