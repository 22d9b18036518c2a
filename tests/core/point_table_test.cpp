// Point table: defaults, insertion, deletion and moves keep used rows packed and count exact.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "core/point_table.h"

namespace vondrel {
namespace {

// Names of the used rows, in order.
std::vector<std::string> Names(const PointTable& table) {
    std::vector<std::string> names;
    for (int i = 0; i < table.UsedCount(); ++i) names.push_back(table.Row(i).name);
    return names;
}

// A table holding points named by `names`.
void Fill(PointTable& table, const std::vector<std::string>& names) {
    for (const std::string& name : names) {
        PointRecord point;
        point.name = name;
        table.Append(point);
    }
}

void ExpectPacked(const PointTable& table) {
    const int used = table.UsedCount();
    EXPECT_EQ(table.GetCount(), used);
    for (int i = 0; i < kTableRows; ++i) EXPECT_EQ(table.IsUsed(i), i < used) << "row " << i;
}

TEST(PointTable, NewAndResetTablesAreEmpty) {
    PointTable table;
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.UsedCount(), 0);
    Fill(table, {"P", "Q"});
    table.Reset();
    ExpectPacked(table);
    EXPECT_EQ(table.UsedCount(), 0);
}

TEST(PointTable, InsertBlankMakesAFreshRow) {
    PointTable table;
    Fill(table, {"P", "Q"});
    EXPECT_TRUE(table.InsertBlank(0));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"", "P", "Q"}));
    const PointRecord& fresh = table.Row(0);
    EXPECT_EQ(fresh.slot, 0);
    EXPECT_EQ(fresh.mark, "00");
    EXPECT_EQ(fresh.sound, "0");
    EXPECT_EQ(fresh.outmost, "500");
    EXPECT_EQ(fresh.directionOn, 0);
    ExpectPacked(table);
}

TEST(PointTable, InsertBlankRefusesWhenFullOrOutOfRange) {
    PointTable table;
    for (int i = 0; i < kTableRows; ++i) ASSERT_TRUE(table.InsertBlank(i));
    EXPECT_FALSE(table.InsertBlank(0));
    EXPECT_FALSE(table.InsertBlank(kTableRows));
    EXPECT_EQ(table.GetCount(), kTableRows);

    PointTable small;
    EXPECT_FALSE(small.InsertBlank(kTableRows));
    EXPECT_EQ(small.GetCount(), 0);
}

TEST(PointTable, DeleteRow) {
    PointTable table;
    Fill(table, {"P", "Q", "R"});
    table.DeleteRow(5);  // empty row: nothing
    EXPECT_EQ(table.GetCount(), 3);
    table.DeleteRow(1);
    EXPECT_EQ(Names(table), (std::vector<std::string>{"P", "R"}));
    EXPECT_FALSE(table.IsUsed(2));
    table.DeleteRow(1);
    table.DeleteRow(0);
    ExpectPacked(table);
    EXPECT_EQ(table.GetCount(), 0);
}

TEST(PointTable, MoveRow) {
    const struct {
        int to;
        int from;
        std::vector<std::string> expected;
    } cases[] = {
        {0, 2, {"R", "P", "Q"}},
        {3, 0, {"Q", "R", "P"}},
        {1, 1, {"P", "Q", "R"}},
        {2, 0, {"Q", "P", "R"}},
        {1, 2, {"P", "R", "Q"}},
    };
    for (const auto& c : cases) {
        PointTable table;
        Fill(table, {"P", "Q", "R"});
        table.MoveRow(c.from, c.to);
        EXPECT_EQ(Names(table), c.expected) << c.to << " <- " << c.from;
        ExpectPacked(table);
    }
}

TEST(PointTable, MoveRowInAFullTableLosesAndDoublesNothing) {
    const struct {
        int to;
        int from;
        int landsAt;
    } cases[] = {{0, 699, 0}, {700, 0, 699}, {10, 500, 10}, {500, 10, 499}, {5, 4, 4}};
    for (const auto& c : cases) {
        PointTable table;
        std::vector<std::string> names;
        for (int i = 0; i < kTableRows; ++i) names.push_back("P" + std::to_string(i));
        Fill(table, names);
        table.MoveRow(c.from, c.to);
        std::vector<std::string> after = Names(table);
        ASSERT_EQ(after.size(), static_cast<std::size_t>(kTableRows));
        EXPECT_EQ(after[static_cast<std::size_t>(c.landsAt)], "P" + std::to_string(c.from));
        std::vector<std::string> sortedAfter = after, sortedBefore = names;
        std::sort(sortedAfter.begin(), sortedAfter.end());
        std::sort(sortedBefore.begin(), sortedBefore.end());
        EXPECT_EQ(sortedAfter, sortedBefore);
        ExpectPacked(table);
    }
}

