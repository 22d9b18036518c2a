// Interchange files over the os layer's whole-file reads and replacing writes.
#include "formats/point_files.h"

#include <new>

namespace vondrel::formats {

os::FileCause ReadPointFile(const os::Path& path, const ReadOptions& options, ReadResult& result) {
    os::FileBytes bytes;
    const os::FileCause cause = os::ReadWholeFile(path, bytes);
    if (cause != os::kCauseNone) return cause;
    result = ReadPoints(bytes.View(), ImportFormatOf(path), options);
    return os::kCauseNone;
}

std::string ReadMessage(const os::Path& path, const ReadResult& result) {
    if (result.error.empty() && result.warnings.empty()) return std::string();
    std::string message = "\"" + os::DisplayPath(path) + "\"\n\n";
    if (!result.error.empty()) return message + result.error;
    for (std::size_t i = 0; i < result.warnings.size(); ++i) message += (i > 0 ? "\n" : "") + result.warnings[i];
    return message;
}

os::WriteResult WritePointFile(const os::Path& path, const std::vector<FormatPoint>& points, Format format, Datum datum) {
    try {
        return os::WriteWholeFile(path, WritePoints(points, format, datum));
    } catch (const std::bad_alloc&) {
        return {os::kCauseOutOfMemory, path};
    }
}

}  // namespace vondrel::formats
