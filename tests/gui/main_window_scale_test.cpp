// The main window at the screen's scale (run at 96, 144 and 192 DPI, each in a Wine prefix of its
// own): its controls inside the client area and clear of each other, every caption's text within
// its control, the list's columns within its width with the coordinates whole, and the marks at
// the scaled size; what follows a change of scale; and the recent files of the File menu.
#include <gtest/gtest.h>

#include <cstdlib>

#include <filesystem>

#include "gui/gui_harness.h"
#include "os/file_io.h"
#include "win/dpi.h"
#include "win/registry.h"

namespace vondrel {
namespace {

RECT InParent(HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int SmallIconSize(const win::ListView& list) {
    int size = 0, unused = 0;
    ImageList_GetIconSize(reinterpret_cast<HIMAGELIST>(list.Send(LVM_GETIMAGELIST, LVSIL_SMALL)), &size, &unused);
    return size;
}

TEST(MainWindowScale, ControlsFitAtTheScreensScale) {
    test::MainWindow window(os::Path{});
    const int dpi = win::WindowDpi(window.Hwnd());
    const char* expected = std::getenv("VONDREL_LOGPIXELS");
    EXPECT_EQ(dpi, expected ? std::atoi(expected) : dpi);
    RECT client{};
    GetClientRect(window.Hwnd(), &client);
    std::vector<HWND> shown;
    for (HWND child = GetWindow(window.Hwnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (IsWindowVisible(child)) shown.push_back(child);
    }
    ASSERT_GE(shown.size(), 10u);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        const RECT r = InParent(shown[i]);
        const int id = GetDlgCtrlID(shown[i]);
        EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= client.right && r.bottom <= client.bottom) << "control " << id;
        for (std::size_t j = i + 1; j < shown.size(); ++j) {
            RECT other = InParent(shown[j]), both{};
            EXPECT_FALSE(IntersectRect(&both, &r, &other)) << "controls " << id << " and " << GetDlgCtrlID(shown[j]);
        }
        wchar_t text[64] = L"";
        const int length = GetWindowTextW(shown[i], text, 64);
        if (length == 0 || GetDlgCtrlID(shown[i]) == IDC_MAIN_STATUS_BAR) continue;
        HDC dc = GetDC(shown[i]);
        const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(shown[i], WM_GETFONT, 0, 0)));
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, length, &extent);
        SelectObject(dc, old);
        ReleaseDC(shown[i], dc);
        RECT inside{};
        GetClientRect(shown[i], &inside);
        EXPECT_LE(extent.cx, inside.right) << "caption of control " << id;
        EXPECT_LE(extent.cy, inside.bottom) << "caption of control " << id;
    }
    // No horizontal scroll bar: the columns add up to the list's width; 北緯 shows a latitude whole.
    const win::ListView list = window.MainList();
    int total = 0;
    for (int column = 0; column < list.ColumnCount(); ++column) total += list.ColumnWidth(column);
    EXPECT_EQ(total, list.ClientRect().right);
    const int latitude = static_cast<int>(list.Send(LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(L" 35.30.00.000")));
    EXPECT_GT(list.ColumnWidth(5), latitude);
    EXPECT_EQ(SmallIconSize(list), MulDiv(16, dpi, 96));
}

TEST(MainWindowScale, ADpiChangeResizesMarksColumnsAndPanes) {
    test::MainWindow window(os::Path{});
    const int dpi = win::WindowDpi(window.Hwnd()) * 2;
    RECT suggested{};
    GetWindowRect(window.Hwnd(), &suggested);
    suggested.right += suggested.right - suggested.left;
    SendMessageW(window.Hwnd(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    test::Pump();
    const win::ListView list = window.MainList();
    EXPECT_EQ(SmallIconSize(list), MulDiv(16, dpi, 96));
    int total = 0;
    for (int column = 0; column < list.ColumnCount(); ++column) total += list.ColumnWidth(column);
    EXPECT_EQ(total, list.ClientRect().right);
    int rights[4] = {};
    SendMessageW(GetDlgItem(window.Hwnd(), IDC_MAIN_STATUS_BAR), SB_GETPARTS, 4, reinterpret_cast<LPARAM>(rights));
    EXPECT_EQ(rights[2] - rights[1], MulDiv(100, dpi, 96)) << "the row pane";
}

class RecentFilesTest : public test::PointFileTest {};

TEST_F(RecentFilesTest, OpenedFilesAreListedAndAGoneOneIsRemoved) {
    // A name without a code page 932 form must come back from the registry as it was.
    const os::Path first = WritePoints("first.xml", {"A"});
    const os::Path second = dir.RootPath() / L"\uC9C0\uB3C4.xml";
    std::filesystem::copy_file(first, second);
    const win::RegistrySettings settings("SOFTWARE\\Zarn\\VondrelTests\\Vondrel");
    for (int i = 1; i <= 8; ++i) settings.DeleteValue("RecentFile" + std::to_string(i));
    test::MainWindow window(first);
    window.prompts.chosenFiles = {second};
    window.Command(ID_FILE_OPEN);
    EXPECT_EQ(settings.ReadWideValue("RecentFile1"), second.native());
    EXPECT_EQ(settings.ReadWideValue("RecentFile2"), first.native());
    wchar_t text[MAX_PATH + 8] = L"";
    GetMenuStringW(GetMenu(window.Hwnd()), ID_FILE_RECENT_FIRST + 1, text, MAX_PATH + 8, MF_BYCOMMAND);
    EXPECT_EQ(std::wstring(text), L"&2 " + first.native());
    std::filesystem::remove(first);
    window.Command(ID_FILE_RECENT_FIRST + 1);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_NE(window.prompts.messages[0].text.find("見つかりません"), std::string::npos);
    EXPECT_EQ(settings.ReadWideValue("RecentFile2"), L"");
    EXPECT_EQ(GetMenuState(GetMenu(window.Hwnd()), ID_FILE_RECENT_FIRST + 1, MF_BYCOMMAND), static_cast<UINT>(-1));
    EXPECT_EQ(window.Document().FilePath(), second) << "the list open is kept";
}

}  // namespace
}  // namespace vondrel
