// The keyboard, undo and redo, sorting by a heading, the find box and the duplicate check on a
// main window driven by messages: keys go through the window's own loop step as typed keys do.
#include <gtest/gtest.h>

#include <functional>

#include "gui/gui_harness.h"
#include "resource.h"
#include "win/list_view.h"

namespace vondrel {
namespace {

using test::MainWindow;

class EditCommands : public test::PointFileTest {
protected:
    static std::vector<int> Selected(MainWindow& window) {
        std::vector<int> rows;
        const win::ListView list = window.MainList();
        for (int row = list.LowestSelectedRow(); row >= 0; row = list.NextSelectedRow(row)) rows.push_back(row);
        return rows;
    }
};

TEST_F(EditCommands, KeysInTheMainList) {
    const std::vector<std::string> five = {"P0", "P1", "P2", "P3", "P4"};
    const struct {
        const char* what;
        UINT key;
        std::initializer_list<UINT> modifiers;
        std::vector<std::string> names;
        std::vector<int> selected;
    } cases[] = {
        {"Delete", VK_DELETE, {}, {"P0", "P1", "P3", "P4"}, {2}},
        {"Alt+Up", VK_UP, {VK_MENU}, {"P0", "P2", "P1", "P3", "P4"}, {1}},
        {"Alt+Down", VK_DOWN, {VK_MENU}, {"P0", "P1", "P3", "P2", "P4"}, {3}},
        {"Ctrl+A", 'A', {VK_CONTROL}, five, {0, 1, 2, 3, 4}},
        {"Esc", VK_ESCAPE, {}, five, {2}},
    };
    for (const auto& c : cases) {
        MainWindow window(WritePoints("five.xml", five));
        window.MainList().SelectAndFocus(2);
        // The menu was last opened with nothing to undo: its greyed items must not hold the keys back.
        window->Self().Send(WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(window.Hwnd())));
        test::PressKey(window.MainList().Hwnd(), c.key, c.modifiers);
        EXPECT_EQ(window.StoredNames(), c.names) << c.what;
        EXPECT_EQ(window.MainNames(), c.names) << c.what;
        EXPECT_EQ(Selected(window), c.selected) << c.what;
        // Ctrl+Z takes a change back with its selection, Ctrl+Y makes it again.
        test::PressKey(window.MainList().Hwnd(), 'Z', {VK_CONTROL});
        EXPECT_EQ(window.StoredNames(), five) << c.what;
        EXPECT_FALSE(window.Document().IsModified()) << c.what;
        if (c.names == five) continue;
        EXPECT_EQ(Selected(window), std::vector<int>{2}) << c.what;
        test::PressKey(window.MainList().Hwnd(), 'Y', {VK_CONTROL});
        EXPECT_EQ(window.StoredNames(), c.names) << c.what;
        EXPECT_EQ(window.StatusText(3), "変更あり") << c.what;
    }
}

TEST_F(EditCommands, KeysThatOpenDialogs) {
    for (UINT key : {VK_RETURN, VK_F2, VK_INSERT}) {
        MainWindow window(WritePoints("three.xml", {"P0", "P1", "P2"}));
        window.MainList().SelectAndFocus(1);
        std::string name;
        EXPECT_TRUE(test::WithModalWindow("#32770", "編集",
                                          [&](HWND dialog) {
                                              name = test::ItemText(dialog, IDC_EDIT_NAME);
                                              PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                                          },
                                          [&] { test::PressKey(window.MainList().Hwnd(), key); }))
            << key;
        EXPECT_EQ(name, key == VK_INSERT ? "" : "P1") << "the focused row, or a new one";
    }
    // The file keys ask their dialogs (scripted here): Ctrl+O, Ctrl+S of an untitled list, Ctrl+Shift+S.
    MainWindow window("");
    test::AddPoint(window, "NEW");
    window.prompts.answers = {IDNO};  // Open asks about the unsaved point first
    for (auto key : {std::pair<UINT, bool>{'O', false}, {'S', false}, {'S', true}}) {
        test::PressKey(window.MainList().Hwnd(), key.first, key.second ? std::initializer_list<UINT>{VK_CONTROL, VK_SHIFT}
                                                                        : std::initializer_list<UINT>{VK_CONTROL});
    }
    ASSERT_EQ(window.prompts.fileDialogs.size(), 3u);
    EXPECT_FALSE(window.prompts.fileDialogs[0].save);
    EXPECT_TRUE(window.prompts.fileDialogs[1].confirmOverwrite);
    EXPECT_TRUE(window.prompts.fileDialogs[2].confirmOverwrite);
    EXPECT_NE(window.prompts.fileDialogs[1].initialFolder.native().find(L"Documents"), std::wstring::npos)
        << "an untitled list is saved in Documents: " << os::DisplayPath(window.prompts.fileDialogs[1].initialFolder);
    // Ctrl+N asks about the unsaved point first; Yes to a cancelled save keeps it.
    window.prompts.answers = {IDYES};
    test::PressKey(window.MainList().Hwnd(), 'N', {VK_CONTROL});
    EXPECT_EQ(window.StoredNames(), std::vector<std::string>{"NEW"});
    window.prompts.answers = {IDNO};
    test::PressKey(window.MainList().Hwnd(), 'N', {VK_CONTROL});
    EXPECT_EQ(window.Document().Count(), 0);
    EXPECT_FALSE(window.Document().CanUndo()) << "a new list has no history";
}

TEST_F(EditCommands, AnEditKeepsItsTextKeys) {
    MainWindow window(WritePoints("two.xml", {"P0", "P1"}));
    window.MainList().SelectAndFocus(0);
    const HWND edit = window->Item(IDC_MAIN_LON).Hwnd();
    EnableWindow(edit, TRUE);
    SetWindowTextW(edit, L"139.44");
    SendMessageW(edit, EM_SETSEL, 0, 0);
    test::PressKey(edit, VK_DELETE);
    EXPECT_EQ(window->Item(IDC_MAIN_LON).GetText(), "39.44") << "Delete deletes a character";
    test::PressKey(edit, 'A', {VK_CONTROL});
    DWORD start = 1, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(end - start, 5u) << "Ctrl+A selects the edit's text";
    EXPECT_EQ(window.Document().Count(), 2) << "and no point was deleted";
    EXPECT_EQ(Selected(window), std::vector<int>{0});
}

TEST_F(EditCommands, FindAndFindNext) {
    MainWindow window(WritePoints("find.xml", {"東京タワー", "ｽｶｲﾂﾘｰ", "東京駅", "大阪"}));
    test::PressKey(window.MainList().Hwnd(), 'F', {VK_CONTROL});
    const HWND box = FindWindowW(L"#32770", L"検索");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(GetWindow(box, GW_OWNER), window.Hwnd());
    test::SetItemText(box, IDC_FIND_TEXT, "東京");
    test::Click(box, IDOK);
    EXPECT_EQ(Selected(window), std::vector<int>{0});
    test::PressKey(window.MainList().Hwnd(), VK_F3);
    EXPECT_EQ(Selected(window), std::vector<int>{2}) << "F3 finds the next";
    test::SetItemText(box, IDC_FIND_TEXT, "スカイ");
    test::PressKey(GetDlgItem(box, IDC_FIND_TEXT), VK_RETURN);
    EXPECT_EQ(Selected(window), std::vector<int>{1}) << "half-width katakana found by full-width";
    EXPECT_EQ(window.StatusText(1), "   2行");
    test::SetItemText(box, IDC_FIND_TEXT, "名古屋");
    test::Click(box, IDOK);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, "見つかりません");
    test::PressKey(GetDlgItem(box, IDC_FIND_TEXT), VK_ESCAPE);
    EXPECT_FALSE(IsWindow(box)) << "Esc closes the find box";
    EXPECT_TRUE(IsWindow(window.Hwnd())) << "and only it";
}

