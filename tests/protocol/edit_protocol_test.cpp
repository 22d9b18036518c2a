// Editing on the map: the steps encoded and assembled again, garbled runs, and the editor's
// checks on what comes back (set serial, index, range); the bridge's handling of the editor's steps.
#include <gtest/gtest.h>

#include "map/bridge_state.h"
#include "protocol/edit_protocol.h"

namespace vondrel::bridge {
namespace {

EditMessage Make(EditStep step, std::int64_t value, std::optional<std::uint32_t> serial = {},
                 std::optional<std::int32_t> lat = {}, std::optional<std::int32_t> lon = {},
                 std::optional<std::int32_t> mark = {}) {
    EditMessage m;
    m.step = step;
    m.value = value;
    m.serial = serial;
    m.lat = lat;
    m.lon = lon;
    m.mark = mark;
    return m;
}

TEST(EditProtocol, MessagesSurviveEncodingAndGarbledRunsLendNoFields) {
    const EditMessage messages[] = {
        Make(EditStep::kMoved, 699, 4000000000u, kMaxLatitudeMs, kMaxLongitudeMs),
        Make(EditStep::kClicked, 0, 1),
        Make(EditStep::kAddHere, 0, {}, 0, 0),
        Make(EditStep::kShowMark, 3, {}, {}, {}, 55),
        Make(EditStep::kSelect, -1),  // a value is read as 32 bits on either Windows
    };
    EditAssembler assembler;
    for (const EditMessage& message : messages) {
        std::optional<EditMessage> got;
        for (const Post& post : EncodeEdit(message)) {
            EXPECT_FALSE(got) << "a message completes on its last post only";
            got = assembler.Step(post.wParam, post.lParam);
        }
        EXPECT_EQ(got, message) << static_cast<int>(message.step);
    }
    // Fields, then an unknown step: the next command comes without them.
    const struct {
        std::uintptr_t wParam;
        std::intptr_t lParam;
    } garbled[] = {{1, 7}, {3, 5}, {99, 0}, {33, 2}};
    std::optional<EditMessage> last;
    for (const auto& step : garbled) last = assembler.Step(step.wParam, step.lParam);
    EXPECT_EQ(last, Make(EditStep::kClicked, 2));
    EXPECT_FALSE(assembler.Step(static_cast<std::uintptr_t>(EditStep::kLat), 1)) << "a field alone completes nothing";
}

TEST(EditProtocol, OnlyMovesOfTheCurrentSetInRangeAreTaken) {
    SentSet set;
    EXPECT_FALSE(set.TakeMove(Make(EditStep::kMoved, 0, 0, 1, 1))) << "before any set";
    const std::uint32_t old = set.Begin(3);
    const std::uint32_t current = set.Begin(3);
    EXPECT_NE(old, current);
    const std::int32_t lat = 128465007;
    const std::int32_t lon = 503130123;
    const struct {
        const char* what;
        EditMessage message;
        bool taken;
    } cases[] = {
        {"a point of the set", Make(EditStep::kMoved, 2, current, lat, lon), true},
        {"the edges of the range", Make(EditStep::kMoved, 0, current, 0, kMaxLongitudeMs), true},
        {"an older set", Make(EditStep::kMoved, 0, old, lat, lon), false},
        {"no serial", Make(EditStep::kMoved, 0, {}, lat, lon), false},
        {"index past the set", Make(EditStep::kMoved, 3, current, lat, lon), false},
        {"negative index", Make(EditStep::kMoved, -1, current, lat, lon), false},
        {"latitude past 90", Make(EditStep::kMoved, 1, current, kMaxLatitudeMs + 1, lon), false},
        {"negative longitude", Make(EditStep::kMoved, 1, current, lat, -1), false},
        {"no longitude", Make(EditStep::kMoved, 1, current, lat), false},
        {"a click is no move", Make(EditStep::kClicked, 1, current, lat, lon), false},
    };
    for (const auto& c : cases) {
        const auto move = set.TakeMove(c.message);
        EXPECT_EQ(move.has_value(), c.taken) << c.what;
        if (move) {
            EXPECT_EQ(move->index, c.message.value) << c.what;
        }
    }
    EXPECT_EQ(set.Member(Make(EditStep::kClicked, 1, current)), 1);
    set.Clear();
    EXPECT_FALSE(set.Member(Make(EditStep::kClicked, 1, current))) << "a bridge restarted forgets the set";
}

TEST(EditProtocol, TheBridgeTakesTheEditorsStepsForItsPoints) {
    tarvix::BridgeState state;
    state.Execute(Name::kAddTextEx, " 35/00/00000,139/00/00000,A");
    state.Execute(Name::kAddTextEx, " 35/00/00000,139/00/00000,B");
    using tarvix::Effect;
    const struct {
        EditMessage message;
        Effect effect;
    } steps[] = {
        {Make(EditStep::kReady, 1), Effect::kNone},
        {Make(EditStep::kSetBegins, 9), Effect::kNone},
        {Make(EditStep::kShowMark, 1, {}, {}, {}, 12), Effect::kRedraw},
        {Make(EditStep::kShowMark, 2, {}, {}, {}, 12), Effect::kRejected},
        {Make(EditStep::kSelect, 0), Effect::kRedraw},
        {Make(EditStep::kPlace, 1, {}, 126000000, 500400000), Effect::kRedraw},
        {Make(EditStep::kPlace, 0, {}, -5, 500400000), Effect::kRejected},
        {Make(EditStep::kMoved, 0, 9, 1, 1), Effect::kRejected},  // the bridge's own step
    };
    for (const auto& step : steps) EXPECT_EQ(state.ExecuteEdit(step.message), step.effect) << tarvix::EditLogLine(step.message);
    EXPECT_TRUE(state.editorReady);
    EXPECT_EQ(state.setSerial, 9u);
    EXPECT_EQ(state.points[1].mark, 12);
    EXPECT_TRUE(state.points[0].selected);
    EXPECT_EQ(state.points[1].at, (tarvix::GeoPoint{126000000, 500400000}));
    EXPECT_EQ(state.points[0].at, (tarvix::GeoPoint{126000000, 500400000})) << "the refused place left it";
    state.Execute(Name::kDeleteText, "");
    EXPECT_EQ(state.setSerial, 0u) << "cleared points are no set";
}

}  // namespace
}  // namespace vondrel::bridge
