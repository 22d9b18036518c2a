// The document model: each operation's result on the points, on the selection and on the
// modified state, the compare-then-write rule of changed fields, copies through display forms,
// file identity, and undo and redo of every kind of step.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

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

// Every stored text of every point, to compare states exactly.
std::vector<std::string> Stored(const PointDocument& document) {
    std::vector<std::string> texts;
    for (int i = 0; i < document.Count(); ++i) {
        const PointRecord& p = document.Points().Row(i);
        texts.push_back(p.name + "|" + p.reading + "|" + p.lon + "|" + p.lat + "|" + p.mark + "|" + p.tel + "|" + p.sound +
                        "|" + p.outmost + "|" + p.dcenter + "|" + std::to_string(p.directionOn));
    }
    return texts;
}

// A saved (unmodified) document holding points named `names`, read from a file in `dir`. The
// texts are such as no setter writes (an outmost of 900, a longitude with six decimals), so an
// undo that rewrote a point through the setters would show.
void Open(PointDocument& document, test::TempDir& dir, const std::vector<std::string>& names) {
    std::string bytes;
    int i = 0;
    for (const auto& name : names) {
        bytes += "<gpoi><nb>" + name + "</nb><lat>35.12345</lat><lon>139.50431" + std::to_string(i++ % 10) +
                 "</lon><outmost>900</outmost></gpoi>";
    }
    test::WriteFileBytes(dir.File("points.xml"), bytes);
    test::RecordingSink sink;
    ASSERT_EQ(document.Open(dir.File("points.xml"), dir.RootPath(), sink), FileOutcome::Done);
    ASSERT_FALSE(document.IsModified());
}

PointFields Renamed(const PointDocument& d, int row, const std::string& name) {
    PointFields f = d.Fields(row);
    f.name = name;
    return f;
}

PointRecord Named(const char* name) {
    PointRecord point;
    point.name = name;
    return point;
}

using Operation = std::function<std::optional<Selection>(PointDocument&)>;

