// The operations that change the edited points. Each makes its changes to the table, notes them
// in one EditStep as it goes, and records the step with the selections before and after.
#include <algorithm>

#include "editing/drag_rules.h"
#include "editing/point_document.h"

namespace vondrel {

namespace {
constexpr char kCapturedPointName[] = "新しいポイント";
}  // namespace

Selection PointDocument::Record(EditStep step, const Selection& before, const Selection& after) {
    step.before = before;
    step.after = after;
    history.Record(std::move(step));
    return after;
}

std::optional<Selection> PointDocument::ApplyFields(EditMode mode, int row, const PointFields& edited,
                                                    const Selection& before) {
    if (mode == EditMode::Add) {
        row = std::clamp(row, 0, Count());
        if (!table.InsertBlank(row)) return std::nullopt;
    } else if (row < 0 || row >= Count()) {
        return std::nullopt;
    }
    const PointRecord original = table.Row(row);
    const bool changed = table.SetFields(row, edited) || mode == EditMode::Add;
    if (!changed) return std::nullopt;
    EditStep step;
    if (mode == EditMode::Add) {
        step.Inserted(row, table.Row(row));
        return Record(std::move(step), before, OnlyRow(row));
    }
    step.Replaced(row, original, table.Row(row));
    return Record(std::move(step), before, before);
}

std::optional<Selection> PointDocument::DeleteSelected(const Selection& before) {
    std::vector<int> rows;
    for (int row : before.rows) {
        if (row >= 0 && row < Count()) rows.push_back(row);
    }
    if (rows.empty()) return std::nullopt;
    // From the last to the first, so that each row number still names its point.
    EditStep step;
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        step.Erased(*row, table.Row(*row));
        table.DeleteRow(*row);
    }
    // The point after each block of deleted rows now stands where the block began.
    Selection after;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const bool blockEnds = k + 1 == rows.size() || rows[k + 1] != rows[k] + 1;
        const int follower = rows[k] - static_cast<int>(k);  // its row once the k + 1 rows up to here are gone
        if (blockEnds && follower < Count()) after.rows.push_back(follower);
    }
    if (after.rows.empty() && Count() > 0) after.rows.push_back(Count() - 1);
    after.focus = after.rows.empty() ? -1 : after.rows.back();
    return Record(std::move(step), before, after);
}

std::optional<Selection> PointDocument::Move(int from, int to, const Selection& before) {
    if (MoveChangesNothing(from, to) || from < 0 || from >= Count() || to < 0) return std::nullopt;
    to = std::min(to, Count());
    const int landed = to > from ? to - 1 : to;
    table.MoveRow(from, to);
    EditStep step;
    step.Moved(from, landed);
    return Record(std::move(step), before, AfterMove(before, from, landed));
}

std::optional<Selection> PointDocument::MoveSelected(int direction, const Selection& before) {
    std::vector<int> rows;
    for (int row : before.rows) {
        if (row >= 0 && row < Count()) rows.push_back(row);
    }
    if (rows.empty() || (direction < 0 && rows.front() == 0) || (direction > 0 && rows.back() == Count() - 1)) {
        return std::nullopt;
    }
    // Upwards the top point moves first, downwards the bottom one, so that none passes another.
    if (direction > 0) std::reverse(rows.begin(), rows.end());
    EditStep step;
    Selection after = before;
    for (int row : rows) {
        const int landed = row + (direction < 0 ? -1 : 1);
        table.MoveRow(row, direction < 0 ? landed : landed + 1);
        step.Moved(row, landed);
        after = AfterMove(after, row, landed);
    }
    return Record(std::move(step), before, after);
}

std::optional<Selection> PointDocument::InsertCopies(int at, const PointTable& source, const std::vector<int>& rows,
                                                     const Selection& before) {
    at = std::clamp(at, 0, Count());
    EditStep step;
    Selection after;
    for (int row : rows) {
        const int into = at + static_cast<int>(after.rows.size());
        PointRecord copy;
        StoreFields(copy, source.Fields(row));
        if (!table.InsertPoint(into, copy)) break;  // the table is full
        step.Inserted(into, table.Row(into));
        after.rows.push_back(into);
    }
    if (step.Empty()) return std::nullopt;
    after.focus = after.rows.front();
    return Record(std::move(step), before, after);
}

std::optional<Selection> PointDocument::AddCapturedPosition(const std::string& lonDms, const std::string& latDms,
                                                            const Selection& before) {
    const int row = Count();
    PointRecord point;
    PointFields fields = ShowFields(point);
    fields.name = kCapturedPointName;
    fields.mark = kNewPointMark;
    fields.lon = lonDms;
    fields.lat = latDms;
    StoreFields(point, fields);
    if (!table.InsertPoint(row, point)) return std::nullopt;
    EditStep step;
    step.Inserted(row, table.Row(row));
    return Record(std::move(step), before, OnlyRow(row));
}

std::optional<Selection> PointDocument::Sort(SortColumn column, bool descending, const Selection& before) {
    const std::vector<int> order = SortedOrder(table, column, descending);
    if (std::is_sorted(order.begin(), order.end())) return std::nullopt;  // already in that order
    table.Reorder(order);
    EditStep step;
    step.Reordered(order);
    return Record(std::move(step), before, AfterReorder(before, order));
}

}  // namespace vondrel
