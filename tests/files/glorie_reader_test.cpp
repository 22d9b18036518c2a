// The reader: the scanner's handling of white space, line breaks, tags and markers, the
// multibyte rules, limits, and Load's refusals and failures.
#include <gtest/gtest.h>

#include "core/point_table.h"
#include "files/glorie_file.h"
#include "files/glorie_scanner.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

// Scans `bytes` into a fresh table and returns the number of completed points.
int ScanInto(PointTable& table, const std::string& bytes) {
    GlorieScanner scanner(table);
    scanner.Scan(bytes);
    return scanner.CompletedPoints();
}

// One point block holding `inner`.
std::string Block(const std::string& inner) { return "<gpoi>\r\n<lat>1</lat><lon>1</lon>\r\n" + inner + "\r\n</gpoi>\r\n"; }

TEST(GlorieReader, ElementValues) {
    const struct {
        const char* element;
        std::string PointRecord::*field;
        const char* expected;
    } cases[] = {
        {"<nb>  ABC  </nb>", &PointRecord::name, "ABC  "},
        {"<nb>AB\r\nCD</nb>", &PointRecord::name, "ABCD"},
        {"<nb>\tA B</nb>", &PointRecord::name, "A B"},
        {"<nb></nb>", &PointRecord::name, ""},
        {"<nb>a&amp;b&lt;&gt;&quot;&apos;&x;</nb>", &PointRecord::name, "a&b<>\"'&x;"},
        {"<nb>&amp;lt;</nb>", &PointRecord::name, "&lt;"},
        {"<rt>よみ</rt>", &PointRecord::reading, "よみ"},
        {"<lat>35/12345</lat>", &PointRecord::lat, "35.12345"},
        {"<lon>139.50431</lon>", &PointRecord::lon, "139.50431"},
        {"<lon> 139.5 </lon>", &PointRecord::lon, "139.5 "},
        {"<outmost>700</outmost>", &PointRecord::outmost, "700"},
        {"<category vendor=\"Kenwood.HDD-NAVI\">0000310A</category>", &PointRecord::mark, "0A"},
        {"<category vendor=\"Kenwood.HDD-NAVI\">A</category>", &PointRecord::mark, "A"},
        {"<category>00000000</category>", &PointRecord::mark, "00"},
        {"<optional-media format=\"MSNAVI\" id=\"3\" repeat=\"1\">\r\n</optional-media>", &PointRecord::sound, "3"},
        {"<optional-media format=\"MSNAVI\" id=\"3\">\r\n</optional-media>", &PointRecord::sound, ""},
        {"<contact href=\"tel:0312345678\"/>", &PointRecord::tel, "0312345678"},
        {"<contact href=\"tel:03\"/>", &PointRecord::tel, "03"},
        {"<contact href=\"tel:0&amp;1\"<x>", &PointRecord::tel, "0&1"},  // the unclosed tag joins the next element
        {"<!-- <nb>X</nb> -->", &PointRecord::name, "X"},
        {"<?xml version=\"1.0\"?><nb>Y</nb>", &PointRecord::name, "Y"},
    };
    for (const auto& c : cases) {
        PointTable table;
        ASSERT_EQ(ScanInto(table, Block(c.element)), 1) << c.element;
        EXPECT_EQ(table.Row(0).*(c.field), c.expected) << c.element;
    }
}

TEST(GlorieReader, DirectionIsSnappedAndSwitchesDirectionOn) {
    const struct {
        const char* value;
        const char* stored;
    } cases[] = {{"90", "90"}, {"5", "0"}, {"6", "11"}, {"100", "101"}, {"355", "0"}, {"370", "11"}, {"x", "0"},
                 {"-1", "0"}, {"-6", "349"}, {"99999999999999999999", "281"}};
    for (const auto& c : cases) {
        PointTable table;
        ScanInto(table, Block(std::string("<dcenter>") + c.value + "</dcenter>"));
        EXPECT_EQ(table.Row(0).dcenter, c.stored) << c.value;
        EXPECT_EQ(table.Row(0).directionOn, 1) << c.value;
    }
}

TEST(GlorieReader, DoubleByteSecondBytesAreNeverMarkers) {
    PointTable table;
    // 0x83 0x69 ("ン"-range pair whose second byte is 'i') must not start "id=".
    ScanInto(table, Block("<optional-media format=\"MSNAVI\" x=\"\x83" "id=9 \" id=\"4\" repeat=\"1\">\r\n</optional-media>"));
    EXPECT_EQ(table.Row(0).sound, "4");
    // A name ending in a lone lead byte loses that byte; 表 (0x95 0x5C) stays whole.
    PointTable names;
    ScanInto(names, Block("<nb>A\x82</nb>") + Block("<nb>\x95\x5C</nb>") + Block("<nb>\x95\x95\x82</nb>"));
    EXPECT_EQ(names.Row(0).name, "A");
    EXPECT_EQ(names.Row(1).name, "\x95\x5C");
    EXPECT_EQ(names.Row(2).name, "\x95\x95");
}

