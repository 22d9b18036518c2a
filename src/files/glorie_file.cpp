// Glorie files: the scanner and the writer joined to file access and the file messages.
#include "files/glorie_file.h"

#include "core/path_text.h"
#include "files/file_errors.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"
#include "os/file_io.h"

namespace vondrel {

int LoadGlorieFile(const std::string& path, PointTable& table, MessageSink& messages) {
    if (!HasXmlExtension(path)) {
        messages.ShowMessage(UnknownFileMessage(path));
        return -1;
    }
    std::string bytes;
    const int cause = os::ReadWholeFile(path, bytes);
    if (cause != os::kCauseNone) {
        ReportFileError(messages, cause, path);
        return -1;
    }
    table.Reset();
    GlorieScanner scanner(table);
    scanner.Scan(bytes);
    return 0;
}

int SaveGlorieFile(const std::string& path, const PointTable& table, MessageSink& messages) {
    const int cause = os::WriteWholeFile(path, GlorieBytes(table));
    if (cause != os::kCauseNone) {
        ReportFileError(messages, cause, path);
        return -1;
    }
    return 0;
}

}  // namespace vondrel
