// The glorie scanner: turns file bytes into element texts, interprets each one into the point
// being read and appends every completed point to a table. Separate from file access so that
// it can be fed any bytes.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "core/point_table.h"
#include "files/glorie_elements.h"
#include "files/glorie_markers.h"

namespace vondrel {

class GlorieScanner {
public:
    // Points are appended after those `target` holds already.
    explicit GlorieScanner(PointTable& target);
    GlorieScanner(const GlorieScanner&) = delete;
    GlorieScanner& operator=(const GlorieScanner&) = delete;

    // Scans the bytes of a whole file (line breaks are skipped wherever they stand). A file
    // may also come in pieces, one call each, in order; no piece is used after its call.
    void Scan(std::string_view bytes);
    // After the last piece: a block cut short by the end of the file keeps what was read of it.
    void Finish() { elements.Finish(); }

    // The number of points appended (up to the table's 700 rows): completed by "</gpoi>", or
    // kept from a block that never ended.
    int CompletedPoints() const { return elements.CompletedPoints(); }
    // The number of points completed after the table was full (read, not kept).
    int DroppedPoints() const { return elements.DroppedPoints(); }
    // The points of damaged blocks, and the blocks' damage (see PointBlocks).
    const std::vector<DamagedPoint>& DamagedPoints() const { return elements.DamagedPoints(); }
    const PointBlocks& Blocks() const { return elements.Blocks(); }

private:
    // Where the scanner stands: between a tag and what follows it (white space is dropped),
    // inside a tag, or in text after a tag (white space is kept; line breaks never are).
    enum class State : unsigned char { kBetween, kInTag, kInText };

    // The element text gathered since the last interpretation is the bytes in `copied`, then
    // the input bytes from `sliceBegin` to `sliceEnd`: it stays in the input while its bytes
    // follow one another there (the usual case), and is copied only when a dropped byte
    // splits it or the input ends.
    std::size_t GatheredSize() const { return copied.size() + static_cast<std::size_t>(sliceEnd - sliceBegin); }
    char GatheredAt(std::size_t index) const;
    void Append(const char* from, const char* to) {
        if (from != sliceEnd) StartSlice(from);
        sliceEnd = to;
    }
    void StartSlice(const char* from);  // the slice so far goes to `copied`; a new one starts
    void CopySlice();
    // Interprets the first `size` (> 0) gathered bytes and drops them (the rest starts the next
    // element).
    void InterpretFirst(std::size_t size);
    // With nothing gathered, between tags, at a '<': reads the elements from there while they
    // are of the usual kind (a tag alone, or a tag, its text and a closing tag, without line
    // breaks or entities), straight from the input, and returns where the state machine takes
    // over (between tags, nothing gathered): at the first element of another kind.
    const char* ReadSimpleElements(const char* p, const char* end);
    // Interprets such an element: from `first` to `last`, its tag ending at `close`, its closing
    // tag (if any) starting at `closing`.
    void InterpretInPlace(const char* first, const char* last, const char* close, const char* closing);

    ElementReader elements;
    std::string copied;
    const char* sliceBegin = nullptr;
    const char* sliceEnd = nullptr;
    std::vector<std::size_t> opens;  // where each '<' of the gathered text stands in it
    std::size_t firstClose = std::string_view::npos;  // where its first '>' stands
    bool ampersand = false;  // the gathered text may hold a '&'
    glorie::MarkerSet possible = 0;  // the markers that may stand in the gathered text
    std::size_t tokenStart = 0;  // where the token being read starts in the gathered text
    State state = State::kBetween;
};

}  // namespace vondrel
