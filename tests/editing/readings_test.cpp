// Readings filled in for the user: the reading field following what is confirmed in the name
// until the user types in it, and the rows a reading conversion is asked for.
#include <gtest/gtest.h>

#include "core/limits.h"
#include "editing/readings.h"

namespace vondrel {
namespace {

TEST(Readings, TheFieldFollowsUntilTheUserTypes) {
    // The field when the dialog opens, then readings confirmed in the name, or ("=" first) the
    // field as the user's typing left it.
    const struct {
        std::vector<std::string> steps;
        std::string shown;
    } cases[] = {
        {{"=", "ﾄｳｷｮｳ", "タワー", ""}, "とうきょうたわー"},
        {{"=よみ", "ﾄｳｷｮｳ"}, "よみ"},                        // read from the file: left alone
        {{"=", "ﾄｳｷｮｳ", "=とうきょ", "ﾀﾜｰ"}, "とうきょ"},  // typed: the user's
        {{"=", "ﾄｳｷｮｳ", "=", "ｶﾞｲﾄﾞ"}, "がいど"},          // emptied: starts again
        {{"=", std::string(kMaxTextBytes - 1, 'a') + "ｱ"}, std::string(kMaxTextBytes - 1, 'a')},  // cut between characters
    };
    for (const auto& c : cases) {
        ReadingFollower follower;
        std::string field;
        for (const std::string& step : c.steps) {
            const auto shown = step[0] == '=' ? step.substr(1) : follower.Confirmed(step, field);
            if (shown) field = *shown;
        }
        EXPECT_EQ(field, c.shown) << c.steps[1].substr(0, 20);
    }
}

TEST(Readings, RowsWithoutReadingAmongTheSelectedOrAll) {
    PointTable table;
    for (const char* reading : {"", "よみ", "", ""}) {
        PointRecord point;
        point.reading = reading;
        table.Append(point);
    }
    const struct {
        Selection selection;
        std::vector<int> rows;
    } cases[] = {{{}, {0, 2, 3}}, {OnlyRow(1), {0, 2, 3}}, {{{1, 3}, 3}, {3}}, {{{0, 1, 2, 9}, 0}, {0, 2}}};
    for (const auto& c : cases) EXPECT_EQ(RowsWithoutReading(table, c.selection), c.rows) << c.selection.rows.size();
}

}  // namespace
}  // namespace vondrel
