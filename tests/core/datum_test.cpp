// The Tokyo <-> WGS 84 shift against PROJ's implementation of the same operation (EPSG:15484),
// over a grid covering Japan from Yonaguni and Naha to Wakkanai and the Ogasawara islands.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "core/datum.h"

namespace vondrel {
namespace {

// The distance between two nearby positions in metres (a local flat approximation, ample at 1 mm).
double Metres(LatLon a, LatLon b) {
    const double metresPerDegree = 111320.0;
    const double north = (a.lat - b.lat) * metresPerDegree;
    const double east = (a.lon - b.lon) * metresPerDegree * std::cos(a.lat * 3.14159265358979 / 180);
    return std::hypot(north, east);
}

// Positions computed by PROJ 9.1 (`cct -d 9 EPSG:15484`, and `-I` for the inverse): they hold on
// every build, including the cross-built one that cannot call PROJ. The two directions are not
// exact inverses of each other (each drops the height the translation gives, as PROJ does).
TEST(Datum, KnownPositions) {
    const struct {
        bool toWgs84;
        LatLon from;
        LatLon to;
    } cases[] = {
        {true, {35.67799, 139.77037}, {35.681229332, 139.767135881}},
        {false, {35.681236, 139.767125}, {35.677996651, 139.770359136}},
    };
    for (const auto& c : cases) {
        const LatLon ours = c.toWgs84 ? TokyoToWgs84(c.from) : Wgs84ToTokyo(c.from);
        EXPECT_LT(Metres(ours, c.to), 0.001) << c.from.lat << "," << c.from.lon;
    }
}

// Distances on the Bessel ellipsoid against PROJ's geodesic (`geod +ellps=bessel -I`).
TEST(Datum, TokyoDistancesMatchTheGeodesic) {
    const struct {
        LatLon a, b;
        double metres;
    } cases[] = {
        {{35.65858, 139.74543}, {35.65858, 139.74576}, 29.878},  // east, just under 30 m
        {{35.65858, 139.74543}, {35.65885, 139.74543}, 29.954},  // north
        {{35.0, 135.0}, {35.0002, 135.0002}, 28.731},
        {{43.0, 141.3}, {43.0001, 141.3003}, 26.863},
        {{24.3, 123.9}, {24.30001, 123.9}, 1.108},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(TokyoDistanceMeters(c.a, c.b), c.metres, 0.001) << c.a.lat << "," << c.a.lon;
        EXPECT_NEAR(TokyoDistanceMeters(c.b, c.a), c.metres, 0.001);
    }
}

#ifndef _WIN32
// Runs PROJ's cct over `points` (latitude first, as EPSG:4301 and EPSG:4326 order them).
std::vector<LatLon> RunCct(const std::vector<LatLon>& points, bool inverse) {
    char input[] = "/tmp/vondrel-datum-XXXXXX";
    const int fd = mkstemp(input);
    if (fd < 0) return {};
    std::FILE* file = fdopen(fd, "w");
    for (const LatLon& p : points) std::fprintf(file, "%.9f %.9f 0\n", p.lat, p.lon);
    std::fclose(file);
    const std::string command =
        std::string("cct -d 9 ") + (inverse ? "-I " : "") + "EPSG:15484 " + input + " 2>/dev/null";
    std::vector<LatLon> results;
    if (std::FILE* pipe = popen(command.c_str(), "r")) {
        LatLon p;
        double height, time;
        while (std::fscanf(pipe, "%lf %lf %lf %lf", &p.lat, &p.lon, &height, &time) >= 2) results.push_back(p);
        pclose(pipe);
    }
    std::remove(input);
    return results;
}

TEST(Datum, MatchesProjWithinOneMillimetre) {
    std::vector<LatLon> grid;
    for (double lat = 24.0; lat <= 45.6; lat += 0.25) {
        for (double lon = 122.9; lon <= 146.0; lon += 0.25) grid.push_back({lat, lon});
    }
    for (const bool inverse : {false, true}) {
        const std::vector<LatLon> proj = RunCct(grid, inverse);
        ASSERT_EQ(proj.size(), grid.size()) << "PROJ's cct (Debian proj-bin) must be installed";
        double worst = 0;
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const LatLon ours = inverse ? Wgs84ToTokyo(grid[i]) : TokyoToWgs84(grid[i]);
            worst = std::max(worst, Metres(ours, proj[i]));
        }
        EXPECT_LT(worst, 0.001) << (inverse ? "WGS 84 -> Tokyo" : "Tokyo -> WGS 84");
        RecordProperty(inverse ? "worst_inverse_metres" : "worst_forward_metres", std::to_string(worst));
    }
}
#endif

}  // namespace
}  // namespace vondrel
