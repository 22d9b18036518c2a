// Readings filled in for the user: the edit dialog's field following the name, and the rows to fill.
#include <gtest/gtest.h>

#include "core/limits.h"
#include "editing/readings.h"

namespace vondrel {
namespace {

TEST(Readings, TheFieldFollowsUntilTheUserTypesAndTheRowsWithout) {
    // Readings confirmed in the name, or ("=" first) the field as it opened or the user left it.
    const std::vector<std::string> cases[][2] = {
        {{"=", "ﾄｳｷｮｳ", "タワー", ""}, {"とうきょうたわー"}},
        {{"=よみ", "ﾄｳｷｮｳ"}, {"よみ"}},                        // read from the file: left alone
        {{"=", "ﾄｳｷｮｳ", "=とうきょ", "ﾀﾜｰ"}, {"とうきょ"}},  // typed: the user's
        {{"=", "ﾄｳｷｮｳ", "=", "ｶﾞｲﾄﾞ"}, {"がいど"}},          // emptied: starts again
        {{"=", std::string(kMaxTextBytes - 1, 'a') + "ｱ"}, {std::string(kMaxTextBytes - 1, 'a')}},  // cut between characters
    };
    for (const auto& c : cases) {
        ReadingFollower follower;
        std::string field;
        for (const std::string& step : c[0]) {
            if (const auto shown = step[0] == '=' ? step.substr(1) : follower.Confirmed(step, field)) field = *shown;
        }
        EXPECT_EQ(field, c[1][0]) << c[0][1].substr(0, 20);
    }
    PointTable table;
    PointRecord point;
    for (const char* reading : {"", "よみ", "", ""}) table.Append((point.reading = reading, point));
    const std::pair<Selection, std::vector<int>> selected[] = {
        {{}, {0, 2, 3}}, {OnlyRow(1), {0, 2, 3}}, {{{1, 3}, 3}, {3}}, {{{0, 1, 2, 9}, 0}, {0, 2}}};
    for (const auto& [selection, rows] : selected) EXPECT_EQ(RowsWithoutReading(table, selection), rows) << selection.rows.size();
}

}  // namespace
}  // namespace vondrel
