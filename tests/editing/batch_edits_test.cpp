// Batch changes and replacements: which fields and points change, matching as Find matches,
// names cut to the stored length, and each as one step that undo takes back exactly.
#include <gtest/gtest.h>

#include "editing/point_document.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

const std::vector<std::string> kNames = {"東京タワー", "ｶﾞｽ展示館", "とうきょう駅", "ABCDEFGHIJKLMN"};

// Four points with every field set; a longitude with six decimals, which no setter writes, shows
// an undo that went through the setters.
void OpenFour(PointDocument& document, test::TempDir& dir) {
    std::string bytes;
    for (const std::string& name : kNames) {
        bytes += "<gpoi><nb>" + name + "</nb><rt>とうきょう</rt><lat>35.12345</lat><lon>139.504310</lon>"
                 "<category vendor=\"Kenwood.HDD-NAVI\">00003105</category><optional-media format=\"MSNAVI\" id=\"2\" "
                 "repeat=\"1\"><dcenter>90</dcenter></optional-media><contact href=\"tel:03-1111\"/></gpoi>";
    }
    test::WriteFileBytes(dir.File("four.xml"), bytes);
    test::RecordingSink sink;
    ASSERT_EQ(document.Open(dir.File("four.xml"), dir.RootPath(), sink), FileOutcome::Done);
}

// Every stored text of every point: the fixed name, reading and position, then the rest.
std::vector<std::string> Stored(const PointDocument& d) {
    std::vector<std::string> all;
    for (int i = 0; i < d.Count(); ++i) {
        const PointRecord& p = d.Points().Row(i);
        all.push_back(p.name + "|" + p.reading + "|" + p.lon + "|" + p.lat + "|" + p.mark + "|" + p.tel + "|" + p.sound +
                      "|" + p.outmost + "|" + p.dcenter + "|" + std::to_string(p.directionOn));
    }
    return all;
}

// The state now is one step from `original`, and undo and redo go between the two exactly.
void ExpectOneStep(PointDocument& d, const std::vector<std::string>& original, const std::string& what) {
    const std::vector<std::string> changed = Stored(d);
    EXPECT_EQ(d.History().StepCount(), changed == original ? 0u : 1u) << what;
    if (changed == original) return;
    ASSERT_TRUE(d.Undo()) << what;
    EXPECT_EQ(Stored(d), original) << what;
    ASSERT_TRUE(d.Redo()) << what;
    EXPECT_EQ(Stored(d), changed) << what;
}

TEST(BatchEdits, OnlyTheCheckedFieldsOfTheSelectedPointsChange) {
    // The shown forms; the name is never listed, so never set.
    const PointFields values{"never", "", "", "", "045", "12", "7", "180", 0};
    const std::string fixed = "|とうきょう|139.504310|35.12345|";
    const std::string untouched = "05|03-1111|2|500|90|1";  // mark|tel|sound|outmost|dcenter|direction
    const struct {
        std::vector<Field> fields;
        std::vector<int> rows;
        std::string changed;  // what the selected points store after `fixed`
    } cases[] = {
        {{Field::Mark}, {0, 2}, "0C|03-1111|2|500|90|1"},
        {{Field::Sound, Field::Dcenter}, {1, 2, 3}, "05|03-1111|7|500|180|1"},
        {{Field::DirectionOn}, {0, 1, 2, 3}, "05|03-1111|2|500|90|0"},
        {{Field::Mark, Field::Sound, Field::DirectionOn, Field::Dcenter, Field::Tel}, {3, 1}, "0C|045|7|500|180|0"},
        {{}, {0, 1}, untouched},
        {{Field::Mark}, {7, -1}, untouched},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        PointDocument d;
        OpenFour(d, dir);
        const std::vector<std::string> original = Stored(d);
        const Selection selection{c.rows, c.rows.front()};
        const auto after = d.ChangeSelected(BatchChange{values, c.fields}, selection);
        EXPECT_EQ(after.value_or(Selection{}), c.changed == untouched ? Selection{} : selection) << c.changed;
        for (int i = 0; i < 4; ++i) {
            const bool selected = std::find(c.rows.begin(), c.rows.end(), i) != c.rows.end();
            EXPECT_EQ(Stored(d)[static_cast<std::size_t>(i)], kNames[static_cast<std::size_t>(i)] + fixed + (selected ? c.changed : untouched))
                << c.changed << " row " << i;
        }
        ExpectOneStep(d, original, c.changed);
    }
}

TEST(BatchEdits, ReplaceMatchesAsFindDoes) {
    const struct { const char *text, *search, *replacement, *result; } cases[] = {
        {"ＡＢＣ店", "bc", "XY", "ＡXY店"},                   // full-width letters, any case
        {"とうきょうトウキョウ", "トウ", "", "きょうキョウ"},  // hiragana and katakana alike
        {"ｶﾞｽ展示館", "ガス", "瓦斯", "瓦斯展示館"},           // half-width kana with its voiced mark
        {"ｶﾞｽ", "カ", "X", "ｶﾞｽ"},                            // a voiced kana is not its plain letter
        {"アA", "A", "B", "アB"},                              // never inside a double-byte character
        {"abc", "", "X", "abc"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReplaceMatches(c.text, c.search, c.replacement), c.result) << c.text;
}

TEST(BatchEdits, ReplaceInNamesAndReadingsShortensNamesInOneStep) {
    const struct {
        ReplaceIn in;
        std::vector<int> rows;
        const char *search, *replacement;
        std::vector<std::string> names;  // after
        std::vector<int> shortened;
        const char* reading;  // of the changed rows
    } cases[] = {
        {ReplaceIn::Name, {0, 1, 2, 3}, "東京", "江戸", {"江戸タワー", kNames[1], kNames[2], kNames[3]}, {}, "とうきょう"},
        {ReplaceIn::Reading, {0, 1}, "トウキョウ", "えど", kNames, {}, "えど"},
        {ReplaceIn::Both, {2, 3}, "トウキョウ", "123456789012345", {kNames[0], kNames[1], "123456789012345", kNames[3]}, {2},
         "123456789012345"},
        {ReplaceIn::Name, {0, 1, 2, 3}, "n", "ＮＮ", {kNames[0], kNames[1], kNames[2], "ABCDEFGHIJKLMＮ"}, {3}, "とうきょう"},
        {ReplaceIn::Name, {0, 1, 2, 3}, "大阪", "x", kNames, {}, ""},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        PointDocument d;
        OpenFour(d, dir);
        const ReplaceRequest request{c.search, c.replacement, c.in, c.rows};
        const ReplacePreview preview = PreviewReplace(d.Points(), request);
        EXPECT_EQ(preview.shortened, c.shortened) << c.search;
        const std::vector<std::string> original = Stored(d);
        EXPECT_EQ(d.Replace(request, OnlyRow(0)).has_value(), !preview.changed.empty()) << c.search;
        for (int i = 0; i < 4; ++i) EXPECT_EQ(d.Points().Row(i).name, c.names[static_cast<std::size_t>(i)]) << c.search;
        for (int row : preview.changed) EXPECT_EQ(d.Points().Row(row).reading, c.reading) << c.search << " " << row;
        ExpectOneStep(d, original, c.search);
    }
}

}  // namespace
}  // namespace vondrel
