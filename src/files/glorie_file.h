// Loading and saving glorie point files: the file functions of the main window, the import
// pane and vondrel-cli. A refusal or failure is shown through `messages` (the unknown-file, the
// no-points or the file-error message) and gives FileOutcome::Failed; success gives Done, after
// showing what the user must know about the file read (points left out, texts cut, characters
// replaced).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/point_table.h"
#include "files/glorie_load_report.h"
#include "files/message_sink.h"
#include "os/file_io.h"

namespace vondrel {

// How reading or writing a point file ended; whatever went wrong has been shown.
enum class FileOutcome {
    Done,           // read, or written
    NothingToSave,  // a list without points is never written: nothing happened
    Failed,         // refused or failed: the table and the file are as they were
};

// Reads the points of `path` into `table`, replacing those it held. Only names ending in .xml
// (in any case) are read, only regular files, and only those that hold point-file markers; a
// file in UTF-8, UTF-16 or EUC-JP is converted to code page 932. The points are read aside and
// take the table's place only when the whole file has been read, so a refusal or failure
// (running out of memory included) leaves the table as it was. `report`, when given, receives
// what was noted while reading (see LoadReport), on success.
FileOutcome LoadGlorieFile(const os::Path& path, PointTable& table, MessageSink& messages, LoadReport* report = nullptr);

// The loading steps after the file has been read, on its bytes: the encoding conversion, the
// point-file check, the scanner and the text checks. Fills `loaded` (which should be empty) and
// gives the lines to tell the user; Failed when the bytes are no point file. May throw
// std::bad_alloc. LoadGlorieFile uses it; the fuzzer runs it on any bytes.
FileOutcome ReadGlorieBytes(std::string_view bytes, PointTable& loaded, std::vector<std::string>& warnings,
                    LoadReport* report = nullptr);

// Writes every point of `table` to `path` (always Shift_JIS), replacing the file only once the
// new one is complete and flushed, so a failed write leaves the old file intact. A failure to
// make a file beside the target is reported for the folder.
FileOutcome SaveGlorieFile(const os::Path& path, const PointTable& table, MessageSink& messages,
                   const os::WriteOptions& options = {});

}  // namespace vondrel