TEST(GlorieReader, MarkersCountOnlyAtCharacterStarts) {
    // After an odd run of lead-range bytes the '<' is the second byte of a character; after an
    // even run it starts one. "</p>" ends the element before, so the text opens the next one.
    const struct {
        const char* inner;
        const char* name;
    } cases[] = {
        {"</p>x\x82<nb>A</nb>", ""},
        {"</p>x\x82\x82<nb>A</nb>", "A"},
        {"</p>x\x82\x82\x82<nb>A</nb>", ""},
        {"</p>\x82\x82x\x82<nb>A</nb>", ""},
        {"</p>\x95\x5C\x82\x82<nb>A</nb>", "A"},
        {"</p>\x82<nb>A</nb><nb>B</nb>", "B"},
    };
    for (const auto& c : cases) {
        PointTable table;
        ASSERT_EQ(ScanInto(table, Block(c.inner)), 1) << c.inner;
        EXPECT_EQ(table.Row(0).name, c.name) << c.inner;
    }
    // The same rule for attribute keys: "id=" right after one lead byte is not a key.
    const struct {
        const char* attributes;
        const char* sound;
    } keys[] = {
        {"x=\"\x83id=9 \" id=\"4\"", "4"},
        {"x=\"\x83\x83id=9 \" id=\"4\"", "9"},
        {"x=\"\x83\x83\x83id=9 \" id=\"4\"", "4"},
    };
    for (const auto& k : keys) {
        PointTable table;
        ScanInto(table, Block(std::string("<optional-media format=\"MSNAVI\" ") + k.attributes + " repeat=\"1\">\r\n</optional-media>"));
        EXPECT_EQ(table.Row(0).sound, k.sound) << k.attributes;
    }
}

TEST(GlorieReader, ElementsSplitByLineBreaksOrUnclosedTags) {
    const struct {
        const char* bytes;
        int points;
        const char* name;
    } cases[] = {
        {"<gpoi><n\r\nb>X</nb></gpoi>", 1, "X"},
        {"<gpoi><nb>X</n\r\nb></g\npoi>", 1, "X"},
        {"<gpoi><nb>X<\r\n/nb></gpoi>", 1, "X"},
        {"<gpoi><nb>\r\n\t X \r\n Y\t</nb></gpoi>", 1, "X  Y\t"},
        {"<gpoi><a <nb>X</nb></gpoi>", 1, "X"},
        {"<gpoi><nb >X</nb></gpoi>", 0, ""},  // a block that held nothing makes no row
        {"<gpoi></p>text<nb>X</nb>more</gpoi>", 1, "X"},
        {"<gpoi>text<nb>X</nb></gpoi>", 0, ""},  // text joins the tags around it: "<gpoi" comes first
        {"<gpoi><nb>X</nb>\r\n<</gpoi>", 1, "X"},
        {"<gpoi><nb>X</nb><gpoi", 0, ""},  // an unfinished point never reaches the table
    };
    for (const auto& c : cases) {
        PointTable table;
        EXPECT_EQ(ScanInto(table, c.bytes), c.points) << c.bytes;
        EXPECT_EQ(table.Row(0).name, c.name) << c.bytes;
    }
}

TEST(GlorieReader, InputInPiecesReadsAsAWhole) {
    // The scanner carries a partly read element from one call to the next.
    const std::string bytes = Block("<nb>\x93\x8C\x8B\x9E</nb>\r\n<rt>AB\r\nCD</rt>") +
                              Block("<a <lat>35/5</lat>\r\n\t<lon> 139 </lon><dcenter>90</dcenter>") +
                              Block("<optional-media format=\"MSNAVI\" id=\"7\" repeat=\"1\">\r\n</optional-media>");
    PointTable whole;
    const int points = ScanInto(whole, bytes);
    ASSERT_EQ(points, 3);
    for (std::size_t cut = 0; cut <= bytes.size(); ++cut) {
        PointTable pieces;
        GlorieScanner scanner(pieces);
        scanner.Scan(std::string_view(bytes).substr(0, cut));
        const std::string rest = bytes.substr(cut);  // a separate buffer: nothing may point into the first
        scanner.Scan(rest);
        ASSERT_EQ(scanner.CompletedPoints(), points) << cut;
        for (int i = 0; i < points; ++i) {
            const PointRecord& a = whole.Row(i);
            const PointRecord& b = pieces.Row(i);
            EXPECT_TRUE(a.name == b.name && a.reading == b.reading && a.lat == b.lat && a.lon == b.lon &&
                        a.sound == b.sound && a.dcenter == b.dcenter && a.directionOn == b.directionOn)
                << "cut at " << cut << ", point " << i;
        }
    }
}

TEST(GlorieReader, ElementsActOnTheCurrentRow) {
    PointTable table;
    // An element after "</gpoi>" belongs to the next point; a block cut short is not counted.
    const std::string bytes = Block("<nb>P0</nb>") + "<nb>P1</nb>\r\n<gpoi><lat>1</lat></gpoi>" + Block("<nb>P2</nb>") +
                              "<gpoi><nb>cut</nb>";
    EXPECT_EQ(ScanInto(table, bytes), 3);
    EXPECT_EQ(table.Row(0).name, "P0");
    EXPECT_EQ(table.Row(1).name, "P1");
    EXPECT_EQ(table.Row(1).lat, "1");
    EXPECT_EQ(table.Row(2).name, "P2");
    EXPECT_FALSE(table.IsUsed(3)) << "the cut block is not a point";
    EXPECT_EQ(table.UsedCount(), 3);
}

