// Point edit dialog rules: sound names, text reading and writing, direction control states.
#include "editing/point_edit_logic.h"

#include <cstdint>

#include "core/direction.h"
#include "core/text_number.h"

namespace vondrel::point_edit {

namespace {
constexpr std::string_view kChime = "ピンポーン";
}  // namespace

// Ids 11 to 60 all play the chime of id 1.
const std::array<std::string_view, kSoundCount> SoundNames = {
    "サウンドなし", kChime, "カンコーン", "チャラーン", "ベル", "カンコン", "ブザー", "パンパカパーン",
    "チャララ", "ご注意ください", "お疲れさまでした",
    kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime,
    kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime,
    kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime,
    kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime,
    kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime, kChime,
};

int IntegerValue(std::string_view text) { return ParseLeadingInt(text); }

int SoundSelection(std::string_view sound) {
    const int id = IntegerValue(sound);
    return id >= 0 && id < kSoundCount ? id : -1;
}

int MarkPosition(std::string_view mark) {
    return static_cast<std::int16_t>(static_cast<std::uint32_t>(IntegerValue(mark)) & 0xFFFFu);
}

bool IsMarkImageIndex(int index) { return index >= 0 && index <= kLastMark - kFirstMark; }

int MarkImageIndex(std::string_view mark) {
    const int value = IntegerValue(mark);
    return value >= kFirstMark && value <= kLastMark ? value - kFirstMark : -1;
}

std::string DirectionText(int step) {
    // "\x81\x4B" is "゜" in code page 932.
    return FormatInt(DirectionDegrees[static_cast<std::size_t>(step)]) + "\x81\x4B";
}

int StepBack(int step) { return step == 0 ? kDirectionSteps - 1 : step - 1; }

int StepForward(int step) { return step + 1 > kDirectionSteps - 1 ? 0 : step + 1; }

DirectionControls DirectionControlsFor(int soundId, int directionOn) {
    DirectionControls state;
    if (soundId == 0) return state;  // no sound, no direction: everything off, checks kept
    state.radiosEnabled = true;
    state.setChecks = true;
    state.onChecked = directionOn != 0;
    state.arrowsEnabled = state.onChecked;
    state.showDirection = state.onChecked;
    return state;
}

OkTexts OkTextsFor(int soundSelection, int markPosition, int directionStep) {
    OkTexts texts;
    texts.sound = FormatInt(soundSelection);
    texts.mark = FormatInt2(static_cast<std::int32_t>(static_cast<std::uint32_t>(markPosition) & 0xFFFFu));
    texts.dcenter = FormatInt(DirectionDegrees[static_cast<std::size_t>(directionStep)]);
    return texts;
}

}  // namespace vondrel::point_edit
