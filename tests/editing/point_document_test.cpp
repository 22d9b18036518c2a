// The document model: each operation's result on the points and on the modified state, the
// compare-then-write rule of changed fields, copies through display forms, and file identity.
#include <gtest/gtest.h>

#include <filesystem>

#include "editing/point_document.h"
#include "support/recording_sink.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

std::vector<std::string> Names(const PointDocument& document) {
    std::vector<std::string> names;
    for (int i = 0; i < document.Count(); ++i) names.push_back(document.Points().Row(i).name);
    return names;
}

// A saved (unmodified) document holding points named `names`, read from a file in `dir`.
void Open(PointDocument& document, test::TempDir& dir, const std::vector<std::string>& names) {
    std::string bytes;
    for (const auto& name : names) bytes += "<gpoi><nb>" + name + "</nb><lat>35.12345</lat><lon>139.50431</lon></gpoi>";
    test::WriteFileBytes(dir.File("points.xml"), bytes);
    test::RecordingSink sink;
    ASSERT_EQ(document.Open(dir.File("points.xml"), dir.RootPath(), sink), 0);
    ASSERT_FALSE(document.IsModified());
}

TEST(PointDocument, OperationsReportAndMarkEveryChange) {
    const struct {
        const char* what;
        std::function<bool(PointDocument&)> operation;
        bool changed;
        std::vector<std::string> names;
    } cases[] = {
        {"untouched fields", [](PointDocument& d) { return d.ApplyFields(EditMode::Change, 1, d.Fields(1)); }, false, {"A", "B", "C"}},
        {"a new name", [](PointDocument& d) { auto f = d.Fields(1); f.name = "X"; return d.ApplyFields(EditMode::Change, 1, f); }, true, {"A", "X", "C"}},
        {"add before row 1", [](PointDocument& d) { return d.ApplyFields(EditMode::Add, 1, PointFields{}); }, true, {"A", "", "B", "C"}},
        {"add far below", [](PointDocument& d) { return d.ApplyFields(EditMode::Add, 9, PointFields{}); }, true, {"A", "B", "C", ""}},
        {"delete rows 2 and 0", [](PointDocument& d) { return d.DeleteRows({2, 0, 2}); }, true, {"B"}},
        {"delete empty rows", [](PointDocument& d) { return d.DeleteRows({5, -1}); }, false, {"A", "B", "C"}},
        {"move 0 before 2", [](PointDocument& d) { return d.Move(0, 2); }, true, {"B", "A", "C"}},
        {"move 0 to the end", [](PointDocument& d) { return d.Move(0, 3); }, true, {"B", "C", "A"}},
        {"move onto the next row", [](PointDocument& d) { return d.Move(1, 2); }, false, {"A", "B", "C"}},
        {"move onto itself", [](PointDocument& d) { return d.Move(1, 1); }, false, {"A", "B", "C"}},
        {"capture", [](PointDocument& d) { return d.AddCapturedPosition("139.45.30.123", " 35.41.05.007") == 3; }, true,
         {"A", "B", "C", "新しいポイント"}},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        PointDocument document;
        Open(document, dir, {"A", "B", "C"});
        EXPECT_EQ(c.operation(document), c.changed) << c.what;
        EXPECT_EQ(document.IsModified(), c.changed) << c.what;
        EXPECT_EQ(Names(document), c.names) << c.what;
    }
}

TEST(PointDocument, ChangeWritesOnlyWhatDiffersFromTheDisplayForms) {
    test::TempDir dir;
    PointDocument document;
    Open(document, dir, {"A"});
    PointFields fields = document.Fields(0);
    EXPECT_EQ(fields.lon, "139.30.15.516");
    fields.lat = " 35.40.12";
    EXPECT_TRUE(document.ApplyFields(EditMode::Change, 0, fields));
    EXPECT_EQ(document.Points().Row(0).lon, "139.50431") << "an untouched coordinate keeps its stored text";
    EXPECT_EQ(document.Points().Row(0).lat, "35.67000");

    // A new point compares with a blank one: empty coordinates become ".00000", the mark its hex.
    fields = PointFields{};
    fields.mark = "01";
    ASSERT_TRUE(document.ApplyFields(EditMode::Add, 0, fields));
    EXPECT_EQ(document.Points().Row(0).lon, ".00000");
    EXPECT_EQ(document.Points().Row(0).mark, "01");
}

