// Batch changes and replacements: which fields and points change, matching as Find matches,
// names cut to the stored length, and each as one step that undo takes back exactly.
#include <gtest/gtest.h>

#include "editing/point_document.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

// Four points with every field set; the texts are such as no setter writes (a longitude with
// six decimals), so an undo through the setters would show.
void OpenFour(PointDocument& document, test::TempDir& dir) {
    std::string bytes;
    for (const char* name : {"東京タワー", "ｶﾞｽ展示館", "とうきょう駅", "ABCDEFGHIJKLMN"}) {
        bytes += std::string("<gpoi><nb>") + name + "</nb><rt>とうきょう</rt><lat>35.12345</lat><lon>139.504310</lon>"
                 "<category vendor=\"Kenwood.HDD-NAVI\">00003105</category><optional-media format=\"MSNAVI\" id=\"2\" "
                 "repeat=\"1\"><dcenter>90</dcenter></optional-media><contact href=\"tel:03-1111\"/></gpoi>";
    }
    test::WriteFileBytes(dir.File("four.xml"), bytes);
    test::RecordingSink sink;
    ASSERT_EQ(document.Open(dir.File("four.xml"), dir.RootPath(), sink), FileOutcome::Done);
}

// Every stored text of a point.
std::string Stored(const PointRecord& p) {
    return p.name + "|" + p.reading + "|" + p.lon + "|" + p.lat + "|" + p.mark + "|" + p.tel + "|" + p.sound + "|" +
           p.outmost + "|" + p.dcenter + "|" + std::to_string(p.directionOn);
}

std::vector<std::string> StoredAll(const PointDocument& d) {
    std::vector<std::string> all;
    for (int i = 0; i < d.Count(); ++i) all.push_back(Stored(d.Points().Row(i)));
    return all;
}

// Checks that `step` changed exactly the rows `changed` of `expected` in one undo step, and that
// undo and redo give back every stored text.
void ExpectOneStep(PointDocument& d, const std::vector<std::string>& original, const std::vector<std::string>& expected,
                   const std::string& what) {
    EXPECT_EQ(StoredAll(d), expected) << what;
    EXPECT_EQ(d.History().StepCount(), expected == original ? 0u : 1u) << what;
    if (expected == original) return;
    ASSERT_TRUE(d.Undo()) << what;
    EXPECT_EQ(StoredAll(d), original) << what;
    EXPECT_FALSE(d.IsModified()) << what;
    ASSERT_TRUE(d.Redo()) << what;
    EXPECT_EQ(StoredAll(d), expected) << what;
}

