// The rules behind the point edit dialog, kept free of windows so they can be tested natively:
// the sound names, how the mark, sound and direction texts are read and written back, and which
// direction controls are enabled and checked.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/limits.h"

namespace vondrel::point_edit {

constexpr int kSoundCount = 61;
constexpr int kFirstMark = 1;
constexpr int kLastMark = kMarkCount;

// Sound names by id (code page 932).
extern const std::array<std::string_view, kSoundCount> SoundNames;

// The integer value of a mark, sound or direction text: leading blanks, an optional sign and
// decimal digits; empty or non-numeric text gives 0.
int IntegerValue(std::string_view text);

// The list entry to select for a stored sound, or -1 (no entry) when it is not a sound id.
int SoundSelection(std::string_view sound);

// The up-down position a stored mark asks for: the low 16 bits of its value taken as a signed
// position (the up-down then clamps it into 1..55).
int MarkPosition(std::string_view mark);

// True when `index` names one of the 55 mark images (image k shows mark k + 1).
bool IsMarkImageIndex(int index);

// The image index of a stored mark (its value - 1), or -1 when the mark is not 1..55.
int MarkImageIndex(std::string_view mark);

// The direction field's text for a step: its degrees followed by "゜".
std::string DirectionText(int step);

// The arrow buttons: one step counter-clockwise / clockwise, wrapping around the 32 steps.
int StepBack(int step);
int StepForward(int step);

// What the direction controls show for a sound id and the direction switch.
struct DirectionControls {
    bool radiosEnabled = false;   // "有り" and "無し"
    bool arrowsEnabled = false;   // "←", "→" and the degrees field
    bool setChecks = false;       // the radios' checks are set (else left as they are)
    bool onChecked = false;       // "有り" checked ("無し" is the opposite), when setChecks
    bool showDirection = false;   // the degrees field is refreshed
};
DirectionControls DirectionControlsFor(int soundId, int directionOn);

// The texts OK writes back for the selected sound entry (-1 for none), the up-down position
// and the direction step.
struct OkTexts {
    std::string sound;
    std::string mark;
    std::string dcenter;
};
OkTexts OkTextsFor(int soundSelection, int markPosition, int directionStep);

}  // namespace vondrel::point_edit