TEST(PointTable, SetNameShortensTo16BytesWithoutSplitting) {
    const std::string hyou = "\x95\x5C";  // 表
    const struct {
        std::string value;
        std::string stored;
    } cases[] = {
        {std::string(20, 'a'), std::string(16, 'a')},
        {std::string(16, 'a'), std::string(16, 'a')},
        {std::string(15, 'a') + hyou, std::string(15, 'a')},
        {std::string(14, 'a') + hyou + "b", std::string(14, 'a') + hyou},
        // Eight double-byte characters are 16 bytes, and whole.
        {hyou + hyou + hyou + hyou + hyou + hyou + hyou + hyou + hyou, hyou + hyou + hyou + hyou + hyou + hyou + hyou + hyou},
        // A second byte in the lead range (0x95 0x95) is not taken for a lead byte.
        {"ab" + std::string(14, '\x95') + "c", "ab" + std::string(14, '\x95')},
        // Cut short, no blank is left at the end (a file written with it reads back the same name).
        {std::string(13, 'a') + "  \x81\x40" "b", std::string(13, 'a')},
        {std::string(13, 'a') + "\x81\x40 b", std::string(13, 'a')},
    };
    for (const auto& c : cases) {
        PointTable table;
        table.InsertBlank(0);
        PointFields fields = table.Fields(0);
        fields.name = c.value;
        table.SetFields(0, fields);
        EXPECT_EQ(table.Row(0).name, c.stored) << c.value;
    }
}

TEST(PointTable, MarkTexts) {
    const struct {
        const char* decimal;
        const char* stored;
        const char* shown;
    } cases[] = {{"10", "0A", "10"}, {"300", "2C", "44"}, {"", "00", "00"}, {"0", "00", "00"},
                 {"55", "37", "55"}, {"255", "FF", "255"}, {"7x", "07", "07"}, {"-1", "FF", "255"}};
    for (const auto& c : cases) {
        PointRecord point;
        StoreShown(point, Field::Mark, c.decimal);
        EXPECT_EQ(point.mark, c.stored) << c.decimal;
        EXPECT_EQ(ShownForm(point, Field::Mark), c.shown) << c.decimal;
    }
    EXPECT_EQ(MarkHexToDecimal("0a"), "10");
    EXPECT_EQ(MarkHexToDecimal("00"), "00");
}

// Every shown field from its typed form to the stored one and back, alone and through the
// table's Fields and SetFields.
TEST(PointTable, FieldsGoThroughTheirShownAndStoredForms) {
    const struct {
        Field field;
        const char* typed;
        const char* stored;
        const char* shown;
    } cases[] = {
        {Field::Name, "Tokyo Tower Main Deck", "Tokyo Tower Main", "Tokyo Tower Main"},
        {Field::Reading, "R", "R", "R"},
        {Field::Lon, "139.30", "139.50000", "139.30.00.000"},
        {Field::Lat, "35 30 36", "35.51000", " 35.30.36.000"},
        {Field::Mark, "12", "0C", "12"},
        {Field::Sound, "3", "3", "3"},
        {Field::Dcenter, "90", "90", "90"},
        {Field::DirectionOn, "1", "1", "1"},
        {Field::Tel, "03-1234", "03-1234", "03-1234"},
    };
    std::size_t shownFields = 0;
    ForEachField([&](const auto& entry) { shownFields += entry.shown != nullptr; });
    EXPECT_EQ(shownFields, std::size(cases)) << "a case for every shown field";
    PointRecord point;
    for (const auto& c : cases) {
        StoreShown(point, c.field, c.typed);
        EXPECT_EQ(StoredForm(point, c.field), c.stored) << c.typed;
        EXPECT_EQ(ShownForm(point, c.field), c.shown) << c.typed;
    }
    PointTable table, copy;
    table.Append(point);
    EXPECT_FALSE(table.SetFields(0, table.Fields(0))) << "shown and stored again: unchanged";
    copy.InsertBlank(0);
    EXPECT_TRUE(copy.SetFields(0, table.Fields(0)));
    for (const auto& c : cases) EXPECT_EQ(StoredForm(copy.Row(0), c.field), c.stored) << c.typed;
    EXPECT_EQ(copy.Row(0).outmost, "500") << "never shown: left as it was";
}

TEST(PointTable, CopyRowCopiesEveryField) {
    PointTable table;
    Fill(table, {"P", "Q"});
    PointFields fields = table.Fields(1);
    fields.directionOn = 1;
    fields.dcenter = "90";
    table.SetFields(1, fields);
    table.CopyRow(1, 0);
    EXPECT_EQ(table.Row(0).name, "Q");
    EXPECT_EQ(table.Row(0).slot, 1);
    EXPECT_EQ(table.Row(0).directionOn, 1);
}

TEST(PointTable, AppendFillsTheNextRowUntilFull) {
    PointTable table;
    Fill(table, {"P"});
    PointRecord point;
    point.name = "Q";
    point.mark = "0A";
    EXPECT_TRUE(table.Append(point));
    EXPECT_EQ(Names(table), (std::vector<std::string>{"P", "Q"}));
    EXPECT_EQ(table.Row(1).slot, 1);
    EXPECT_EQ(table.Row(1).mark, "0A");
    ExpectPacked(table);
    while (table.GetCount() < kTableRows) ASSERT_TRUE(table.Append(PointRecord{}));
    PointRecord extra;
    extra.name = "X";
    EXPECT_FALSE(table.Append(extra));
    EXPECT_EQ(table.GetCount(), kTableRows);
    EXPECT_EQ(table.Row(kTableRows - 1).name, "");
}

}  // namespace
}  // namespace vondrel
