// PointFields: the texts of one point as the edit dialog shows and returns them (code page 932;
// coordinates in display form, the mark as a decimal number): the unit in which the document
// hands out a point and takes it back.
#pragma once

#include <string>

#include "core/point_table.h"

namespace vondrel {

// The mark of a new point (decimal): mark 1, as the edit dialog's Add gives.
constexpr char kNewPointMark[] = "01";

struct PointFields {
    std::string name;
    std::string reading;
    std::string lon;      // display form, "139.45.30.123"
    std::string lat;      // display form, " 35.41.05.007"
    std::string tel;
    std::string mark = kNewPointMark;  // decimal, "07"; "00" for a point without a mark
    std::string sound;    // decimal
    std::string dcenter;  // degrees
    int directionOn = 0;
};

// Row `row` of `table` in those forms.
PointFields FieldsOf(const PointTable& table, int row);

}  // namespace vondrel
