// The texts a point list shows for a point, column by column (code page 932): the mark number
// "%02d", name, reading, telephone number, and the coordinates in display form. Portable.
#pragma once

#include <string>

#include "core/point_table.h"

namespace vondrel {

// The list's columns: the fields they show, in their order.
constexpr Field kListFields[] = {Field::Mark, Field::Name, Field::Reading, Field::Tel, Field::Lon, Field::Lat};
constexpr int kListColumns = sizeof kListFields / sizeof kListFields[0];

// The text of column `column` for row `index` of `table`: its field's shown form.
std::string CellText(const PointTable& table, int index, int column);
// The mark icon's image index: the mark number - 1 (so mark 0 shows none).
int MarkImageOf(const PointTable& table, int index);

}  // namespace vondrel
