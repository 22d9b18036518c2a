// ファイル > エクスポート on a main window driven by messages: the save dialog it asks for, the
// format by the chosen type or the name's extension, the selected points or the whole list, a
// failure that keeps the old file, and the list left as it was. The window's exports of the
// sample stay in window_exports\ beside the tests, where tests/gui/check_window_exports.sh
// compares them with vondrel-cli's and lets gpsbabel read them.
#include <gtest/gtest.h>

#include <filesystem>

#include "gui/gui_harness.h"
#include "os/win32_text.h"
#include "resource.h"

namespace vondrel {
namespace {

using test::MainWindow;

class ExportTest : public test::PointFileTest {
protected:
    static void Export(MainWindow& window, const os::Path& to, int type = 0) {
        window.prompts.chosenFiles = {to};
        if (type > 0) window.prompts.chosenTypes = {type};
        window.Command(ID_FILE_EXPORT);
    }
    static std::size_t Count(const std::string& text, const std::string& part) {
        std::size_t count = 0;
        for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
        return count;
    }
};

TEST_F(ExportTest, TheSampleInEachTypeAndTheListUnchanged) {
    std::string source = VONDREL_SOURCE_DIR "/samples/tokyo_points.xml";
    for (char& c : source) c = c == '/' ? '\\' : c;
    const os::Path folder = std::filesystem::current_path() / L"window_exports";
    std::filesystem::create_directories(folder);
    MainWindow window(os::Path(L"Z:" + os::ToWide(source)));
    ASSERT_EQ(window.Document().Count(), 30);
    window.MainList().SelectAndFocus(4);  // one row: the whole list is exported
    const struct {
        const wchar_t* name;
        int type;
        const char* begins;
        const char* each;
    } cases[] = {
        {L"tokyo_points.gpx", 1, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\"", "<wpt "},
        {L"tokyo_points.kml", 2, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<kml ", "<Placemark>"},
        {L"tokyo_points.csv", 3, "\xEF\xBB\xBFname,reading,lat,lon,tel,mark,sound,direction\r\n", "\r\n"},
        {L"tokyo_points.geojson", 4, "{\"type\":\"FeatureCollection\",\"features\":[\n", "\"Feature\""},
    };
    const char* extensions[] = {"gpx", "kml", "csv", "geojson"};
    for (const auto& c : cases) {
        std::filesystem::remove(folder / c.name);
        Export(window, folder / c.name, c.type);
        const std::string bytes = test::ReadFileBytes(folder / c.name);
        EXPECT_EQ(bytes.rfind(c.begins, 0), 0u) << bytes.substr(0, 80);
        EXPECT_EQ(Count(bytes, c.each), c.type == 3 ? 31u : 30u);
        // The next export offers the type chosen last, with its extension for a bare name.
        window.prompts.chosenFiles.clear();
        window.Command(ID_FILE_EXPORT);
        const win::FileDialogOptions& asked = window.prompts.fileDialogs.back();
        EXPECT_TRUE(asked.save && asked.confirmOverwrite);
        EXPECT_EQ(asked.initialName, os::Path(L"tokyo_points"));
        EXPECT_EQ(asked.filterIndex, c.type);
        EXPECT_EQ(asked.defaultExtension, extensions[c.type - 1]);
    }
    EXPECT_FALSE(window.Document().IsModified());
    EXPECT_EQ(window.StatusText(3), "");
    EXPECT_EQ(window.MainList().SelectedCount(), 1);
    EXPECT_TRUE(window.prompts.messages.empty());
}

TEST_F(ExportTest, SeveralSelectedPointsAloneInTheChosenTypeForAnyOtherName) {
    MainWindow window(WritePoints("list.xml", {"A", "B", "C"}));
    window.MainList().SetState(0, LVIS_SELECTED, LVIS_SELECTED);
    window.MainList().SetState(2, LVIS_SELECTED, LVIS_SELECTED);
    Export(window, dir.File("two.dat"), 2);
    const std::string kml = test::ReadFileBytes(dir.File("two.dat"));
    EXPECT_EQ(Count(kml, "<Placemark>"), 2u);
    EXPECT_EQ(window.StatusText(0), "2 地点（選択した地点のみ）を " + os::DisplayPath(dir.File("two.dat")) + " に書き出しました");
    EXPECT_NE(kml.find("<name>C</name>"), std::string::npos);
    EXPECT_EQ(kml.find("<name>B</name>"), std::string::npos);
    Export(window, dir.File("two.GPX"), 3);  // the name's extension wins over the type
    EXPECT_EQ(Count(test::ReadFileBytes(dir.File("two.GPX")), "<wpt "), 2u);
}

TEST_F(ExportTest, AFailedWriteKeepsTheOldFileAndSaysWhy) {
    MainWindow window(WritePoints("list.xml", {"A"}));
    test::WriteFileBytes(dir.File("old.gpx"), "old");
    test::SetReadOnly(dir.File("old.gpx"), true);
    Export(window, dir.File("old.gpx"));
    test::SetReadOnly(dir.File("old.gpx"), false);
    EXPECT_EQ(test::ReadFileBytes(dir.File("old.gpx")), "old");
    ASSERT_EQ(window.prompts.messages.size(), 1u);
    EXPECT_EQ(window.prompts.messages[0].text.rfind("\"" + os::DisplayPath(dir.File("old.gpx")) + "\"\n\n", 0), 0u);

    MainWindow empty("");
    empty.Command(ID_FILE_EXPORT);
    EXPECT_TRUE(empty.prompts.fileDialogs.empty()) << "nothing to export: no dialog";
    ASSERT_EQ(empty.prompts.messages.size(), 1u);
    EXPECT_EQ(empty.prompts.messages[0].text, "エクスポートする地点がありません。");
}

}  // namespace
}  // namespace vondrel
