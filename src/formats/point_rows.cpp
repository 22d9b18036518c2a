// Table rows and interchange points.
#include "formats/point_rows.h"

#include <charconv>

#include "core/text_number.h"

namespace vondrel::formats {

namespace {
std::string FiveDecimals(double degrees) {
    char buffer[64];
    degrees += 0.0;  // no "-0.00000"
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, degrees, std::chars_format::fixed, 5);
    return std::string(buffer, result.ptr);
}
}  // namespace

PointRecord ToPointRecord(const FormatPoint& point) {
    PointRecord record;
    record.name = point.name;
    record.reading = point.reading;
    record.tel = point.tel;
    record.lat = FiveDecimals(point.lat);
    record.lon = FiveDecimals(point.lon);
    record.mark = MarkDecimalToHex(FormatInt(point.mark));
    record.sound = point.sound;
    record.directionOn = point.direction.empty() ? 0 : 1;
    record.dcenter = point.direction;
    return record;
}

FormatPoint ToFormatPoint(const PointRecord& record) {
    FormatPoint point;
    point.name = record.name;
    point.reading = record.reading;
    point.tel = record.tel;
    point.lat = ParseLeadingDouble(record.lat);
    point.lon = ParseLeadingDouble(record.lon);
    point.mark = ParseLeadingInt(MarkHexToDecimal(record.mark));
    point.sound = record.sound;
    if (record.directionOn) point.direction = record.dcenter.empty() ? "0" : record.dcenter;
    return point;
}

int FillTable(PointTable& table, const std::vector<FormatPoint>& points) {
    table.Reset();
    for (const FormatPoint& point : points) {
        if (!table.Append(ToPointRecord(point))) break;
    }
    return table.GetCount();
}

std::vector<FormatPoint> TablePoints(const PointTable& table, const std::vector<int>& rows) {
    std::vector<FormatPoint> points;
    if (rows.empty()) {
        for (int i = 0; i < table.UsedCount(); ++i) points.push_back(ToFormatPoint(table.Row(i)));
    } else {
        for (int i : rows) {
            if (i >= 0 && i < kTableRows && table.IsUsed(i)) points.push_back(ToFormatPoint(table.Row(i)));
        }
    }
    return points;
}

}  // namespace vondrel::formats
