// The map bridge's command handling and log texts.
#include <gtest/gtest.h>

#include "map/bridge_state.h"

namespace vondrel::tarvix {
namespace {

using bridge::Axis;
using bridge::Name;

TEST(BridgeState, CommandsChangeLayerNamePointsAndMark) {
    BridgeState state;
    state.mark = GeoPoint{126000001, 500459999};
    EXPECT_EQ(state.MarkWire(Axis::kLatitude, {}), " 35/00/00001");
    EXPECT_EQ(state.MarkWire(Axis::kLongitude, {}), "139/00/59999");
    const struct {
        Name command;
        const char* text;
        Effect effect;
    } steps[] = {
        {Name::kSetLayer, "4", Effect::kRedraw},
        {Name::kObjectName, "ProAtlasSV.Map", Effect::kRedraw},
        {Name::kInitMap, "", Effect::kRefit},
        {Name::kAddTextEx, " 35/41/05007,139/45/30123,東京駅", Effect::kRefit},
        {Name::kAddTextEx, " 35/00/00000,140/00/00000,A,B", Effect::kRefit},
        {Name::kAddTextEx, ",,", Effect::kRejected},
        {Name::kAddTextEx, " 35.41.05.007,139.45.30.123,display form", Effect::kRejected},
        {Name::kTextEnd, "", Effect::kNone},
        {Name::kGetMarkLon, "", Effect::kReplyLongitude},
    };
    for (const auto& step : steps) EXPECT_EQ(state.Execute(step.command, step.text), step.effect) << step.text;
    EXPECT_EQ(state.layer, "4");
    EXPECT_EQ(state.objectName, "ProAtlasSV.Map");
    EXPECT_FALSE(state.mark);  // cleared by SUB_INIT_MAP: the fallback answers
    EXPECT_EQ(state.MarkWire(Axis::kLatitude, {128465007, 0}), " 35/41/05007");
    ASSERT_EQ(state.points.size(), 2u);
    EXPECT_EQ(state.points[0].at, (GeoPoint{128465007, 503130123}));
    EXPECT_EQ(state.points[0].name, "東京駅");
    EXPECT_EQ(state.points[1].name, "A,B");
    state.Execute(Name::kDeleteText, "");
    EXPECT_TRUE(state.points.empty());
}

TEST(BridgeState, LogLinesQuoteTheTextsBytes) {
    const struct {
        std::optional<Name> command;
        std::string text;
        const char* line;
    } cases[] = {
        {Name::kInitMap, "", R"(SUB_INIT_MAP "")"},
        {Name::kAddTextEx, " 35/41/05007,1,地ｱ", R"(SUB_ADD_TEXT_EX " 35/41/05007,1,\x92\x6E\xB1")"},
        {Name::kObjectName, "a\"b\\c\n\x7F~", R"(SUB_OBJECT_NAME "a\x22b\x5Cc\x0A\x7F~")"},
        {Name::kObjectName, "表A\x81", R"(SUB_OBJECT_NAME "\x95\x5CA\x81")"},  // a lone lead byte last
        {std::nullopt, "z", R"(UNKNOWN 0xC0F3 "z")"},
    };
    for (const auto& c : cases) EXPECT_EQ(CommandLogLine(c.command, 0xC0F3, c.text), c.line);
}

}  // namespace
}  // namespace vondrel::tarvix
