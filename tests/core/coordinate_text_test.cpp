// Coordinate text forms: display of stored text, storing of typed text, the rounding rule.
#include <gtest/gtest.h>

#include <cstdio>

#include "core/coordinate_text.h"

namespace vondrel {
namespace {

struct DisplayCase {
    const char* stored;
    const char* lon;
    const char* lat;
};

TEST(CoordinateText, StoredToDisplay) {
    const DisplayCase cases[] = {
        {"139.50431", "139.30.15.516", " 139.30.15.516"},
        {"35.12345", "035.07.24.420", " 35.07.24.420"},
        {"139.5", "139.30.00.000", " 139.30.00.000"},
        {"", "000.00.00.000", " 00.00.00.000"},
        {"abc", "000.00.00.000", " 00.00.00.000"},
        {"  35.5xyz", "035.30.00.000", " 35.30.00.000"},
        {".50000", "000.30.00.000", " 00.30.00.000"},
        {"+35.5", "035.30.00.000", " 35.30.00.000"},
        {"35.12345e0", "035.07.24.420", " 35.07.24.420"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StoredToLonDms(c.stored), c.lon) << c.stored;
        EXPECT_EQ(StoredToLatDms(c.stored), c.lat) << c.stored;
    }
}

// Every millisecond of a degree, stored with nine decimals or typed, shows as itself.
TEST(CoordinateText, DisplayRoundsToTheNearestMillisecond) {
    char stored[32], shown[32];
    for (int ms = 35 * 3600000; ms < 36 * 3600000; ++ms) {
        std::snprintf(stored, sizeof stored, "%.9f", ms / 3600000.0);
        std::snprintf(shown, sizeof shown, " %02d.%02d.%02d.%03d", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
        if (StoredToLatDms(stored) != shown || (ms % 36 == 0 && StoredToLatDms(TypedToStored(shown)) != shown)) FAIL() << shown;
    }
}

TEST(CoordinateText, OutOfRangeStoredTextsDoNotFail) {
    // Values whose milliseconds leave 32 bits take the processor's "integer indefinite".
    for (const char* text : {"1e300", "-1e300", "1e999", "nan", "inf", "999999999"}) {
        EXPECT_FALSE(StoredToLonDms(text).empty()) << text;
        EXPECT_EQ(StoredToMilliseconds(text), INT32_MIN) << text;
    }
}

struct TypedCase {
    const char* typed;
    const char* stored;
};

TEST(CoordinateText, TypedToStored) {
    const TypedCase cases[] = {
        {"139.30.15.500", "139.50431"},
        {"139.30.15.5", "139.50431"},
        {"139 30 15 5", "139.50431"},
        {"139'30'15'5", "139.50431"},
        {"139,30,15,5", "139.50431"},
        {"139/30/15500", "139.50431"},
        {"139.30.15500.7", "139.50431"},
        {"139.30.15.05", "139.50418"},
        {" 35.07.24.420", "35.12345"},
        {"139.30", "139.50000"},
        {"139", "139.00000"},
        {"35.40.12", "35.67000"},
        {"35.40.60", "35.66668"},
        {"139.30.59.999", "139.51667"},
        {"139.30.13.518", "139.50375"},  // exact half lies just below after the multiplication
        {"", ".00000"},
        {"0.30", ".50000"},
        {"0.0.36", ".01000"},
        {"0.0.18", ".00500"},
        {"0.0.17", ".00472"},
        {"0.0.0.018", ".00000"},  // 0.000005 becomes 4.9999999999999996e-06 after the multiplication
        {"0.0.0.019", ".00001"},
        {"0.6.0", ".10000"},
        {"0.0.36.0", ".01000"},  // 36 s
        {"35.75.0", "36.25000"},  // minutes are not limited to 59
        {"\t139\n30,,15", "139.50417"},
        {"139.30.15.1234", "139.50420"},  // only three digits of the fraction count
        {"139.30.15.5x", "139.50417"},  // "5x" over "000" is "5x0": 5 ms
        {"..//139", "139.00000"},
    };
    for (const auto& c : cases) EXPECT_EQ(TypedToStored(c.typed), c.stored) << '"' << c.typed << '"';
}

TEST(CoordinateText, TypedTextIsReadFromItsFirst32BytesOnly) {
    const std::string padded = std::string(28, ' ') + "139.30";  // "30" starts at byte 33
    EXPECT_EQ(TypedToStored(padded), "139.00000");
    EXPECT_EQ(TypedToStored(std::string(26, ' ') + "139.30"), "139.50000");
}

TEST(CoordinateText, TypedRoundTripsThroughDisplayForm) {
    EXPECT_EQ(StoredToLatDms(TypedToStored(" 35.07.24.420")), " 35.07.24.420");
    EXPECT_EQ(StoredToLonDms(TypedToStored("139.30.15.5")), "139.30.15.516");
}

TEST(CoordinateText, NegativeAndHugeTypedTextsDoNotFail) {
    EXPECT_EQ(TypedToStored("-139.30"), "138.50000");  // -139 degrees + 30 minutes, sign not written
    EXPECT_FALSE(TypedToStored("99999999999999999999.99999999999").empty());
    EXPECT_FALSE(TypedToStored("2147483647.59.59.999").empty());
}

TEST(CoordinateText, FiveDecimalsFormatting) {
    EXPECT_EQ(FormatFiveDecimals(0.0), ".00000");
    EXPECT_EQ(FormatFiveDecimals(0.9999951), "1.00000");
    EXPECT_EQ(FormatFiveDecimals(0.999995), ".99999");  // 0.99999499999999996 as a double
    EXPECT_EQ(FormatFiveDecimals(9.999999), "10.00000");
    EXPECT_EQ(FormatFiveDecimals(180.0), "180.00000");
    EXPECT_EQ(FormatFiveDecimals(-35.5), "35.50000");
    EXPECT_EQ(FormatFiveDecimals(1e-9), ".00000");
}

}  // namespace
}  // namespace vondrel
