// Many points at once in the main window: the batch change of the selected rows through its
// dialog, and the replace box with its count, each one undo step.
#include <gtest/gtest.h>

#include "gui/gui_harness.h"
#include "resource.h"

namespace vondrel {
namespace {

class BatchCommands : public test::PointFileTest {};

TEST_F(BatchCommands, SelectedRowsChangeTogetherInOneStep) {
    test::MainWindow window(WritePoints("three.xml", {"P0", "P1", "P2"}));
    const PointRecord before = window.Document().Points().Row(1);
    window.MainList().SelectAndFocus(0);
    window.MainList().SelectAndFocus(2);
    std::string count;
    std::vector<UINT> checks;  // mark and sound, before and after the mark is typed
    ASSERT_TRUE(test::WithModalWindow("#32770", "一括変更", [&](HWND dialog) {
        count = test::ItemText(dialog, IDC_BATCH_COUNT);
        checks = {IsDlgButtonChecked(dialog, IDC_BATCH_MARK_CHANGE), IsDlgButtonChecked(dialog, IDC_BATCH_SOUND_CHANGE)};
        test::SetItemText(dialog, IDC_BATCH_MARK_NUMBER, "12");
        checks.push_back(IsDlgButtonChecked(dialog, IDC_BATCH_MARK_CHANGE));
        checks.push_back(IsDlgButtonChecked(dialog, IDC_BATCH_SOUND_CHANGE));
        test::Click(dialog, IDOK);
    }, [&] { test::PressKey(window.MainList().Hwnd(), VK_RETURN); }));
    EXPECT_NE(count.find("2 地点"), std::string::npos) << count;
    EXPECT_EQ(checks, (std::vector<UINT>{BST_UNCHECKED, BST_UNCHECKED, BST_CHECKED, BST_UNCHECKED}));
    const PointTable& points = window.Document().Points();
    EXPECT_EQ(points.Row(0).mark + points.Row(1).mark + points.Row(2).mark, "0C" + before.mark + "0C");
    EXPECT_EQ(window.Document().History().StepCount(), 1u);
}

TEST_F(BatchCommands, ReplaceTellsTheCountAndTheShortenedNames) {
    const std::vector<std::string> names = {"東京タワー", "大阪城", "東京駅"};
    test::MainWindow window(WritePoints("names.xml", names));
    window.MainList().SelectAndFocus(1);  // one row: the whole list is searched
    std::string count, refused;
    LRESULT shortened = -1;
    ASSERT_TRUE(test::WithModalWindow("#32770", "置換", [&](HWND dialog) {
        // The first two edit boxes: the text looked for, then its replacement.
        const HWND search = FindWindowExW(dialog, nullptr, L"Edit", nullptr);
        SetWindowTextW(search, L"\U0001F697");  // no code page 932 form: it would be stored as "?"
        refused = test::ItemText(dialog, IDC_REPLACE_COUNT) + (IsWindowEnabled(GetDlgItem(dialog, IDOK)) ? " enabled" : "");
        SetWindowTextW(search, L"東京");
        SetWindowTextW(FindWindowExW(dialog, search, L"Edit", nullptr), L"ＴＯＫＹＯ都");
        count = test::ItemText(dialog, IDC_REPLACE_COUNT);
        shortened = SendDlgItemMessageW(dialog, IDC_REPLACE_SHORTENED, LB_GETCOUNT, 0, 0);
        test::Click(dialog, IDOK);
    }, [&] { test::PressKey(window.MainList().Hwnd(), 'H', {VK_CONTROL}); }));
    EXPECT_EQ(refused, "使用できない文字が含まれています");
    EXPECT_EQ(count, "全 3 地点のうち 2 地点が変わります。\n名称が 16 バイトを超える 1 地点は短縮されます：");
    EXPECT_EQ(shortened, 1);
    EXPECT_EQ(window.MainNames(), (std::vector<std::string>{"ＴＯＫＹＯ都タワ", "大阪城", "ＴＯＫＹＯ都駅"}));
    test::PressKey(window.MainList().Hwnd(), 'Z', {VK_CONTROL});
    EXPECT_EQ(window.StoredNames(), names);
}

}  // namespace
}  // namespace vondrel
