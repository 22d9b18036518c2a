// The main window driven by messages: start-up with and without a file, the status bar, the
// list with its icons, drag-reorder, sizing, the view switch, the mark image fallback and settings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "gui/gui_harness.h"
#include "os/file_io.h"
#include "os/win32_text.h"
#include "resource.h"
#include "support/temp_dir.h"
#include "win/list_view.h"
#include "win/program_folder.h"
#include "core/limits.h"
#include "ui/mark_images.h"

namespace vondrel {
namespace {

using test::MainWindow;

class MainWindowTest : public test::PointFileTest {
protected:
    static win::ListView MainList(MainWindow& window) { return window.MainList(); }
};

TEST_F(MainWindowTest, StartsWithTheFileOnTheCommandLine) {
    const os::Path path = WritePoints("start.xml", {"P0", "P1", "P2"});
    MainWindow window(path);
    const win::ListView list = MainList(window);
    EXPECT_EQ(test::ColumnTexts(list.Hwnd(), 1), (std::vector<std::string>{"P0", "P1", "P2"}));
    EXPECT_EQ(test::ColumnTexts(list.Hwnd(), 0), (std::vector<std::string>{"00", "05", "00"}));
    EXPECT_EQ(list.Image(0), -1) << "mark 0 shows no icon";
    EXPECT_EQ(list.Image(1), 4) << "mark 5 shows image 4";
    EXPECT_EQ(list.CellText(0, 4), "139.30.00.000");
    EXPECT_EQ(list.CellText(0, 5), " 35.30.00.000");
    EXPECT_EQ(window.StatusText(0), os::DisplayPath(path));
    EXPECT_EQ(window.StatusText(1), "");
    EXPECT_EQ(window.StatusText(2), "地点登録数  3");
    EXPECT_EQ(window.Document().FilePath(), path);
    EXPECT_EQ(window.Document().Folder().native(), dir.RootPath().native() + L"\\");
    EXPECT_TRUE(window.prompts.messages.empty());
    EXPECT_EQ(window->Self().GetText(), "Kestrova");
    window.Command(ID_FILE_IMPORT);  // cancelled
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(window.prompts.fileDialogs[0].initialFolder.native(), dir.RootPath().native() + L"\\")
        << "the import starts in the file's folder";
}

TEST_F(MainWindowTest, StartsEmptyWithoutArguments) {
    MainWindow window("");
    EXPECT_EQ(MainList(window).Count(), 0);
    EXPECT_TRUE(window.Document().FileName().empty());
    EXPECT_TRUE(window.Document().FilePath().empty());
    EXPECT_EQ(window.Document().Folder(), os::Path()) << "no folder used yet: the dialogs start in Documents";
    for (int pane = 0; pane < 3; ++pane) EXPECT_EQ(window.StatusText(pane), "") << pane;
    EXPECT_FALSE(window->Item(IDC_MAIN_CAPTURE).IsEnabled());
    EXPECT_FALSE(window->Item(IDC_MAIN_LON).IsEnabled());
    EXPECT_FALSE(window->Item(IDC_MAIN_LAT).IsEnabled());
}

TEST_F(MainWindowTest, CommandLineTokens) {
    const std::string spaced = dir.Path("my points");
    std::filesystem::create_directory(test::PathOf(spaced));
    const std::string path = spaced + "\\a.xml";
    test::WriteFileBytes(path, test::PointFileBytes({"Q"}));
    const std::string a = dir.Path("a.xml");
    WritePoints("a.xml", {"A"});
    WritePoints("b.xml", {"B"});
    const struct {
        std::string arguments;
        std::string fileName;
        std::string firstName;
    } cases[] = {
        {"\"" + path + "\"", path, "Q"},
        {path, path, "Q"},  // a space is not a delimiter: the path is taken whole
        {a + "," + dir.Path("b.xml"), a, "A"},
    };
    for (const auto& c : cases) {
        MainWindow window(test::CommandLine{c.arguments});
        EXPECT_EQ(window.Document().FileName(), test::PathOf(c.fileName)) << c.arguments;
        EXPECT_EQ(window.Document().FilePath(), test::PathOf(c.fileName)) << c.arguments;
        ASSERT_EQ(MainList(window).Count(), 1) << c.arguments;
        EXPECT_EQ(MainList(window).CellText(0, 1), c.firstName);
    }
}

TEST_F(MainWindowTest, ANameThatIsNotXmlIsRefusedAndStaysUntitled) {
    MainWindow window("plan.txt");
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, "plan.txt\n    は認識できないファイルです");
    EXPECT_EQ(window.prompts.messages[0].buttons & MB_TYPEMASK, static_cast<UINT>(MB_OK));
    EXPECT_TRUE(window.Document().FileName().empty()) << "a file that was not read gives the list no name";
    EXPECT_TRUE(window.Document().FilePath().empty());
    EXPECT_EQ(MainList(window).Count(), 0);
    EXPECT_EQ(window.StatusText(0), "");
    EXPECT_EQ(window.StatusText(2), "地点登録数  0");
}

TEST_F(MainWindowTest, AStartFileThatCannotBeReadLeavesTheListUntitled) {
    // Saving must never write over a file that could not be read (here: one held by another
    // program); the dialogs still start in its folder.
    const os::Path path = WritePoints("locked.xml", {"L"});
    HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    MainWindow window(path);
    CloseHandle(other);
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_TRUE(window.Document().FilePath().empty());
    EXPECT_EQ(window.Document().Folder().native(), dir.RootPath().native() + L"\\");
    test::AddPoint(window, "N");
    window.prompts.chosenFiles = {""};
    window.Command(ID_FILE_SAVE);
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u) << "Save asks for a name";
    EXPECT_EQ(test::ReadFileBytes(path), test::PointFileBytes({"L"}));
}