TEST(PointDocument, CopiesPassThroughDisplayFormsInReverseOrderUntilFull) {
    PointTable source;
    for (int i = 0; i < 3; ++i) source.InsertBlank(i);
    source.SetName("ABCDEFGHIJKLMNOPQRST", 0);
    source.SetName("Y", 1);
    source.SetName("Z", 2);
    test::TempDir dir;
    PointDocument document;
    Open(document, dir, {"P0", "P1"});
    EXPECT_EQ(document.InsertCopies(1, source, {0, 2}), 2);
    EXPECT_EQ(Names(document), (std::vector<std::string>{"P0", "Z", "ABCDEFGHIJKLMNOP", "P1"}));
    EXPECT_EQ(document.Points().Row(1).lon, ".00000") << "an empty coordinate is copied as typed";
    EXPECT_EQ(document.Points().Row(1).outmost, "500");
    EXPECT_TRUE(document.IsModified());

    while (document.Count() < kTableRows - 1) document.ApplyFields(EditMode::Add, 0, PointFields{});
    EXPECT_EQ(document.InsertCopies(0, source, {0, 1, 2}), 1);
    EXPECT_EQ(document.Points().Row(0).name, "ABCDEFGHIJKLMNOP");
    EXPECT_FALSE(document.ApplyFields(EditMode::Add, 0, PointFields{}));
    EXPECT_EQ(document.AddCapturedPosition("1", "1"), -1);
}

TEST(PointDocument, FilesAndTheModifiedState) {
    test::TempDir dir;
    test::RecordingSink sink;
    PointDocument document;
    document.SetFileName("plan.txt", dir.RootPath());
    EXPECT_EQ(document.FilePath(), os::Path()) << "untitled: not .xml";
    EXPECT_EQ(document.Folder(), dir.RootPath());
    EXPECT_EQ(document.Save(dir.File("none.xml"), sink), 1) << "no points: nothing written";

    Open(document, dir, {"A", "B"});
    EXPECT_EQ(document.FileName(), dir.File("points.xml"));
    EXPECT_EQ(document.FilePath(), dir.File("points.xml"));
    document.DeleteRows({0});
    EXPECT_EQ(document.Save(dir.File("no-folder") / "x" / "a.xml", sink), -1);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.Save(dir.File("b.xml"), sink), 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(sink.messages.size(), 1u);
}

TEST(PointDocument, AFailedOpenChangesNothing) {
    // Refused (name, content, type) or unreadable: the points, the file's name and folder and
    // the unsaved state stay, so Save cannot write over the file that could not be read.
    test::TempDir dir;
    test::WriteFileBytes(dir.File("random.xml"), std::string("\x01\xFF\x93random bytes", 15));
    std::filesystem::create_directory(dir.File("folder.xml"));
    for (const char* name : {"missing.xml", "plan.txt", "random.xml", "folder.xml"}) {
        PointDocument document;
        Open(document, dir, {"A", "B"});
        document.DeleteRows({0});
        test::RecordingSink sink;
        EXPECT_EQ(document.Open(dir.File(name), dir.RootPath(), sink), -1) << name;
        EXPECT_EQ(sink.messages.size(), 1u) << name;
        EXPECT_EQ(Names(document), (std::vector<std::string>{"B"})) << name;
        EXPECT_EQ(document.FileName(), dir.File("points.xml")) << name;
        EXPECT_EQ(document.FilePath(), dir.File("points.xml")) << name;
        EXPECT_TRUE(document.IsModified()) << name;
    }
}

}  // namespace
}  // namespace vondrel
