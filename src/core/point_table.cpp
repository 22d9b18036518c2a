// Point table operations: field access, insertion, deletion, reordering and appending.
#include "core/point_table.h"

#include <algorithm>

#include "core/coordinate_text.h"
#include "core/cp932.h"
#include "core/text_number.h"

namespace vondrel {

void PointRecord::ClearFields() {
    name.clear();
    reading.clear();
    lon.clear();
    lat.clear();
    tel.clear();
    dcenter.clear();
    sound = "0";
    outmost = "500";
    mark = "00";
    directionOn = 0;
}

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

std::string ShortenName(const std::string& name) {
    return std::string(cp932::TruncateAtCharBoundary(name, kNameLimit));
}

void PointTable::SetName(const std::string& value, int index) { At(index).name = ShortenName(value); }

void PointTable::GetLonDms(std::string& out, int index) const { out = StoredToLonDms(Row(index).lon); }
void PointTable::GetLatDms(std::string& out, int index) const { out = StoredToLatDms(Row(index).lat); }
void PointTable::SetLon(const std::string& value, int index) { At(index).lon = TypedToStored(value); }
void PointTable::SetLat(const std::string& value, int index) { At(index).lat = TypedToStored(value); }

std::string MarkDecimalToHex(const std::string& decimal) {
    static const char kHex[] = "0123456789ABCDEF";
    const std::uint32_t n = static_cast<std::uint32_t>(ParseLeadingInt(decimal));
    return std::string{kHex[(n >> 4) & 15], kHex[n & 15]};
}

std::string MarkHexToDecimal(const std::string& hex) {
    std::uint32_t value = 0;
    for (char c : hex) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        const std::uint32_t digit = (c >= 'A' && c <= 'F') ? static_cast<std::uint32_t>(c - 'A' + 10)
                                                           : static_cast<std::uint32_t>(static_cast<unsigned char>(c) - '0');
        value = value * 16u + digit;
    }
    return FormatInt2(static_cast<std::int32_t>(value));
}

void PointTable::GetMark(std::string& out, int index) const { out = MarkHexToDecimal(Row(index).mark); }
void PointTable::SetMark(const std::string& value, int index) { At(index).mark = MarkDecimalToHex(value); }

int PointTable::InsertBlank(int pos) {
    if (pos >= kTableRows || pos < 0) return -1;
    const int n = UsedCount();
    if (n >= kTableRows) return -1;
    if (pos > n) pos = n;  // keep used rows packed at the front
    std::move_backward(rows.begin() + pos, rows.begin() + n, rows.begin() + n + 1);
    PointRecord& fresh = At(pos);
    fresh.ClearFields();
    fresh.slot = static_cast<std::int16_t>(pos);
    ++count;
    return 1;
}

void PointTable::CopyRow(int to, int from) {
    if (to != from) At(to) = Row(from);
}

int PointTable::DeleteRow(int index) {
    if (index < 0 || index >= kTableRows || !IsUsed(index)) return 0;
    const int n = UsedCount();
    std::move(rows.begin() + index + 1, rows.begin() + n, rows.begin() + index);
    At(n - 1).slot = -1;
    --count;
    return 0;
}

void PointTable::MoveRow(int to, int from) {
    if (to == from) return;
    const int n = UsedCount();
    if (from < 0 || from >= n || to < 0) return;
    if (to > n) to = n;
    if (n < kTableRows) {
        InsertBlank(to);
        if (to < from) from += 1;
        CopyRow(to, from);
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
    if (pos < 0 || pos > count || InsertBlank(pos) != 1) return false;
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
        for (std::string* text : {&row.name, &row.reading, &row.lon, &row.lat, &row.mark, &row.tel, &row.sound,
                                  &row.outmost, &row.dcenter}) {
            if (text->size() > maxBytes) any = cp932::CapAtCharBoundary(*text, maxBytes) || any;
        }
        if (any) cut.push_back(i);
    }
    return cut;
}

}  // namespace vondrel