TEST_F(EditCommands, DuplicatesAreSelectedAndCounted) {
    MainWindow window(WritePoints("dup.xml", {"A", "B", "A"}));  // all at one place
    window.Command(ID_EDIT_DUPLICATES);
    EXPECT_EQ(Selected(window), (std::vector<int>{0, 1, 2}));
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, "名称が同じ地点、または互いに 30m 未満の地点が 3 件あります。\nそれらを選択しました。");
}

// A real click on a column heading: button down and up on the header control at the column.
void ClickHeading(MainWindow& window, int column) {
    const HWND header = window.MainList().Header();
    RECT r{};
    SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&r));
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(header, WM_LBUTTONUP, 0, at);
    test::Pump();
}

int SortArrow(MainWindow& window, int column) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    SendMessageW(window.MainList().Header(), HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
    return (item.fmt & HDF_SORTUP) ? 1 : (item.fmt & HDF_SORTDOWN) ? -1 : 0;
}

TEST_F(EditCommands, AClickOnAHeadingSortsAndASecondReverses) {
    const std::vector<std::string> original = {"ｶﾞｽﾄ", "あさひ", "Ｂ", "がすと"};
    MainWindow window(WritePoints("four.xml", original));
    window.MainList().SelectAndFocus(1);
    const struct {
        int column;
        std::vector<std::string> names;
        int arrow;
    } steps[] = {
        {1, {"Ｂ", "あさひ", "ｶﾞｽﾄ", "がすと"}, 1},   // width and kana kind aside; equals keep their order
        {1, {"ｶﾞｽﾄ", "がすと", "あさひ", "Ｂ"}, -1},  // the second click reverses
        {0, {"ｶﾞｽﾄ", "Ｂ", "がすと", "あさひ"}, 1},   // marks 0 0 5 5 by number
    };
    for (const auto& step : steps) {
        ClickHeading(window, step.column);
        EXPECT_EQ(window.MainNames(), step.names) << step.column;
        EXPECT_EQ(window.StoredNames(), step.names) << "the stored order is what the unit shows";
        EXPECT_EQ(SortArrow(window, step.column), step.arrow);
        EXPECT_EQ(window.MainList().CellText(window.MainList().LowestSelectedRow(), 1), "あさひ") << "the selection stays";
        EXPECT_EQ(window.StatusText(3), "変更あり");
    }
    EXPECT_EQ(SortArrow(window, 1), 0) << "one arrow at a time";
    for (int undo = 0; undo < 3; ++undo) window.Command(ID_EDIT_UNDO);
    EXPECT_EQ(window.MainNames(), original) << "each sort is one step";
    EXPECT_FALSE(window.Document().IsModified());
    EXPECT_EQ(SortArrow(window, 0), 0);
}

