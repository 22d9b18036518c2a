// Undo history: recording steps, applying them forwards and backwards, the saved position.
#include "editing/edit_history.h"

#include <algorithm>
#include <utility>

namespace vondrel {

namespace {
// Moves the point at `from` so that it stands at index `to` (the table's MoveRow puts it before
// the point at its second argument).
void MoveTo(PointTable& table, int from, int to) { table.MoveRow(from, to > from ? to + 1 : to); }
}  // namespace

void EditStep::Inserted(int row, const PointRecord& point) {
    changes.push_back({Kind::Insert, row, static_cast<int>(points.size())});
    points.push_back(point);
}

void EditStep::Erased(int row, const PointRecord& point) {
    changes.push_back({Kind::Erase, row, static_cast<int>(points.size())});
    points.push_back(point);
}

void EditStep::Replaced(int row, const PointRecord& before, const PointRecord& after) {
    changes.push_back({Kind::Replace, row, static_cast<int>(points.size())});
    points.push_back(before);
    points.push_back(after);
}

void EditStep::Moved(int from, int to) { changes.push_back({Kind::Move, from, to}); }

void EditStep::Reordered(const std::vector<int>& newOrder) {
    order.assign(newOrder.begin(), newOrder.end());
    changes.push_back({Kind::Reorder, 0, 0});
}

void EditStep::Redo(PointTable& table) const {
    for (const Change& c : changes) {
        switch (c.kind) {
            case Kind::Insert: table.InsertPoint(c.row, points[static_cast<std::size_t>(c.other)]); break;
            case Kind::Erase: table.DeleteRow(c.row); break;
            case Kind::Replace: table.SetPoint(c.row, points[static_cast<std::size_t>(c.other) + 1]); break;
            case Kind::Move: MoveTo(table, c.row, c.other); break;
            case Kind::Reorder: table.Reorder(std::vector<int>(order.begin(), order.end())); break;
        }
    }
}

void EditStep::Undo(PointTable& table) const {
    for (auto c = changes.rbegin(); c != changes.rend(); ++c) {
        switch (c->kind) {
            case Kind::Insert: table.DeleteRow(c->row); break;
            case Kind::Erase: table.InsertPoint(c->row, points[static_cast<std::size_t>(c->other)]); break;
            case Kind::Replace: table.SetPoint(c->row, points[static_cast<std::size_t>(c->other)]); break;
            case Kind::Move: MoveTo(table, c->other, c->row); break;
            case Kind::Reorder: {
                std::vector<int> inverse(order.size());
                for (std::size_t i = 0; i < order.size(); ++i) inverse[static_cast<std::size_t>(order[i])] = static_cast<int>(i);
                table.Reorder(inverse);
                break;
            }
        }
    }
}

void EditHistory::Clear() {
    steps.clear();
    position = 0;
    saved = 0;
}

void EditHistory::Record(EditStep step) {
    steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(position), steps.end());
    if (saved && *saved > position) saved.reset();  // the saved state was undone and is now gone
    steps.push_back(std::move(step));
    position = steps.size();
}

const EditStep* EditHistory::Undo(PointTable& table) {
    if (!CanUndo()) return nullptr;
    const EditStep& step = steps[--position];
    step.Undo(table);
    return &step;
}

const EditStep* EditHistory::Redo(PointTable& table) {
    if (!CanRedo()) return nullptr;
    const EditStep& step = steps[position++];
    step.Redo(table);
    return &step;
}

}  // namespace vondrel
