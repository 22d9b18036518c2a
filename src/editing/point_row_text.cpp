// Display texts of a point.
#include "editing/point_row_text.h"

#include "core/text_number.h"

namespace vondrel {

std::string CellText(const PointTable& table, int index, int column) {
    std::string text;
    switch (column) {
        case 0: table.GetMark(text, index); break;
        case 1: table.GetName(text, index); break;
        case 2: table.GetReading(text, index); break;
        case 3: table.GetTel(text, index); break;
        case 4: table.GetLonDms(text, index); break;
        case 5: table.GetLatDms(text, index); break;
        default: break;
    }
    return text;
}

int MarkImageOf(const PointTable& table, int index) { return ParseLeadingInt(CellText(table, index, 0)) - 1; }

}  // namespace vondrel
