// The bytes of a glorie point file for a point table (what Save writes).
#pragma once

#include <string>

#include "core/point_table.h"

namespace vondrel {

std::string GlorieBytes(const PointTable& table);

}  // namespace vondrel