TEST(BatchEdits, OnlyTheCheckedFieldsOfTheSelectedPointsChange) {
    PointFields values;
    values.mark = "12";
    values.sound = "7";
    values.directionOn = 0;
    values.dcenter = "180";
    values.name = "never";  // not listed: never set
    const struct {
        std::vector<Field> fields;
        std::vector<int> rows;
        std::string changedTail;  // mark|tel|sound|outmost|dcenter|directionOn of a changed point
    } cases[] = {
        {{Field::Mark}, {0, 2}, "0C|03-1111|2|500|90|1"},
        {{Field::Sound, Field::Dcenter}, {1, 2, 3}, "05|03-1111|7|500|180|1"},
        {{Field::DirectionOn}, {0, 1, 2, 3}, "05|03-1111|2|500|90|0"},
        {{Field::Mark, Field::Sound, Field::DirectionOn, Field::Dcenter}, {3, 1}, "0C|03-1111|7|500|180|0"},
        {{}, {0, 1}, ""},
        {{Field::Mark}, {7, -1}, ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        PointDocument d;
        OpenFour(d, dir);
        const std::vector<std::string> original = StoredAll(d);
        std::vector<std::string> expected = original;
        for (int row : c.rows) {
            if (row < 0 || row >= 4 || c.changedTail.empty()) continue;
            const std::string& was = original[static_cast<std::size_t>(row)];
            std::size_t head = 0;
            for (int bars = 0; bars < 4; ++bars) head = was.find('|', head) + 1;  // name, reading, lon, lat stay
            expected[static_cast<std::size_t>(row)] = was.substr(0, head) + c.changedTail;
        }
        const Selection selection{c.rows, c.rows.front()};
        const auto after = d.ChangeSelected(BatchChange{values, c.fields}, selection);
        EXPECT_EQ(after.has_value(), expected != original) << c.changedTail;
        if (after) {
            EXPECT_EQ(*after, selection);
        }
        ExpectOneStep(d, original, expected, c.changedTail);
    }
}

TEST(BatchEdits, ReplaceMatchesAsFindDoes) {
    const struct {
        const char* text;
        const char* search;
        const char* replacement;
        const char* result;
    } cases[] = {
        {"東京タワー東京", "東京", "大阪", "大阪タワー大阪"},
        {"ＡＢＣ店", "bc", "XY", "ＡXY店"},          // full-width letters, any case
        {"とうきょうトウキョウ", "トウ", "", "きょうキョウ"},  // hiragana and katakana alike
        {"ｶﾞｽ展示館", "ガス", "瓦斯", "瓦斯展示館"},     // half-width kana with its voiced mark
        {"ｶﾞｽ", "カ", "X", "ｶﾞｽ"},                   // a voiced kana is not its plain letter
        {"アA", "A", "B", "アB"},                     // never inside a double-byte character
        {"abc", "", "X", "abc"},
        {"aaa", "aa", "b", "ba"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReplaceMatches(c.text, c.search, c.replacement), c.result) << c.text;
}

TEST(BatchEdits, ReplaceInNamesAndReadingsShortensNamesInOneStep) {
    const struct {
        ReplaceIn in;
        std::vector<int> rows;
        const char* search;
        const char* replacement;
        std::vector<std::string> namesAfter;
        std::vector<int> shortened;
        const char* readingAfter;  // of the changed rows
    } cases[] = {
        {ReplaceIn::Name, {0, 1, 2, 3}, "東京", "江戸", {"江戸タワー", "ｶﾞｽ展示館", "とうきょう駅", "ABCDEFGHIJKLMN"}, {}, "とうきょう"},
        {ReplaceIn::Reading, {0, 1}, "トウキョウ", "えど", {"東京タワー", "ｶﾞｽ展示館", "とうきょう駅", "ABCDEFGHIJKLMN"}, {}, "えど"},
        {ReplaceIn::Both, {2, 3}, "トウキョウ", "123456789012345", {"東京タワー", "ｶﾞｽ展示館", "123456789012345", "ABCDEFGHIJKLMN"},
         {2}, "123456789012345"},
        {ReplaceIn::Name, {0, 1, 2, 3}, "n", "ＮＮ", {"東京タワー", "ｶﾞｽ展示館", "とうきょう駅", "ABCDEFGHIJKLMＮ"}, {3}, "とうきょう"},
        {ReplaceIn::Name, {0, 1, 2, 3}, "大阪", "x", {"東京タワー", "ｶﾞｽ展示館", "とうきょう駅", "ABCDEFGHIJKLMN"}, {}, ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        PointDocument d;
        OpenFour(d, dir);
        const ReplaceRequest request{c.search, c.replacement, c.in, c.rows};
        const ReplacePreview preview = PreviewReplace(d.Points(), request);
        EXPECT_EQ(preview.shortened, c.shortened) << c.search;
        const std::vector<std::string> original = StoredAll(d);
        const auto after = d.Replace(request, Selection{{0}, 0});
        EXPECT_EQ(after.has_value(), !preview.changed.empty()) << c.search;
        std::vector<std::string> names;
        for (int i = 0; i < d.Count(); ++i) names.push_back(d.Points().Row(i).name);
        EXPECT_EQ(names, c.namesAfter) << c.search;
        for (int row : preview.changed) EXPECT_EQ(d.Points().Row(row).reading, c.readingAfter) << c.search << " " << row;
        ExpectOneStep(d, original, StoredAll(d), c.search);
    }
}

}  // namespace
}  // namespace vondrel