TEST_F(MainWindowTest, LongCommandLinesAreTakenWhole) {
    const os::Path path = dir.LongFolderPath() / L"long.xml";
    ASSERT_GT(path.native().size(), 300u);
    test::WriteFileBytes(path, test::PointFileBytes({"L"}));
    // The file is written through the extended path form by the test helper's own route.
    if (!os::FileExists(path)) {
        GTEST_SKIP() << "this file system cannot hold the long path";
    }
    MainWindow window(path);
    EXPECT_EQ(window.Document().FileName(), path);
    EXPECT_EQ(MainList(window).Count(), 1);
}

TEST_F(MainWindowTest, ListsEveryPoint) {
    MainWindow window(WritePoints("many.xml", test::NumberedNames("P", 700)));
    EXPECT_EQ(MainList(window).Count(), 700);
    EXPECT_EQ(window.StatusText(2), "地点登録数  700");
    EXPECT_EQ(MainList(window).CellText(699, 1), "P699");
    EXPECT_EQ(MainList(window).Image(699), 4);

    // What listing costs: a window made, loaded and drawn with 700 points against one with a
    // screenful of 30 (reported, never judged): rows off the screen are never asked for.
    const os::Path screenful = WritePoints("thirty.xml", test::NumberedNames("P", 30));
    std::vector<double> times[2];
    for (int run = 0; run < 7; ++run) {
        for (int k = 0; k < 2; ++k) {
            LARGE_INTEGER frequency, start, end;
            QueryPerformanceFrequency(&frequency);
            QueryPerformanceCounter(&start);
            MainWindow timed(k == 0 ? dir.Path("many.xml") : screenful);
            RedrawWindow(timed.Hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
            QueryPerformanceCounter(&end);
            times[k].push_back(1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart));
        }
    }
    for (auto& t : times) std::sort(t.begin(), t.end());
    std::printf("[ time ] main window made, loaded and drawn: 700 points %.1f ms, 30 points %.1f ms (medians of 7)\n",
                times[0][3], times[1][3]);
}

