// Readings filled in for the user, and PointDocument's step that stores them.
#include "editing/readings.h"

#include "core/cp932.h"
#include "core/limits.h"
#include "core/text_fold.h"
#include "editing/point_document.h"

namespace vondrel {

std::string StoredReading(std::string_view cp932) {
    std::string reading = text_fold::Hiragana(cp932);
    cp932::CapAtCharBoundary(reading, kMaxTextBytes);
    return reading;
}

std::optional<std::string> ReadingFollower::Confirmed(std::string_view reading, std::string_view field) {
    if (!field.empty() && field != filled) return std::nullopt;  // the user's own
    const std::string next = StoredReading(std::string(field) + text_fold::Hiragana(reading));
    if (next == field) return std::nullopt;
    filled = next;
    return next;
}

std::vector<int> RowsWithoutReading(const PointTable& table, const Selection& selection) {
    std::vector<int> all;
    for (int row = 0; row < table.GetCount(); ++row) all.push_back(row);
    const std::vector<int>& among = selection.rows.size() > 1 ? selection.rows : all;
    std::vector<int> rows;
    for (int row : among) {
        if (row >= 0 && row < table.GetCount() && table.Row(row).reading.empty()) rows.push_back(row);
    }
    return rows;
}

std::optional<Selection> PointDocument::SetReadings(const std::vector<RowReading>& readings, const Selection& before) {
    EditStep step;
    for (const RowReading& given : readings) {
        if (given.row < 0 || given.row >= Count()) continue;
        PointRecord point = table.Row(given.row);
        const std::string reading = StoredReading(given.reading);
        if (reading == point.reading) continue;
        const PointRecord original = point;
        point.reading = reading;
        table.SetPoint(given.row, point);
        step.Replaced(given.row, original, table.Row(given.row));
    }
    if (step.Empty()) return std::nullopt;
    return Record(std::move(step), before, before);
}

}  // namespace vondrel
