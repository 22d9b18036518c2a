// CSV, TSV and TXT point lists: a header row names the columns (English or Japanese, any
// order and case); it is the first of the first few rows that names latitude and longitude
// (a title may stand above it), and its separator (comma, tab, semicolon or vertical bar) the one that makes
// the most of its cells known column names. The text is UTF-8 (with or without a byte-order
// mark), UTF-16 with a byte-order mark, or else code page 932.
#include <algorithm>
#include <array>

#include "core/cp932.h"
#include "core/datum.h"
#include "core/link_position.h"
#include "core/limits.h"
#include "formats/csv_records.h"
#include "formats/point_reading.h"
#include "formats/text_encoding.h"

namespace vondrel::formats {

namespace {

enum Column { kName, kReading, kLat, kLon, kTel, kMark, kSound, kDirection, kUrl, kDescription, kColumnCount };

struct ColumnNames {
    Column column;
    std::array<const char*, 9> names;  // lower case; UTF-8
};

// u8 literals: the Japanese names are compared with UTF-8 text whatever the literal charset.
const ColumnNames kColumnNames[] = {
    {kName, {"name", u8"名称", u8"名前", u8"施設名", u8"地点名"}},
    {kReading, {"reading", u8"読み仮名", u8"よみ", u8"よみがな", u8"読み", u8"名称_カナ", u8"ふりがな", u8"フリガナ", u8"カナ"}},
    {kLat, {"lat", "latitude", u8"北緯", u8"緯度"}},
    {kLon, {"lon", "lng", "long", "longitude", u8"東経", u8"経度"}},
    {kTel, {"tel", "phone", u8"電話番号", u8"電話"}},
    {kMark, {"mark", u8"マーク"}},
    {kSound, {"sound"}},
    {kDirection, {"direction"}},
    // Google Takeout's saved lists: Title, Note, URL (a Maps link holding the position, if any).
    {kName, {"title"}},
    {kUrl, {"url"}},
    {kDescription, {"description", u8"説明"}},  // the name when no column holds one
};

constexpr int kNoColumn = -1;

int ColumnOf(std::string_view header) {
    while (!header.empty() && (header.front() == ' ' || header.front() == '\t')) header.remove_prefix(1);
    while (!header.empty() && (header.back() == ' ' || header.back() == '\t')) header.remove_suffix(1);
    std::string lower(header);
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    for (const ColumnNames& entry : kColumnNames) {
        for (const char* name : entry.names) {
            if (name && lower == name) return entry.column;
        }
    }
    return kNoColumn;
}

// The text to split: UTF-8 (converted from UTF-16, else as the file has it), or code page 932
// as the file has it. The bytes that split records (quotes, separators, line breaks) never
// stand inside a code page 932 character, so such a file is split as it is, and only the
// texts of the points read are converted.
struct CsvText {
    std::string_view text;
    std::string converted;
    bool cp932 = false;
};

// False when the bytes are no text (NUL bytes without a UTF-16 byte-order mark).
bool DecodeText(std::string_view bytes, CsvText& out) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        out.text = bytes.substr(3);
    } else if (bytes.compare(0, 2, "\xFF\xFE") == 0 || bytes.compare(0, 2, "\xFE\xFF") == 0) {
        out.converted = Utf16ToUtf8(bytes.substr(2), bytes[0] == '\xFE');
        out.text = out.converted;
    } else if (bytes.find('\0') != std::string_view::npos) {
        return false;
    } else {
        out.text = bytes;
        out.cp932 = !IsUtf8(bytes);
    }
    return true;
}

constexpr std::size_t kHeaderSearchRows = 10;
constexpr std::size_t kLongestColumnName = 64;  // bytes of a header cell, quotes and blanks included

struct Header {
    char separator = ',';
    std::size_t row = 0;                    // the header's record number, from 0
    std::array<int, kColumnCount> index{};  // field index of each column, or kNoColumn
    int known = -1;

    bool HasPosition() const { return (index[kLat] != kNoColumn && index[kLon] != kNoColumn) || index[kUrl] != kNoColumn; }
};

// The header row, or one without a position when no row of the first few names both columns.
Header ReadHeader(const CsvText& text) {
    Header best;
    best.index.fill(kNoColumn);
    std::vector<std::string_view> fields;
    std::size_t line = 0;
    for (char separator : {'\t', ',', ';', '|'}) {
        CsvRecords records(text.text, separator);
        for (std::size_t row = 0; row < kHeaderSearchRows && records.Next(fields, line); ++row) {
            Header header;
            header.separator = separator;
            header.row = row;
            header.index.fill(kNoColumn);
            header.known = 0;
            for (std::size_t i = 0; i < fields.size(); ++i) {
                if (fields[i].size() > kLongestColumnName) continue;
                const std::string name = CsvRecords::Unquote(fields[i]);
                const int column = ColumnOf(text.cp932 ? Cp932ToUtf8(name) : name);
                if (column != kNoColumn && header.index[column] == kNoColumn) {
                    header.index[column] = static_cast<int>(i);
                    ++header.known;
                }
            }
            if (header.HasPosition()) {
                if (header.known > best.known) best = header;
                break;
            }
        }
    }
    return best;
}

