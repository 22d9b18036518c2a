// What loading checks around the scanner, for any scanner: files that are no point files are
// refused, other encodings are converted (and lost characters listed), texts are capped at
// 1,023 bytes and points past 700 are announced, each with its warning.
#include <gtest/gtest.h>

#include "core/limits.h"
#include "core/point_table.h"
#include "files/glorie_file.h"
#include "files/glorie_writer.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

class GlorieLoadChecks : public ::testing::Test {
protected:
    // Loads `bytes` as a file into `table`; the result of the load.
    int Load(const std::string& bytes) {
        test::WriteFileBytes(path, bytes);
        sink.messages.clear();
        return LoadGlorieFile(path, table, sink) == FileOutcome::Done ? 0 : -1;
    }
    std::string Head() const { return "\"" + os::DisplayPath(path) + "\"\n\n"; }
    test::TempDir dir;
    os::Path path = dir.File("in.xml");
    test::RecordingSink sink;
    PointTable table;
};

std::string Point(const std::string& name) { return "<gpoi><nb>" + name + "</nb><lat>35</lat><lon>139</lon></gpoi>\r\n"; }

TEST_F(GlorieLoadChecks, BytesThatAreNoPointFileAreRefusedAndTheTableKept) {
    ASSERT_EQ(Load(Point("A") + Point("B")), 0);
    for (const std::string& bytes : {std::string(), std::string("\x89PNG\r\n\x1A\n\0\0", 10), std::string("<html><p>x</p></html>"),
                                     std::string(1000, '\xFF')}) {
        EXPECT_EQ(Load(bytes), -1);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0], Head() + "このファイルには地点がありません（地点ファイルではありません）");
        EXPECT_EQ(table.GetCount(), 2);
    }
    EXPECT_EQ(Load("<?xml version=\"1.0\"?><glorie></glorie>"), 0) << "a point file without points";
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(GlorieLoadChecks, OtherEncodingsAreConvertedAndLostCharactersListed) {
    const std::string tokyo = "\x93\x8C\x8B\x9E";  // 東京 in code page 932
    const struct {
        const char* what;
        std::string bytes;
        std::vector<std::string> names;
        std::string warning;  // "" when none
    } cases[] = {
        {"Shift_JIS", "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>" + Point(tokyo), {tokyo}, ""},
        {"no declaration", Point(tokyo), {tokyo}, ""},
        {"UTF-8", "<?xml version=\"1.0\" encoding=\"UTF-8\"?>" + Point("\xE6\x9D\xB1\xE4\xBA\xAC\xE3\x80\x9C"), {tokyo + "\x81\x60"}, ""},
        {"UTF-8 mark", "\xEF\xBB\xBF" + Point("\xE6\x9D\xB1\xE4\xBA\xAC"), {tokyo}, ""},
        {"UTF-8 declared, Shift_JIS bytes", "<?xml encoding='utf-8'?>" + Point(tokyo), {tokyo}, ""},
        {"UTF-8, Korean and emoji", "<?xml encoding=\"utf-8\"?>" + Point("A") + Point("\xEC\xA7\x80\xEB\x8F\x84") +
                                        Point("B\xF0\x9F\x97\xBA"),
         {"A", "??", "B?"}, "Shift_JIS にない文字を「?」にした地点 (2 件): 2 ??、3 B?"},
        {"EUC-JP", "<?xml version=\"1.0\" encoding=\"EUC-JP\"?>" + Point("\xC5\xEC\xB5\xFE\xA1\xC1") + Point("\x8F\xB0\xA1"),
         {tokyo + "\x81\x60", "?"}, "Shift_JIS にない文字を「?」にした地点 (1 件): 2 ?"},
        {"UTF-16", std::string("\xFF\xFE<\0g\0p\0o\0i\0>\0<\0n\0b\0>\0\x71\x67\xAC\x4E<\0/\0n\0b\0>\0<\0l\0a\0t\0>\0" "1\0<\0/\0l\0a\0t\0>\0"
                               "<\0l\0o\0n\0>\0" "1\0<\0/\0l\0o\0n\0>\0<\0/\0g\0p\0o\0i\0>\0", 98),
         {tokyo}, ""},
        {"unknown name", "<?xml encoding=\"x-unknown\"?>" + Point(tokyo), {tokyo}, ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(Load(c.bytes), 0) << c.what;
        std::vector<std::string> names;
        for (int i = 0; i < table.GetCount(); ++i) names.push_back(table.Row(i).name);
        EXPECT_EQ(names, c.names) << c.what;
        EXPECT_EQ(sink.messages, c.warning.empty() ? std::vector<std::string>{} : std::vector<std::string>{Head() + c.warning})
            << c.what;
    }
}

TEST_F(GlorieLoadChecks, TextsAreCappedAtACharacterBoundaryWithAWarning) {
    // 1,022 bytes and a double-byte character: the character is not split.
    const std::string longName = std::string(1022, 'n') + "\x93\x8C";
    const std::string hugeLat(1 << 20, '&');
    ASSERT_EQ(Load(Point("short") + "<gpoi><nb>" + longName + "</nb><lat>&amp;" + hugeLat + "</lat><lon>1</lon></gpoi>" +
                   "<gpoi><nb>" + std::string(kMaxTextBytes, 'x') + "</nb><lat>1</lat><lon>1</lon></gpoi>"), 0);
    EXPECT_EQ(table.Row(0).name, "short");
    EXPECT_EQ(table.Row(1).name, std::string(1022, 'n'));
    EXPECT_EQ(table.Row(1).lat, std::string(kMaxTextBytes, '&'));
    EXPECT_EQ(table.Row(2).name.size(), kMaxTextBytes) << "exactly at the limit: kept";
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0], Head() + "1023 バイトを超える文字列を切り詰めた地点 (1 件): 2 " + std::string(38, 'n') + "…");
}

