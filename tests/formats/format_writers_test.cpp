// The writers read back by the readers, the formats by file name, the conversions between
// table rows and points, and the code page 932 conversion of other programs' texts.
#include <gtest/gtest.h>

#include <filesystem>

#include <cmath>

#include "formats/point_files.h"
#include "formats/point_rows.h"
#include "formats/text_encoding.h"
#include "os/file_io.h"
#include "support/temp_dir.h"

namespace vondrel::formats {
namespace {

const std::vector<FormatPoint> kPoints = {
    {"東京駅", "とうきょうえき", "03-1234-5678", 35.67799, 139.77037, 5, "3", "90"},
    {"A, \"B\" <&>", "", "", 26.21, 127.68, 0, "0", ""},
    {"ﾜｯｶﾅｲ", "", "+81 162", 45.41, 141.67, 55, "60", "0"},
};

TEST(FormatWriters, ReadBackTheSamePoints) {
    for (Format format : {Format::Gpx, Format::Kml, Format::Csv}) {
        for (Datum datum : {Datum::Wgs84, Datum::Tokyo}) {
            const ReadResult result = ReadPoints(WritePoints(kPoints, format, datum), format, {datum});
            ASSERT_EQ(result.error, "");
            ASSERT_EQ(result.points.size(), kPoints.size());
            for (std::size_t i = 0; i < kPoints.size(); ++i) {
                const FormatPoint& got = result.points[i];
                const FormatPoint& want = kPoints[i];
                EXPECT_EQ(got.name, want.name);
                EXPECT_EQ(got.tel, want.tel);
                // Seven decimals, and the shift there and back again within a millimetre.
                EXPECT_NEAR(got.lat, want.lat, 1e-7);
                EXPECT_NEAR(got.lon, want.lon, 1e-7);
                if (format == Format::Csv) {
                    EXPECT_EQ(got.reading, want.reading);
                    EXPECT_EQ(got.mark, want.mark);
                    EXPECT_EQ(got.sound, want.sound);
                    EXPECT_EQ(got.direction, want.direction);
                }
            }
        }
    }
}

// A text a spreadsheet would run as a formula is written after a "'", which reading takes away.
TEST(FormatWriters, CsvTextsRunNoFormulasAndReadBackExactly) {
    const std::string texts[] = {"=HYPERLINK(\"x\")", "+81 3", "-1", "@A1", "'=1", "''", "'a", "a=b"};
    std::vector<FormatPoint> points;
    for (const std::string& text : texts) points.push_back({text, text, text, 35, 139, 0, "0", ""});
    const std::string csv = WritePoints(points, Format::Csv, Datum::Tokyo);
    EXPECT_NE(csv.find("\n\"'=HYPERLINK(\"\"x\"\")\",\"'="), std::string::npos) << csv;
    EXPECT_NE(csv.find("\n'+81 3,'+81 3,"), std::string::npos) << csv;
    const ReadResult back = ReadPoints(csv, Format::Csv, {Datum::Tokyo});
    ASSERT_EQ(back.points.size(), points.size());
    for (std::size_t i = 0; i < points.size(); ++i) {
        EXPECT_EQ(back.points[i].name + back.points[i].reading + back.points[i].tel, texts[i] + texts[i] + texts[i]);
    }
}

TEST(FormatWriters, FilesAndTheMessageAfterReading) {
    test::TempDir dir;
    const os::Path path = dir.File("p.CSV");
    const std::string shown = os::DisplayPath(path);
    ReadResult result;
    EXPECT_EQ(ReadPointFile(path, {}, result), os::kCauseFileNotFound);
    ASSERT_EQ(WritePointFile(path, kPoints, Format::Csv).cause, os::kCauseNone);
    ASSERT_EQ(ReadPointFile(path, {Datum::Wgs84, 2}, result), os::kCauseNone);
    EXPECT_EQ(ReadMessage(path, result), "\"" + shown + "\"\n\n3 地点のうち最初の 2 地点だけを読み込みました");
    EXPECT_EQ(ReadMessage(path, ReadPoints("lat,lon\n", Format::Csv)), "\"" + shown + "\"\n\n地点がありません");
    EXPECT_EQ(ReadMessage(path, ReadPoints("lat,lon\n35,139\n", Format::Csv)), "");
    // The same replacing write as a point file's save: a folder in the target's place is
    // refused, and the old file is kept when the new one cannot be made.
    const os::Path folder = dir.File("folder.gpx");
    std::filesystem::create_directory(folder);
    EXPECT_EQ(WritePointFile(folder, kPoints, Format::Gpx).cause, os::kCauseAccessDenied);
    EXPECT_EQ(WritePointFile(dir.File("none") / "p.gpx", kPoints, Format::Gpx).cause, os::kCauseBadPath);
}

TEST(FormatWriters, FormatsByFileName) {
    const struct {
        const char* path;
        Format import;
        Format exported;
    } cases[] = {
        {"a.gpx", Format::Gpx, Format::Gpx}, {"C:\\表\\A.KML", Format::Kml, Format::Kml}, {".gpx", Format::Gpx, Format::Gpx},
        {"a.Kmz", Format::Kmz, Format::None}, {"a.csv", Format::Csv, Format::Csv},
        {"a.tsv", Format::Csv, Format::None}, {"a.TXT", Format::Csv, Format::None},
        {"a.xml", Format::None, Format::None}, {"gpx", Format::None, Format::None},
        {"a.gpx.bak", Format::None, Format::None},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ImportFormatOf(test::PathOf(c.path)), c.import) << c.path;
        EXPECT_EQ(ExportFormatOf(test::PathOf(c.path)), c.exported) << c.path;
    }
}

TEST(FormatWriters, TableRowsAndPoints) {
    const PointRecord record = ToPointRecord(kPoints[0]);
    EXPECT_EQ(record.lat, "35.67799");
    EXPECT_EQ(record.lon, "139.77037");
    EXPECT_EQ(record.mark, "05");
    EXPECT_EQ(record.directionOn, 1);
    EXPECT_EQ(ToFormatPoint(record), kPoints[0]);
    EXPECT_EQ(ToPointRecord(kPoints[1]).directionOn, 0);

    PointTable table;
    EXPECT_EQ(FillTable(table, std::vector<FormatPoint>(kTableRows + 1, kPoints[2])), kTableRows);
    EXPECT_EQ(table.GetCount(), kTableRows);
    EXPECT_EQ(FillTable(table, kPoints), 3);
    EXPECT_EQ(table.UsedCount(), 3);
    EXPECT_EQ(TablePoints(table), kPoints);
    EXPECT_EQ(TablePoints(table, {2, 0, 5}), (std::vector<FormatPoint>{kPoints[2], kPoints[0]}));

    // A point without a position has empty coordinates, and no other program's file gets it.
    FormatPoint unplaced = kPoints[1];
    unplaced.noPosition = true;
    EXPECT_EQ(ToPointRecord(unplaced).lat + ToPointRecord(unplaced).lon, "");
    FillTable(table, {kPoints[0], unplaced});
    EXPECT_EQ(table.UsedCount(), 2);
    EXPECT_EQ(TablePoints(table), std::vector<FormatPoint>{kPoints[0]});
}

TEST(FormatWriters, PointTextsInCodePage932) {
    const struct {
        std::string utf8;
        const char* cp932;
        bool replaced;
    } cases[] = {
        {u8"東京 Tower", "東京 Tower", false},
        {u8"〜−‖—¢£¬¦¥‾", "～－∥―￠￡￢￤\\~", false},
        {u8"a\tb\r\nc", "a b  c", false},
        {u8"Café 😀 ①", "Caf? ? ①", true},
        {"A\xE6\x9D", "A??", true},
        {"\xC0\xAF", "??", true},
    };
    for (const auto& c : cases) {
        bool replaced = false;
        EXPECT_EQ(ToPointText(c.utf8, replaced), c.cp932) << c.utf8;
        EXPECT_EQ(replaced, c.replaced) << c.utf8;
    }
    EXPECT_EQ(Utf16ToUtf8(std::string("\x3D\xD8\x00\xDE\x00\xD8", 6), false), "\xF0\x9F\x98\x80\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vondrel::formats
