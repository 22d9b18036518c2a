// A point's fields in display form.
#include "editing/point_fields.h"

namespace vondrel {

PointFields FieldsOf(const PointTable& table, int row) {
    PointFields fields;
    table.GetName(fields.name, row);
    table.GetReading(fields.reading, row);
    table.GetLonDms(fields.lon, row);
    table.GetLatDms(fields.lat, row);
    table.GetTel(fields.tel, row);
    table.GetMark(fields.mark, row);
    table.GetSound(fields.sound, row);
    table.GetDcenter(fields.dcenter, row);
    fields.directionOn = table.GetDirectionOn(row);
    return fields;
}

}  // namespace vondrel
