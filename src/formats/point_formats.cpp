// Choosing a format by file name, and reading by format.
#include "formats/point_formats.h"

#include <new>

#include "formats/point_reading.h"

namespace vondrel::formats {

Format ImportFormatOf(const os::Path& path) {
    if (os::HasExtension(path, ".gpx")) return Format::Gpx;
    if (os::HasExtension(path, ".kml")) return Format::Kml;
    if (os::HasExtension(path, ".kmz")) return Format::Kmz;
    if (os::HasExtension(path, ".csv") || os::HasExtension(path, ".tsv") || os::HasExtension(path, ".txt")) return Format::Csv;
    if (os::HasExtension(path, ".geojson") || os::HasExtension(path, ".json")) return Format::GeoJson;
    return Format::None;
}

Format ExportFormatOf(const os::Path& path) {
    const Format format = ImportFormatOf(path);
    return (format == Format::Kmz || os::HasExtension(path, ".tsv") || os::HasExtension(path, ".txt")) ? Format::None : format;
}

bool FormatPoint::operator==(const FormatPoint& other) const {
    return name == other.name && reading == other.reading && tel == other.tel && lat == other.lat &&
           lon == other.lon && mark == other.mark && sound == other.sound && direction == other.direction &&
           noPosition == other.noPosition;
}

ReadResult ReadPoints(std::string_view bytes, Format format, const ReadOptions& options) {
    try {
        switch (format) {
            case Format::Gpx: return ReadGpx(bytes, options);
            // A zip archive under a .kml name is a KMZ file.
            case Format::Kml: return bytes.substr(0, 4) == "PK\x03\x04" ? ReadKmz(bytes, options) : ReadKml(bytes, options);
            case Format::Kmz: return ReadKmz(bytes, options);
            case Format::Csv: return ReadCsv(bytes, options);
            case Format::GeoJson: return ReadGeoJson(bytes, options);
            default: return Refusal("認識できないファイルです");
        }
    } catch (const std::bad_alloc&) {
        return Refusal("メモリが足りないため読めません");
    }
}

}  // namespace vondrel::formats
