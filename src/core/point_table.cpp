// Point table operations: field access, insertion, deletion, reordering and appending.
#include "core/point_table.h"

#include <algorithm>

#include "core/cp932.h"

namespace vondrel {

PointTable::PointTable() : rows(kTableRows) { Reset(); }

void PointTable::Reset() {
    // The texts are left: a row is cleared when it becomes a point again (InsertBlank, Append),
    // and refilling it then reuses its buffers.
    for (auto& row : rows) row.slot = -1;
    count = 0;
}

int PointTable::UsedCount() const {
    for (int i = 0; i < kTableRows; ++i) {
        if (!IsUsed(i)) return i;
    }
    return kTableRows;
}

bool PointTable::InsertBlank(int pos) {
    if (pos >= kTableRows || pos < 0) return false;
    const int n = UsedCount();
    if (n >= kTableRows) return false;
    if (pos > n) pos = n;  // keep used rows packed at the front
    std::move_backward(rows.begin() + pos, rows.begin() + n, rows.begin() + n + 1);
    PointRecord& fresh = At(pos);
    fresh.ClearFields();
    fresh.slot = static_cast<std::int16_t>(pos);
    ++count;
    return true;
}

void PointTable::CopyRow(int from, int to) {
    if (to != from) At(to) = Row(from);
}

void PointTable::DeleteRow(int index) {
    if (index < 0 || index >= kTableRows || !IsUsed(index)) return;
    const int n = UsedCount();
    std::move(rows.begin() + index + 1, rows.begin() + n, rows.begin() + index);
    At(n - 1).slot = -1;
    --count;
}

void PointTable::MoveRow(int from, int to) {
    if (to == from) return;
    const int n = UsedCount();
    if (from < 0 || from >= n || to < 0) return;
    if (to > n) to = n;
    if (n < kTableRows) {
        InsertBlank(to);
        if (to < from) from += 1;
        CopyRow(from, to);
        DeleteRow(from);
        return;
    }
    // A full table has no free row for insert-copy-delete: rotate the rows in place instead,
    // with the same result (towards the end the point lands at to-1, towards the start at to).
    if (from < to) {
        std::rotate(rows.begin() + from, rows.begin() + from + 1, rows.begin() + to);
    } else {
        std::rotate(rows.begin() + to, rows.begin() + from, rows.begin() + from + 1);
    }
}

bool PointTable::InsertPoint(int pos, const PointRecord& point) {
    if (pos < 0 || pos > count || !InsertBlank(pos)) return false;
    SetPoint(pos, point);
    return true;
}

void PointTable::SetPoint(int index, const PointRecord& point) {
    PointRecord& row = At(index);
    const std::int16_t slot = row.slot;
    row = point;
    row.slot = slot;
}

void PointTable::Reorder(const std::vector<int>& order) {
    std::vector<PointRecord> moved;
    moved.reserve(order.size());
    for (int from : order) moved.push_back(std::move(At(from)));
    for (std::size_t i = 0; i < moved.size(); ++i) {
        const std::int16_t slot = At(static_cast<int>(i)).slot;
        At(static_cast<int>(i)) = std::move(moved[i]);
        At(static_cast<int>(i)).slot = slot;
    }
}

bool PointTable::Append(const PointRecord& point) {
    if (count >= kTableRows) return false;
    PointRecord& row = At(count);
    row = point;
    row.slot = static_cast<std::int16_t>(count);
    ++count;
    return true;
}

PointRecord* PointTable::NextRow() {
    if (count >= kTableRows) return nullptr;
    PointRecord& row = At(count);
    row.slot = static_cast<std::int16_t>(count);
    ++count;
    return &row;
}

void PointTable::Swap(PointTable& other) {
    rows.swap(other.rows);
    std::swap(count, other.count);
}

void PointTable::TrimLeadingBlanks() {
    for (int i = 0; i < count; ++i) {
        PointRecord& row = At(i);
        for (std::string* text : {&row.name, &row.reading, &row.lon, &row.lat, &row.outmost}) {
            if (!text->empty() && (text->front() == ' ' || text->front() == '\t')) text->erase(0, text->find_first_not_of(" \t"));
        }
    }
}

std::vector<int> PointTable::CapTexts(std::size_t maxBytes) {
    std::vector<int> cut;
    for (int i = 0; i < count; ++i) {
        PointRecord& row = At(i);
        bool any = false;
        ForEachField([&](const auto& entry) {
            if constexpr (kIsTextField<decltype(entry)>) {
                std::string& text = row.*entry.stored;
                if (text.size() > maxBytes) any = cp932::CapAtCharBoundary(text, maxBytes) || any;
            }
        });
        if (any) cut.push_back(i);
    }
    return cut;
}

}  // namespace vondrel
