// Interpreting glorie element texts: a fixed set of element markers, each found only at a '<'
// the scanner saw, and the text beside it, so files of other programs read too.
#include "files/glorie_elements.h"

#include <cstdint>
#include <utility>

#include "core/cp932.h"
#include "core/direction.h"
#include "files/glorie_markers.h"
#include "files/xml_text.h"

namespace vondrel {

namespace {

using glorie::kMarkers;
using glorie::Marker;

// True when `key` stands at `pos` in `text`; its first `known` bytes are known to match. The keys
// are short: a byte loop beats a call.
inline bool BytesAt(std::string_view text, std::size_t pos, std::string_view key, std::size_t known = 0) {
    if (text.size() - pos < key.size()) return false;
    for (std::size_t i = known; i < key.size(); ++i) {
        if (text[pos + i] != key[i]) return false;
    }
    return true;
}

// The first marker (in table order) standing at one of the element's '<' that starts a
// character. Every '<' of the text is among `opens`, so no other place needs a look.
Marker FindMarker(const ElementText& e) {
    const std::string_view text = e.text;
    unsigned best = glorie::kNoMarker;
    for (std::size_t i = 0; i < e.openCount; ++i) {
        const std::size_t pos = e.opens[i];
        if (pos + 2 >= text.size()) break;
        unsigned candidates = glorie::kBySecondByte[static_cast<unsigned char>(text[pos + 1])] &
                              glorie::kByThirdByte[static_cast<unsigned char>(text[pos + 2])] & ((1u << best) - 1u);
        // '<' is never a lead byte, so looking back from one never passes the previous one.
        if (candidates == 0 || !cp932::IsCharStart(text, pos)) continue;
        for (; candidates != 0; candidates &= candidates - 1) {
            const unsigned m = static_cast<unsigned>(__builtin_ctz(candidates));
            if (text.size() - pos >= kMarkers[m].size() && text.compare(pos, kMarkers[m].size(), kMarkers[m]) == 0) {
                best = m;
                break;
            }
        }
        if (best == 0) break;
    }
    return static_cast<Marker>(best);
}

// The first '<' after `from` in the element (npos when none follows).
std::size_t OpenAfter(const ElementText& e, std::size_t from) {
    for (std::size_t i = 0; i < e.openCount; ++i) {
        if (e.opens[i] > from) return e.opens[i];
    }
    return std::string_view::npos;
}

// The text after the first '>' up to the next '<' after it (empty if no '<' follows).
std::string_view ValueOf(const ElementText& e) {
    if (e.firstClose == std::string_view::npos) return {};
    const std::size_t lt = OpenAfter(e, e.firstClose);
    if (lt == std::string_view::npos) return {};
    return e.text.substr(e.firstClose + 1, lt - e.firstClose - 1);
}

// The text between the first '>' and the first "</", without a lead byte left at its end.
std::string_view NameOf(const ElementText& e) {
    std::size_t close = std::string_view::npos;
    for (std::size_t i = 0; i < e.openCount && close == std::string_view::npos; ++i) {
        const std::size_t pos = e.opens[i];
        if (pos + 1 < e.text.size() && e.text[pos + 1] == '/') close = pos;
    }
    if (e.firstClose == std::string_view::npos || close == std::string_view::npos || close <= e.firstClose) return {};
    std::string_view name = e.text.substr(e.firstClose + 1, close - e.firstClose - 1);
    if (!name.empty() && cp932::IsLeadByteAt(name, name.size() - 1)) name.remove_suffix(1);
    return name;
}

// The first place of `key` in `text` that starts a character (npos when there is none). Found
// from its last byte, which in the keys looked for ('=' and ':') is rarer than its first.
std::size_t FindAtCharStart(std::string_view text, std::string_view key) {
    const char last = key.back();
    std::size_t start = 0;  // a character starts here
    for (std::size_t at = text.find(last, key.size() - 1); at != std::string_view::npos; at = text.find(last, at + 1)) {
        const std::size_t from = at + 1 - key.size();
        if (!BytesAt(text, from, key)) continue;
        if (cp932::LeadBytesBefore(text, from, start) % 2 == 0) return from;
        start = from + 1;  // `from` is a second byte, so the next byte starts a character
    }
    return std::string_view::npos;
}

// The attribute text after `key` up to (not including) the first `stop`; empty when there is no stop.
std::string_view AttributeAfter(std::string_view e, std::string_view key, char stop) {
    const std::size_t at = FindAtCharStart(e, key);
    if (at == std::string_view::npos) return {};
    const std::string_view v = e.substr(at + key.size());
    const std::size_t end = FindAtCharStart(v, std::string_view(&stop, 1));
    if (end == std::string_view::npos) return {};
    return v.substr(0, end);
}

}  // namespace

ElementReader::ElementReader(PointTable& target) : table(target), full(target.GetCount() >= kTableRows) {
    static const PointRecord blank;
    ForEachField([&](const auto& entry) {
        if constexpr (kIsTextField<decltype(entry)>) missing[static_cast<std::size_t>(entry.id)] = blank.*entry.stored;
    });
    ClearPoint();
}

void ElementReader::SetCopy(Field field, std::string_view value, const ElementText& element) {
    Text& t = TextOf(field);
    if (element.mayHoldEntities && value.find('&') != std::string_view::npos) {
        t.own = DecodeEntities(value);
    } else if (element.inInput) {
        t.view = value;
        t.inInput = true;
        return;
    } else {
        t.own.assign(value.data(), value.size());
    }
    t.view = t.own;
    t.inInput = false;
}

void ElementReader::SetOwn(Field field, std::string&& value) {
    Text& t = TextOf(field);
    t.own = std::move(value);
    t.view = t.own;
    t.inInput = false;
}

void ElementReader::Interpret(const ElementText& e) {
    const Marker marker = FindMarker(e);
    if (marker == glorie::kNoMarker) return;
    if (full) {
        dropped += marker == glorie::kGpoiEnd;  // points beyond the table's 700 rows are counted, not kept
        return;
    }
    const PointBlocks::Outcome outcome = blocks.Meet(marker);
    switch (marker) {
        case glorie::kGpoiStart:
        case glorie::kGpoiEnd: Keep(outcome); break;
        case glorie::kName: Set(Field::Name, NameOf(e), e); break;
        case glorie::kReading: Set(Field::Reading, ValueOf(e), e); break;
        case glorie::kLat:
        case glorie::kLon: {
            const Field field = marker == glorie::kLat ? Field::Lat : Field::Lon;
            Set(field, ValueOf(e), e);
            if (TextOf(field).view.find('/') != std::string_view::npos) {
                std::string periods(TextOf(field).view);
                for (char& c : periods) {
                    if (c == '/') c = '.';
                }
                SetOwn(field, std::move(periods));
            }
            break;
        }
        case glorie::kOutmost: Set(Field::Outmost, ValueOf(e), e); break;
        case glorie::kDcenter: {
            const std::string_view value = ValueOf(e);
            const bool decode = e.mayHoldEntities && value.find('&') != std::string_view::npos;
            SetOwn(Field::Dcenter, SnapDirectionText(decode ? std::string_view(DecodeEntities(value)) : value));
            directionOn = 1;
            break;
        }
        case glorie::kCategory: {
            Set(Field::Mark, ValueOf(e), e);
            std::string_view& mark = TextOf(Field::Mark).view;
            if (mark.size() > 2) mark.remove_prefix(mark.size() - 2);
            break;
        }
        case glorie::kMedia: {
            std::string_view sound = AttributeAfter(e.text, "id=", ' ');
            if (!sound.empty() && sound.front() == '"') sound.remove_prefix(1);
            if (!sound.empty() && sound.back() == '"') sound.remove_suffix(1);
            if (sound.find('"') == std::string_view::npos) {
                Set(Field::Sound, sound, e);
                break;
            }
            std::string unquoted;
            for (char c : sound) {
                if (c != '"') unquoted.push_back(c);
            }
            ElementText copy = e;
            copy.inInput = false;  // `unquoted` goes when this case ends
            Set(Field::Sound, unquoted, copy);
            break;
        }
        case glorie::kContact: Set(Field::Tel, AttributeAfter(e.text, "tel:", '"'), e); break;
        default: break;
    }
}

void ElementReader::KeepTexts() {
    for (Text& t : texts) {
        if (!t.inInput) continue;
        t.own.assign(t.view.data(), t.view.size());
        t.view = t.own;
        t.inInput = false;
    }
}

void ElementReader::Finish() {
    if (!full) Keep(blocks.Finish());
}

void ElementReader::Keep(PointBlocks::Outcome outcome) {
    if (outcome == PointBlocks::Outcome::None) return;  // nothing read, or elements that carry into the block
    if (outcome != PointBlocks::Outcome::Point) damaged.push_back({table.GetCount(), outcome});
    CompletePoint();
}

void ElementReader::CompletePoint() {
    PointRecord* row = table.NextRow();
    if (row) {
        ForEachField([&](const auto& entry) {
            if constexpr (kIsTextField<decltype(entry)>) {
                Store(row->*entry.stored, entry.id);
            } else {
                row->*entry.stored = directionOn;
            }
        });
        ++completed;
    }
    full = table.GetCount() >= kTableRows;
    ClearPoint();
}

void ElementReader::ClearPoint() {
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        texts[i].view = missing[i];
        texts[i].inInput = false;
    }
    directionOn = 0;
}

}  // namespace vondrel
