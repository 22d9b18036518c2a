// What loading a glorie file checks and tells around the scanner (whichever scanner reads the
// points): whether the bytes can be a point file at all, and the warnings about what was read:
// a damaged or cut file, points past the table's 700, texts cut to 1,023 bytes, characters that
// had no code page 932 form; and what a save over the file would lose.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/point_table.h"
#include "files/point_blocks.h"

namespace vondrel {

// True when `bytes` (code page 932) can be a point file: they hold "<glorie" or "<gpoi". Random
// bytes, or a file of another kind, are refused rather than read as an empty list.
bool LooksLikePointFile(std::string_view bytes);

struct LoadReport {
    bool damaged = false;           // a block or the file's end is not as a well-formed file has it
    std::vector<DamagedPoint> damagedPoints;  // points kept from damaged blocks
    int emptyBlocks = 0;            // blocks that held nothing (no row)
    int droppedPoints = 0;          // complete point blocks past the table's 700
    std::vector<int> cutRows;       // rows with a text cut to kMaxTextBytes
    std::vector<int> replacedRows;  // rows with characters that had no code page 932 form
};

// Trims the blanks that odd markup left before element texts (the reader drops those between a
// tag and its text, so they would not survive a save), caps the texts and notes the rows:
// those cut, and those of `replacedBlocks` (see ToCp932Bytes) whose texts hold the "?" that
// stands for a lost character.
void CheckLoadedTexts(PointTable& table, const std::vector<int>& replacedBlocks, LoadReport& report);

// True when the bytes open a "<glorie" element and never close it: the file was cut short.
bool GlorieUnclosed(std::string_view bytes);

// The lines to tell the user (code page 932), in this order: damage, points left out, texts
// cut, characters replaced. Empty when there is nothing to tell.
std::vector<std::string> LoadWarnings(const PointTable& table, const LoadReport& report);

// What the file holds that the list does not, which a save over the file would lose (points left
// out, texts cut, characters replaced), one line each; empty when the file was read whole.
std::string UnreadText(const LoadReport& report);

// "先頭の700地点を読み込みました（残りは読み込んでいません）".
std::string DroppedPointsText();

}  // namespace vondrel
