// The import pane: loading by command and by drop, every point listed, and dragging points from it
// onto the main list (where they land, what is copied, what the pane keeps).
#include <gtest/gtest.h>

#include "resource.h"
#include "gui/gui_harness.h"
#include "win/list_view.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

using test::MainWindow;

class ImportPaneTest : public test::PointFileTest {
protected:
    static void Import(MainWindow& window, const os::Path& path) {
        window.prompts.chosenFiles = {path};
        window->Self().Send(WM_COMMAND, ID_FILE_IMPORT);
    }
    // Drags the pane's selected rows and releases over `target` (main list client coordinates).
    static void DragTo(MainWindow& window, POINT target) {
        const HWND pane = window.ImportList().Hwnd();
        NMLISTVIEW begin{};
        begin.hdr = {pane, IDC_MAIN_IMPORT_LIST, static_cast<UINT>(LVN_BEGINDRAG)};
        window->Self().Send(WM_NOTIFY, IDC_MAIN_IMPORT_LIST, reinterpret_cast<LPARAM>(&begin));
        MapWindowPoints(window.MainList().Hwnd(), pane, &target, 1);
        SendMessageW(pane, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(target.x, target.y));
        SendMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(target.x), static_cast<short>(target.y)));
        test::Pump();
    }

};

TEST_F(ImportPaneTest, ImportCommandShowsTheImportViewAndLoads) {
    MainWindow window(WritePoints("main.xml", {"P0"}));
    const os::Path many = WritePoints("many.xml", test::NumberedNames("I", 250));
    Import(window, many);
    EXPECT_TRUE(window.ImportViewShown());
    EXPECT_EQ(window.ImportList().Count(), 250);
    EXPECT_EQ(window.ImportList().CellText(249, 1), "I249");
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(window.prompts.fileDialogs[0].filter, "地点ファイル ( *.xml)|*.xml|すべてのファイル (*.*)|*.*||");
    EXPECT_EQ(window.prompts.fileDialogs[0].initialFolder.native(), dir.RootPath().native() + L"\\");
    EXPECT_EQ(window.Document().FileName(), dir.File("main.xml")) << "the import leaves the edited list's file alone";
    EXPECT_EQ(window.Document().Points().GetCount(), 1);
}

TEST_F(ImportPaneTest, CancelledImportStillSwitchesTheView) {
    MainWindow window("");
    window->Self().Send(WM_COMMAND, ID_FILE_IMPORT);
    EXPECT_TRUE(window.ImportViewShown());
    EXPECT_EQ(window.ImportList().Count(), 0);
}

TEST_F(ImportPaneTest, DroppedFilesLoadTheLastAndARefusedFileKeepsTheRows) {
    MainWindow window("");
    const os::Path a = WritePoints("a.xml", {"A"});
    const os::Path b = WritePoints("b.xml", {"B1", "B2"});
    const os::Path text = WritePoints("c.txt", {"C"});
    const HWND pane = window.ImportList().Hwnd();
    SendMessageW(pane, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({a, b})), 0);
    EXPECT_EQ(test::ColumnTexts(pane, 1), (std::vector<std::string>{"B1", "B2"}));
    SendMessageW(pane, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({text})), 0);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, os::DisplayPath(text) + "\n    は認識できないファイルです");
    EXPECT_EQ(test::ColumnTexts(pane, 1), (std::vector<std::string>{"B1", "B2"}));
    EXPECT_EQ(window.Document().Points().GetCount(), 0) << "a drop on the pane never touches the edited list";
}

// The points keep the pane's order (this test expected them reversed while that fault stood).
TEST_F(ImportPaneTest, DraggedPointsAreInsertedBeforeTheRowInThePanesOrderOrAppended) {
    const struct {
        const char* what;
        int targetRow;  // -1: below the last row
        std::vector<std::string> expected;
        int firstNew;
    } cases[] = {
        {"on row 2", 2, {"P0", "P1", "X", "Y", "Z", "P2"}, 2},
        {"below the last row", -1, {"P0", "P1", "P2", "X", "Y", "Z"}, 3},
    };
    for (const auto& c : cases) {
        MainWindow window(WritePoints("main.xml", {"P0", "P1", "P2"}));
        Import(window, WritePoints("xyz.xml", {"X", "Y", "Z"}));
        const win::ListView pane = window.ImportList();
        for (int row = 0; row < 3; ++row) pane.SetState(row, LVIS_SELECTED, LVIS_SELECTED);
        // Near the left edge: a row's rectangle runs on beyond the visible half of the window.
        POINT target{20, test::RowCentre(window.MainList().Hwnd(), 2).y};
        if (c.targetRow < 0) target.y = window.MainList().ClientRect().bottom - 5;
        DragTo(window, target);
        EXPECT_EQ(window.MainNames(), c.expected) << c.what;
        EXPECT_EQ(window.StoredNames(), c.expected) << c.what;
        EXPECT_TRUE(window.Document().IsModified());
        EXPECT_EQ(window.StatusText(2), "地点登録数  6");
        EXPECT_EQ(pane.Count(), 3) << "the pane keeps its rows";
        EXPECT_EQ(pane.SelectedCount(), 3) << "and its selection";
        EXPECT_EQ(window.MainList().SelectedCount(), 3);
        EXPECT_EQ(window.MainList().LowestSelectedRow(), c.firstNew) << "the new points are selected";
        EXPECT_EQ(GetCapture(), nullptr) << "the drag has ended";
        window.Command(ID_EDIT_UNDO);
        EXPECT_EQ(window.StoredNames(), (std::vector<std::string>{"P0", "P1", "P2"})) << "one step";
    }
}