TEST_F(MainWindowTest, EnterAndEscDoNotCloseTheWindow) {
    MainWindow window(WritePoints("two.xml", {"A", "B"}));
    window->Self().Send(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    MainList(window).SetState(-1, LVIS_SELECTED, LVIS_SELECTED);
    window->Self().Send(WM_COMMAND, IDC_MAIN_DELETE);  // modified: a close would ask
    for (HWND target : {MainList(window).Hwnd(), window->Item(IDC_MAIN_CHANGE).Hwnd()}) test::PressKey(target, VK_ESCAPE);
    EXPECT_TRUE(IsWindow(window.Hwnd()));
    EXPECT_TRUE(window.prompts.messages.empty()) << "nothing asked: Esc is no close";
    window->Self().Send(WM_CLOSE);
    test::Pump();
    ASSERT_EQ(window.prompts.messages.size(), 1u) << "the close box asks about the changes";
    EXPECT_EQ(window.prompts.messages[0].text, os::DisplayPath(window.Document().FileName()) + "は変更されています。保存しますか？");
    EXPECT_TRUE(IsWindow(window.Hwnd())) << "and Cancel keeps the window";
}

// Drags row `from` of the main list and releases it at `release` (list client coordinates),
// after moving over the centre of row `over`.
void Drag(MainWindow& window, int from, int over, POINT release) {
    const HWND list = window->Item(IDC_MAIN_POINTS).Hwnd();
    NMLISTVIEW begin{};
    begin.hdr.hwndFrom = list;
    begin.hdr.idFrom = IDC_MAIN_POINTS;
    begin.hdr.code = LVN_BEGINDRAG;
    begin.iItem = from;
    begin.ptAction = test::RowCentre(list, from);
    window->Self().Send(WM_NOTIFY, IDC_MAIN_POINTS, reinterpret_cast<LPARAM>(&begin));
    const POINT overPoint = test::RowCentre(list, over);
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(overPoint.x, overPoint.y));
    SendMessageW(list, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(release.x, release.y));
    SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(static_cast<short>(release.x), static_cast<short>(release.y)));
    test::Pump();
}

TEST_F(MainWindowTest, DragReorderDestinations) {
    const os::Path path = WritePoints("six.xml", test::NumberedNames("P", 6));
    const struct {
        const char* what;
        int from;
        int over;
        int releaseRow;          // row whose centre is the release point, or -1 for `release`
        POINT release;
        std::vector<std::string> expected;
        bool modified;
    } cases[] = {
        {"onto P5", 2, 5, 5, {}, {"P0", "P1", "P3", "P4", "P2", "P5"}, true},
        {"onto P0", 2, 0, 0, {}, {"P2", "P0", "P1", "P3", "P4", "P5"}, true},
        {"onto the next row", 2, 3, 3, {}, {"P0", "P1", "P2", "P3", "P4", "P5"}, false},
        {"onto itself", 2, 2, 2, {}, {"P0", "P1", "P2", "P3", "P4", "P5"}, false},
        {"below the last row", 2, 5, -1, {40, 400}, {"P0", "P1", "P3", "P4", "P5", "P2"}, true},
        {"outside to the right", 0, 3, -1, {5000, 30}, {"P1", "P2", "P3", "P0", "P4", "P5"}, true},
        {"outside to the left", 5, 1, -1, {-30, 30}, {"P0", "P1", "P5", "P2", "P3", "P4"}, true},
        {"above the top edge", 5, 1, -1, {30, -10}, {"P0", "P5", "P1", "P2", "P3", "P4"}, true},
    };
    for (const auto& c : cases) {
        MainWindow window(path);
        const HWND list = window->Item(IDC_MAIN_POINTS).Hwnd();
        // A tall window so that every row and the empty area below them are visible.
        SetWindowPos(window.Hwnd(), nullptr, 0, 0, 1000, 700, SWP_NOMOVE | SWP_NOZORDER);
        const POINT release = c.releaseRow >= 0 ? test::RowCentre(list, c.releaseRow) : c.release;
        Drag(window, c.from, c.over, release);
        EXPECT_EQ(test::ColumnTexts(list, 1), c.expected) << c.what;
        std::vector<std::string> table;
        for (int i = 0; i < window.Document().Points().UsedCount(); ++i) table.push_back(window.Document().Points().Row(i).name);
        EXPECT_EQ(table, c.expected) << c.what << " (table)";
        EXPECT_EQ(window.Document().IsModified(), c.modified) << c.what;
        EXPECT_EQ(GetCapture(), nullptr);
    }
}

