// The edit dialog's checks: which typed coordinates are read as meant, which marks and names the
// table takes, and which field a message names first.
#include <gtest/gtest.h>

#include <functional>

#include "core/coordinate_text.h"
#include "editing/point_input_checks.h"

namespace vondrel {
namespace {

TEST(PointInputChecks, TypedCoordinates) {
    using P = CoordinateProblem;
    const struct {
        const char* typed;
        P lon, lat;
    } cases[] = {
        // The display forms and the other ways of typing them.
        {"139.30.15.516", P::None, P::OutOfRange},
        {" 35.07.24.420", P::None, P::None},
        {"139 30 15 5", P::None, P::OutOfRange},
        {"139/30/15500", P::None, P::OutOfRange},  // the map's wire form: seconds and milliseconds run together
        {"139.30.15500.7", P::None, P::OutOfRange},
        {"35.40", P::None, P::None},
        {"", P::None, P::None},  // no position yet
        {"180.00.00.000", P::None, P::OutOfRange},
        {"90.00.00.000", P::None, P::None},
        {"90.00.00.001", P::None, P::OutOfRange},
        {"180.00.00.001", P::OutOfRange, P::OutOfRange},
        {"181", P::OutOfRange, P::OutOfRange},
        // What was stored without a word before.
        {"139.74224", P::Minutes, P::OutOfRange},  // decimal degrees
        {"35.75.99", P::Minutes, P::Minutes},
        {"35.40.60", P::Seconds, P::Seconds},
        {"35.40.99", P::Seconds, P::Seconds},
        {"35.40.60000", P::Seconds, P::Seconds},
        {"hello", P::NotACoordinate, P::NotACoordinate},
        {"-139.30", P::NotACoordinate, P::NotACoordinate},
        {"35.40.12abc", P::NotACoordinate, P::NotACoordinate},
        {"1.2.3.4.5", P::NotACoordinate, P::NotACoordinate},
        {"1234567890", P::NotACoordinate, P::NotACoordinate},
        {"                                  35", P::NotACoordinate, P::NotACoordinate},  // beyond the 32 bytes read
        {"１３９．３０", P::NotACoordinate, P::NotACoordinate},  // full-width until made half-width
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckTypedCoordinate(c.typed, CoordinateAxis::Longitude), c.lon) << c.typed;
        EXPECT_EQ(CheckTypedCoordinate(c.typed, CoordinateAxis::Latitude), c.lat) << c.typed;
    }
    // Whatever passes is stored within the range (the typed form's own rules, unchanged).
    for (const char* typed : {"180.00.00.000", "179.59.59.999", "139/30/59999"}) {
        EXPECT_LE(StoredToMilliseconds(TypedToStored(typed)), 180 * 3600000) << typed;
    }
}

TEST(PointInputChecks, FirstProblemNamesTheField) {
    const TypedPoint fine{"東京タワー", "東京タワー", "139.44.49.000", " 35.39.31.000", "7"};
    EXPECT_FALSE(FirstInputProblem(fine));
    const struct {
        std::function<void(TypedPoint&)> edit;
        std::optional<CheckedField> field;
        std::string message;
    } cases[] = {
        {[](TypedPoint& t) { t.name = "東京タワー展望台"; }, std::nullopt, ""},  // 16 bytes
        {[](TypedPoint& t) { t.name = "東京タワー大展望台"; }, CheckedField::Name,
         "地点名称が長すぎます（18/16 バイト）。\n全角 8 文字、半角 16 文字までで入力してください。"},
        {[](TypedPoint& t) { t.name = t.originalName = "ABCDEFGHIJKLMNOPQRST"; }, std::nullopt, ""},  // read so, kept
        {[](TypedPoint& t) { t.lon = "139.74224"; }, CheckedField::Longitude, "東経の分は 0～59 です。\n度.分.秒.ミリ秒 の形で入力してください（例 139.44.28.860）。"},
        {[](TypedPoint& t) { t.lat = "hello"; }, CheckedField::Latitude,
         "北緯を読み取れません。\n度.分.秒.ミリ秒 の形で入力してください（例 35.39.31.140）。"},
        {[](TypedPoint& t) { t.lat = "95"; }, CheckedField::Latitude, "北緯は 0～90 度の範囲です。\n度.分.秒.ミリ秒 の形で入力してください（例 35.39.31.140）。"},
        {[](TypedPoint& t) { t.lon = "200"; t.lat = "95"; }, CheckedField::Longitude, "東経は 0～180 度の範囲です。\n度.分.秒.ミリ秒 の形で入力してください（例 139.44.28.860）。"},
        {[](TypedPoint& t) { t.lat = "35.40.61"; }, CheckedField::Latitude, "北緯の秒は 0～59 です。\n度.分.秒.ミリ秒 の形で入力してください（例 35.39.31.140）。"},
        {[](TypedPoint& t) { t.markNumber = "99"; }, CheckedField::Mark, "２Ｄマークは 1～55 の番号で入力してください。"},
        {[](TypedPoint& t) { t.markNumber = "0"; }, CheckedField::Mark, "２Ｄマークは 1～55 の番号で入力してください。"},
        {[](TypedPoint& t) { t.markNumber = "x"; }, CheckedField::Mark, "２Ｄマークは 1～55 の番号で入力してください。"},
        {[](TypedPoint& t) { t.markNumber = " 55 "; }, std::nullopt, ""},
    };
    for (const auto& c : cases) {
        TypedPoint typed = fine;
        c.edit(typed);
        const std::optional<InputProblem> problem = FirstInputProblem(typed);
        ASSERT_EQ(problem.has_value(), c.field.has_value()) << c.message;
        if (!problem) continue;
        EXPECT_EQ(problem->field, *c.field);
        EXPECT_EQ(problem->message, c.message);
    }
    EXPECT_EQ(NameBytesText("ABCｱ東京"), "8/16");
}

// A position to copy must be there: empty fields are refused, unlike on OK.
TEST(PointInputChecks, PositionToCopy) {
    const struct {
        const char *lon, *lat;
        std::optional<CheckedField> field;
    } cases[] = {
        {"139.44.49.000", " 35.39.31.000", std::nullopt},
        {"", " 35.39.31.000", CheckedField::Longitude},
        {"139.44.49.000", "  ", CheckedField::Latitude},
        {"139.74224", "35.5", CheckedField::Longitude},
        {"139.44", "91", CheckedField::Latitude},
    };
    for (const auto& c : cases) {
        const std::optional<InputProblem> problem = TypedPositionProblem(c.lon, c.lat);
        ASSERT_EQ(problem.has_value(), c.field.has_value()) << c.lon << "/" << c.lat;
        if (problem) {
            EXPECT_EQ(problem->field, *c.field) << c.lon << "/" << c.lat;
        }
    }
    EXPECT_EQ(TypedPositionProblem("", "1")->message, "東経を入力してください。");
}

}  // namespace
}  // namespace vondrel
