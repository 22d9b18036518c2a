// PointRowText: the display texts of one point, the unit in which points are handed to a list.
// Portable.
#pragma once

#include <string>

#include "core/point_table.h"

namespace vondrel {

struct PointRowText {
    std::string mark;     // "%02d" mark number
    std::string name;
    std::string reading;
    std::string tel;
    std::string lonDms;   // longitude display form
    std::string latDms;   // latitude display form, with its leading space

    // Fills every text from row `index` of `table` by its getters.
    void Fill(const PointTable& table, int index);
    // The mark icon's image index: the mark number - 1 (so mark 0 shows none).
    int ImageIndex() const;
};

}  // namespace vondrel
