// Messages shown when a point file cannot be used: the file-error message by cause number
// and the message for a name without the .xml extension.
#pragma once

#include <string>

#include "files/message_sink.h"

namespace vondrel {

// The text for a file-error cause 0 to 14 ("原因不明です" for any other number).
std::string FileErrorCauseText(int cause);

// "\"PATH\"\n\n" followed by the cause's text.
std::string FileErrorMessage(int cause, const std::string& path);

// "PATH\n    は認識できないファイルです".
std::string UnknownFileMessage(const std::string& path);

// Shows FileErrorMessage through `messages`.
void ReportFileError(MessageSink& messages, int cause, const std::string& path);

}  // namespace vondrel