TEST(PointDocument, OperationsChangeThePointsAndTheSelectionAndUndoExactly) {
    const Selection none;
    const Selection second = OnlyRow(1);
    PointTable source;
    for (const char* name : {"X", "Y", "Z"}) source.Append(Named(name));
    const struct {
        const char* what;
        std::vector<std::string> start;
        Operation operation;
        std::vector<std::string> names;  // empty: nothing changes
        Selection after;
    } cases[] = {
        {"untouched fields", {"A", "B", "C"}, [&](PointDocument& d) { return d.ApplyFields(EditMode::Change, 1, d.Fields(1), second); }, {}, {}},
        {"a new name", {"A", "B", "C"}, [&](PointDocument& d) { return d.ApplyFields(EditMode::Change, 1, Renamed(d, 1, "X"), second); },
         {"A", "X", "C"}, second},
        {"add before row 1", {"A", "B", "C"}, [&](PointDocument& d) { return d.ApplyFields(EditMode::Add, 1, PointFields{}, none); },
         {"A", "", "B", "C"}, OnlyRow(1)},
        {"add far below", {"A", "B", "C"}, [&](PointDocument& d) { return d.ApplyFields(EditMode::Add, 9, PointFields{}, none); },
         {"A", "B", "C", ""}, OnlyRow(3)},
        {"delete a block", {"P0", "P1", "P2", "P3"}, [](PointDocument& d) { return d.DeleteSelected({{1, 2}, 2}); }, {"P0", "P3"}, OnlyRow(1)},
        {"delete two blocks", {"P0", "P1", "P2", "P3", "P4"}, [](PointDocument& d) { return d.DeleteSelected({{1, 3}, 1}); },
         {"P0", "P2", "P4"}, {{1, 2}, 2}},
        {"delete the last row", {"P0", "P1", "P2"}, [](PointDocument& d) { return d.DeleteSelected(OnlyRow(2)); }, {"P0", "P1"}, OnlyRow(1)},
        {"delete nothing", {"A"}, [](PointDocument& d) { return d.DeleteSelected({{5}, 5}); }, {}, {}},
        {"move 0 before 2", {"A", "B", "C"}, [](PointDocument& d) { return d.Move(0, 2, {{0, 2}, 0}); }, {"B", "A", "C"}, {{1, 2}, 1}},
        {"move 0 to the end", {"A", "B", "C"}, [&](PointDocument& d) { return d.Move(0, 3, second); }, {"B", "C", "A"}, OnlyRow(0)},
        {"move onto the next row", {"A", "B", "C"}, [&](PointDocument& d) { return d.Move(1, 2, second); }, {}, {}},
        {"move up", {"A", "B", "C", "D"}, [](PointDocument& d) { return d.MoveSelected(-1, {{1, 3}, 3}); }, {"B", "A", "D", "C"}, {{0, 2}, 2}},
        {"move a block down", {"A", "B", "C", "D"}, [](PointDocument& d) { return d.MoveSelected(1, {{0, 1}, 0}); }, {"C", "A", "B", "D"},
         {{1, 2}, 1}},
        {"move up from the top", {"A", "B"}, [](PointDocument& d) { return d.MoveSelected(-1, {{0, 1}, 0}); }, {}, {}},
        {"copies keep their order", {"P0", "P1", "P2"}, [&](PointDocument& d) { return d.InsertCopies(2, source, {0, 1, 2}, second); },
         {"P0", "P1", "X", "Y", "Z", "P2"}, {{2, 3, 4}, 2}},
        {"copies at the end", {"P0"}, [&](PointDocument& d) { return d.InsertCopies(5, source, {2, 0}, none); }, {"P0", "Z", "X"}, {{1, 2}, 1}},
        {"capture", {"A", "B"}, [&](PointDocument& d) { return d.AddCapturedPosition("139.45.30.123", " 35.41.05.007", second); },
         {"A", "B", "新しいポイント"}, OnlyRow(2)},
        {"sort by name", {"C", "a", "B"}, [](PointDocument& d) { return d.Sort(SortColumn::Name, false, {{0, 2}, 2}); }, {"a", "B", "C"},
         {{1, 2}, 1}},
        {"sort already sorted", {"A", "B"}, [&](PointDocument& d) { return d.Sort(SortColumn::Name, false, none); }, {}, {}},
        {"readings", {"A", "B"}, [&](PointDocument& d) { return d.SetReadings({{1, "ﾖﾐ"}, {0, "か"}, {7, "x"}}, second); }, {"A", "B"}, second},
        {"readings as they are", {"A"}, [&](PointDocument& d) { return d.SetReadings({{0, ""}, {3, "x"}}, none); }, {}, {}},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        PointDocument document;
        Open(document, dir, c.start);
        const std::vector<std::string> original = Stored(document);
        const std::optional<Selection> after = c.operation(document);
        ASSERT_EQ(after.has_value(), !c.names.empty()) << c.what;
        EXPECT_EQ(document.IsModified(), after.has_value()) << c.what;
        if (!after) {
            EXPECT_EQ(Stored(document), original) << c.what;
            EXPECT_FALSE(document.CanUndo()) << c.what;
            continue;
        }
        EXPECT_EQ(Names(document), c.names) << c.what;
        EXPECT_EQ(*after, c.after) << c.what;
        const std::vector<std::string> changed = Stored(document);
        // Undo gives back every stored text and the selection before; redo the state after.
        const std::optional<Selection> undone = document.Undo();
        ASSERT_TRUE(undone) << c.what;
        EXPECT_EQ(Stored(document), original) << c.what;
        EXPECT_FALSE(document.IsModified()) << c.what << ": back at the saved state";
        const std::optional<Selection> redone = document.Redo();
        ASSERT_TRUE(redone) << c.what;
        EXPECT_EQ(*redone, c.after) << c.what;
        EXPECT_EQ(Stored(document), changed) << c.what;
        EXPECT_TRUE(document.IsModified()) << c.what;
        EXPECT_FALSE(document.Redo()) << c.what;
    }
}

TEST(PointDocument, TheSavedPointAndANewBranch) {
    test::TempDir dir;
    test::RecordingSink sink;
    PointDocument document;
    Open(document, dir, {"A", "B", "C"});
    document.DeleteSelected(OnlyRow(0));
    document.DeleteSelected(OnlyRow(0));
    ASSERT_EQ(document.Save(dir.Path("saved.xml"), sink), FileOutcome::Done);
    EXPECT_FALSE(document.IsModified());
    document.Undo();
    EXPECT_TRUE(document.IsModified()) << "undone past the save";
    document.Redo();
    EXPECT_FALSE(document.IsModified()) << "redone to the save";
    document.Undo();
    document.Move(0, 2, Selection{});  // a new branch: the saved state can no longer be reached
    document.Undo();
    EXPECT_TRUE(document.IsModified());
    while (document.Undo()) {}
    EXPECT_EQ(Names(document), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_TRUE(document.IsModified()) << "the loaded state is no longer the saved one";

    document.New("C:\\Users\\me\\Documents\\");
    EXPECT_EQ(document.Count(), 0);
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.CanUndo());
    EXPECT_EQ(document.FileName(), "");
    EXPECT_EQ(document.FilePath(), "");
    EXPECT_EQ(document.Folder(), "C:\\Users\\me\\Documents\\");
}

