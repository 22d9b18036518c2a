// Selection: the selected rows of the main list and the row with the focus, as an editing
// operation takes them before a change and hands them back after it (the list shows point i in
// row i, so rows are point positions). Portable.
#pragma once

#include <vector>

namespace vondrel {

struct Selection {
    std::vector<int> rows;  // ascending, each once
    int focus = -1;         // -1: no row has the focus

    bool operator==(const Selection& other) const { return rows == other.rows && focus == other.focus; }
};

// The one row `row`, selected and focused.
inline Selection OnlyRow(int row) { return Selection{{row}, row}; }

// The rows the same points stand in after the point at `from` moved to index `to`.
Selection AfterMove(const Selection& selection, int from, int to);
// The same points after a reordering in which row i takes the point of row order[i].
Selection AfterReorder(const Selection& selection, const std::vector<int>& order);

}  // namespace vondrel
