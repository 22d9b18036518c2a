// Reading glorie point files: a tolerant scanner that finds a fixed set of element markers
// and takes the text next to them (not an XML parser), so files of other programs read too.
#include <array>
#include <cstring>
#include <string>
#include <string_view>

#include "core/cp932.h"
#include "core/direction.h"
#include "core/path_text.h"
#include "core/point_table.h"
#include "files/file_errors.h"
#include "files/glorie_scanner.h"
#include "files/xml_text.h"
#include "platform/file_io.h"

namespace vondrel {

namespace {

enum Marker {
    kGpoiStart,
    kGpoiEnd,
    kName,
    kReading,
    kLat,
    kLon,
    kOutmost,
    kDcenter,
    kCategory,
    kMedia,
    kContact,
    kMarkerCount,
    kNoMarker = kMarkerCount
};

// Searched in this order; only the first found acts. Every marker starts with '<'.
constexpr std::array<std::string_view, kMarkerCount> kMarkers = {
    "<gpoi",
    "</gpoi>",
    "<nb>",
    "<rt>",
    "<lat>",
    "<lon>",
    "<outmost>",
    "<dcenter>",
    "<category vendor=\"Kenwood.HDD-NAVI\">",
    "<optional-media format=\"MSNAVI\"",
    "<contact href=",
};

// The first marker (in table order) found anywhere in `e`, matching only at character boundaries.
Marker FindMarker(std::string_view e) {
    int best = kNoMarker;
    for (std::size_t pos = 0; pos < e.size(); pos += cp932::CharLength(e, pos)) {
        if (e[pos] != '<') continue;
        const std::string_view rest = e.substr(pos);
        for (int m = 0; m < best; ++m) {
            if (rest.compare(0, kMarkers[static_cast<std::size_t>(m)].size(), kMarkers[static_cast<std::size_t>(m)]) == 0) {
                best = m;
                break;
            }
        }
        if (best == 0) break;
    }
    return static_cast<Marker>(best);
}

// The text after the first '>' up to the next '<' after it (empty if no '<' follows).
std::string_view ValueOf(std::string_view e) {
    const std::size_t gt = e.find('>');
    if (gt == std::string_view::npos) return {};
    const std::size_t lt = e.find('<', gt + 1);
    if (lt == std::string_view::npos) return {};
    return e.substr(gt + 1, lt - gt - 1);
}

// Decodes entities only when there may be one (the common case has none).
std::string Decoded(std::string_view text) {
    return text.find('&') == std::string_view::npos ? std::string(text) : DecodeEntities(text);
}

std::string NameOf(std::string_view e) {
    const std::size_t gt = e.find('>');
    const std::size_t close = e.find("</");
    if (gt == std::string_view::npos || close == std::string_view::npos || close <= gt) return std::string();
    std::string_view name = e.substr(gt + 1, close - gt - 1);
    if (!name.empty() && cp932::IsLeadByteAt(name, name.size() - 1)) name.remove_suffix(1);
    return Decoded(name);
}

std::string SlashesToPeriods(std::string_view text) {
    std::string out = Decoded(text);
    for (char& c : out) {
        if (c == '/') c = '.';
    }
    return out;
}

// The attribute text after `key` up to (not including) the first `stop`; empty when there is no stop.
std::string AttributeAfter(std::string_view e, std::string_view key, char stop) {
    const std::size_t at = cp932::Find(e, key);
    if (at == std::string_view::npos) return std::string();
    const std::string_view v = e.substr(at + key.size());
    const std::size_t end = cp932::Find(v, std::string_view(&stop, 1));
    if (end == std::string_view::npos) return std::string();
    return std::string(v.substr(0, end));
}

}  // namespace

void GlorieScanner::Interpret(std::string_view e) {
    const Marker marker = FindMarker(e);
    if (marker == kNoMarker || marker == kGpoiStart) return;
    if (row >= kTableRows) return;  // points beyond the table's 700 rows are ignored
    PointRecord& record = table.Row(row);
    switch (marker) {
        case kGpoiEnd:
            record.slot = static_cast<std::int16_t>(row);
            ++row;
            break;
        case kName: record.name = NameOf(e); break;
        case kReading: record.reading = Decoded(ValueOf(e)); break;
        case kLat: record.lat = SlashesToPeriods(ValueOf(e)); break;
        case kLon: record.lon = SlashesToPeriods(ValueOf(e)); break;
        case kOutmost: record.outmost = Decoded(ValueOf(e)); break;
        case kDcenter:
            record.dcenter = SnapDirectionText(Decoded(ValueOf(e)));
            record.directionOn = 1;
            break;
        case kCategory: {
            const std::string value = Decoded(ValueOf(e));
            record.mark = value.size() > 2 ? value.substr(value.size() - 2) : value;
            break;
        }
        case kMedia: {
            std::string sound = AttributeAfter(e, "id=", ' ');
            std::string unquoted;
            for (char c : sound) {
                if (c != '"') unquoted.push_back(c);
            }
            record.sound = Decoded(unquoted);
            break;
        }
        case kContact: record.tel = Decoded(AttributeAfter(e, "tel:", '"')); break;
        default: break;
    }
}

namespace {
// Byte classes of the scanner.
enum ByteClass : unsigned char { kOrdinary, kLineBreak, kBlank, kOpen, kClose };

constexpr std::array<unsigned char, 256> MakeClasses() {
    std::array<unsigned char, 256> classes{};
    classes['\r'] = kLineBreak;
    classes['\n'] = kLineBreak;
    classes[' '] = kBlank;
    classes['\t'] = kBlank;
    classes['<'] = kOpen;
    classes['>'] = kClose;
    return classes;
}
constexpr std::array<unsigned char, 256> kClasses = MakeClasses();
}  // namespace

GlorieScanner::GlorieScanner(PointTable& target) : table(target) {
    token.reserve(256);
    element.reserve(1024);
}

void GlorieScanner::Scan(std::string_view bytes) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const unsigned char* const end = p + bytes.size();
    while (p < end) {
        switch (kClasses[*p]) {
            case kLineBreak: ++p; break;
            case kBlank:
                if (inTag || textSeen) token.push_back(static_cast<char>(*p));
                ++p;
                break;
            case kOpen:
                if (!textSeen) {
                    Interpret(element);
                    element.clear();
                }
                if (!token.empty()) element += token;
                token.assign(1, '<');
                textSeen = false;
                inTag = true;
                ++p;
                break;
            case kClose:
                token.push_back('>');
                element += token;
                if (token.find("</") != std::string::npos) {
                    Interpret(element);
                    element.clear();
                }
                token.clear();
                inTag = false;
                ++p;
                break;
            default: {
                const unsigned char* q = p + 1;
                while (q < end && kClasses[*q] == kOrdinary) ++q;
                token.append(reinterpret_cast<const char*>(p), static_cast<std::size_t>(q - p));
                if (!inTag) textSeen = true;
                p = q;
                break;
            }
        }
    }
}

int PointTable::Load(const std::string& path) {
    if (!HasXmlExtension(path)) {
        if (messages) messages->ShowMessage(UnknownFileMessage(path));
        return -1;
    }
    // The file is read before the table is touched, so a failure leaves the table as it was.
    std::string bytes;
    const int cause = platform::ReadWholeFile(path, bytes);
    if (cause != platform::kCauseNone) {
        ReportFileError(messages, cause, path);
        return -1;
    }
    Reset();
    modified = 0;
    GlorieScanner scanner(*this);
    scanner.Scan(bytes);
    count = scanner.CompletedPoints();
    return 0;
}

}  // namespace vondrel
