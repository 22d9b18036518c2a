// The interchange formats as files: read whole and taken apart by the format the name's
// extension (any case) stands for; written to a temporary file that replaces the target only
// when complete, so a failed write keeps the old file.
#pragma once

#include <string>
#include <vector>

#include "formats/point_formats.h"

namespace vondrel::formats {

// Reads the file at `path` (code page 932) into `result`. Returns the file-error cause of
// platform/file_io.h: kCauseNone when the file was read (result.error then tells whether its
// content was refused), else the cause, with `result` untouched.
int ReadPointFile(const std::string& path, const ReadOptions& options, ReadResult& result);

// What to tell the user after reading `path` into `result`: "\"PATH\"\n\n" and the refusal, or
// the warnings one a line; empty when there is nothing to tell.
std::string ReadMessage(const std::string& path, const ReadResult& result);

// Writes `points` to `path` as `format` (Gpx, Kml or Csv). Returns kCauseNone or the cause.
int WritePointFile(const std::string& path, const std::vector<FormatPoint>& points, Format format,
                   Datum datum = Datum::Wgs84);

}  // namespace vondrel::formats
