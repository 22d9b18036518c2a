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

// The fields a FormatPoint carries as the table stores them, and the coordinates, which it
// carries as numbers.
constexpr struct {
    std::string FormatPoint::*text;
    Field field;
} kSameTexts[] = {{&FormatPoint::name, Field::Name}, {&FormatPoint::reading, Field::Reading},
                  {&FormatPoint::tel, Field::Tel}, {&FormatPoint::sound, Field::Sound}};
constexpr struct {
    double FormatPoint::*degrees;
    Field field;
} kCoordinates[] = {{&FormatPoint::lat, Field::Lat}, {&FormatPoint::lon, Field::Lon}};
}  // namespace

// The mark goes as it is shown, the direction as the switch and its degrees.
PointRecord ToPointRecord(const FormatPoint& point) {
    PointRecord record;
    for (const auto& same : kSameTexts) record.*StoredMember(same.field) = point.*same.text;
    for (const auto& axis : kCoordinates) {
        record.*StoredMember(axis.field) = point.noPosition ? std::string() : FiveDecimals(point.*axis.degrees);
    }
    StoreShown(record, Field::Mark, FormatInt(point.mark));
    record.directionOn = point.direction.empty() ? 0 : 1;
    record.dcenter = point.direction;
    return record;
}

FormatPoint ToFormatPoint(const PointRecord& record) {
    FormatPoint point;
    for (const auto& same : kSameTexts) point.*same.text = record.*StoredMember(same.field);
    for (const auto& axis : kCoordinates) {
        point.*axis.degrees = ParseLeadingDouble(record.*StoredMember(axis.field));
    }
    point.noPosition = HasNoPosition(record);
    point.mark = ParseLeadingInt(ShownForm(record, Field::Mark));
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
    const auto take = [&](int i) {
        FormatPoint point = ToFormatPoint(table.Row(i));
        if (!point.noPosition) points.push_back(std::move(point));
    };
    if (rows.empty()) {
        for (int i = 0; i < table.UsedCount(); ++i) take(i);
    } else {
        for (int i : rows) {
            if (i >= 0 && i < kTableRows && table.IsUsed(i)) take(i);
        }
    }
    return points;
}

bool HasNoPosition(const PointRecord& record) {
    return record.lat.find_first_not_of(' ') == std::string::npos || record.lon.find_first_not_of(' ') == std::string::npos;
}

}  // namespace vondrel::formats
