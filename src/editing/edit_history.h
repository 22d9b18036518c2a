// The undo history of the edited list. An EditStep is one user action as the changes it made to
// the points, in the order they were made, with the selection before and after it: enough to take
// it back exactly (the stored texts of every field) and to make it again. A step keeps copies of
// the points it inserted, removed or changed, and only row numbers for moves, so its size follows
// what the action changed, not the length of the list. EditHistory is the list of steps with the
// current position and the position at which the list was last saved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/point_table.h"
#include "editing/selection.h"

namespace vondrel {

class EditStep {
public:
    // What was done, each after it was done to the table.
    void Inserted(int row, const PointRecord& point);
    void Erased(int row, const PointRecord& point);
    void Replaced(int row, const PointRecord& before, const PointRecord& after);
    void Moved(int from, int to);  // the point at `from` now stands at index `to`
    void Reordered(const std::vector<int>& order);  // row i took the point of row order[i]
    bool Empty() const { return changes.empty(); }

    // Makes the changes again, in their order / takes them back, last first.
    void Redo(PointTable& table) const;
    void Undo(PointTable& table) const;

    Selection before;
    Selection after;

private:
    enum class Kind : std::uint8_t { Insert, Erase, Replace, Move, Reorder };
    struct Change {
        Kind kind;
        int row;    // Insert, Erase, Replace: the row; Move: where the point stood
        int other;  // Insert, Erase: its point in `points`; Replace: the point before (the one
                    // after follows it); Move: where the point went
    };
    std::vector<Change> changes;
    std::vector<PointRecord> points;
    std::vector<std::int16_t> order;  // the one reordering a step can hold
};

class EditHistory {
public:
    // No steps, and the list as it is now counts as saved (after a load, or for a new list).
    void Clear();
    // A new step after the current position; the steps that were undone are dropped.
    void Record(EditStep step);
    // The step taken back or made again (applied to `table`), or none when there is nothing to do.
    const EditStep* Undo(PointTable& table);
    const EditStep* Redo(PointTable& table);
    bool CanUndo() const { return position > 0; }
    bool CanRedo() const { return position < steps.size(); }

    // The list as it is now has been saved.
    void MarkSaved() { saved = position; }
    // Whether the list is as it was last saved (false once the saved state can no longer be reached).
    bool AtSavedState() const { return saved && *saved == position; }
    std::size_t StepCount() const { return steps.size(); }

private:
    std::vector<EditStep> steps;
    std::size_t position = 0;
    std::optional<std::size_t> saved = std::size_t{0};
};

}  // namespace vondrel
