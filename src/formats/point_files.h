// The interchange formats as files: read whole and taken apart by the format the name's
// extension (any case) stands for; written through the os layer's replacing write, so a failed
// write keeps the old file (the same guarantees as a point file's save).
#pragma once

#include <string>
#include <vector>

#include "formats/point_formats.h"
#include "os/file_io.h"

namespace vondrel::formats {

// Reads the file at `path` into `result`. Returns the file-error cause of os/file_io.h:
// kCauseNone when the file was read (result.error then tells whether its content was refused),
// else the cause, with `result` untouched.
os::FileCause ReadPointFile(const os::Path& path, const ReadOptions& options, ReadResult& result);

// What to tell the user after reading `path` into `result`: "\"PATH\"\n\n" and the refusal, or
// the warnings one a line; empty when there is nothing to tell.
std::string ReadMessage(const os::Path& path, const ReadResult& result);

// Writes `points` to `path` as `format` (Gpx, Kml or Csv).
os::WriteResult WritePointFile(const os::Path& path, const std::vector<FormatPoint>& points, Format format,
                               Datum datum = Datum::Wgs84);

}  // namespace vondrel::formats
