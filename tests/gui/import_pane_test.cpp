// The import pane: loading by command and by drop, every point listed, and dragging points from it
// onto the main list (where they land, what is copied, what the pane keeps).
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

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
        test::FinishImport(*window);
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
    static void Drop(MainWindow& window, const os::Path& path) {
        SendMessageW(window.ImportList().Hwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({path})), 0);
        test::FinishImport(*window);
    }
    // Name, longitude and latitude of every pane row.
    static std::vector<std::string> Rows(MainWindow& window) {
        std::vector<std::string> rows;
        const win::ListView pane = window.ImportList();
        for (int row = 0; row < pane.Count(); ++row) rows.push_back(pane.CellText(row, 1) + " " + pane.CellText(row, 4) + pane.CellText(row, 5));
        return rows;
    }
    static void ChooseCsvDatum(MainWindow& window, int entry) {
        const HWND choice = GetDlgItem(window.Hwnd(), IDC_MAIN_IMPORT_DATUM);
        SendMessageW(choice, CB_SETCURSEL, static_cast<WPARAM>(entry), 0);
        window->Self().Send(WM_COMMAND, MAKEWPARAM(IDC_MAIN_IMPORT_DATUM, CBN_SELCHANGE), reinterpret_cast<LPARAM>(choice));
        test::FinishImport(*window);
    }
};

// 雷門 at 35.71476 N, 139.79664 E (WGS 84) lies at 35.71152 N, 139.79988 E on the Tokyo datum.
constexpr char kKaminarimonTokyo[] = "雷門 139.47.59.568 35.42.41.472";
constexpr char kKaminarimonUnshifted[] = "雷門 139.47.47.904 35.42.53.136";

TEST_F(ImportPaneTest, ADroppedGpxIsShownOnTheTokyoDatumWithOneMessage) {
    MainWindow window(WritePoints("main.xml", {"P0"}));
    const std::string gpx = u8"<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">"
                            u8"<wpt lat=\"35.71476\" lon=\"139.79664\"><name>雷門</name></wpt>"
                            u8"<wpt lat=\"35.71007\" lon=\"139.8107\"><name>東京スカイツリー展望デッキ</name></wpt>"
                            u8"<wpt lat=\"35.55\" lon=\"139.75\"><name>서울</name></wpt></gpx>";
    test::WriteFileBytes(dir.File("walk.gpx"), gpx);
    Drop(window, dir.File("walk.gpx"));
    EXPECT_EQ(Rows(window), (std::vector<std::string>{kKaminarimonTokyo, "東京スカイツリー展望デッキ 139.48.50.184 35.42.24.588",
                                                      "?? 139.45.11.628 35.32.48.300"}));
    ASSERT_EQ(window.prompts.messages.size(), 1u) << "one message after the load";
    const std::string& told = window.prompts.messages[0].text;
    EXPECT_EQ(told.rfind("\"" + os::DisplayPath(dir.File("walk.gpx")) + "\"\n\n", 0), 0u) << told;
    EXPECT_NE(told.find("「?」にした地点 (1 件): ??"), std::string::npos) << told;
    EXPECT_NE(told.find("切り詰められる地点 (1 件): 東京スカイツリー展望デッキ"), std::string::npos) << told;

    // Dragged in, the long name is stored and shown as the table keeps it; one undo step.
    window.ImportList().SelectAndFocus(1);
    DragTo(window, {20, window.MainList().ClientRect().bottom - 5});
    EXPECT_EQ(window.StoredNames(), (std::vector<std::string>{"P0", "東京スカイツリー"}));
    EXPECT_EQ(window.MainNames(), window.StoredNames());
    EXPECT_EQ(window.Document().Points().Row(1).lat, "35.70683");
    window.Command(ID_EDIT_UNDO);
    EXPECT_EQ(window.StoredNames(), (std::vector<std::string>{"P0"}));

    // A file that is not what its name says: a message, and the pane keeps its points.
    test::WriteFileBytes(dir.File("page.gpx"), "<html><body>not a gpx</body></html>");
    Drop(window, dir.File("page.gpx"));
    ASSERT_EQ(window.prompts.messages.size(), 2u);
    EXPECT_NE(window.prompts.messages[1].text.find("GPX ファイルではありません"), std::string::npos);
    EXPECT_EQ(window.ImportList().Count(), 3);
}

