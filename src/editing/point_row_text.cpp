// Display texts of a point.
#include "editing/point_row_text.h"

#include "core/text_number.h"

namespace vondrel {

std::string CellText(const PointTable& table, int index, int column) {
    if (column < 0 || column >= kListColumns) return std::string();
    return ShownForm(table.Row(index), kListFields[column]);
}

int MarkImageOf(const PointTable& table, int index) { return ParseLeadingInt(ShownForm(table.Row(index), Field::Mark)) - 1; }

}  // namespace vondrel
