// The GPX, KML, KMZ and CSV readers on hand-made files: the elements and columns they take,
// namespaces, nesting, encodings, RFC 4180 quoting, refusals, warnings and the KMZ size limit.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "core/datum.h"
#include "formats/point_formats.h"
#include "support/zip_builder.h"

namespace vondrel::formats {
namespace {

using namespace std::string_literals;

// File contents are written with u8 literals (UTF-8); plain literals are code page 932.
std::string Gpx(const std::string& body, const char* version = "1.1") {
    return u8"<?xml version=\"1.0\"?><gpx version=\"" + std::string(version) +
           "\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
           "xmlns:gpxx=\"http://www.garmin.com/xmlschemas/GpxExtensions/v3\">" + body + "</gpx>";
}

std::string Kml(const std::string& body) {
    return "<?xml version=\"1.0\"?><kml xmlns=\"http://www.opengis.net/kml/2.2\"><Document>" + body + "</Document></kml>";
}

ReadResult ReadTokyo(const std::string& bytes, Format format) { return ReadPoints(bytes, format, {Datum::Tokyo}); }

TEST(FormatReaders, TakeNamePositionAndTelephone) {
    const std::string wpt = u8"<wpt lat=\"35.5\" lon=\"139.25\"><name>東京 &amp; 駅</name>";
    const std::string tel1 = u8"<extensions><gpxx:WaypointExtension><gpxx:PhoneNumber Category=\"Work\">03-1234</gpxx:PhoneNumber>"
                             u8"</gpxx:WaypointExtension></extensions>";
    const std::string placemark = u8"<Placemark><name><![CDATA[東京 & 駅]]></name><phoneNumber>tel:03-1234</phoneNumber>"
                                  u8"<Point><coordinates>\n  139.25 , 35.5,0 </coordinates></Point></Placemark>";
    const struct {
        std::string bytes;
        Format format;
        const char* tel;
    } cases[] = {
        {Gpx(wpt + tel1 + "</wpt>"), Format::Gpx, "03-1234"},
        {Gpx(wpt + u8"<gpxx:PhoneNumber>03-1234</gpxx:PhoneNumber></wpt>", "1.0"), Format::Gpx, "03-1234"},
        {u8"<g:gpx xmlns:g=\"http://www.topografix.com/GPX/1/0\"><g:wpt lat=\"35.5\" lon=\"139.25\"><g:name>東京 &amp; 駅"
         u8"</g:name></g:wpt></g:gpx>", Format::Gpx, ""},
        {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><gpx><wpt lat=\"35.5\" lon=\"139.25\"><name>東京 &amp; 駅</name>"
         "</wpt></gpx>", Format::Gpx, ""},
        {Kml("<Folder><Folder>" + placemark + "</Folder></Folder><Placemark><LineString/></Placemark>"), Format::Kml, "03-1234"},
        {u8"\xEF\xBB\xBFTEL;Longitude;名称;LATITUDE\n03-1234;139,25;\"東京 & 駅\";35,5\n", Format::Csv, "03-1234"},
    };
    for (const auto& c : cases) {
        const ReadResult result = ReadTokyo(c.bytes, c.format);
        ASSERT_EQ(result.error, "") << c.bytes;
        ASSERT_EQ(result.points.size(), 1u) << c.bytes;
        EXPECT_EQ(result.points[0].name, "東京 & 駅") << c.bytes;
        EXPECT_EQ(result.points[0].tel, c.tel) << c.bytes;
        EXPECT_EQ(result.points[0].lat, 35.5) << c.bytes;
        EXPECT_EQ(result.points[0].lon, 139.25) << c.bytes;
        EXPECT_TRUE(result.warnings.empty()) << c.bytes;
    }
}

TEST(FormatReaders, ShiftFromWgs84UnlessToldTokyo) {
    const std::string gpx = Gpx("<wpt lat=\"35.681236\" lon=\"139.767125\"/>");
    const LatLon tokyo = Wgs84ToTokyo({35.681236, 139.767125});
    const ReadResult shifted = ReadPoints(gpx, Format::Gpx);
    ASSERT_EQ(shifted.points.size(), 1u);
    EXPECT_EQ(shifted.points[0].lat, tokyo.lat);
    EXPECT_EQ(shifted.points[0].lon, tokyo.lon);
    EXPECT_EQ(ReadTokyo(gpx, Format::Gpx).points[0].lat, 35.681236);
}

TEST(FormatReaders, CsvColumnsEncodingsAndQuoting) {
    const auto utf16le = [](const std::string& ascii) {
        std::string out = "\xFF\xFE";
        for (char c : ascii) out += std::string{c, '\0'};
        return out;
    };
    const struct {
        std::string bytes;
        FormatPoint expected;
    } cases[] = {
        // Code page 932 with Japanese headers in another order; the display form of coordinates.
        {"経度,よみ,名称,緯度,電話番号\r\n139.44.32.064,とうきょう,東京,35.30.00.000,03\r\n",
         {"東京", "とうきょう", "03", 35.5, 139 + 44 / 60.0 + 32.064 / 3600, 1, "0", ""}},
        {u8"name\tlat\tlng\tmark\tsound\tdirection\n\"A\tB\"\"C\"\"\nD\"\t35\t139\t5\t3\t100\n\n",
         {"A B\"C\" D", "", "", 35, 139, 5, "3", "101"}},
        {u8"\"lat\",\"lon\",\"name\"\r\n35,139,\"x,y\"\r\n", {"x,y", "", "", 35, 139, 1, "0", ""}},
        {utf16le("lat,lon,name\r\n35,139,abc\r\n"), {"abc", "", "", 35, 139, 1, "0", ""}},
        {u8"地点リスト,,\n\nname,lat,lon\nabc,35,139\n", {"abc", "", "", 35, 139, 1, "0", ""}},
        // Open data: its column names, Lat/Long, "|", degree signs; a description for a missing name.
        {u8"No,名称,名称_カナ,緯度,経度\n1,東京,トウキョウ,35.5°N,139.25°E\n", {"東京", "トウキョウ", "", 35.5, 139.25, 1, "0", ""}},
        {u8"施設名|フリガナ|Lat|Long\n東京|とうきょう|35°30′N|139°15′00″E\n", {"東京", "とうきょう", "", 35.5, 139.25, 1, "0", ""}},
        {u8"説明,カナ,lat,lon\n東京,ﾄｳｷｮｳ,N35°30'00\",139°15'\n", {"東京", "ﾄｳｷｮｳ", "", 35.5, 139.25, 1, "0", ""}},
    };
    for (const auto& c : cases) {
        const ReadResult result = ReadTokyo(c.bytes, Format::Csv);
        ASSERT_EQ(result.error, "") << c.bytes;
        ASSERT_EQ(result.points.size(), 1u) << c.bytes;
        const FormatPoint& p = result.points[0];
        EXPECT_EQ(p.name, c.expected.name);
        EXPECT_EQ(p.reading, c.expected.reading);
        EXPECT_EQ(p.tel, c.expected.tel);
        EXPECT_NEAR(p.lat, c.expected.lat, 1e-9);
        EXPECT_NEAR(p.lon, c.expected.lon, 1e-9);
        EXPECT_EQ(p.mark, c.expected.mark);
        EXPECT_EQ(p.sound, c.expected.sound);
        EXPECT_EQ(p.direction, c.expected.direction);
    }
}

TEST(FormatReaders, RefuseWithAClearMessage) {
    const struct {
        std::string bytes;
        Format format;
        const char* error;
    } cases[] = {
        {"lat,lon\n35,139\n", Format::Gpx, "GPX ファイルとして読めません: XML ではありません"},
        {Kml(""), Format::Gpx, "GPX ファイルではありません (gpx 要素がありません)"},
        {Gpx("<trk><trkseg><trkpt lat=\"35\" lon=\"139\"/></trkseg></trk>"), Format::Gpx, "地点がありません"},
        {Gpx("<wpt lat=\"x\" lon=\"139\"/>"), Format::Gpx, "読み込める地点がありません"},
        {Gpx(""), Format::Kml, "KML ファイルではありません (kml 要素がありません)"},
        {"name,x,y\n", Format::Csv, "見出し行に緯度 (lat) と経度 (lon) の列がありません"},
        {"lat,lon\n35,139\0\n"s, Format::Csv, "テキストファイルではありません"},
        {"lat,lon\n", Format::Csv, "地点がありません"},
        {Kml(""), Format::Kmz, "KMZ ファイルとして読めません (zip アーカイブの誤り)"},
        {test::MakeZip({{"doc.txt", "x"}}), Format::Kmz, "KMZ の中に KML ファイルがありません"},
        {test::MakeZip({{"doc.kml", Kml(""), true, {}, {}, 1}}), Format::Kmz, "暗号化された KMZ は読めません"},
        {test::MakeZip({{"doc.kml", Kml(""), true, {}, 1234}}), Format::Kmz, "KMZ ファイルとして読めません (zip アーカイブの誤り)"},
    };
    for (const auto& c : cases) {
        const ReadResult result = ReadPoints(c.bytes, c.format);
        EXPECT_EQ(result.error.substr(0, std::string(c.error).size()), c.error) << c.bytes;
        EXPECT_TRUE(result.points.empty());
    }
}

TEST(FormatReaders, WarningsListThePointsConcerned) {
    std::string many = "name,lat,lon\n";
    for (int i = 0; i < 12; ++i) many += u8"Café" + std::to_string(i) + ",35,139\n";
    const struct {
        std::string bytes;
        std::size_t points;
        const char* warning;
    } cases[] = {
        {u8"name,lat,lon\nCafé,35,139\n〜 ¥,35,139\n", 2, "Shift_JIS にない文字を「?」にした地点 (1 件): Caf?"},
        {many, 12, "Shift_JIS にない文字を「?」にした地点 (12 件): Caf?0、Caf?1、Caf?2、Caf?3、Caf?4、Caf?5、Caf?6、"
                   "Caf?7、Caf?8、Caf?9 ほか 2 件"},
        {u8"name,lat,lon\nあいうえおかきくけ,35,139\n", 1, "名称が16バイトを超え、切り詰められる地点 (1 件): あいうえおかきくけ"},
        {u8"name,lat,lon\n,35,x\nB,35,139\n", 1, "位置が読めないため読み込まなかった地点 (1 件): 2 行目の地点"},
        {u8"name,lat,lon\nA,35,-139\nB,95,139\nC,35,139\n", 1, "位置が東経・北緯の範囲外のため読み込まなかった地点 (2 件): A、B"},
        {u8"name,lat,lon,mark,sound,direction\nA,35,139,56,0,\nB,35,139,1,61,\nC,35,139,1,0,x\nD,35,139,55,60,-5\n", 4,
         "マーク・音・方向の値が読めないため既定値にした地点 (3 件): A、B、C"},
        // Only whole display forms and decimals: no 32-bit wrap, no fifth part, no exponent.
        {u8"name,lat,lon\nA,1229.0.0.0,139\nB,35.6.7.8.9,139\nC,35.60.00.000,139\nD,1e1,139\nE,-35.1.1.1,139\nF,35.1.1.5,+139.\n", 1,
         "位置が読めないため読み込まなかった地点 (5 件): A、B、C、D、E"},
        // A quote that never closes is text: the rows after it are points of their own.
        {u8"name,lat,lon\nA,35,139\n\"B,35,139\nC,35,139\n", 3, "3 行目の引用符 (\") が閉じていないため、文字として読みました"},
    };
    for (const auto& c : cases) {
        const ReadResult result = ReadTokyo(c.bytes, Format::Csv);
        EXPECT_EQ(result.points.size(), c.points) << c.bytes;
        ASSERT_EQ(result.warnings.size(), 1u) << c.bytes;
        EXPECT_EQ(result.warnings[0], c.warning);
    }
}

TEST(FormatReaders, PointsPastTheLimitAreCountedNotKept) {
    ReadOptions options{Datum::Tokyo};
    options.maxPoints = 2;
    const ReadResult result = ReadPoints("lat,lon\n35,139\n35,x\n36,139\n37,139\n38,-1\n", Format::Csv, options);
    EXPECT_EQ(result.points.size(), 2u);
    EXPECT_EQ(result.total, 3u);
    EXPECT_EQ(result.warnings.back(), "3 地点のうち最初の 2 地点だけを読み込みました");
}

// A row's cells past the cap are passed over, so a row of millions of empty cells costs no
// memory: columns named past it are not found.
TEST(FormatReaders, CsvCellsPastTheCapAreNotRead) {
    const std::string cells(999, ',');
    EXPECT_EQ(ReadTokyo("lat" + cells + "lon\n35" + cells + "139\n", Format::Csv).points.size(), 1u);
    EXPECT_EQ(ReadTokyo("lat," + cells + "lon\n35," + cells + "139\n", Format::Csv).error,
              "見出し行に緯度 (lat) と経度 (lon) の列がありません");
}

// Placemarks nested in one another: each takes its own Point only, in time linear in the
// nesting (a search of each subtree took 5 s for 20,000); past the limit the file is refused.
TEST(FormatReaders, NestedKmlIsReadInLinearTimeUpToALimit) {
    const auto nested = [](std::size_t count) {
        std::string open, close;
        for (std::size_t i = 0; i < count; ++i) open += "<Placemark>", close += "</Placemark>";
        return Kml(open + "<Point><coordinates>139,35</coordinates></Point>" + close);
    };
    ReadOptions unlimited;
    unlimited.maxKmlDepth = 1000000;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(ReadPoints(nested(20000), Format::Kml, unlimited).total, 1u);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    // Below the root: Document, the placemarks, Point, coordinates and its text.
    EXPECT_EQ(ReadPoints(nested(kMaxKmlDepth - 4), Format::Kml).total, 1u);
    EXPECT_EQ(ReadPoints(nested(kMaxKmlDepth - 3), Format::Kml).error, "KML の要素の入れ子が深すぎます (100 段を超えます)");
    const std::atomic<bool> stop{true};
    unlimited.cancel = &stop;
    for (Format format : {Format::Gpx, Format::Kml, Format::Csv}) {
        EXPECT_EQ(ReadPoints(WritePoints({{"A", "", "", 35, 139, 0, "0", ""}}, format), format, unlimited).error, "読み込みを中止しました");
    }
}

TEST(FormatReaders, KmzTakesDocKmlElseTheFirstKml) {
    const auto placemark = [](const char* name) {
        return Kml(std::string("<Placemark><name>") + name + "</name><Point><coordinates>139,35</coordinates></Point></Placemark>");
    };
    const struct {
        std::vector<test::ZipEntry> entries;
        const char* name;
    } cases[] = {
        {{{"files/a.kml", placemark("a")}, {"DOC.KML", placemark("doc"), false}}, "doc"},
        {{{"image.png", "png"}, {"files/b.KML", placemark("b")}, {"c.kml", placemark("c")}}, "b"},
        {{{std::string(600, 'a') + ".kml", placemark("long")}}, "long"},
    };
    for (const auto& c : cases) {
        const ReadResult result = ReadPoints(test::MakeZip(c.entries), Format::Kmz);
        ASSERT_EQ(result.points.size(), 1u) << c.name;
        EXPECT_EQ(result.points[0].name, c.name);
    }
}

TEST(FormatReaders, KmzInflatesNoMoreThanTheLimit) {
    const std::string kml = Kml("<Placemark><Point><coordinates>139,35</coordinates></Point></Placemark>");
    ReadOptions small;
    small.maxInflatedKml = kml.size();
    EXPECT_EQ(ReadPoints(test::MakeZip({{"doc.kml", kml}}), Format::Kmz, small).points.size(), 1u);
    small.maxInflatedKml = kml.size() - 1;
    EXPECT_NE(ReadPoints(test::MakeZip({{"doc.kml", kml}}), Format::Kmz, small).error.find("大きすぎます"), std::string::npos);

    // A real bomb: 64 MiB and one byte of blanks deflate to about 64 KB.
    const std::string bomb = test::MakeZip({{"doc.kml", std::string(kMaxInflatedKml + 1, ' ')}});
    EXPECT_LT(bomb.size(), 100000u);
    EXPECT_EQ(ReadPoints(bomb, Format::Kmz).error, "KMZ の KML が大きすぎます (展開すると 64 MiB を超えます)");
    // Headers that understate the size: inflating stops at the stated size (and the CRC fails).
    const std::string liar = test::MakeZip({{"doc.kml", kml + std::string(10000, ' '), true, 100}});
    EXPECT_EQ(ReadPoints(liar, Format::Kmz).error, "KMZ ファイルとして読めません (zip アーカイブの誤り)");
}

// What real files hold: places known by address only, route points, declared encodings, a KMZ
// under a .kml name, points abroad, and the reason nothing could be read.
TEST(FormatReaders, RealFilesAsTheyCome) {
    const std::string wpt = "<wpt lat=\"35.5\" lon=\"139.5\"><name>A</name></wpt>";
    const std::string kml = Kml(u8"<Placemark><name>駅</name><address>東京都千代田区</address></Placemark>"
                                u8"<Placemark><address>大阪市</address></Placemark><Placemark><LineString/></Placemark>");
    const struct {
        std::string bytes;
        Format format;
        std::vector<std::string> names;   // points read, "-" after one without a position
        std::string warning;              // the start of the last UTF-8 warning, or of the error
    } cases[] = {
        {kml, Format::Kml, {"駅-", "大阪市-"}, ""},
        {test::MakeZip({{"doc.kml", kml}}), Format::Kml, {"駅-", "大阪市-"}, ""},
        {Gpx("<rte><rtept lat=\"35.5\" lon=\"139.5\"><name>R</name></rtept></rte>"), Format::Gpx, {"R"}, ""},
        {Gpx(wpt + "<rte><rtept lat=\"35.500001\" lon=\"139.5\"><name>A</name></rtept><rtept lat=\"35.6\" lon=\"139.5\"/>"
                   "<rtept lat=\"35.6\" lon=\"139.5\"><name>A</name></rtept></rte>"),
         Format::Gpx, {"A", "A"}, u8"読み込まなかったルートポイント: 名前のないもの 1 件、ウェイポイントなどと重なるもの 1 件"},
        {"<?xml version=\"1.0\" encoding=\"EUC-JP\"?><gpx><wpt lat=\"35\" lon=\"139\"><name>\xC5\xEC\xB5\xFE</name></wpt></gpx>",
         Format::Gpx, {"東京"}, ""},
        {"<?xml version='1.0' encoding='windows-1252'?><kml><Placemark><name>\xB0\xB1\xA7</name><Point><coordinates>139,35"
         "</coordinates></Point></Placemark></kml>", Format::Kml, {"°±§"}, ""},
        {"<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><gpx><wpt lat=\"35\" lon=\"139\"><name>H\xE4ndelstra\xDF" "e</name></wpt></gpx>",
         Format::Gpx, {"H?ndelstra?e"}, u8"Shift_JIS にない文字を「?」にした地点 (1 件): Händelstraße"},
        {Gpx("<wpt lat=\"48.85\" lon=\"2.35\"><name>Paris</name></wpt>" + wpt), Format::Gpx, {"Paris", "A"},
         u8"日本の範囲外にあるが読み込んだ地点 (1 件): Paris"},
        {Gpx("<wpt lat=\"-35\" lon=\"139\"/><wpt lat=\"35\" lon=\"-139\"/><wpt lat=\"x\" lon=\"139\"/>"), Format::Gpx, {},
         "読み込める地点がありません (東経・北緯の範囲外 2 件、位置が読めない 1 件)"},
        {Gpx("<trk><trkseg><trkpt lat=\"35\" lon=\"139\"/></trkseg></trk>"), Format::Gpx, {}, "地点がありません (トラックの点"},
        {" \r\n", Format::Kml, {}, "KML ファイルとして読めません: ファイルが空です"},
        {"\xFF\xFE<\0g\0p\0x\0>\0"s, Format::Gpx, {}, "GPX ファイルとして読めません: XML の誤り (Start-end tags mismatch)"},
        {"<?xml version=\"1.0\" encoding=\"x-unknown\"?><gpx/>", Format::Gpx, {}, "GPX ファイルとして読めません: 文字コード x-unknown"},
    };
    for (const auto& c : cases) {
        const ReadResult result = ReadPoints(c.bytes, c.format);
        std::vector<std::string> names;
        for (const FormatPoint& p : result.points) names.push_back(p.name + (p.noPosition ? "-" : ""));
        EXPECT_EQ(names, c.names) << c.bytes;
        const std::string said = !result.error.empty() ? result.error : result.warningsUtf8.empty() ? "" : result.warningsUtf8.back();
        EXPECT_EQ(said.substr(0, c.warning.size()), c.warning) << c.bytes << "\n" << said;
        EXPECT_EQ(result.warnings.size(), result.warningsUtf8.size());
    }
}

}  // namespace
}  // namespace vondrel::formats