TEST_F(GlorieLoadChecks, ElementTextsNeverStartWithABlank) {
    // Blanks after a tag are dropped by the reader; those that odd markup leaves before a text
    // go too, so the text survives a save and a second load.
    ASSERT_EQ(Load("<gpoi></x>name>\t <nb>X </nb></y>lat> \t<lat>35.5</lat><contact href=\"tel: 03\"/></gpoi>"), 0);
    EXPECT_EQ(table.Row(0).name, "<nb>X ");
    EXPECT_EQ(table.Row(0).lat, "");
    EXPECT_EQ(table.Row(0).tel, " 03") << "an attribute's blanks survive a save";
}

TEST_F(GlorieLoadChecks, PointsPast700AreAnnounced) {
    std::string bytes;
    for (int i = 0; i < kTableRows; ++i) bytes += Point("P" + std::to_string(i));
    ASSERT_EQ(Load(bytes), 0);
    EXPECT_TRUE(sink.messages.empty()) << "exactly 700: nothing to tell";
    ASSERT_EQ(Load(bytes + Point("extra")), 0);
    EXPECT_EQ(table.GetCount(), kTableRows);
    EXPECT_EQ(sink.messages, std::vector<std::string>{Head() + "先頭の700地点を読み込みました（残りは読み込んでいません）"});
}

// The sample cut short or with a piece cut out: the first warning says so, and names the points cut.
TEST(DamagedFiles, SayWhatIsWrongAndKeepWhatWasRead) {
    const std::string sample = test::ReadFileBytes(std::string(VONDREL_SOURCE_DIR "/samples/tokyo_points.xml"));
    const std::string damaged = "ファイルが壊れているか途中で切れています。読み込めたところまでを表示します。";
    const std::string named = "途中で切れている地点 (1 件): ";
    PointTable read;
    std::vector<std::string> warnings;
    for (std::size_t size = sample.find("<glorie") + 7; size < sample.rfind("</glorie>") + 9; ++size) {
        read.Reset();
        ReadGlorieBytes(sample.substr(0, size), read, warnings);
        const int last = read.GetCount() - 1;
        if (last >= 0 && warnings.size() > 1 && warnings[1] == named + std::to_string(last + 1) + " " + read.Row(last).name) read.DeleteRow(last);
        const std::string kept = GlorieBytes(read);  // compared without its "</glorie>\r\n"
        ASSERT_TRUE(warnings.at(0) == damaged && sample.compare(0, kept.size() - 11, kept, 0, kept.size() - 11) == 0) << size;
    }
    const struct { const char *first, *last; int nth; std::vector<std::string> warnings; int points; } cuts[] = {
        {"</gpoi>", "</gpoi>", 1, {damaged, named + "2 浅草寺"}, 30},  // from occurrence `nth` of `first` to `last`
        {"<lat>", "</lat>", 4, {damaged, "緯度か経度のない地点 (1 件): 5 上野動物園"}, 30},
        {"<index", "</linkfile>", 5, {damaged, "中身のない地点 1 件は読み込んでいません"}, 29},  // and no blank row
    };
    for (const auto& c : cuts) {
        std::size_t from = sample.find(c.first);
        for (int n = 0; n < c.nth; ++n) from = sample.find(c.first, from + 1);
        read.Reset();
        ReadGlorieBytes(sample.substr(0, from) + sample.substr(sample.find(c.last, from) + std::string_view(c.last).size()), read, warnings);
        EXPECT_EQ(warnings, c.warnings) << c.first;
        EXPECT_EQ(read.GetCount(), c.points) << c.first;
    }
}

}  // namespace
}  // namespace vondrel
