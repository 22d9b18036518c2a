// Readings (ふりがな) filled in for the user: the reading field of the edit dialog following the
// readings of what the user confirms in the name through the input method, and the rows whose
// readings a reading conversion is asked for. Readings are stored in hiragana, code page 932.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/point_table.h"
#include "editing/selection.h"

namespace vondrel {

// A reading as the field keeps it: in hiragana (half-width katakana folded), at most the bytes
// a text of a point holds, never cut inside a character.
std::string StoredReading(std::string_view cp932);

// The reading field of one edit dialog while the name is typed. The field follows while it is
// empty or still holds what it was last given here; once the user's typing makes it anything
// else, it is theirs. Emptied, it starts again from the next confirmed reading.
class ReadingFollower {
public:
    // A reading confirmed in the name (code page 932, any kana form) and the field's text now:
    // the text the field is to show, or nothing when it stays as it is.
    std::optional<std::string> Confirmed(std::string_view reading, std::string_view field);

private:
    std::string filled;  // what the field was last given
};

// The rows a reading conversion fills: those without a reading among the selected rows when
// more than one is selected, else among all.
std::vector<int> RowsWithoutReading(const PointTable& table, const Selection& selection);

// A reading to give to a row.
struct RowReading {
    int row;
    std::string reading;
};

}  // namespace vondrel
