// Display texts of a point.
#include "editing/point_row_text.h"

#include "core/text_number.h"

namespace vondrel {

void PointRowText::Fill(const PointTable& table, int index) {
    table.GetMark(mark, index);
    table.GetName(name, index);
    table.GetReading(reading, index);
    table.GetTel(tel, index);
    table.GetLonDms(lonDms, index);
    table.GetLatDms(latDms, index);
}

int PointRowText::ImageIndex() const { return ParseLeadingInt(mark) - 1; }

}  // namespace vondrel
