// Sorting by a column, finding a text and finding duplicate points, over small tables.
#include <gtest/gtest.h>

#include "editing/point_order.h"

namespace vondrel {
namespace {

struct P {
    std::string name, reading, tel, mark, lon, lat;
};

PointTable Table(const std::vector<P>& points) {
    PointTable table;
    for (const P& p : points) {
        PointRecord r;
        r.name = p.name;
        r.reading = p.reading;
        r.tel = p.tel;
        r.mark = p.mark.empty() ? "00" : p.mark;
        r.lon = p.lon;
        r.lat = p.lat;
        table.Append(r);
    }
    return table;
}

TEST(PointOrder, SortsTextsInReadingOrderAndNumbersByValue) {
    const PointTable table = Table({
        {"ｶﾞｽﾄ", "はな", "03", "0A", "139.5", "35.9"},    // 0
        {"あさひ", "ハナ", "3", "02", "139.25", "35.10"},  // 1
        {"ガスト", "ぱん", "０２", "1F", "9.0", "35.2"},   // 2
        {"Ａｂｃ", "", "01", "0A", "139.125", "35.3"},     // 3
        {"abd", "ﾊﾅ", "", "10", "140", "5.5"},             // 4
    });
    const struct {
        SortColumn column;
        bool descending;
        std::vector<int> order;
    } cases[] = {
        // ASCII, then kana by their katakana order; width and kana kind do not count, so equal
        // keys keep their order (ｶﾞｽﾄ before ガスト, both ways).
        {SortColumn::Name, false, {3, 4, 1, 0, 2}},
        {SortColumn::Name, true, {0, 2, 1, 4, 3}},
        {SortColumn::Reading, false, {3, 0, 1, 4, 2}},  // empty first; はな = ハナ = ﾊﾅ, then ぱん
        {SortColumn::Tel, false, {4, 3, 2, 0, 1}},     // ０２ reads as 02
        {SortColumn::Mark, false, {1, 0, 3, 4, 2}},    // 0x0A = 10 < 0x10 = 16 < 0x1F
        {SortColumn::Mark, true, {2, 4, 0, 3, 1}},
        {SortColumn::Lon, false, {2, 3, 1, 0, 4}},     // 9 degrees before 139: numbers, not texts
        {SortColumn::Lat, false, {4, 1, 2, 3, 0}},     // 5.5 degrees first, 35.10 before 35.2
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SortedOrder(table, c.column, c.descending), c.order)
            << static_cast<int>(c.column) << (c.descending ? " descending" : "");
    }
}

TEST(PointOrder, FindGoesRoundFromTheRowAfter) {
    const PointTable table = Table({
        {"東京タワー", "とうきょうたわー", "03-3433-5111", "", "", ""},
        {"ｽｶｲﾂﾘｰ", "すかいつりー", "0570-55-0634", "", "", ""},
        {"Tokyo Station", "", "", "", "", ""},
        {"東京駅", "トウキョウエキ", "03-1234", "", "", ""},
    });
    const struct {
        std::string text;
        int after;
        int found;
    } cases[] = {
        {"東京", -1, 0}, {"東京", 0, 3}, {"東京", 3, 0},  // round past the end
        {"ﾄｳｷｮｳ", 0, 3},                                  // the reading, half-width against katakana
        {"スカイツリー", -1, 1}, {"つりー", 0, 1},         // the name, width and kana kind aside
        {"tokyo st", -1, 2},                               // letters in any case
        {"０５７０", 2, 1},                                // the telephone, full-width digits
        {"大阪", -1, -1}, {"", -1, -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FindNext(table, c.text, c.after), c.found) << c.text << " after " << c.after;
    EXPECT_EQ(FindNext(PointTable{}, "a", -1), -1);
    // Letters typed into the list: the next name that begins so, from the row given.
    EXPECT_EQ(FindNamePrefix(table, "東京", 1), 3);
    EXPECT_EQ(FindNamePrefix(table, "すか", 0), 1);
    EXPECT_EQ(FindNamePrefix(table, "station", 0), -1) << "only the beginning counts";
}

TEST(PointOrder, DuplicatesShareANameOrStandWithin30Metres) {
    const PointTable table = Table({
        {"A", "", "", "", "139.74543", "35.65858"},        // 0: 29.9 m east of it stands 1
        {"B", "", "", "", "139.74576", "35.65858"},        // 1
        {"C", "", "", "", "139.74543", "35.65885"},        // 2: 29.95 m north of 0
        {"D", "", "", "", "139.74543", "35.65886"},        // 3: 31.1 m north of 0, 1.1 m of 2
        {"ﾏﾙ", "", "", "", "135", "34"},                    // 4: the same name as 5, far away
        {"まる", "", "", "", "136", "34"},                  // 5
        {"", "", "", "", "137", "34"},                      // 6 and 7: no names, far apart
        {"", "", "", "", "138", "34"},                      // 7
        {"E", "", "", "", "139.74610", "35.65858"},        // 8: 30.4 m east of 1
    });
    EXPECT_EQ(DuplicatePoints(table), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ(DuplicatePoints(table, 1.0), (std::vector<int>{4, 5}));
    EXPECT_EQ(DuplicatePoints(PointTable{}), std::vector<int>{});
}

}  // namespace
}  // namespace vondrel
