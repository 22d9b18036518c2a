// Direction snapping onto 32 steps, including values outside one turn.
#include <gtest/gtest.h>

#include "core/direction.h"

namespace vondrel {
namespace {

TEST(Direction, DegreesToStep) {
    const struct {
        long long degrees;
        int step;
    } cases[] = {{0, 0},   {5, 0},    {6, 1},    {16, 1},   {100, 9},  {349, 31},         {354, 31},
                 {355, 0}, {359, 0},  {360, 0},  {370, 1},  {720, 0},  {-1, 0},           {-5, 0},
                 {-6, 31}, {-17, 30}, {-360, 0}, {-371, 31}, {2147483647LL, 11}, {4000000000000LL, 4}};
    for (const auto& c : cases) EXPECT_EQ(DegreesToStep(c.degrees), c.step) << c.degrees;
}

TEST(Direction, SnapText) {
    const struct {
        const char* text;
        const char* snapped;
    } cases[] = {{"90", "90"},   {"5", "0"},     {"6", "11"},  {"100", "101"}, {"355", "0"},
                 {"370", "11"},  {"abc", "0"},   {"", "0"},    {" 45", "45"}, {"-6", "349"},
                 {"123456789012345678901234567890", "90"}};
    for (const auto& c : cases) EXPECT_EQ(SnapDirectionText(c.text), c.snapped) << c.text;
}

TEST(Direction, EveryStepSnapsToItself) {
    for (int step = 0; step < kDirectionSteps; ++step) {
        EXPECT_EQ(DegreesToStep(DirectionDegrees[static_cast<std::size_t>(step)]), step);
    }
}

}  // namespace
}  // namespace vondrel