// CSV files are on WGS 84 unless the pane's choice says Tokyo; the choice re-reads the file shown
// and is kept for the next start.
TEST_F(ImportPaneTest, TheCsvDatumChoiceShiftsOrNotAndIsRemembered) {
    test::WriteFileBytes(dir.File("book.csv"), u8"name,lat,lon\n雷門,35.71476,139.79664\n");
    {
        MainWindow window("");
        window.Command(ID_VIEW_IMPORT);
        const HWND choice = GetDlgItem(window.Hwnd(), IDC_MAIN_IMPORT_DATUM);
        EXPECT_TRUE(IsWindowVisible(choice));
        ChooseCsvDatum(window, 0);
        Drop(window, dir.File("book.csv"));
        EXPECT_EQ(Rows(window), std::vector<std::string>{kKaminarimonTokyo});
        ChooseCsvDatum(window, 1);
        EXPECT_EQ(Rows(window), std::vector<std::string>{kKaminarimonUnshifted}) << "read again on the Tokyo datum";
        EXPECT_TRUE(window.prompts.messages.empty());
        window.Command(ID_VIEW_EDIT);
        EXPECT_FALSE(IsWindowVisible(choice));
    }
    MainWindow next("");
    EXPECT_EQ(SendMessageW(GetDlgItem(next.Hwnd(), IDC_MAIN_IMPORT_DATUM), CB_GETCURSEL, 0, 0), 1) << "remembered";
    Drop(next, dir.File("book.csv"));
    EXPECT_EQ(Rows(next), std::vector<std::string>{kKaminarimonUnshifted});
    ChooseCsvDatum(next, 0);  // the settings as they were
}

// The time from a 700-point GPX file dropped on the pane to its rows listed and drawn (a figure
// recorded, never a limit).
TEST_F(ImportPaneTest, A700PointGpxDropIsTimed) {
    std::string gpx = "<gpx version=\"1.1\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n";
    for (int i = 0; i < 700; ++i) {
        gpx += "<wpt lat=\"35." + std::to_string(100000 + i * 997) + "\" lon=\"139." + std::to_string(200000 + i * 1301) +
               "\"><name>" + std::string(u8"地点") + std::to_string(i) + "</name><cmt>x</cmt></wpt>\n";
    }
    test::WriteFileBytes(dir.File("many.gpx"), gpx + "</gpx>\n");
    MainWindow window("");
    window.Command(ID_VIEW_IMPORT);
    std::vector<double> times;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        Drop(window, dir.File("many.gpx"));
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        ASSERT_EQ(window.ImportList().Count(), 700);
    }
    EXPECT_EQ(window.ImportList().CellText(699, 1), "地点699");
    EXPECT_TRUE(window.prompts.messages.empty());
    std::sort(times.begin(), times.end());
    RecordProperty("import_700_gpx_median_ms", std::to_string(times[2]));
    std::printf("700-point GPX dropped to rows drawn: median %.1f ms (min %.1f, max %.1f)\n", times[2], times[0], times[4]);
}

