// GeoJSON and Google Takeout's saved places (JSON in both shapes, CSV lists): what is read as a
// point, where a place without coordinates gets its position, and what is refused.
#include <gtest/gtest.h>

#include "core/datum.h"
#include "formats/point_formats.h"
#include "support/temp_dir.h"

namespace vondrel::formats {
namespace {

// u8 literals: the files are UTF-8. Read on the Tokyo datum, so positions come as written.
ReadResult ReadTokyo(const std::string& bytes, Format format) { return ReadPoints(bytes, format, {Datum::Tokyo}); }

std::string Feature(const std::string& geometry, const std::string& properties = "{}") {
    return "{\"type\":\"Feature\",\"geometry\":" + geometry + ",\"properties\":" + properties + "}";
}
std::string Collection(const std::string& features) { return "{\"type\":\"FeatureCollection\",\"features\":[" + features + "]}"; }
const std::string kPoint = "{\"type\":\"Point\",\"coordinates\":[139.25,35.5]}";
const std::string kLine = "{\"type\":\"LineString\",\"coordinates\":[[139,35],[140,36]]}";

struct Expected {
    std::size_t points;
    const char* firstName;  // code page 932
    double lat, lon;        // of the first point
    std::size_t warnings;
    const char* error;      // part of the refusal; "" when read
};

void Check(const std::string& bytes, Format format, const Expected& e) {
    const ReadResult result = ReadTokyo(bytes, format);
    if (*e.error) {
        EXPECT_NE(result.error.find(e.error), std::string::npos) << bytes << "\n" << result.error;
        return;
    }
    ASSERT_EQ(result.error, "") << bytes;
    ASSERT_EQ(result.points.size(), e.points) << bytes;
    EXPECT_EQ(result.points[0].name, e.firstName) << bytes;
    EXPECT_EQ(result.points[0].lat, e.lat) << bytes;
    EXPECT_EQ(result.points[0].lon, e.lon) << bytes;
    EXPECT_EQ(result.warnings.size(), e.warnings) << bytes;
}

TEST(JsonReaders, GeoJsonPointsInEveryShape) {
    std::string deep = kPoint;
    for (int i = 0; i < 80; ++i) deep = "{\"type\":\"GeometryCollection\",\"geometries\":[" + deep + "]}";
    const struct {
        std::string bytes;
        Expected expected;
    } cases[] = {
        {Collection(Feature(kPoint, u8"{\"name\":\"東京駅\",\"phone\":\"03-1\"}")), {1, "東京駅", 35.5, 139.25, 0, ""}},
        {"\xEF\xBB\xBF" + kPoint, {1, "", 35.5, 139.25, 0, ""}},
        {Feature("{\"coordinates\":[[139.25,35.5],[139.5,35.75]],\"type\":\"MultiPoint\"}", "{\"title\":\"A\"}"), {2, "A", 35.5, 139.25, 0, ""}},
        {u8"{\"properties\":{\"名称\":\"B\"},\"geometry\":{\"type\":\"GeometryCollection\",\"geometries\":[" + kLine +
             ",{\"type\":\"GeometryCollection\",\"geometries\":[" + kPoint + "]}]},\"type\":\"Feature\"}",
         {1, "B", 35.5, 139.25, 1, ""}},
        {Collection(Feature(kLine, "{\"name\":\"L\"}") + "," + Feature(kPoint, "{\"Title\":\"C\"}")), {1, "C", 35.5, 139.25, 1, ""}},
        {Feature("{\"type\":\"Point\",\"coordinates\":[\"139.25\",\" 35.5\"]}"), {1, "", 35.5, 139.25, 0, ""}},
        {Feature("{\"type\":\"Point\",\"coordinates\":[1.3925e2,3.55E+1,12]}"), {1, "", 35.5, 139.25, 0, ""}},
        {Collection(Feature("{\"type\":\"Point\",\"coordinates\":[1e999,35.5]}") + "," + Feature(kPoint)), {1, "", 35.5, 139.25, 1, ""}},
        {Feature("{\"type\":\"Point\",\"coordinates\":[\"east\",35.5]}"), {0, "", 0, 0, 0, "読み込める地点がありません"}},
        {Feature("{\"type\":\"Point\",\"coordinates\":[NaN,35.5]}"), {0, "", 0, 0, 0, "JSON"}},
        {Collection(Feature(kLine)), {0, "", 0, 0, 0, "1 個は読み込みません"}},
        {deep, {0, "", 0, 0, 0, "入れ子が深すぎる"}},
        {"[139.25,35.5]", {0, "", 0, 0, 0, "GeoJSON ではありません"}},
        {Collection(Feature(kPoint)) + "}", {0, "", 0, 0, 0, "JSON"}},
        {"{\"type\":\"FeatureCollection\",\"features\":[" + Feature(kPoint), {0, "", 0, 0, 0, "JSON"}},
    };
    for (const auto& c : cases) Check(c.bytes, Format::GeoJson, c.expected);
}

TEST(JsonReaders, TakeoutPlacesTakeTheirPositionFromTheLinkOrHaveNone) {
    const std::string older = Feature("{\"coordinates\":[139.25,35.5],\"type\":\"Point\"}",
        "{\"Google Maps URL\":\"http://maps.google.com/?cid=1\",\"Location\":{\"Address\":\"X\",\"Business Name\":\"Old\","
        "\"Geo Coordinates\":{\"Latitude\":\"35.5\",\"Longitude\":\"139.25\"}},\"Title\":\"Old\"}");
    const auto newer = [](const char* url, const char* name) {
        return Feature("{\"coordinates\":[0,0],\"type\":\"Point\"}", std::string("{\"google_maps_url\":\"") + url +
                       "\",\"location\":{\"address\":\"Tokyo\",\"name\":\"" + name + "\"}}");
    };
    // A link's position is on WGS 84 even where the CSV's columns are taken as Tokyo.
    const LatLon tokyo = Wgs84ToTokyo({35.5, 139.25});
    const struct {
        std::string bytes;
        Format format;
        Expected expected;
    } cases[] = {
        {Collection(older), Format::GeoJson, {1, "Old", 35.5, 139.25, 0, ""}},
        {Collection(newer("http://maps.google.com/?q=35.5,139.25", "New")), Format::GeoJson, {1, "New", 35.5, 139.25, 0, ""}},
        {Collection(newer("http://maps.google.com/?cid=2916910007297155640", "Cid") + "," + older), Format::GeoJson,
         {2, "Cid", 0, 0, 0, ""}},
        {"Title,Note,URL\n\nA,,\"https://www.google.com/maps/search/35.5,139.25\"\n", Format::Csv, {1, "A", tokyo.lat, tokyo.lon, 0, ""}},
        {"\xEF\xBB\xBFTitle,Note,URL,Tags,Comment\n"
         "Cid,,https://www.google.com/maps/place/X/data=!4m2!3m1!1s0x6:0x2,,\n"
         "B,n,\"https://www.google.com/maps/place/B/@35,139,17z/data=!3d35.5!4d139.25\",t,c\n",
         Format::Csv, {2, "Cid", 0, 0, 0, ""}},
    };
    for (const auto& c : cases) {
        Check(c.bytes, c.format, c.expected);
        // A place whose link holds no position is kept without one.
        for (const FormatPoint& point : ReadTokyo(c.bytes, c.format).points) {
            EXPECT_EQ(point.noPosition, point.name == "Cid") << c.bytes;
        }
    }
}

TEST(JsonReaders, GeoJsonExportReadsBackTheSamePoints) {
    FormatPoint a;
    a.name = "\"東京\\駅\"";
    a.reading = "とうきょう";
    a.tel = "03-1234";
    a.lat = 35.5;
    a.lon = 139.25;
    a.mark = 12;
    a.sound = "7";
    a.direction = "90";
    FormatPoint b;
    b.name = "B";
    b.lat = 35.1234567;
    b.lon = 139.7654321;
    b.mark = 0;
    const std::vector<FormatPoint> points{a, b};
    ReadResult read = ReadTokyo(WritePoints(points, Format::GeoJson, Datum::Tokyo), Format::GeoJson);
    ASSERT_EQ(read.error, "");
    EXPECT_EQ(read.points, points);
    EXPECT_EQ(ExportFormatOf(test::PathOf("a.GeoJSON")), Format::GeoJson);
}

}  // namespace
}  // namespace vondrel::formats
