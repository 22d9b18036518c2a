// Loading and saving glorie point files: the file functions of the main window, the import
// pane and vondrel-cli. A refusal or failure is shown through `messages` (the unknown-file or
// the file-error message) and returns -1; success returns 0.
#pragma once

#include <string>

#include "core/point_table.h"
#include "files/message_sink.h"

namespace vondrel {

// Reads the points of `path` into `table`, replacing those it held. Only names ending in .xml
// (in any case) are read. The file is read whole before the table is touched, so a refusal or
// failure leaves the table as it was.
int LoadGlorieFile(const std::string& path, PointTable& table, MessageSink& messages);

// Writes every point of `table` to `path`, replacing the file only once the new one is
// complete, so a failed write leaves the old file intact.
int SaveGlorieFile(const std::string& path, const PointTable& table, MessageSink& messages);

}  // namespace vondrel
