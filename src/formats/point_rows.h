// Between the point table and the interchange formats: a table row as a FormatPoint and
// back, and filling a table with read points.
#pragma once

#include <string>
#include <vector>

#include "core/point_table.h"
#include "formats/point_formats.h"

namespace vondrel::formats {

// A table row for the point: coordinates with five decimals ("%.5f"), the name whole (the
// table's SetName shortens it when the point is taken into the edited list).
PointRecord ToPointRecord(const FormatPoint& point);

// The point of a table row: stored coordinates read as decimal degrees, the mark as the
// editor shows it, the direction when the row has one ("0" for one without degrees), noPosition
// when a coordinate is empty.
FormatPoint ToFormatPoint(const PointRecord& record);

// Whether the row has no position (an empty longitude or latitude).
bool HasNoPosition(const PointRecord& record);

// Empties the table and fills it with the points, at most its 700 rows. Returns how many
// were stored.
int FillTable(PointTable& table, const std::vector<FormatPoint>& points);

// The points of the given rows (every used row when `rows` is empty), in that order; rows without
// a position are left out (other programs' files hold none such).
std::vector<FormatPoint> TablePoints(const PointTable& table, const std::vector<int>& rows = {});

}  // namespace vondrel::formats
