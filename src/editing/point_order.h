// The orders and searches over the edited list that the main window offers: sorting by a column,
// finding a text, and finding points that are probably entered twice. Texts are compared as a
// reader sees them (text_fold::MatchKey: half- and full-width alike, hiragana and katakana alike,
// letters in any case). Portable, tested natively.
#pragma once

#include <string_view>
#include <vector>

#include "core/point_table.h"

namespace vondrel {

// The main list's columns, in their order.
enum class SortColumn { Mark, Name, Reading, Tel, Lon, Lat };
constexpr int kSortColumns = 6;

// The order that sorts the points by `column` (row i of the result is the row whose point comes
// i-th): texts in reading order, marks and coordinates numerically. Points that compare equal keep
// their order, also when `descending` reverses the comparison.
std::vector<int> SortedOrder(const PointTable& points, SortColumn column, bool descending);

// The first row after `after` (going round past the end to row 0) whose name, reading or
// telephone number holds `text`, read the same way; -1 when no point does or `text` is empty.
int FindNext(const PointTable& points, std::string_view text, int after);

// The first row from `start` on (going round past the end) whose name begins with `prefix`,
// read the same way: the list's type-ahead; -1 when none does.
int FindNamePrefix(const PointTable& points, std::string_view prefix, int start);

// The rows, ascending, of the points that share their name with another point (names without
// text do not count), or stand closer than `metres` to another point (Tokyo datum).
std::vector<int> DuplicatePoints(const PointTable& points, double metres = 30.0);

}  // namespace vondrel
