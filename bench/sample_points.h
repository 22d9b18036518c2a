// Realistic glorie data for the benchmarks: a full table of 700 Japanese points of interest
// and files of a chosen size made of the same point blocks repeated.
#pragma once

#include <cstddef>
#include <string>

#include "core/point_table.h"

namespace vondrel::bench {

// Fills all 700 rows with points whose every field is set (names and readings in kanji and
// kana, Tokyo-datum coordinates inside Japan, marks, sounds, telephone numbers, a third of
// them with an approach direction). The same table on every call.
void FillSamplePoints(PointTable& table);

// The header of `file`, then its point blocks repeated (cycling from the first) until at
// least `targetBytes` bytes have been written, then its closing line.
std::string RepeatedBlocks(const std::string& file, std::size_t targetBytes);

}  // namespace vondrel::bench
