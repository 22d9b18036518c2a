// Scanning glorie point files: a tolerant scanner that gathers element texts from the bytes of a
// file (not an XML parser), so files of other programs read too. It runs from one markup or
// line-break byte to the next, and notes where each '<' and the first '>' of an element stand,
// so that the element's marker and value are found without reading its bytes again.
#include "files/glorie_scanner.h"

#include "files/byte_scan.h"
#include "files/glorie_markers.h"

namespace vondrel {

namespace {
using glorie::ByteScan;

// The markers that can stand at the '<' at `at`, from the two input bytes after it: those are
// the element's next bytes unless a line break (dropped) or the input's end comes first.
inline glorie::MarkerSet PossibleMarkers(const char* at, const char* end) {
    if (end - at < 3 || at[1] == '\r' || at[1] == '\n' || at[2] == '\r' || at[2] == '\n') return glorie::kAllMarkers;
    return glorie::kBySecondByte[static_cast<unsigned char>(at[1])] & glorie::kByThirdByte[static_cast<unsigned char>(at[2])];
}

// The same for a '<' followed by two bytes of its tag.
inline glorie::MarkerSet TagMarkers(const char* at) {
    return glorie::kBySecondByte[static_cast<unsigned char>(at[1])] & glorie::kByThirdByte[static_cast<unsigned char>(at[2])];
}

// True when an element where these markers may stand can act (the start of a point does too:
// it tells where a block begins).
constexpr bool MayAct(glorie::MarkerSet possible) { return possible != 0; }
}  // namespace

GlorieScanner::GlorieScanner(PointTable& target) : elements(target) { opens.reserve(16); }

char GlorieScanner::GatheredAt(std::size_t index) const {
    return index < copied.size() ? copied[index] : sliceBegin[index - copied.size()];
}

void GlorieScanner::StartSlice(const char* from) {
    CopySlice();
    sliceBegin = from;
}

void GlorieScanner::CopySlice() {
    if (sliceBegin != sliceEnd) copied.append(sliceBegin, static_cast<std::size_t>(sliceEnd - sliceBegin));
    sliceBegin = sliceEnd = nullptr;
}

void GlorieScanner::InterpretFirst(std::size_t size) {
    const std::size_t gathered = GatheredSize();
    const bool inInput = copied.empty();
    if (!inInput) CopySlice();
    std::size_t count = opens.size();
    while (count > 0 && opens[count - 1] >= size) --count;
    // An element where no marker can stand is not looked at.
    if (MayAct(possible)) {
        ElementText element;
        element.text = inInput ? std::string_view(sliceBegin, size) : std::string_view(copied).substr(0, size);
        element.opens = opens.data();
        element.openCount = count;
        element.firstClose = firstClose < size ? firstClose : std::string_view::npos;
        element.mayHoldEntities = ampersand;
        element.inInput = inInput;
        elements.Interpret(element);
    }

    if (size == gathered) {
        // The usual case: the whole gathered text was the element.
        if (inInput) {
            sliceBegin = sliceEnd;
        } else {
            copied.clear();
        }
        opens.clear();
        firstClose = std::string_view::npos;
        ampersand = false;
        possible = 0;
        return;
    }
    // The rest (an unclosed tag) starts the next element.
    if (inInput) {
        sliceBegin += size;
    } else {
        copied.erase(0, size);
    }
    opens.erase(opens.begin(), opens.begin() + static_cast<std::ptrdiff_t>(count));
    for (std::size_t& at : opens) at -= size;
    firstClose = firstClose != std::string_view::npos && firstClose >= size ? firstClose - size : std::string_view::npos;
}

const char* GlorieScanner::ReadSimpleElements(const char* p, const char* end) {
    ByteScan scan(p, end);
    while (p != end && *p == '<') {
        const char* close = scan.NextStop(p + 1);
        if (close == end || *close != '>') break;
        // The tag's second and third bytes are no line breaks ("<>" can start no marker).
        glorie::MarkerSet possible = close - p < 2 ? 0 : TagMarkers(p);
        const char* closing = nullptr;  // the '<' of the closing tag after a text
        const char* last = close;       // the element's last byte
        const char* next;               // what follows it, white space skipped
        if (p[1] == '/') {
            next = scan.NextNonSpace(close + 1);  // a closing tag alone
        } else {
            const char* after = close + 1;
            if (after == end) break;
            if (*after == '<' || glorie::SpaceAt(after)) {
                // A tag alone: it ends where the next tag begins, after nothing but white space.
                next = scan.NextNonSpace(after);
                if (next == end || *next != '<') break;
            } else {
                // A tag, its text and a closing tag.
                closing = scan.NextStop(after);
                if (end - closing < 2 || closing[0] != '<' || closing[1] != '/') break;
                last = scan.NextStop(closing + 1);
                if (last == end || *last != '>') break;
                possible |= TagMarkers(closing);  // "</" and the byte after it, the closing tag's own
                next = scan.NextNonSpace(last + 1);
            }
        }
        if (MayAct(possible)) InterpretInPlace(p, last, close, closing);
        p = next;
    }
    return p;
}

void GlorieScanner::InterpretInPlace(const char* first, const char* last, const char* close, const char* closing) {
    std::size_t opensAt[2] = {0, closing ? static_cast<std::size_t>(closing - first) : 0};
    ElementText element;
    element.text = std::string_view(first, static_cast<std::size_t>(last + 1 - first));
    element.opens = opensAt;
    element.openCount = closing ? 2 : 1;
    element.firstClose = static_cast<std::size_t>(close - first);
    element.mayHoldEntities = false;
    element.inInput = true;
    elements.Interpret(element);
}

void GlorieScanner::Scan(std::string_view bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    // Appends the '<' at `p`, noting where it stands and what it may start.
    auto open = [&] {
        opens.push_back(GatheredSize());
        possible |= PossibleMarkers(p, end);
        Append(p, p + 1);
        state = State::kInTag;
    };
    while (p < end) {
        if (state == State::kBetween) {
            p = glorie::NextNonSpaceByBytes(p, end);  // between a tag and what follows it: dropped
            if (p == end) break;
            if (*p == '<') {
                // What came before is a complete element (no token is open here).
                if (GatheredSize() != 0) InterpretFirst(GatheredSize());
                // The usual elements are read straight from the input.
                if (const char* next = ReadSimpleElements(p, end); next != p) {
                    p = next;
                    continue;
                }
                tokenStart = 0;
                open();
                ++p;
                continue;
            }
            if (*p == '>') {
                if (firstClose == std::string_view::npos) firstClose = GatheredSize();
                Append(p, p + 1);
                ++p;
                tokenStart = GatheredSize();
                continue;
            }
            state = State::kInText;  // this byte starts a text, read below
        }
        const char* stop = glorie::NextStopByBytes(p, end);
        if (stop != p) Append(p, stop);
        p = stop;
        if (p == end) break;
        switch (*p) {
            case '&':
                ampersand = true;
                Append(p, p + 1);
                break;
            case '>':
                if (firstClose == std::string_view::npos) firstClose = GatheredSize();
                Append(p, p + 1);
                // A token holds no '<' but at its start, so "</" can only open it; a closing
                // tag ends the element.
                if (state == State::kInTag && GatheredAt(tokenStart + 1) == '/') {
                    InterpretFirst(GatheredSize());
                    state = State::kBetween;
                } else if (state == State::kInTag) {
                    state = State::kBetween;
                }
                tokenStart = GatheredSize();
                break;
            case '<':
                // In a tag, what came before the tag is a complete element and the unclosed
                // tag starts the next one; after text, the tag joins the text's element.
                if (state == State::kInTag && tokenStart != 0) InterpretFirst(tokenStart);
                tokenStart = GatheredSize();
                open();
                break;
            default:  // a line break inside a tag or a text: dropped
                break;
        }
        ++p;
    }
    CopySlice();  // the input is not kept beyond this call
    elements.KeepTexts();
}

}  // namespace vondrel
