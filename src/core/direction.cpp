// Approach direction snapping.
#include "core/direction.h"

#include "core/text_number.h"

namespace vondrel {

namespace {
int StepFromWrappedDegrees(std::int64_t degreesMod360) {
    return static_cast<int>(((degreesMod360 * 1000 + 5625) % 360000) / 11250);
}
}  // namespace

int DegreesToStep(std::int64_t degrees) {
    std::int64_t wrapped = degrees % 360;
    if (wrapped < 0) wrapped += 360;
    return StepFromWrappedDegrees(wrapped);
}

int DirectionTextToStep(std::string_view text) {
    return StepFromWrappedDegrees(ParseLeadingIntModulo(text, 360));
}

std::string SnapDirectionText(std::string_view text) {
    return FormatInt(DirectionDegrees[static_cast<std::size_t>(DirectionTextToStep(text))]);
}

}  // namespace vondrel
