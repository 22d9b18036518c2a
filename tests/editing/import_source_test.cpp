// The import's reading of any point file: the reader chosen by the extension, the datum choice
// that only CSV follows, and the refusals, which leave the table as it was.
#include <gtest/gtest.h>

#include <atomic>

#include "editing/import_source.h"
#include "support/temp_dir.h"
#include "support/zip_builder.h"

namespace vondrel {
namespace {

using formats::Datum;

TEST(ImportSource, TheExtensionChoosesTheReaderAndRefusalsKeepTheTable) {
    const std::string place = u8"<wpt lat=\"35.71476\" lon=\"139.79664\"><name>雷門</name></wpt>";
    const std::string gpx = "<gpx version=\"1.1\">" + place + "</gpx>";
    const std::string csv = "name,lat,lon\nA,35.71476,139.79664\n";
    const std::string kml = "<kml><Placemark><Point><coordinates>139.79664,35.71476</coordinates></Point></Placemark></kml>";
    const struct {
        const char* name;
        std::string bytes;  // empty: no such file
        Datum datum;
        bool forAll, stopped, read;
        std::string found;  // once read, the first point's latitude; else part of the message
    } cases[] = {
        {"walk.gpx", gpx, Datum::Wgs84, false, false, true, "35.71152"},
        {"WALK.GPX", gpx, Datum::Tokyo, false, false, true, "35.71152"},  // GPX is on WGS 84, whatever CSV is on
        {"walk.gpx", gpx, Datum::Tokyo, true, false, true, "35.71476"},   // unless told otherwise
        {"walk.kmz", test::MakeZip({{"doc.kml", kml}}), Datum::Tokyo, false, false, true, "35.71152"},
        {"book.csv", csv, Datum::Tokyo, false, false, true, "35.71476"},
        {"book.Txt", csv, Datum::Wgs84, false, false, true, "35.71152"},
        {"Saved Places.json", "{\"type\":\"Feature\",\"geometry\":{\"type\":\"Point\",\"coordinates\":[139.79664,35.71476]}}",
         Datum::Tokyo, false, false, true, "35.71152"},
        {"stopped.GeoJSON", "{\"type\":\"FeatureCollection\",\"features\":[{}]}", Datum::Wgs84, false, true, false, "読み込みを中止しました"},
        {"plain.XML", "<gpoi><nb>A</nb><lat>35.5</lat><lon>139.5</lon></gpoi>", Datum::Tokyo, false, false, true, "35.5"},
        {"notes.doc", csv, Datum::Wgs84, false, false, false, "は認識できないファイルです"},
        {"gpx", gpx, Datum::Wgs84, false, false, false, "は認識できないファイルです"},
        {"page.gpx", "<html></html>", Datum::Wgs84, false, false, false, "GPX ファイルではありません"},
        {"absent.kml", "", Datum::Wgs84, false, false, false, "ファイル未定義"},
        {"stopped.csv", csv, Datum::Wgs84, false, true, false, "読み込みを中止しました"},
    };
    for (const auto& c : cases) {
        test::TempDir dir;
        if (!c.bytes.empty()) test::WriteFileBytes(dir.File(c.name), c.bytes);
        const std::atomic<bool> stop{c.stopped};
        PointTable table;
        table.NextRow()->name = "OLD";
        ImportReport report;
        ASSERT_EQ(ReadAnyPointFile(dir.File(c.name), {c.datum, c.forAll, &stop}, table, report), c.read) << c.name;
        ASSERT_EQ(report.messages.size(), c.read ? 0u : 1u) << c.name;
        EXPECT_EQ(table.GetCount(), 1) << c.name;
        if (c.read) {
            EXPECT_EQ(table.Row(0).lat, c.found) << c.name;
        } else {
            EXPECT_NE(report.messages[0].find(c.found), std::string::npos) << report.messages[0];
            EXPECT_EQ(table.Row(0).name, "OLD") << c.name;
        }
    }
    for (const char* name : {"a.csv", "a.TSV", "a.txt"}) EXPECT_TRUE(ReadsOnChosenDatum(test::PathOf(name))) << name;
    for (const char* name : {"a.gpx", "a.kml", "a.kmz", "a.xml", "a.doc"}) EXPECT_FALSE(ReadsOnChosenDatum(test::PathOf(name))) << name;
}

TEST(ImportSource, WarningsAreOneMessageUnderTheFilesName) {
    test::TempDir dir;
    test::WriteFileBytes(dir.File("long.csv"), u8"name,lat,lon\n東京スカイツリー展望デッキ,35.7,139.8\n");
    PointTable table;
    ImportReport report;
    ASSERT_TRUE(ReadAnyPointFile(dir.File("long.csv"), {}, table, report));
    ASSERT_EQ(report.warnings.size(), 1u);
    EXPECT_EQ(report.Shown(dir.File("long.csv")),
              std::vector<std::string>{"\"" + os::DisplayPath(dir.File("long.csv")) + "\"\n\n" + report.warnings[0]});
}

}  // namespace
}  // namespace vondrel
