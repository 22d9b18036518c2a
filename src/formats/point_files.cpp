// Interchange files over the platform's whole-file reads and replacing writes.
#include "formats/point_files.h"

#include "platform/file_io.h"

namespace vondrel::formats {

int ReadPointFile(const std::string& path, const ReadOptions& options, ReadResult& result) {
    std::string bytes;
    const int cause = platform::ReadWholeFile(path, bytes);
    if (cause != platform::kCauseNone) return cause;
    result = ReadPoints(bytes, ImportFormatOf(path), options);
    return platform::kCauseNone;
}

int WritePointFile(const std::string& path, const std::vector<FormatPoint>& points, Format format, Datum datum) {
    return platform::WriteWholeFile(path, WritePoints(points, format, datum));
}

}  // namespace vondrel::formats
