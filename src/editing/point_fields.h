// PointFields: the texts of one point as the edit dialog shows and returns them (code page 932;
// coordinates in display form, the mark as a decimal number): the unit in which the document
// hands out a point and takes it back.
#pragma once

#include <string>

#include "core/point_table.h"

namespace vondrel {

struct PointFields {
    std::string name;
    std::string reading;
    std::string lon;      // display form, "139.45.30.123"
    std::string lat;      // display form, " 35.41.05.007"
    std::string tel;
    std::string mark;     // decimal, "07"
    std::string sound;    // decimal
    std::string dcenter;  // degrees
    int directionOn = 0;
};

// Row `row` of `table` in those forms.
PointFields FieldsOf(const PointTable& table, int row);

}  // namespace vondrel