TEST(GlorieReader, DefaultsStayForMissingElements) {
    PointTable table;
    ScanInto(table, Block("<nb>only</nb>"));
    const PointRecord& p = table.Row(0);
    EXPECT_EQ(p.mark, "00");
    EXPECT_EQ(p.sound, "0");
    EXPECT_EQ(p.outmost, "500");
    EXPECT_EQ(p.directionOn, 0);
    EXPECT_EQ(p.slot, 0);
}

TEST(GlorieReader, KeepsTheFirst700PointsOfALongerFile) {
    std::string bytes;
    for (int i = 0; i < 750; ++i) bytes += Block("<nb>P" + std::to_string(i) + "</nb>");
    bytes += "<gpoi><nb>cut</nb>";  // not complete: not counted either
    PointTable table;
    GlorieScanner scanner(table);
    scanner.Scan(bytes);
    EXPECT_EQ(scanner.CompletedPoints(), kTableRows);
    EXPECT_EQ(scanner.DroppedPoints(), 50) << "the points left out are counted";
    EXPECT_EQ(table.Row(699).name, "P699");
    EXPECT_EQ(table.UsedCount(), kTableRows);
}

TEST(GlorieReader, LongNamesAreKeptWhole) {
    const std::string longName(5000, 'n');
    PointTable table;
    ScanInto(table, Block("<nb>" + longName + "</nb>"));
    EXPECT_EQ(table.Row(0).name, longName);
}

TEST(GlorieReader, AnyBytesScanWithoutFailing) {
    // Stray markup, unbalanced tags and control bytes are scanned without harm.
    const char* inputs[] = {"<", ">", "<<<>>>", "</gpoi>", "<nb>", "<gpoi><nb>x<", "\x81", "<nb>\x81</nb></gpoi>",
                            "<lat>1</lat><lon>2"};
    for (const char* input : inputs) {
        PointTable table;
        ScanInto(table, input);
        EXPECT_LE(table.UsedCount(), 1) << input;
    }
}

class GlorieLoad : public ::testing::Test {
protected:
    int Load(const os::Path& path) { return LoadGlorieFile(path, table, sink) == FileOutcome::Done ? 0 : -1; }
    test::TempDir dir;
    test::RecordingSink sink;
    PointTable table;
};

TEST_F(GlorieLoad, AcceptsXmlInAnyCaseAndRefusesOtherNames) {
    const std::string content = Block("<nb>P</nb>");
    for (const char* name : {"points.xml", "points.Xml", "POINTS.XML"}) {
        test::WriteFileBytes(dir.File(name), content);
        EXPECT_EQ(Load(dir.File(name)), 0) << name;
        EXPECT_EQ(table.GetCount(), 1);
    }
    EXPECT_TRUE(sink.messages.empty());
    for (const char* name : {"points.txt", "points.xml.bak", "points"}) {
        test::WriteFileBytes(dir.File(name), content);
        sink.messages.clear();
        EXPECT_EQ(Load(dir.File(name)), -1) << name;
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0], os::DisplayPath(dir.File(name)) + "\n    は認識できないファイルです");
    }
}

TEST_F(GlorieLoad, FailureLeavesTheTableAsItWas) {
    test::WriteFileBytes(dir.File("a.xml"), Block("<nb>P</nb>") + Block("<nb>Q</nb>"));
    ASSERT_EQ(Load(dir.File("a.xml")), 0);
    EXPECT_EQ(Load(dir.File("missing.xml")), -1);
    EXPECT_EQ(Load(dir.File("a.txt")), -1);
    EXPECT_EQ(table.GetCount(), 2);
    EXPECT_EQ(table.Row(1).name, "Q");
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0], "\"" + os::DisplayPath(dir.File("missing.xml")) + "\"\n\nファイル未定義");
}

TEST_F(GlorieLoad, SuccessReplacesThePoints) {
    test::WriteFileBytes(dir.File("a.xml"), Block("<nb>P</nb>") + Block("<nb>Q</nb>"));
    test::WriteFileBytes(dir.File("b.xml"), Block("<nb>R</nb>"));
    test::WriteFileBytes(dir.File("none.xml"), "<glorie>\r\n</glorie>\r\n");
    ASSERT_EQ(Load(dir.File("a.xml")), 0);
    EXPECT_EQ(Load(dir.File("b.xml")), 0);
    EXPECT_EQ(table.GetCount(), 1);
    EXPECT_EQ(table.Row(0).name, "R");
    EXPECT_FALSE(table.IsUsed(1));
    EXPECT_EQ(Load(dir.File("none.xml")), 0) << "a point file without points";
    EXPECT_EQ(table.GetCount(), 0);
    EXPECT_EQ(table.UsedCount(), 0);
}

}  // namespace
}  // namespace vondrel
