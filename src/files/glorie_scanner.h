// The glorie scanner: turns file bytes into element texts and interprets each one into the
// rows of a point table. Separate from file access so that it can be fed any bytes.
#pragma once

#include <string>
#include <string_view>

#include "core/point_table.h"

namespace vondrel {

class GlorieScanner {
public:
    explicit GlorieScanner(PointTable& target);

    // Scans the bytes of a whole file (line breaks are skipped wherever they stand).
    void Scan(std::string_view bytes);

    // The number of points completed by "</gpoi>" (at most the table's 700 rows).
    int CompletedPoints() const { return row; }

private:
    void Interpret(std::string_view element);

    PointTable& table;
    int row = 0;
    std::string token;    // the token being read
    std::string element;  // the element text gathered since the last interpretation
    bool inTag = false;   // a '<' has been read and its '>' not yet
    bool textSeen = false;  // a non-blank byte was read outside a tag since the last '<'
};

}  // namespace vondrel
