// Point commands on a main window with a known table: change, add and delete through the real
// edit dialog, the selection walk, the status-bar row indicator and the context menu.
#include <gtest/gtest.h>

#include "resource.h"
#include "gui/gui_harness.h"
#include "win/list_view.h"
#include "os/win32_text.h"
#include "support/temp_dir.h"

namespace vondrel {
namespace {

using test::MainWindow;

// A point block with every field that the edit dialog gives back unchanged.
std::string FullPoint(const std::string& name) {
    return "<gpoi><nb>" + name + "</nb><rt>よみ</rt><lat>35.12345</lat><lon>139.50431</lon>"
           "<category vendor=\"Kenwood.HDD-NAVI\">0000310A</category>"
           "<optional-media format=\"MSNAVI\" id=\"3\" repeat=\"1\"><dcenter>90</dcenter></optional-media>"
           "<contact href=\"tel:03-1111\"/></gpoi>\r\n";
}

class PointCommands : public ::testing::Test {
protected:
    std::string File(const std::vector<std::string>& names) {
        std::string bytes;
        for (const auto& name : names) bytes += FullPoint(name);
        const std::string path = dir.Path("points" + std::to_string(++files) + ".xml");
        test::WriteFileBytes(path, bytes);
        return path;
    }
    static win::ListView List(MainWindow& window) { return window.MainList(); }
    static std::vector<std::string> Names(MainWindow& window) { return test::ColumnTexts(List(window).Hwnd(), 1); }
    static std::vector<int> Selected(MainWindow& window) {
        std::vector<int> rows;
        const win::ListView list = List(window);
        for (int row = list.LowestSelectedRow(); row >= 0; row = list.NextSelectedRow(row)) rows.push_back(row);
        return rows;
    }
    test::TempDir dir;
    int files = 0;
};

TEST_F(PointCommands, UntouchedOkKeepsEveryStoredValue) {
    MainWindow window(File({"P0", "P1"}));
    const PointRecord before = window.Document().Points().Row(1);
    List(window).SelectAndFocus(1);
    ASSERT_TRUE(test::WithEditDialog(window, IDC_MAIN_CHANGE, [](HWND dialog) {
        EXPECT_EQ(test::ItemText(dialog, IDC_EDIT_LON), "139.30.15.516");
        EXPECT_EQ(test::ItemText(dialog, IDC_EDIT_LAT), " 35.07.24.420");
    }));
    const PointRecord& after = window.Document().Points().Row(1);
    EXPECT_EQ(after.lon, "139.50431") << "an untouched coordinate keeps its stored text";
    EXPECT_EQ(after.lat, "35.12345");
    EXPECT_EQ(after.name, before.name);
    EXPECT_EQ(after.mark, before.mark);
    EXPECT_EQ(after.sound, before.sound);
    EXPECT_EQ(after.dcenter, before.dcenter);
    EXPECT_EQ(after.tel, before.tel);
    EXPECT_FALSE(window.Document().IsModified());
}

TEST_F(PointCommands, ChangeStoresWhatDiffersAndMarksTheList) {
    const struct {
        int control;
        std::string text;
        std::string PointRecord::*field;
        std::string stored;
    } cases[] = {
        {IDC_EDIT_TEL, "045-999", &PointRecord::tel, "045-999"},
        {IDC_EDIT_NAME, "東京タワー展望台", &PointRecord::name, "東京タワー展望台"},
        {IDC_EDIT_LAT, "35.40.12", &PointRecord::lat, "35.67000"},
        {IDC_EDIT_READING, "かな", &PointRecord::reading, "かな"},
    };
    for (const auto& c : cases) {
        MainWindow window(File({"P0", "P1", "P2"}));
        const PointRecord untouched = window.Document().Points().Row(2);
        List(window).SelectAndFocus(1);
        ASSERT_TRUE(test::WithEditDialog(window, IDC_MAIN_CHANGE, [&](HWND dialog) { test::SetItemText(dialog, c.control, c.text); }));
        EXPECT_EQ(window.Document().Points().Row(1).*(c.field), c.stored) << c.text;
        EXPECT_EQ(window.Document().Points().Row(2).*(c.field), untouched.*(c.field)) << "row 2 untouched";
        EXPECT_EQ(window.Document().Points().Row(1).lon, "139.50431");
        EXPECT_TRUE(window.Document().IsModified()) << c.text;
    }
}

TEST_F(PointCommands, CancelChangesNothing) {
    MainWindow window(File({"P0"}));
    List(window).SelectAndFocus(0);
    ASSERT_TRUE(test::WithEditDialog(window, IDC_MAIN_CHANGE, [](HWND dialog) { test::SetItemText(dialog, IDC_EDIT_NAME, "X"); },
                               false));
    EXPECT_EQ(window.Document().Points().Row(0).name, "P0");
    EXPECT_FALSE(window.Document().IsModified());
    EXPECT_EQ(List(window).CellText(0, 1), "P0");
}

TEST_F(PointCommands, AddStopsOnlyAtTheTablesLimit) {
    MainWindow full(File(test::NumberedNames("P", 700)));
    bool opened = test::WithEditDialog(full, IDC_MAIN_ADD, [](HWND) {}, false);
    EXPECT_FALSE(opened);
    ASSERT_EQ(full.prompts.messages.size(), 1u);
    EXPECT_EQ(full.prompts.messages[0].text, "700地点以上は登録出来ません");
    EXPECT_EQ(full.Document().Points().GetCount(), 700);

    MainWindow almost(File(test::NumberedNames("P", 699)));
    EXPECT_TRUE(test::WithEditDialog(almost, IDC_MAIN_ADD, [](HWND) {}));
    EXPECT_EQ(almost.Document().Points().GetCount(), 700);
    EXPECT_EQ(List(almost).Count(), 700);
    EXPECT_TRUE(almost.prompts.messages.empty());
}

TEST_F(PointCommands, AddInsertsBeforeTheLowestSelectedRowAndSelectsOnlyIt) {
    MainWindow window(File(test::NumberedNames("P", 7)));
    List(window).SelectAndFocus(5);
    List(window).SelectAndFocus(3);
    ASSERT_TRUE(test::WithEditDialog(window, IDC_MAIN_ADD, [](HWND dialog) { test::SetItemText(dialog, IDC_EDIT_NAME, "NEW"); }));
    EXPECT_EQ(Names(window), (std::vector<std::string>{"P0", "P1", "P2", "NEW", "P3", "P4", "P5", "P6"}));
    EXPECT_EQ(Selected(window), (std::vector<int>{3}));
    EXPECT_EQ(window.Document().Points().Row(3).name, "NEW");
    EXPECT_EQ(window.Document().Points().Row(3).mark, "01") << "a new point's mark number starts at 1";
    EXPECT_EQ(window.Document().Points().Row(3).lon, "") << "no position typed: none, not 0 degrees";
    EXPECT_EQ(window.StatusText(2), "地点登録数  8");
    EXPECT_TRUE(window.Document().IsModified());

    MainWindow empty("");
    ASSERT_TRUE(test::WithEditDialog(empty, IDC_MAIN_ADD, [](HWND dialog) { test::SetItemText(dialog, IDC_EDIT_NAME, "FIRST"); }));
    EXPECT_EQ(Names(empty), (std::vector<std::string>{"FIRST"}));
    EXPECT_EQ(Selected(empty), (std::vector<int>{0}));
}

TEST_F(PointCommands, AddCancelledInsertsNothing) {
    MainWindow window(File({"P0"}));
    ASSERT_TRUE(test::WithEditDialog(window, IDC_MAIN_ADD, [](HWND) {}, false));
    EXPECT_EQ(window.Document().Points().GetCount(), 1);
    EXPECT_EQ(List(window).Count(), 1);
}

TEST_F(PointCommands, DeleteWalksTheSelection) {
    const struct {
        int count;
        std::vector<int> select;
        std::vector<std::string> remaining;
        std::vector<int> selected;
        int focused;
    } cases[] = {
        {4, {1, 2}, {"P0", "P3"}, {1}, 1},
        {5, {1, 3}, {"P0", "P2", "P4"}, {1, 2}, 2},
        {3, {2}, {"P0", "P1"}, {1}, 1},  // the last row: the new last row is selected
    };
    for (const auto& c : cases) {
        MainWindow window(File(test::NumberedNames("P", c.count)));
        for (int row : c.select) List(window).SetState(row, LVIS_SELECTED, LVIS_SELECTED);
        window->Self().Send(WM_COMMAND, IDC_MAIN_DELETE);
        EXPECT_EQ(Names(window), c.remaining);
        std::vector<std::string> table;
        for (int i = 0; i < window.Document().Points().UsedCount(); ++i) table.push_back(window.Document().Points().Row(i).name);
        EXPECT_EQ(table, c.remaining);
        EXPECT_EQ(Selected(window), c.selected);
        if (c.focused >= 0) {
            EXPECT_EQ(List(window).FocusedRow(), c.focused);
        }
        EXPECT_EQ(window.StatusText(2), "地点登録数  " + std::to_string(c.remaining.size()));
    }
}

TEST_F(PointCommands, TheRowIndicatorFollowsTheSelection) {
    MainWindow window(File(test::NumberedNames("P", 6)));
    List(window).SelectAndFocus(4);
    NMHDR click{List(window).Hwnd(), IDC_MAIN_POINTS, static_cast<UINT>(NM_CLICK)};
    window->Self().Send(WM_NOTIFY, IDC_MAIN_POINTS, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(window.StatusText(1), "   5行");
    test::PressKey(List(window).Hwnd(), VK_UP);
    EXPECT_EQ(window.StatusText(1), "   4行") << "the arrow keys move it";
    window->Self().Send(WM_COMMAND, IDC_MAIN_DELETE);
    EXPECT_EQ(window.StatusText(1), "   4行") << "the row below the deleted one is selected";
    EXPECT_EQ(window.StatusText(3), "変更あり");
    window->Self().Send(WM_COMMAND, ID_SELECT_NONE);
    EXPECT_EQ(window.StatusText(1), "");
}

TEST_F(PointCommands, ContextMenuIsTheEditMenuOnlyForTheMainList) {
    MainWindow window(File({"P0"}));
    std::vector<std::string> items;
    const bool shown = test::WithModalWindow("#32768", "", [&](HWND menuWindow) {
        HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            wchar_t text[64] = L"";
            GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            items.push_back(std::to_string(GetMenuItemID(menu, i)) + ":" + os::ToCp932(text));
        }
        EndMenu();
    }, [&] {
        window->Self().Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(List(window).Hwnd()), MAKELPARAM(-1, -1));
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(items, (std::vector<std::string>{"1003:変更", "1009:追加", "1002:削除", "0:", "1004:地図表示", "1005:位置取り込み"}));
    const bool fromImport = test::WithModalWindow("#32768", "", [](HWND) { EndMenu(); }, [&] {
        window->Self().Send(WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.ImportList().Hwnd()), MAKELPARAM(10, 10));
    });
    EXPECT_FALSE(fromImport);
}

TEST_F(PointCommands, SelectAllAndNone) {
    MainWindow window(File({"P0", "P1", "P2"}));
    List(window).SelectAndFocus(1);
    window->Self().Send(WM_COMMAND, ID_SELECT_ALL);
    EXPECT_EQ(Selected(window), (std::vector<int>{0, 1, 2}));
    window->Self().Send(WM_COMMAND, ID_SELECT_NONE);
    EXPECT_EQ(Selected(window), std::vector<int>{});
}

}  // namespace
}  // namespace vondrel