TEST_F(MainWindowTest, SelectionTravelsWithTheDraggedRow) {
    MainWindow window(WritePoints("six.xml", test::NumberedNames("P", 6)));
    const win::ListView list = MainList(window);
    list.SelectAndFocus(1);
    Drag(window, 1, 4, test::RowCentre(list.Hwnd(), 4));
    EXPECT_EQ(list.CellText(3, 1), "P1");
    EXPECT_TRUE(list.IsSelected(3));
    EXPECT_EQ(list.FocusedRow(), 3);
    EXPECT_EQ(list.SelectedCount(), 1);
}

TEST_F(MainWindowTest, DragReorderInAFullTableKeepsEveryPoint) {
    MainWindow window(WritePoints("full.xml", test::NumberedNames("P", 700)));
    ASSERT_EQ(window.Document().Points().GetCount(), 700);
    Drag(window, 0, 3, test::RowCentre(window->Item(IDC_MAIN_POINTS).Hwnd(), 3));
    EXPECT_EQ(window.Document().Points().GetCount(), 700);
    EXPECT_EQ(window.Document().Points().Row(2).name, "P0");
    std::vector<std::string> names;
    for (int i = 0; i < 700; ++i) names.push_back(window.Document().Points().Row(i).name);
    std::sort(names.begin(), names.end());
    std::vector<std::string> expected = test::NumberedNames("P", 700);
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(names, expected);
    EXPECT_EQ(MainList(window).CellText(2, 1), "P0");
}

// The size the window is created with.
SIZE StartSize(MainWindow& window) {
    const RECT rect = window->Self().WindowRect();
    return {rect.right - rect.left, rect.bottom - rect.top};
}

TEST_F(MainWindowTest, SizingNeverGoesBelowTheStartSize) {
    MainWindow window("");
    const SIZE start = StartSize(window);
    RECT proposed{100, 100, 150, 120};
    window->Self().Send(WM_SIZING, WMSZ_LEFT, reinterpret_cast<LPARAM>(&proposed));
    EXPECT_EQ(proposed.right - proposed.left, start.cx);
    EXPECT_EQ(proposed.bottom - proposed.top, start.cy);
    EXPECT_EQ(proposed.left, 100) << "the opposite edge moves";
    RECT larger{0, 0, start.cx + 50, start.cy + 40};
    window->Self().Send(WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&larger));
    EXPECT_EQ(larger.right, start.cx + 50);
}

TEST_F(MainWindowTest, ResizeLaysOutListsAndButtons) {
    MainWindow window("");
    const RECT before = window->Item(IDC_MAIN_CHANGE).RectInParent();
    const SIZE start = StartSize(window);
    SetWindowPos(window.Hwnd(), nullptr, 0, 0, start.cx + 101, start.cy + 60,
                 SWP_NOMOVE | SWP_NOZORDER);
    test::Pump();
    const RECT client = window->Self().ClientRect();
    const RECT change = window->Item(IDC_MAIN_CHANGE).RectInParent();
    EXPECT_EQ(change.right, client.right - 5) << "buttons sit 5 pixels from the right edge";
    EXPECT_EQ(change.top, before.top);
    const RECT close = window->Item(IDCANCEL).RectInParent();
    const RECT bar = window->Item(IDC_MAIN_STATUS_BAR).RectInParent();
    EXPECT_EQ(close.bottom, bar.top) << "the close button stands on the status bar";
    EXPECT_EQ(bar.bottom, client.bottom);
    EXPECT_EQ(bar.right - bar.left, client.right);
    const RECT list = window->Item(IDC_MAIN_POINTS).RectInParent();
    EXPECT_EQ(list.left, 0);
    EXPECT_EQ(list.top, (change.bottom - change.top) + 5);
    EXPECT_EQ(list.right, client.right - (change.right - change.left) - 10);
    EXPECT_EQ(list.bottom, bar.top - 2);
}

