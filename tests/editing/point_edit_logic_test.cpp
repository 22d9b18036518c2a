// The point edit dialog's rules without windows: the sound table, reading stored texts, the
// direction arrows and field, which direction controls are live, and what OK writes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/point_edit_logic.h"

namespace vondrel::point_edit {
namespace {

TEST(PointEditLogic, SoundNamesByIdAndTheRepeatedChime) {
    const char* const named[] = {"サウンドなし", "ピンポーン", "カンコーン", "チャラーン", "ベル", "カンコン",
                                 "ブザー", "パンパカパーン", "チャララ", "ご注意ください", "お疲れさまでした"};
    ASSERT_EQ(SoundNames.size(), 61u);
    for (std::size_t id = 0; id < SoundNames.size(); ++id) {
        EXPECT_EQ(SoundNames[id], id < std::size(named) ? named[id] : "ピンポーン") << id;
    }
    EXPECT_EQ(SoundNames[4], "\x83\x78\x83\x8B") << "code page 932 bytes";
}

TEST(PointEditLogic, ReadingStoredTexts) {
    const struct {
        const char* text;
        int value, sound, position, image;  // integer value, list entry, up-down position, mark image
    } cases[] = {
        {"", 0, 0, 0, -1},        {"abc", 0, 0, 0, -1},     {"07", 7, 7, 7, 6},
        {"  12x", 12, 12, 12, 11}, {"+1", 1, 1, 1, 0},       {"55", 55, 55, 55, 54},
        {"60", 60, 60, 60, -1},   {"61", 61, -1, 61, -1},   {"-1", -1, -1, -1, -1},
        {"65537", 65537, -1, 1, -1},   // the up-down gets the low 16 bits...
        {"65535", 65535, -1, -1, -1},  // ...as a signed position
        {"4294967297", 1, 1, 1, 0},    // values wrap at 32 bits
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IntegerValue(c.text), c.value) << c.text;
        EXPECT_EQ(SoundSelection(c.text), c.sound) << c.text;
        EXPECT_EQ(MarkPosition(c.text), c.position) << c.text;
        EXPECT_EQ(MarkImageIndex(c.text), c.image) << c.text;
        EXPECT_EQ(IsMarkImageIndex(c.value - 1), c.image >= 0) << c.text;
    }
}

TEST(PointEditLogic, ArrowsWrapAndTheFieldShowsDegrees) {
    const struct {
        int step, back, forward;
        const char* text;
    } cases[] = {{0, 31, 1, "0゜"}, {1, 0, 2, "11゜"}, {9, 8, 10, "101゜"}, {31, 30, 0, "349゜"}};
    for (const auto& c : cases) {
        EXPECT_EQ(StepBack(c.step), c.back) << c.step;
        EXPECT_EQ(StepForward(c.step), c.forward) << c.step;
        EXPECT_EQ(DirectionText(c.step), c.text) << c.step;
    }
    EXPECT_EQ(DirectionText(8), "90\x81\x4B");
}

TEST(PointEditLogic, DirectionControlMatrix) {
    const struct {
        int sound, directionOn;
        bool radios, arrows, setChecks, on;
    } cases[] = {
        {0, 0, false, false, false, false}, {0, 1, false, false, false, false},  // checks left alone
        {3, 0, true, false, true, false},   {3, 1, true, true, true, true},
        {3, 2, true, true, true, true},     {-1, 0, true, false, true, false},  // no entry is not "no sound"
    };
    for (const auto& c : cases) {
        const DirectionControls state = DirectionControlsFor(c.sound, c.directionOn);
        const std::string what = std::to_string(c.sound) + "/" + std::to_string(c.directionOn);
        EXPECT_EQ(state.radiosEnabled, c.radios) << what;
        EXPECT_EQ(state.arrowsEnabled, c.arrows) << what;
        EXPECT_EQ(state.showDirection, c.arrows) << what;
        EXPECT_EQ(state.setChecks, c.setChecks) << what;
        EXPECT_EQ(state.setChecks && state.onChecked, c.on) << what;
    }
}

TEST(PointEditLogic, OkTexts) {
    const struct {
        int sound, position, step;
        std::vector<std::string> texts;
    } cases[] = {{0, 1, 0, {"0", "01", "0"}}, {11, 7, 9, {"11", "07", "101"}}, {-1, 55, 31, {"-1", "55", "349"}}};
    for (const auto& c : cases) {
        const OkTexts texts = OkTextsFor(c.sound, c.position, c.step);
        EXPECT_EQ((std::vector<std::string>{texts.sound, texts.mark, texts.dcenter}), c.texts) << c.sound;
    }
}

}  // namespace
}  // namespace vondrel::point_edit
