// Interchange files over the platform's whole-file reads and replacing writes.
#include "formats/point_files.h"

#include "os/file_io.h"

namespace vondrel::formats {

int ReadPointFile(const std::string& path, const ReadOptions& options, ReadResult& result) {
    std::string bytes;
    const int cause = os::ReadWholeFile(path, bytes);
    if (cause != os::kCauseNone) return cause;
    result = ReadPoints(bytes, ImportFormatOf(path), options);
    return os::kCauseNone;
}

std::string ReadMessage(const std::string& path, const ReadResult& result) {
    if (result.error.empty() && result.warnings.empty()) return std::string();
    std::string message = "\"" + path + "\"\n\n";
    if (!result.error.empty()) return message + result.error;
    for (std::size_t i = 0; i < result.warnings.size(); ++i) message += (i > 0 ? "\n" : "") + result.warnings[i];
    return message;
}

int WritePointFile(const std::string& path, const std::vector<FormatPoint>& points, Format format, Datum datum) {
    return os::WriteWholeFile(path, WritePoints(points, format, datum));
}

}  // namespace vondrel::formats