// A file that takes long to read is read on a worker: the window goes on answering, a box comes
// up after a moment, and its 中止 gives the reading up, the pane's rows kept.
TEST_F(ImportPaneTest, ALongReadLeavesTheWindowAnsweringAndCanBeGivenUp) {
    std::string csv = "name,lat,lon\n";
    for (int i = 0; i < 1500000; ++i) csv += "x,35,139\n";
    test::WriteFileBytes(dir.File("big.csv"), csv);
    MainWindow window("");
    Import(window, WritePoints("a.xml", {"A"}));
    window.prompts.chosenFiles = {dir.File("big.csv")};
    window.Command(ID_FILE_IMPORT);
    EXPECT_TRUE(window->IsImporting()) << "the command returned while the file is read";
    window.Command(ID_VIEW_EDIT);
    EXPECT_FALSE(window.ImportViewShown()) << "and the window takes the next command";
    HWND box = nullptr;
    for (const DWORD start = GetTickCount(); !box && window->IsImporting() && GetTickCount() - start < 10000; test::Pump()) {
        box = FindWindowW(L"#32770", L"インポート");
        if (box && !IsWindowVisible(box)) box = nullptr;
    }
    ASSERT_NE(box, nullptr) << "no box while the file was read";
    EXPECT_EQ(GetWindow(box, GW_OWNER), window.Hwnd());
    SendMessageW(GetDlgItem(box, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_FALSE(window->IsImporting());
    EXPECT_FALSE(IsWindow(box));
    Drop(window, dir.File("a.xml"));  // the reading given up never shows, before or after this one
    EXPECT_EQ(test::ColumnTexts(window.ImportList().Hwnd(), 1), std::vector<std::string>{"A"});
    EXPECT_TRUE(window.prompts.messages.empty());
}

TEST_F(ImportPaneTest, ImportCommandShowsTheImportViewAndLoads) {
    MainWindow window(WritePoints("main.xml", {"P0"}));
    const os::Path many = WritePoints("many.xml", test::NumberedNames("I", 250));
    Import(window, many);
    EXPECT_TRUE(window.ImportViewShown());
    EXPECT_EQ(window.ImportList().Count(), 250);
    EXPECT_EQ(window.ImportList().CellText(249, 1), "I249");
    ASSERT_EQ(window.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(window.prompts.fileDialogs[0].filter.rfind("すべての地点ファイル (xml, gpx, kml, kmz, csv, tsv, txt, geojson, json)|"
                                                        "*.xml;*.gpx;*.kml;*.kmz;*.csv;*.tsv;*.txt;*.geojson;*.json|", 0), 0u);
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
    const os::Path text = WritePoints("c.doc", {"C"});
    const HWND pane = window.ImportList().Hwnd();
    SendMessageW(pane, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({a, b})), 0);
    test::FinishImport(*window);
    EXPECT_EQ(test::ColumnTexts(pane, 1), (std::vector<std::string>{"B1", "B2"}));
    SendMessageW(pane, WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({text})), 0);
    test::FinishImport(*window);
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

// Another program's file dropped on the list goes to the import pane; a place known by address
// only arrives without a position, is said so, and the list holding it is saved only when told.
TEST_F(ImportPaneTest, ADroppedFileWithPlacesWithoutAPositionGoesToThePane) {
    const os::Path list = WritePoints("list.xml", {"A"});
    const std::string bytes = test::ReadFileBytes(list);
    MainWindow window(list);
    test::WriteFileBytes(dir.File("places.kml"), "<kml><Placemark><name>B</name><address>x</address></Placemark></kml>");
    window->Self().Send(WM_DROPFILES, reinterpret_cast<WPARAM>(test::MakeDrop({dir.File("places.kml")})));
    test::FinishImport(*window);
    EXPECT_EQ(window.Document().FilePath(), list);
    EXPECT_TRUE(window.ImportViewShown());
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text, "位置のない地点: 1 件 — 住所検索で位置を設定してください\n\nB");
    window.ImportList().SelectAndFocus(0);
    DragTo(window, {20, 20});
    ASSERT_EQ(window.Document().Count(), 2);
    for (int row = 0; row < 2; ++row) EXPECT_EQ(window.MainList().CellText(row, 4).empty(), window.StoredNames()[row] == "B");
    window.prompts.answers = {IDNO};
    window.Command(ID_FILE_SAVE);
    ASSERT_EQ(window.prompts.messages.size(), 2u);
    EXPECT_EQ(window.prompts.messages[1].buttons, static_cast<UINT>(MB_YESNO | MB_DEFBUTTON2));
    EXPECT_EQ(test::ReadFileBytes(list), bytes);
}

}  // namespace
}  // namespace vondrel