TEST_F(EditCommands, EveryChangeIsOneStepBackToTheSavedState) {
    MainWindow window(WritePoints("steps.xml", {"P0", "P1", "P2"}));
    window.MainList().SelectAndFocus(1);
    const std::vector<std::function<void()>> actions = {
        [&] { test::AddPoint(window, "NEW"); },
        [&] { test::WithEditDialog(window, IDC_MAIN_CHANGE, [](HWND d) { test::SetItemText(d, IDC_EDIT_TEL, "03"); }); },
        [&] { window.Command(IDC_MAIN_DELETE); },
        [&] { window.Command(ID_EDIT_MOVE_DOWN); },
    };
    for (const auto& act : actions) act();
    EXPECT_EQ(window.Document().History().StepCount(), actions.size());
    for (std::size_t i = 0; i < actions.size(); ++i) window.Command(ID_EDIT_UNDO);
    EXPECT_EQ(window.MainNames(), (std::vector<std::string>{"P0", "P1", "P2"}));
    EXPECT_EQ(Selected(window), std::vector<int>{1});
    EXPECT_FALSE(window.Document().IsModified());
    EXPECT_EQ(window.StatusText(3), "");
    // The menu shows what can be done: nothing left to undo, every step to redo.
    const HMENU menu = GetMenu(window.Hwnd());
    window->Self().Send(WM_INITMENU, reinterpret_cast<WPARAM>(menu));
    EXPECT_TRUE(GetMenuState(menu, ID_EDIT_UNDO, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu, ID_EDIT_REDO, MF_BYCOMMAND) & MF_GRAYED);
}

}  // namespace
}  // namespace vondrel
