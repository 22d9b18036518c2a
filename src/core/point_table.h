// The fixed table of 700 point slots with its count; the fields and their forms are in
// point_fields.h. Points only: files, messages and the unsaved-changes state belong to the layers above.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/limits.h"
#include "core/point_fields.h"

namespace vondrel {

// The used rows are always rows 0 to GetCount() - 1; the fields of the other rows mean nothing.
class PointTable {
public:
    PointTable();

    // Every row empty again.
    void Reset();
    bool IsUsed(int index) const { return rows[static_cast<std::size_t>(index)].slot != -1; }
    int UsedCount() const;
    int GetCount() const { return count; }

    // The point at `row` in its shown forms (coordinates in display form, the mark as a decimal
    // number), and stored from them: only the fields whose shown form differs are stored, so a
    // coordinate left as shown keeps its stored decimal text. Whether any field changed.
    PointFields Fields(int row) const { return ShowFields(Row(row)); }
    bool SetFields(int row, const PointFields& fields) { return StoreChangedFields(At(row), fields); }

    // A blank point before row `pos` (after the last point when `pos` is beyond it); false when
    // the table is full or `pos` is outside the table.
    bool InsertBlank(int pos);
    // Row `to` made a copy of row `from`, its slot included.
    void CopyRow(int from, int to);
    // Removes the point at `index` (nothing when the row is empty).
    void DeleteRow(int index);
    // Moves the point at `from` to just before the point at `to` (to the end for the count).
    void MoveRow(int from, int to);

    // Exact copies of whole points, for undoing and redoing changes: a copy of `point` inserted
    // before row `pos` (at most GetCount(); false when the table is full), and a point put back
    // over the used row `index`.
    bool InsertPoint(int pos, const PointRecord& point);
    void SetPoint(int index, const PointRecord& point);
    // Puts the points in a new order: row i then holds the point that was at row order[i]
    // (`order` is a permutation of 0 ... GetCount() - 1).
    void Reorder(const std::vector<int>& order);

    // Appends a copy of a finished point as the next row: how a reader fills a table. Returns
    // false (the table unchanged) when the table is full. The copy goes into the slot's own
    // buffers, so refilling a table allocates nothing once its texts have had their sizes.
    bool Append(const PointRecord& point);
    // The row after the last point, made a point (its slot set, the count raised), for a reader
    // that sets every field in place; nullptr when the table is full. Its texts keep their
    // buffers, so refilling a table allocates nothing once its texts have had their sizes.
    PointRecord* NextRow();

    // Exchanges the whole contents (rows and count) with `other` in constant time.
    void Swap(PointTable& other);

    // Removes spaces and tabs at the start of the element texts of the used rows (name,
    // reading, coordinates, outer radius), which a reader drops after a tag.
    void TrimLeadingBlanks();

    // Cuts every text of the used rows to at most `maxBytes` bytes at a character boundary;
    // returns the rows that had a longer one.
    std::vector<int> CapTexts(std::size_t maxBytes);

    // A whole row, read-only: for the writer, the command-line tool and tests.
    const PointRecord& Row(int index) const { return rows[static_cast<std::size_t>(index)]; }

private:
    PointRecord& At(int index) { return rows[static_cast<std::size_t>(index)]; }

    std::int32_t count = 0;
    // On the heap, so that Swap exchanges two pointers rather than 700 rows of texts.
    std::vector<PointRecord> rows;
};

}  // namespace vondrel
