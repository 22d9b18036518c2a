// Main window rules that need no window: the command-line token, the file name's folder and
// title, the layout arithmetic, the drop destination and the status and prompt texts.
#include <gtest/gtest.h>

#include "editing/drag_rules.h"
#include "editing/file_state.h"
#include "editing/layout_rules.h"
#include "editing/main_texts.h"

namespace vondrel {
namespace {

TEST(WindowLogic, FileNameFromArguments) {
    const struct {
        std::string arguments;
        std::string name;
    } cases[] = {
        {"", ""},
        {"points.xml", "points.xml"},
        {"\"C:\\My Points\\a.xml\"", "C:\\My Points\\a.xml"},
        {"C:\\My Points\\a.xml", "C:\\My Points\\a.xml"},
        {"a.xml,b.xml", "a.xml"},
        {"\"\"", "\"\""},
        {",\t\n", ",\t\n"},
        {"\ta.xml\t", "a.xml"},
        {std::string(300, 'x') + ".xml", std::string(300, 'x') + ".xml"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNameFromArguments(os::AsciiPathText(c.arguments)), os::Path(os::AsciiPathText(c.name))) << c.arguments;
    }
#ifdef _WIN32
    // Characters without a code page 932 form are kept as they are.
    EXPECT_EQ(FileNameFromArguments(L"\"C:\\\uC9C0\uB3C4\\\U0001F5FA.xml\""), os::Path(L"C:\\\uC9C0\uB3C4\\\U0001F5FA.xml"));
#endif
}

TEST(WindowLogic, NormalizePath) {
    const struct {
        std::string name;
        std::string folder;
        std::string path;
    } cases[] = {
        {"plan.txt", "<cwd>", ""},
        {"", "<cwd>", ""},
        {"points.xml", "<cwd>", "points.xml"},
        {"points.XmL", "<cwd>", "points.XmL"},
        {"sub/a.xml", "sub/", "sub/a.xml"},
        {".xml", "<cwd>", ".xml"},
        {"a.xml.bak", "<cwd>", ""},
#ifdef _WIN32
        {"C:\\data\\points.xml", "C:\\data\\", "C:\\data\\points.xml"},
        {"C:\\data\\points.XML", "C:\\data\\", "C:\\data\\points.XML"},
        {"C:points.xml", "C:", "C:points.xml"},
        {"C:\\data\\points", "C:\\data\\", ""},
        {"dir.xml\\points", "dir.xml\\", ""},
#else
        {"/home/u/a.b/c.XML", "/home/u/a.b/", "/home/u/a.b/c.XML"},
        {"back\\slash.xml", "<cwd>", "back\\slash.xml"},  // a backslash is a name's character here
#endif
    };
    const os::Path cwd = os::AsciiPathText("/work");
    for (const auto& c : cases) {
        const NormalizedPath normalized = NormalizePath(os::AsciiPathText(c.name), cwd);
        EXPECT_EQ(normalized.fileDirectory, c.folder == "<cwd>" ? cwd : os::Path(os::AsciiPathText(c.folder))) << c.name;
        EXPECT_EQ(normalized.filePath, os::Path(os::AsciiPathText(c.path))) << c.name;
    }
}

TEST(WindowLogic, ImportViewGivesTheOddPixelToTheMainList) {
    for (int width : {600, 601}) {
        const ListLayout layout = ImportViewLayout(width, 400, 50, 20, 22);
        const int area = width - 50 - 10;
        EXPECT_EQ(layout.importList.width + layout.mainList.width, area);
        EXPECT_EQ(layout.mainList.x, layout.importList.width);
        EXPECT_EQ(layout.mainList.width - layout.importList.width, area % 2);
        EXPECT_EQ(layout.mainList.y, 25);
        EXPECT_EQ(layout.mainList.height, 400 - 22 - 2 - 25);
    }
    // A control under the import list takes its height and a gap from it and ends with the main list.
    const ListLayout withChoice = ImportViewLayout(600, 400, 50, 20, 22, 21);
    EXPECT_EQ(withChoice.importList.height, 400 - 22 - 2 - 25 - 21 - 2);
    EXPECT_EQ(withChoice.importChoice.y + withChoice.importChoice.height, withChoice.mainList.y + withChoice.mainList.height);
    EXPECT_EQ(withChoice.importChoice.width, withChoice.importList.width);
    const ListLayout edit = EditViewLayout(600, 400, 50, 20, 22);
    EXPECT_EQ(edit.mainList.x, 0);
    EXPECT_EQ(edit.mainList.width, 540);
}

TEST(WindowLogic, MinimumSizeMovesTheFarEdges) {
    const Edges grown = EnforceMinimumSize({100, 100, 150, 120}, 500, 400);
    EXPECT_EQ(grown.left, 100);
    EXPECT_EQ(grown.right, 600);
    EXPECT_EQ(grown.bottom, 500);
    const Edges kept = EnforceMinimumSize({0, 0, 700, 500}, 500, 400);
    EXPECT_EQ(kept.right, 700);
}

TEST(WindowLogic, DropDestination) {
    EXPECT_EQ(DropDestination(5, 5, 100), 5);   // on a row
    EXPECT_EQ(DropDestination(-1, 5, 100), 6);  // below the rows or beside the list
    EXPECT_EQ(DropDestination(-1, 5, -3), 5);   // above the top edge
    EXPECT_EQ(DropDestination(-1, 5, 0), 5);
    EXPECT_TRUE(MoveChangesNothing(2, 2));
    EXPECT_TRUE(MoveChangesNothing(2, 3));
    EXPECT_FALSE(MoveChangesNothing(2, 4));
    EXPECT_FALSE(MoveChangesNothing(2, 1));
}

TEST(WindowLogic, Texts) {
    EXPECT_EQ(RowIndicatorText(4), "   5行");
    EXPECT_EQ(RowIndicatorText(122), " 123行");
    EXPECT_EQ(PointCountText(12), "地点登録数  12");
    EXPECT_EQ(PointLimitText(100), "100地点以上は登録出来ません");
    EXPECT_EQ(ConfirmSaveText(true, "C:\\a.xml"), "C:\\a.xmlは変更されています。保存しますか？");
    EXPECT_EQ(ConfirmSaveText(false, "plan.txt"), "新規ファイルです。保存しますか？");
}

}  // namespace
}  // namespace vondrel
