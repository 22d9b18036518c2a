// The readers on files that gpsbabel writes, and the writers' files read back by gpsbabel: a
// producer and a consumer that nobody here wrote. Native only; gpsbabel comes with
// scripts/install-deps.sh, and a missing one fails the tests.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/datum.h"
#include "formats/point_files.h"
#include "support/temp_dir.h"

namespace vondrel::formats {
namespace {

const struct Place {
    const char* utf8;
    const char* name;  // code page 932
    const char* tel;
    double lat;        // WGS 84
    double lon;
} kPlaces[] = {
    {u8"東京駅", "東京駅", "03-3212-2341", 35.681236, 139.767125},
    {u8"A, \"B\" <&>", "A, \"B\" <&>", "", 26.212401, 127.679158},
    {u8"ﾜｯｶﾅｲ", "ﾜｯｶﾅｲ", "+81 162 23 6161", 45.415691, 141.673179},
    {u8"父島", "父島", "", 27.094451, 142.191785},
};

class Gpsbabel : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(std::system("gpsbabel -V >/dev/null 2>&1"), 0) << "gpsbabel is missing: run scripts/install-deps.sh";
    }
    void Run(const std::string& arguments) {
        ASSERT_EQ(std::system(("gpsbabel " + arguments + " >/dev/null 2>&1").c_str()), 0) << arguments;
    }
    ReadResult Read(const std::string& path, Datum datum) {
        ReadResult result;
        EXPECT_EQ(ReadPointFile(test::PathOf(path), {datum}, result), 0) << path;
        EXPECT_EQ(result.error, "") << path;
        return result;
    }
    test::TempDir dir;
};

TEST_F(Gpsbabel, ItsFilesReadAsTheirPointsOnTheTokyoDatum) {
    std::string csv = "name,lat,lon,phone\n";
    for (const Place& p : kPlaces) {
        std::string quoted;
        for (const char* c = p.utf8; *c; ++c) quoted += *c == '"' ? std::string("\"\"") : std::string(1, *c);
        csv += "\"" + quoted + "\"," + std::to_string(p.lat) + "," + std::to_string(p.lon) + "," + p.tel + "\n";
    }
    test::WriteFileBytes(dir.Path("points.csv"), csv);
    const struct {
        const char* output;
        const char* file;
        bool tel;
    } cases[] = {
        {"gpx", "points.gpx", false},
        {"gpx,gpxver=1.1", "points11.gpx", true},
        {"kml", "points.kml", false},
    };
    for (const auto& c : cases) {
        Run("-i unicsv -f " + dir.Path("points.csv") + " -o " + c.output + " -F " + dir.Path(c.file));
        const ReadResult result = Read(dir.Path(c.file), Datum::Wgs84);
        ASSERT_EQ(result.points.size(), std::size(kPlaces)) << c.file;
        for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
            const LatLon tokyo = Wgs84ToTokyo({kPlaces[i].lat, kPlaces[i].lon});
            EXPECT_EQ(result.points[i].name, kPlaces[i].name) << c.file;
            EXPECT_EQ(result.points[i].tel, c.tel ? kPlaces[i].tel : "") << c.file;
            EXPECT_NEAR(result.points[i].lat, tokyo.lat, 1e-9) << c.file;
            EXPECT_NEAR(result.points[i].lon, tokyo.lon, 1e-9) << c.file;
        }
    }
}

TEST_F(Gpsbabel, ReadsTheWrittenFiles) {
    std::vector<FormatPoint> points;
    for (const Place& p : kPlaces) {
        const LatLon tokyo = Wgs84ToTokyo({p.lat, p.lon});
        points.push_back({p.name, "よみ", p.tel, tokyo.lat, tokyo.lon, 0, "0", ""});
    }
    const struct {
        Format format;
        const char* input;
        const char* file;
        bool tel;
    } cases[] = {
        {Format::Gpx, "gpx", "ours.gpx", true},
        {Format::Kml, "kml", "ours.kml", false},
        {Format::Csv, "unicsv", "ours.csv", false},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(WritePointFile(dir.File(c.file), points, c.format).cause, 0);
        Run("-i " + std::string(c.input) + " -f " + dir.Path(c.file) + " -o unicsv -F " + dir.Path("back.csv"));
        // gpsbabel's CSV: No,Latitude,Longitude,Name[,Description][,Phone], six decimals.
        const ReadResult result = Read(dir.Path("back.csv"), Datum::Tokyo);
        ASSERT_EQ(result.points.size(), std::size(kPlaces)) << c.file;
        for (std::size_t i = 0; i < std::size(kPlaces); ++i) {
            EXPECT_EQ(result.points[i].name, kPlaces[i].name) << c.file;
            EXPECT_EQ(result.points[i].tel, c.tel ? kPlaces[i].tel : "") << c.file;
            EXPECT_NEAR(result.points[i].lat, kPlaces[i].lat, 6e-7) << c.file;
            EXPECT_NEAR(result.points[i].lon, kPlaces[i].lon, 6e-7) << c.file;
        }
    }
}

}  // namespace
}  // namespace vondrel::formats
