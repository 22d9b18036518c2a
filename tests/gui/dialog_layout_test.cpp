// The dialogs' templates: the point edit dialog's tab order, layout, styles and sound list,
// and the mark picker's 55 buttons, which pick their mark, and whose icons are freed at the end.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "dialogs/mark_picker_dialog.h"
#include "editing/point_edit_logic.h"
#include "gui/dialog_test_support.h"
#include "resource.h"

namespace vondrel {
namespace {

using test::Inside;
using test::kArrows;
using test::kTower;
using test::Stored;
using test::MarkIcons;
using test::PointEditDialogTest;
using test::RectIn;
using test::TextOf;

// Tab goes in reading order; of the radio pair only the checked one is a stop (landing on the
// other would switch it).
TEST_F(PointEditDialogTest, TabOrderFollowsTheLayout) {
    const std::vector<int> head = {IDC_EDIT_NAME, IDC_EDIT_READING,        IDC_EDIT_LON,         IDC_EDIT_LAT,
                                   IDC_EDIT_TEL,  IDC_EDIT_PASTE_POSITION, IDC_EDIT_COPY_POSITION, IDC_EDIT_MARK_NUMBER,
                                   IDC_EDIT_SOUND};
    const std::vector<int> tail = {IDC_EDIT_CAPTURE, IDC_EDIT_SHOW_MAP, IDC_EDIT_ADDRESS_SEARCH, IDOK, IDCANCEL};
    for (int on : {1, 0}) {
        Open({"", "", "", "", "", "1", "3", "0", on, 1});
        std::vector<int> expected = head;
        expected.push_back(on ? IDC_EDIT_DIRECTION_ON : IDC_EDIT_DIRECTION_OFF);
        if (on) expected.insert(expected.end(), std::begin(kArrows), std::end(kArrows));
        expected.insert(expected.end(), tail.begin(), tail.end());
        std::vector<int> visited;
        HWND current = Item(IDC_EDIT_NAME);
        do {
            visited.push_back(GetDlgCtrlID(current));
            current = GetNextDlgTabItem(dialog->Hwnd(), current, FALSE);
        } while (current != Item(IDC_EDIT_NAME) && visited.size() < 30);
        EXPECT_EQ(visited, expected);
        for (std::size_t i = 1; i < visited.size(); ++i) {  // below, or to the right on the same line
            const RECT a = RectIn(dialog->Hwnd(), Item(visited[i - 1])), b = RectIn(dialog->Hwnd(), Item(visited[i]));
            EXPECT_TRUE((b.top < a.bottom && a.top < b.bottom) ? b.left >= a.right : b.top >= a.top) << visited[i];
        }
    }
}

// Nothing overlaps or leaves the dialog, every caption fits, each control sits in its group.
TEST_F(PointEditDialogTest, LayoutHasNoClippingOrOverlap) {
    Open(kTower);
    const HWND window = dialog->Hwnd();
    RECT client{};
    GetClientRect(window, &client);
    HDC dc = GetDC(window);
    SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)));
    std::vector<HWND> controls, groups;
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const LONG style = GetWindowLongW(c, GWL_STYLE);
        wchar_t cls[32] = {};
        GetClassNameW(c, cls, 32);
        const bool button = lstrcmpiW(cls, L"Button") == 0;
        const bool group = button && (style & BS_TYPEMASK) == BS_GROUPBOX;
        (group ? groups : controls).push_back(c);
        const RECT rect = RectIn(window, c);
        EXPECT_TRUE(Inside(rect, client)) << TextOf(c) << " leaves the dialog";
        const std::wstring text = os::ToWide(TextOf(c));
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        int room = rect.right - rect.left;
        if (group) room -= 16;
        if (button && (style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) room -= GetSystemMetrics(SM_CXMENUCHECK) + 4;
        if (button && (style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) room -= 8;
        const bool captioned = button || (lstrcmpiW(cls, L"Static") == 0 && (style & SS_TYPEMASK) != SS_ICON);
        if (captioned) {
            EXPECT_LE(size.cx, room) << "'" << TextOf(c) << "' is clipped";
        }
    }
    ReleaseDC(window, dc);
    ASSERT_EQ(groups.size(), 5u);
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const RECT a = RectIn(window, controls[i]);
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (controls[j] == Item(IDC_EDIT_MARK_SPIN)) continue;  // it sits on its buddy's edge by design
            RECT b = RectIn(window, controls[j]), overlap{};
            EXPECT_FALSE(IntersectRect(&overlap, &a, &b)) << TextOf(controls[i]) << " overlaps " << TextOf(controls[j]);
        }
        for (HWND group : groups) {
            RECT g = RectIn(window, group), overlap{};
            EXPECT_TRUE(!IntersectRect(&overlap, &a, &g) || Inside(a, g)) << GetDlgCtrlID(controls[i]) << " straddles a group";
        }
    }
    const std::vector<int> members[] = {
        {IDC_EDIT_MARK_ICON, IDC_EDIT_MARK_NUMBER, IDC_EDIT_MARK_SPIN},
        {IDC_EDIT_SOUND},
        {IDC_EDIT_DIRECTION_ON, IDC_EDIT_DIRECTION_OFF},
        {IDC_EDIT_DIRECTION_BACK, IDC_EDIT_DIRECTION_TEXT, IDC_EDIT_DIRECTION_FORWARD},
        {IDC_EDIT_MAP_LON, IDC_EDIT_MAP_LAT, IDC_EDIT_CAPTURE, IDC_EDIT_SHOW_MAP},
    };
    const char* names[] = {"２Ｄマーク", "効果音：", "方向指定：", "方向：", "地図の位置"};
    for (std::size_t g = 0; g < groups.size(); ++g) {
        EXPECT_EQ(TextOf(groups[g]), names[g]);
        for (int id : members[g]) EXPECT_TRUE(Inside(RectIn(window, Item(id)), RectIn(window, groups[g]))) << id;
    }
}

