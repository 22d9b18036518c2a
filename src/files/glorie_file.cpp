// Glorie files: the scanner and the writer joined to file access, the encoding conversion, the
// load checks and the file messages.
#include "files/glorie_file.h"

#include <memory>
#include <new>
#include <string>
#include <utility>

#include "files/file_errors.h"
#include "files/glorie_encoding.h"
#include "files/glorie_scanner.h"
#include "files/glorie_writer.h"

namespace vondrel {

namespace {
// "\"PATH\"\n\n" and the lines, one each.
std::string PathMessage(const os::Path& path, const std::vector<std::string>& lines) {
    std::string message = "\"" + os::DisplayPath(path) + "\"\n\n";
    for (std::size_t i = 0; i < lines.size(); ++i) message += (i > 0 ? "\n" : "") + lines[i];
    return message;
}

// Reads the file into `loaded`: Done, with `message` holding the warnings if any; or Failed with
// the message of the refusal or failure.
FileOutcome ReadInto(const os::Path& path, PointTable& loaded, std::string& message, LoadReport* report) {
    os::FileBytes bytes;
    const os::FileCause cause = os::ReadWholeFile(path, bytes);
    if (cause != os::kCauseNone) {
        message = FileErrorMessage(cause, path);
        return FileOutcome::Failed;
    }
    std::vector<std::string> warnings;
    const FileOutcome read = ReadGlorieBytes(bytes.View(), loaded, warnings, report);
    bytes.Clear();
    if (read != FileOutcome::Done) {
        message = NoPointsMessage(path);
        return FileOutcome::Failed;
    }
    if (!warnings.empty()) message = PathMessage(path, warnings);
    return FileOutcome::Done;
}
}  // namespace

FileOutcome ReadGlorieBytes(std::string_view bytes, PointTable& loaded, std::vector<std::string>& warnings, LoadReport* report) {
    std::vector<int> replacedBlocks;
    const TextEncoding encoding = FileEncoding(bytes);
    std::string converted;
    if (encoding != TextEncoding::Cp932) {
        converted = ToCp932Bytes(bytes, encoding, replacedBlocks);
        bytes = converted;
    }
    if (!LooksLikePointFile(bytes)) return FileOutcome::Failed;
    GlorieScanner scanner(loaded);
    scanner.Scan(bytes);
    scanner.Finish();
    LoadReport own;
    LoadReport& notes = report ? *report : own;
    notes = LoadReport();
    notes.damagedPoints = scanner.DamagedPoints();
    notes.emptyBlocks = scanner.Blocks().EmptyBlocks();
    notes.damaged = !notes.damagedPoints.empty() || notes.emptyBlocks > 0 || scanner.Blocks().StrayElements() ||
                    GlorieUnclosed(bytes);
    notes.droppedPoints = scanner.DroppedPoints();
    std::string().swap(converted);
    CheckLoadedTexts(loaded, replacedBlocks, notes);
    warnings = LoadWarnings(loaded, notes);
    return FileOutcome::Done;
}

FileOutcome LoadGlorieFile(const os::Path& path, PointTable& table, MessageSink& messages, LoadReport* report) {
    if (!os::HasExtension(path, ".xml")) {
        messages.ShowMessage(UnknownFileMessage(path));
        return FileOutcome::Failed;
    }
    std::string message;
    FileOutcome result = FileOutcome::Failed;
    try {
        auto loaded = std::make_unique<PointTable>();
        result = ReadInto(path, *loaded, message, report);
        if (result == FileOutcome::Done) table.Swap(*loaded);
    } catch (const std::bad_alloc&) {
        message = FileErrorMessage(os::kCauseOutOfMemory, path);
        result = FileOutcome::Failed;
    }
    if (!message.empty()) messages.ShowMessage(message);
    return result;
}

FileOutcome SaveGlorieFile(const os::Path& path, const PointTable& table, MessageSink& messages, const os::WriteOptions& options) {
    os::WriteResult written;
    try {
        written = os::WriteWholeFile(path, GlorieBytes(table), options);
    } catch (const std::bad_alloc&) {
        written = {os::kCauseOutOfMemory, path};
    }
    if (written.Ok()) return FileOutcome::Done;
    ReportFileError(messages, written.cause, written.subject);
    return FileOutcome::Failed;
}

}  // namespace vondrel
