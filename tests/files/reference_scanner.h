// The glorie scanner as it was before it learnt to skip from '<' to '<': a byte-at-a-time state
// machine that gathers each element's text and searches it for the markers. Kept for the tests
// only, as the reference the product's scanner must match byte for byte on any input.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/point_table.h"
#include "files/point_blocks.h"

namespace vondrel::test {

class ReferenceScanner {
public:
    // Points are appended after those `target` holds already.
    explicit ReferenceScanner(PointTable& target);

    // Scans the bytes of a whole file (line breaks are skipped wherever they stand). A file
    // may also come in pieces, one call each, in order; no piece is used after its call.
    void Scan(std::string_view bytes);

    // The number of points completed by "</gpoi>" and appended (up to the table's 700 rows).
    int CompletedPoints() const { return completed; }
    // The number of points completed after the table was full (read, not kept).
    int DroppedPoints() const { return dropped; }

private:
    void Interpret(std::string_view element);

    // The element text gathered since the last interpretation, followed by the token being
    // read: the bytes in `copied`, then the input bytes from `kept` to `keptEnd`.
    std::string_view Gathered();
    std::size_t GatheredSize() const;
    char GatheredAt(std::size_t index) const;
    void Keep(const char* from, const char* to);  // adds these input bytes to the gathered text
    void CopyKept();                              // moves the kept input bytes into `copied`
    void Discard(std::size_t count);              // drops the first `count` gathered bytes

    PointTable& table;
    std::string copied;
    const char* kept = nullptr;
    const char* keptEnd = nullptr;
    std::size_t tokenStart = 0;  // where the token being read starts in the gathered text
    bool inTag = false;          // a '<' has been read and its '>' not yet
    bool textSeen = false;       // a non-blank byte was read outside a tag since the last '<'
    bool full = false;           // the table takes no more points: later elements are ignored
    int completed = 0;
    int dropped = 0;
    PointBlocks blocks;
    PointRecord point;  // the point being read: the elements since the last "</gpoi>"
};

}  // namespace vondrel::test