TEST_F(PointEditDialogTest, TemplateStylesAndTheSoundList) {
    Open({});
    EXPECT_EQ(TextOf(dialog->Hwnd()), "編集");
    const struct {
        int id;
        const char* text;  // nullptr: not checked
        LONG mask, type, styles;
    } cases[] = {
        {IDC_EDIT_MARK_ICON, nullptr, SS_TYPEMASK, SS_ICON, SS_SUNKEN | SS_NOTIFY},
        {IDC_EDIT_MARK_NUMBER, nullptr, ES_READONLY, 0, ES_RIGHT},
        {IDC_EDIT_MARK_SPIN, nullptr, 0, 0, UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS},
        {IDC_EDIT_SOUND, nullptr, 3 | CBS_SORT, CBS_DROPDOWN, WS_TABSTOP},
        {IDC_EDIT_DIRECTION_ON, "有り", BS_TYPEMASK, BS_AUTORADIOBUTTON, WS_GROUP},
        {IDC_EDIT_DIRECTION_OFF, "無し", BS_TYPEMASK | WS_GROUP, BS_AUTORADIOBUTTON, 0},
        {IDC_EDIT_DIRECTION_BACK, "←", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDC_EDIT_DIRECTION_TEXT, nullptr, 0, 0, ES_READONLY | ES_RIGHT},
        {IDC_EDIT_DIRECTION_FORWARD, "→", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDC_EDIT_CAPTURE, "位置取込", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDC_EDIT_SHOW_MAP, "地図表示", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
        {IDOK, "OK", BS_TYPEMASK, BS_DEFPUSHBUTTON, WS_TABSTOP},
        {IDCANCEL, "CANCEL", BS_TYPEMASK, BS_PUSHBUTTON, WS_TABSTOP},
    };
    for (const auto& c : cases) {
        const LONG style = GetWindowLongW(Item(c.id), GWL_STYLE);
        EXPECT_EQ(style & c.mask, c.type) << c.id;
        EXPECT_EQ(style & c.styles, c.styles) << c.id;
        if (c.text) {
            EXPECT_EQ(Text(c.id), c.text) << c.id;
        }
    }
    const HWND spin = Item(IDC_EDIT_MARK_SPIN);
    EXPECT_EQ(reinterpret_cast<HWND>(SendMessageW(spin, UDM_GETBUDDY, 0, 0)), Item(IDC_EDIT_MARK_NUMBER));
    int lower = 0, upper = 0;
    SendMessageW(spin, UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    EXPECT_EQ(std::make_pair(lower, upper), std::make_pair(1, 55));

    const HWND combo = Item(IDC_EDIT_SOUND);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 61);
    for (int id = 0; id < 61; ++id) {
        wchar_t text[64] = {};
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(text));
        EXPECT_EQ(os::ToCp932(text), point_edit::SoundNames[static_cast<std::size_t>(id)]) << id;
    }
    // Dropped, the list shows the template's height (not the default 30 entries) and scrolls.
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    RECT list{};
    GetClientRect(info.hwndList, &list);
    const int visible = list.bottom / static_cast<int>(SendMessageW(info.hwndList, LB_GETITEMHEIGHT, 0, 0));
    EXPECT_TRUE(visible >= 12 && visible < 30) << visible;
    EXPECT_TRUE(GetWindowLongW(info.hwndList, GWL_STYLE) & WS_VSCROLL);
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
}