bool IsBlankRecord(const std::vector<std::string_view>& fields) {
    for (std::string_view field : fields) {
        if (field.find_first_not_of(" \t\n\r\"") != std::string_view::npos) return false;
        if (CsvRecords::Unquote(field).find_first_not_of(" \t\n") != std::string::npos) return false;
    }
    return true;
}

// A point's text (name, reading, telephone) in UTF-8, without the "'" written before one that a
// spreadsheet would take as a formula. One longer than the point can keep is cut before it is
// converted, so a huge cell costs no more than its own bytes: past its leading blanks, four
// bytes a character keep more than the kMaxTextBytes that the point keeps.
std::string TextField(std::string_view field, bool cp932) {
    constexpr std::size_t kBytesRead = 4 * (kMaxTextBytes + 1);
    std::string text = CsvRecords::Unquote(field);
    if (text.size() >= 2 && text[0] == '\'' && kFormulaStarts.find(text[1]) != std::string_view::npos) text.erase(0, 1);
    text.erase(0, std::min(text.find_first_not_of(" \t\n"), text.size()));
    if (text.size() > kBytesRead) {
        std::size_t keep = kBytesRead;
        if (cp932) {
            keep = cp932::TruncateAtCharBoundary(text, kBytesRead).size();
        } else {
            while (keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80) --keep;
        }
        text.resize(keep);
    }
    return cp932 ? Cp932ToUtf8(text) : text;
}

// A row without coordinates whose link holds a position takes it: on WGS 84 as the maps give
// it, whichever datum the file's coordinate columns were chosen to be on. A named row whose link
// holds none has no position.
void TakeLinkPosition(const std::string& url, Datum datum, RawPoint& point) {
    if (auto position = ParseLinkPosition(url)) {
        if (datum == Datum::Tokyo) position = Wgs84ToTokyo(*position);
        point.lat = DegreesText(position->lat);
        point.lon = DegreesText(position->lon);
    } else {
        point.noPosition = !point.name.empty();
    }
}

}  // namespace

ReadResult ReadCsv(std::string_view bytes, const ReadOptions& options) {
    CsvText text;
    if (!DecodeText(bytes, text)) return Refusal("テキストファイルではありません");
    const Header header = ReadHeader(text);
    if (!header.HasPosition()) return Refusal("見出し行に緯度 (lat) と経度 (lon) の列がありません");
    CsvRecords records(text.text, header.separator);
    std::vector<std::string_view> fields;
    std::size_t line = 0;
    for (std::size_t row = 0; row <= header.row; ++row) records.Next(fields, line);
    PointCollector collector(options);
    RawPoint point;
    while (records.Next(fields, line)) {
        if (Cancelled(options)) return Cancellation();
        if (IsBlankRecord(fields)) continue;
        const auto field = [&](Column column) {
            const int i = header.index[column];
            return (i != kNoColumn && static_cast<std::size_t>(i) < fields.size()) ? fields[static_cast<std::size_t>(i)]
                                                                                   : std::string_view();
        };
        point.name = TextField(field(header.index[kName] != kNoColumn ? kName : kDescription), text.cp932);
        point.reading = TextField(field(kReading), text.cp932);
        point.tel = TextField(field(kTel), text.cp932);
        // Coordinates may carry degree signs and primes: in UTF-8 like the texts.
        point.lat = TextField(field(kLat), text.cp932);
        point.lon = TextField(field(kLon), text.cp932);
        point.mark = CsvRecords::Unquote(field(kMark));
        point.sound = CsvRecords::Unquote(field(kSound));
        point.direction = CsvRecords::Unquote(field(kDirection));
        point.place = std::to_string(line) + " 行目の地点";
        point.noPosition = false;
        if (point.lat.empty() && point.lon.empty() && header.index[kUrl] != kNoColumn) {
            TakeLinkPosition(TextField(field(kUrl), text.cp932), options.datum, point);
        }
        // Semicolon-separated files from locales that write a decimal comma.
        for (std::string* value : {&point.lat, &point.lon}) {
            if (header.separator == ';' && value->find('.') == std::string::npos) {
                const std::size_t comma = value->find(',');
                if (comma != std::string::npos && value->find(',', comma + 1) == std::string::npos) (*value)[comma] = '.';
            }
        }
        collector.Add(point);
    }
    ReadResult result = collector.Finish();
    if (records.OpenQuoteLine() > 0 && result.error.empty()) {
        result.warnings.insert(result.warnings.begin(), std::to_string(records.OpenQuoteLine()) +
                                                            " 行目の引用符 (\") が閉じていないため、文字として読みました");
    }
    return result;
}

}  // namespace vondrel::formats
