// Selections carried through moves and reorderings.
#include "editing/selection.h"

#include <algorithm>

namespace vondrel {

namespace {
template <class Map>
Selection Mapped(const Selection& selection, Map map) {
    Selection result;
    for (int row : selection.rows) result.rows.push_back(map(row));
    std::sort(result.rows.begin(), result.rows.end());
    result.focus = selection.focus < 0 ? -1 : map(selection.focus);
    return result;
}
}  // namespace

Selection AfterMove(const Selection& selection, int from, int to) {
    return Mapped(selection, [from, to](int row) {
        if (row == from) return to;
        if (from < to && row > from && row <= to) return row - 1;  // the rows it passed move up
        if (to < from && row >= to && row < from) return row + 1;  // or down
        return row;
    });
}

Selection AfterReorder(const Selection& selection, const std::vector<int>& order) {
    std::vector<int> position(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) position[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
    return Mapped(selection, [&position](int row) {
        return row >= 0 && row < static_cast<int>(position.size()) ? position[static_cast<std::size_t>(row)] : row;
    });
}

}  // namespace vondrel
