// Editing on the map: steps encoded and assembled again, garbled runs, the editor's checks on
// moves (set serial, index, range), and the bridge's handling of the editor's steps.
#include <gtest/gtest.h>

#include "map/bridge_state.h"
#include "protocol/edit_protocol.h"

namespace vondrel::bridge {
namespace {

using S = EditStep;
constexpr std::int32_t kLat = 128465007;
constexpr std::int32_t kLon = 503130123;

TEST(EditProtocol, MessagesSurviveEncodingAndGarbledRunsLendNoFields) {
    const EditMessage messages[] = {
        {S::kMoved, 699, 4000000000u, kMaxLatitudeMs, kMaxLongitudeMs, {}},
        {S::kAddHere, 0, {}, 0, 0, {}},
        {S::kShowMark, 3, {}, {}, {}, 55},
        {S::kSelect, -1, {}, {}, {}, {}},  // values are read as 32 bits on either Windows
    };
    EditAssembler assembler;
    for (const EditMessage& message : messages) {
        std::vector<std::optional<EditMessage>> got;
        for (const Post& post : EncodeEdit(message)) got.push_back(assembler.Step(post.wParam, post.lParam));
        EXPECT_EQ(got.back(), message) << static_cast<int>(message.step);
        EXPECT_EQ(std::count(got.begin(), got.end(), std::nullopt), static_cast<long>(got.size() - 1));
    }
    // Fields, an unknown step, a command: it comes without the fields.
    for (std::uintptr_t step : {1u, 3u, 99u}) EXPECT_FALSE(assembler.Step(step, 7));
    EXPECT_EQ(assembler.Step(33, 2), (EditMessage{S::kClicked, 2, {}, {}, {}, {}}));
}

TEST(EditProtocol, OnlyMovesOfTheCurrentSetInRangeAreTaken) {
    SentSet set;
    EXPECT_FALSE(set.TakeMove({S::kMoved, 0, 0u, 1, 1, {}})) << "before any set";
    const std::uint32_t old = set.Begin(3), now = set.Begin(3);
    const struct {
        EditMessage message;
        bool taken;
    } cases[] = {
        {{S::kMoved, 2, now, kLat, kLon, {}}, true},
        {{S::kMoved, 0, now, 0, kMaxLongitudeMs, {}}, true},
        {{S::kMoved, 0, old, kLat, kLon, {}}, false},
        {{S::kMoved, 0, {}, kLat, kLon, {}}, false},
        {{S::kMoved, 3, now, kLat, kLon, {}}, false},
        {{S::kMoved, -1, now, kLat, kLon, {}}, false},
        {{S::kMoved, 1, now, kMaxLatitudeMs + 1, kLon, {}}, false},
        {{S::kMoved, 1, now, kLat, -1, {}}, false},
        {{S::kMoved, 1, now, kLat, {}, {}}, false},
        {{S::kClicked, 1, now, kLat, kLon, {}}, false},
    };
    for (const auto& c : cases) EXPECT_EQ(set.TakeMove(c.message).has_value(), c.taken) << tarvix::EditLogLine(c.message);
    EXPECT_EQ(set.Member({S::kClicked, 1, now, {}, {}, {}}), 1);
    set.Clear();
    EXPECT_FALSE(set.Member({S::kClicked, 1, now, {}, {}, {}})) << "a bridge restarted forgets the set";
}

TEST(EditProtocol, TheBridgeTakesTheEditorsStepsForItsPoints) {
    tarvix::BridgeState state;
    for (int i = 0; i < 2; ++i) state.Execute(Name::kAddTextEx, " 35/00/00000,139/00/00000,A");
    using tarvix::Effect;
    const struct {
        EditMessage message;
        Effect effect;
    } steps[] = {
        {{S::kReady, 1, {}, {}, {}, {}}, Effect::kNone},         {{S::kSetBegins, 9, {}, {}, {}, {}}, Effect::kNone},
        {{S::kShowMark, 1, {}, {}, {}, 12}, Effect::kRedraw},    {{S::kShowMark, 2, {}, {}, {}, 12}, Effect::kRejected},
        {{S::kSelect, 0, {}, {}, {}, {}}, Effect::kRedraw},      {{S::kPlace, 1, {}, kLat, kLon, {}}, Effect::kRedraw},
        {{S::kPlace, 0, {}, -5, kLon, {}}, Effect::kRejected},   {{S::kMoved, 0, 9u, 1, 1, {}}, Effect::kRejected},
    };
    for (const auto& step : steps) EXPECT_EQ(state.ExecuteEdit(step.message), step.effect) << tarvix::EditLogLine(step.message);
    EXPECT_TRUE(state.editorReady && state.setSerial == 9u && state.points[0].selected && !state.points[1].selected);
    EXPECT_EQ(state.points[1].mark, 12);
    EXPECT_EQ(state.points[1].at, (tarvix::GeoPoint{kLat, kLon}));
    EXPECT_EQ(state.points[0].at, (tarvix::GeoPoint{126000000, 500400000})) << "the refused place left it";
    state.Execute(Name::kDeleteText, "");
    EXPECT_EQ(state.setSerial, 0u) << "cleared points are no set";
}

}  // namespace
}  // namespace vondrel::bridge
