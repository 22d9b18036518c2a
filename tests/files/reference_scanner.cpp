// The reference scanner (see reference_scanner.h), unchanged but for its name.
#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/cp932.h"
#include "core/direction.h"
#include "core/point_table.h"
#include "files/reference_scanner.h"
#include "files/xml_text.h"

namespace vondrel::test {

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

constexpr bool MarkersAreTags() {
    for (std::string_view marker : kMarkers) {
        if (marker.size() < 3 || marker[0] != '<') return false;
    }
    return true;
}
static_assert(MarkersAreTags(), "FindMarker looks for markers at '<' and checks their third byte first");

// For each byte, the markers whose second byte it is (bit m for marker m): after a '<', only
// those can match, so each '<' costs one or two comparisons instead of one per marker.
static_assert(kMarkerCount <= 16, "the candidate sets below hold one bit per marker");
constexpr std::array<std::uint16_t, 256> MakeCandidates() {
    std::array<std::uint16_t, 256> candidates{};
    for (std::size_t m = 0; m < kMarkers.size(); ++m) {
        candidates[static_cast<unsigned char>(kMarkers[m][1])] |= static_cast<std::uint16_t>(1u << m);
    }
    return candidates;
}
constexpr std::array<std::uint16_t, 256> kCandidates = MakeCandidates();

// True when `marker` stands at `pos` in `e`, whose first two bytes are known to match it.
// The third byte tells most near misses apart without a full comparison.
bool MarkerAt(std::string_view e, std::size_t pos, std::string_view marker) {
    return e.size() - pos >= marker.size() && e[pos + 2] == marker[2] && e.substr(pos, marker.size()) == marker;
}

// The first marker (in table order) found anywhere in `e`, matching only at character boundaries.
Marker FindMarker(std::string_view e) {
    unsigned best = kNoMarker;
    for (std::size_t pos = 0; pos + 1 < e.size(); ++pos) {
        // '<' is never a lead byte, so looking back from one never passes the previous one.
        if (e[pos] != '<' || !cp932::IsCharStart(e, pos)) continue;
        const unsigned candidates = kCandidates[static_cast<unsigned char>(e[pos + 1])];
        if (candidates == 0) continue;
        for (unsigned m = 0; m < best; ++m) {
            if ((candidates >> m & 1u) != 0 && MarkerAt(e, pos, kMarkers[m])) {
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

// Stores `text` in `out` with entities decoded; assigning in place keeps the field's buffer.
void AssignDecoded(std::string& out, std::string_view text) {
    if (text.find('&') == std::string_view::npos) {
        out.assign(text.data(), text.size());
    } else {
        out = DecodeEntities(text);
    }
}

std::string Decoded(std::string_view text) {
    std::string out;
    AssignDecoded(out, text);
    return out;
}

void AssignName(std::string& out, std::string_view e) {
    const std::size_t gt = e.find('>');
    const std::size_t close = e.find("</");
    if (gt == std::string_view::npos || close == std::string_view::npos || close <= gt) {
        out.clear();
        return;
    }
    std::string_view name = e.substr(gt + 1, close - gt - 1);
    if (!name.empty() && cp932::IsLeadByteAt(name, name.size() - 1)) name.remove_suffix(1);
    AssignDecoded(out, name);
}

void AssignSlashesToPeriods(std::string& out, std::string_view text) {
    AssignDecoded(out, text);
    for (char& c : out) {
        if (c == '/') c = '.';
    }
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

void ReferenceScanner::Interpret(std::string_view e) {
    const Marker marker = FindMarker(e);
    if (marker == kNoMarker) return;
    if (full) {
        dropped += marker == kGpoiEnd;  // points beyond the table's 700 rows are counted, not kept
        return;
    }
    const bool stores = blocks.Meet(static_cast<glorie::Marker>(marker)) != PointBlocks::Outcome::None;  // the block rules shared
    PointRecord& record = point;
    switch (marker) {
        case kGpoiStart:
        case kGpoiEnd:
            if (!stores) break;
            if (table.Append(point)) ++completed;
            full = table.GetCount() >= kTableRows;
            point.ClearFields();
            break;
        case kName: AssignName(record.name, e); break;
        case kReading: AssignDecoded(record.reading, ValueOf(e)); break;
        case kLat: AssignSlashesToPeriods(record.lat, ValueOf(e)); break;
        case kLon: AssignSlashesToPeriods(record.lon, ValueOf(e)); break;
        case kOutmost: AssignDecoded(record.outmost, ValueOf(e)); break;
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
            AssignDecoded(record.sound, unquoted);
            break;
        }
        case kContact: AssignDecoded(record.tel, AttributeAfter(e, "tel:", '"')); break;
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

constexpr unsigned char ClassOf(char byte) { return kClasses[static_cast<unsigned char>(byte)]; }
constexpr bool IsSpace(char byte) { return ClassOf(byte) == kBlank || ClassOf(byte) == kLineBreak; }
}  // namespace

ReferenceScanner::ReferenceScanner(PointTable& target) : table(target), full(target.GetCount() >= kTableRows) {
    copied.reserve(1024);
}

std::string_view ReferenceScanner::Gathered() {
    if (copied.empty()) return std::string_view(kept, static_cast<std::size_t>(keptEnd - kept));
    CopyKept();
    return copied;
}

std::size_t ReferenceScanner::GatheredSize() const { return copied.size() + static_cast<std::size_t>(keptEnd - kept); }

char ReferenceScanner::GatheredAt(std::size_t index) const {
    return index < copied.size() ? copied[index] : kept[index - copied.size()];
}

void ReferenceScanner::Keep(const char* from, const char* to) {
    if (kept != keptEnd && keptEnd != from) CopyKept();  // something was dropped in between
    if (kept == keptEnd) kept = from;
    keptEnd = to;
}

void ReferenceScanner::CopyKept() {
    if (kept == keptEnd) return;
    copied.append(kept, static_cast<std::size_t>(keptEnd - kept));
    kept = keptEnd = nullptr;
}

void ReferenceScanner::Discard(std::size_t count) {
    if (copied.empty()) {
        kept += count;
        if (kept == keptEnd) kept = keptEnd = nullptr;
    } else {
        CopyKept();
        copied.erase(0, count);
    }
}

// The element text gathered so far is taken in place from the input while its bytes follow
// one another there (the usual case), and copied only when a dropped byte splits it.
void ReferenceScanner::Scan(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        switch (ClassOf(*p)) {
            case kLineBreak:
            case kBlank:
                if (inTag || textSeen) {
                    // Inside a tag or after text, blanks are kept; line breaks never are.
                    if (ClassOf(*p) == kBlank) Keep(p, p + 1);
                    ++p;
                } else {
                    // Between a tag and what follows it, both are dropped.
                    while (p < end && IsSpace(*p)) ++p;
                }
                break;
            case kOpen:
                if (!textSeen) {
                    // What came before the token is a complete element; the token (the rest of
                    // an unclosed tag, or nothing) starts the next one.
                    Interpret(Gathered().substr(0, tokenStart));
                    Discard(tokenStart);
                }
                tokenStart = GatheredSize();
                Keep(p, p + 1);
                textSeen = false;
                inTag = true;
                ++p;
                break;
            case kClose:
                Keep(p, p + 1);
                ++p;
                // A token holds no '<' but at its start, so "</" can only open it.
                if (GatheredSize() - tokenStart >= 2 && GatheredAt(tokenStart) == '<' && GatheredAt(tokenStart + 1) == '/') {
                    Interpret(Gathered());
                    Discard(GatheredSize());
                }
                tokenStart = GatheredSize();
                inTag = false;
                break;
            default: {
                const char* q = p + 1;
                while (q < end && ClassOf(*q) == kOrdinary) ++q;
                Keep(p, q);
                if (!inTag) textSeen = true;
                p = q;
                break;
            }
        }
    }
    CopyKept();  // the input is not kept beyond this call
}

}  // namespace vondrel::test
