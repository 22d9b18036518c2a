// Messages shown when a point file cannot be used: the file-error message by cause number,
// the message for a name without the .xml extension, and the one for a file that holds no
// points. Paths appear in their display form.
#pragma once

#include <string>

#include "files/message_sink.h"
#include "os/file_cause.h"
#include "os/path.h"

namespace vondrel {

// The text for a file-error cause ("原因不明です" for a value that is none).
std::string FileErrorCauseText(os::FileCause cause);

// "\"PATH\"\n\n" followed by the cause's text.
std::string FileErrorMessage(os::FileCause cause, const os::Path& path);

// "PATH\n    は認識できないファイルです".
std::string UnknownFileMessage(const os::Path& path);

// "\"PATH\"\n\n" and that the file holds no points (it is not a point file).
std::string NoPointsMessage(const os::Path& path);

// Shows FileErrorMessage through `messages`.
void ReportFileError(MessageSink& messages, os::FileCause cause, const os::Path& path);

}  // namespace vondrel