class MarkPickerTest : public ::testing::Test {
protected:
    MarkIcons icons;
};

TEST_F(MarkPickerTest, FiftyFiveEqualButtonsInReadingOrder) {
    MarkPickerDialog picker(0, icons.Function());
    ASSERT_NE(picker.CreateModeless(nullptr), nullptr);
    const HWND window = picker.Hwnd();
    EXPECT_EQ(TextOf(window), "ﾀﾞｲｱﾛｸﾞ");
    const RECT first = RectIn(window, GetDlgItem(window, MarkButtonId(1)));
    // Equal spacing in dialog units: within a pixel in screen pixels.
    const double dx = (RectIn(window, GetDlgItem(window, MarkButtonId(11))).left - first.left) / 10.0;
    const double dy = (RectIn(window, GetDlgItem(window, MarkButtonId(45))).top - first.top) / 4.0;
    EXPECT_TRUE(dx > first.right - first.left && dy > first.bottom - first.top) << "no overlap";
    for (int n = 0; n < 55; ++n) {
        const HWND button = GetDlgItem(window, MarkButtonId(n + 1));
        ASSERT_NE(button, nullptr) << n + 1;
        EXPECT_EQ(TextOf(button), "Button1");
        EXPECT_TRUE(GetWindowLongW(button, GWL_STYLE) & BS_ICON);
        EXPECT_EQ(icons.IndexOf(reinterpret_cast<HICON>(SendMessageW(button, BM_GETIMAGE, IMAGE_ICON, 0))), n)
            << "button " << n + 1 << " shows mark " << n + 1;
        const RECT rect = RectIn(window, button);
        EXPECT_NEAR(rect.left - first.left, (n % 11) * dx, 1.0) << n;
        EXPECT_NEAR(rect.top - first.top, (n / 11) * dy, 1.0) << n;
        EXPECT_EQ(rect.right - rect.left, first.right - first.left);
        EXPECT_EQ(rect.bottom - rect.top, first.bottom - first.top);
    }
    EXPECT_EQ(GetWindowLongW(GetDlgItem(window, IDOK), GWL_STYLE) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(TextOf(GetDlgItem(window, IDCANCEL)), "ｷｬﾝｾﾙ");
    EXPECT_GE(RectIn(window, GetDlgItem(window, IDOK)).top, RectIn(window, GetDlgItem(window, MarkButtonId(55))).bottom);
}

TEST_F(MarkPickerTest, AMarkButtonPicksItsMarkAndTheWaysOutPickNothing) {
    const struct {
        std::function<void(HWND)> end;
        INT_PTR result;
        int mark;
    } cases[] = {
        {[](HWND p) { SendMessageW(GetDlgItem(p, IDC_PICKER_MARK_10), BM_CLICK, 0, 0); }, IDOK, 10},  // row 1, tenth
        {[](HWND p) { SendMessageW(GetDlgItem(p, IDC_PICKER_MARK_55), BM_CLICK, 0, 0); }, IDOK, 55},
        {[](HWND p) { SendMessageW(GetDlgItem(p, IDOK), BM_CLICK, 0, 0); }, IDOK, 7},
        {[](HWND p) { SendMessageW(GetDlgItem(p, IDCANCEL), BM_CLICK, 0, 0); }, IDCANCEL, 7},
        {[](HWND p) { SendMessageW(p, WM_CLOSE, 0, 0); }, IDCANCEL, 7},
        {[](HWND p) {
             MSG key{GetDlgItem(p, IDC_PICKER_MARK_1), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
             IsDialogMessageW(p, &key);
         }, IDCANCEL, 7},
    };
    for (const auto& c : cases) {
        MarkPickerDialog picker(7, icons.Function());
        ASSERT_NE(picker.CreateModeless(nullptr), nullptr);
        EXPECT_EQ(GetFocus(), GetDlgItem(picker.Hwnd(), IDC_PICKER_MARK_7)) << "the mark shown has the focus";
        c.end(picker.Hwnd());
        test::Pump();
        EXPECT_EQ(picker.Hwnd(), nullptr);
        EXPECT_EQ(picker.Result(), c.result);
        EXPECT_EQ(picker.Mark(), c.mark);
        icons.ExpectAllFreed();
    }
    MarkPickerDialog blank(0, nullptr);  // no images to give: blank buttons
    ASSERT_NE(blank.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(SendMessageW(GetDlgItem(blank.Hwnd(), IDC_PICKER_MARK_1), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}
}  // namespace
}  // namespace vondrel