TEST_F(MainWindowTest, ImportViewSplitsTheAreaWithTheOddPixelToTheMainList) {
    MainWindow window(WritePoints("two.xml", {"A", "B"}));
    const win::ListView list = MainList(window);
    list.SelectAndFocus(1);
    const SIZE start = StartSize(window);
    for (int extra : {0, 1}) {
        SetWindowPos(window.Hwnd(), nullptr, 0, 0, start.cx + 40 + extra, start.cy, SWP_NOMOVE | SWP_NOZORDER);
        window->Self().Send(WM_COMMAND, ID_VIEW_IMPORT);
        EXPECT_TRUE(window.ImportViewShown());
        const RECT main = window->Item(IDC_MAIN_POINTS).RectInParent();
        const RECT import = window->Item(IDC_MAIN_IMPORT_LIST).RectInParent();
        EXPECT_TRUE(window->Item(IDC_MAIN_IMPORT_LIST).IsVisible());
        EXPECT_EQ(import.left, 0);
        EXPECT_EQ(main.left, import.right);
        const int area = window->Self().ClientRect().right -
                         (window->Item(IDC_MAIN_CHANGE).WindowRect().right - window->Item(IDC_MAIN_CHANGE).WindowRect().left) - 10;
        EXPECT_EQ(import.right - import.left, area / 2);
        EXPECT_EQ(main.right - main.left, area - area / 2);
    }
    window->Self().Send(WM_COMMAND, ID_VIEW_EDIT);
    EXPECT_FALSE(window.ImportViewShown());
    EXPECT_EQ(test::ColumnTexts(list.Hwnd(), 1), (std::vector<std::string>{"A", "B"}));
    EXPECT_TRUE(list.IsSelected(1));
}

TEST_F(MainWindowTest, BackgroundIsBlack) {
    MainWindow window("");
    HDC dc = GetDC(window.Hwnd());
    auto colour = [&] {
        return reinterpret_cast<HBRUSH>(
            window->Self().Send(WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window.Hwnd())));
    };
    const HBRUSH brush = colour();
    EXPECT_EQ(colour(), brush) << "one brush for the window's life";
    EXPECT_EQ(GetBkColor(dc), RGB(0, 0, 0));
    ReleaseDC(window.Hwnd(), dc);
    LOGBRUSH info{};
    ASSERT_NE(GetObjectW(brush, sizeof info, &info), 0);
    EXPECT_EQ(info.lbColor, RGB(0, 0, 0));
}


TEST_F(MainWindowTest, AMissingOrHugeMarkFileFallsBackToTheDefaultIcon) {
    const os::Path program = win::ProgramFolder();
    const os::Path work = dir.File("marks");
    std::filesystem::create_directory(work);
    for (int n = 1; n <= 55; ++n) {
        wchar_t name[16];
        swprintf(name, 16, L"mark%02d.ico", n);
        if (n != 7 && n != 9) std::filesystem::copy_file(program / name, work / name);
    }
    // Over 1 MiB: not read at all (a huge file must not hold up the start).
    std::string huge = test::ReadFileBytes(work / L"mark10.ico");
    huge.resize(kMaxIconFileBytes + 1);
    test::WriteFileBytes(work / L"mark10.ico", huge);
    MarkImages marks, prefetched, elsewhere;
    marks.Build(work);
    prefetched.Prefetch(work);  // read on the worker thread: the same images
    prefetched.Build(work);
    elsewhere.Prefetch(program);  // a different folder at Build: Build's own folder counts
    elsewhere.Build(work);
    for (int size : {32, 16}) {
        HIMAGELIST images = size == 32 ? marks.Large() : marks.Small();
        for (const MarkImages* other : {&prefetched, &elsewhere}) {
            for (int image = 0; image < 55; ++image) {
                EXPECT_EQ(test::ImagePixels(size == 32 ? other->Large() : other->Small(), image, size),
                          test::ImagePixels(images, image, size))
                    << size << " " << image;
            }
        }
        ASSERT_EQ(ImageList_GetImageCount(images), 55);
        // Marks 7, 9 and 10 show the default icon; their neighbours keep their own.
        const auto seven = test::ImagePixels(images, 6, size);
        EXPECT_EQ(test::ImagePixels(images, 8, size), seven) << size;
        EXPECT_EQ(test::ImagePixels(images, 9, size), seven) << size;
        EXPECT_NE(test::ImagePixels(images, 5, size), seven) << size;
        EXPECT_NE(test::ImagePixels(images, 7, size), seven) << size;
        EXPECT_NE(test::ImagePixels(images, 54, size), seven) << size;
    }
}

}  // namespace
}  // namespace vondrel
