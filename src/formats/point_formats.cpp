// Choosing a format by file name, and reading by format.
#include "formats/point_formats.h"

#include <new>

#include "core/path_text.h"
#include "formats/point_reading.h"

namespace vondrel::formats {

Format ImportFormatOf(std::string_view path) {
    const std::string extension = ToUpperAscii(SplitPath(path).extension);
    if (extension == ".GPX") return Format::Gpx;
    if (extension == ".KML") return Format::Kml;
    if (extension == ".KMZ") return Format::Kmz;
    if (extension == ".CSV" || extension == ".TSV" || extension == ".TXT") return Format::Csv;
    return Format::None;
}

Format ExportFormatOf(std::string_view path) {
    const Format format = ImportFormatOf(path);
    const std::string extension = ToUpperAscii(SplitPath(path).extension);
    return (format == Format::Kmz || extension == ".TSV" || extension == ".TXT") ? Format::None : format;
}

bool FormatPoint::operator==(const FormatPoint& other) const {
    return name == other.name && reading == other.reading && tel == other.tel && lat == other.lat &&
           lon == other.lon && mark == other.mark && sound == other.sound && direction == other.direction;
}

ReadResult ReadPoints(std::string_view bytes, Format format, const ReadOptions& options) {
    try {
        switch (format) {
            case Format::Gpx: return ReadGpx(bytes, options);
            case Format::Kml: return ReadKml(bytes, options);
            case Format::Kmz: return ReadKmz(bytes, options);
            case Format::Csv: return ReadCsv(bytes, options);
            default: return Refusal("認識できないファイルです");
        }
    } catch (const std::bad_alloc&) {
        return Refusal("メモリが足りないため読めません");
    }
}

}  // namespace vondrel::formats
