// Positions pasted from and copied to map apps.
#include <gtest/gtest.h>

#include "core/coordinate_text.h"
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
        {"", false, 0, 0},
    };
    for (const auto& c : cases) {
        const auto p = ParseMapPosition(c.text);
        ASSERT_EQ(p.has_value(), c.found) << c.text;
        if (!p) continue;
        EXPECT_DOUBLE_EQ(p->lat, c.lat) << c.text;
        EXPECT_DOUBLE_EQ(p->lon, c.lon) << c.text;
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
