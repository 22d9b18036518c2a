// Approach directions: whole degrees snapped to one of 32 steps of 11.25 degrees.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vondrel {

constexpr int kDirectionSteps = 32;

// Degrees shown for each step: floor(step * 11.25 + 0.5).
constexpr std::array<int, kDirectionSteps> DirectionDegrees = {
    0,   11,  23,  34,  45,  56,  68,  79,  90,  101, 113, 124, 135, 146, 158, 169,
    180, 191, 203, 214, 225, 236, 248, 259, 270, 281, 293, 304, 315, 326, 338, 349};

// The nearest step for a direction in whole degrees: ((d*1000 + 5625) mod 360000) / 11250.
// Any value, negative or huge, wraps around the circle onto one of the 32 steps.
int DegreesToStep(std::int64_t degrees);

// The step for a direction given as text (an integer in the manner of atoi, any length).
int DirectionTextToStep(std::string_view text);

// The snapped direction as decimal text ("%d" of DirectionDegrees[step]).
std::string SnapDirectionText(std::string_view text);

}  // namespace vondrel
