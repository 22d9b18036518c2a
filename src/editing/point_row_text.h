// The texts a point list shows for a point, column by column (code page 932): the mark number
// "%02d", name, reading, telephone number, and the coordinates in display form. Portable.
#pragma once

#include <string>

#include "core/point_table.h"

namespace vondrel {

// The list's six columns, in their order.
constexpr int kListColumns = 6;

// The text of column `column` (0: mark, 1: name, 2: reading, 3: telephone, 4: longitude,
// 5: latitude with its leading space) for row `index` of `table`.
std::string CellText(const PointTable& table, int index, int column);
// The mark icon's image index: the mark number - 1 (so mark 0 shows none).
int MarkImageOf(const PointTable& table, int index);

}  // namespace vondrel
