// Positions pasted from and copied to map apps.
#include <gtest/gtest.h>

#include "core/coordinate_text.h"
#include "core/link_position.h"
#include "core/map_position.h"

namespace vondrel {
namespace {

TEST(MapPosition, ReadsWhatMapAppsCopy) {
    const struct {
        const char* text;
        bool found;
        double lat;
        double lon;
    } cases[] = {
        {"35.681236, 139.767125", true, 35.681236, 139.767125},
        {" 35.681236,139.767125\r\n", true, 35.681236, 139.767125},
        {"35.681236 139.767125", true, 35.681236, 139.767125},
        {"35.681236\t139.767125", true, 35.681236, 139.767125},
        {"-33.8568, 151.2153", true, -33.8568, 151.2153},
        {"139.767125, 35.681236", true, 35.681236, 139.767125},
        {"https://www.google.com/maps/place/X/@35.6812362,139.7649361,17z/data=!3m1", true, 35.6812362, 139.7649361},
        {"https://maps.google.com/?q=35.681236,139.767125", true, 35.681236, 139.767125},
        {"https://maps.apple.com/?ll=35.681236%2C139.767125&q=X", true, 35.681236, 139.767125},
        {"https://example.com/?seq=35.1,139.2", false, 0, 0},
        {"35.681236", false, 0, 0},
        {"35.681236, 139.767125, 12", false, 0, 0},
        {"35.68.12, 139.76", false, 0, 0},
        {"95, 200", false, 0, 0},
        {"東京駅", false, 0, 0},
        // Links: the place (!3d!4d) before the view (@); search paths, GSI's fragment, parameters.
        {"https://www.google.com/maps/place/A/@35.1,139.1,17z/data=!3m1!4b1!4m6!3m5!1s0x60188bfbd89f700b:0x277c49ba34ed38!8m2!3d35.681236!4d139.767125",
         true, 35.681236, 139.767125},
        {"https://www.google.com/maps/search/35.681236,+139.767125?entry=tts", true, 35.681236, 139.767125},
        {"https://www.google.com/maps/search/?api=1&query=35.681236%2C139.767125", true, 35.681236, 139.767125},
        {"https://maps.gsi.go.jp/#16/35.681236/139.767125/&base=std&ls=std", true, 35.681236, 139.767125},
        {"https://example.jp/map?lon=139.767125&zoom=3&lat=35.681236", true, 35.681236, 139.767125},
        {"https://www.openstreetmap.org/?mlat=35.6&mlon=139.7", false, 0, 0},
        {"http://maps.google.com/?cid=2916910007297155640", false, 0, 0},
        {"https://www.google.com/maps/place/data=!4m2!3m1!1s0x60188bfbd89f700b:0x277c49ba34ed38", false, 0, 0},
        {"https://maps.google.com/?q=Tokyo+Station", false, 0, 0},
        // Texts people copy: degrees, minutes, seconds; Japanese words; full-width forms.
        {u8"35°40'52.4\"N 139°46'01.6\"E", true, 35.681222222, 139.767111111},
        {u8"139°46′01.6″E, 35°40′52.4″N", true, 35.681222222, 139.767111111},
        {u8"33°51'24.5\"S 151°12'55.1\"E", true, -33.856805556, 151.215305556},
        {u8"35.681236°N 139.767125°E", true, 35.681236, 139.767125},
        {u8"北緯35度40分52.4秒 東経139度46分1.6秒", true, 35.681222222, 139.767111111},
        {u8"３５．６８１２３６，　１３９．７６７１２５", true, 35.681236, 139.767125},
        {u8"35°60'00\"N 139°0'0\"E", false, 0, 0},
        {u8"35°40'N 35°46'N", false, 0, 0},
        {u8"北緯35度 東経", false, 0, 0},
        {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        const auto p = ParseLinkPosition(c.text);
        ASSERT_EQ(p.has_value(), c.found) << c.text;
        if (!p) continue;
        EXPECT_NEAR(p->lat, c.lat, 1e-9) << c.text;
        EXPECT_NEAR(p->lon, c.lon, 1e-9) << c.text;
    }
}

TEST(MapPosition, PasteAndCopyGoThroughTheTokyoDatum) {
    // Tokyo station: WGS 84 35.681236, 139.767125 is Tokyo 35.677996651, 139.770359136 (PROJ).
    const auto display = PastedPositionToDisplay("35.681236, 139.767125");
    ASSERT_TRUE(display.has_value());
    EXPECT_EQ(display->lon, "139.46.13.293");
    EXPECT_EQ(display->lat, " 35.40.40.788");
    EXPECT_EQ(TypedPositionToMapText(display->lon, display->lat), "35.681236, 139.767125");
    EXPECT_FALSE(PastedPositionToDisplay("-33.8568, 151.2153").has_value());
    EXPECT_EQ(FormatMapPosition({35.5, 139.25}), "35.500000, 139.250000");
}

}  // namespace
}  // namespace vondrel