TEST_F(ImportPaneTest, CopiedPointsPassThroughTheEditedTablesRules) {
    MainWindow window("");
    std::string bytes = "<gpoi><nb>ABCDEFGHIJKLMNOPQRST</nb><rt>よみ</rt><lat>35.12345</lat><lon>139.50431</lon>"
                        "<category vendor=\"Kenwood.HDD-NAVI\">0000310A</category>"
                        "<optional-media format=\"MSNAVI\" id=\"3\" repeat=\"1\"><dcenter>90</dcenter>"
                        "</optional-media><outmost>900</outmost><contact href=\"tel:03\"/></gpoi>";
    test::WriteFileBytes(dir.File("one.xml"), bytes);
    Import(window, dir.File("one.xml"));
    window.ImportList().SelectAndFocus(0);
    DragTo(window, {20, 20});
    ASSERT_EQ(window.Document().Points().GetCount(), 1);
    const PointRecord& p = window.Document().Points().Row(0);
    EXPECT_EQ(p.name, "ABCDEFGHIJKLMNOP") << "stored with 16 bytes";
    EXPECT_EQ(window.MainList().CellText(0, 1), "ABCDEFGHIJKLMNOP") << "shown as stored (it showed the whole name)";
    EXPECT_EQ(p.lon, "139.50431");
    EXPECT_EQ(p.lat, "35.12345");
    EXPECT_EQ(p.mark, "0A");
    EXPECT_EQ(p.reading, "よみ");
    EXPECT_EQ(p.tel, "03");
    EXPECT_EQ(p.sound, "3");
    EXPECT_EQ(p.dcenter, "90");
    EXPECT_EQ(p.directionOn, 1);
    EXPECT_EQ(p.outmost, "500");
}

TEST_F(ImportPaneTest, ReleasingOutsideTheMainListCopiesNothing) {
    MainWindow window(WritePoints("main.xml", {"P0"}));
    Import(window, WritePoints("x.xml", {"X"}));
    window.ImportList().SelectAndFocus(0);
    const HWND pane = window.ImportList().Hwnd();
    NMLISTVIEW begin{};
    begin.hdr = {pane, IDC_MAIN_IMPORT_LIST, static_cast<UINT>(LVN_BEGINDRAG)};
    window->Self().Send(WM_NOTIFY, IDC_MAIN_IMPORT_LIST, reinterpret_cast<LPARAM>(&begin));
    SendMessageW(pane, WM_LBUTTONUP, 0, MAKELPARAM(10, 30));  // on the pane itself
    EXPECT_EQ(window.Document().Points().GetCount(), 1);
    EXPECT_EQ(GetCapture(), nullptr) << "the drag has ended";
}

TEST_F(ImportPaneTest, AFullTableTakesWhatFitsAndSaysSo) {
    MainWindow window(WritePoints("main.xml", test::NumberedNames("P", 699)));
    Import(window, WritePoints("xyz.xml", {"X", "Y", "Z"}));
    const win::ListView pane = window.ImportList();
    for (int row = 0; row < 3; ++row) pane.SetState(row, LVIS_SELECTED, LVIS_SELECTED);
    DragTo(window, {20, test::RowCentre(window.MainList().Hwnd(), 0).y});
    EXPECT_EQ(window.Document().Points().GetCount(), 700);
    EXPECT_EQ(window.Document().Points().Row(0).name, "X");
    EXPECT_EQ(window.Document().Points().Row(1).name, "P0") << "no point overwritten";
    EXPECT_EQ(window.MainList().Count(), 700) << "one row per point";
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, "700地点以上は登録出来ません");
}

}  // namespace
}  // namespace vondrel