TEST(PointDocument, ChangeWritesOnlyWhatDiffersFromTheDisplayForms) {
    test::TempDir dir;
    PointDocument document;
    Open(document, dir, {"A"});
    PointFields fields = document.Fields(0);
    EXPECT_EQ(fields.lon, "139.30.15.516");
    fields.lat = " 35.40.12";
    EXPECT_TRUE(document.ApplyFields(EditMode::Change, 0, fields, {}));
    EXPECT_EQ(document.Points().Row(0).lon, "139.504310") << "an untouched coordinate keeps its stored text";
    EXPECT_EQ(document.Points().Row(0).lat, "35.67000");

    // A new point compares with a blank one: empty coordinates stay empty (no position), the mark its hex.
    fields = PointFields{};
    fields.mark = "01";
    ASSERT_TRUE(document.ApplyFields(EditMode::Add, 0, fields, {}));
    EXPECT_EQ(document.Points().Row(0).lon, "");
    EXPECT_EQ(document.Points().Row(0).mark, "01");
}

TEST(PointDocument, CopiesPassThroughDisplayFormsUntilFull) {
    PointTable source;
    for (const char* name : {"ABCDEFGHIJKLMNOPQRST", "Y", "Z"}) source.Append(Named(name));
    test::TempDir dir;
    PointDocument document;
    Open(document, dir, {"P0", "P1"});
    EXPECT_TRUE(document.InsertCopies(1, source, {0, 2}, {}));
    EXPECT_EQ(Names(document), (std::vector<std::string>{"P0", "ABCDEFGHIJKLMNOP", "Z", "P1"}));
    EXPECT_EQ(document.Points().Row(2).lon, "") << "a point without a position is copied without one";
    EXPECT_EQ(document.Points().Row(2).outmost, "500");

    while (document.Count() < kTableRows - 1) document.ApplyFields(EditMode::Add, 0, PointFields{}, {});
    EXPECT_TRUE(document.CanAddPoint());
    EXPECT_EQ(document.InsertCopies(0, source, {0, 1, 2}, {})->rows, std::vector<int>{0});
    EXPECT_EQ(document.Points().Row(0).name, "ABCDEFGHIJKLMNOP");
    EXPECT_FALSE(document.CanAddPoint());
    EXPECT_FALSE(document.ApplyFields(EditMode::Add, 0, PointFields{}, {}));
    EXPECT_FALSE(document.AddCapturedPosition("1", "1", {}));
    EXPECT_EQ(document.History().StepCount(), 1u + 695u + 1u) << "one step per action";
}

TEST(PointDocument, FilesAndTheModifiedState) {
    test::TempDir dir;
    test::RecordingSink sink;
    PointDocument document;
    document.SetFileName("plan.txt", dir.RootPath());
    EXPECT_EQ(document.FilePath(), os::Path()) << "untitled: not .xml";
    EXPECT_EQ(document.Folder(), dir.RootPath());
    EXPECT_EQ(document.Save(dir.File("none.xml"), sink), FileOutcome::NothingToSave) << "no points: nothing written";

    Open(document, dir, {"A", "B"});
    EXPECT_EQ(document.FileName(), dir.File("points.xml"));
    EXPECT_EQ(document.FilePath(), dir.File("points.xml"));
    document.DeleteSelected(OnlyRow(0));
    EXPECT_EQ(document.Save(dir.File("no-folder") / "x" / "a.xml", sink), FileOutcome::Failed);
    EXPECT_TRUE(document.IsModified());
    EXPECT_EQ(document.Save(dir.File("b.xml"), sink), FileOutcome::Done);
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
        document.DeleteSelected(OnlyRow(0));
        test::RecordingSink sink;
        EXPECT_EQ(document.Open(dir.File(name), dir.RootPath(), sink), FileOutcome::Failed) << name;
        EXPECT_EQ(sink.messages.size(), 1u) << name;
        EXPECT_EQ(Names(document), (std::vector<std::string>{"B"})) << name;
        EXPECT_EQ(document.FileName(), dir.File("points.xml")) << name;
        EXPECT_EQ(document.FilePath(), dir.File("points.xml")) << name;
        EXPECT_TRUE(document.IsModified()) << name;
        EXPECT_TRUE(document.CanUndo()) << name << ": the history stays too";
    }
}

}  // namespace
}  // namespace vondrel
